#include "core/system/SyslogLogic.h"

#include "base/TextNumber.h"

#include <chrono>
#include <thread>

namespace kx::syslog {

namespace {

constexpr int kSeverityValues[] = {4, 6, 7};

int FacilityValue(int index)
{
    return (16 + index) * 8;
}

bool IsZeroOrBroadcastPart(const QString& part)
{
    return part == QLatin1String("0") || part == QLatin1String("255");
}

} // namespace

QStringList SyslogLogic::ReadOids()
{
    return {kSyslogServer, kSyslogPort, kSyslogFacility, kSyslogSeverity, kSyslogState};
}

int SyslogLogic::FacilityIndex(int value)
{
    for (int i = 0; i < kFacilityTexts.size(); ++i)
        if (FacilityValue(i) == value)
            return i;
    return 0;
}

int SyslogLogic::SeverityIndex(int value)
{
    for (int i = 0; i < kSeverityTexts.size(); ++i)
        if (kSeverityValues[i] == value)
            return i;
    return -1;
}

std::optional<SyslogSettings> SyslogLogic::Read(const GetResult& answer)
{
    if (!answer.ok() || answer.values.size() < 5)
        return std::nullopt;
    SyslogSettings s;
    s.server = answer.value(0).text();
    s.port = answer.value(1).text();
    s.facility = FacilityIndex(answer.value(2).toInt());
    s.severity = SeverityIndex(answer.value(3).toInt());
    s.enabled = answer.value(4).isEnabled();
    return s;
}

SyslogDecision SyslogLogic::Decide(const SyslogInput& input)
{
    SyslogDecision d;
    const bool serverComplete = !input.server.isEmpty() && input.facility >= 0 &&
                                input.facility < kFacilityTexts.size() && input.severity >= 0 &&
                                input.severity < kSeverityTexts.size();
    if (input.enabled && serverComplete) {
        if (IsZeroOrBroadcastPart(input.server.section(QLatin1Char('.'), 0, 0)) ||
            IsZeroOrBroadcastPart(input.server.section(QLatin1Char('.'), -1))) {
            d.refusal = QStringLiteral("Syslog Server IP Error.");
            d.field = SyslogField::Server;
            return d;
        }
        const qint64 port = LeadingDecimal64(input.port);
        if (port < 1 || port > 65535) {
            d.refusal = QStringLiteral("Invalid UDP port range (1-65535)");
            d.field = SyslogField::Port;
            return d;
        }
        d.server = {SetBinding::IpAddress(kSyslogServer, input.server),
                    SetBinding::Integer(kSyslogPort, static_cast<int>(port)),
                    SetBinding::Integer(kSyslogSeverity, kSeverityValues[input.severity]),
                    SetBinding::Integer(kSyslogFacility, FacilityValue(input.facility))};
    }
    d.state = {SetBinding::Integer(kSyslogState, input.enabled ? 1 : 2)};
    return d;
}

SyslogOutcome SyslogLogic::Send(CCommonSNMP& session, const SyslogDecision& decision, int pauseMs)
{
    SyslogOutcome outcome;
    if (!decision.server.empty())
        outcome.server = SetValues(session, decision.server);
    std::this_thread::sleep_for(std::chrono::milliseconds(pauseMs));
    outcome.state = SetValues(session, decision.state);
    return outcome;
}

} // namespace kx::syslog
