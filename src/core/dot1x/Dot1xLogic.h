#pragma once

// 802.1X port access control without its widgets: what the global dialog and the
// port dialog read, how their answers read, the checks of both Apply buttons with
// their texts, and the write sequences.
//
// Every check runs before anything is sent: a refused timer never leaves the
// RADIUS settings written and 802.1X switched on. Numbers go out as the decimal of
// the value that was checked, never as the text that was typed.

#include "core/kit/SnmpRequests.h"
#include "core/kit/SnmpValue.h"
#include "core/kit/TrunkMembership.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace kx::dot1x {

inline const QString kDot1x = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.11");
inline const QString kRadiusServer = kDot1x + QStringLiteral(".1.1.0");
inline const QString kRadiusKey = kDot1x + QStringLiteral(".1.2.0");
inline const QString kDot1xState = kDot1x + QStringLiteral(".2.1.0");
inline const QString kQuietPeriod = kDot1x + QStringLiteral(".2.2.0");
inline const QString kTxPeriod = kDot1x + QStringLiteral(".2.3.0");
inline const QString kSuppTimeout = kDot1x + QStringLiteral(".2.4.0");
inline const QString kServerTimeout = kDot1x + QStringLiteral(".2.5.0");
inline const QString kMaxReq = kDot1x + QStringLiteral(".2.6.0");
inline const QString kReAuthPeriod = kDot1x + QStringLiteral(".2.7.0");
inline const QString kReAuthEnabled = kDot1x + QStringLiteral(".2.8.0");
inline const QString kPortControl = kDot1x + QStringLiteral(".2.9.1.2");
inline const QString kPortStatus = kDot1x + QStringLiteral(".2.9.1.3");

// The key edits hold at most this many characters.
constexpr int kKeyLength = 33;
// Ports per set request of the port dialog, and the pause after each full one.
constexpr int kPortsPerRequest = 30;
constexpr int kBatchPauseMs = 100;

inline const QStringList kReAuthEnabledTexts = {QStringLiteral("Enable"), QStringLiteral("Disabled")};
inline const QStringList kControlTexts = {QStringLiteral("ForceUnauthorized"), QStringLiteral("Auto"),
                                          QStringLiteral("ForceAuthorized")};

// The six timers as the edits show them, and the ReAuthEnabled list's text: what
// the port dialog repeats on every line.
struct Dot1xTimers
{
    QString quietPeriod;
    QString txPeriod;
    QString suppTimeout;
    QString serverTimeout;
    QString maxReq;
    QString reAuthPeriod;
    QString reAuthEnabled; // "Enable" or "Disabled"

    QStringList texts() const
    {
        return {quietPeriod, txPeriod, suppTimeout, serverTimeout, maxReq, reAuthPeriod, reAuthEnabled};
    }
};

struct Dot1xGlobal
{
    bool enabled = false;
    QString server;
    QString key;
    Dot1xTimers timers;
};

// The global dialog's fields, in the order of its checks.
enum class GlobalField
{
    None,
    Server,
    Key,
    ConfirmKey,
    QuietPeriod,
    TxPeriod,
    SuppTimeout,
    ServerTimeout,
    MaxReq,
    ReAuthPeriod,
};

// What the user set in the global dialog.
struct Dot1xGlobalInput
{
    bool enabled = false;
    QString server; // dotted
    QString key;
    QString confirmKey;
    Dot1xTimers timers;
};

// The requests of one Apply, each for its session; empty ones are not sent.
struct GlobalRequests
{
    bool enabled = false;
    std::vector<SetBinding> radius; // m_cCommonSNMP
    std::vector<SetBinding> state;  // m_cCommonSNMPSet when enabling, m_cCommonSNMP when disabling
    std::vector<SetBinding> timers; // m_cCommonSNMParg
};

struct GlobalDecision
{
    QString refusal; // empty when every check passed
    GlobalField field = GlobalField::None;
    GlobalRequests requests;
};

struct GlobalOutcome
{
    SetResult radius;
    SetResult state;
    SetResult timers;
    // Whether the device answered anything: what it holds now is worth a read.
    bool reread() const { return radius.answered() || state.answered() || timers.answered(); }
};

class Dot1xGlobalLogic
{
public:
    // One get, in this order: state, server, key, the six timers, ReAuthEnabled.
    static QStringList ReadOids();
    // nullopt when no answer came or it carries an error.
    static std::optional<Dot1xGlobal> Read(const GetResult& answer);

    // All checks in the dialog's order; when they pass, the requests to send.
    static GlobalDecision Decide(const Dot1xGlobalInput& input);
    // The requests in their order: the RADIUS settings, then, only when the device
    // took them, the state; then the timers. Disabling sends only the state.
    static GlobalOutcome Send(CCommonSNMP& snmp, CCommonSNMP& snmpSet, CCommonSNMP& snmpArg,
                              const GlobalRequests& requests);
};

// The control values of the port walk, by port, and the list lines it shows.
class Dot1xPortTable
{
public:
    explicit Dot1xPortTable(int portCount);

    int portCount() const { return static_cast<int>(m_controls.size()); }
    // Every port back to 0 (not read).
    void clear();
    // One answered row (status, control): the texts of the list's first three
    // columns. The control is stored at the port its instance names, ports 1..N
    // only, and only when it is one of the three.
    QStringList applyRow(const WalkRow& row);
    // 1, 2 or 3 as read, 0 when not read.
    int control(int port) const;
    const std::vector<int>& controls() const { return m_controls; }

    static QStringList WalkColumns() { return {kPortStatus, kPortControl}; }
    static QString StatusText(const SnmpValue& value);
    static QString ControlText(const SnmpValue& value);

private:
    std::vector<int> m_controls;
};

class Dot1xPortLogic
{
public:
    // The refusal of setting ports from..to to `control` (1, 2, 3), or an empty
    // text. `controls` are the values read (0 when not), port 1 first.
    static QString Check(int from, int to, int control, const std::vector<int>& controls,
                         const TrunkMembership& trunks, int portCount);
    // The bindings of ports from..to, each request with its own ports only.
    static std::vector<std::vector<SetBinding>> Batches(int from, int to, int control);
    // Sends the batches in order, pausing after each full one.
    static void Send(CCommonSNMP& session, const std::vector<std::vector<SetBinding>>& batches,
                     int pauseMs = kBatchPauseMs);
};

} // namespace kx::dot1x
