#pragma once

// Spanning tree without its widgets: the bridge read and its checks and write
// order ("Bridge Config"), the port table's rows and the loopback-detection
// clean-up ("Spanning Tree Table"), and one port's checks and set ("Port
// Config"). The dialogs move values between their controls and these.

#include "core/kit/SnmpRequests.h"
#include "core/kit/SnmpValue.h"
#include "core/kit/TableDescriptor.h"
#include "core/kit/TrunkMembership.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

namespace kx::l2 {

inline const QString kDot1dStpPriority = QStringLiteral("1.3.6.1.2.1.17.2.2.0");
inline const QString kDot1dStpBridgeMaxAge = QStringLiteral("1.3.6.1.2.1.17.2.12.0");
inline const QString kDot1dStpBridgeHelloTime = QStringLiteral("1.3.6.1.2.1.17.2.13.0");
inline const QString kDot1dStpBridgeForwardDelay = QStringLiteral("1.3.6.1.2.1.17.2.14.0");
inline const QString kRstpState = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.6.1.1.0");
inline const QString kStpVersion = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.6.1.2.0");

inline const QString kDot1dStpPortTable = QStringLiteral("1.3.6.1.2.1.17.2.15.1");
inline const QString kDot1dStpPortPriority = QStringLiteral("1.3.6.1.2.1.17.2.15.1.2");
inline const QString kDot1dStpPortEnable = QStringLiteral("1.3.6.1.2.1.17.2.15.1.4");
inline const QString kDot1dStpPortPathCost = QStringLiteral("1.3.6.1.2.1.17.2.15.1.5");
inline const QString kRstpPortPathCost = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.6.2.1.5");
inline const QString kLoopbackDetectionState = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.17.5.1.2");

// Where a write sequence sends its requests, one set each, and its pauses.
struct StpSetPath
{
    std::function<SetResult(const std::vector<SetBinding>& bindings)> set;
    std::function<void(int milliseconds)> pause;
};
// Synchronous sets on `session`, pauses on the calling thread.
StpSetPath SessionStpSetPath(CCommonSNMP& session);

// ---- Bridge Config

// The thirteen objects of the bridge read, in their order.
QStringList BridgeObjects();
// "Priority:" offers 0 to 61440 in steps of 4096; "STP Version:" these two.
QStringList BridgePriorityTexts();
inline const QStringList kStpVersionTexts = {QStringLiteral("RSTP"), QStringLiteral("STP Compatible")};

struct BridgeView
{
    QString priority;
    QString topologyChangeTime;
    QString topologyChanges;
    QString designatedRoot;
    QString rootPort;
    QString maxAge;
    QString helloTime;
    QString forwardDelay;
    QString currentHelloTime;
    QString holdTime;
    QString currentForwardDelay;
    bool rstpEnabled = false;
    // "STP Version:" entry to select, -1 to leave the combo as it is.
    int versionEntry = -1;
};
// nullopt for an answer the dialog ignores (too few bindings, none in the first).
std::optional<BridgeView> ReadBridge(const GetResult& answer);
// An 8-octet value as upper-case hex with colons; any other as received.
QString BridgeIdText(const SnmpValue& value);

// The timer checks of Apply in their order: the refusal, or an empty text.
QString CheckBridgeTimers(const QString& maxAge, const QString& forwardDelay, const QString& helloTime);

struct BridgeWrite
{
    bool rstp = false;           // "Enable RSTP" is ticked
    bool rstpWasOff = false;     // the last read found it off ("0")
    QString maxAge, forwardDelay, helloTime;
    QString priority;            // the priority combo's number
    bool versionRstp = true;     // "STP Version:" shows "RSTP"
};
// The requests of Apply, in the order the device needs them: with spanning tree
// on, hello time and forward delay first go to the values that let any valid
// max age pass the 802.1D relations, then each timer alone. A failing request
// does not stop the later ones.
void WriteBridge(const BridgeWrite& write, const StpSetPath& path);

// ---- Spanning Tree Table

// The ten columns with their headers and how each cell reads.
TableDescriptor StpPortTable();
// An octet value of the designated columns: 2 octets "%02X %02X", 8 as a
// bridge ID, anything else as received.
QString DesignatedText(const SnmpValue& value);
// A row with fewer bindings than this ends the walk.
constexpr std::size_t kStpMinRowValues = 6;

// Ports whose loopback detection is on get spanning tree off. One get a port,
// in order; the clean-up ends at the first get that fails.
QString LoopbackDetectionOid(int port);
// The sets of the clean-up, one request each, ended by the first that fails.
// Returns how many the device took.
int DisableStpOnLoopbackPorts(const std::vector<int>& ports, const StpSetPath& path);

// ---- Port Config

// The four objects one port's read gets.
QStringList StpPortObjects(const QString& portText);

// The columns of the table list Port Config reads.
enum StpTableColumn
{
    StpPortColumn,
    StpPriorityColumn,
    StpStatusColumn,
    StpEnableColumn,
    StpCostColumn,
    StpDesignatedRootColumn,
    StpDesignatedCostColumn,
    StpDesignatedBridgeColumn,
    StpDesignatedPortColumn,
    StpForwardingsColumn,
};

// Row `row` clamped to a table of `rowCount` rows, and which step buttons stay usable.
struct StpRowPosition
{
    int row = 0;
    bool previous = true;
    bool next = true;
};
StpRowPosition ClampStpRow(int row, int rowCount);

struct StpPortEdit
{
    QString portText;
    QString priority;      // the combo's number
    QString cost;          // the cost edit
    bool enabled = false;  // "Enable:" is ticked
    QString loopbackState; // as last read
    QStringList tableRow;  // the table list's texts of the port
};
struct StpPortDecision
{
    QString refusal;
    bool writes = false;
    std::vector<SetBinding> bindings;
};
StpPortDecision DecideStpPortApply(const StpPortEdit& edit, const TrunkMembership& trunks);

} // namespace kx::l2
