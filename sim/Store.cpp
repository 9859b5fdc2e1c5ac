#include "sim/Store.h"

namespace kxsim {

const Entry* Store::find(const Oid& oid) const
{
    auto it = m_map.find(oid);
    return it == m_map.end() ? nullptr : &it->second;
}

void Store::remember(const Oid& oid)
{
    if (!m_journal || m_journal->count(oid))
        return;
    auto it = m_map.find(oid);
    if (it == m_map.end())
        m_journal->emplace(oid, std::nullopt);
    else
        m_journal->emplace(oid, it->second);
}

void Store::put(const Oid& oid, Entry entry)
{
    remember(oid);
    m_map[oid] = std::move(entry);
}

bool Store::setValue(const Oid& oid, Value value)
{
    auto it = m_map.find(oid);
    if (it == m_map.end())
        return false;
    if (it->second.value == value)
        return true;
    remember(oid);
    it->second.value = std::move(value);
    return true;
}

bool Store::erase(const Oid& oid)
{
    auto it = m_map.find(oid);
    if (it == m_map.end())
        return false;
    remember(oid);
    m_map.erase(it);
    return true;
}

void Store::eraseUnder(const Oid& prefix)
{
    std::vector<Oid> doomed;
    for (auto it = m_map.lower_bound(prefix); it != m_map.end() && IsPrefix(prefix, it->first); ++it)
        doomed.push_back(it->first);
    for (const auto& oid : doomed)
        erase(oid);
}

void Store::clear()
{
    m_map.clear();
    m_journal.reset();
    ++m_discards;
}

void Store::openJournal()
{
    m_journal.emplace();
}

Store::Journal Store::closeJournal()
{
    Journal out = std::move(*m_journal);
    m_journal.reset();
    return out;
}

void Store::rollback(const Journal& journal)
{
    for (const auto& [oid, old] : journal) {
        if (old)
            m_map[oid] = *old;
        else
            m_map.erase(oid);
    }
    ++m_discards;
}

const Entry* Store::before(const Oid& oid) const
{
    if (m_journal) {
        auto it = m_journal->find(oid);
        if (it != m_journal->end())
            return it->second ? &*it->second : nullptr;
    }
    return find(oid);
}

} // namespace kxsim
