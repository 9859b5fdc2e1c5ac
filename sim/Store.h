#pragma once

// The ordered in-memory store every registration serves from. Changes made
// while a journal is open can be rolled back as one unit (one SET request).

#include "sim/Schema.h"

#include <map>
#include <optional>

namespace kxsim {

struct Entry
{
    Value value;
    const Syntax* syntax = nullptr;
    Access access = Access::ReadOnly;
};

class Store
{
public:
    using Map = std::map<Oid, Entry>;
    using Journal = std::map<Oid, std::optional<Entry>>;

    const Entry* find(const Oid& oid) const;
    bool contains(const Oid& oid) const { return m_map.count(oid) != 0; }
    void put(const Oid& oid, Entry entry);
    // Replaces the value of an existing entry; false when there is none.
    bool setValue(const Oid& oid, Value value);
    bool erase(const Oid& oid);
    void eraseUnder(const Oid& prefix);
    void clear();

    Map::const_iterator begin() const { return m_map.begin(); }
    Map::const_iterator end() const { return m_map.end(); }
    Map::const_iterator lowerBound(const Oid& oid) const { return m_map.lower_bound(oid); }
    Map::const_iterator upperBound(const Oid& oid) const { return m_map.upper_bound(oid); }
    std::size_t size() const { return m_map.size(); }

    // Journal: the first change of each OID records what it was before.
    void openJournal();
    Journal closeJournal();
    void rollback(const Journal& journal);
    // The value an OID had when the journal was opened (nullptr: it did not exist).
    const Entry* before(const Oid& oid) const;

    // Counts rollbacks and clears: what is derived from the store and cached
    // outside it must not outlive either.
    std::uint64_t discards() const { return m_discards; }

private:
    void remember(const Oid& oid);

    Map m_map;
    std::optional<Journal> m_journal;
    std::uint64_t m_discards = 0;
};

} // namespace kxsim
