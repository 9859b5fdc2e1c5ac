#pragma once

// Values as the dialogs read them: copied out of a response on the thread that
// received it, so they can travel by value to the UI thread.

#include "snmp/engine/Snmp.h"

#include <QByteArray>
#include <QMetaType>
#include <QString>

#include <vector>

namespace kx {

struct SnmpValue
{
    int type = SnmpType::Null;
    // As the engine hands it over: raw octets for OCTET STRING, decimal text for
    // the integer types, dotted text for IpAddress and OBJECT IDENTIFIER.
    QByteArray octets;

    // noSuchObject, noSuchInstance or endOfMibView instead of a value.
    bool isException() const;
    // The value as text: OCTET STRING decoded as UTF-8, the others as they read.
    QString text() const;
    // Decimal conversion that stops at the first non-digit, as the device's
    // texts are read everywhere ("" and "abc" give 0).
    int toInt() const;
    // Private enable/disable objects: enabled only when the text is exactly "1".
    bool isEnabled() const { return octets == "1"; }
};

// One answered row of a walk: the instance after the column OID (without the
// dot that opens it) and one value per walked column, in column order.
struct WalkRow
{
    WalkRow() = default;
    // A row whose columns all answered `index` (tests, and rows built by hand).
    WalkRow(QString rowIndex, std::vector<SnmpValue> rowValues)
        : index(std::move(rowIndex)), values(std::move(rowValues)),
          columnIndex(values.size(), index)
    {
    }

    QString index; // the first column's instance
    std::vector<SnmpValue> values;
    // Each value's own instance. Columns walked side by side normally share one;
    // a device that leaves a cell out moves the other columns on, and a caller
    // that must not be misled checks here.
    std::vector<QString> columnIndex;

    // The instance as one number (a port, a group, a VLAN ID), or -1 when the
    // instance is not a single decimal sub-identifier.
    int indexNumber() const;
    const SnmpValue& value(std::size_t column) const;
    // The instance of one column ("" when it left its column).
    QString indexOf(std::size_t column) const;
    // True when every column answered the same instance.
    bool aligned() const;
};

struct WalkResult
{
    // -2 the regular end of the table, -1 a failure or time-out, 0 stopped by
    // the walker's own stop rule.
    int status = SnmpResult::Failed;
    std::vector<WalkRow> rows;

    bool reachedEnd() const { return status == SnmpResult::EndOfTable; }
    bool failed() const { return status == SnmpResult::Failed; }
};

struct GetResult
{
    // 0 when an answer arrived, else the session's failure code.
    int status = SnmpResult::Failed;
    int errorStatus = 0;
    int errorIndex = 0;
    std::vector<SnmpValue> values;

    // An answer without an error status.
    bool ok() const { return status == 0 && errorStatus == 0; }
    const SnmpValue& value(std::size_t index) const;
};

// Reads every binding of a response.
std::vector<SnmpValue> ValuesOf(const CSnmp& response);

// RowStatus values (SNMPv2-TC) as the set bindings carry them.
namespace rowstatus {
inline const QString kActive = QStringLiteral("1");
inline const QString kCreateAndGo = QStringLiteral("4");
inline const QString kCreateAndWait = QStringLiteral("5");
inline const QString kDestroy = QStringLiteral("6");
} // namespace rowstatus

} // namespace kx

Q_DECLARE_METATYPE(kx::SnmpValue)
Q_DECLARE_METATYPE(kx::WalkRow)
Q_DECLARE_METATYPE(kx::WalkResult)
Q_DECLARE_METATYPE(kx::GetResult)
