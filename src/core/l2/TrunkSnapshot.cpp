#include "core/l2/TrunkSnapshot.h"

#include "core/vlan/VlanTable.h"
#include "core/kit/TrunkMembership.h"

namespace kx::l2 {

using namespace TrunkOid;
using kx::vlan::kDot1qVlanPvid;
using kx::vlan::kDot1qVlanStaticEgressPorts;
using kx::vlan::kDot1qVlanStaticUntaggedPorts;
using kx::vlan::kSurveillanceVlanState;

TrunkSnapshot::TrunkSnapshot(int ports)
    : portCount(std::max(ports, 0)),
      inSomeGroup(static_cast<std::size_t>(portCount), 0),
      portType(inSomeGroup),
      speedDuplex(inSomeGroup),
      dhcpScreened(inSomeGroup),
      dot1xPortValue(inSomeGroup),
      defaultPriority(inSomeGroup),
      pvid(inSomeGroup),
      portSecurity(inSomeGroup),
      loopbackDetection(inSomeGroup),
      rateControl1(inSomeGroup),
      rateControl2(inSomeGroup),
      m_Rstp(static_cast<std::size_t>(portCount), std::array<int, 7>{}),
      voiceVlanPortMode(inSomeGroup),
      m_CameraVlanState(inSomeGroup),
      surveillanceDynamicMode(inSomeGroup)
{
}

void AppendListSegment(QString& lists, const QString& portListText)
{
    if (portListText.isEmpty())
        return;
    lists += QStringLiteral("1:") + portListText + kListSegmentEnd;
}

QStringList ListSegments(const QString& lists)
{
    QStringList segments;
    for (const QString& part : lists.split(kListSegmentEnd, Qt::SkipEmptyParts)) {
        const qsizetype colon = part.indexOf(QLatin1Char(':'));
        segments << (colon < 0 ? part : part.mid(colon + 1));
    }
    return segments;
}

namespace {

// Calls `store(port - 1, row)` for every row whose instance is a port of the
// device; other rows are not the device's ports and are dropped.
template<class Store>
void ForEachPortRow(const WalkResult& walk, int portCount, Store store)
{
    for (const WalkRow& row : walk.rows) {
        const int port = row.indexNumber();
        if (port >= 1 && port <= portCount)
            store(static_cast<std::size_t>(port - 1), row);
    }
}

void Zero(std::vector<int>& values)
{
    std::fill(values.begin(), values.end(), 0);
}

QString NumberText(const SnmpValue& portList, int portCount)
{
    QString text;
    if (!portList.isException())
        PortListToNumberText(portList.octets, text, portCount);
    return text;
}

} // namespace

void FoldTrunkMembers(const WalkResult& walk, TrunkSnapshot& s)
{
    s.inSomeGroup = TrunkMembership::FromRows(walk.rows, s.portCount, true).groups();
}

void FoldVlanLists(const WalkResult& walk, TrunkSnapshot& s)
{
    s.vlanEgressLists.clear();
    s.vlanUntaggedLists.clear();
    for (const WalkRow& row : walk.rows) {
        AppendListSegment(s.vlanEgressLists, NumberText(row.value(0), s.portCount));
        AppendListSegment(s.vlanUntaggedLists, NumberText(row.value(1), s.portCount));
    }
}

void FoldAclLists(const WalkResult& walk, TrunkSnapshot& s)
{
    s.aclLists.clear();
    for (const WalkRow& row : walk.rows)
        AppendListSegment(s.aclLists, NumberText(row.value(0), s.portCount));
}

void FoldMirrorSourcesAndLearning(const GetResult& get, TrunkSnapshot& s)
{
    s.mirrorRxPorts.clear();
    s.mirrorTxPorts.clear();
    s.autoLearningPorts.clear();
    if (!get.ok())
        return;
    s.mirrorRxPorts = NumberText(get.value(0), s.portCount);
    s.mirrorTxPorts = NumberText(get.value(1), s.portCount);
    s.autoLearningPorts = NumberText(get.value(2), s.portCount);
}

void FoldArpSpoofingPorts(const WalkResult& walk, TrunkSnapshot& s)
{
    s.arpSpoofingPorts.clear();
    for (const WalkRow& row : walk.rows) {
        const QString text = NumberText(row.value(0), s.portCount);
        if (!text.isEmpty())
            s.arpSpoofingPorts = text;
    }
}

void FoldSurveillancePorts(const WalkResult& walk, TrunkSnapshot& s)
{
    Zero(s.m_CameraVlanState);
    Zero(s.surveillanceDynamicMode);
    ForEachPortRow(walk, s.portCount, [&](std::size_t i, const WalkRow& row) {
        s.m_CameraVlanState[i] = row.value(0).toInt();
        s.surveillanceDynamicMode[i] = row.value(1).toInt();
    });
}

void FoldRstpDot1xVoice(const WalkResult& walk, TrunkSnapshot& s)
{
    std::fill(s.m_Rstp.begin(), s.m_Rstp.end(), std::array<int, 7>{});
    Zero(s.dot1xPortValue);
    Zero(s.voiceVlanPortMode);
    ForEachPortRow(walk, s.portCount, [&](std::size_t i, const WalkRow& row) {
        for (std::size_t c = 0; c < 7; ++c)
            s.m_Rstp[i][c] = row.value(c).toInt();
        s.dot1xPortValue[i] = row.value(7).toInt();
        s.voiceVlanPortMode[i] = row.value(8).toInt();
    });
}

void FoldPortSettings(const WalkResult& walk, TrunkSnapshot& s)
{
    std::vector<int>* const columns[] = {&s.speedDuplex,  &s.defaultPriority,   &s.pvid,
                                         &s.portSecurity, &s.portType,          &s.loopbackDetection,
                                         &s.rateControl1, &s.rateControl2};
    for (std::vector<int>* values : columns)
        Zero(*values);
    ForEachPortRow(walk, s.portCount, [&](std::size_t i, const WalkRow& row) {
        for (std::size_t c = 0; c < std::size(columns); ++c)
            (*columns[c])[i] = row.value(c).toInt();
    });
}

void FoldMirrorTarget(const GetResult& get, TrunkSnapshot& s)
{
    s.mirrorState = 0;
    s.mirrorTargetPort = 0;
    if (!get.ok())
        return;
    s.mirrorState = get.value(0).toInt();
    s.mirrorTargetPort = get.value(1).toInt();
}

void FoldStaticFdbPorts(const WalkResult& walk, TrunkSnapshot& s)
{
    // Entries are indexed by VLAN and address, not by port: every entry counts,
    // however many the device has.
    s.staticFdbPorts.clear();
    for (const WalkRow& row : walk.rows)
        s.staticFdbPorts.push_back(row.value(0).toInt());
}

QStringList GlobalStateOids()
{
    return {kDot1xState, kRstpState, kSurveillanceVlanState};
}

bool ReadGlobalStates(const GetResult& get, TrunkGlobalStates& states)
{
    if (!get.ok() || get.values.size() < 3)
        return false;
    auto state = [&](std::size_t i) { return get.value(i).isEnabled() ? 1 : 2; };
    states.dot1x = state(0);
    states.rstp = state(1);
    states.surveillance = state(2);
    return true;
}

void FoldGlobalStates(const GetResult& get, TrunkSnapshot& s)
{
    ReadGlobalStates(get, s.globals);
}

void FoldDhcpScreening(const GetResult& get, TrunkSnapshot& s)
{
    Zero(s.dhcpScreened);
    if (get.ok())
        s.dhcpScreened = PortListToFlags(get.value(0).octets, s.portCount, 1);
}

const std::vector<TrunkLoad>& TrunkLoadPlan()
{
    using K = TrunkLoad::Kind;
    static const std::vector<TrunkLoad> plan = {
        {1, QStringLiteral("m_cCommonSNMPTableTrunk"), K::Walk, {kLaPortChannelMemberList}, 0,
         FoldTrunkMembers, nullptr},
        {2, QStringLiteral("m_cCommonSNMPTableVlan"), K::Walk,
         {kDot1qVlanStaticEgressPorts, kDot1qVlanStaticUntaggedPorts}, 0, FoldVlanLists, nullptr},
        {3, QStringLiteral("m_cCommonSNMPTableACL"), K::Walk, {kAclPorts}, 0, FoldAclLists, nullptr},
        {4, QStringLiteral("m_cCommonSNMPMirror"), K::Get, {kMirrorRxPorts, kMirrorTxPorts, kAutoLearningPorts},
         0, nullptr, FoldMirrorSourcesAndLearning},
        {5, QStringLiteral("m_cCommonSNMPTableArp"), K::Walk, {kArpSpoofingPorts}, 0, FoldArpSpoofingPorts,
         nullptr},
        {6, QStringLiteral("m_cCommonSNMPTableCamera"), K::Walk, {kCameraVlanState, kSurveillanceDynamicMode},
         0, FoldSurveillancePorts, nullptr},
        {7, QStringLiteral("m_cCommonSNMPTableRstp"), K::Walk,
         kRstpColumns + QStringList{kDot1xPortValue, kVoiceVlanPortMode}, 0, FoldRstpDot1xVoice, nullptr},
        // The widest walk waits a moment, so that the device is not asked for
        // everything at once.
        {8, QStringLiteral("m_cCommonSNMPTableGetVlanTrunk"), K::Walk,
         {kSpeedDuplex, kDefaultPriority, kDot1qVlanPvid, kPortSecurity, kPortType, kLoopbackDetection,
          kRateControl1, kRateControl2},
         500, FoldPortSettings, nullptr},
        {9, QStringLiteral("m_cCommonSNMPPoint"), K::Get, {kMirrorState, kMirrorTargetPort}, 0, nullptr,
         FoldMirrorTarget},
        {10, QStringLiteral("m_cCommonSNMPTableStaticPor"), K::Walk, {kStaticFdbPort}, 0, FoldStaticFdbPorts,
         nullptr},
        {11, QStringLiteral("m_cCommonSNMP"), K::Get, GlobalStateOids(), 0, nullptr, FoldGlobalStates},
        {12, QStringLiteral("m_cCommonSNMPDhcp"), K::Get, {kDhcpScreeningPorts}, 0, nullptr, FoldDhcpScreening},
    };
    return plan;
}

} // namespace kx::l2
