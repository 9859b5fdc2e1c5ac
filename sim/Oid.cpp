#include "sim/Oid.h"

#include <algorithm>

namespace kxsim {

std::optional<Oid> ParseOid(std::string_view text)
{
    if (!text.empty() && text.front() == '.')
        text.remove_prefix(1);
    if (text.empty())
        return std::nullopt;
    Oid oid;
    std::uint64_t part = 0;
    bool digits = false;
    for (char c : text) {
        if (c == '.') {
            if (!digits)
                return std::nullopt;
            oid.push_back(static_cast<std::uint32_t>(part));
            part = 0;
            digits = false;
        } else if (c >= '0' && c <= '9') {
            part = part * 10 + static_cast<std::uint64_t>(c - '0');
            if (part > 0xffffffffULL)
                return std::nullopt;
            digits = true;
        } else {
            return std::nullopt;
        }
    }
    if (!digits)
        return std::nullopt;
    oid.push_back(static_cast<std::uint32_t>(part));
    return oid;
}

std::string FormatOid(const Oid& oid)
{
    std::string out;
    out.reserve(oid.size() * 4);
    for (std::size_t i = 0; i < oid.size(); ++i) {
        if (i)
            out += '.';
        out += std::to_string(oid[i]);
    }
    return out;
}

bool IsPrefix(const Oid& prefix, const Oid& oid)
{
    return prefix.size() <= oid.size() && std::equal(prefix.begin(), prefix.end(), oid.begin());
}

Oid Concat(const Oid& base, std::initializer_list<std::uint32_t> tail)
{
    Oid out = base;
    out.insert(out.end(), tail.begin(), tail.end());
    return out;
}

Oid Concat(const Oid& base, const Oid& tail)
{
    Oid out = base;
    out.insert(out.end(), tail.begin(), tail.end());
    return out;
}

Oid Tail(const Oid& oid, std::size_t from)
{
    if (from >= oid.size())
        return {};
    return Oid(oid.begin() + static_cast<std::ptrdiff_t>(from), oid.end());
}

Oid P(std::initializer_list<std::uint32_t> tail)
{
    return Concat(Oid{1, 3, 6, 1, 4, 1, 99999, 10, 75, 13}, tail);
}

Oid Mib2(std::initializer_list<std::uint32_t> tail)
{
    return Concat(Oid{1, 3, 6, 1, 2, 1}, tail);
}

Oid Lldp(std::initializer_list<std::uint32_t> tail)
{
    return Concat(Oid{1, 0, 8802, 1, 1, 2}, tail);
}

} // namespace kxsim
