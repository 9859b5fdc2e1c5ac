#pragma once

// LLDP: the switch's state and transmit timers (private objects), its own
// system information and the neighbours it has learnt (LLDP-MIB).

#include "core/kit/SnmpRequests.h"
#include "core/kit/SnmpValue.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace kx::lldp {

inline const QString kLldpPrivate = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.24");
inline const QString kLldpState = Scalar(kLldpPrivate + QStringLiteral(".1"));
inline const QString kHoldMultiplier = Scalar(kLldpPrivate + QStringLiteral(".2"));
inline const QString kTxInterval = Scalar(kLldpPrivate + QStringLiteral(".3"));
inline const QString kReinitDelay = Scalar(kLldpPrivate + QStringLiteral(".4"));
inline const QString kTxDelay = Scalar(kLldpPrivate + QStringLiteral(".5"));
inline const QString kRemoteEntry = QStringLiteral("1.0.8802.1.1.2.1.4.1.1");

// Tries of one set while no answer comes, and the pauses around them.
inline constexpr int kSetTries = 3;
inline constexpr int kAfterAnswerMs = 2000;
inline constexpr int kAfterSilenceMs = 1000;

inline const QString kHoldRefusal = QStringLiteral("The Message TX Hold Multipier should be 2-10");
inline const QString kIntervalRefusal = QStringLiteral("The Message TX Interval should be 5-32768");
inline const QString kProductRefusal =
    QStringLiteral("(Message TX Interval * Message TX Hold Multiplier) > 65535. ");
inline const QString kReinitRefusal = QStringLiteral("The LLDP Reinit Delay should be 1-10");
inline const QString kDelayRefusal = QStringLiteral("The LLDP TX Delay should be 1-8192");
inline const QString kDelayQuarterRefusal = QStringLiteral("LLDP TX Delay should be <= 0.25 * (Message TX Interval)");
inline const QString kRemoteUnsuccessful = QStringLiteral("Get LLDP remote port information unsuccessful!");
inline const QString kNoRemotePort = QStringLiteral("There is no LLDP Remote Port");

// The state, the four timers and the four local objects, in the order read.
QStringList GlobalReadOids();
// The remote table's columns, chassis ID subtype to system description.
QStringList RemoteColumns();

QString ChassisSubtypeText(int subtype);
QString PortSubtypeText(int subtype);
// Every octet as two upper-case hex digits, joined by "-"; "" for no octet.
QString HexOctets(QByteArrayView octets);

// What a global reading shows; `timers` in the edits' order.
struct GlobalValues
{
    bool enabled = false;
    QStringList timers;
    QString chassisSubtype, chassisId, systemName, systemDescription;
};
GlobalValues GlobalFromAnswer(const GetResult& answer);

enum TimerField
{
    Hold,
    Interval,
    Reinit,
    Delay,
};

// The timers Apply's checks in order: a refusal with its field, or the set.
struct TimerDecision
{
    QString refusal;
    TimerField field = Hold;
    std::vector<SetBinding> bindings;
};
// `texts`: the four edits in TimerField order.
TimerDecision DecideTimers(const QStringList& texts);

// The nine texts of a neighbour's line: "Port", "Entity", then the columns.
// An instance without the three index parts (time mark, local port, remote
// index) shows what it has: its last part as the entity, the one before as
// the port.
QStringList RemoteLine(const WalkRow& row);

// Sends `bindings` until an answer comes, at most kSetTries times, pausing
// kAfterSilenceMs after a try nothing answered. Blocks: worker threads only.
// True when an answer came, whatever its error status.
bool SendWithRetries(CCommonSNMP& session, const std::vector<SetBinding>& bindings);

} // namespace kx::lldp
