#include "sim/Schema.h"

#include <algorithm>

namespace kxsim {

namespace {

// Bounds of ranges and sizes: whatever a 32-bit type holds, signed or not.
std::optional<std::int64_t> Number(std::string_view s)
{
    return ParseInt(s, -4294967295LL, 4294967295LL);
}

// "lo..hi", "lo..hi/step", "v", "..hi"
std::optional<Syntax::Range> ParseRange(std::string_view s)
{
    Syntax::Range r;
    std::string_view stepText;
    if (auto slash = s.find('/'); slash != std::string_view::npos) {
        stepText = s.substr(slash + 1);
        s = s.substr(0, slash);
        auto step = Number(stepText);
        if (!step || *step <= 0)
            return std::nullopt;
        r.step = *step;
    }
    if (auto dots = s.find(".."); dots != std::string_view::npos) {
        auto lo = Number(s.substr(0, dots));
        auto hi = Number(s.substr(dots + 2));
        if (!lo || !hi || *lo > *hi)
            return std::nullopt;
        r.lo = *lo;
        r.hi = *hi;
    } else {
        auto v = Number(s);
        if (!v)
            return std::nullopt;
        r.lo = r.hi = *v;
    }
    return r;
}

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

} // namespace

const char* AccessCode(Access a)
{
    switch (a) {
    case Access::ReadOnly: return "R";
    case Access::ReadWrite: return "W";
    case Access::ReadCreate: return "C";
    }
    return "R";
}

std::optional<Access> ParseAccessCode(std::string_view code)
{
    if (code == "R")
        return Access::ReadOnly;
    if (code == "W")
        return Access::ReadWrite;
    if (code == "C")
        return Access::ReadCreate;
    return std::nullopt;
}

bool Syntax::inRange(std::int64_t v) const
{
    if (ranges.empty())
        return true;
    for (const auto& r : ranges)
        if (v >= r.lo && v <= r.hi && (v - r.lo) % r.step == 0)
            return true;
    return false;
}

std::string Syntax::text() const
{
    std::string out = NotationCode(notation);
    std::string inner;
    if (!ranges.empty()) {
        for (const auto& r : ranges) {
            if (!inner.empty())
                inner += '|';
            inner += std::to_string(r.lo);
            if (r.hi != r.lo) {
                inner += "..";
                inner += std::to_string(r.hi);
            }
            if (r.step != 1) {
                inner += '/';
                inner += std::to_string(r.step);
            }
        }
    } else if (type() == Type::OctetString && notation != Notation::PortList &&
               (minSize != 0 || maxSize != 65535)) {
        if (minSize == maxSize)
            inner = std::to_string(minSize);
        else
        {
            inner = minSize ? std::to_string(minSize) : std::string();
            inner += "..";
            inner += std::to_string(maxSize);
        }
        if (sizeInCharacters)
            inner += 'c';
    }
    if (!inner.empty())
        out += "(" + inner + ")";
    return out;
}

Err Syntax::check(const Value& v, std::size_t portListLen, int ports) const
{
    if (v.type != type())
        return Err::WrongType;
    switch (v.type) {
    case Type::Integer:
    case Type::Unsigned:
    case Type::Counter32:
    case Type::TimeTicks:
        return inRange(v.num) ? Err::NoError : Err::WrongValue;
    case Type::OctetString: {
        if (notation == Notation::PortList) {
            if (v.bytes.size() != portListLen)
                return Err::WrongLength;
            for (int p : PortListMembers(v.bytes))
                if (p > ports)
                    return Err::WrongValue;
            return Err::NoError;
        }
        std::size_t size = v.bytes.size();
        if (sizeInCharacters) {
            auto chars = Utf8Length(v.bytes);
            if (!chars)
                return Err::WrongValue;
            size = *chars;
        }
        if (size < minSize || size > maxSize)
            return Err::WrongLength;
        return Err::NoError;
    }
    default: return Err::NoError;
    }
}

std::optional<Syntax> ParseSyntax(std::string_view text)
{
    Syntax syntax;
    std::string_view code = text;
    std::string_view inner;
    if (auto open = text.find('('); open != std::string_view::npos) {
        if (text.back() != ')')
            return std::nullopt;
        code = text.substr(0, open);
        inner = text.substr(open + 1, text.size() - open - 2);
    }
    auto n = ParseNotationCode(code);
    if (!n || *n == Notation::Null)
        return std::nullopt;
    syntax.notation = *n;
    if (inner.empty())
        return syntax;
    if (*n == Notation::Opaque || *n == Notation::Counter64)
        return std::nullopt; // no constraint
    if (syntax.type() == Type::OctetString) {
        if (syntax.notation == Notation::PortList)
            return std::nullopt;
        if (inner.back() == 'c') {
            syntax.sizeInCharacters = true;
            inner.remove_suffix(1);
        }
        if (auto dots = inner.find(".."); dots != std::string_view::npos) {
            auto loText = inner.substr(0, dots);
            auto lo = loText.empty() ? std::optional<std::int64_t>(0) : Number(loText);
            auto hi = Number(inner.substr(dots + 2));
            if (!lo || !hi || *lo < 0 || *lo > *hi)
                return std::nullopt;
            syntax.minSize = static_cast<std::size_t>(*lo);
            syntax.maxSize = static_cast<std::size_t>(*hi);
        } else {
            auto v = Number(inner);
            if (!v || *v < 0)
                return std::nullopt;
            syntax.minSize = syntax.maxSize = static_cast<std::size_t>(*v);
        }
        return syntax;
    }
    if (syntax.type() == Type::IpAddress || syntax.type() == Type::ObjectId)
        return std::nullopt;
    while (!inner.empty()) {
        auto bar = inner.find('|');
        auto part = Trim(inner.substr(0, bar));
        auto range = ParseRange(part);
        if (!range)
            return std::nullopt;
        syntax.ranges.push_back(*range);
        if (bar == std::string_view::npos)
            break;
        inner.remove_prefix(bar + 1);
    }
    return syntax;
}

const ColumnDef* TableDef::column(std::uint32_t n) const
{
    auto it = columns.find(n);
    return it == columns.end() ? nullptr : &it->second;
}

std::optional<std::vector<IndexValue>> TableDef::decodeIndex(const Oid& inst) const
{
    std::vector<IndexValue> out;
    std::size_t pos = 0;
    auto take = [&](std::size_t n) -> bool { return pos + n <= inst.size(); };
    for (const auto& part : index) {
        IndexValue v;
        v.kind = part.kind;
        switch (part.kind) {
        case IndexPart::Int:
            if (!take(1))
                return std::nullopt;
            v.num = inst[pos++];
            if (v.num < part.lo || v.num > part.hi)
                return std::nullopt;
            break;
        case IndexPart::Ip:
            if (!take(4))
                return std::nullopt;
            for (int i = 0; i < 4; ++i) {
                if (inst[pos] > 255)
                    return std::nullopt;
                v.num = (v.num << 8) | inst[pos++];
            }
            break;
        case IndexPart::Mac:
            if (!take(6))
                return std::nullopt;
            for (int i = 0; i < 6; ++i) {
                if (inst[pos] > 255)
                    return std::nullopt;
                v.bytes += static_cast<char>(inst[pos++]);
            }
            break;
        case IndexPart::Str: {
            if (!take(1))
                return std::nullopt;
            const auto len = inst[pos++];
            if (len < static_cast<std::uint64_t>(part.lo) || len > static_cast<std::uint64_t>(part.hi) || !take(len))
                return std::nullopt;
            for (std::uint32_t i = 0; i < len; ++i) {
                if (inst[pos] > 255)
                    return std::nullopt;
                v.bytes += static_cast<char>(inst[pos++]);
            }
            break;
        }
        case IndexPart::OidLen: {
            if (!take(1))
                return std::nullopt;
            const auto len = inst[pos++];
            if (len < 1 || len > 128 || !take(len))
                return std::nullopt;
            v.oid.assign(inst.begin() + static_cast<std::ptrdiff_t>(pos),
                         inst.begin() + static_cast<std::ptrdiff_t>(pos + len));
            pos += len;
            break;
        }
        }
        out.push_back(std::move(v));
    }
    if (pos != inst.size())
        return std::nullopt;
    return out;
}

std::optional<Value> TableDef::defaultValue(const ColumnDef& c, const std::vector<IndexValue>& idx,
                                            std::size_t portListLen, int ports) const
{
    const std::string& text = c.defaultText;
    if (text.size() >= 2 && text[0] == '$' && text[1] >= '1' && text[1] <= '9') {
        const auto k = static_cast<std::size_t>(text[1] - '1');
        if (k >= idx.size())
            return std::nullopt;
        const auto& part = idx[k];
        const Type t = c.syntax->type();
        switch (part.kind) {
        case IndexPart::Int:
            if (t == Type::Integer || t == Type::Unsigned || t == Type::Counter32 || t == Type::TimeTicks)
                return Value{t, part.num, {}, {}};
            return std::nullopt;
        case IndexPart::Ip:
            if (t == Type::IpAddress)
                return Value::Ip(static_cast<std::uint32_t>(part.num));
            if (t == Type::OctetString) {
                std::string b;
                for (int s = 24; s >= 0; s -= 8)
                    b += static_cast<char>((part.num >> s) & 255);
                return Value::Octets(b);
            }
            return std::nullopt;
        case IndexPart::Mac:
        case IndexPart::Str:
            if (t == Type::OctetString)
                return Value::Octets(part.bytes);
            return std::nullopt;
        case IndexPart::OidLen:
            if (t == Type::ObjectId)
                return Value::ObjectId(part.oid);
            return std::nullopt;
        }
        return std::nullopt;
    }
    return ParseValue(text, c.syntax->notation, portListLen, ports);
}

const Syntax* Schema::intern(const Syntax& syntax)
{
    for (const auto& s : m_syntaxes)
        if (s == syntax)
            return &s;
    m_syntaxes.push_back(syntax);
    return &m_syntaxes.back();
}

TableDef& Schema::addTable(TableDef table)
{
    m_tableByEntry[table.entry] = m_tables.size();
    m_tables.push_back(std::move(table));
    return m_tables.back();
}

const TableDef* Schema::tableFor(const Oid& oid) const
{
    // Entry OIDs are at most a few dozen; walk the candidate prefixes from the longest.
    for (std::size_t len = std::min<std::size_t>(oid.size(), 24); len >= 2; --len) {
        Oid prefix(oid.begin(), oid.begin() + static_cast<std::ptrdiff_t>(len));
        auto it = m_tableByEntry.find(prefix);
        if (it != m_tableByEntry.end())
            return &m_tables[it->second];
    }
    return nullptr;
}

const TableDef* Schema::table(const Oid& entry) const
{
    auto it = m_tableByEntry.find(entry);
    return it == m_tableByEntry.end() ? nullptr : &m_tables[it->second];
}

bool Schema::isCommand(const Oid& oid) const
{
    for (const auto& c : commands)
        if (IsPrefix(c, oid))
            return true;
    return false;
}

bool Schema::serves(const Oid& oid) const
{
    for (const auto& r : roots)
        if (IsPrefix(r, oid))
            return true;
    return false;
}

bool Schema::isVolatile(const Oid& oid) const
{
    for (const auto& v : volatiles)
        if (IsPrefix(v, oid))
            return true;
    return isCommand(oid);
}

Oid NameIndex(std::string_view name)
{
    Oid out{static_cast<std::uint32_t>(name.size())};
    for (unsigned char c : name)
        out.push_back(c);
    return out;
}

Oid MacIndex(std::string_view six)
{
    Oid out;
    for (unsigned char c : six)
        out.push_back(c);
    return out;
}

Oid IpIndex(std::uint32_t ip)
{
    return {ip >> 24, (ip >> 16) & 255, (ip >> 8) & 255, ip & 255};
}

} // namespace kxsim
