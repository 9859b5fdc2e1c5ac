#include "core/panel/PanelStatus.h"

#include "base/DeviceModels.h"
#include "base/TextNumber.h"
#include "base/Trace.h"
#include "core/panel/PanelItems.h"
#include "core/panel/PanelResources.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace kx {

int BoundedPortCount(int devicePortNum)
{
    return std::clamp(devicePortNum, 0, kMaxPanelPorts);
}

int PortArraySize(int devicePortNum)
{
    return std::max(kMinPortArraySize, BoundedPortCount(devicePortNum));
}

const char* TopSpeedText(bool isAllGiga)
{
    return isAllGiga ? "1000000000" : "100000000";
}

int LinkState(const std::string& adminStatus, const std::string& operStatus,
              const std::string& speed, bool isAllGiga)
{
    if (adminStatus != "1")
        return PortDisabled;
    if (operStatus != "1")
        return PortEnabled;
    if (speed == TopSpeedText(isAllGiga))
        return PortLinkTopSpeed;
    return PortLinkLowerSpeed;
}

int PoeStateOf(const std::string& statusText)
{
    if (statusText == "POWER ON")
        return PoePowered;
    if (statusText == "POWER OFF" || statusText == "Time-based OFF")
        return PoeNotPowered;
    return PoeFault;
}

std::optional<bool> PoeBudgetReached(const std::string& valueText)
{
    // A number or nothing: "" or "n/a" must not count as 0 watts left and light
    // the lamp for an answer that carries no value. from_chars, not strtod: the
    // device writes a decimal point whatever the desktop's locale is.
    const std::string text(valueText.c_str()); // up to an embedded NUL, as text
    const char* p = text.data();
    const char* const end = p + text.size();
    while (p < end && std::isspace(static_cast<unsigned char>(*p)))
        ++p;
    if (p < end && *p == '+')
        ++p;
    double watts = 0;
    const auto [next, ec] = std::from_chars(p, end, watts);
    if (ec != std::errc() || next == p || watts != watts)
        return std::nullopt;
    return watts <= PowerLimitThreshold;
}

PanelStatusModel::PanelStatusModel(int devicePortNum, bool isAllGiga)
    : m_portCount(BoundedPortCount(devicePortNum)),
      m_isAllGiga(isAllGiga),
      m_portStates(static_cast<std::size_t>(PortArraySize(devicePortNum)), PortEnabled),
      m_poeStates(static_cast<std::size_t>(PortArraySize(devicePortNum)), PoeUnknown),
      m_portValues(static_cast<std::size_t>(m_portCount), 0)
{
}

void PanelStatusModel::beginWalk()
{
    m_rows.clear();
}

PanelStatusModel::RowResult PanelStatusModel::addRow(StatusRow row)
{
    if (LeadingDecimal(row.ifIndex) >= static_cast<long long>(m_portCount) + 1)
        return RowResult::PastFrontPanel;
    // A device that never ends its table cannot make the list grow without end:
    // the front-panel rows are at most a few per port.
    if (m_rows.size() >= static_cast<std::size_t>(m_portCount) * 4 + 64)
        return RowResult::PastFrontPanel;
    m_rows.push_back(std::move(row));
    return RowResult::Appended;
}

void PanelStatusModel::evaluate()
{
    m_evaluatedPorts.clear();
    for (const StatusRow& row : m_rows) {
        const int port = LeadingDecimal(row.ifIndex);
        const int value = LeadingDecimal(row.portValue);
        const int state = LinkState(row.adminStatus, row.operStatus, row.speed, m_isAllGiga);
        if (port < 1 || port > m_portCount)
            continue;
        TraceF("*************nPortIndex = %d, ------- portStatus =  %d******** \n", port - 1, state);
        m_portStates[static_cast<std::size_t>(port - 1)] = static_cast<std::uint8_t>(state);
        m_portValues[static_cast<std::size_t>(port - 1)] = value;
        m_evaluatedPorts.push_back(port);
    }
    for (const StatusRow& row : m_rows) {
        Trace("YYYYYYYYYYYYYYYYYYYYYYYYYY");
        Trace(row.poeStatus);
        const int state = PoeStateOf(row.poeStatus);
        const int port = LeadingDecimal(row.ifIndex);
        if (port < 1 || port > m_portCount)
            continue;
        m_poeStates[static_cast<std::size_t>(port - 1)] = static_cast<std::uint8_t>(state);
        TraceF("TTTTTTTTTTTTTTTTm_uPOEPortStatus[%d] =  %d", port - 1, state);
    }
}

void PanelStatusModel::resetAfterFailure()
{
    std::fill(m_portStates.begin(), m_portStates.end(), static_cast<std::uint8_t>(PortEnabled));
    std::fill(m_poeStates.begin(), m_poeStates.end(), static_cast<std::uint8_t>(PoeUnknown));
    m_evaluatedPorts.clear();
}

PanelStatusSnapshot PanelStatusModel::snapshot(PanelStatusSnapshot::Kind kind) const
{
    PanelStatusSnapshot s;
    s.kind = kind;
    s.portCount = m_portCount;
    s.portStates = m_portStates;
    s.poeStates = m_poeStates;
    s.portValues = m_portValues;
    if (kind == PanelStatusSnapshot::Kind::Evaluated)
        s.evaluatedPorts = m_evaluatedPorts;
    return s;
}

std::vector<LampDraw> PortLampDraws(int portState, int poeState, bool blinkPhase, bool hasLamp2,
                                    bool lamp2HasLeft)
{
    using namespace res;
    std::vector<LampDraw> draws;
    if (portState < PortLinkLowerSpeed || portState > PortEnabled)
        return draws;

    // Lamp 0: steady green at top speed. Below it, a port with a second link
    // lamp shows lamp 0 dark (lamp 2 tells the speed); a port without one would
    // then look unlinked, so there lamp 0 blinks green instead. Both phases
    // draw, so that the background repainted after each walk never shows
    // through for a phase.
    if (portState == PortLinkLowerSpeed && !hasLamp2)
        draws.push_back({0, blinkPhase ? kPortLampOff : kPortLampOn});
    else if (portState == PortLinkTopSpeed)
        draws.push_back({0, kPortLampOn});
    else
        draws.push_back({0, kPortLampOff});

    // Lamp 1: PoE; a fault blinks amber.
    if (poeState == PoePowered)
        draws.push_back({1, kPortLampOn});
    else if (poeState == PoeFault)
        draws.push_back({1, blinkPhase ? kPortLampOff : kPortLampFault});
    else
        draws.push_back({1, kPortLampOff});

    // Lamp 2: blinks for both link states, in opposite phases.
    if (!hasLamp2)
        return draws;
    if (lamp2HasLeft)
        draws.push_back({2, kPortLampOff});
    if ((portState == PortLinkLowerSpeed && blinkPhase) || (portState == PortLinkTopSpeed && !blinkPhase))
        draws.push_back({2, kPortLampOn});
    else if (portState == PortDisabled || portState == PortEnabled)
        draws.push_back({2, kPortLampOff});
    return draws;
}

std::vector<FixedLampDraw> ModelLampDraws(const QString& deviceName, bool lampOrderFlag, bool powMax,
                                          bool agentAnswered, int fanStatus)
{
    using namespace res;
    std::vector<FixedLampDraw> draws;
    if (IsC1Model(deviceName)) {
        draws.push_back({kC1PowerLamp, 25, 23});
        if (lampOrderFlag) {
            draws.push_back({kC1ModeLampOn, 107, 40});
            draws.push_back({kC1ModeLampOff, 107, 51});
        } else {
            draws.push_back({kC1ModeLampOff, 107, 40});
            draws.push_back({kC1ModeLampOn, 107, 51});
        }
        if (powMax)
            draws.push_back({kC1PoeBudgetLamp, 63, 40});
        if (fanStatus == FanFault)
            draws.push_back({kC1FanFaultLamp, 63, 28});
    } else if (IsA1Model(deviceName)) {
        draws.push_back({kA1PowerLamp, kA1PowerLampLeft, kA1PowerLampTop});
        draws.push_back({powMax && agentAnswered ? kA1PoeBudgetLampOn : kA1PoeBudgetLampOff,
                         kA1PoeBudgetLampLeft, kA1PoeBudgetLampTop});
    }
    return draws;
}

QString PortLampText(int port, int portState, int poeState, bool isAllGiga)
{
    const QString top = isAllGiga ? QStringLiteral("1000M") : QStringLiteral("100M");
    QString link;
    switch (portState) {
    case PortLinkLowerSpeed: link = QStringLiteral("link below ") + top; break;
    case PortLinkTopSpeed: link = QStringLiteral("link ") + top; break;
    case PortDisabled: link = QStringLiteral("disabled"); break;
    case PortEnabled: link = QStringLiteral("no link"); break;
    default: return QStringLiteral("Port %1: empty").arg(port);
    }
    QString poe;
    switch (poeState) {
    case PoePowered: poe = QStringLiteral("PoE powered"); break;
    case PoeNotPowered: poe = QStringLiteral("PoE off"); break;
    case PoeFault: poe = QStringLiteral("PoE fault"); break;
    default: poe = QStringLiteral("PoE unknown"); break;
    }
    return QStringLiteral("Port %1: %2, %3").arg(port).arg(link, poe);
}

QStringList PanelLampTexts(const QString& deviceName, const PanelStatusSnapshot& status,
                           int portsShown, bool isAllGiga)
{
    QStringList lines;
    if (IsA1Model(deviceName) || IsC1Model(deviceName))
        lines << QStringLiteral("Power: on");
    if (IsC1Model(deviceName))
        lines << (status.fanStatus == FanFault ? QStringLiteral("Fan: fault") : QStringLiteral("Fan: normal"));
    if (IsA1Model(deviceName))
        lines << (status.powMax && status.agentAnswered ? QStringLiteral("PoE budget: limit reached")
                                                        : QStringLiteral("PoE budget: available"));
    else if (IsC1Model(deviceName))
        lines << (status.powMax ? QStringLiteral("PoE budget: limit reached")
                                : QStringLiteral("PoE budget: available"));
    const int shown = std::min<int>(portsShown, static_cast<int>(status.portStates.size()));
    for (int i = 0; i < shown; ++i)
        lines << PortLampText(i + 1, status.portStates[static_cast<std::size_t>(i)],
                              status.poeStates[static_cast<std::size_t>(i)], isAllGiga);
    return lines;
}

} // namespace kx
