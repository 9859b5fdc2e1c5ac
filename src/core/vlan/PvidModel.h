#pragma once

// "PVID Configuration" without its widgets: the PVIDs read from the device, the
// checks of Apply with their messages, and the port-by-port write.

#include "core/vlan/VlanModel.h"
#include "core/vlan/VlanTable.h"
#include "core/kit/SnmpValue.h"
#include "core/kit/TrunkMembership.h"

#include <QString>

#include <vector>

class PvidModel
{
public:
    // The PVIDs of a finished walk laid over `current`: each row's instance names
    // its port; instances that are not a port 1..N are ignored.
    static std::vector<int> PvidsFrom(const std::vector<kx::WalkRow>& rows, std::vector<int> current);

    // Ports of an aggregated link keep PVID 1: the refusal, or empty.
    static QString AggregationRefusal(const std::vector<int>& pvids, const kx::TrunkMembership& trunks);
    // Every PVID must be an active VLAN with members: the refusal, or empty.
    static QString VlanRefusal(const std::vector<int>& pvids, const VlanEntries& entries);
    // Both, in their order.
    static QString Check(const std::vector<int>& pvids, const kx::TrunkMembership& trunks,
                         const VlanEntries& entries);

    // Writes port 1, 2, ... in turn and stops at the first set the device does
    // not take. Returns how many ports were written (all of them on success).
    static int Write(const std::vector<int>& pvids, const kx::vlan::SetPath& path);
};
