#include "base/TextNumber.h"

#include <algorithm>
#include <limits>

namespace kx {

namespace {

template<class Number, class Text, class Code>
Number Leading(const Text& text, Code code)
{
    std::size_t i = 0;
    const std::size_t n = static_cast<std::size_t>(text.size());
    auto at = [&](std::size_t k) { return static_cast<char32_t>(code(text[k])); };
    while (i < n && (at(i) == U' ' || (at(i) >= U'\t' && at(i) <= U'\r')))
        ++i;
    bool negative = false;
    if (i < n && (at(i) == U'-' || at(i) == U'+'))
        negative = at(i++) == U'-';
    constexpr long long kLimit = std::numeric_limits<Number>::max();
    long long value = 0;
    for (; i < n && at(i) >= U'0' && at(i) <= U'9'; ++i) {
        const long long digit = static_cast<long long>(at(i) - U'0');
        value = value > (kLimit - digit) / 10 ? kLimit : value * 10 + digit;
    }
    return static_cast<Number>(negative ? -value : value);
}

} // namespace

int LeadingDecimal(QStringView text)
{
    return Leading<int>(text, [](QChar c) { return c.unicode(); });
}

qint64 LeadingDecimal64(QStringView text)
{
    return Leading<qint64>(text, [](QChar c) { return c.unicode(); });
}

int LeadingDecimal(std::string_view text)
{
    return Leading<int>(text, [](char c) { return static_cast<unsigned char>(c); });
}

} // namespace kx
