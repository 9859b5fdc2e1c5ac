#include "core/security/CImpbModel.h"

#include <QThread>

namespace kx::security {

namespace {

const QString kOne = QStringLiteral("1");

QString EnabledText(const QString& value)
{
    return value == kOne ? QStringLiteral("Enabled") : QStringLiteral("Disabled");
}

QString Text(const WalkRow& row, std::size_t column)
{
    return row.value(column).text();
}

QString Mac(const WalkRow& row, std::size_t column)
{
    return MacOctetsToText(row.value(column).octets);
}

} // namespace

QStringList ImpbSettingsColumns()
{
    return {ImpbColumn(kImpbPortTable, 1), ImpbColumn(kImpbPortTable, 2),
            ImpbColumn(kImpbPortTable, 3), ImpbColumn(kImpbPortTable, 4)};
}

QStringList ImpbSettingsLine(const QStringList& row)
{
    // The column asks whether IP packets are inspected too: mode 1 is ARP only.
    return {row.value(0), EnabledText(row.value(1)),
            row.value(2) == kOne ? QStringLiteral("Disabled") : QStringLiteral("Enabled"),
            EnabledText(row.value(3))};
}

QStringList ImpbBindingColumns()
{
    return {ImpbColumn(kImpbBindingTable, 1), ImpbColumn(kImpbBindingTable, 4),
            ImpbColumn(kImpbBindingTable, 3), ImpbColumn(kImpbBindingTable, 2),
            ImpbColumn(kImpbBindingTable, 5)};
}

QStringList ImpbBindingRow(const WalkRow& row)
{
    return {Text(row, 2), Mac(row, 0), Text(row, 1), Text(row, 3), Text(row, 4)};
}

QStringList ImpbBindingLine(const QStringList& row)
{
    return {row.value(2), row.value(0), row.value(1), row.value(3),
            row.value(4) == kOne ? QStringLiteral("Bound") : QStringLiteral("Not Bound")};
}

QStringList ImpbWhiteColumns()
{
    return {ImpbColumn(kImpbWhiteList, 1), ImpbColumn(kImpbWhiteList, 2),
            ImpbColumn(kImpbWhiteList, 3), ImpbColumn(kImpbWhiteList, 4)};
}

QStringList ImpbWhiteRow(const WalkRow& row)
{
    return {Text(row, 0), Mac(row, 1), QString(), Text(row, 2), Text(row, 3)};
}

QStringList ImpbWhiteLine(const QStringList& row)
{
    return {row.value(0), row.value(1), row.value(3)};
}

QStringList ImpbBlackColumns()
{
    return {ImpbColumn(kImpbBlackList, 1), ImpbColumn(kImpbBlackList, 2),
            ImpbColumn(kImpbBlackList, 3), ImpbColumn(kImpbBlackList, 4),
            ImpbColumn(kImpbBlackList, 5)};
}

QStringList ImpbBlackRow(const WalkRow& row)
{
    return {Text(row, 3), Mac(row, 0), Text(row, 1), Text(row, 2), Text(row, 4)};
}

QStringList ImpbBlackLine(const QStringList& row)
{
    return {row.value(2), row.value(0), row.value(1), row.value(3)};
}

ImpbPortSettings ImpbSettingsFrom(const QString& admin, const QString& mode, const QString& dhcp)
{
    auto enabled = [](const QString& text) {
        return text == QLatin1String("Enabled") ? QStringLiteral("1") : QStringLiteral("0");
    };
    return {enabled(admin),
            mode == QLatin1String("ARP Inspection") ? QStringLiteral("1") : QStringLiteral("0"),
            enabled(dhcp)};
}

ImpbApplyCheck ImpbCheckApply(int from, int to, int portCount, const ImpbPortSettings& settings,
                              const TrunkMembership& groups, int whiteListCount)
{
    if (settings.admin != kOne)
        return {};
    for (int port = from; port <= to; ++port)
        if (groups.group(port) != 0)
            return {
                QStringLiteral("Cannot add a port-security enabled port to an aggregated link."),
                false};
    // Binding every port with nobody permitted locks everyone out, this program too.
    if (from == 1 && to == portCount && whiteListCount == 0)
        return {QStringLiteral("This operation will cause device to out of control."), true};
    return {};
}

std::vector<std::vector<SetBinding>> ImpbSettingsRequests(int from, int to,
                                                          const ImpbPortSettings& settings)
{
    std::vector<std::vector<SetBinding>> requests;
    for (int port = from; port <= to; ++port)
        requests.push_back(
            {SetBinding::Integer(Oid(ImpbColumn(kImpbPortTable, 2), port), settings.admin),
             SetBinding::Integer(Oid(ImpbColumn(kImpbPortTable, 3), port), settings.mode),
             SetBinding::Integer(Oid(ImpbColumn(kImpbPortTable, 4), port), settings.dhcp)});
    return requests;
}

ImpbRefusal ImpbCheckManualBinding(int ipFields, const QString& ip, const QString& mac,
                                   const QString& portText, int portCount)
{
    if (ipFields != 4 || !ClassifyHostIp(ip))
        return {QStringLiteral("Invalid IP Address."), ImpbField::Ip};
    QString macRefusal;
    if (!CheckMacText(mac, false, &macRefusal))
        return {macRefusal, ImpbField::Mac};
    bool number = false;
    const int port = portText.toInt(&number);
    if (!number || port < 1 || port > portCount)
        return {QStringLiteral("Invalid port number."), ImpbField::Port};
    return {};
}

std::vector<std::vector<SetBinding>> ImpbManualBindingRequests(const QString& ip,
                                                               const QString& mac, int port)
{
    const QString instance = ip + MacToOidIndex(mac);
    const QString status = Oid(ImpbColumn(kImpbWhiteList, 4), instance);
    return {{SetBinding::Integer(status, 5)},
            {SetBinding::Integer(Oid(ImpbColumn(kImpbWhiteList, 3), instance), port)},
            {SetBinding::Integer(status, 1)}};
}

ImpbRefusal ImpbCheckScan(int fromFields, const QString& from, int toFields, const QString& to)
{
    if (fromFields != 4)
        return {QStringLiteral("Invalid From IP address !"), ImpbField::From};
    if (toFields != 4)
        return {QStringLiteral("Invalid To IP address !"), ImpbField::To};
    if (!ClassifyHostIp(from) || !ClassifyHostIp(to))
        return {QStringLiteral("Invalid IP Address."), ImpbField::None};
    return {};
}

std::vector<std::vector<SetBinding>> ImpbScanRequests(const QString& from, const QString& to)
{
    return {{SetBinding::IpAddress(kImpbScanFrom, from), SetBinding::IpAddress(kImpbScanTo, to)},
            {SetBinding::Integer(kImpbScanStart, 1)}};
}

QString ImpbBindingRefusal(bool selected, const QString& bindingText)
{
    if (!selected)
        return QStringLiteral("Please select the item would be Binding!\n");
    if (bindingText == QLatin1String("Bound"))
        return QStringLiteral("The entry is bound.");
    return {};
}

SetBinding ImpbBindBinding(const QString& mac, const QString& port, const QString& ip)
{
    return SetBinding::Integer(ImpbColumn(kImpbBindingTable, 5) + MacToOidIndex(mac) +
                                   QLatin1Char('.') + port + QLatin1Char('.') + ip,
                               1);
}

QString ImpbDeleteRefusal(bool selected)
{
    return selected ? QString() : QStringLiteral("Please select the item would be delete!\n");
}

SetBinding ImpbWhiteDestroy(const QString& ip, const QString& mac)
{
    return SetBinding::Integer(Oid(ImpbColumn(kImpbWhiteList, 4), ip + MacToOidIndex(mac)), 6);
}

bool ImpbBlackMatches(const QStringList& row, const ImpbBlackFilter& filter)
{
    auto passes = [](const QString& wanted, const QString& value, Qt::CaseSensitivity cs) {
        return wanted.isEmpty() || value.compare(wanted, cs) == 0;
    };
    return passes(filter.vid, row.value(2), Qt::CaseSensitive) &&
           passes(filter.ip, row.value(0), Qt::CaseSensitive) &&
           passes(filter.mac, row.value(1), Qt::CaseInsensitive) &&
           passes(filter.port, row.value(3), Qt::CaseSensitive);
}

SetBinding ImpbBlackRemove(const QString& mac, const QString& port)
{
    return SetBinding::Integer(
        ImpbColumn(kImpbBlackList, 5) + MacToOidIndex(mac) + QStringLiteral(".1.") + port, 1);
}

} // namespace kx::security

using namespace kx::security;

CImpbModel::CImpbModel(int portCount, QObject* parent) : CFeatureModel(portCount, parent) {}

kx::ReadPlan CImpbModel::WalkSettings()
{
    return RowWalk(m_cCommonSNMPTableImpb, ImpbSettingsColumns());
}

kx::ReadPlan CImpbModel::WalkBindings()
{
    return RowWalk(m_cCommonSNMPTableImpb, ImpbBindingColumns(), &ImpbBindingRow);
}

kx::ReadPlan CImpbModel::WalkWhiteList()
{
    kx::ReadPlan plan = RowWalk(m_cCommonSNMPTableImpb, {}, [this](const kx::WalkRow& row) {
        ++m_whiteListCount;
        return ImpbWhiteRow(row);
    });
    plan.objectsAtStart([this] {
        m_whiteListCount = 0;
        return ImpbWhiteColumns();
    });
    return plan;
}

kx::ReadPlan CImpbModel::WalkBlackList()
{
    return RowWalk(m_cCommonSNMPTableImpb, ImpbBlackColumns(), &ImpbBlackRow);
}

kx::ReadPlan CImpbModel::CountWhiteList()
{
    kx::ReadPlan plan;
    plan.walk(m_cCommonSNMPTableWhite, {})
        .objectsAtStart([this] {
            m_whiteListCount = 0;
            return ImpbWhiteColumns();
        })
        .rows([this](const kx::WalkRow&) { ++m_whiteListCount; });
    return plan;
}

std::function<CImpbModel::Sent()>
CImpbModel::Send(std::vector<std::vector<kx::SetBinding>> requests,
                 std::vector<int> pauseAfter) const
{
    return [session = m_cCommonSNMPSetImpb, requests = std::move(requests),
            pauseAfter = std::move(pauseAfter)] {
        Sent sent;
        sent.allOk = true;
        sent.last.status = 0; // nothing to send is nothing that failed
        for (std::size_t i = 0; i < requests.size(); ++i) {
            sent.last = kx::SetValues(*session, requests[i]);
            sent.allOk = sent.allOk && sent.last.ok();
            if (!sent.last.answered())
                break;
            if (i < pauseAfter.size() && pauseAfter[i] > 0)
                QThread::msleep(static_cast<unsigned long>(pauseAfter[i]));
        }
        return sent;
    };
}
