#pragma once

#include "base/Prompter.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace kxfuzz {

// Messages are counted, not kept: a fuzz run would otherwise hold millions of them.
class CountingPrompter : public kx::Prompter
{
public:
    void message(const QString&, kx::PromptIcon) override { ++messages; }
    bool question(const QString&, kx::PromptIcon) override { return false; }
    long messages = 0;
};

inline CountingPrompter& Prompter()
{
    static CountingPrompter prompter;
    static const bool installed = (kx::InstallPrompter(&prompter), true);
    (void)installed;
    return prompter;
}

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
