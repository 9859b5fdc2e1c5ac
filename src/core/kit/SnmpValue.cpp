#include "core/kit/SnmpValue.h"

namespace kx {

namespace {

const SnmpValue& EmptyValue()
{
    static const SnmpValue empty;
    return empty;
}

} // namespace

bool SnmpValue::isException() const
{
    return type == SnmpType::NoSuchObject || type == SnmpType::NoSuchInstance ||
           type == SnmpType::EndOfMibView;
}

QString SnmpValue::text() const
{
    if (type == SnmpType::OctetString || type == SnmpType::Opaque)
        return QString::fromUtf8(octets);
    return QString::fromLatin1(octets);
}

int SnmpValue::toInt() const
{
    qsizetype i = 0;
    while (i < octets.size() && (octets[i] == ' ' || octets[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < octets.size() && (octets[i] == '-' || octets[i] == '+')) {
        negative = octets[i] == '-';
        ++i;
    }
    long long v = 0;
    for (; i < octets.size() && octets[i] >= '0' && octets[i] <= '9'; ++i) {
        v = v * 10 + (octets[i] - '0');
        if (v > 0xffffffffLL)
            break;
    }
    // Unsigned32 values above 2^31 read the way a 32-bit conversion reads them.
    return static_cast<int>(static_cast<std::uint32_t>(negative ? -v : v));
}

int WalkRow::indexNumber() const
{
    if (index.isEmpty() || index.size() > 10)
        return -1;
    long long v = 0;
    for (QChar c : index) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return -1;
        v = v * 10 + (c.unicode() - '0');
    }
    return v > 0x7fffffff ? -1 : static_cast<int>(v);
}

QString WalkRow::indexOf(std::size_t column) const
{
    return column < columnIndex.size() ? columnIndex[column] : QString();
}

bool WalkRow::aligned() const
{
    for (const QString& i : columnIndex)
        if (i != index)
            return false;
    return true;
}

const SnmpValue& WalkRow::value(std::size_t column) const
{
    return column < values.size() ? values[column] : EmptyValue();
}

const SnmpValue& GetResult::value(std::size_t index) const
{
    return index < values.size() ? values[index] : EmptyValue();
}

std::vector<SnmpValue> ValuesOf(const CSnmp& response)
{
    const std::vector<SnmpBinding> bindings = response.getBindings();
    std::vector<SnmpValue> values;
    values.reserve(bindings.size());
    for (const SnmpBinding& b : bindings)
        values.push_back({b.type, QByteArray(b.value.data(), static_cast<qsizetype>(b.value.size()))});
    return values;
}

} // namespace kx
