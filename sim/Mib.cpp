#include "sim/Mib.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>
#include <set>

namespace kxsim {

namespace {

// The name list: every object, table and subtree under the private arc, by its
// OID below the arc. Tables are named by their table node; the entry and the
// row type take the table's name with "Entry". Index parts that no column
// serves get a not-accessible column here, in index order.
struct Name
{
    const char* oid;
    const char* name;
    const char* text;                // DESCRIPTION; for a subtree, its conformance group's
    const char* labels = nullptr;    // "enabled(1) disabled(2)": the named values of an INTEGER
    const char* condition = nullptr; // a subtree only some models implement: which
};

// clang-format off
const Name kNames[] = {
    // ------------------------------------------------------------ system and ports
    {"1", "kxSystem", "System commands, the port table and the fan."},
    {"1.9", "kxSysReboot", "Writing reboot(1) restarts the switch; the answer comes before the restart, then the switch is silent until it is up again.", "idle(0) reboot(1)"},
    {"1.10", "kxSysSaveConfig", "Writing save(1) makes the running configuration the one the switch starts with.", "idle(0) save(1)"},
    {"1.13", "kxPortCtrlTable", "Speed, duplex and flow control of the ports, one row per port."},
    {"1.13.1.1", "kxPortCtrlIndex", "The port number."},
    {"1.13.1.2", "kxPortControlSpeed", "The speed and duplex setting of the port.", "speed1000Full(1) speed100Full(2) speed100Half(3) speed10Full(4) speed10Half(5) auto(6) disable(7)"},
    {"1.13.1.3", "kxPortOperMode", "The link the port has: down, or its speed and duplex.", "down(1) speed1000Full(2) speed100Full(3) speed100Half(4) speed10Full(5) speed10Half(6)"},
    {"1.13.1.5", "kxPortFlowControl", "The flow control setting of the port.", "enabled(1) disabled(2)"},
    {"1.13.1.6", "kxPortOperFlowControl", "Whether flow control is in effect on the link.", "enabled(1) disabled(2)"},
    {"1.13.1.7", "kxPortType", "What kind of port it is; it limits the speeds the port accepts.", "copper100(1) copperGigabit(2) fibre100(3) fibreGigabit(4)"},
    {"1.15", "kxFan", ""},
    {"1.15.1", "kxFanStatus", "The state of the fan on models that have one: 1 normal, 2 fault."},

    // ------------------------------------------------------------ file transfer
    {"3", "kxTransfer", "Firmware upgrade and configuration upgrade or backup, which the switch performs against a TFTP server itself."},
    {"3.1", "kxFirmwareServer", "The TFTP server of the firmware transfer."},
    {"3.2", "kxFirmwareFile", "The file name of the firmware transfer on the TFTP server."},
    {"3.3", "kxFirmwareAction", "Writing upgrade(1) or backup(2) starts a firmware transfer; the object reads idle(0) again at once.", "idle(0) upgrade(1) backup(2)"},
    {"3.4", "kxFirmwareStatus", "The state of the last firmware transfer: 0 or 1 success, 2 failure, 3 in progress, 4 preparing."},
    {"3.5", "kxConfigServer", "The TFTP server of the configuration transfer."},
    {"3.6", "kxConfigFile", "The file name of the configuration transfer on the TFTP server."},
    {"3.7", "kxConfigAction", "Writing upgrade(1) or backup(2) starts a configuration transfer; the object reads idle(0) again at once.", "idle(0) upgrade(1) backup(2)"},
    {"3.8", "kxConfigStatus", "The state of the last configuration transfer: 0 or 1 success, 2 failure, 3 in progress, 4 preparing."},

    // ------------------------------------------------------------ spanning tree
    {"6", "kxStp", "Rapid spanning tree settings beyond BRIDGE-MIB."},
    {"6.1", "kxStpGlobal", ""},
    {"6.1.1", "kxRstpState", "Whether spanning tree runs on the switch.", "enabled(1) disabled(2)"},
    {"6.1.2", "kxStpVersion", "The spanning tree protocol version.", "stpCompatible(0) rstp(2)"},
    {"6.2", "kxRstpPortTable", "Spanning tree settings of the ports, one row per port."},
    {"6.2.1.1", "kxRstpPortIndex", "The port number."},
    {"6.2.1.2", "kxRstpPortPriority", "The spanning tree priority of the port."},
    {"6.2.1.4", "kxRstpPortEnable", "Whether the port takes part in spanning tree.", "enabled(1) disabled(2)"},
    {"6.2.1.5", "kxRstpPortPathCost", "The path cost of the port; 0 lets the switch choose it from the link speed."},
    {"6.2.1.14", "kxRstpPortSetting14", "A spanning tree setting of the port that the members of an aggregated link must share."},
    {"6.2.1.16", "kxRstpPortSetting16", "A spanning tree setting of the port that the members of an aggregated link must share."},
    {"6.2.1.17", "kxRstpPortSetting17", "A spanning tree setting of the port that the members of an aggregated link must share."},
    {"6.2.1.18", "kxRstpPortSetting18", "A spanning tree setting of the port that the members of an aggregated link must share."},

    // ------------------------------------------------------------ VLANs
    {"7", "kxVlan", "802.1Q static VLANs, port VLAN IDs, the management VLAN and asymmetric VLAN."},
    {"7.2", "kxMgmtVlanState", "Whether the switch is managed only through the management VLAN.", "enabled(1) disabled(2)"},
    {"7.3", "kxMgmtVlanId", "The VLAN the switch is managed through when kxMgmtVlanState is enabled."},
    {"7.5", "kxAsymVlanState", "Whether asymmetric VLAN is on.", "enabled(1) disabled(2)"},
    {"7.6", "dot1qVlanStaticTable", "The static VLANs, one row per VLAN ID."},
    {"7.6.1.1", "dot1qVlanStaticName", "The name of the VLAN."},
    {"7.6.1.2", "dot1qVlanStaticEgressPorts", "Every member port of the VLAN, tagged or untagged."},
    {"7.6.1.3", "dot1qVlanForbiddenEgressPorts", "Ports that may not join the VLAN."},
    {"7.6.1.4", "dot1qVlanStaticUntaggedPorts", "The member ports that send the VLAN's frames untagged."},
    {"7.6.1.5", "dot1qVlanStaticRowState", "The row status of the VLAN."},
    {"7.6.1.6", "dot1qVlanIndex", "The VLAN ID."},
    {"7.7", "dot1qVlanPortTable", "The VLAN of untagged frames a port receives, one row per port."},
    {"7.7.1.1", "dot1qVlanPvid", "The port VLAN ID: the VLAN of untagged frames received on the port."},
    {"7.7.1.2", "dot1qVlanPortIndex", "The port number."},

    // ------------------------------------------------------------ link aggregation
    {"8", "kxLinkAggregation", "Link aggregation: up to eight aggregated links, LACP or static."},
    {"8.1", "laObjects", ""},
    {"8.1.2", "laState", "Whether link aggregation is on.", "enabled(1) disabled(2)"},
    {"8.1.3", "laPortChannelTable", "The aggregation groups, one row per group."},
    {"8.1.3.1.1", "laPortChannelId", "The group number."},
    {"8.1.3.1.2", "laPortChannelMemberList", "The member ports of the group."},
    {"8.1.3.1.3", "laPortChannelMode", "How the group's link is formed.", "lacp(1) static(2) disable(3)"},

    // ------------------------------------------------------------ learning, static forwarding
    {"9", "kxForwarding", "Address learning and static forwarding entries."},
    {"9.2", "kxAutoLearnPorts", "The ports on which the switch learns source addresses."},
    {"9.3", "kxStaticFdbTable", "Static forwarding entries, indexed by VLAN ID and MAC address."},
    {"9.3.1.1", "kxStaticFdbVid", "The VLAN ID of the entry."},
    {"9.3.1.2", "kxStaticFdbAddress", "The MAC address of the entry."},
    {"9.3.1.3", "kxStaticFdbPort", "The port frames to the address leave by."},

    // ------------------------------------------------------------ IGMP snooping
    {"10", "kxIgmp", "IGMP snooping: global settings, per-VLAN settings and the multicast groups learnt."},
    {"10.1", "kxIgmpSnooping", ""},
    {"10.1.1", "kxIgmpSnoopingState", "Whether IGMP snooping is on.", "enabled(1) disabled(2)"},
    {"10.1.2", "kxIgmpRouterTimeout", "Router timeout, in seconds."},
    {"10.1.3", "kxIgmpHostTimeout", "Host timeout, in seconds."},
    {"10.1.4", "kxIgmpRobustness", "The robustness variable."},
    {"10.1.5", "kxIgmpLastMemberQueryInterval", "Last member query interval, in seconds."},
    {"10.1.6", "kxIgmpQueryInterval", "Query interval, in seconds."},
    {"10.1.7", "kxIgmpMaxResponseTime", "Maximum response time, in seconds."},
    {"10.1.8", "kxIgmpReportToAllPorts", "Whether reports are forwarded to every port.", "on(1) off(2)"},
    {"10.3", "kxIgmpTables", ""},
    {"10.3.4", "kxIgmpVlanTable", "IGMP snooping per VLAN, one row per static VLAN."},
    {"10.3.4.1.1", "kxIgmpVlanId", "The VLAN ID."},
    {"10.3.4.1.2", "kxIgmpVlanSnoopingState", "Whether IGMP snooping is on in the VLAN.", "enabled(1) disabled(2)"},
    {"10.3.4.1.4", "kxIgmpVlanQuerierState", "Whether the switch acts as querier in the VLAN.", "enabled(1) disabled(2)"},
    {"10.3.4.1.6", "kxIgmpVlanRouterPorts", "The static multicast router ports of the VLAN."},
    {"10.3.4.1.8", "kxIgmpVlanFastLeave", "Whether fast leave is on in the VLAN.", "enabled(1) disabled(2)"},
    {"10.3.5", "kxIgmpMemberTable", "The multicast groups learnt, indexed by VLAN ID and group address."},
    {"10.3.5.1.1", "kxIgmpMemberVlanId", "The VLAN ID."},
    {"10.3.5.1.2", "kxIgmpMemberGroup", "The group address, four octets."},
    {"10.3.5.1.3", "kxIgmpMemberGroupMac", "The MAC address of the group."},
    {"10.3.5.1.4", "kxIgmpMemberPorts", "The ports with members of the group."},

    // ------------------------------------------------------------ 802.1X
    {"11", "kxDot1x", "802.1X port-based network access control and its RADIUS server."},
    {"11.1", "kxRadius", ""},
    {"11.1.1", "kxRadiusServer", "The address of the RADIUS server."},
    {"11.1.2", "kxRadiusKey", "The key shared with the RADIUS server."},
    {"11.2", "kxDot1xConfig", ""},
    {"11.2.1", "kxDot1xState", "Whether 802.1X is on.", "enabled(1) disabled(2)"},
    {"11.2.2", "kxDot1xQuietPeriod", "Quiet period, in seconds."},
    {"11.2.3", "kxDot1xTxPeriod", "Transmit period, in seconds."},
    {"11.2.4", "kxDot1xSuppTimeout", "Supplicant timeout, in seconds."},
    {"11.2.5", "kxDot1xServerTimeout", "Server timeout, in seconds."},
    {"11.2.6", "kxDot1xMaxReq", "The most requests sent to a supplicant."},
    {"11.2.7", "kxDot1xReAuthPeriod", "Re-authentication period, in seconds."},
    {"11.2.8", "kxDot1xReAuthEnabled", "Whether supplicants are authenticated again periodically.", "enabled(1) disabled(2)"},
    {"11.2.9", "kxDot1xPortTable", "802.1X per port, one row per port."},
    {"11.2.9.1.1", "kxDot1xPortIndex", "The port number."},
    {"11.2.9.1.2", "kxDot1xPortControl", "How the port is controlled.", "forceUnauthorized(1) auto(2) forceAuthorized(3)"},
    {"11.2.9.1.3", "kxDot1xPortStatus", "Whether the port is authorized.", "authorized(1) unauthorized(2)"},

    // ------------------------------------------------------------ QoS
    {"12", "kxQos", "802.1p default priority of the ports."},
    {"12.3", "kxQosPriority", ""},
    {"12.3.1", "kxPortPriorityTable", "The default priority of the ports, one row per port."},
    {"12.3.1.1.1", "kxPortPriorityIndex", "The port number."},
    {"12.3.1.1.2", "kxPortDefaultPriority", "The 802.1p priority of untagged frames received on the port.", "low(1) middle(2) high(3) highest(4)"},

    // ------------------------------------------------------------ bandwidth and storm control
    {"13", "kxRateControl", "Bandwidth control per port and storm control."},
    {"13.1", "kxBandwidth", ""},
    {"13.1.2", "kxBandwidthTable", "The rate limits of the ports, one row per port."},
    {"13.1.2.1.1", "kxBandwidthPort", "The port number."},
    {"13.1.2.1.2", "kxBandwidthTxRate", "The transmit rate limit in Kbit/s; 0 means no limit."},
    {"13.1.2.1.3", "kxBandwidthRxRate", "The receive rate limit in Kbit/s; 0 means no limit."},
    {"13.3", "kxStormControl", ""},
    {"13.3.1", "kxStormState", "Whether storm control is on.", "enabled(1) disabled(2)"},
    {"13.3.2", "kxStormTrafficType", "The traffic storm control limits.", "broadcastOnly(1) multicastBroadcast(2) multicastBroadcastUnknownUnicast(3)"},
    {"13.3.3", "kxStormThreshold", "The storm threshold in Kbit/s: a multiple of the model's unit (63 Kbit/s on the KX-A1 R2 and KX-C1 R2, 64 on others)."},

    // ------------------------------------------------------------ security filters
    {"14", "kxSecurity", "Port security, ARP spoofing prevention, DHCP server screening, traffic segmentation and IP-MAC-port binding."},
    {"14.2", "kxPortSecurity", ""},
    {"14.2.1", "kxPortSecurityTable", "Port security, one row per port."},
    {"14.2.1.1.1", "kxPortSecurityIndex", "The port number."},
    {"14.2.1.1.2", "kxPortSecurityState", "Whether port security is on for the port: 1 enabled."},
    {"14.3", "kxArpSpoofing", ""},
    {"14.3.1", "kxArpSpoofingTable", "Gateways protected against ARP spoofing, indexed by the gateway's address."},
    {"14.3.1.1.1", "kxArpSpoofingGatewayIp", "The address of the gateway."},
    {"14.3.1.1.2", "kxArpSpoofingGatewayMac", "The MAC address of the gateway."},
    {"14.3.1.1.3", "kxArpSpoofingPorts", "The ports on which the switch enforces the binding."},
    {"14.3.1.1.4", "kxArpSpoofingRowStatus", "The row status of the entry."},
    {"14.7", "kxDhcpScreening", ""},
    {"14.7.1", "kxDhcpScreeningPorts", "The ports on which DHCP server packets are screened; the others are trusted."},
    {"14.7.2", "kxDhcpServerTable", "Trusted DHCP servers."},
    {"14.7.2.1.1", "kxDhcpServerIndex", "The entry number."},
    {"14.7.2.1.2", "kxDhcpServerAddress", "The address of the trusted server."},
    {"14.7.2.1.3", "kxDhcpServerRowStatus", "The row status of the entry."},
    {"14.9", "kxTrafficSegmentation", ""},
    {"14.9.1", "kxTrafficSegState", "Whether traffic segmentation is on.", "enabled(1) disabled(2)"},
    {"14.9.2", "kxTrafficSegTable", "Where each port may forward to, one row per port."},
    {"14.9.2.1.1", "kxTrafficSegPort", "The source port."},
    {"14.9.2.1.2", "kxTrafficSegForwardPorts", "The ports the source port may forward to."},
    {"14.10", "kxImpb", ""},
    {"14.10.1", "kxImpbPortTable", "IP-MAC-port binding per port, one row per port."},
    {"14.10.1.1.1", "kxImpbPort", "The port number."},
    {"14.10.1.1.2", "kxImpbPortState", "Whether binding is enforced on the port.", "disabled(0) enabled(1)"},
    {"14.10.1.1.3", "kxImpbPortMode", "What the port inspects.", "arpAndIp(0) arpOnly(1)"},
    {"14.10.1.1.4", "kxImpbPortDhcpSnooping", "Whether DHCP snooping is on for the port.", "disabled(0) enabled(1)"},
    {"14.10.2", "kxImpbBindingTable", "Address bindings the switch learnt or a scan found, indexed by MAC address, port and IP address."},
    {"14.10.2.1.1", "kxImpbBindingMac", "The MAC address."},
    {"14.10.2.1.2", "kxImpbBindingPort", "The port."},
    {"14.10.2.1.3", "kxImpbBindingIp", "The IP address."},
    {"14.10.2.1.4", "kxImpbBindingVid", "The VLAN ID."},
    {"14.10.2.1.5", "kxImpbBindingState", "Whether the entry is bound; writing bound(1) binds it.", "bound(1) unbound(2)"},
    {"14.10.3", "kxImpbWhiteListTable", "Hosts allowed by IP-MAC-port binding, indexed by IP and MAC address."},
    {"14.10.3.1.1", "kxImpbWhiteIp", "The IP address."},
    {"14.10.3.1.2", "kxImpbWhiteMac", "The MAC address."},
    {"14.10.3.1.3", "kxImpbWhitePort", "The port."},
    {"14.10.3.1.4", "kxImpbWhiteRowStatus", "The row status of the entry."},
    {"14.10.4", "kxImpbBlackListTable", "Hosts blocked by IP-MAC-port binding, indexed by MAC address, VLAN ID and port."},
    {"14.10.4.1.1", "kxImpbBlackMac", "The MAC address."},
    {"14.10.4.1.2", "kxImpbBlackVid", "The VLAN ID."},
    {"14.10.4.1.3", "kxImpbBlackPort", "The port."},
    {"14.10.4.1.4", "kxImpbBlackIp", "The IP address the host used."},
    {"14.10.4.1.5", "kxImpbBlackAction", "Writing remove(1) takes the host off the list.", "remove(1) none(2)"},
    {"14.10.5", "kxImpbScanFrom", "The first address of the address scan."},
    {"14.10.6", "kxImpbScanTo", "The last address of the address scan."},
    {"14.10.7", "kxImpbScanStart", "Writing start(1) scans the addresses from kxImpbScanFrom to kxImpbScanTo and adds the hosts found to kxImpbBindingTable; it reads idle(2) when the scan is over.", "start(1) idle(2)"},

    // ------------------------------------------------------------ ACL
    {"15", "kxAcl", "Access control lists, as far as other settings depend on them."},
    {"15.2", "kxAclConfig", ""},
    {"15.2.1", "kxAclTable", "Access control lists, one row per list."},
    {"15.2.1.1.1", "kxAclIndex", "The list number."},
    {"15.2.1.1.10", "kxAclPorts", "The ports the list applies to."},

    // ------------------------------------------------------------ syslog
    {"16", "kxSyslog", "The remote syslog server."},
    {"16.1", "kxSyslogConfig", ""},
    {"16.1.1", "kxSyslogServer", "The address of the syslog server."},
    {"16.1.2", "kxSyslogPort", "The UDP port of the syslog server."},
    {"16.1.4", "kxSyslogSeverity", "The least severe messages sent.", "warning(4) info(6) all(7)"},
    {"16.1.5", "kxSyslogFacility", "The facility of the messages.", "local0(128) local1(136) local2(144) local3(152) local4(160) local5(168) local6(176) local7(184)"},
    {"16.1.6", "kxSyslogState", "Whether messages are sent to the server.", "enabled(1) disabled(2)"},

    // ------------------------------------------------------------ loopback detection
    {"17", "kxLbd", "Loopback detection."},
    {"17.5", "kxLbdPortTable", "Loopback detection per port, one row per port."},
    {"17.5.1.1", "kxLbdPortIndex", "The port number."},
    {"17.5.1.2", "kxLbdPortState", "Whether loopback detection is on for the port; such a port cannot also run spanning tree.", "enabled(1) disabled(2)"},

    // ------------------------------------------------------------ port mirroring
    {"18", "kxMirror", "Port mirroring."},
    {"18.1", "kxMirrorState", "Whether port mirroring is on.", "enabled(1) disabled(2)"},
    {"18.2", "kxMirrorTargetPort", "The port the mirrored traffic is copied to."},
    {"18.3", "kxMirrorRxPorts", "The ports whose received traffic is copied."},
    {"18.4", "kxMirrorTxPorts", "The ports whose transmitted traffic is copied."},

    // ------------------------------------------------------------ voice VLAN
    {"21", "kxVoiceVlan", "The voice VLAN and its OUIs."},
    {"21.1", "kxVoiceVlanConfig", ""},
    {"21.1.2", "kxVoiceVlanState", "Whether the voice VLAN is on.", "enabled(1) disabled(2)"},
    {"21.1.3", "kxVoiceVlanId", "The voice VLAN ID; 0 when none is set."},
    {"21.1.6", "kxVoiceVlanPortTable", "The voice VLAN mode of the ports, one row per port."},
    {"21.1.6.1.1", "kxVoiceVlanPortIndex", "The port number."},
    {"21.1.6.1.2", "kxVoiceVlanPortMode", "The voice VLAN mode of the port: 1 auto."},
    {"21.2", "kxVoiceOui", ""},
    {"21.2.1", "kxVoiceOuiTable", "The OUIs of voice devices, indexed by the OUI's address."},
    {"21.2.1.1.1", "kxVoiceOuiAddress", "The address of the OUI."},
    {"21.2.1.1.4", "kxVoiceOuiState", "1 marks an entry that is in use."},

    // ------------------------------------------------------------ PoE
    {"22", "kxPoe", "Power over Ethernet: the power budget and the ports.", nullptr,
     "Only models that deliver Power over Ethernet implement these objects: the KX-A1 R2, the KX-C1 R2 and models whose name contains p or P."},
    {"22.1", "kxPoePortTable", "PoE per port, indexed by unit (always 1) and port."},
    {"22.1.1.1", "kxPoePortUnit", "The unit; always 1."},
    {"22.1.1.2", "kxPoePortIndex", "The port number."},
    {"22.1.1.3", "kxPoePortState", "Whether the port delivers power.", "enabled(1) disabled(2)"},
    {"22.1.1.4", "kxPoePortTimeRange", "The time profile that says when the port delivers power (kxTimeProfileId); 0 for always."},
    {"22.1.1.5", "kxPoePortPriority", "The priority of the port when the budget runs out.", "low(1) normal(2) high(3)"},
    {"22.1.1.6", "kxPoePortLimitClass", "The power limit of the port by class.", "auto(1) class1(2) class2(3) class3(4) class4(5)"},
    {"22.1.1.7", "kxPoePortUserLimitInForce", "Whether kxPoePortUserLimit is in force.", "yes(1) no(2)"},
    {"22.1.1.8", "kxPoePortUserLimit", "A user-defined power limit in watts, as decimal text."},
    {"22.1.1.9", "kxPoePortPower", "The power drawn, in watts, as decimal text."},
    {"22.1.1.10", "kxPoePortVoltage", "The voltage, in volts, as decimal text."},
    {"22.1.1.11", "kxPoePortCurrent", "The current, in milliamperes, as decimal text."},
    {"22.1.1.12", "kxPoePortClassification", "The class of the powered device, as text."},
    {"22.1.1.13", "kxPoePortStatus", "The power state of the port as text, such as POWER ON or POWER OFF."},
    {"22.2", "kxPoeThreshold", "The system power threshold in watts, as decimal text."},
    {"22.3", "kxPoeShutOffSequence", "Which port loses power when the budget runs out.", "denyNextPort(1) denyLowPriorityPort(2)"},
    {"22.4", "kxPoeBudget", "The total power budget in watts, as decimal text."},
    {"22.5", "kxPoeUsed", "The power in use in watts, as decimal text."},
    {"22.6", "kxPoeLeft", "The power left in watts, as decimal text."},
    {"22.7", "kxPoeSupplied", "The share of the system power supplied, in per cent, as decimal text."},

    // ------------------------------------------------------------ LLDP
    {"24", "kxLldp", "LLDP state and transmit timers."},
    {"24.1", "kxLldpState", "Whether LLDP is on.", "enabled(1) disabled(2)"},
    {"24.2", "kxLldpTxHold", "The message transmit hold multiplier."},
    {"24.3", "kxLldpTxInterval", "The message transmit interval, in seconds."},
    {"24.4", "kxLldpReinitDelay", "The re-initialisation delay, in seconds."},
    {"24.5", "kxLldpTxDelay", "The transmit delay, in seconds."},

    // ------------------------------------------------------------ SNMP agent administration
    {"25", "kxSnmpAdmin", "The switch's own SNMP agent: users, groups, views, communities, notification hosts, engine ID, traps and global state."},
    {"25.1", "kxSnmpGlobalState", "Whether the switch's SNMP agent is on.", "enabled(1) disabled(2)"},
    {"25.2", "kxSnmpUsers", ""},
    {"25.2.1", "kxSnmpUserTable", "SNMP users, indexed by name and SNMP version."},
    {"25.2.1.1.1", "kxSnmpUserName", "The user name, UTF-8."},
    {"25.2.1.1.2", "kxSnmpUserVersion", "The SNMP version of the user.", "v1(1) v2c(2) v3(3)"},
    {"25.2.1.1.3", "kxSnmpUserGroup", "The group of the user (kxSnmpGroupName)."},
    {"25.2.1.1.4", "kxSnmpUserAuthProtocol", "The authentication protocol.", "none(1) md5(2) sha(3)"},
    {"25.2.1.1.5", "kxSnmpUserAuthPassword", "The authentication password."},
    {"25.2.1.1.6", "kxSnmpUserPrivProtocol", "The privacy protocol.", "none(1) desCbc(2)"},
    {"25.2.1.1.7", "kxSnmpUserPrivPassword", "The privacy password."},
    {"25.2.1.1.8", "kxSnmpUserRowStatus", "The row status of the user."},
    {"25.3", "kxSnmpGroups", ""},
    {"25.3.1", "kxSnmpGroupTable", "SNMP groups, indexed by name, security model and security level."},
    {"25.3.1.1.1", "kxSnmpGroupName", "The group name, UTF-8."},
    {"25.3.1.1.2", "kxSnmpGroupSecurityModel", "The security model.", "v1(1) v2c(2) v3(3)"},
    {"25.3.1.1.3", "kxSnmpGroupSecurityLevel", "The security level.", "noAuthNoPriv(1) authNoPriv(2) authPriv(3)"},
    {"25.3.1.1.4", "kxSnmpGroupReadView", "The view the group reads (kxSnmpViewName)."},
    {"25.3.1.1.5", "kxSnmpGroupWriteView", "The view the group writes."},
    {"25.3.1.1.6", "kxSnmpGroupNotifyView", "The view of the group's notifications."},
    {"25.3.1.1.7", "kxSnmpGroupRowStatus", "The row status of the group."},
    {"25.4", "kxSnmpViews", ""},
    {"25.4.1", "kxSnmpViewTable", "MIB views, indexed by name and subtree."},
    {"25.4.1.1.1", "kxSnmpViewName", "The view name, UTF-8."},
    {"25.4.1.1.2", "kxSnmpViewSubtree", "The subtree of the view entry."},
    {"25.4.1.1.3", "kxSnmpViewMask", "The mask: one octet 0 or 1 per sub-identifier of the subtree."},
    {"25.4.1.1.4", "kxSnmpViewType", "Whether the subtree is in the view.", "included(1) excluded(2)"},
    {"25.4.1.1.5", "kxSnmpViewRowStatus", "The row status of the view entry."},
    {"25.5", "kxSnmpCommunities", ""},
    {"25.5.1", "kxSnmpCommunityTable", "Communities, indexed by name."},
    {"25.5.1.1.1", "kxSnmpCommunityName", "The community name, UTF-8."},
    {"25.5.1.1.2", "kxSnmpCommunityUser", "The user whose view policy the community uses."},
    {"25.5.1.1.3", "kxSnmpCommunityRowStatus", "The row status of the community."},
    {"25.6", "kxSnmpHosts", ""},
    {"25.6.1", "kxSnmpHostTable", "Notification receivers, indexed by address."},
    {"25.6.1.1.1", "kxSnmpHostAddress", "The address of the receiver."},
    {"25.6.1.1.2", "kxSnmpHostName", "The community or SNMPv3 user name the notifications carry, UTF-8."},
    {"25.6.1.1.3", "kxSnmpHostVersion", "The SNMP version and security of the notifications.", "v1(1) v2c(2) v3NoAuthNoPriv(3) v3AuthNoPriv(4) v3AuthPriv(5)"},
    {"25.6.1.1.4", "kxSnmpHostRowStatus", "The row status of the receiver."},
    {"25.7", "kxSnmpEngineId", "The engine ID of the switch's SNMP agent."},
    {"25.8", "kxSnmpTraps", ""},
    {"25.8.1", "kxSnmpTrapColdStart", "Whether the switch sends a coldStart notification when it starts from power-up.", "on(1) off(2)"},
    {"25.8.2", "kxSnmpTrapWarmStart", "Whether the switch sends a warmStart notification when it restarts.", "on(1) off(2)"},
    {"25.8.3", "kxSnmpTrapLinkUpDown", "Whether the switch sends linkUp and linkDown notifications when a port's link changes.", "on(1) off(2)"},
    {"25.8.4", "kxSnmpTrapAuthFailure", "Whether the switch sends an authenticationFailure notification for a request with a wrong community or user.", "on(1) off(2)"},
    {"25.8.5", "kxSnmpTrapTopologyChange", "Whether the switch sends newRoot and topologyChange notifications of the spanning tree.", "on(1) off(2)"},
    {"25.8.6", "kxSnmpTrapPoePortPower", "Whether the switch sends a notification when a PoE port starts or stops powering its device; PoE models only.", "on(1) off(2)"},
    {"25.8.7", "kxSnmpTrapPoeBudget", "Whether the switch sends a notification when the power drawn exceeds the PoE budget; PoE models only.", "on(1) off(2)"},
    {"25.8.8", "kxSnmpTrapPoePortFault", "Whether the switch sends a notification when a PoE port fails (overload or short circuit); PoE models only.", "on(1) off(2)"},

    // ------------------------------------------------------------ surveillance VLAN
    {"26", "kxSurveillanceVlan", "The auto surveillance VLAN and its OUIs."},
    {"26.1", "kxSurvConfig", ""},
    {"26.1.1", "kxSurvVlanState", "Whether the surveillance VLAN is on.", "enabled(1) disabled(2)"},
    {"26.1.2", "kxSurvVlanId", "The surveillance VLAN ID; 0 when none is set."},
    {"26.1.3", "kxSurvVlanPriority", "The priority of surveillance traffic."},
    {"26.1.4", "kxSurvVlanTaggedPorts", "The tagged uplink and downlink ports."},
    {"26.2", "kxSurvOui", ""},
    {"26.2.1", "kxSurvOuiTable", "The OUIs of surveillance devices, indexed by address. The two default entries of the maker cannot be deleted."},
    {"26.2.1.1.1", "kxSurvOuiAddress", "The address of the entry."},
    {"26.2.1.1.2", "kxSurvOuiDescription", "The description of the entry."},
    {"26.2.1.1.3", "kxSurvOuiMask", "The mask of the address."},
    {"26.2.1.1.4", "kxSurvOuiComponentType", "The kind of surveillance device."},
    {"26.2.1.1.5", "kxSurvOuiRowStatus", "The row status of the entry."},

    // ------------------------------------------------------------ multicast filtering
    {"28", "kxMcastFilter", "Multicast filtering of unregistered groups."},
    {"28.1", "kxMcastFilterTable", "Multicast filtering per port, one row per port."},
    {"28.1.1.1", "kxMcastFilterPort", "The port number."},
    {"28.1.1.2", "kxMcastFilterMode", "What the port does with frames of unregistered groups.", "forwardUnregistered(1) filterUnregistered(2)"},

    // ------------------------------------------------------------ power saving
    {"31", "kxPowerSaving", "Power saving: LED shut-off, port shut-off, port standby and hibernation, each bound to two time profiles, and the detection switches."},
    {"31.1", "kxLedShutOff", ""},
    {"31.1.1", "kxLedShutOffPorts", "The ports whose LEDs go off."},
    {"31.1.2", "kxLedShutOffState", "Whether LED shut-off is on.", "enabled(1) disabled(2)"},
    {"31.1.3", "kxLedShutOffProfile1", "The first time profile (kxTimeProfileName), or None."},
    {"31.1.4", "kxLedShutOffProfile2", "The second time profile, or None."},
    {"31.2", "kxPortShutOff", ""},
    {"31.2.1", "kxPortShutOffPorts", "The ports that are shut off."},
    {"31.2.2", "kxPortShutOffState", "Whether port shut-off is on.", "enabled(1) disabled(2)"},
    {"31.2.3", "kxPortShutOffProfile1", "The first time profile, or None."},
    {"31.2.4", "kxPortShutOffProfile2", "The second time profile, or None."},
    {"31.3", "kxPortStandby", ""},
    {"31.3.1", "kxPortStandbyPorts", "The ports that go to standby."},
    {"31.3.2", "kxPortStandbyState", "Whether port standby is on.", "enabled(1) disabled(2)"},
    {"31.3.3", "kxPortStandbyProfile1", "The first time profile, or None."},
    {"31.3.4", "kxPortStandbyProfile2", "The second time profile, or None."},
    {"31.4", "kxHibernation", ""},
    {"31.4.1", "kxHibernationState", "Whether system hibernation is on.", "enabled(1) disabled(2)"},
    {"31.4.2", "kxHibernationProfile1", "The first time profile, or None."},
    {"31.4.3", "kxHibernationProfile2", "The second time profile, or None."},
    {"31.5", "kxCableLengthDetection", "Whether cable length detection is on.", "enabled(1) disabled(2)"},
    {"31.6", "kxLinkStatusDetection", "Whether link status detection is on.", "enabled(1) disabled(2)"},

    // ------------------------------------------------------------ time profiles
    {"32", "kxTimeProfiles", "Time profiles, which say when PoE and power saving apply."},
    {"32.1", "kxTimeProfileTable", "Time profiles, one row per profile."},
    {"32.1.1.1", "kxTimeProfileId", "The profile number."},
    {"32.1.1.2", "kxTimeProfileName", "The profile name."},
    {"32.1.1.3", "kxTimeProfileDateInUse", "Whether the date span applies.", "yes(1) no(2)"},
    {"32.1.1.4", "kxTimeProfileFromYear", "The year the date span starts."},
    {"32.1.1.5", "kxTimeProfileFromMonth", "The month the date span starts."},
    {"32.1.1.6", "kxTimeProfileFromDay", "The day the date span starts."},
    {"32.1.1.7", "kxTimeProfileStartHour", "The hour the daily time starts."},
    {"32.1.1.8", "kxTimeProfileStartMinute", "The minute the daily time starts."},
    {"32.1.1.9", "kxTimeProfileToYear", "The year the date span ends."},
    {"32.1.1.10", "kxTimeProfileToMonth", "The month the date span ends."},
    {"32.1.1.11", "kxTimeProfileToDay", "The day the date span ends."},
    {"32.1.1.12", "kxTimeProfileEndHour", "The hour the daily time ends."},
    {"32.1.1.13", "kxTimeProfileEndMinute", "The minute the daily time ends."},
    {"32.1.1.14", "kxTimeProfileMonday", "Whether Monday is included.", "included(1) excluded(2)"},
    {"32.1.1.15", "kxTimeProfileTuesday", "Whether Tuesday is included.", "included(1) excluded(2)"},
    {"32.1.1.16", "kxTimeProfileWednesday", "Whether Wednesday is included.", "included(1) excluded(2)"},
    {"32.1.1.17", "kxTimeProfileThursday", "Whether Thursday is included.", "included(1) excluded(2)"},
    {"32.1.1.18", "kxTimeProfileFriday", "Whether Friday is included.", "included(1) excluded(2)"},
    {"32.1.1.19", "kxTimeProfileSaturday", "Whether Saturday is included.", "included(1) excluded(2)"},
    {"32.1.1.20", "kxTimeProfileSunday", "Whether Sunday is included.", "included(1) excluded(2)"},
    {"32.1.1.21", "kxTimeProfileRowStatus", "The row status of the profile."},

    // ------------------------------------------------------------ surveillance port modes
    {"34", "kxSurveillancePorts", "The surveillance VLAN state of the ports."},
    {"34.1", "kxSurvPortObjects", ""},
    {"34.1.5", "kxSurvPortTable", "The surveillance VLAN state of the ports, one row per port."},
    {"34.1.5.1.1", "kxSurvPortIndex", "The port number."},
    {"34.1.5.1.2", "kxSurvPortCameraState", "1 when a surveillance device is attached to the port."},
    {"34.1.5.1.3", "kxSurvPortDynamicMode", "2 when the port is in the surveillance VLAN's dynamic mode."},
};
// clang-format on

constexpr const char* kRevision = "202612070000Z";
constexpr const char* kRootName = "kxSwitchMIB";
constexpr std::uint32_t kConformanceArc = 100;

enum class Kind
{
    Subtree,
    Scalar,
    Table,
    Entry,
    Column,
    IndexColumn
};

struct Node
{
    Kind kind = Kind::Subtree;
    const Name* name = nullptr;
    const Syntax* syntax = nullptr; // scalars and columns
    Access access = Access::ReadOnly;
    const TableDef* table = nullptr; // tables, entries and their columns
    const ColumnDef* column = nullptr;
    const IndexPart* indexPart = nullptr; // the index part a column holds, served or not
    std::optional<std::int64_t> resting;  // what a command object reads between writes
};

struct Rendered
{
    std::string full;     // the SYNTAX clause
    std::string sequence; // the type in the row's SEQUENCE
    std::string note;     // what the SMI cannot say, for the DESCRIPTION
    std::map<std::int64_t, std::string> labels;
};

// An SMI descriptor of a value: a lower-case letter first, letters, digits and
// single hyphens, at most 64 characters.
bool ValidDescriptor(std::string_view s)
{
    if (s.empty() || s.size() > 64 || !std::islower(static_cast<unsigned char>(s[0])))
        return false;
    for (char c : s)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-')
            return false;
    return s.back() != '-' && s.find("--") == std::string_view::npos;
}

// "enabled(1) disabled(2)"
std::optional<std::map<std::int64_t, std::string>> ParseLabels(std::string_view text)
{
    std::map<std::int64_t, std::string> out;
    while (!text.empty()) {
        const auto end = std::min(text.find(' '), text.size());
        const std::string_view item = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        const auto open = item.find('(');
        if (item.empty() || open == std::string_view::npos || item.back() != ')')
            return std::nullopt;
        const auto label = item.substr(0, open);
        const auto value =
            ParseInt(item.substr(open + 1, item.size() - open - 2), -2147483648LL, 2147483647LL);
        if (!ValidDescriptor(label) || !value || !out.emplace(*value, label).second)
            return std::nullopt;
    }
    return out;
}

std::string Hex(std::string_view octets)
{
    return "'" + HexOctets(octets) + "'H";
}

// Text as a quoted SMI string, wrapped, each line indented by `indent`.
std::string Quoted(std::string_view text, std::size_t indent)
{
    const std::string pad(indent, ' ');
    std::string out = pad + "\"";
    std::size_t column = out.size();
    bool first = true;
    while (!text.empty()) {
        const auto end = std::min(text.find(' '), text.size());
        const std::string_view word = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        if (word.empty())
            continue;
        if (!first && column + 1 + word.size() > 76) {
            out += "\n" + pad + " ";
            column = indent + 1;
        } else if (!first) {
            out += ' ';
            ++column;
        }
        out += word;
        column += word.size();
        first = false;
    }
    return out + "\"";
}

class Writer
{
public:
    explicit Writer(const Profile& profile) : m_profile(profile) {}

    std::string run(std::string& out)
    {
        std::string err = readNames();
        if (err.empty())
            err = collect();
        if (err.empty())
            err = nameNodes();
        std::string body;
        if (err.empty())
            err = renderObjects(body);
        if (err.empty())
            err = renderConformance(body);
        if (!err.empty())
            return err;
        out = header() + body + "END\n";
        return {};
    }

private:
    const Oid m_root = P();
    const Profile& m_profile;
    std::map<Oid, const Name*> m_names;
    std::set<std::string> m_descriptors;
    std::map<Oid, Node> m_nodes;
    std::map<std::string, std::set<std::string>> m_imports;
    bool m_usesPortList = false;
    bool m_usesUtf8 = false;

    std::string rel(const Oid& oid) const { return "P." + FormatOid(Tail(oid, m_root.size())); }

    void use(const char* module, const char* symbol) { m_imports[module].insert(symbol); }

    std::string readNames()
    {
        for (const Name& n : kNames) {
            auto tail = ParseOid(n.oid);
            if (!tail)
                return std::string("bad OID ") + n.oid + " in the name list";
            if (!m_names.emplace(Concat(m_root, *tail), &n).second)
                return std::string("P.") + n.oid + " is named twice";
            if (!ValidDescriptor(n.name) || !m_descriptors.insert(n.name).second)
                return std::string("bad or repeated name ") + n.name;
            if (!n.text || std::strchr(n.text, '"') ||
                (n.condition && std::strchr(n.condition, '"')))
                return std::string("the description of ") + n.name +
                       " is empty or holds a double quote";
        }
        return {};
    }

    Node* add(const Oid& oid, Kind kind, std::string& err)
    {
        auto [it, fresh] = m_nodes.try_emplace(oid);
        if (!fresh && it->second.kind != kind) {
            err = rel(oid) + " is both an object and a subtree or table";
            return nullptr;
        }
        it->second.kind = kind;
        return &it->second;
    }

    // The column that serves index part k (its default names the part), or 0.
    static std::uint32_t IndexColumn(const TableDef& t, std::size_t k)
    {
        // Appended, not "$" + ...: GCC 12 warns falsely (-Wrestrict) on that at -O3.
        std::string ref = "$";
        ref += std::to_string(k + 1);
        for (const auto& [number, c] : t.columns)
            if (c.defaultText == ref)
                return number;
        return 0;
    }

    // A column serving an index part must encode to the instance the device
    // decodes: integers as one arc, addresses as four, MACs as six, strings
    // and OIDs with their length first.
    static bool FitsIndex(const Syntax& s, IndexPart::Kind kind)
    {
        switch (kind) {
        case IndexPart::Int:
            return s.type() == Type::Integer || s.type() == Type::Unsigned;
        case IndexPart::Ip:
            return s.type() == Type::IpAddress ||
                   (s.notation == Notation::Hex && s.minSize == 4 && s.maxSize == 4);
        case IndexPart::Mac:
            return s.notation == Notation::Hex && s.minSize == 6 && s.maxSize == 6;
        case IndexPart::Str:
            return s.notation == Notation::Text && s.minSize != s.maxSize;
        case IndexPart::OidLen:
            return s.type() == Type::ObjectId;
        }
        return false;
    }

    std::string collectTable(const TableDef& t)
    {
        std::string err;
        if (t.entry.size() < m_root.size() + 2 || t.entry.back() != 1)
            return "the entry of table " + rel(t.entry) + " is not arc 1 of its table";
        if (!add(Oid(t.entry.begin(), t.entry.end() - 1), Kind::Table, err))
            return err;
        Node* entry = add(t.entry, Kind::Entry, err);
        if (!entry)
            return err;
        entry->table = &t;
        m_nodes[Oid(t.entry.begin(), t.entry.end() - 1)].table = &t;
        for (const auto& [number, c] : t.columns) {
            Node* n = add(t.columnOid(number), Kind::Column, err);
            if (!n)
                return err;
            n->table = &t;
            n->column = &c;
            n->syntax = c.syntax;
            n->access = c.access;
            if (m_profile.schema.isCommand(t.columnOid(number)))
                n->resting = ParseInt(c.defaultText, -4294967295LL, 4294967295LL);
        }
        std::vector<const IndexPart*> hidden;
        for (std::size_t k = 0; k < t.index.size(); ++k) {
            const std::uint32_t c = IndexColumn(t, k);
            if (!c)
                hidden.push_back(&t.index[k]);
            else if (!FitsIndex(*t.column(c)->syntax, t.index[k].kind))
                return "column " + rel(t.columnOid(c)) + " does not encode index part " +
                       std::to_string(k + 1);
            else
                m_nodes[t.columnOid(c)].indexPart = &t.index[k];
        }
        std::vector<Oid> named;
        for (auto it = m_names.upper_bound(t.entry);
             it != m_names.end() && IsPrefix(t.entry, it->first); ++it)
            if (it->first.size() == t.entry.size() + 1 && !t.column(it->first.back()))
                named.push_back(it->first);
        if (named.size() != hidden.size())
            return "table " + rel(t.entry) + " has " + std::to_string(hidden.size()) +
                   " index parts without a column, the name list " + std::to_string(named.size());
        for (std::size_t i = 0; i < named.size(); ++i) {
            Node* n = add(named[i], Kind::IndexColumn, err);
            if (!n)
                return err;
            n->table = &t;
            n->indexPart = hidden[i];
        }
        return {};
    }

    std::string collectScalar(const ObjectLine& line)
    {
        if (!IsPrefix(m_root, line.oid) || m_profile.schema.tableFor(line.oid))
            return {};
        if (line.oid.size() < m_root.size() + 2 || line.oid.back() != 0)
            return rel(line.oid) + " is neither a scalar (.0) nor in a table";
        std::string err;
        Node* n = add(Oid(line.oid.begin(), line.oid.end() - 1), Kind::Scalar, err);
        if (!n)
            return err;
        n->syntax = line.entry.syntax;
        n->access = line.entry.access;
        if (m_profile.schema.isCommand(line.oid))
            n->resting = line.entry.value.num;
        return {};
    }

    std::string collect()
    {
        for (const TableDef& t : m_profile.schema.tables())
            if (IsPrefix(m_root, t.entry))
                if (std::string err = collectTable(t); !err.empty())
                    return err;
        for (const ObjectLine& line : m_profile.objects)
            if (std::string err = collectScalar(line); !err.empty())
                return err;
        for (const auto& [name, scenario] : m_profile.scenarios)
            for (const ObjectLine& line : scenario.objects)
                if (std::string err = collectScalar(line); !err.empty())
                    return err;
        std::vector<Oid> objects;
        for (const auto& [oid, node] : m_nodes)
            objects.push_back(oid);
        for (Oid up : objects)
            for (up.pop_back(); up.size() > m_root.size(); up.pop_back())
                m_nodes.try_emplace(up);
        if (m_nodes.count(Concat(m_root, {kConformanceArc})))
            return "the device serves the arc of the conformance statements";
        return {};
    }

    std::string nameNodes()
    {
        std::string missing;
        for (auto& [oid, node] : m_nodes) {
            // An entry goes by its table's name, with Entry for Table.
            auto it =
                m_names.find(node.kind == Kind::Entry ? Oid(oid.begin(), oid.end() - 1) : oid);
            if (it == m_names.end())
                missing += " " + rel(oid);
            else
                node.name = it->second;
        }
        if (!missing.empty())
            return "no name for" + missing;
        for (const auto& [oid, name] : m_names)
            if (!m_nodes.count(oid))
                return std::string("the name ") + name->name + " (P." + name->oid +
                       ") has no object";
        for (const auto& [oid, node] : m_nodes) {
            const std::string n = node.name->name;
            const bool isTable = n.size() > 5 && n.compare(n.size() - 5, 5, "Table") == 0;
            if (node.kind == Kind::Entry)
                continue;
            if (!*node.name->text &&
                (node.kind != Kind::Subtree || oid.size() == m_root.size() + 1))
                return n + " has no description";
            if ((node.kind == Kind::Table) != isTable)
                return n + ": only tables have names ending in Table";
            if (node.kind == Kind::Table &&
                !m_descriptors.insert(n.substr(0, n.size() - 5) + "Entry").second)
                return n + ": its entry's name is taken";
            if (node.name->labels && !ParseLabels(node.name->labels))
                return n + ": bad labels";
        }
        return {};
    }

    std::string parentOf(const Oid& oid) const
    {
        const Oid up(oid.begin(), oid.end() - 1);
        if (up == m_root)
            return kRootName;
        const Node& n = m_nodes.at(up);
        if (n.kind == Kind::Entry)
            return entryName(n);
        return n.name->name;
    }

    static std::string entryName(const Node& entry)
    {
        // The entry node carries the table's name.
        const std::string t = entry.name->name;
        return t.substr(0, t.size() - 5) + "Entry";
    }

    static std::string rowType(const Node& entry)
    {
        std::string s = entryName(entry);
        s[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(s[0])));
        return s;
    }

    // The values an integer index part decodes to. The device takes any
    // 32-bit arc; an SMI index is a non-negative Integer32.
    static Syntax::Range IndexRange(const IndexPart& part)
    {
        return {std::max<std::int64_t>(part.lo, 0), std::min<std::int64_t>(part.hi, 2147483647LL),
                1};
    }

    std::string renderInteger(const Node& n, const Syntax& s, Rendered& r)
    {
        std::vector<Syntax::Range> ranges = s.ranges;
        if (ranges.empty() && n.indexPart && !n.name->labels)
            ranges.push_back(IndexRange(*n.indexPart));
        if (n.resting && !s.inRange(*n.resting))
            ranges.push_back({*n.resting, *n.resting, 1});
        std::sort(ranges.begin(), ranges.end(),
                  [](const Syntax::Range& a, const Syntax::Range& b) { return a.lo < b.lo; });
        const bool isUnsigned = s.type() == Type::Unsigned;
        if (n.name->labels) {
            r.labels = *ParseLabels(n.name->labels);
            if (isUnsigned)
                return std::string(n.name->name) + ": labels on an Unsigned32";
            if (!ranges.empty()) {
                std::set<std::int64_t> allowed;
                for (const auto& range : ranges)
                    for (std::int64_t v = range.lo; v <= range.hi && allowed.size() <= 64;
                         v += range.step)
                        allowed.insert(v);
                std::set<std::int64_t> named;
                for (const auto& [v, label] : r.labels)
                    named.insert(v);
                if (allowed != named)
                    return std::string(n.name->name) +
                           ": the labels do not name exactly the values " + s.text() + " allows";
            }
            r.full = "INTEGER {";
            for (const auto& [v, label] : r.labels)
                r.full +=
                    (r.full.back() == '{' ? " " : ", ") + label + "(" + std::to_string(v) + ")";
            r.full += " }";
            r.sequence = "INTEGER";
            return {};
        }
        r.sequence = isUnsigned ? "Unsigned32" : "Integer32";
        use("SNMPv2-SMI", isUnsigned ? "Unsigned32" : "Integer32");
        r.full = r.sequence;
        const std::int64_t lo = isUnsigned ? 0 : -2147483648LL;
        const std::int64_t hi = isUnsigned ? 4294967295LL : 2147483647LL;
        for (std::size_t i = 0; i < ranges.size(); ++i) {
            const auto& range = ranges[i];
            if (range.lo < lo || range.hi > hi)
                return std::string(n.name->name) + ": range " + s.text() + " exceeds " + r.sequence;
            r.full += i == 0 ? " (" : " | ";
            r.full += std::to_string(range.lo);
            if (range.hi != range.lo)
                r.full += ".." + std::to_string(range.hi);
            if (range.step != 1)
                r.note += "Between " + std::to_string(range.lo) + " and " +
                          std::to_string(range.hi) + " only multiples of " +
                          std::to_string(range.step) + " are accepted. ";
        }
        if (!ranges.empty())
            r.full += ")";
        return {};
    }

    static std::string Size(std::size_t lo, std::size_t hi)
    {
        return " (SIZE (" +
               (lo == hi ? std::to_string(lo) : std::to_string(lo) + ".." + std::to_string(hi)) +
               "))";
    }

    std::string renderString(const Node& n, const Syntax& s, Rendered& r)
    {
        const bool sized = s.minSize != 0 || s.maxSize != 65535;
        if (s.notation == Notation::PortList) {
            m_usesPortList = true;
            r.full = r.sequence = "KxPortList";
        } else if (s.notation == Notation::Hex && s.minSize == 6 && s.maxSize == 6) {
            use("SNMPv2-TC", "MacAddress");
            r.full = r.sequence = "MacAddress";
        } else if (s.notation == Notation::Text && s.sizeInCharacters) {
            // SIZE counts octets; a UTF-8 character takes up to four.
            if (s.maxSize * 4 > 255)
                return std::string(n.name->name) + ": too long for KxUtf8String";
            m_usesUtf8 = true;
            r.full = r.sequence = "KxUtf8String";
            r.full += Size(s.minSize, s.maxSize * 4);
            r.note += "At most " + std::to_string(s.maxSize) + " characters. ";
        } else if (s.notation == Notation::Text && (!sized || s.maxSize <= 255)) {
            use("SNMPv2-TC", "DisplayString");
            r.full = r.sequence = "DisplayString";
            if (sized)
                r.full += Size(s.minSize, s.maxSize);
        } else {
            r.full = r.sequence = "OCTET STRING";
            if (sized)
                r.full += Size(s.minSize, s.maxSize);
        }
        return {};
    }

    std::string render(const Node& n, Rendered& r)
    {
        if (n.kind == Kind::IndexColumn) {
            const IndexPart& part = *n.indexPart;
            switch (part.kind) {
            case IndexPart::Int: {
                use("SNMPv2-SMI", "Integer32");
                const Syntax::Range range = IndexRange(part);
                r.sequence = "Integer32";
                r.full = "Integer32 (" + std::to_string(range.lo) + ".." +
                         std::to_string(range.hi) + ")";
                return {};
            }
            case IndexPart::Ip:
                use("SNMPv2-SMI", "IpAddress");
                r.full = r.sequence = "IpAddress";
                return {};
            case IndexPart::Mac:
                use("SNMPv2-TC", "MacAddress");
                r.full = r.sequence = "MacAddress";
                return {};
            case IndexPart::OidLen:
                r.full = r.sequence = "OBJECT IDENTIFIER";
                return {};
            case IndexPart::Str:
                r.sequence = "OCTET STRING";
                r.full = "OCTET STRING (SIZE (0..64))";
                return {};
            }
        }
        if (n.table && n.table->statusColumn && n.column &&
            n.column->number == *n.table->statusColumn) {
            use("SNMPv2-TC", "RowStatus");
            r.full = r.sequence = "RowStatus";
            return {};
        }
        const Syntax& s = *n.syntax;
        switch (s.type()) {
        case Type::Integer:
        case Type::Unsigned:
            return renderInteger(n, s, r);
        case Type::OctetString:
            return renderString(n, s, r);
        case Type::Counter32:
            use("SNMPv2-SMI", "Counter32");
            r.full = r.sequence = "Counter32";
            return {};
        case Type::TimeTicks:
            use("SNMPv2-SMI", "TimeTicks");
            r.full = r.sequence = "TimeTicks";
            return {};
        case Type::IpAddress:
            use("SNMPv2-SMI", "IpAddress");
            r.full = r.sequence = "IpAddress";
            return {};
        case Type::ObjectId:
            r.full = r.sequence = "OBJECT IDENTIFIER";
            return {};
        case Type::Opaque:
            use("SNMPv2-SMI", "Opaque");
            r.full = r.sequence = "Opaque";
            return {};
        case Type::Counter64:
            use("SNMPv2-SMI", "Counter64");
            r.full = r.sequence = "Counter64";
            return {};
        case Type::Null:
            break;
        }
        return std::string(n.name->name) + ": no SMI type for " + s.text();
    }

    // The creation default of a read-create column, as a DEFVAL value.
    static std::optional<std::string> DefVal(const Node& n, const Rendered& r)
    {
        if (n.kind != Kind::Column || n.access != Access::ReadCreate || r.sequence == "RowStatus" ||
            n.column->defaultText.find('$') != std::string::npos)
            return std::nullopt;
        auto v = ParseValue(n.column->defaultText, n.syntax->notation);
        if (!v)
            return std::nullopt;
        switch (v->type) {
        case Type::Integer:
        case Type::Unsigned: {
            auto label = r.labels.find(v->num);
            return label != r.labels.end() ? label->second : std::to_string(v->num);
        }
        case Type::OctetString:
            if (n.syntax->notation == Notation::Text &&
                std::all_of(v->bytes.begin(), v->bytes.end(),
                            [](char c) { return c >= ' ' && c <= '~' && c != '"'; }))
                return "\"" + v->bytes + "\"";
            return Hex(v->bytes);
        case Type::IpAddress: {
            std::string octets;
            for (int shift = 24; shift >= 0; shift -= 8)
                octets.push_back(static_cast<char>((v->num >> shift) & 0xff));
            return Hex(octets);
        }
        default:
            return std::nullopt;
        }
    }

    static const char* AccessText(const Node& n)
    {
        if (n.kind == Kind::IndexColumn)
            return "not-accessible";
        switch (n.access) {
        case Access::ReadOnly:
            return "read-only";
        case Access::ReadWrite:
            return "read-write";
        case Access::ReadCreate:
            return "read-create";
        }
        return "read-only";
    }

    std::string tableNotes(const TableDef& t) const
    {
        std::string note;
        if (t.statusColumn)
            note += "Rows are created and destroyed through " +
                    std::string(m_nodes.at(t.columnOid(*t.statusColumn)).name->name) + ". ";
        if (t.maxRows)
            note += "The device keeps at most " + std::to_string(t.maxRows) + " rows. ";
        for (const Oid& row : t.protectedRows)
            note += "It refuses to destroy the row with index " + FormatOid(row) + ". ";
        return note;
    }

    std::string objectType(const std::string& name, const std::string& syntax, const char* access,
                           const std::string& text, const std::string& extra,
                           const std::string& parent, std::uint32_t arc) const
    {
        return name + " OBJECT-TYPE\n    SYNTAX      " + syntax + "\n    MAX-ACCESS  " + access +
               "\n    STATUS      current\n    DESCRIPTION\n" + Quoted(text, 8) + "\n" + extra +
               "    ::= { " + parent + " " + std::to_string(arc) + " }\n\n";
    }

    std::string renderObjects(std::string& body)
    {
        use("SNMPv2-SMI", "OBJECT-TYPE");
        for (const auto& [oid, node] : m_nodes) {
            const std::string parent = parentOf(oid);
            const std::string name = node.name->name;
            switch (node.kind) {
            case Kind::Subtree:
                body += name + " OBJECT IDENTIFIER ::= { " + parent + " " +
                        std::to_string(oid.back()) + " }\n\n";
                break;
            case Kind::Table:
                body += objectType(name, "SEQUENCE OF " + rowType(m_nodes.at(Concat(oid, {1}))),
                                   "not-accessible",
                                   std::string(node.name->text) + " " + tableNotes(*node.table), "",
                                   parent, oid.back());
                break;
            case Kind::Entry: {
                std::string index;
                std::string sequence;
                for (std::size_t k = 0; k < node.table->index.size(); ++k) {
                    std::uint32_t c = IndexColumn(*node.table, k);
                    Oid column;
                    if (c) {
                        column = node.table->columnOid(c);
                    } else {
                        for (auto it = m_nodes.upper_bound(oid);
                             it != m_nodes.end() && IsPrefix(oid, it->first); ++it)
                            if (it->second.indexPart == &node.table->index[k])
                                column = it->first;
                    }
                    index += (k ? ", " : "") + std::string(m_nodes.at(column).name->name);
                }
                for (auto it = m_nodes.upper_bound(oid);
                     it != m_nodes.end() && IsPrefix(oid, it->first); ++it) {
                    Rendered r;
                    if (std::string err = render(it->second, r); !err.empty())
                        return err;
                    sequence += std::string(sequence.empty() ? "" : ",\n") + "    " +
                                it->second.name->name +
                                std::string(std::max<std::size_t>(
                                                1, 36 - std::strlen(it->second.name->name)),
                                            ' ') +
                                r.sequence;
                }
                body += objectType(
                    entryName(node), rowType(node), "not-accessible",
                    "A row of " +
                        std::string(m_nodes.at(Oid(oid.begin(), oid.end() - 1)).name->name) + ".",
                    "    INDEX       { " + index + " }\n", parent, oid.back());
                body += rowType(node) + " ::= SEQUENCE {\n" + sequence + "\n}\n\n";
                break;
            }
            case Kind::Scalar:
            case Kind::Column:
            case Kind::IndexColumn: {
                Rendered r;
                if (std::string err = render(node, r); !err.empty())
                    return err;
                std::string extra;
                if (auto d = DefVal(node, r))
                    extra = "    DEFVAL      { " + *d + " }\n";
                body += objectType(name, r.full, AccessText(node),
                                   std::string(node.name->text) + " " + r.note, extra, parent,
                                   oid.back());
                break;
            }
            }
        }
        return {};
    }

    std::string renderConformance(std::string& body)
    {
        use("SNMPv2-CONF", "MODULE-COMPLIANCE");
        use("SNMPv2-CONF", "OBJECT-GROUP");
        std::string groups;
        std::string mandatory;
        std::string conditional;
        for (const auto& [oid, top] : m_nodes) {
            if (oid.size() != m_root.size() + 1)
                continue;
            std::string objects;
            for (auto it = m_nodes.upper_bound(oid);
                 it != m_nodes.end() && IsPrefix(oid, it->first); ++it)
                if (it->second.kind == Kind::Scalar || it->second.kind == Kind::Column)
                    objects += std::string(objects.empty() ? "" : ",\n") + "        " +
                               it->second.name->name;
            if (objects.empty())
                continue;
            const std::string group = std::string(top.name->name) + "Group";
            if (!m_descriptors.insert(group).second)
                return group + " is already a name";
            groups += group + " OBJECT-GROUP\n    OBJECTS {\n" + objects +
                      "\n    }\n    STATUS      current\n    DESCRIPTION\n" +
                      Quoted(top.name->text, 8) + "\n    ::= { kxSwitchGroups " +
                      std::to_string(oid.back()) + " }\n\n";
            if (top.name->condition)
                conditional += "        GROUP " + group + "\n        DESCRIPTION\n" +
                               Quoted(top.name->condition, 12) + "\n";
            else
                mandatory += std::string(mandatory.empty() ? "" : ",\n") + "            " + group;
        }
        body += "kxSwitchConformance OBJECT IDENTIFIER ::= { " + std::string(kRootName) + " " +
                std::to_string(kConformanceArc) +
                " }\nkxSwitchCompliances OBJECT IDENTIFIER ::= { kxSwitchConformance 1 }\n"
                "kxSwitchGroups OBJECT IDENTIFIER ::= { kxSwitchConformance 2 }\n\n"
                "kxSwitchCompliance MODULE-COMPLIANCE\n    STATUS      current\n    DESCRIPTION\n" +
                Quoted("What a switch of the family implements of this module.", 8) +
                "\n    MODULE -- this module\n        MANDATORY-GROUPS {\n" + mandatory +
                "\n        }\n" + conditional + "    ::= { kxSwitchCompliances 1 }\n\n" + groups;
        return {};
    }

    std::string header()
    {
        use("SNMPv2-SMI", "MODULE-IDENTITY");
        use("SNMPv2-SMI", "enterprises");
        if (m_usesPortList || m_usesUtf8)
            use("SNMPv2-TC", "TEXTUAL-CONVENTION");
        std::string out =
            std::string(kMibModuleName) +
            " DEFINITIONS ::= BEGIN\n\n"
            "-- Written by kxsim from its device profile (a double hyphen would end\n"
            "-- this comment, so the option goes unnamed). Change the profile or the\n"
            "-- name list in sim/Mib.cpp, not this file.\n\n"
            "IMPORTS\n";
        for (const char* module : {"SNMPv2-SMI", "SNMPv2-TC", "SNMPv2-CONF"}) {
            const auto& symbols = m_imports[module];
            if (symbols.empty())
                continue;
            std::string line = "   ";
            std::size_t i = 0;
            for (const auto& symbol : symbols) {
                std::string item = " " + symbol + (++i < symbols.size() ? "," : "");
                if (line.size() + item.size() > 76) {
                    out += line + "\n";
                    line = "   ";
                }
                line += item;
            }
            out += line + "\n        FROM " + module +
                   (std::strcmp(module, "SNMPv2-CONF") == 0 ? ";" : "") + "\n";
        }
        out +=
            std::string("\n") + kRootName +
            " MODULE-IDENTITY\n"
            "    LAST-UPDATED \"" +
            kRevision +
            "\"\n"
            "    ORGANIZATION \"KX module developers\"\n"
            "    CONTACT-INFO\n" +
            Quoted("KX module developers. Report problems through the project's issue tracker.",
                   8) +
            "\n    DESCRIPTION\n" +
            Quoted("The private objects of the KX-A1 R2 managed switch: system and ports, file "
                   "transfer, spanning tree, VLANs, link aggregation, forwarding, IGMP snooping, "
                   "802.1X, QoS and storm control, security filters, syslog, loopback detection, "
                   "mirroring, voice and surveillance VLANs, PoE, LLDP, SNMP agent administration, "
                   "multicast filtering, power saving and time profiles. The enterprise number "
                   "99999 stands in for the maker's.",
                   8) +
            "\n    REVISION \"" + kRevision + "\"\n    DESCRIPTION\n" +
            Quoted("First version, written from the simulator's device profile.", 8) +
            "\n    ::= { kxSwitches 13 }\n\n"
            "-- The path from enterprises to the module; 99999 is a placeholder enterprise "
            "number.\n"
            "kxEnterprise OBJECT IDENTIFIER ::= { enterprises 99999 }\n"
            "kxProducts OBJECT IDENTIFIER ::= { kxEnterprise 10 }\n"
            "kxSwitches OBJECT IDENTIFIER ::= { kxProducts 75 }\n\n";
        if (m_usesPortList)
            out +=
                "KxPortList ::= TEXTUAL-CONVENTION\n    DISPLAY-HINT \"1x:\"\n    STATUS      "
                "current\n"
                "    DESCRIPTION\n" +
                Quoted("A set of ports, one bit a port: port 1 is the most significant bit of the "
                       "first octet. Four octets on devices with up to 32 ports, eight above.",
                       8) +
                "\n    SYNTAX      OCTET STRING (SIZE (4 | 8))\n\n";
        if (m_usesUtf8)
            out += "KxUtf8String ::= TEXTUAL-CONVENTION\n    DISPLAY-HINT \"255t\"\n    STATUS     "
                   " current\n"
                   "    DESCRIPTION\n" +
                   Quoted("Text in UTF-8.", 8) +
                   "\n    SYNTAX      OCTET STRING (SIZE (0..255))\n\n";
        return out;
    }
};

} // namespace

std::string WriteMib(const Profile& profile, std::string& out)
{
    return Writer(profile).run(out);
}

std::string WriteMib(const DeviceConfig& config, std::string& out)
{
    ProfileContext ctx;
    ctx.ports = config.ports;
    ctx.portListLen = config.ports <= 32 ? 4 : 8;
    ctx.readCommunity = config.readCommunity;
    ctx.writeCommunity = config.writeCommunity;
    Profile profile;
    const std::string err = LoadProfile(
        config.profileText.empty() ? BuiltinProfile() : std::string_view(config.profileText), ctx,
        profile);
    return err.empty() ? WriteMib(profile, out) : "profile: " + err;
}

} // namespace kxsim
