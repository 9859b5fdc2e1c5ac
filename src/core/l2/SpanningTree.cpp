#include "core/l2/SpanningTree.h"

#include "base/TextNumber.h"

#include <QThread>

namespace kx::l2 {

namespace {

QString HexJoined(const QByteArray& octets, QLatin1Char separator)
{
    QStringList parts;
    for (char c : octets)
        parts << QStringLiteral("%1").arg(static_cast<uchar>(c), 2, 16, QLatin1Char('0')).toUpper();
    return parts.join(separator);
}

QString Column(int n)
{
    return kDot1dStpPortTable + QStringLiteral(".%1").arg(n);
}

} // namespace

StpSetPath SessionStpSetPath(CCommonSNMP& session)
{
    return {
        [&session](const std::vector<SetBinding>& bindings) { return SetValues(session, bindings); },
        [](int milliseconds) { QThread::msleep(static_cast<unsigned long>(milliseconds)); },
    };
}

QStringList BridgeObjects()
{
    return {kDot1dStpPriority,
            QStringLiteral("1.3.6.1.2.1.17.2.3.0"),
            QStringLiteral("1.3.6.1.2.1.17.2.4.0"),
            QStringLiteral("1.3.6.1.2.1.17.2.5.0"),
            QStringLiteral("1.3.6.1.2.1.17.2.7.0"),
            kDot1dStpBridgeMaxAge,
            kDot1dStpBridgeHelloTime,
            kDot1dStpBridgeForwardDelay,
            QStringLiteral("1.3.6.1.2.1.17.2.9.0"),
            QStringLiteral("1.3.6.1.2.1.17.2.10.0"),
            QStringLiteral("1.3.6.1.2.1.17.2.11.0"),
            kRstpState,
            kStpVersion};
}

QStringList BridgePriorityTexts()
{
    QStringList texts;
    for (int p = 0; p <= 61440; p += 4096)
        texts << QString::number(p);
    return texts;
}

QString BridgeIdText(const SnmpValue& value)
{
    if (value.type == SnmpType::OctetString && value.octets.size() == 8)
        return HexJoined(value.octets, QLatin1Char(':'));
    return value.text();
}

std::optional<BridgeView> ReadBridge(const GetResult& answer)
{
    if (answer.status != 0 || answer.values.size() < 11)
        return std::nullopt;
    const SnmpValue& first = answer.values[0];
    if (first.type == SnmpType::Null || first.isException())
        return std::nullopt;
    auto text = [&answer](std::size_t i) { return answer.value(i).text(); };
    BridgeView v;
    v.priority = text(0);
    v.topologyChangeTime = text(1);
    v.topologyChanges = text(2);
    v.designatedRoot = BridgeIdText(answer.value(3));
    v.rootPort = text(4);
    v.maxAge = text(5);
    v.helloTime = text(6);
    v.forwardDelay = text(7);
    v.currentHelloTime = text(8);
    v.holdTime = text(9);
    v.currentForwardDelay = text(10);
    v.rstpEnabled = answer.value(11).isEnabled();
    const QString version = text(12);
    if (version == QLatin1String("0"))
        v.versionEntry = 1;
    else if (version == QLatin1String("2"))
        v.versionEntry = 0;
    return v;
}

QString CheckBridgeTimers(const QString& maxAgeText, const QString& delayText, const QString& helloText)
{
    const int maxAge = LeadingDecimal(maxAgeText);
    const int delay = LeadingDecimal(delayText);
    const int hello = LeadingDecimal(helloText);
    if (maxAge < 600 || maxAge > 4000)
        return QStringLiteral("Invalid Age Time value, the valid Age Time range is  (600-4000) ms !");
    if (delay < 400 || delay > 3000)
        return QStringLiteral("Invalid Forward Delay value, the valid Forward Delay range is (400-3000) ms !");
    if (hello < 100 || hello > 1000)
        return QStringLiteral("Invalid Hello Time value, the valid Hello Time range is (100-1000) ms !");
    if (maxAge < 2 * hello + 200)
        return QStringLiteral("To set the parameters Hello Time and Max Age the following relation is to be "
                              "satisfied: \nMax Age >= (2*(Hello Time + 1.0))");
    if (2 * delay - 200 < maxAge)
        return QStringLiteral("To set the parameters Forward Delay and Max Age, the following relation is to be "
                              "satisfied: \n2*(Forward Delay - 1) >= Max Age");
    return QString();
}

void WriteBridge(const BridgeWrite& w, const StpSetPath& path)
{
    if (!w.rstp) {
        path.set({SetBinding::Integer(kRstpState, 2)});
        path.pause(30);
        return;
    }
    if (w.rstpWasOff)
        path.set({SetBinding::Integer(kRstpState, 1)});
    path.set({SetBinding::Integer(kDot1dStpBridgeHelloTime, 100),
              SetBinding::Integer(kDot1dStpBridgeForwardDelay, 3000)});
    path.pause(50);
    path.set({SetBinding::Integer(kDot1dStpBridgeMaxAge, w.maxAge)});
    path.set({SetBinding::Integer(kDot1dStpBridgeForwardDelay, w.forwardDelay)});
    path.set({SetBinding::Integer(kDot1dStpBridgeHelloTime, w.helloTime)});
    path.set({SetBinding::Integer(kDot1dStpPriority, w.priority),
              SetBinding::Integer(kStpVersion, w.versionRstp ? 2 : 0)});
}

QString DesignatedText(const SnmpValue& value)
{
    if (value.type == SnmpType::OctetString && value.octets.size() == 2)
        return HexJoined(value.octets, QLatin1Char(' '));
    return BridgeIdText(value);
}

TableDescriptor StpPortTable()
{
    auto designated = [](const WalkRow& row, std::size_t column) { return DesignatedText(row.value(column)); };
    TableDescriptor t;
    t.title = QStringLiteral("Spanning Tree Table");
    t.listName = QStringLiteral("Spanning Tree Table");
    t.session = QStringLiteral("m_cCommonSNMPTable");
    t.columns = {
        {QStringLiteral("Port"), Column(1), {}},
        {QStringLiteral("Priority"), Column(2), {}},
        {QStringLiteral("Status  "), Column(3),
         [](const WalkRow& row, std::size_t column) {
             const QString state = row.value(column).text();
             return TextOf(state,
                           {{QStringLiteral("1"), QStringLiteral("Disabled")},
                            {QStringLiteral("2"), QStringLiteral("Blocked")},
                            {QStringLiteral("3"), QStringLiteral("Monitored")},
                            {QStringLiteral("4"), QStringLiteral("Learn")},
                            {QStringLiteral("5"), QStringLiteral("Forward")},
                            {QStringLiteral("6"), QStringLiteral("Token")}},
                           state);
         }},
        {QStringLiteral("Enable"), Column(4),
         [](const WalkRow& row, std::size_t column) {
             return row.value(column).text() == QLatin1String("1") ? QStringLiteral("Y") : QStringLiteral("N");
         }},
        {QStringLiteral("Cost "), Column(5), {}},
        {QStringLiteral(" ==Designated Root== "), Column(6), designated},
        {QStringLiteral("Designated Cost"), Column(7), {}},
        {QStringLiteral(" ==Designated Bridge== "), Column(8), designated},
        {QStringLiteral("Designated Port"), Column(9), designated},
        {QStringLiteral("Forwardings"), Column(10), {}},
    };
    return t;
}

QString LoopbackDetectionOid(int port)
{
    return Oid(kLoopbackDetectionState, port);
}

int DisableStpOnLoopbackPorts(const std::vector<int>& ports, const StpSetPath& path)
{
    int taken = 0;
    for (int p : ports) {
        if (!path.set({SetBinding::Integer(Oid(kDot1dStpPortEnable, p), 2)}).ok())
            break;
        ++taken;
    }
    return taken;
}

QStringList StpPortObjects(const QString& portText)
{
    return {Oid(kDot1dStpPortPriority, portText), Oid(kDot1dStpPortPathCost, portText),
            Oid(kDot1dStpPortEnable, portText), Oid(kLoopbackDetectionState, portText)};
}

StpRowPosition ClampStpRow(int row, int rowCount)
{
    StpRowPosition pos;
    pos.row = row;
    if (row < 1) {
        pos.row = 0;
        pos.previous = false;
    }
    if (row >= rowCount - 1) {
        pos.row = std::max(0, rowCount - 1);
        pos.next = false;
    }
    return pos;
}

StpPortDecision DecideStpPortApply(const StpPortEdit& e, const TrunkMembership& trunks)
{
    StpPortDecision d;
    const int cost = LeadingDecimal(e.cost);
    if (cost < 0 || cost > 200000000) {
        d.refusal = QStringLiteral("Invalid Path Cost(1-200000000)");
        return d;
    }
    if (e.enabled && e.loopbackState == QLatin1String("1")) {
        d.refusal = QStringLiteral("STP port %1 can not both support Spanning Tree and LBD-enabled mode")
                        .arg(e.portText);
        return d;
    }
    const QString enableText = e.enabled ? QStringLiteral("Y") : QStringLiteral("N");
    const QString costText = QString::number(cost);
    if (trunks.group(LeadingDecimal(e.portText)) != 0) {
        if (e.priority == e.tableRow.value(StpPriorityColumn) && costText == e.tableRow.value(StpCostColumn) &&
            enableText == e.tableRow.value(StpEnableColumn))
            return d;
        d.refusal = QStringLiteral("Cannot add ports with different STP configurations to an aggregated link.");
        return d;
    }
    d.writes = true;
    d.bindings = {SetBinding::Integer(Oid(kDot1dStpPortPriority, e.portText), e.priority),
                  SetBinding::Integer(Oid(kRstpPortPathCost, e.portText), costText),
                  SetBinding::Integer(Oid(kDot1dStpPortEnable, e.portText), e.enabled ? 1 : 2)};
    return d;
}

} // namespace kx::l2
