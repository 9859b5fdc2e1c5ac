#include "core/l2/TrunkRules.h"

#include "base/Trace.h"

namespace kx::l2 {

QString TrunkRuleMessage(TrunkRule rule)
{
    switch (rule) {
    case TrunkRule::None: return {};
    case TrunkRule::OtherGroup:
        return QStringLiteral("Cannot add the port as it is a member of another aggregated link !");
    case TrunkRule::PortType:
        return QStringLiteral("Cannot add ports of different types to an aggregated link !");
    case TrunkRule::HalfDuplex:
        return QStringLiteral("Cannot add a port in half-duplex mode to an aggregated link.");
    case TrunkRule::Speed:
        return QStringLiteral("Cannot add ports of different speed to an aggregated link.");
    case TrunkRule::DhcpScreening:
        return QStringLiteral(
            "Cannot add ports with different DHCP Server Screening Port Settings to an aggregated link.");
    case TrunkRule::Dot1xEnabled:
        return QStringLiteral("Cannot add the 802.1X-enabled port to an aggregated link.");
    case TrunkRule::Dot1xChannelMode:
        return QStringLiteral("Setting the Channel Mode Fail.");
    case TrunkRule::Vlan:
        return QStringLiteral("Cannot add ports with different VLAN configurations to an aggregated link !");
    case TrunkRule::AutoLearning:
        return QStringLiteral("Cannot add a Auto-learn disabled port to an aggregated link.");
    case TrunkRule::DefaultPriority:
        return QStringLiteral("Cannot add ports with different 802.1p default priorities to an aggregated link.");
    case TrunkRule::Pvid:
        return QStringLiteral("Cannot add ports with different PVIDs to an aggregated link.");
    case TrunkRule::PortSecurity:
        return QStringLiteral("Cannot add a port-security anabled port to an aggregated link.");
    case TrunkRule::LoopbackDetection:
        return QStringLiteral("Cannot add a LBD-enabled port to an aggregated link.");
    case TrunkRule::MirrorSource:
        return QStringLiteral("Cannot add ports of Port Mirror enable ports to an aggregated link.");
    case TrunkRule::MirrorTarget:
        return QStringLiteral("Cannot add a mirror port to an aggregated link.");
    case TrunkRule::ArpSpoofing:
        return QStringLiteral("Cannot add ports of ARP Spoofing Prevent enable ports to an aggregated link.");
    case TrunkRule::RateControl:
        return QStringLiteral("Cannot add ports with different rate control configurations to an aggregated link.");
    case TrunkRule::Rstp:
        return QStringLiteral("Cannot add a port with different RSTP port setting to an aggregated link. ");
    case TrunkRule::VoiceVlan:
        return QStringLiteral("Cannot add a port in Voice Vlan Auto mode to an aggregated link.");
    case TrunkRule::StaticFdb:
        return QStringLiteral(
            "Cannot add ports with different FDB-destination-hit configurations to an aggregated link.");
    case TrunkRule::Acl:
        return QStringLiteral("Cannot add an ACL enabled port to an aggregated link.");
    case TrunkRule::SurveillanceCamera:
        return QStringLiteral("Cannot add a port in  Auto Surveillance VLAN Auto mode to an aggregated link");
    case TrunkRule::SurveillanceDynamic:
        return QStringLiteral("Cannot add a port in Auto Surveillance Vlan Auto dynamic mode to an aggregated link");
    }
    return {};
}

namespace {

// The ticked ports as indexes (port - 1), ascending.
std::vector<std::size_t> TickedPorts(const PortFlags& candidates, int portCount)
{
    std::vector<std::size_t> ports;
    for (int p = 1; p <= portCount; ++p)
        if (static_cast<std::size_t>(p - 1) < candidates.size() && candidates[static_cast<std::size_t>(p - 1)])
            ports.push_back(static_cast<std::size_t>(p - 1));
    return ports;
}

// The ports a port list text names, as flags.
PortFlags Named(const QString& portListText, int portCount)
{
    PortFlags flags;
    ParsePortNumberText(portListText, flags, 1, portCount);
    flags.resize(static_cast<std::size_t>(portCount), 0);
    return flags;
}

// The reference is the first candidate with a non-zero value; every later
// candidate must carry exactly that value (0 differs).
bool AgreeNonzero(const std::vector<int>& values, const std::vector<std::size_t>& ports)
{
    std::size_t k = 0;
    while (k < ports.size() && values[ports[k]] == 0)
        ++k;
    for (std::size_t j = k + 1; j < ports.size(); ++j)
        if (values[ports[j]] != values[ports[k]])
            return false;
    return true;
}

// The first candidate's value, whatever it is, is the one all must have.
template<class Value>
bool AgreeFirst(const std::vector<std::size_t>& ports, Value valueOf)
{
    for (std::size_t port : ports)
        if (valueOf(port) != valueOf(ports.front()))
            return false;
    return true;
}

// Either every candidate is in the list or none is; an empty list passes.
bool AllInOrAllOut(const QString& portListText, int portCount, const std::vector<std::size_t>& ports)
{
    if (portListText.isEmpty())
        return true;
    const PortFlags named = Named(portListText, portCount);
    return AgreeFirst(ports, [&](std::size_t i) { return named[i] != 0; });
}

bool NoneHas(const std::vector<int>& values, int value, const std::vector<std::size_t>& ports)
{
    for (std::size_t port : ports)
        if (values[port] == value)
            return false;
    return true;
}

bool EverySegmentAllInOrAllOut(const QString& lists, int portCount, const std::vector<std::size_t>& ports)
{
    for (const QString& segment : ListSegments(lists))
        if (!AllInOrAllOut(segment, portCount, ports))
            return false;
    return true;
}

bool RstpAgrees(const TrunkSnapshot& s, const std::vector<std::size_t>& ports)
{
    const std::array<int, 7>& reference = s.m_Rstp[ports.front()];
    for (std::size_t port : ports) {
        const std::array<int, 7>& values = s.m_Rstp[port];
        if (values == reference)
            continue;
        if (values[2] != reference[2])
            TraceF("temp3 = %d, m_Rstp[i][2] =%d, i= %d", reference[2], values[2], static_cast<int>(port));
        else
            Trace("!!!!!!!!!!!!!!!!!!!!!");
        return false;
    }
    return true;
}

TrunkRule FirstFailingRule(const TrunkSnapshot& s, const std::vector<std::size_t>& ports,
                           const QString& currentMembers, const GlobalStatesReread& rereadGlobals)
{
    const int n = s.portCount;

    // 1: a port of some group may only be re-saved into its own group.
    const PortFlags present = Named(currentMembers, n);
    for (std::size_t port : ports)
        if (s.inSomeGroup[port] && !present[port])
            return TrunkRule::OtherGroup;

    if (!AgreeNonzero(s.portType, ports))
        return TrunkRule::PortType;

    // 3: the reference speed must be full duplex, then every port must share it.
    for (std::size_t port : ports) {
        if (s.speedDuplex[port] == 0)
            continue;
        if (s.speedDuplex[port] == 3 || s.speedDuplex[port] == 5)
            return TrunkRule::HalfDuplex;
        break;
    }
    if (!AgreeNonzero(s.speedDuplex, ports))
        return TrunkRule::Speed;

    if (!AgreeFirst(ports, [&](std::size_t i) { return s.dhcpScreened[i] != 0; }))
        return TrunkRule::DhcpScreening;

    if (s.globals.dot1x == 1)
        for (std::size_t port : ports) {
            if (s.dot1xPortValue[port] == 2)
                return TrunkRule::Dot1xEnabled;
            if (s.dot1xPortValue[port] == 1)
                return TrunkRule::Dot1xChannelMode;
        }

    if (!EverySegmentAllInOrAllOut(s.vlanEgressLists, n, ports) ||
        !EverySegmentAllInOrAllOut(s.vlanUntaggedLists, n, ports))
        return TrunkRule::Vlan;

    if (s.autoLearningPorts.isEmpty())
        return TrunkRule::AutoLearning;
    const PortFlags learning = Named(s.autoLearningPorts, n);
    for (std::size_t port : ports)
        if (!learning[port])
            return TrunkRule::AutoLearning;

    if (!AgreeNonzero(s.defaultPriority, ports))
        return TrunkRule::DefaultPriority;
    if (!AgreeNonzero(s.pvid, ports))
        return TrunkRule::Pvid;
    if (!NoneHas(s.portSecurity, 1, ports))
        return TrunkRule::PortSecurity;
    if (!NoneHas(s.loopbackDetection, 1, ports))
        return TrunkRule::LoopbackDetection;

    if (!s.mirrorRxPorts.isEmpty() || !s.mirrorTxPorts.isEmpty()) {
        const PortFlags rx = Named(s.mirrorRxPorts, n);
        const PortFlags tx = Named(s.mirrorTxPorts, n);
        if (!AgreeFirst(ports, [&](std::size_t i) { return rx[i] != 0; }) ||
            !AgreeFirst(ports, [&](std::size_t i) { return tx[i] != 0; }))
            return TrunkRule::MirrorSource;
    }

    if (s.mirrorState == 1 && s.mirrorTargetPort >= 1 && s.mirrorTargetPort <= n)
        for (std::size_t port : ports)
            if (static_cast<int>(port) + 1 == s.mirrorTargetPort)
                return TrunkRule::MirrorTarget;

    if (!AllInOrAllOut(s.arpSpoofingPorts, n, ports))
        return TrunkRule::ArpSpoofing;

    if (!AgreeFirst(ports, [&](std::size_t i) { return std::pair(s.rateControl1[i], s.rateControl2[i]); }))
        return TrunkRule::RateControl;

    // 13 judges the global states as the device holds them now, not as they
    // were when the dialog opened; so does 17.
    TrunkGlobalStates globals = s.globals;
    if (rereadGlobals)
        if (const std::optional<TrunkGlobalStates> fresh = rereadGlobals())
            globals = *fresh;
    TraceF("m_iRstpEnable =  %d ", globals.rstp);
    if (globals.rstp == 1 && !RstpAgrees(s, ports))
        return TrunkRule::Rstp;

    if (!NoneHas(s.voiceVlanPortMode, 1, ports))
        return TrunkRule::VoiceVlan;

    for (int fdbPort : s.staticFdbPorts)
        for (std::size_t port : ports)
            if (static_cast<int>(port) + 1 == fdbPort)
                return TrunkRule::StaticFdb;

    if (!EverySegmentAllInOrAllOut(s.aclLists, n, ports))
        return TrunkRule::Acl;

    if (globals.surveillance == 1)
        for (std::size_t port : ports) {
            if (s.m_CameraVlanState[port] == 1)
                return TrunkRule::SurveillanceCamera;
            if (s.surveillanceDynamicMode[port] == 2)
                return TrunkRule::SurveillanceDynamic;
        }

    return TrunkRule::None;
}

} // namespace

TrunkVerdict CheckTrunkMembers(const TrunkSnapshot& snapshot, const PortFlags& candidates,
                               const QString& currentMembers, const GlobalStatesReread& rereadGlobals)
{
    const std::vector<std::size_t> ports = TickedPorts(candidates, snapshot.portCount);
    if (ports.empty())
        return {};
    const TrunkRule rule = FirstFailingRule(snapshot, ports, currentMembers, rereadGlobals);
    return {rule, TrunkRuleMessage(rule)};
}

} // namespace kx::l2
