#pragma once

// Device values declared once: the object, how it reads and writes, and what it
// shows until a read answered. Each value keeps what was last read beside what
// the controls hold now, so that a write sends only what the user changed, in
// the order the values were declared.
//
//     kx::DeviceValues m_values;
//     kx::DeviceValue& m_state = m_values.integer(kIgmpState, QStringLiteral("2"));
//     kx::DeviceValue& m_name = m_values.text(kSysName, 128);
//     plan.get(session, m_values.oids(), [this](const kx::GetResult& r) { m_values.fold(r); });
//     ... write(m_values.changes())
//
// A per-port column (PortColumn) places each answered row by its instance:
// ports 1..N only, whatever order the device answers in or whatever it leaves out.

#include "core/kit/SnmpRequests.h"
#include "core/kit/SnmpValue.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <vector>

namespace kx {

enum class Codec
{
    Integer,    // decimal text
    Unsigned32, // decimal text, written as Unsigned32
    Text,       // UTF-8 on the device, cut to whole sequences within its buffer
    IpAddress,  // dotted text
    Octets,     // raw octets, shown as Latin-1 text
};

class DeviceValue
{
public:
    DeviceValue(QString oid, Codec codec, QString fallback, int bufferSize = 0);

    const QString& oid() const { return m_oid; }
    Codec codec() const { return m_codec; }
    // What was last read; the fallback until an answer came.
    const QString& read() const { return m_read; }
    bool wasRead() const { return m_wasRead; }
    // What the controls hold.
    const QString& edited() const { return m_edited; }
    bool changed() const { return m_edited != m_read; }

    // The user changed the control.
    void edit(const QString& text) { m_edited = text; }
    // An answered value: decoded, kept as read, and shown (the edit is dropped).
    void fold(const SnmpValue& value);
    // Sets both sides, as if the device had answered `text`.
    void reset(const QString& text);

    // The binding that writes what the controls hold.
    SetBinding binding() const;

    // Called with the new text whenever a read (or reset) changes what is shown.
    void onShow(std::function<void(const QString&)> show) { m_show = std::move(show); }

private:
    QString m_oid;
    Codec m_codec;
    int m_bufferSize;
    QString m_read;
    QString m_edited;
    bool m_wasRead = false;
    std::function<void(const QString&)> m_show;
};

class DeviceValues
{
public:
    DeviceValue& integer(const QString& oid, const QString& fallback = QString());
    DeviceValue& unsigned32(const QString& oid, const QString& fallback = QString());
    // `bufferSize`: the device's buffer, terminating NUL included.
    DeviceValue& text(const QString& oid, int bufferSize);
    DeviceValue& ip(const QString& oid, const QString& fallback = QString());
    DeviceValue& octets(const QString& oid);

    // The objects, in declaration order: what one get reads.
    QStringList oids() const;
    // A get of oids(): value i into the i-th declared value. False, leaving every
    // value as it was, when no answer came or the answer carries an error status.
    bool fold(const GetResult& answer);
    // The bindings of the values the controls changed, in declaration order.
    std::vector<SetBinding> changes() const;
    bool anyChanged() const;

private:
    DeviceValue& declare(const QString& oid, Codec codec, const QString& fallback, int bufferSize = 0);
    std::deque<DeviceValue> m_values; // references stay valid as values are added
};

// One column of a per-port table.
class PortColumn
{
public:
    PortColumn(QString column, int portCount, QString fallback = QString());

    const QString& column() const { return m_column; }
    int portCount() const { return static_cast<int>(m_values.size()); }

    // Every port back to the fallback, then each row's value at the port its
    // instance names (the instance of column `position` of the walk). Rows
    // outside 1..N are ignored.
    void fold(const std::vector<WalkRow>& rows, std::size_t position = 0);
    // The text of port `port` (1-based); the fallback outside 1..N.
    QString value(int port) const;
    int number(int port) const;
    void set(int port, const QString& text);
    // Whether a row named the port in the last fold.
    bool answered(int port) const;

private:
    QString m_column;
    QString m_fallback;
    std::vector<QString> m_values;
    std::vector<bool> m_answered;
};

} // namespace kx
