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
void AddSnmpAdminRules(Rules& rules); // the agent's users, groups, views, communities, hosts
void AddMulticastRules(Rules& rules); // IGMP snooping, multicast filtering

// ---- helpers shared by the subtrees

// A port, VLAN or row number as a sub-identifier.
inline std::uint32_t U(std::int64_t v)
{
    return static_cast<std::uint32_t>(v);
}

// A port's speed setting (P.1.13.1.2.port): 1 1000M, 2 100M, 3 100M half duplex,
// 4 10M, 5 10M half duplex, 6 auto, 7 disabled. Auto where the port has none.
constexpr std::int64_t kSpeedAuto = 6;
constexpr std::int64_t kSpeedDisabled = 7;
std::int64_t SpeedSetting(const Device& d, int port);
inline bool HalfDuplexSpeed(std::int64_t setting)
{
    return setting == 3 || setting == 5;
}

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

// Whether the simulated clock lies inside time-profile row n.
bool TimeProfileActive(const Device& d, std::int64_t n, std::time_t when);

// Sets a row's cells to the given values where they differ; creates the row first.
void EnsureRow(Device& d, const TableDef& t, const Oid& instance,
               const std::vector<std::pair<std::uint32_t, Value>>& cells);
// Keeps exactly the given rows of a derived table (by instance).
void KeepRows(Device& d, const TableDef& t, const std::set<Oid>& keep);

// Ends a running transfer as failed (control channel).
void AbortTransfer(Device& d);

} // namespace kxsim
