#pragma once

// The device model's behaviour, one file per subtree. Each Add*Rules function
// registers the rules and derived objects of its subtree; BuildModel calls them
// in an order in which later derive steps can use what earlier ones computed.

#include "sim/Device.h"

namespace kxsim {

void BuildModel(Rules& rules);

void AddTransferRules(Rules& rules);  // firmware and configuration transfers
void AddSystemRules(Rules& rules);    // system, ports and links, reboot and save
void AddBridgeRules(Rules& rules);    // spanning tree, forwarding database
void AddLldpRules(Rules& rules);      // LLDP
void AddVlanRules(Rules& rules);      // VLANs, voice and surveillance VLAN, IGMP VLAN rows
void AddLayer2Rules(Rules& rules);    // aggregation, mirroring, bandwidth, storm control
void AddSecurityRules(Rules& rules);  // 802.1X, IP-MAC-port binding
void AddPoeRules(Rules& rules);       // PoE, time profiles, power saving

// ---- helpers shared by the subtrees

struct Link
{
    bool up = false;
    int mbps = 0;
    bool halfDuplex = false;
};
// The link a port has with its cable and its speed/duplex setting.
Link LinkOf(const Device& d, int port);

// The port an OID's last sub-identifier names, or 0 when it is not a port.
int PortOf(const Device& d, const Oid& oid);

// Ports named by the aggregation groups' member lists (group per port, 0 = none).
std::vector<int> TrunkGroups(const Device& d);

// Whether a row of the VLAN table exists for vid.
bool VlanExists(const Device& d, std::int64_t vid);

// The time-profile row n's name, and whether the simulated clock lies inside it.
bool TimeProfileActive(const Device& d, std::int64_t n, std::time_t when);

// Sets a row's cells to the given values where they differ; creates the row first.
void EnsureRow(Device& d, const TableDef& t, const Oid& instance,
               const std::vector<std::pair<std::uint32_t, Value>>& cells);
// Keeps exactly the given rows of a derived table (by instance).
void KeepRows(Device& d, const TableDef& t, const std::set<Oid>& keep);

} // namespace kxsim

namespace kxsim {
// Ends a running transfer as failed (control channel).
void AbortTransfer(Device& d);
} // namespace kxsim
