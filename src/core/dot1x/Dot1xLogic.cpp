#include "core/dot1x/Dot1xLogic.h"

#include "base/TextNumber.h"

#include <chrono>
#include <thread>

namespace kx::dot1x {

namespace {

struct TimerRule
{
    QString Dot1xTimers::*text;
    GlobalField field;
    QString oid;
    qint64 low;
    qint64 high;
    const char* refusal;
    bool unsigned32;
};

const std::vector<TimerRule>& TimerRules()
{
    static const std::vector<TimerRule> rules = {
        {&Dot1xTimers::quietPeriod, GlobalField::QuietPeriod, kQuietPeriod, 0, 65535,
         "Invalid QuietPeriod (0-65535)", false},
        {&Dot1xTimers::txPeriod, GlobalField::TxPeriod, kTxPeriod, 1, 65535, "Invalid TxPeriod (1-65535)", false},
        {&Dot1xTimers::suppTimeout, GlobalField::SuppTimeout, kSuppTimeout, 1, 65535,
         "Invalid SuppTimeout (1-65535)", false},
        {&Dot1xTimers::serverTimeout, GlobalField::ServerTimeout, kServerTimeout, 1, 65535,
         "Invalid ServerTimeout (1-65535)", false},
        {&Dot1xTimers::maxReq, GlobalField::MaxReq, kMaxReq, 1, 10, "Invalid MaxReq (1-10)", false},
        {&Dot1xTimers::reAuthPeriod, GlobalField::ReAuthPeriod, kReAuthPeriod, 1, 4294967295LL,
         "Invalid ReAuthPeriod (1-4294967295)", true},
    };
    return rules;
}

bool IsZeroOrBroadcastPart(const QString& part)
{
    return part == QLatin1String("0") || part == QLatin1String("255");
}

} // namespace

QStringList Dot1xGlobalLogic::ReadOids()
{
    return {kDot1xState,  kRadiusServer,  kRadiusKey, kQuietPeriod,  kTxPeriod,
            kSuppTimeout, kServerTimeout, kMaxReq,    kReAuthPeriod, kReAuthEnabled};
}

std::optional<Dot1xGlobal> Dot1xGlobalLogic::Read(const GetResult& answer)
{
    if (!answer.ok() || answer.values.size() < static_cast<std::size_t>(ReadOids().size()))
        return std::nullopt;
    Dot1xGlobal g;
    g.enabled = answer.value(0).isEnabled();
    g.server = answer.value(1).text();
    g.key = answer.value(2).text();
    g.timers.quietPeriod = answer.value(3).text();
    g.timers.txPeriod = answer.value(4).text();
    g.timers.suppTimeout = answer.value(5).text();
    g.timers.serverTimeout = answer.value(6).text();
    g.timers.maxReq = answer.value(7).text();
    g.timers.reAuthPeriod = answer.value(8).text();
    g.timers.reAuthEnabled = kReAuthEnabledTexts[answer.value(9).isEnabled() ? 0 : 1];
    return g;
}

GlobalDecision Dot1xGlobalLogic::Decide(const Dot1xGlobalInput& input)
{
    GlobalDecision d;
    d.requests.enabled = input.enabled;
    if (!input.enabled) {
        d.requests.state = {SetBinding::Integer(kDot1xState, 2)};
        return d;
    }
    auto refuse = [&d](const QString& text, GlobalField field) {
        d.refusal = text;
        d.field = field;
        d.requests = {};
        return d;
    };
    const QString& server = input.server;
    if (server == QLatin1String("0.0.0.0") || IsZeroOrBroadcastPart(server.section(QLatin1Char('.'), 0, 0)) ||
        IsZeroOrBroadcastPart(server.section(QLatin1Char('.'), -1)))
        return refuse(QStringLiteral("Invalid RADIUS Server IP Address."), GlobalField::Server);
    if (input.key.isEmpty())
        return refuse(QStringLiteral("Invalid Key."), GlobalField::Key);
    if (input.confirmKey != input.key)
        return refuse(QStringLiteral("Please confirm the key again !"), GlobalField::ConfirmKey);

    for (const TimerRule& rule : TimerRules()) {
        const qint64 value = LeadingDecimal64(input.timers.*rule.text);
        if (value < rule.low || value > rule.high)
            return refuse(QString::fromLatin1(rule.refusal), rule.field);
        d.requests.timers.push_back(rule.unsigned32
                                        ? SetBinding::Unsigned(rule.oid, static_cast<quint32>(value))
                                        : SetBinding::Integer(rule.oid, static_cast<int>(value)));
    }
    const bool reAuth = input.timers.reAuthEnabled == kReAuthEnabledTexts[0];
    d.requests.timers.push_back(SetBinding::Integer(kReAuthEnabled, reAuth ? 1 : 2));
    d.requests.radius = {SetBinding::IpAddress(kRadiusServer, server), SetBinding::Text(kRadiusKey, input.key)};
    d.requests.state = {SetBinding::Integer(kDot1xState, 1)};
    return d;
}

GlobalOutcome Dot1xGlobalLogic::Send(CCommonSNMP& snmp, CCommonSNMP& snmpSet, CCommonSNMP& snmpArg,
                                     const GlobalRequests& requests)
{
    GlobalOutcome outcome;
    if (!requests.enabled) {
        outcome.state = SetValues(snmp, requests.state);
        return outcome;
    }
    outcome.radius = SetValues(snmp, requests.radius);
    // A server or key the device refused must not be switched on.
    if (outcome.radius.ok())
        outcome.state = SetValues(snmpSet, requests.state);
    outcome.timers = SetValues(snmpArg, requests.timers);
    return outcome;
}

Dot1xPortTable::Dot1xPortTable(int portCount) : m_controls(portCount > 0 ? portCount : 0, 0) {}

void Dot1xPortTable::clear()
{
    std::fill(m_controls.begin(), m_controls.end(), 0);
}

QString Dot1xPortTable::StatusText(const SnmpValue& value)
{
    switch (value.toInt()) {
    case 1:
        return QStringLiteral("Authorized");
    case 2:
        return QStringLiteral("Unauthorized");
    default:
        return QStringLiteral("Other");
    }
}

QString Dot1xPortTable::ControlText(const SnmpValue& value)
{
    const int control = value.toInt();
    return control >= 1 && control <= 3 ? kControlTexts[control - 1] : QStringLiteral("Other");
}

QStringList Dot1xPortTable::applyRow(const WalkRow& row)
{
    const SnmpValue& control = row.value(1);
    const int value = control.toInt();
    // The port is the instance the control column answered, whatever the order.
    bool isPort = false;
    const int port = row.indexOf(1).toInt(&isPort);
    if (isPort && port >= 1 && port <= portCount() && value >= 1 && value <= 3)
        m_controls[static_cast<std::size_t>(port - 1)] = value;
    return {row.index, StatusText(row.value(0)), ControlText(control)};
}

int Dot1xPortTable::control(int port) const
{
    return port >= 1 && port <= portCount() ? m_controls[static_cast<std::size_t>(port - 1)] : 0;
}

QString Dot1xPortLogic::Check(int from, int to, int control, const std::vector<int>& controls,
                              const TrunkMembership& trunks, int portCount)
{
    for (int p = from; p <= to; ++p)
        if (trunks.group(p) != 0)
            return QStringLiteral("Cannot add an aggregated link to the 802.1X-enabled port");
    auto controlOf = [&controls](int port) {
        return port >= 1 && port <= static_cast<int>(controls.size()) ? controls[static_cast<std::size_t>(port - 1)]
                                                                       : 0;
    };
    int u = 0;
    int a = 0;
    for (int p = 1; p <= portCount; ++p) {
        if (p >= from && p <= to)
            continue;
        u += controlOf(p) == 1;
        a += controlOf(p) == 2;
    }
    const int k = to - from + 1;
    if (control == 1 && u + k == portCount)
        return QStringLiteral("Could not set all port  Force Unauthorized to the port access control.");
    if (control == 2 && a + k == portCount)
        return QStringLiteral("Could not set all port AUTO  to the port access control.");
    if ((control == 1 || control == 2) && u + a + k == portCount)
        return QStringLiteral("Could not set all port AUTO or Force Unauthorized to the port access control.");
    return {};
}

std::vector<std::vector<SetBinding>> Dot1xPortLogic::Batches(int from, int to, int control)
{
    std::vector<std::vector<SetBinding>> batches;
    for (int p = from; p <= to; ++p) {
        if ((p - from) % kPortsPerRequest == 0)
            batches.emplace_back();
        batches.back().push_back(SetBinding::Integer(Oid(kPortControl, p), control));
    }
    return batches;
}

void Dot1xPortLogic::Send(CCommonSNMP& session, const std::vector<std::vector<SetBinding>>& batches, int pauseMs)
{
    // The answers are not looked at: the walk that follows shows what the device took.
    for (const std::vector<SetBinding>& batch : batches) {
        SetValues(session, batch);
        if (static_cast<int>(batch.size()) == kPortsPerRequest)
            std::this_thread::sleep_for(std::chrono::milliseconds(pauseMs));
    }
}

} // namespace kx::dot1x
