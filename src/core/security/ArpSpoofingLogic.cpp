#include "core/security/ArpSpoofingLogic.h"

#include <QThread>

namespace kx::security {

namespace {

QByteArray MacOctets(const QString& mac)
{
    QString hex = mac;
    hex.remove(QLatin1Char('-'));
    QByteArray octets;
    HexToOctets(hex, octets, 6);
    return octets;
}

} // namespace

QStringList ArpColumns()
{
    return {kArpGatewayIp, kArpGatewayMac, kArpPorts, kArpRowStatus};
}

ArpRow ArpRowFrom(const WalkRow& row, int portCount)
{
    ArpRow out;
    out.ip = row.value(0).text();
    out.mac = MacOctetsToText(row.value(1).octets);
    PortListToRangeText(row.value(2).octets, out.ports, portCount);
    out.status = row.value(3).text();
    return out;
}

QStringList ArpListLine(const ArpRow& row, int number)
{
    return {QString::number(number), row.ip, row.mac, row.ports};
}

QString ArpAddRefusal(int shownRows)
{
    return shownRows >= kArpMaxEntries
               ? QStringLiteral("The Maximum of Entry is 64, can not add any more")
               : QString();
}

QString ArpDeleteRefusal(bool anySelected)
{
    return anySelected ? QString() : QStringLiteral("Please select the entry you would be delete!");
}

SetBinding ArpDestroyBinding(const QString& ip)
{
    return SetBinding::Integer(Oid(kArpRowStatus, ip), rowstatus::kDestroy);
}

ArpRequests SessionRequests(CCommonSNMP& session)
{
    return {
        [&session](const std::vector<SetBinding>& bindings) {
            return SetValues(session, bindings);
        },
        [](int milliseconds) { QThread::msleep(static_cast<unsigned long>(milliseconds)); },
    };
}

ArpAddModel::ArpAddModel(int portCount, QString modelName, ArpRows rows)
    : m_portCount(portCount > 0 ? portCount : 0), m_modelName(std::move(modelName)),
      m_rows(std::move(rows)), m_trunks(m_portCount)
{}

QString ArpAddModel::Question()
{
    return QStringLiteral("Make sure the host IP and MAC exists or you will lose the connection.");
}

ArpCheck ArpAddModel::check(int ipFields, const ArpEntry& entry) const
{
    auto refuse = [](const char* text, ArpField field) {
        return ArpCheck{QString::fromLatin1(text), field, false};
    };
    if (ipFields != 4)
        return refuse("Please enter correct IP format(ex:192.168.0.10)", ArpField::Ip);
    if (!ClassifyHostIp(entry.ip))
        return refuse("Multicast IP is not allowed", ArpField::Ip);
    // Format and broadcast read as the shared MAC check has them; the multicast
    // text is this dialog's own.
    QString macRefusal;
    if (!CheckMacText(entry.mac, true, &macRefusal))
        return {macRefusal, ArpField::Mac, false};
    if (const QByteArray octets = MacOctets(entry.mac); !octets.isEmpty() && (octets[0] & 1))
        return refuse("Multicast MAC address is not allowed.", ArpField::Mac);

    ArpCheck passed;
    for (const ArpRow& row : m_rows) {
        if (row.ip != entry.ip)
            continue;
        if (!row.active()) {
            passed.destroyStale = true;
            continue;
        }
        if (row.mac.compare(entry.mac, Qt::CaseInsensitive) == 0)
            return refuse("Duplicate MAC and IP.", ArpField::Mac);
        return refuse("Duplicate IP.", ArpField::Ip);
    }
    bool anyPort = false;
    for (int flag : entry.ports)
        anyPort = anyPort || flag != 0;
    if (!anyPort)
        return refuse("Invalid Port Number", ArpField::Ports);
    if (!m_trunks.membersAgree(entry.ports))
        return refuse(
            "ARP Spoofing Prevention enabled port must match to the aggregated link port.",
            ArpField::Ports);
    return passed;
}

ArpWriteOutcome ArpAddModel::write(const ArpCheck& check, const ArpEntry& entry,
                                   const ArpRequests& requests) const
{
    ArpWriteOutcome outcome;
    const QString status = Oid(kArpRowStatus, entry.ip);
    if (check.destroyStale)
        outcome.staleDestroyed = requests.set({ArpDestroyBinding(entry.ip)}).ok();
    // The switch of this model takes the row with createAndGo; the others wait
    // for its columns.
    const QString create =
        m_modelName == QLatin1String("KX-A1 R2") ? rowstatus::kCreateAndGo : rowstatus::kCreateAndWait;
    bool all = requests.set({SetBinding::Integer(status, create)}).ok();
    requests.pause(50);
    all = requests.set({SetBinding::Octets(Oid(kArpGatewayMac, entry.ip), MacOctets(entry.mac))})
              .ok() &&
          all;
    all = requests
              .set({SetBinding::Octets(Oid(kArpPorts, entry.ip),
                                       PortFlagsToPortList(entry.ports, m_portCount))})
              .ok() &&
          all;
    requests.pause(50);
    all = requests.set({SetBinding::Integer(status, rowstatus::kActive)}).ok() && all;
    outcome.created = all;
    return outcome;
}

void ArpAddModel::remember(const ArpEntry& entry, const ArpWriteOutcome& outcome)
{
    if (outcome.staleDestroyed || outcome.created)
        std::erase_if(m_rows,
                      [&entry](const ArpRow& row) { return row.ip == entry.ip && !row.active(); });
    if (!outcome.created)
        return;
    ArpRow row{entry.ip, entry.mac, QString(), rowstatus::kActive};
    PortListToRangeText(PortFlagsToPortList(entry.ports, m_portCount), row.ports, m_portCount);
    m_rows.push_back(row);
}

} // namespace kx::security
