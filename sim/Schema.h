#pragma once

// What the device declares about its objects: types with their value ranges,
// access, and the tables with their index shapes, row-status columns, capacities
// and creation defaults.

#include "sim/Value.h"

#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace kxsim {

enum class Access : std::uint8_t { ReadOnly, ReadWrite, ReadCreate };
const char* AccessCode(Access a);
std::optional<Access> ParseAccessCode(std::string_view code);

// A type with its constraint, as written in the profile: "i(1..7)", "s(..32c)", "pl".
struct Syntax
{
    struct Range
    {
        std::int64_t lo = 0;
        std::int64_t hi = 0;
        std::int64_t step = 1;

        bool operator==(const Range&) const = default;
    };

    Notation notation = Notation::Integer;
    std::vector<Range> ranges;    // integers: the allowed values; empty = any
    std::size_t minSize = 0;      // octet strings
    std::size_t maxSize = 65535;
    bool sizeInCharacters = false; // sizes count UTF-8 code points

    Type type() const { return TypeOf(notation); }
    std::string text() const;
    // NoError, WrongType, WrongLength or WrongValue. PortLists must be exactly
    // portListLen octets and name no port above `ports`.
    Err check(const Value& v, std::size_t portListLen, int ports) const;
    bool inRange(std::int64_t v) const;

    bool operator==(const Syntax&) const = default;
};
std::optional<Syntax> ParseSyntax(std::string_view text);

// One part of a table index.
struct IndexPart
{
    enum Kind : std::uint8_t { Int, Ip, Mac, Str, OidLen } kind = Int;
    std::int64_t lo = 0;
    std::int64_t hi = 4294967295LL;
};

// A decoded index part.
struct IndexValue
{
    IndexPart::Kind kind = IndexPart::Int;
    std::int64_t num = 0;  // Int, Ip
    std::string bytes;     // Mac, Str
    Oid oid;               // OidLen
};

struct ColumnDef
{
    std::uint32_t number = 0;
    const Syntax* syntax = nullptr;
    Access access = Access::ReadOnly;
    std::string defaultText; // may name index parts as $1, $2, ...
};

struct TableDef
{
    enum class Persist : std::uint8_t { Objects, Rows, None };

    Oid entry;                       // the table's entry OID; columns are entry.N
    std::vector<IndexPart> index;
    std::map<std::uint32_t, ColumnDef> columns;
    std::optional<std::uint32_t> statusColumn;
    std::size_t maxRows = 0;         // 0: no limit
    std::set<Oid> protectedRows;
    Persist persist = Persist::Objects;

    const ColumnDef* column(std::uint32_t n) const;
    // nullopt when the instance does not have the index's shape or range.
    std::optional<std::vector<IndexValue>> decodeIndex(const Oid& instance) const;
    // The value a new row takes in column c, with $k naming index part k.
    std::optional<Value> defaultValue(const ColumnDef& c, const std::vector<IndexValue>& index,
                                      std::size_t portListLen, int ports) const;
    Oid columnOid(std::uint32_t c) const { return Concat(entry, {c}); }
    Oid cell(std::uint32_t c, const Oid& instance) const { return Concat(columnOid(c), instance); }
};

class Schema
{
public:
    const Syntax* intern(const Syntax& syntax);

    TableDef& addTable(TableDef table);
    // The table whose entry OID is a prefix of oid, if any.
    const TableDef* tableFor(const Oid& oid) const;
    const TableDef* table(const Oid& entry) const;
    const std::deque<TableDef>& tables() const { return m_tables; }

    std::vector<Oid> roots;     // subtrees served
    std::set<Oid> volatiles;    // objects (or subtrees) never saved
    std::vector<Oid> commands;  // objects (or columns) whose writes are actions

    // Whether oid lies under one of the served subtrees.
    bool serves(const Oid& oid) const;
    bool isCommand(const Oid& oid) const;
    bool isVolatile(const Oid& oid) const;

private:
    std::deque<Syntax> m_syntaxes;
    std::deque<TableDef> m_tables;
    std::map<Oid, std::size_t> m_tableByEntry;
};

// Index encodings shared by the profile, the rules and the tests.
Oid NameIndex(std::string_view name);           // length, then the octets
Oid MacIndex(std::string_view sixOctets);        // six decimal sub-identifiers
Oid IpIndex(std::uint32_t ip);                   // four sub-identifiers

} // namespace kxsim
