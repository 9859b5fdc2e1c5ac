#pragma once

// What the aggregated-link member rules judge: the settings of every port in the
// features that must agree across the members of one link, loaded by twelve
// reads when the member dialog opens.
//
// The loads are data (TrunkLoadPlan): which session carries each, what it walks
// or gets, and the function that folds its finished result into the snapshot.
// CTrunkValidator runs the plan; tests fold in-memory results the same way.
// Each fold replaces only its own fields, so a load that failed leaves them as
// zero-filled (or as their documented defaults) and the rules judge that.
//
// Per-port values are placed by the row's instance (the port number after the
// column OID), never by the order rows were answered; rows for ports outside
// 1..N are dropped.

#include "core/kit/SnmpValue.h"
#include "core/kit/ValueCodecs.h"

#include <QString>
#include <QStringList>

#include <array>
#include <vector>

namespace kx::l2 {

// Columns and objects the rules read (the VLAN ones are kx::vlan's).
namespace TrunkOid {
inline const QString kPortType = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.1.13.1.7");
inline const QString kSpeedDuplex = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.1.13.1.2");
inline const QString kDhcpScreeningPorts = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.14.7.1.0");
inline const QString kDot1xPortValue = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.11.2.9.1.2");
inline const QString kAutoLearningPorts = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.9.2.0");
inline const QString kDefaultPriority = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.12.3.1.1.2");
inline const QString kPortSecurity = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.14.2.1.1.2");
inline const QString kLoopbackDetection = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.17.5.1.2");
inline const QString kRateControl1 = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.13.1.2.1.2");
inline const QString kRateControl2 = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.13.1.2.1.3");
inline const QStringList kRstpColumns = {
    QStringLiteral("1.3.6.1.4.1.99999.10.75.13.6.2.1.4"),  QStringLiteral("1.3.6.1.4.1.99999.10.75.13.6.2.1.2"),
    QStringLiteral("1.3.6.1.4.1.99999.10.75.13.6.2.1.5"),  QStringLiteral("1.3.6.1.4.1.99999.10.75.13.6.2.1.16"),
    QStringLiteral("1.3.6.1.4.1.99999.10.75.13.6.2.1.18"), QStringLiteral("1.3.6.1.4.1.99999.10.75.13.6.2.1.17"),
    QStringLiteral("1.3.6.1.4.1.99999.10.75.13.6.2.1.14"),
};
inline const QString kVoiceVlanPortMode = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.21.1.6.1.2");
inline const QString kStaticFdbPort = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.9.3.1.3");
inline const QString kCameraVlanState = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.34.1.5.1.2");
inline const QString kSurveillanceDynamicMode = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.34.1.5.1.3");
inline const QString kMirrorRxPorts = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.18.3.0");
inline const QString kMirrorTxPorts = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.18.4.0");
inline const QString kMirrorState = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.18.1.0");
inline const QString kMirrorTargetPort = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.18.2.0");
inline const QString kArpSpoofingPorts = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.14.3.1.1.3");
inline const QString kAclPorts = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.15.2.1.1.10");
inline const QString kDot1xState = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.11.2.1.0");
inline const QString kRstpState = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.6.1.1.0");
} // namespace TrunkOid

// The separator of the segments of a list text, each "1:" + a port list text.
inline const QString kListSegmentEnd = QStringLiteral("%0A0A");

// The three global states: 1 enabled, 2 not (only a text of exactly "1" is enabled).
struct TrunkGlobalStates
{
    int dot1x = 1;        // counts as enabled until answered
    int rstp = 1;         // the same
    int surveillance = 0; // 0 until answered
};

struct TrunkSnapshot
{
    explicit TrunkSnapshot(int portCount = 0);

    int portCount = 0;

    // One element per port (element p - 1 for port p), 0 until answered.
    std::vector<int> inSomeGroup;      // 1 when any group names the port
    std::vector<int> portType;
    std::vector<int> speedDuplex;
    std::vector<int> dhcpScreened;     // 1 when screened
    std::vector<int> dot1xPortValue;
    std::vector<int> defaultPriority;
    std::vector<int> pvid;
    std::vector<int> portSecurity;
    std::vector<int> loopbackDetection;
    std::vector<int> rateControl1;
    std::vector<int> rateControl2;
    std::vector<std::array<int, 7>> m_Rstp;
    std::vector<int> voiceVlanPortMode;
    std::vector<int> m_CameraVlanState;
    std::vector<int> surveillanceDynamicMode;

    // Ports that static forwarding entries send to, one per entry.
    std::vector<int> staticFdbPorts;

    // Port list texts ("1,2,5"), empty when no port.
    QString autoLearningPorts;
    QString mirrorRxPorts;
    QString mirrorTxPorts;
    QString arpSpoofingPorts;  // of the last row that names a port
    // Segment lists: "1:" + port list text + "%0A0A" per row naming a port, in walk order.
    QString vlanEgressLists;
    QString vlanUntaggedLists;
    QString aclLists;

    int mirrorState = 0;
    int mirrorTargetPort = 0;
    TrunkGlobalStates globals;
};

// One segment appended to a segment list (nothing for an empty port list text).
void AppendListSegment(QString& lists, const QString& portListText);
// The port list texts of a segment list, in order, each without its "...:" prefix.
QStringList ListSegments(const QString& lists);

// The twelve loads, in the order the validator starts them.
struct TrunkLoad
{
    enum class Kind
    {
        Walk,
        Get,
    };
    int step = 0;            // 1..12
    QString session;         // the validator's session member that carries it
    Kind kind = Kind::Walk;
    QStringList oids;        // columns walked side by side, or the objects of one get
    int delayMs = 0;         // started this long after the others
    void (*foldWalk)(const WalkResult&, TrunkSnapshot&) = nullptr;
    void (*foldGet)(const GetResult&, TrunkSnapshot&) = nullptr;
};
const std::vector<TrunkLoad>& TrunkLoadPlan();

// The folds of the plan, one per load.
void FoldTrunkMembers(const WalkResult& walk, TrunkSnapshot& s);        // 1
void FoldVlanLists(const WalkResult& walk, TrunkSnapshot& s);           // 2
void FoldAclLists(const WalkResult& walk, TrunkSnapshot& s);            // 3
void FoldMirrorSourcesAndLearning(const GetResult& get, TrunkSnapshot& s); // 4
void FoldArpSpoofingPorts(const WalkResult& walk, TrunkSnapshot& s);    // 5
void FoldSurveillancePorts(const WalkResult& walk, TrunkSnapshot& s);   // 6
void FoldRstpDot1xVoice(const WalkResult& walk, TrunkSnapshot& s);      // 7
void FoldPortSettings(const WalkResult& walk, TrunkSnapshot& s);        // 8
void FoldMirrorTarget(const GetResult& get, TrunkSnapshot& s);          // 9
void FoldStaticFdbPorts(const WalkResult& walk, TrunkSnapshot& s);      // 10
void FoldGlobalStates(const GetResult& get, TrunkSnapshot& s);          // 11
void FoldDhcpScreening(const GetResult& get, TrunkSnapshot& s);         // 12

// The three global states as one get reads them (also the RSTP rule's second read).
QStringList GlobalStateOids();
// Updates `states` from an answer; a failed get leaves them as they are.
bool ReadGlobalStates(const GetResult& get, TrunkGlobalStates& states);

} // namespace kx::l2
