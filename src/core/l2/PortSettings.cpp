#include "core/l2/PortSettings.h"

namespace kx::l2 {

namespace {

enum Column
{
    SpeedColumn,
    OperModeColumn,
    FlowColumn,
    PriorityColumn,
    OperFlowColumn,
    TypeColumn,
};

QString FlowControlText(int value)
{
    return value == 1 ? QStringLiteral("Enable") : QStringLiteral("Disable");
}

QString PriorityText(int value)
{
    static const QStringList texts = {QStringLiteral("Low"), QStringLiteral("Middle"), QStringLiteral("High"),
                                      QStringLiteral("Highest")};
    return value >= 1 && value <= 4 ? texts[value - 1] : texts[0];
}

QString OperFlowText(int value)
{
    if (value == 1)
        return QStringLiteral("Enabled");
    if (value == 2)
        return QStringLiteral("Disabled");
    return QString();
}

// The medium of a combination port, or an empty text when the plain form stays.
QString CombinationText(int port, int portCount, int type, int operMode, bool allGiga)
{
    switch (type) {
    case Fibre100BaseX:
        if (operMode == 3)
            return QStringLiteral("100M F Full");
        if (operMode == 4)
            return QStringLiteral("100M F Half");
        return QString();
    case Fibre1000BaseX:
        return operMode == 2 ? QStringLiteral("1000M F Full") : QString();
    case CopperGigabit: {
        if (port > portCount - 2 && !allGiga)
            return QString();
        static const QStringList copper = {QStringLiteral("Down"),       QStringLiteral("1000M C Full"),
                                           QStringLiteral("100M C Full"), QStringLiteral("100M C Half"),
                                           QStringLiteral("10M C Full"),  QStringLiteral("10M C Half")};
        // Like the plain form, a mode the device should not answer reads as 1000M.
        return operMode >= 1 && operMode <= 6 ? copper[operMode - 1] : copper[1];
    }
    default:
        return QString();
    }
}

bool IsHalfDuplex(int entry)
{
    return entry == Speed100Half || entry == Speed10Half;
}

} // namespace

QStringList PortWalkColumns()
{
    return {kPortControlSpeed, kPortOperMode, kPortFlowControl, kPortDefaultPriority, kPortOperFlowControl,
            kPortType};
}

int CombinationPortCount(int portCount)
{
    if (portCount == 16 || portCount == 24 || portCount == 48)
        return 4;
    if (portCount == 10)
        return 2;
    return 0;
}

QString SpeedSettingText(int value)
{
    return value >= 1 && value <= 7 ? kSpeedCellTexts[value - 1] : kSpeedCellTexts[Speed1000Full];
}

QString OperModeText(int value)
{
    static const QStringList texts = {QStringLiteral("Down"),    QStringLiteral("1000MFull"),
                                      QStringLiteral("100MFull"), QStringLiteral("100MHalf"),
                                      QStringLiteral("10MFull"),  QStringLiteral("10MHalf")};
    return value >= 1 && value <= 6 ? texts[value - 1] : texts[1];
}

PortSettingsTable::PortSettingsTable(int portCount, bool allGiga)
    : m_portCount(std::max(0, portCount)), m_allGiga(allGiga)
{
    clear();
}

void PortSettingsTable::clear()
{
    m_speed.assign(static_cast<std::size_t>(m_portCount), QString());
    m_type.assign(static_cast<std::size_t>(m_portCount), 0);
}

QStringList PortSettingsTable::addRow(const WalkRow& row)
{
    auto number = [&row](std::size_t column) { return row.value(column).toInt(); };
    const int port = row.indexNumber();
    const int operMode = number(OperModeColumn);
    QString operText = OperModeText(operMode);
    const bool ours = port >= 1 && port <= m_portCount;
    if (ours && port > m_portCount - CombinationPortCount(m_portCount)) {
        const QString medium = CombinationText(port, m_portCount, number(TypeColumn), operMode, m_allGiga);
        if (!medium.isEmpty())
            operText = medium;
    }
    const QStringList texts = {row.index,
                               SpeedSettingText(number(SpeedColumn)),
                               operText,
                               FlowControlText(number(FlowColumn)),
                               PriorityText(number(PriorityColumn)),
                               OperFlowText(number(OperFlowColumn))};
    if (ours)
        m_speed[static_cast<std::size_t>(port - 1)] = texts[1];
    // A cell the device left out moves the columns after it on: the type goes
    // to the port its own instance names.
    bool typed = false;
    const int typePort = row.indexOf(TypeColumn).toInt(&typed);
    if (typed && typePort >= 1 && typePort <= m_portCount)
        m_type[static_cast<std::size_t>(typePort - 1)] = number(TypeColumn);
    return texts;
}

QString PortSettingsTable::speedText(int port) const
{
    return port >= 1 && port <= m_portCount ? m_speed[static_cast<std::size_t>(port - 1)] : QString();
}

int PortSettingsTable::type(int port) const
{
    return port >= 1 && port <= m_portCount ? m_type[static_cast<std::size_t>(port - 1)] : 0;
}

PortApplyDecision DecidePortApply(const PortApplyRequest& request, const PortSettingsTable& ports,
                                  const TrunkMembership& trunks, bool allGiga)
{
    PortApplyDecision d;
    if (request.portText.isEmpty()) {
        d.refusal = QStringLiteral("Please Select one port !");
        return d;
    }
    const int p = request.port;
    const int entry = request.speedEntry;
    const int N = ports.portCount();
    // A row the device answered beyond its ports is listed, never written.
    if (p < 1 || p > N || entry < 0 || entry >= kSpeedComboTexts.size())
        return d;
    const QString& text = request.portText;
    const int group = trunks.group(p);

    if (group != 0) {
        for (int q = 1; q <= N; ++q)
            if (q != p && trunks.group(q) == group && ports.speedText(q) != kSpeedCellTexts[entry]) {
                d.refusal = QStringLiteral("LA port can not support in different speed.");
                return d;
            }
    }

    int othersDisabled = 0;
    for (int q = 1; q <= N; ++q)
        if (q != p && ports.speedText(q) == kSpeedCellTexts[SpeedDisable])
            ++othersDisabled;
    if (othersDisabled == N - 1 && entry == SpeedDisable) {
        d.refusal = QStringLiteral("Sorry, you cannot disable all ports.");
        return d;
    }

    const int type = ports.type(p);
    if (type == CopperWithout1000M && entry == Speed1000Full && !allGiga)
        d.refusal = QStringLiteral("Port %1 can not support 1000M speed.").arg(text);
    else if (entry == SpeedAuto && type == Fibre100BaseX)
        d.refusal = QStringLiteral("Fiber Port %1 with 100Base-x SFP Module can not support in Auto mode.").arg(text);
    else if (type == Fibre1000BaseX && entry >= Speed100Full && entry <= Speed10Half)
        d.refusal = QStringLiteral("Fiber Port %1 with 1000Base-x SFP Module can not support this speed.").arg(text);
    else if (type == Fibre100BaseX && entry != Speed100Full && entry != Speed100Half && entry != SpeedDisable)
        d.refusal = QStringLiteral("Fiber Port %1 with 100Base-x SFP Module can not support this speed.").arg(text);
    if (!d.refusal.isEmpty())
        return d;

    if (group != 0 && IsHalfDuplex(entry)) {
        d.refusal = QStringLiteral("LA port %1 can not support in half-duplex mode.").arg(text);
        return d;
    }

    d.writes = true;
    d.askForceMode = entry != SpeedAuto && entry != SpeedDisable;
    // A member of an aggregated link keeps the speed its link has.
    if (group == 0)
        d.bindings.push_back(SetBinding::Integer(Oid(kPortControlSpeed, p), entry + 1));
    d.askFlowControl = request.flowEnable;
    d.bindings.push_back(SetBinding::Integer(Oid(kPortFlowControl, p), request.flowEnable ? 1 : 2));
    return d;
}

} // namespace kx::l2
