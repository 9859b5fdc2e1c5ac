#include "base/TextNumber.h"

#include <algorithm>
#include <limits>

namespace kx {

namespace {

template<class Text, class Code>
int Leading(const Text& text, Code code)
{
    std::size_t i = 0;
    const std::size_t n = static_cast<std::size_t>(text.size());
    auto at = [&](std::size_t k) { return static_cast<char32_t>(code(text[k])); };
    while (i < n && (at(i) == U' ' || (at(i) >= U'\t' && at(i) <= U'\r')))
        ++i;
    bool negative = false;
    if (i < n && (at(i) == U'-' || at(i) == U'+'))
        negative = at(i++) == U'-';
    constexpr long long kLimit = std::numeric_limits<int>::max();
    long long value = 0;
    for (; i < n && at(i) >= U'0' && at(i) <= U'9'; ++i)
        value = std::min(kLimit, value * 10 + static_cast<long long>(at(i) - U'0'));
    return static_cast<int>(negative ? -value : value);
}

} // namespace

int LeadingDecimal(QStringView text)
{
    return Leading(text, [](QChar c) { return c.unicode(); });
}

int LeadingDecimal(std::string_view text)
{
    return Leading(text, [](char c) { return static_cast<unsigned char>(c); });
}

} // namespace kx
