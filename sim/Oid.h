#pragma once

// Object identifiers as the simulator keeps them: plain vectors of 32-bit
// sub-identifiers, which order lexicographically exactly as SNMP walks them.

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kxsim {

using Oid = std::vector<std::uint32_t>;

// "1.3.6.1" or ".1.3.6.1"; nullopt for anything else (empty parts, letters, overflow).
std::optional<Oid> ParseOid(std::string_view text);
std::string FormatOid(const Oid& oid);

bool IsPrefix(const Oid& prefix, const Oid& oid);
Oid Concat(const Oid& base, std::initializer_list<std::uint32_t> tail);
Oid Concat(const Oid& base, const Oid& tail);
Oid Tail(const Oid& oid, std::size_t from);

// The private arc and the standard subtrees the device serves.
Oid P(std::initializer_list<std::uint32_t> tail = {});
Oid Mib2(std::initializer_list<std::uint32_t> tail = {});
Oid Lldp(std::initializer_list<std::uint32_t> tail = {});

} // namespace kxsim
