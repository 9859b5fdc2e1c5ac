#include "core/kit/ValueCodecs.h"

#include "base/TextNumber.h"

#include <QStringView>

#include <algorithm>
#include <limits>

namespace {

// User.ini may name any port count; nothing here allocates or loops beyond this.
constexpr int kMaxPortCount = 1024;

int ClampPortCount(int portCount)
{
    return std::clamp(portCount, 0, kMaxPortCount);
}

// A refusal handed back to the caller, who shows it.
int Refuse(QString* refusal, const char* text)
{
    if (refusal)
        *refusal = QString::fromLatin1(text);
    return 0;
}

// The octet at `index`, or 0 past the end of the value.
unsigned OctetAt(QByteArrayView octets, qsizetype index)
{
    return index < octets.size() ? static_cast<unsigned char>(octets[index]) : 0u;
}

bool IsMember(QByteArrayView octets, int port)
{
    const int bit = port - 1;
    return OctetAt(octets, bit / 8) & (0x80u >> (bit % 8));
}

bool IsAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

int HexValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

bool ContainsAnyOf(const QString& text, QLatin1StringView set)
{
    for (QChar c : text)
        if (c.unicode() < 128 && set.contains(c))
            return true;
    return false;
}

bool IsPortInRange(long long port, int portCount)
{
    return port >= 1 && port <= portCount;
}

void GrowTo(kx::PortFlags& flags, int portCount)
{
    if (static_cast<int>(flags.size()) < portCount)
        flags.resize(static_cast<size_t>(portCount), 0);
}

} // namespace

int PortListToNumberText(QByteArrayView octets, QString& text, int portCount)
{
    const int octetCount = (ClampPortCount(portCount) + 7) / 8;
    text.clear();
    int count = 0;
    for (int port = 1; port <= octetCount * 8; ++port) {
        if (IsMember(octets, port)) {
            text += QString::number(port);
            text += QLatin1Char(',');
            ++count;
        }
    }
    if (count > 0)
        text.chop(1);
    return count;
}

int PortListToRangeText(QByteArrayView octets, int firstPort, int lastPort, QString& text)
{
    // Only ports the value has octets for can be members.
    const qsizetype lastBit = octets.size() * 8;
    const int last = static_cast<int>(std::min<qsizetype>(lastPort, lastBit));
    int count = 0;
    int previous = 0;
    bool inRun = false;
    for (int port = std::max(firstPort, 1); port <= last; ++port) {
        if (!IsMember(octets, port))
            continue;
        if (count == 0) {
            text += QString::number(port);
        } else if (port == previous + 1) {
            inRun = true;
        } else {
            if (inRun)
                text += QLatin1Char('-') + QString::number(previous);
            text += QLatin1Char(',') + QString::number(port);
            inRun = false;
        }
        previous = port;
        ++count;
    }
    if (inRun)
        text += QLatin1Char('-') + QString::number(previous);
    return count;
}

int PortListToRangeText(QByteArrayView octets, QString& text, int portCount)
{
    return PortListToRangeText(octets, 1, ClampPortCount(portCount), text);
}

void PortFlagsToHex(const kx::PortFlags& flags, QString& hex, int portCount)
{
    const int ports = ClampPortCount(portCount);
    auto flag = [&flags](int index) {
        return index < static_cast<int>(flags.size()) && flags[static_cast<size_t>(index)] != 0 ? 1 : 0;
    };
    for (int i = 0; i < ports; i += 4) {
        // Ports past N in the last group are written as non-members.
        auto bit = [&](int k) { return i + k < ports ? flag(i + k) : 0; };
        const int digit = 8 * bit(0) + 4 * bit(1) + 2 * bit(2) + bit(3);
        hex += QLatin1Char("0123456789abcdef"[digit]);
    }
}

int PadPortHex(QString& hex, int portCount)
{
    switch (portCount) {
    case 8: hex += QLatin1String("000000"); break;
    case 10: hex += QLatin1String("00000"); break;
    case 16: hex += QLatin1String("0000"); break;
    case 20: hex += QLatin1String("000"); break;
    case 24: hex += QLatin1String("00"); break;
    case 28: hex += QLatin1String("0"); break;
    case 48: hex += QLatin1String("0000"); break;
    case 52: hex += QLatin1String("000"); break;
    default: break;
    }
    return 1;
}

int HexToOctets(const QString& hex, QByteArray& octets, qsizetype bufferSize)
{
    octets.clear();
    for (QChar c : hex) {
        if (HexValue(c) < 0)
            return 0;
    }
    const qsizetype pairs = (hex.size() + 1) / 2;
    const qsizetype stored = std::clamp<qsizetype>(bufferSize, 0, pairs);
    octets.reserve(stored);
    for (qsizetype i = 0; i < stored; ++i) {
        const int high = HexValue(hex[2 * i]);
        const int low = 2 * i + 1 < hex.size() ? HexValue(hex[2 * i + 1]) : 0;
        octets.append(static_cast<char>(high * 16 + low));
    }
    return 1;
}

int ParsePortRangeText(const QString& text, kx::PortFlags& flags, int portCount, QString* refusal)
{
    const int ports = ClampPortCount(portCount);
    GrowTo(flags, ports);
    QStringView rest(text);
    while (!rest.isEmpty()) {
        const qsizetype comma = rest.indexOf(QLatin1Char(','));
        const QStringView token = comma < 0 ? rest : rest.left(comma);
        rest = comma < 0 ? QStringView() : rest.mid(comma + 1);

        const qsizetype dash = token.indexOf(QLatin1Char('-'));
        if (dash >= 0) {
            const int from = kx::LeadingDecimal(token.left(dash));
            const int to = kx::LeadingDecimal(token.mid(dash + 1));
            if (from > to)
                continue;
            for (long long port = from; port <= to; ++port) {
                if (!IsPortInRange(port, ports))
                    return Refuse(refusal, "Invalid Portlist");
                flags[static_cast<size_t>(port - 1)] = 1;
            }
        } else {
            const long long port = kx::LeadingDecimal(token);
            if (!IsPortInRange(port, ports))
                return Refuse(refusal, "Invalid Portlist");
            flags[static_cast<size_t>(port - 1)] = 1;
        }
    }
    return 1;
}

void ParsePortNumberText(const QString& text, kx::PortFlags& flags, int value, int portCount)
{
    const int ports = ClampPortCount(portCount);
    GrowTo(flags, ports);
    if (text.isEmpty())
        return;
    for (QStringView token : QStringView(text).split(QLatin1Char(','))) {
        const long long port = kx::LeadingDecimal(token);
        if (IsPortInRange(port, ports))
            flags[static_cast<size_t>(port - 1)] = value;
    }
}

int CheckNameChars(const QString& text)
{
    return ContainsAnyOf(text, QLatin1StringView("~`!@#$%^&*{}[]|\\:;\"'<>,.?/")) ? 0 : 1;
}

int CheckPortTextChars(const QString& text)
{
    if (ContainsAnyOf(text, QLatin1StringView("~`!@#$%^&*{}[]|\\:;\"'<>.?/")))
        return 0;
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if ((u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z'))
            return 0;
    }
    return 1;
}

int CheckMacText(const QString& text, bool multicastAllowed, QString* refusal)
{
    static const char* const kFormat = "Please enter correct MAC format(ex:00-00-00-00-00-01)";
    if (text.size() != 17)
        return Refuse(refusal, kFormat);
    for (int dash : {2, 5, 8, 11, 14})
        if (text[dash] != QLatin1Char('-'))
            return Refuse(refusal, kFormat);
    QString digits = text;
    digits.remove(QLatin1Char('-'));
    if (digits == QLatin1String("000000000000") || digits.size() < 12
        || std::any_of(digits.cbegin(), digits.cend(), [](QChar c) { return HexValue(c) < 0; }))
        return Refuse(refusal, kFormat);
    if (digits.compare(QLatin1String("ffffffffffff"), Qt::CaseInsensitive) == 0)
        return Refuse(refusal, "Broadcast MAC is not allowed.");
    if (!multicastAllowed && (HexValue(digits[1]) & 1))
        return Refuse(refusal, "Multicast MAC is not allowed.");
    return 1;
}

QString MacToOidIndex(const QString& mac)
{
    QString digits = mac;
    digits.remove(QLatin1Char('-'));
    QString index;
    for (qsizetype i = 0; i + 1 < digits.size(); i += 2) {
        // A pair that is not hexadecimal reads as far as its hex digits go.
        const int high = HexValue(digits[i]);
        const int low = HexValue(digits[i + 1]);
        const int octet = high < 0 ? 0 : (low < 0 ? high : high * 16 + low);
        index += QLatin1Char('.') + QString::number(octet);
    }
    return index;
}

int ClassifyHostIp(const QString& text)
{
    const QList<QStringView> parts = QStringView(text).split(QLatin1Char('.'));
    if (parts.size() != 4)
        return 0;
    quint32 address = 0;
    for (QStringView part : parts) {
        if (part.isEmpty() || part.size() > 3 || !std::all_of(part.begin(), part.end(), IsAsciiDigit))
            return 0;
        const int value = part.toInt();
        if (value > 255)
            return 0;
        address = (address << 8) | static_cast<quint32>(value);
    }
    const quint32 first = address >> 24;
    const quint32 last = address & 0xffu;
    if (address == 0 || first == 0 || first == 255 || last == 0 || last == 255)
        return 0;

    if ((address & 0x80000000u) == 0) {
        const quint32 net = address & 0x7f000000u;
        const quint32 host = address & 0x00ffffffu;
        return net != 0 && net != 0x7f000000u && host != 0 && host != 0x00ffffffu ? 1 : 0;
    }
    if ((address & 0xc0000000u) == 0x80000000u) {
        const quint32 host = address & 0xffffu;
        return host != 0 && host != 0xffffu ? 1 : 0;
    }
    if ((address & 0xe0000000u) == 0xc0000000u) {
        const quint32 host = address & 0xffu;
        return host != 0 && host != 0xffu ? 1 : 0;
    }
    return 0;
}

int Utf8ToText(QByteArrayView octets, QString& text)
{
    // The shown name is cut at the first NUL, as the device's buffers end there.
    const qsizetype nul = octets.indexOf('\0');
    const QByteArrayView value = nul < 0 ? octets : octets.first(nul);
    if (value.isEmpty()) {
        text.clear();
        return 0;
    }
    constexpr qsizetype kMaxUnits = 255;
    text = QString::fromUtf8(value);
    if (text.size() > kMaxUnits) {
        // Never keep half of a surrogate pair.
        qsizetype keep = kMaxUnits;
        if (text[keep - 1].isHighSurrogate())
            --keep;
        text.truncate(keep);
    }
    return 1;
}

int TextToUtf8(const QString& text, QByteArray& utf8, qsizetype bufferSize)
{
    utf8.clear();
    const QStringView all(text);
    for (qsizetype i = 0; i < all.size();) {
        const qsizetype units =
            all[i].isHighSurrogate() && i + 1 < all.size() && all[i + 1].isLowSurrogate() ? 2 : 1;
        const QByteArray sequence = all.mid(i, units).toUtf8();
        if (utf8.size() + sequence.size() >= bufferSize)
            break;
        utf8 += sequence;
        i += units;
    }
    return 1;
}

namespace kx {

int PortListOctetCount(int portCount)
{
    return portCount > 32 ? 8 : 4;
}

QByteArray PortFlagsToPortList(const PortFlags& flags, int portCount)
{
    QString hex;
    PortFlagsToHex(flags, hex, portCount);
    PadPortHex(hex, portCount);
    QByteArray octets;
    HexToOctets(hex, octets, hex.size());
    // Port counts without a padding rule still write a whole list.
    const qsizetype whole = std::max<qsizetype>(PortListOctetCount(portCount), octets.size());
    octets.append(whole - octets.size(), '\0');
    return octets;
}

PortFlags PortListToFlags(QByteArrayView octets, int portCount, int value)
{
    const int ports = ClampPortCount(portCount);
    PortFlags flags(static_cast<size_t>(ports), 0);
    for (int port = 1; port <= ports; ++port)
        if (IsMember(octets, port))
            flags[static_cast<size_t>(port - 1)] = value;
    return flags;
}

QString OctetsToHexText(QByteArrayView octets)
{
    return QString::fromLatin1(octets.toByteArray().toHex(' ').toUpper());
}

QString MacOctetsToText(QByteArrayView octets)
{
    if (octets.size() < 6)
        return OctetsToHexText(octets);
    return QString::fromLatin1(octets.first(6).toByteArray().toHex('-').toUpper());
}

QString IpOctetsToText(QByteArrayView octets)
{
    if (octets.size() < 4)
        return OctetsToHexText(octets);
    return QStringLiteral("%1.%2.%3.%4")
        .arg(OctetAt(octets, 0))
        .arg(OctetAt(octets, 1))
        .arg(OctetAt(octets, 2))
        .arg(OctetAt(octets, 3));
}

} // namespace kx
