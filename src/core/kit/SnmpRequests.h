#pragma once

// Synchronous gets and sets as the dialogs make them: Open, the bindings, one
// send, the response read and freed. The UI thread waits at most the time-out.

#include "snmp/CCommonSNMP.h"
#include "core/kit/SnmpValue.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

namespace kx {

// Gets `oids` in one request. The result carries the session's status, the
// answer's error status and one value per binding.
GetResult GetValues(CCommonSNMP& session, const QStringList& oids, int timeout = 0);

// One binding of a set.
struct SetBinding
{
    QString oid;
    int type = SnmpType::Integer;
    QByteArray value;

    static SetBinding Integer(const QString& oid, int value);
    static SetBinding Integer(const QString& oid, const QString& decimalText);
    static SetBinding Unsigned(const QString& oid, quint32 value);
    static SetBinding Octets(const QString& oid, const QByteArray& octets);
    // Text written as its UTF-8 octets.
    static SetBinding Text(const QString& oid, const QString& text);
    static SetBinding IpAddress(const QString& oid, const QString& dotted);
};

struct SetResult
{
    // 0 when an answer arrived, else the session's failure code (nothing came back).
    int status = SnmpResult::Failed;
    int errorStatus = 0;
    int errorIndex = 0;

    bool answered() const { return status == 0; }
    // An answer without an error status: the device took every binding.
    bool ok() const { return status == 0 && errorStatus == 0; }
};

// Sets the bindings in one request.
SetResult SetValues(CCommonSNMP& session, const std::vector<SetBinding>& bindings, int timeout = 0);

// Called before every synchronous get or set, on the thread that makes it. Tests
// install one to prove that no window waits for the network on its UI thread.
using SyncRequestWatch = void (*)();
void SetSyncRequestWatch(SyncRequestWatch watch);

// "<column>.<instance>": OIDs are built as text.
inline QString Oid(const QString& base, const QString& instance)
{
    return base + QLatin1Char('.') + instance;
}
inline QString Oid(const QString& base, int instance)
{
    return base + QLatin1Char('.') + QString::number(instance);
}
// A scalar: "<object>.0".
inline QString Scalar(const QString& object)
{
    return object + QLatin1String(".0");
}

} // namespace kx
