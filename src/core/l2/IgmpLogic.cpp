#include "core/l2/IgmpLogic.h"

#include "base/TextNumber.h"
#include "core/vlan/VlanTable.h"

namespace kx::l2 {

namespace {

const QString kIgmpGlobalBase = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.10.1.");

QString TextAt(const QStringList& texts, int index)
{
    return index < texts.size() ? texts[index] : QString();
}

QString EnabledText(const SnmpValue& value)
{
    return value.isEnabled() ? kEnabledText : kDisabledText;
}

// Combo position 0 is "Enabled".
QString PositionValue(int position)
{
    return position == 0 ? QStringLiteral("1") : QStringLiteral("2");
}

} // namespace

QStringList IgmpGlobalOids()
{
    QStringList oids;
    for (int k = 1; k <= kIgmpGlobalFieldCount; ++k)
        oids << kIgmpGlobalBase + QString::number(k) + QStringLiteral(".0");
    return oids;
}

IgmpRefusal CheckIgmpGlobal(const IgmpGlobalTexts& texts)
{
    static const struct
    {
        int field;
        int low;
        int high;
        const char* message;
    } kChecks[] = {
        {kIgmpHostTimeout, 130, 153025, "Invalid Host Timeout (130-153025 sec)."},
        {kIgmpRouterTimeout, 60, 600, "Invalid Router Timeout (60-600 sec)."},
        {kIgmpRobustness, 2, 255, "Invalid Robustness Variable (2-255)."},
        {kIgmpLastMemberQueryInterval, 1, 25, "Invalid Last Member Query Interval (1-25 sec)."},
        {kIgmpQueryInterval, 60, 600, "Invalid Query Interval (60-600 sec)."},
        {kIgmpMaxResponseTime, 10, 25, "Invalid Max. Response Time (10-25 sec)."},
    };
    for (const auto& check : kChecks) {
        const int value = LeadingDecimal(TextAt(texts, check.field));
        if (value < check.low || value > check.high)
            return {QString::fromLatin1(check.message), check.field};
    }
    return {};
}

std::vector<std::vector<SetBinding>> IgmpGlobalRequests(const IgmpGlobalTexts& wanted,
                                                        const IgmpGlobalTexts& lastRead)
{
    const QStringList oids = IgmpGlobalOids();
    const QString state = TextAt(wanted, kIgmpState);
    const QString readState = TextAt(lastRead, kIgmpState);
    std::vector<std::vector<SetBinding>> requests;
    if (state == readState && state == QLatin1String("2"))
        return requests;
    if (state != readState) {
        requests.push_back({SetBinding::Integer(oids[kIgmpState], state)});
        if (state == QLatin1String("2"))
            return requests;
    }
    if (state != QLatin1String("1"))
        return requests;
    std::vector<SetBinding> changed;
    for (int k = kIgmpRouterTimeout; k < kIgmpGlobalFieldCount; ++k)
        if (TextAt(wanted, k) != TextAt(lastRead, k))
            changed.push_back(SetBinding::Integer(oids[k], TextAt(wanted, k)));
    if (!changed.empty())
        requests.push_back(std::move(changed));
    return requests;
}

QStringList IgmpVlanColumns()
{
    return {kIgmpVlanId, kIgmpVlanState, kIgmpVlanQuerier, kIgmpVlanFastLeave, kIgmpVlanRouterPorts,
            kx::vlan::kDot1qVlanStaticName};
}

QStringList IgmpVlanRowTexts(const WalkRow& row, int portCount)
{
    QString name;
    if (row.indexOf(5) == row.index)
        Utf8ToText(row.value(5).octets, name);
    QString routerPorts;
    PortListToRangeText(row.value(4).octets, routerPorts, portCount);
    return {row.value(0).text(),       name, EnabledText(row.value(1)), EnabledText(row.value(2)),
            EnabledText(row.value(3)), routerPorts};
}

IgmpVlanApply DecideIgmpVlanApply(const QString& vlanIdText, int statePos, int querierPos, int fastLeavePos,
                                  const std::vector<QStringList>& listedRows)
{
    IgmpVlanApply apply;
    if (vlanIdText.isEmpty()) {
        apply.nothing = true;
        return apply;
    }
    QString oldState = QStringLiteral("2");
    for (const QStringList& row : listedRows)
        if (TextAt(row, kVlanColId) == vlanIdText)
            oldState = TextAt(row, kVlanColState) == kEnabledText ? QStringLiteral("1") : QStringLiteral("2");
    const QString state = PositionValue(statePos);
    apply.ask = state == QLatin1String("2");

    const SetBinding stateBinding = SetBinding::Integer(Oid(kIgmpVlanState, vlanIdText), state);
    const SetBinding querier = SetBinding::Integer(Oid(kIgmpVlanQuerier, vlanIdText), PositionValue(querierPos));
    const SetBinding fastLeave =
        SetBinding::Integer(Oid(kIgmpVlanFastLeave, vlanIdText), PositionValue(fastLeavePos));
    if (oldState == QLatin1String("2")) {
        // The switch takes querier and fast leave only in a VLAN that snoops.
        if (state == QLatin1String("1"))
            apply.requests = {{stateBinding}, {querier, fastLeave}};
    } else if (state == QLatin1String("2")) {
        apply.requests = {{querier, fastLeave, stateBinding}};
    } else {
        apply.requests = {{querier, fastLeave}};
    }
    return apply;
}

QString DecideRouterPorts(const QString& vlanIdText, const PortFlags& ticked, bool membersAgree, int portCount,
                          SetBinding& binding)
{
    if (!membersAgree)
        return QStringLiteral("Members of port channel must have the same status.");
    const QByteArray ports = PortFlagsToPortList(ticked, portCount);
    if (vlanIdText.isEmpty())
        return QStringLiteral("Please select Vlan first.");
    binding = SetBinding::Octets(Oid(kIgmpVlanRouterPorts, vlanIdText), ports);
    return {};
}

QStringList MulticastEntryColumns()
{
    return {kMcEntryVlan, kMcEntryGroup, kMcEntryMac, kMcEntryPorts};
}

QStringList MulticastEntryTexts(const WalkRow& row, int portCount)
{
    QString ports;
    PortListToRangeText(row.value(3).octets, ports, portCount);
    // A device that answers the group as an IpAddress hands it over dotted already.
    const SnmpValue& group = row.value(1);
    const QString address = group.type == SnmpType::IpAddress ? group.text() : IpOctetsToText(group.octets);
    return {row.value(0).text(), address, MacOctetsToText(row.value(2).octets), ports};
}

QStringList MulticastFilterColumns()
{
    return {kMcFilterPort, kMcFilterMode};
}

QStringList MulticastFilterRowTexts(const WalkRow& row)
{
    return {row.value(0).text(), row.value(1).octets == "1" ? kMcFilterModeTexts[0] : kMcFilterModeTexts[1]};
}

QString DecideMulticastFilter(int fromPort, int toPort, int modePos, const TrunkMembership& trunks,
                              std::vector<SetBinding>& bindings)
{
    bindings.clear();
    for (int p = fromPort; p <= toPort; ++p)
        if (trunks.group(p) != 0)
            return kFilterTrunkRefusal;
    for (int p = fromPort; p <= toPort; ++p)
        bindings.push_back(SetBinding::Integer(Oid(kMcFilterMode, p), PositionValue(modePos)));
    return {};
}

} // namespace kx::l2
