#include "core/security/CDhcpScreeningModel.h"

namespace kx::security {

QString DhcpTrustedText(QByteArrayView screened, int portCount)
{
    PortFlags trusted = PortListToFlags(screened, portCount);
    for (int& flag : trusted)
        flag = flag ? 0 : 1;
    QString text;
    PortListToRangeText(PortFlagsToPortList(trusted, portCount), text, portCount);
    return text;
}

DhcpServerAdd DhcpCheckServerAdd(int ipFields, const QString& ip, const QStringList& listed,
                                 const std::vector<DhcpServerRow>& walked)
{
    if (ipFields != 4)
        return {QStringLiteral("Invalid IP address."), true, 0};
    if (!ClassifyHostIp(ip))
        return {QStringLiteral("Invalid server IP address."), false, 0};
    const DhcpServerAdd full{QStringLiteral("The maximum entries is 5."), false, 0};
    if (listed.size() >= kDhcpMaxServers)
        return full;
    if (listed.contains(ip))
        return {QStringLiteral("Duplicate server IP address."), false, 0};
    for (int number = 1; number <= kDhcpMaxServers; ++number) {
        bool used = false;
        for (const DhcpServerRow& row : walked)
            used = used || row.index == QString::number(number);
        if (!used)
            return {QString(), false, number};
    }
    return full;
}

QString DhcpDeleteRefusal(bool anySelected)
{
    return anySelected ? QString() : QStringLiteral("Please select the entry to delete.");
}

DhcpTrustedPorts DhcpCheckTrustedPorts(const QString& text, const QString& lastShown, int portCount,
                                       const std::function<bool(const PortFlags&)>& agree)
{
    DhcpTrustedPorts out;
    if (text == lastShown)
        return out;
    out.kind = DhcpTrustedPorts::Refused;
    if (!CheckPortTextChars(text)) {
        out.refusal = QStringLiteral("Invalid Port list");
        return out;
    }
    PortFlags flags(static_cast<std::size_t>(std::max(portCount, 0)), 0);
    if (!ParsePortRangeText(text, flags, portCount, &out.refusal))
        return out;
    if (agree && !agree(flags)) {
        out.refusal = QStringLiteral("The link aggregation member port can not be configured.");
        return out;
    }
    out.kind = DhcpTrustedPorts::Write;
    out.refusal.clear();
    out.trusted = flags;
    return out;
}

QByteArray DhcpScreeningList(const PortFlags& trusted, int portCount)
{
    PortFlags screened(static_cast<std::size_t>(std::max(portCount, 0)), 1);
    for (std::size_t i = 0; i < screened.size() && i < trusted.size(); ++i)
        screened[i] = trusted[i] ? 0 : 1;
    return PortFlagsToPortList(screened, portCount);
}

} // namespace kx::security

using namespace kx::security;

CDhcpScreeningModel::CDhcpScreeningModel(int portCount, QObject* parent)
    : CFeatureModel(portCount, parent)
{}

kx::ReadPlan CDhcpScreeningModel::ReadTrustedPorts()
{
    kx::ReadPlan plan;
    plan.get(m_cCommonSNMP, {kDhcpScreeningPorts}, [this](const kx::GetResult& answer) {
        // A failed read leaves the edit, and the text it is compared with, alone.
        if (!answer.ok() || answer.values.empty() || answer.value(0).isException())
            return;
        emit trustedPortsRead(DhcpTrustedText(answer.value(0).octets, PortCount()));
    });
    return plan;
}

kx::ReadPlan CDhcpScreeningModel::WalkServers()
{
    return RowWalk(m_cCommonSNMPTableServer,
                   {kDhcpServerIndex, kDhcpServerAddress, kDhcpServerRowStatus});
}

std::function<kx::SetResult()> CDhcpScreeningModel::AddServer(int number, const QString& ip)
{
    return [this, number, ip, session = m_cCommonSNMPSetServer] {
        const QString instance = QString::number(number);
        kx::SetResult result;
        if (!SetRowStatus(kx::Oid(kDhcpServerRowStatus, instance), QStringLiteral("5")))
            return result;
        result = kx::SetValues(
            *session, {kx::SetBinding::IpAddress(kx::Oid(kDhcpServerAddress, instance), ip)});
        if (!result.ok())
            return result;
        result.status =
            SetRowStatus(kx::Oid(kDhcpServerRowStatus, instance), QStringLiteral("1")) ? 0 : -1;
        return result;
    };
}

std::function<kx::SetResult()> CDhcpScreeningModel::DeleteServer(const QString& index)
{
    return [this, index] {
        kx::SetResult result;
        result.status =
            SetRowStatus(kx::Oid(kDhcpServerRowStatus, index), QStringLiteral("6")) ? 0 : -1;
        return result;
    };
}

std::function<kx::SetResult()>
CDhcpScreeningModel::WriteTrustedPorts(const kx::PortFlags& trusted) const
{
    return [session = m_cCommonSNMP, list = DhcpScreeningList(trusted, PortCount())] {
        return kx::SetValues(*session, {kx::SetBinding::Octets(kDhcpScreeningPorts, list)});
    };
}
