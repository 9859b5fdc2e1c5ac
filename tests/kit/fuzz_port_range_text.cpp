// Typed port sets: whatever the user types, parsing never writes outside the N
// flags, refuses with exactly one message, and an accepted set survives the way
// to the device and back.
#include "FuzzSupport.h"

#include "core/kit/ValueCodecs.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const int ports = kxfuzz::PortCountFrom(data[0]);
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data + 1),
                                           static_cast<qsizetype>(size - 1));
    CheckPortTextChars(text);

    kx::PortFlags flags;
    QString refusal;
    const int accepted = ParsePortRangeText(text, flags, ports, &refusal);
    kxfuzz::Require(accepted == 0 || accepted == 1);
    kxfuzz::Require(refusal.isEmpty() == (accepted == 1));
    kxfuzz::Require(flags.size() == static_cast<size_t>(ports));
    kxfuzz::Require(std::all_of(flags.begin(), flags.end(), [](int f) { return f == 0 || f == 1; }));

    if (accepted) {
        const QByteArray octets = kx::PortFlagsToPortList(flags, ports);
        QString ranges;
        const int count = PortListToRangeText(octets, ranges, ports);
        kxfuzz::Require(count == std::count(flags.begin(), flags.end(), 1));
        kx::PortFlags back;
        kxfuzz::Require(ParsePortRangeText(ranges, back, ports) == 1);
        kxfuzz::Require(back == flags);
    }

    kx::PortFlags numbers;
    ParsePortNumberText(text, numbers, 3, ports);
    kxfuzz::Require(numbers.size() == static_cast<size_t>(ports));
    kxfuzz::Require(std::all_of(numbers.begin(), numbers.end(), [](int f) { return f == 0 || f == 3; }));
    return 0;
}
