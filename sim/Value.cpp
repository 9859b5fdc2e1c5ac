#include "sim/Value.h"

#include <array>
#include <charconv>
#include <cstdio>

namespace kxsim {

namespace {

constexpr std::array<const char*, 19> kErrNames = {
    "noError",        "tooBig",      "noSuchName",   "badValue",          "readOnly",
    "genErr",         "noAccess",    "wrongType",    "wrongLength",       "wrongEncoding",
    "wrongValue",     "noCreation",  "inconsistentValue", "resourceUnavailable",
    "commitFailed",   "undoFailed",  "authorizationError", "notWritable", "inconsistentName",
};

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

std::optional<std::int64_t> ParseInt(std::string_view text, std::int64_t lo, std::int64_t hi)
{
    if (text.empty())
        return std::nullopt;
    bool negative = false;
    std::size_t i = 0;
    if (text[0] == '-') {
        negative = true;
        i = 1;
    }
    if (i >= text.size())
        return std::nullopt;
    std::int64_t value = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > 0xffffffffLL)
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value < lo || value > hi)
        return std::nullopt;
    return value;
}

const char* ErrName(Err err)
{
    const auto i = static_cast<std::size_t>(err);
    return i < kErrNames.size() ? kErrNames[i] : "genErr";
}

std::optional<Err> ParseErrName(std::string_view name)
{
    for (std::size_t i = 0; i < kErrNames.size(); ++i)
        if (name == kErrNames[i])
            return static_cast<Err>(i);
    if (auto n = ParseInt(name, 0, 18))
        return static_cast<Err>(*n);
    return std::nullopt;
}

Type TypeOf(Notation n)
{
    switch (n) {
    case Notation::Integer: return Type::Integer;
    case Notation::Unsigned: return Type::Unsigned;
    case Notation::Counter: return Type::Counter32;
    case Notation::Ticks: return Type::TimeTicks;
    case Notation::Ip: return Type::IpAddress;
    case Notation::ObjectId: return Type::ObjectId;
    case Notation::Text:
    case Notation::Hex:
    case Notation::PortList: return Type::OctetString;
    case Notation::Null: return Type::Null;
    case Notation::Opaque: return Type::Opaque;
    case Notation::Counter64: return Type::Counter64;
    }
    return Type::Null;
}

const char* NotationCode(Notation n)
{
    switch (n) {
    case Notation::Integer: return "i";
    case Notation::Unsigned: return "u";
    case Notation::Counter: return "c";
    case Notation::Ticks: return "t";
    case Notation::Ip: return "a";
    case Notation::ObjectId: return "o";
    case Notation::Text: return "s";
    case Notation::Hex: return "x";
    case Notation::PortList: return "pl";
    case Notation::Null: return "n";
    case Notation::Opaque: return "op";
    case Notation::Counter64: return "c64";
    }
    return "n";
}

std::optional<Notation> ParseNotationCode(std::string_view code)
{
    if (code == "i")
        return Notation::Integer;
    if (code == "u" || code == "g")
        return Notation::Unsigned;
    if (code == "c")
        return Notation::Counter;
    if (code == "t")
        return Notation::Ticks;
    if (code == "a")
        return Notation::Ip;
    if (code == "o")
        return Notation::ObjectId;
    if (code == "s")
        return Notation::Text;
    if (code == "x")
        return Notation::Hex;
    if (code == "pl")
        return Notation::PortList;
    if (code == "n")
        return Notation::Null;
    if (code == "op")
        return Notation::Opaque;
    if (code == "c64")
        return Notation::Counter64;
    return std::nullopt;
}

Notation NaturalNotation(const Value& v)
{
    switch (v.type) {
    case Type::Integer: return Notation::Integer;
    case Type::Unsigned: return Notation::Unsigned;
    case Type::Counter32: return Notation::Counter;
    case Type::TimeTicks: return Notation::Ticks;
    case Type::IpAddress: return Notation::Ip;
    case Type::ObjectId: return Notation::ObjectId;
    case Type::Null: return Notation::Null;
    case Type::Opaque: return Notation::Opaque;
    case Type::Counter64: return Notation::Counter64;
    case Type::OctetString: {
        // Text reads best as text (escaped where needed); anything else as octets.
        if (!Utf8Length(v.bytes))
            return Notation::Hex;
        for (unsigned char c : v.bytes)
            if ((c < 0x20 && c != '\t' && c != '\n' && c != '\r') || c == 0x7f)
                return Notation::Hex;
        return Notation::Text;
    }
    }
    return Notation::Null;
}

std::string QuoteText(std::string_view raw)
{
    std::string out = "\"";
    for (unsigned char c : raw) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\t': out += "\\t"; break;
        case '\r': out += "\\r"; break;
        default:
            if (c < 0x20 || c == 0x7f) {
                char buf[5];
                std::snprintf(buf, sizeof buf, "\\x%02X", c);
                out += buf;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    out += '"';
    return out;
}

std::optional<std::string> UnquoteText(std::string_view q)
{
    if (q.size() < 2 || q.front() != '"' || q.back() != '"')
        return std::nullopt;
    q = q.substr(1, q.size() - 2);
    std::string out;
    for (std::size_t i = 0; i < q.size(); ++i) {
        char c = q[i];
        if (c == '"')
            return std::nullopt;
        if (c != '\\') {
            out += c;
            continue;
        }
        if (++i >= q.size())
            return std::nullopt;
        switch (q[i]) {
        case 'n': out += '\n'; break;
        case 't': out += '\t'; break;
        case 'r': out += '\r'; break;
        case '\\': out += '\\'; break;
        case '"': out += '"'; break;
        case 'x': {
            if (i + 2 >= q.size())
                return std::nullopt;
            const int h = HexDigit(q[i + 1]);
            const int l = HexDigit(q[i + 2]);
            if (h < 0 || l < 0)
                return std::nullopt;
            out += static_cast<char>(h * 16 + l);
            i += 2;
            break;
        }
        default: return std::nullopt;
        }
    }
    return out;
}

std::string HexOctets(std::string_view raw, char separator)
{
    static const char* digits = "0123456789ABCDEF";
    std::string out;
    out.reserve(raw.size() * 3);
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (i && separator)
            out += separator;
        const auto c = static_cast<unsigned char>(raw[i]);
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

std::optional<std::string> ParseHexOctets(std::string_view text)
{
    if (text == "\"\"")
        return std::string();
    std::string out;
    int high = -1;
    for (char c : text) {
        if (c == '-' || c == ':' || c == ' ') {
            if (high >= 0)
                return std::nullopt;
            continue;
        }
        const int d = HexDigit(c);
        if (d < 0)
            return std::nullopt;
        if (high < 0) {
            high = d;
        } else {
            out += static_cast<char>(high * 16 + d);
            high = -1;
        }
    }
    if (high >= 0)
        return std::nullopt;
    return out;
}

std::string FormatIp(std::uint32_t ip)
{
    return std::to_string(ip >> 24) + "." + std::to_string((ip >> 16) & 255) + "." +
           std::to_string((ip >> 8) & 255) + "." + std::to_string(ip & 255);
}

std::optional<std::uint32_t> ParseIp(std::string_view text)
{
    std::uint32_t ip = 0;
    int parts = 0;
    while (parts < 4) {
        const auto dot = text.find('.');
        const auto part = text.substr(0, dot);
        auto v = ParseInt(part, 0, 255);
        if (!v || part.size() > 3)
            return std::nullopt;
        ip = (ip << 8) | static_cast<std::uint32_t>(*v);
        ++parts;
        if (dot == std::string_view::npos)
            break;
        text.remove_prefix(dot + 1);
    }
    if (parts != 4 || text.find('.') != std::string_view::npos)
        return std::nullopt;
    return ip;
}

std::string FormatValue(const Value& v, Notation n)
{
    switch (n) {
    case Notation::Integer:
    case Notation::Unsigned:
    case Notation::Counter:
    case Notation::Ticks: return std::to_string(v.num);
    case Notation::Ip: return FormatIp(static_cast<std::uint32_t>(v.num));
    case Notation::ObjectId: return FormatOid(v.oid);
    case Notation::Text: return QuoteText(v.bytes);
    case Notation::Hex:
    case Notation::PortList: return v.bytes.empty() ? std::string("\"\"") : HexOctets(v.bytes, '-');
    case Notation::Null: return "-";
    case Notation::Opaque: return v.bytes.empty() ? std::string("\"\"") : HexOctets(v.bytes, '-');
    case Notation::Counter64: return std::to_string(static_cast<std::uint64_t>(v.num));
    }
    return "-";
}

std::optional<Value> ParseValue(std::string_view text, Notation n, std::size_t portListLen,
                                int ports)
{
    switch (n) {
    case Notation::Integer:
        if (auto v = ParseInt(text, -2147483648LL, 2147483647LL))
            return Value::Int(*v);
        return std::nullopt;
    case Notation::Unsigned:
        if (auto v = ParseInt(text, 0, 4294967295LL))
            return Value::Unsigned(*v);
        return std::nullopt;
    case Notation::Counter:
        if (auto v = ParseInt(text, 0, 4294967295LL))
            return Value::Counter(*v);
        return std::nullopt;
    case Notation::Ticks:
        if (auto v = ParseInt(text, 0, 4294967295LL))
            return Value::Ticks(*v);
        return std::nullopt;
    case Notation::Ip:
        if (auto v = ParseIp(text))
            return Value::Ip(*v);
        return std::nullopt;
    case Notation::ObjectId:
        if (auto v = ParseOid(text))
            return Value::ObjectId(*v);
        return std::nullopt;
    case Notation::Text:
        if (!text.empty() && text.front() == '"') {
            if (auto s = UnquoteText(text))
                return Value::Octets(*s);
            return std::nullopt;
        }
        return Value::Octets(std::string(text));
    case Notation::PortList:
        if (text == "ALL") {
            std::vector<int> all;
            for (int p = 1; p <= ports; ++p)
                all.push_back(p);
            return Value::Octets(MakePortList(all, portListLen));
        }
        if (text == "NONE")
            return Value::Octets(std::string(portListLen, '\0'));
        // Short literals ("C0000000") grow to the device's PortList length.
        if (auto s = ParseHexOctets(text)) {
            if (s->size() < portListLen)
                s->resize(portListLen, '\0');
            return Value::Octets(*s);
        }
        return std::nullopt;
    case Notation::Hex:
        if (auto s = ParseHexOctets(text))
            return Value::Octets(*s);
        return std::nullopt;
    case Notation::Null:
        if (text == "-" || text.empty())
            return Value::Null();
        return std::nullopt;
    case Notation::Opaque:
        if (text == "\"\"")
            return Value::Opaque({});
        if (auto s = ParseHexOctets(text))
            return Value::Opaque(*s);
        return std::nullopt;
    case Notation::Counter64: {
        std::uint64_t v = 0;
        const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
        if (text.empty() || ec != std::errc() || end != text.data() + text.size())
            return std::nullopt;
        return Value::Counter64(v);
    }
    }
    return std::nullopt;
}

std::string MakePortList(const std::vector<int>& ports, std::size_t length)
{
    std::string out(length, '\0');
    for (int p : ports) {
        if (p < 1)
            continue;
        const auto octet = static_cast<std::size_t>((p - 1) / 8);
        if (octet >= length)
            continue;
        out[octet] = static_cast<char>(static_cast<unsigned char>(out[octet]) |
                                       (0x80u >> ((p - 1) % 8)));
    }
    return out;
}

std::vector<int> PortListMembers(std::string_view octets)
{
    std::vector<int> out;
    for (std::size_t i = 0; i < octets.size(); ++i) {
        const auto c = static_cast<unsigned char>(octets[i]);
        for (int bit = 0; bit < 8; ++bit)
            if (c & (0x80u >> bit))
                out.push_back(static_cast<int>(i * 8) + bit + 1);
    }
    return out;
}

bool PortListHas(std::string_view octets, int port)
{
    if (port < 1)
        return false;
    const auto octet = static_cast<std::size_t>((port - 1) / 8);
    if (octet >= octets.size())
        return false;
    return (static_cast<unsigned char>(octets[octet]) & (0x80u >> ((port - 1) % 8))) != 0;
}

std::optional<std::size_t> Utf8Length(std::string_view s)
{
    std::size_t count = 0;
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        std::size_t len = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        if (len == 0 || i + len > s.size())
            return std::nullopt;
        for (std::size_t k = 1; k < len; ++k)
            if ((static_cast<unsigned char>(s[i + k]) >> 6) != 2)
                return std::nullopt;
        i += len;
        ++count;
    }
    return count;
}

std::optional<std::int64_t> ParseTenths(std::string_view text)
{
    if (text.empty())
        return std::nullopt;
    std::int64_t whole = 0;
    std::size_t i = 0;
    bool digits = false;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        whole = whole * 10 + (text[i] - '0');
        if (whole > 100000000)
            return std::nullopt;
        digits = true;
    }
    std::int64_t tenths = whole * 10;
    if (i < text.size()) {
        if (text[i] != '.')
            return std::nullopt;
        ++i;
        if (i < text.size()) {
            if (text[i] < '0' || text[i] > '9')
                return std::nullopt;
            tenths += text[i] - '0';
            digits = true;
            ++i;
            // Further digits are allowed only as zeros ("7.10").
            for (; i < text.size(); ++i)
                if (text[i] != '0')
                    return std::nullopt;
        }
    }
    if (!digits)
        return std::nullopt;
    return tenths;
}

std::string FormatTenths(std::int64_t tenths)
{
    const bool negative = tenths < 0;
    if (negative)
        tenths = -tenths;
    return std::string(negative ? "-" : "") + std::to_string(tenths / 10) + "." +
           std::to_string(tenths % 10);
}

} // namespace kxsim
