#include "core/kit/SnmpRequests.h"

#include <atomic>

namespace kx {

namespace {
std::atomic<SyncRequestWatch> g_watch{nullptr};

void Watch()
{
    if (SyncRequestWatch watch = g_watch.load())
        watch();
}
} // namespace

void SetSyncRequestWatch(SyncRequestWatch watch)
{
    g_watch = watch;
}

GetResult GetValues(CCommonSNMP& session, const QStringList& oids, int timeout)
{
    Watch();
    GetResult result;
    if (oids.isEmpty() || !session.Open(SnmpPdu::Get))
        return result;
    for (const QString& oid : oids)
        if (session.addValue(oid.toStdString(), SnmpType::Null, nullptr) != 0)
            return result;
    std::unique_ptr<CSnmp> response;
    result.status = session.send(response, timeout);
    if (result.status == 0 && response) {
        response->getErrorInfo(result.errorStatus, result.errorIndex);
        result.values = ValuesOf(*response);
    } else if (result.status == 0) {
        result.status = SnmpResult::Failed;
    }
    return result;
}

SetBinding SetBinding::Integer(const QString& oid, int value)
{
    return {oid, SnmpType::Integer, QByteArray::number(value)};
}

SetBinding SetBinding::Integer(const QString& oid, const QString& decimalText)
{
    return {oid, SnmpType::Integer, decimalText.toLatin1()};
}

SetBinding SetBinding::Unsigned(const QString& oid, quint32 value)
{
    return {oid, SnmpType::Unsigned32, QByteArray::number(value)};
}

SetBinding SetBinding::Octets(const QString& oid, const QByteArray& octets)
{
    return {oid, SnmpType::OctetString, octets};
}

SetBinding SetBinding::Text(const QString& oid, const QString& text)
{
    return {oid, SnmpType::OctetString, text.toUtf8()};
}

SetBinding SetBinding::IpAddress(const QString& oid, const QString& dotted)
{
    return {oid, SnmpType::IpAddress, dotted.toLatin1()};
}

SetResult SetValues(CCommonSNMP& session, const std::vector<SetBinding>& bindings, int timeout)
{
    Watch();
    SetResult result;
    if (bindings.empty() || !session.Open(SnmpPdu::Set))
        return result;
    for (const SetBinding& b : bindings) {
        if (session.addValue(b.oid.toStdString(), b.type, b.value.constData(),
                             static_cast<int>(b.value.size())) != 0)
            return result;
    }
    std::unique_ptr<CSnmp> response;
    result.status = session.send(response, timeout);
    if (result.status == 0 && response)
        response->getErrorInfo(result.errorStatus, result.errorIndex);
    else if (result.status == 0)
        result.status = SnmpResult::Failed;
    return result;
}

} // namespace kx
