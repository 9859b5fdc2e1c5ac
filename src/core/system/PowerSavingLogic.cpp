#include "core/system/PowerSavingLogic.h"

#include "core/kit/ValueCodecs.h"

namespace kx::powersaving {

namespace {

const QString kA1 = QStringLiteral("KX-A1 R2");
const QString kE1 = QStringLiteral("KX-E1 R2");

// Where each function keeps its objects: ports, state, profile 1, profile 2 (0 = none).
struct Layout
{
    int ports, state, profile1, profile2;
};

Layout LayoutOf(int type)
{
    if (type == SystemHibernation)
        return {0, 1, 2, 3};
    return {1, 2, 3, 4};
}

// The last port LED shut-off and port standby may name: the copper ones.
int LastCopperPort(int type, const QString& model, int portCount)
{
    if (type != LedShutoff && type != PortStandby)
        return portCount;
    if (SameModel(model, QStringLiteral("KX-F1")))
        return 16;
    if (SameModel(model, QStringLiteral("KX-G1")))
        return 24;
    return portCount;
}

QString ProfileName(const SnmpValue& value)
{
    const QString name = value.text();
    return name == kNone ? QString() : name;
}

} // namespace

bool SameModel(const QString& a, const QString& b)
{
    return a.simplified() == b.simplified();
}

QStringList TypeTexts(const QString& model)
{
    QStringList texts{QStringLiteral("LED Shut-off"), QStringLiteral("Port Shut-off"),
                      QStringLiteral("System Hibernation"), QStringLiteral("Port Standby")};
    if (SameModel(model, kA1))
        texts.removeLast();
    return texts;
}

int TypeAt(int position)
{
    static const int codes[] = {LedShutoff, PortShutoff, SystemHibernation, PortStandby};
    return position >= 0 && position < 4 ? codes[position] : 0;
}

int PositionOf(int type)
{
    for (int p = 0; p < 4; ++p)
        if (TypeAt(p) == type)
            return p;
    return -1;
}

bool HasGlobalSettings(const QString& model)
{
    return !SameModel(model, kA1);
}

QString FunctionOid(int type, int object)
{
    return Scalar(QStringLiteral("%1.%2.%3").arg(kPowerSaving).arg(type).arg(object));
}

QStringList ReadOids(const QString& model)
{
    QStringList oids;
    for (int type : {LedShutoff, PortShutoff})
        for (int object = 1; object <= 4; ++object)
            oids << FunctionOid(type, object);
    for (int object = 1; object <= 3; ++object)
        oids << FunctionOid(SystemHibernation, object);
    if (SameModel(model, kE1)) {
        for (int object = 1; object <= 4; ++object)
            oids << FunctionOid(PortStandby, object);
        oids << kCableLength << kLinkStatus;
    }
    return oids;
}

Reading FromAnswer(const GetResult& answer, const QString& model, int portCount)
{
    Reading r;
    std::size_t i = 0;
    const auto portRow = [&](int type) {
        Row row{type, {}, {}, {}, {}};
        PortListToRangeText(answer.value(i).octets, row.ports, portCount);
        row.state = answer.value(i + 1).text();
        row.profile1 = ProfileName(answer.value(i + 2));
        row.profile2 = ProfileName(answer.value(i + 3));
        i += 4;
        r.rows.push_back(row);
    };
    portRow(LedShutoff);
    portRow(PortShutoff);
    r.rows.push_back({SystemHibernation, answer.value(i).text(), kAllPort, ProfileName(answer.value(i + 1)),
                      ProfileName(answer.value(i + 2))});
    i += 3;
    if (SameModel(model, kE1)) {
        portRow(PortStandby);
        r.cableLength = answer.value(i).isEnabled();
        r.linkStatus = answer.value(i + 1).isEnabled();
    }
    return r;
}

QStringList SummaryLine(const Row& row)
{
    static const QStringList types{QStringLiteral("LED_Shutoff"), QStringLiteral("Port_Shutoff"),
                                   QStringLiteral("Port_Standby"), QStringLiteral("System_Hibernation")};
    return {types.value(row.type - 1),
            row.enabled() ? QStringLiteral("Enabled") : QStringLiteral("Disabled"),
            row.profile1,
            row.profile2,
            row.ports.isEmpty() ? kNone : row.ports};
}

ApplyDecision DecideApply(const ApplyInput& input, const QString& model, int portCount)
{
    ApplyDecision d;
    const int type = TypeAt(input.position);
    if (type == 0)
        return d;
    const Layout at = LayoutOf(type);
    const QString ports = type == SystemHibernation ? QString() : input.ports;
    if (type != SystemHibernation && !CheckPortTextChars(ports)) {
        d.refusal = kInvalidPortlist;
        return d;
    }
    QString p1 = input.profile1, p2 = input.profile2;
    for (const char* m : {"KX-C1 R2", "KX-A1 R2", "KX-D1 R2", "KX-E1 R2"}) {
        if (SameModel(model, QLatin1String(m))) {
            if (p1 == kNone)
                p1.clear();
            if (p2 == kNone)
                p2.clear();
        }
    }
    PortFlags flags(static_cast<std::size_t>(std::max(portCount, 0)), 0);
    if (!ParsePortRangeText(ports, flags, portCount, &d.refusal))
        return d;
    const int last = LastCopperPort(type, model, portCount);
    for (int p = last + 1; p <= portCount; ++p) {
        if (flags[static_cast<std::size_t>(p - 1)]) {
            d.refusal = kNotFiber;
            return d;
        }
    }
    const SetBinding state = SetBinding::Integer(FunctionOid(type, at.state), input.enabled ? 1 : 2);
    d.bindings.push_back(state);
    if (!input.enabled)
        return d;
    const SetBinding profile1 = SetBinding::Text(FunctionOid(type, at.profile1), p1);
    const SetBinding profile2 = SetBinding::Text(FunctionOid(type, at.profile2), p2);
    if (type == SystemHibernation) {
        d.bindings.insert(d.bindings.end(), {profile1, profile2});
        return d;
    }
    const SetBinding portList = SetBinding::Octets(FunctionOid(type, at.ports), PortFlagsToPortList(flags, portCount));
    if (type == PortStandby)
        d.bindings.insert(d.bindings.end(), {profile1, profile2, portList});
    else
        d.bindings.insert(d.bindings.end(), {portList, profile1, profile2});
    return d;
}

std::vector<SetBinding> GlobalBindings(bool cableLength, bool linkStatus)
{
    return {SetBinding::Integer(kCableLength, cableLength ? 1 : 2),
            SetBinding::Integer(kLinkStatus, linkStatus ? 1 : 2)};
}

} // namespace kx::powersaving
