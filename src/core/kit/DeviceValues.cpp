#include "core/kit/DeviceValues.h"

#include "base/TextNumber.h"
#include "core/kit/ValueCodecs.h"

namespace kx {

DeviceValue::DeviceValue(QString oid, Codec codec, QString fallback, int bufferSize)
    : m_oid(std::move(oid)), m_codec(codec), m_bufferSize(bufferSize), m_read(fallback),
      m_edited(std::move(fallback))
{
}

void DeviceValue::fold(const SnmpValue& value)
{
    QString text;
    if (m_codec == Codec::Text)
        Utf8ToText(value.octets, text);
    else
        text = QString::fromLatin1(value.octets);
    m_wasRead = true;
    reset(text);
}

void DeviceValue::reset(const QString& text)
{
    m_read = text;
    m_edited = text;
    if (m_show)
        m_show(text);
}

SetBinding DeviceValue::binding() const
{
    switch (m_codec) {
    case Codec::Integer:
        return SetBinding::Integer(m_oid, m_edited);
    case Codec::Unsigned32:
        return {m_oid, SnmpType::Unsigned32, m_edited.toLatin1()};
    case Codec::Text: {
        QByteArray utf8;
        TextToUtf8(m_edited, utf8, m_bufferSize);
        return SetBinding::Octets(m_oid, utf8);
    }
    case Codec::IpAddress:
        return SetBinding::IpAddress(m_oid, m_edited);
    case Codec::Octets:
        return SetBinding::Octets(m_oid, m_edited.toLatin1());
    }
    return {};
}

DeviceValue& DeviceValues::declare(const QString& oid, Codec codec, const QString& fallback, int bufferSize)
{
    return m_values.emplace_back(oid, codec, fallback, bufferSize);
}

DeviceValue& DeviceValues::integer(const QString& oid, const QString& fallback)
{
    return declare(oid, Codec::Integer, fallback);
}

DeviceValue& DeviceValues::unsigned32(const QString& oid, const QString& fallback)
{
    return declare(oid, Codec::Unsigned32, fallback);
}

DeviceValue& DeviceValues::text(const QString& oid, int bufferSize)
{
    return declare(oid, Codec::Text, QString(), bufferSize);
}

DeviceValue& DeviceValues::ip(const QString& oid, const QString& fallback)
{
    return declare(oid, Codec::IpAddress, fallback);
}

DeviceValue& DeviceValues::octets(const QString& oid)
{
    return declare(oid, Codec::Octets, QString());
}

QStringList DeviceValues::oids() const
{
    QStringList list;
    for (const DeviceValue& v : m_values)
        list << v.oid();
    return list;
}

bool DeviceValues::fold(const GetResult& answer)
{
    if (!answer.ok() || answer.values.size() < m_values.size())
        return false;
    std::size_t i = 0;
    for (DeviceValue& v : m_values)
        v.fold(answer.values[i++]);
    return true;
}

std::vector<SetBinding> DeviceValues::changes() const
{
    std::vector<SetBinding> bindings;
    for (const DeviceValue& v : m_values)
        if (v.changed())
            bindings.push_back(v.binding());
    return bindings;
}

bool DeviceValues::anyChanged() const
{
    for (const DeviceValue& v : m_values)
        if (v.changed())
            return true;
    return false;
}

PortColumn::PortColumn(QString column, int portCount, QString fallback)
    : m_column(std::move(column)), m_fallback(std::move(fallback)),
      m_values(static_cast<std::size_t>(std::max(0, portCount)), m_fallback),
      m_answered(m_values.size(), false)
{
}

void PortColumn::fold(const std::vector<WalkRow>& rows, std::size_t position)
{
    std::fill(m_values.begin(), m_values.end(), m_fallback);
    std::fill(m_answered.begin(), m_answered.end(), false);
    for (const WalkRow& row : rows) {
        if (position >= row.values.size())
            continue;
        const QString instance = row.indexOf(position);
        bool ok = false;
        const int port = instance.toInt(&ok);
        if (!ok || port < 1 || port > portCount())
            continue;
        m_values[static_cast<std::size_t>(port - 1)] = row.value(position).text();
        m_answered[static_cast<std::size_t>(port - 1)] = true;
    }
}

QString PortColumn::value(int port) const
{
    if (port < 1 || port > portCount())
        return m_fallback;
    return m_values[static_cast<std::size_t>(port - 1)];
}

int PortColumn::number(int port) const
{
    return LeadingDecimal(value(port));
}

void PortColumn::set(int port, const QString& text)
{
    if (port >= 1 && port <= portCount())
        m_values[static_cast<std::size_t>(port - 1)] = text;
}

bool PortColumn::answered(int port) const
{
    return port >= 1 && port <= portCount() && m_answered[static_cast<std::size_t>(port - 1)];
}

} // namespace kx
