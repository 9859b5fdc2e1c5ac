#include "core/lldp/LldpLogic.h"

#include <chrono>
#include <thread>

namespace kx::lldp {

namespace {

const QString kLocal = QStringLiteral("1.0.8802.1.1.2.1.3");

QString Pick(const QStringList& texts, int code)
{
    return code >= 1 && code <= texts.size() ? texts[code - 1] : QString();
}

// The edits' decimal conversion: digits up to the first other character.
int Decimal(const QString& text)
{
    long long value = 0;
    for (QChar c : text) {
        if (!c.isDigit())
            break;
        value = value * 10 + c.digitValue();
        if (value > 1'000'000'000)
            break; // far past every range; no overflow
    }
    return static_cast<int>(value);
}

} // namespace

QStringList GlobalReadOids()
{
    QStringList oids{kLldpState, kHoldMultiplier, kTxInterval, kReinitDelay, kTxDelay};
    for (int o = 1; o <= 4; ++o)
        oids << Scalar(kLocal + QLatin1Char('.') + QString::number(o));
    return oids;
}

QStringList RemoteColumns()
{
    QStringList columns;
    for (int c = 4; c <= 10; ++c)
        columns << Oid(kRemoteEntry, c);
    return columns;
}

QString ChassisSubtypeText(int subtype)
{
    static const QStringList texts{QStringLiteral("chassisComponent"), QStringLiteral("interfaceAlias"),
                                   QStringLiteral("portComponent"),    QStringLiteral("macAddress"),
                                   QStringLiteral("networkAddress"),   QStringLiteral("interfaceName"),
                                   QStringLiteral("local")};
    return Pick(texts, subtype);
}

QString PortSubtypeText(int subtype)
{
    static const QStringList texts{QStringLiteral("interfaceAlias"), QStringLiteral("portComponent"),
                                   QStringLiteral("macAddress"),     QStringLiteral("networkAddress"),
                                   QStringLiteral("interfaceName"),  QStringLiteral("agentCircuitld"),
                                   QStringLiteral("local")};
    return Pick(texts, subtype);
}

QString HexOctets(QByteArrayView octets)
{
    return QString::fromLatin1(octets.toByteArray().toHex('-').toUpper());
}

GlobalValues GlobalFromAnswer(const GetResult& answer)
{
    GlobalValues v;
    v.enabled = answer.value(0).text() == QLatin1String("1");
    for (std::size_t i = 1; i <= 4; ++i)
        v.timers << answer.value(i).text();
    v.chassisSubtype = ChassisSubtypeText(answer.value(5).toInt());
    v.chassisId = HexOctets(answer.value(6).octets);
    v.systemName = answer.value(7).text();
    v.systemDescription = answer.value(8).text();
    return v;
}

TimerDecision DecideTimers(const QStringList& texts)
{
    TimerDecision d;
    const auto at = [&](TimerField f) { return Decimal(texts.value(f)); };
    const int hold = at(Hold), interval = at(Interval), reinit = at(Reinit), delay = at(Delay);
    const auto refuse = [&](const QString& text, TimerField field) {
        d.refusal = text;
        d.field = field;
        d.bindings.clear();
        return d;
    };
    if (hold < 2 || hold > 10)
        return refuse(kHoldRefusal, Hold);
    d.bindings.push_back(SetBinding::Integer(kHoldMultiplier, hold));
    if (interval < 5 || interval > 32768)
        return refuse(kIntervalRefusal, Interval);
    d.bindings.push_back(SetBinding::Integer(kTxInterval, interval));
    if (static_cast<long long>(interval) * hold > 65535)
        return refuse(kProductRefusal, Interval);
    if (reinit < 1 || reinit > 10)
        return refuse(kReinitRefusal, Reinit);
    d.bindings.push_back(SetBinding::Integer(kReinitDelay, reinit));
    if (delay < 1 || delay > 8192)
        return refuse(kDelayRefusal, Delay);
    d.bindings.push_back(SetBinding::Integer(kTxDelay, delay));
    // delay > 0.25 x interval, in integers
    if (4LL * delay > interval)
        return refuse(kDelayQuarterRefusal, Delay);
    return d;
}

QStringList RemoteLine(const WalkRow& row)
{
    const QStringList parts = row.index.split(QLatin1Char('.'), Qt::SkipEmptyParts);
    QString port, entity;
    if (parts.size() >= 3) {
        port = parts[1];
        entity = parts[2];
    } else if (parts.size() == 2) {
        port = parts[0];
        entity = parts[1];
    } else if (parts.size() == 1) {
        entity = parts[0];
    }
    return {port,
            entity,
            ChassisSubtypeText(row.value(0).toInt()),
            HexOctets(row.value(1).octets),
            PortSubtypeText(row.value(2).toInt()),
            row.value(3).text(),
            row.value(4).text(),
            row.value(5).text(),
            row.value(6).text()};
}

bool SendWithRetries(CCommonSNMP& session, const std::vector<SetBinding>& bindings)
{
    for (int attempt = 1; attempt <= kSetTries; ++attempt) {
        if (SetValues(session, bindings).answered())
            return true;
        if (attempt < kSetTries)
            std::this_thread::sleep_for(std::chrono::milliseconds(kAfterSilenceMs));
    }
    return false;
}

} // namespace kx::lldp
