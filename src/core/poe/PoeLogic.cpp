#include "core/poe/PoeLogic.h"

#include <charconv>
#include <chrono>
#include <cmath>
#include <thread>

namespace kx::poe {

namespace {

const QString kModelWithSmallBudget = QStringLiteral("KX-A1 R2");

double ThresholdMax(const QString& model)
{
    return model == kModelWithSmallBudget ? 72.0 : 185.0;
}

QString PortCell(int column, int port)
{
    return kPoePortTable + QStringLiteral(".%1.1.%2").arg(column).arg(port);
}

} // namespace

double DecimalValue(const QString& text)
{
    // from_chars reads the same whatever the locale; a desktop set to a locale
    // with a decimal comma would otherwise read "62.0" as 62 and "7.1" as 7.
    const QByteArray bytes = text.toLatin1();
    const char* p = bytes.constData();
    const char* end = p + bytes.size();
    while (p < end && (*p == ' ' || (*p >= '\t' && *p <= '\r')))
        ++p;
    bool negative = false;
    if (p < end && (*p == '+' || *p == '-'))
        negative = *p++ == '-';
    double value = 0;
    const auto result = std::from_chars(p, end, value);
    if (result.ec != std::errc() || std::isnan(value))
        return 0;
    return negative ? -value : value;
}

QString GlobalOid(int field)
{
    return kPoeArc + QStringLiteral(".%1.0").arg(field + 2);
}

QString ThresholdLabel(const QString& model)
{
    return model == kModelWithSmallBudget ? QStringLiteral("PoE Power Threshold  (7.1-72.0)")
                                          : QStringLiteral("PoE Power Threshold  (7.1-185.0)");
}

QString ThresholdRefusal(const QString& model)
{
    return model == kModelWithSmallBudget ? QStringLiteral("The System Power Threshold ranges between 7.1 ~ 72.0.")
                                          : QStringLiteral("The System Power Threshold ranges between 7.1 ~ 185.0.");
}

bool ThresholdInRange(const QString& text, const QString& model)
{
    const double value = DecimalValue(text);
    return value >= 7.1 && value <= ThresholdMax(model);
}

std::optional<QString> PoeGlobalValues::fold(int field, const GetResult& answer)
{
    QString& stored = m_texts[static_cast<std::size_t>(field)];
    if (answer.status != 0)
        stored.clear();
    else if (answer.errorStatus != 0 || answer.values.empty() || answer.value(0).isException())
        return std::nullopt;
    else
        stored = answer.value(0).text();
    return stored;
}

int PoeGlobalValues::sequencePosition() const
{
    const QString& text = m_texts[Sequence];
    return text.isEmpty() ? -1 : text.toInt() - 1;
}

GlobalApply PlanGlobalApply(const PoeGlobalValues& stored, int sequencePosition, const QString& threshold,
                            const QString& model)
{
    GlobalApply apply;
    const bool thresholdChanged = threshold != stored.text(Threshold);
    if (thresholdChanged && !ThresholdInRange(threshold, model)) {
        apply.refusal = ThresholdRefusal(model);
        return apply;
    }
    if (sequencePosition != stored.sequencePosition())
        apply.requests.push_back({SetBinding::Integer(kPoeSequence, sequencePosition + 1)});
    if (thresholdChanged) {
        // The device takes a new threshold reliably only when it is sent twice.
        apply.requests.push_back({SetBinding::Text(kPoeThreshold, threshold)});
        apply.requests.push_back({SetBinding::Text(kPoeThreshold, threshold)});
    }
    return apply;
}

QStringList PortWalkColumns()
{
    QStringList columns;
    for (int c : {3, 4, 5, 6, 9, 10, 11, 12, 13, 7, 8})
        columns << kPoePortTable + QLatin1Char('.') + QString::number(c);
    return columns;
}

int PoePortTable::portOf(const WalkRow& row) const
{
    const QStringList parts = row.index.split(QLatin1Char('.'));
    bool ok = false;
    const int port = parts.size() == 2 && parts[0] == QLatin1String("1") ? parts[1].toInt(&ok) : 0;
    return ok && port >= 1 && port <= m_portCount ? port : 0;
}

QStringList PoePortTable::fold(const WalkRow& row, const TimeRangeList& ranges)
{
    const int port = portOf(row);
    if (port == 0)
        return {};
    const bool enabled = row.value(0).toInt() == 1;
    m_rows.push_back({port, enabled});
    const int range = row.value(1).toInt();
    const int priority = row.value(2).toInt();
    const int limitClass = row.value(3).toInt();
    QString limit = limitClass >= 1 && limitClass <= 5 ? kLimitTexts[limitClass - 1] : QString();
    if (row.value(9).toInt() == 1 && enabled)
        limit = row.value(10).text();
    return {QString::number(port),
            kStateTexts[enabled ? 0 : 1],
            range == 0 ? kNoTimeRange : ranges.nameOf(range),
            priority == 1 ? kPriorityTexts[0] : priority == 2 ? kPriorityTexts[1] : kPriorityTexts[2],
            limit,
            row.value(4).text(),
            row.value(5).text(),
            row.value(6).text(),
            row.value(7).text(),
            row.value(8).text()};
}

int PoePortTable::portAt(int row) const
{
    return row >= 0 && row < static_cast<int>(m_rows.size()) ? m_rows[static_cast<std::size_t>(row)].port : 0;
}

bool PoePortTable::enabledAt(int row) const
{
    return row >= 0 && row < static_cast<int>(m_rows.size()) && m_rows[static_cast<std::size_t>(row)].enabled;
}

QString CheckUserLimit(const QString& text)
{
    const double x = DecimalValue(text);
    if (x < 1.0 || x > 15.4)
        return QStringLiteral("The User Defined power limit ranges between 1.0 ~ 15.4");
    // In single precision, as the device judges the step.
    const float a = static_cast<float>(x) * 10.0f / 2.0f;
    const float n = std::floor(a + 0.5f);
    if (std::fabs(a - n) > 0.000001f)
        return QStringLiteral("The per-port power limit must be a multiple of 0.2");
    return {};
}

std::vector<SetBinding> PortBindings(int port, const PortSettings& s)
{
    std::vector<SetBinding> b;
    b.push_back(SetBinding::Integer(PortCell(3, port), s.enable ? 1 : 2));
    b.push_back(SetBinding::Integer(PortCell(4, port), s.enable ? s.timeRange : 0));
    b.push_back(SetBinding::Integer(PortCell(5, port), s.enable ? s.priority : 2));
    if (s.userDefine) {
        b.push_back(SetBinding::Integer(PortCell(7, port), 1));
        b.push_back(SetBinding::Text(PortCell(8, port), s.userLimit));
    } else {
        b.push_back(SetBinding::Integer(PortCell(7, port), 2));
        b.push_back(SetBinding::Integer(PortCell(6, port), s.enable ? s.limitClass : 1));
    }
    return b;
}

void SendPortSettings(CCommonSNMP& session, int from, int to, const PortSettings& settings)
{
    for (int port = from; port <= to; ++port) {
        // What the device kept shows in the walk that follows. A port that
        // brought no answer at all ends the run: each further one would only
        // hold the window for the whole time-out again.
        if (!SetValues(session, PortBindings(port, settings), kPortSetTimeoutMs).answered())
            break;
        if (port < to)
            std::this_thread::sleep_for(std::chrono::milliseconds(kPortSetPauseMs));
    }
}

} // namespace kx::poe
