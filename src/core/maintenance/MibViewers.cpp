#include "core/maintenance/MibViewers.h"

#include "core/kit/ValueCodecs.h"

namespace kx::maintenance {

namespace {

// A column whose cell is its value's text read through `text`.
TableColumn Rendered(const QString& header, const QString& oid, QString (*text)(const QString&))
{
    return {header, oid, [text](const WalkRow& row, std::size_t column) { return text(row.value(column).text()); }};
}

} // namespace

TableDescriptor InterfaceTable()
{
    TableDescriptor d;
    d.title = QStringLiteral("Interface Table");
    d.listName = QStringLiteral("Interface Table");
    d.columns = {
        {QStringLiteral(" Index        "), QStringLiteral("1.3.6.1.2.1.2.2.1.1"), {}},
        Rendered(QStringLiteral(" Link Status            "), QStringLiteral("1.3.6.1.2.1.2.2.1.8"), &LinkStatusText),
        Rendered(QStringLiteral(" Speed(b/s)                     "), QStringLiteral("1.3.6.1.2.1.2.2.1.5"),
                 &SpeedText),
    };
    d.size = QSize(460, 420);
    return d;
}

TableDescriptor IpTable(const QString& deviceAddress)
{
    TableDescriptor d;
    d.title = QStringLiteral("IP Table : ") + deviceAddress;
    d.listName = QStringLiteral("IP Table");
    d.columns = {
        {QStringLiteral(" IP                "), QStringLiteral("1.3.6.1.2.1.4.20.1.1"), {}},
        {QStringLiteral(" Netmask               "), QStringLiteral("1.3.6.1.2.1.4.20.1.3"), {}},
    };
    d.size = QSize(380, 300);
    return d;
}

TableDescriptor ForwardingTable()
{
    TableDescriptor d;
    d.title = QStringLiteral("Forwarding Table");
    d.listName = QStringLiteral("Forwarding Table");
    // The MAC column walks the address column and shows the MAC of the row's
    // index, so every row carries as many bindings as it has columns.
    d.columns = {
        {QStringLiteral("       MAC              "), QStringLiteral("1.3.6.1.2.1.17.7.1.2.2.1.1"),
         [](const WalkRow& row, std::size_t) { return MacFromFdbIndex(row.index); }},
        Rendered(QStringLiteral(" Status      "), QStringLiteral("1.3.6.1.2.1.17.7.1.2.2.1.3"), &FdbStatusText),
        {QStringLiteral(" Port     "), QStringLiteral("1.3.6.1.2.1.17.7.1.2.2.1.2"), {}},
    };
    d.size = QSize(420, 480);
    return d;
}

TableDescriptor TcpServiceTable()
{
    TableDescriptor d;
    d.title = QStringLiteral("TCP Service");
    d.listName = QStringLiteral("TCP Service");
    d.columns = {
        {QStringLiteral("Local Port "), QStringLiteral("1.3.6.1.2.1.6.13.1.3"), {}},
        {QStringLiteral(" Local IP        "), QStringLiteral("1.3.6.1.2.1.6.13.1.2"), {}},
        {QStringLiteral(" Remote IP       "), QStringLiteral("1.3.6.1.2.1.6.13.1.4"), {}},
        {QStringLiteral("Remote Port"), QStringLiteral("1.3.6.1.2.1.6.13.1.5"), {}},
        Rendered(QStringLiteral(" Status "), QStringLiteral("1.3.6.1.2.1.6.13.1.1"), &TcpStateText),
    };
    d.size = QSize(560, 360);
    return d;
}

TableDescriptor UdpServiceTable()
{
    TableDescriptor d;
    d.title = QStringLiteral("UDP Service");
    d.listName = QStringLiteral("UDP Service");
    d.columns = {
        {QStringLiteral("  Local Port "), QStringLiteral("1.3.6.1.2.1.7.5.1.2"), {}},
        {QStringLiteral("  Local IP      "), QStringLiteral("1.3.6.1.2.1.7.5.1.1"), {}},
    };
    d.size = QSize(340, 320);
    return d;
}

QString SpeedText(const QString& bitsPerSecond)
{
    // Gauge32: up to 4294 Mbit/s, beyond what an int holds.
    const qulonglong bits = bitsPerSecond.toULongLong();
    return QString::number(bits / 1000000) + QLatin1Char('M');
}

QString LinkStatusText(const QString& ifOperStatus)
{
    return TextOf(ifOperStatus,
                  {{QStringLiteral("1"), QStringLiteral("Connected")},
                   {QStringLiteral("2"), QStringLiteral("UnConnected")},
                   {QStringLiteral("3"), QStringLiteral("Test")}},
                  QStringLiteral("Unknown"));
}

QString TcpStateText(const QString& tcpConnState)
{
    return TextOf(tcpConnState,
                  {{QStringLiteral("2"), QStringLiteral("listen")},
                   {QStringLiteral("3"), QStringLiteral("synSent")},
                   {QStringLiteral("4"), QStringLiteral("synReceived")},
                   {QStringLiteral("5"), QStringLiteral("established")},
                   {QStringLiteral("6"), QStringLiteral("finWait1")},
                   {QStringLiteral("7"), QStringLiteral("finWait2")},
                   {QStringLiteral("8"), QStringLiteral("closeWait")},
                   {QStringLiteral("9"), QStringLiteral("lastAck")},
                   {QStringLiteral("10"), QStringLiteral("closing")},
                   {QStringLiteral("11"), QStringLiteral("timeWait")},
                   {QStringLiteral("12"), QStringLiteral("deleteTCB")}},
                  QStringLiteral("closed"));
}

QString FdbStatusText(const QString& status)
{
    if (status.isEmpty())
        return status;
    return TextOf(status.left(1),
                  {{QStringLiteral("1"), QStringLiteral("Other")},
                   {QStringLiteral("2"), QStringLiteral("Invalid")},
                   {QStringLiteral("3"), QStringLiteral("Learn")},
                   {QStringLiteral("4"), QStringLiteral("Own")},
                   {QStringLiteral("5"), QStringLiteral("Static")}},
                  status);
}

QString MacFromFdbIndex(const QString& index)
{
    const QStringList parts = index.split(QLatin1Char('.'));
    if (parts.size() < 7)
        return index;
    QStringList hex;
    for (qsizetype i = parts.size() - 6; i < parts.size(); ++i) {
        bool ok = false;
        const uint octet = parts[i].toUInt(&ok);
        if (!ok || octet > 255)
            return index;
        hex << QStringLiteral("%1").arg(octet, 2, 16, QLatin1Char('0')).toUpper();
    }
    return hex.join(QLatin1Char('-'));
}

bool FdbPortFilterKeeps(const QString& filter, const QString& port)
{
    return filter.isEmpty() || port == filter;
}

QStringList SystemInfoOids()
{
    return {kSysDescr, kSysObjectId, kSysUpTime, kSysContact, kSysName, kSysLocation};
}

QString RuntimeText(const QString& ticks)
{
    const qulonglong t = ticks.toULongLong();
    const qulonglong hours = t / 360000;
    const qulonglong minutes = (t - hours * 360000) / 6000;
    return QString::number(hours) + QStringLiteral(" Hour ") + QString::number(minutes) + QStringLiteral(" Min");
}

QString CheckSystemInfo(const QString& name, const QString& location)
{
    if (!CheckNameChars(name))
        return QStringLiteral("Invalid System Name.");
    if (!CheckNameChars(location))
        return QStringLiteral("Invalid System Location.");
    return {};
}

std::vector<SetBinding> SystemInfoBindings(const QString& name, const QString& location)
{
    QByteArray nameOctets;
    QByteArray locationOctets;
    TextToUtf8(name, nameOctets, kSystemTextBuffer);
    TextToUtf8(location, locationOctets, kSystemTextBuffer);
    return {SetBinding::Octets(kSysName, nameOctets), SetBinding::Octets(kSysLocation, locationOctets)};
}

} // namespace kx::maintenance
