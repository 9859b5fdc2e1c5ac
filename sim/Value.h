#pragma once

// Values as the store holds them and their text forms, shared by the device
// profile, the saved state, the store dump and the request log.

#include "sim/Oid.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kxsim {

// SNMP error statuses, numbered as on the wire.
enum class Err : int {
    NoError = 0,
    TooBig = 1,
    NoSuchName = 2,
    BadValue = 3,
    ReadOnly = 4,
    GenErr = 5,
    NoAccess = 6,
    WrongType = 7,
    WrongLength = 8,
    WrongEncoding = 9,
    WrongValue = 10,
    NoCreation = 11,
    InconsistentValue = 12,
    ResourceUnavailable = 13,
    CommitFailed = 14,
    UndoFailed = 15,
    AuthorizationError = 16,
    NotWritable = 17,
    InconsistentName = 18,
};
const char* ErrName(Err err);
std::optional<Err> ParseErrName(std::string_view name);

// Wire types. Gauge32 and Unsigned32 share one tag and are one type here.
enum class Type : std::uint8_t {
    Null,
    Integer,
    Unsigned,
    Counter32,
    TimeTicks,
    IpAddress,
    OctetString,
    ObjectId,
    Opaque,    // octets
    Counter64, // num holds the 64 bits
};

struct Value
{
    Type type = Type::Null;
    std::int64_t num = 0; // integers, counters, ticks; IpAddress as a host-order 32-bit number
    std::string bytes;    // OctetString, Opaque
    Oid oid;              // ObjectId

    static Value Null() { return {}; }
    static Value Int(std::int64_t v) { return {Type::Integer, v, {}, {}}; }
    static Value Unsigned(std::int64_t v) { return {Type::Unsigned, v, {}, {}}; }
    static Value Counter(std::int64_t v) { return {Type::Counter32, v, {}, {}}; }
    static Value Ticks(std::int64_t v) { return {Type::TimeTicks, v, {}, {}}; }
    static Value Ip(std::uint32_t v) { return {Type::IpAddress, v, {}, {}}; }
    static Value Octets(std::string v) { return {Type::OctetString, 0, std::move(v), {}}; }
    static Value ObjectId(Oid v) { return {Type::ObjectId, 0, {}, std::move(v)}; }
    static Value Opaque(std::string v) { return {Type::Opaque, 0, std::move(v), {}}; }
    static Value Counter64(std::uint64_t v) { return {Type::Counter64, static_cast<std::int64_t>(v), {}, {}}; }

    bool operator==(const Value& other) const = default;
};

// Decimal text, an optional minus sign and nothing else, within [lo, hi];
// magnitudes above 2^32-1 never parse.
std::optional<std::int64_t> ParseInt(std::string_view text, std::int64_t lo, std::int64_t hi);

// How a value is written in text: the type letter of the profile format.
enum class Notation : std::uint8_t {
    Integer,  // i
    Unsigned, // u (also g)
    Counter,  // c
    Ticks,    // t
    Ip,       // a
    ObjectId, // o
    Text,     // s  "quoted text"
    Hex,      // x  hex octets
    PortList, // pl hex octets, or ALL / NONE
    Null,     // n
    Opaque,   // op hex octets
    Counter64, // c64
};
Type TypeOf(Notation n);
const char* NotationCode(Notation n);
std::optional<Notation> ParseNotationCode(std::string_view code);

// The notation a dump or the log uses for a value of unknown intent.
Notation NaturalNotation(const Value& v);

std::string FormatValue(const Value& v, Notation n);
// Parses text in notation n. portListLen and ports give ALL/NONE their meaning.
std::optional<Value> ParseValue(std::string_view text, Notation n, std::size_t portListLen = 4,
                                int ports = 8);

// Quoted text with C escapes; the inverse of UnquoteText.
std::string QuoteText(std::string_view raw);
std::optional<std::string> UnquoteText(std::string_view quoted);
std::string HexOctets(std::string_view raw, char separator = 0);
std::optional<std::string> ParseHexOctets(std::string_view text);

std::string FormatIp(std::uint32_t ip);
std::optional<std::uint32_t> ParseIp(std::string_view text);

// Port sets as PortList octets: port 1 is the most significant bit of octet 0.
std::string MakePortList(const std::vector<int>& ports, std::size_t length);
std::vector<int> PortListMembers(std::string_view octets);
bool PortListHas(std::string_view octets, int port);

// The number of UTF-8 code points, or nullopt when the octets are not UTF-8.
std::optional<std::size_t> Utf8Length(std::string_view octets);

// "12.5" style decimal text with at most one decimal digit, in tenths.
std::optional<std::int64_t> ParseTenths(std::string_view text);
std::string FormatTenths(std::int64_t tenths);

} // namespace kxsim
