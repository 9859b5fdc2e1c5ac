#include "sim/Rules.h"

#include "sim/Device.h"

namespace kxsim {

bool Tx::wrote(const Oid& prefix) const
{
    for (const auto& w : writes)
        if (IsPrefix(prefix, w.oid))
            return true;
    return false;
}

Value Tx::before(const Oid& oid) const
{
    const Entry* e = device.store().before(oid);
    return e ? e->value : Value::Null();
}

std::vector<const Rule*> Rules::matching(const Oid& oid) const
{
    std::vector<const Rule*> out;
    if (m_rules.empty())
        return out;
    Oid prefix;
    prefix.reserve(oid.size());
    for (std::size_t i = 0; i < oid.size(); ++i) {
        prefix.push_back(oid[i]);
        auto it = m_rules.find(prefix);
        if (it != m_rules.end())
            for (const auto& r : it->second)
                out.push_back(&r);
    }
    return out;
}

const std::vector<RowHook>* Rules::destroyedHooks(const Oid& entry) const
{
    auto it = m_destroyed.find(entry);
    return it == m_destroyed.end() ? nullptr : &it->second;
}

const Reader* Rules::readerFor(const Oid& oid) const
{
    auto it = m_readers.find(oid);
    return it == m_readers.end() ? nullptr : &it->second;
}

} // namespace kxsim
