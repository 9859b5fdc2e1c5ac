#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace kxfuzz {

// The port counts devices of this family have.
inline int PortCountFrom(uint8_t byte)
{
    static const int kCounts[] = {8, 10, 16, 20, 24, 28, 48, 52};
    return kCounts[byte % (sizeof kCounts / sizeof kCounts[0])];
}

// A failed invariant must stop the fuzzer with a crash it can report.
inline void Require(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace kxfuzz
