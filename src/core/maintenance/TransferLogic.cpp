#include "core/maintenance/TransferLogic.h"

#include "common/TraceCore.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

namespace kx::maintenance {

namespace {

const QString kArc = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.3.");

QString Object(int n)
{
    return Scalar(kArc + QString::number(n));
}

} // namespace

TransferObjects ObjectsOf(TransferKind kind)
{
    if (kind == TransferKind::Firmware)
        return {Object(1), Object(2), Object(3), Object(4)};
    return {Object(5), Object(6), Object(7), Object(8)};
}

TransferTimings TransferTimings::scaled(double divisor, int minTimeout) const
{
    TransferTimings t = *this;
    auto scale = [divisor](int& ms) { ms = std::max(1, static_cast<int>(std::lround(ms / divisor))); };
    for (int* ms : {&t.firstStatusFirmware, &t.firstStatusConfiguration, &t.preparingPoll, &t.inProgressPoll,
                    &t.retryPoll, &t.firstTick, &t.tick, &t.overallFirmware, &t.overallConfiguration, &t.bound})
        scale(*ms);
    for (int* ms : {&t.fileSetTimeout, &t.operationTimeout, &t.statusTimeout}) {
        scale(*ms);
        *ms = std::max(*ms, minTimeout);
    }
    return t;
}

QString MaxFileNameMessage()
{
    return QStringLiteral("The maximum length of file name is 64!");
}

QString DisconnectQuestion()
{
    return QStringLiteral("The connection will be disconnected.\nPlease do not apply other changes when "
                          "uploading.\nReconnect to the device later when uploading completes.");
}

QString CheckServer(int filledFields, const QString& dotted)
{
    const QStringList parts = dotted.split(QLatin1Char('.'));
    auto bad = [](const QString& part) { return part == QLatin1String("0") || part == QLatin1String("255"); };
    if (filledFields != 4 || parts.size() != 4 || dotted == QLatin1String("0.0.0.0") || bad(parts.first()) ||
        bad(parts.last()))
        return QStringLiteral("Invalid TFTP server IP.");
    return {};
}

QString CheckFile(const QString& file)
{
    return file.isEmpty() ? QStringLiteral("Invalid file.") : QString();
}

std::vector<SetBinding> FileBindings(TransferKind kind, const QString& server, const QString& file)
{
    const TransferObjects o = ObjectsOf(kind);
    return {SetBinding::IpAddress(o.server, server), SetBinding::Text(o.file, file)};
}

SetBinding OperationBinding(TransferKind kind, bool upgrade)
{
    return SetBinding::Integer(ObjectsOf(kind).operation, upgrade ? 1 : 2);
}

TransferRun::TransferRun(TransferKind kind, bool upgrade, const TransferTimings& timings)
    : m_kind(kind), m_upgrade(upgrade), m_timings(timings), m_objects(ObjectsOf(kind))
{
}

TransferStep TransferRun::end(const QString& message, bool success)
{
    m_finished = true;
    TransferStep step;
    step.ends = true;
    step.success = success;
    step.message = message;
    return step;
}

TransferStep TransferRun::fileSet(const SetResult& result)
{
    // A refused set is as final as a lost one: the switch has no file to fetch.
    if (m_finished || result.ok())
        return {};
    return end(QStringLiteral("Setting file name TimeOut !"));
}

TransferStep TransferRun::operationSent()
{
    Trace("operation ==========");
    TransferStep step;
    step.overallInMs = m_timings.bound;
    return step;
}

TransferStep TransferRun::operationAnswered(const SetResult& result)
{
    // A late answer after the run has ended says nothing new.
    if (m_finished)
        return {};
    if (!result.ok())
        return end(QStringLiteral("Setting operation TimeOut !"));
    // The status is read once the switch has taken the operation: before, it
    // still holds the last run's end, or its resting "0", and a lost operation
    // would read as a success.
    TransferStep step;
    if (m_kind == TransferKind::Configuration) {
        Trace("--------------FIRMWARE_BACKUPSTATUS");
        step.pollInMs = m_timings.firstStatusConfiguration;
    } else {
        step.pollInMs = m_timings.firstStatusFirmware;
    }
    return step;
}

TransferStep TransferRun::statusAnswered(const GetResult& result)
{
    Trace("progress ====================");
    TraceF("===================Get Status = %d", result.status);
    if (m_finished)
        return {};
    if (result.status != 0)
        return unansweredStatus();
    // An error status, or an exception for a value, is an answer without a status.
    if (result.errorStatus != 0 || result.values.empty() || result.value(0).isException()) {
        m_unanswered = 0;
        return end(QStringLiteral("Get Info Fail !"));
    }
    m_unanswered = 0;
    const QString status = result.value(0).text();
    TraceF("========================State = %s ", status.toLatin1().constData());
    if (status == QLatin1String("0") || status == QLatin1String("1"))
        return end(QStringLiteral("Success!"), true);
    if (status == QLatin1String("2")) {
        Trace("2222222222222222222222222");
        return end(failureText());
    }
    TransferStep step;
    if (status == QLatin1String("3")) {
        m_inProgressSeen = true;
        step.pollInMs = m_timings.inProgressPoll;
        step.overallInMs =
            m_kind == TransferKind::Firmware ? m_timings.overallFirmware : m_timings.overallConfiguration;
        return step;
    }
    // "4", and what the switch should never say, is read again soon; the bound
    // armed with the operation ends a switch that says it for ever.
    step.pollInMs = m_timings.preparingPoll;
    return step;
}

TransferStep TransferRun::unansweredStatus()
{
    Trace("time out ===================");
    TransferStep step;
    if (m_inProgressSeen) {
        m_unanswered = 0;
        step.pollInMs = m_timings.retryPoll;
        return step;
    }
    ++m_unanswered;
    TraceF(" time out num = %d", m_unanswered);
    if (m_unanswered > 3)
        return end(statusTimeOutText());
    step.pollInMs = m_timings.retryPoll;
    return step;
}

TransferStep TransferRun::overallElapsed()
{
    if (m_finished)
        return {};
    return end(overallTimeOutText());
}

int TransferRun::tick()
{
    TraceF("===m_ProgressTimes=%d, m_IsFinish=%d", m_progress, m_finished ? 1 : 0);
    if (m_progress >= 90 || m_finished)
        return -1;
    const int position = m_progress;
    m_progress += 2;
    return position;
}

QString TransferRun::failureText() const
{
    return m_kind == TransferKind::Firmware ? QStringLiteral("Firmware Upgrade Fail !")
                                            : QStringLiteral("Config Restore Fail !");
}

QString TransferRun::statusTimeOutText() const
{
    return m_kind == TransferKind::Firmware ? QStringLiteral("Get Firmware BackUp/Upgrade status Time Out !")
                                            : QStringLiteral("Get Config BackUp/Upgrade status Time Out !");
}

QString TransferRun::overallTimeOutText() const
{
    if (m_kind == TransferKind::Firmware)
        return QStringLiteral("Time out! Please check TFTP Server IP and network.");
    return QStringLiteral("Time out! Please check TFTP Server IP and network.\n You may close the current device "
                          "Orvix Module and implement 'Device Discovery'to restart it");
}

} // namespace kx::maintenance
