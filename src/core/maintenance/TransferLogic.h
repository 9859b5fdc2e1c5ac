#pragma once

// Firmware and configuration upgrade/backup: the switch fetches or sends the
// file itself; the program tells it the TFTP server, the file and the operation,
// then reads the status object until the switch reports an end.
//
// TransferRun is one run's state and decisions: every event (an answer, a
// time-out, a timer) gives a TransferStep that the dialog carries out with its
// timers. The dialog owns the timers and the sessions; nothing here waits.

#include "core/kit/SnmpRequests.h"
#include "core/kit/SnmpValue.h"

#include <QString>

#include <vector>

namespace kx::maintenance {

enum class TransferKind
{
    Firmware = 1,
    Configuration = 2,
};

struct TransferObjects
{
    QString server;    // IpAddress
    QString file;      // OCTET STRING
    QString operation; // 1 upgrade, 2 backup
    QString status;    // "0"/"1" success, "2" failure, "3" in progress, "4" preparing
};
TransferObjects ObjectsOf(TransferKind kind);

// Milliseconds. The defaults are the switch's; tests run them faster.
struct TransferTimings
{
    int fileSetTimeout = 10000;
    int operationTimeout = 15000;
    int statusTimeout = 6000;
    int firstStatusFirmware = 15000;
    int firstStatusConfiguration = 3000;
    int preparingPoll = 1500;
    int inProgressPoll = 5000;
    int retryPoll = 3000;
    int firstTick = 2000;
    int tick = 2500;
    int overallFirmware = 180000;
    int overallConfiguration = 50000;
    // From the operation to the first "in progress": a switch that stays
    // preparing (or answers what it never should) still ends.
    int bound = 180000;
    int finish = 5;

    // Every time divided by `divisor`, the SNMP time-outs not below `minTimeout`.
    TransferTimings scaled(double divisor, int minTimeout) const;
};

inline constexpr int kMaxFileName = 64;
QString MaxFileNameMessage();
QString DisconnectQuestion();

// The refusal of the server address (filled fields of the address control and
// its dotted text), or an empty text.
QString CheckServer(int filledFields, const QString& dotted);
QString CheckFile(const QString& file);

// Server and file in one set, then the operation.
std::vector<SetBinding> FileBindings(TransferKind kind, const QString& server, const QString& file);
SetBinding OperationBinding(TransferKind kind, bool upgrade);

struct TransferStep
{
    bool ends = false;    // the run is over: every timer stops, the controls come back
    bool success = false; // the bar shows 99
    QString message;      // shown as the run ends
    int pollInMs = -1;    // read the status after this long
    int overallInMs = -1; // (re)arm the overall time-out
};

class TransferRun
{
public:
    TransferRun() = default;
    TransferRun(TransferKind kind, bool upgrade, const TransferTimings& timings);

    TransferKind kind() const { return m_kind; }
    bool upgrade() const { return m_upgrade; }
    const TransferTimings& timings() const { return m_timings; }
    const TransferObjects& objects() const { return m_objects; }
    bool finished() const { return m_finished; }
    bool inProgressSeen() const { return m_inProgressSeen; }
    // Status reads in a row that went unanswered before any "in progress".
    int unanswered() const { return m_unanswered; }
    int progress() const { return m_progress; }

    // Anything but an answer without an error ends the run. When it does not,
    // the dialog sends the operation.
    TransferStep fileSet(const SetResult& result);
    // The operation has gone out: the bound starts.
    TransferStep operationSent();
    // Taken: the first status read; anything else ends the run.
    TransferStep operationAnswered(const SetResult& result);
    TransferStep statusAnswered(const GetResult& result);
    TransferStep overallElapsed();
    // The progress tick: where the bar moves, or -1 when the ticks stop.
    int tick();

    QString failureText() const;
    QString statusTimeOutText() const;
    QString overallTimeOutText() const;

private:
    TransferStep end(const QString& message, bool success = false);
    TransferStep unansweredStatus();

    TransferKind m_kind = TransferKind::Configuration;
    bool m_upgrade = false;
    TransferTimings m_timings;
    TransferObjects m_objects;
    bool m_finished = false;
    bool m_inProgressSeen = false;
    int m_unanswered = 0;
    int m_progress = 1;
};

} // namespace kx::maintenance
