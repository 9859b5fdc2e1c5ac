// Hexadecimal texts and received PortLists: hex is either refused whole or turned
// into the octets it spells; a PortList of any length decodes without reading past
// it, and its number text and range text name the same ports.
#include "FuzzSupport.h"

#include "core/kit/ValueCodecs.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const int ports = kxfuzz::PortCountFrom(data[0]);
    const qsizetype buffer = data[1] % 12;
    const QByteArrayView raw(reinterpret_cast<const char*>(data + 2), static_cast<qsizetype>(size - 2));

    const QString hex = QString::fromLatin1(raw);
    QByteArray octets;
    if (HexToOctets(hex, octets, buffer) == 1) {
        kxfuzz::Require(octets.size() == std::min<qsizetype>(buffer, (hex.size() + 1) / 2));
        QString padded = hex.toLower();
        if (padded.size() % 2)
            padded += QLatin1Char('0');
        kxfuzz::Require(padded.startsWith(QString::fromLatin1(octets.toHex())));
    } else {
        kxfuzz::Require(octets.isEmpty());
    }

    QString numbers;
    const int numberCount = PortListToNumberText(raw, numbers, ports);
    const kx::PortFlags fromNumbers = kx::PortListToFlags(raw, ports);
    QString ranges;
    const int rangeCount = PortListToRangeText(raw, ranges, ports);
    kx::PortFlags fromRanges;
    kxfuzz::Require(ParsePortRangeText(ranges, fromRanges, ports) == 1);
    kxfuzz::Require(fromRanges == fromNumbers);
    kxfuzz::Require(rangeCount == std::count(fromRanges.begin(), fromRanges.end(), 1));
    kxfuzz::Require(numberCount >= rangeCount);
    kxfuzz::Require(kx::PortListToFlags(kx::PortFlagsToPortList(fromRanges, ports), ports) == fromRanges);
    return 0;
}
