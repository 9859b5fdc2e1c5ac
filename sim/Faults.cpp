#include "sim/Faults.h"

#include <algorithm>

namespace kxsim {

const char* FaultKindName(Fault::Kind k)
{
    switch (k) {
    case Fault::Kind::Error: return "error";
    case Fault::Kind::Drop: return "drop";
    case Fault::Kind::Delay: return "delay";
    case Fault::Kind::Duplicate: return "duplicate";
    }
    return "drop";
}

std::size_t Faults::clear(const Oid& prefix)
{
    const auto before = m_faults.size();
    m_faults.erase(std::remove_if(m_faults.begin(), m_faults.end(),
                                  [&](const Fault& f) { return IsPrefix(prefix, f.subtree); }),
                   m_faults.end());
    return before - m_faults.size();
}

std::optional<Fault> Faults::take(const std::vector<Oid>& oids, int& index)
{
    for (auto it = m_faults.begin(); it != m_faults.end(); ++it) {
        for (std::size_t i = 0; i < oids.size(); ++i) {
            if (!IsPrefix(it->subtree, oids[i]))
                continue;
            Fault f = *it;
            index = static_cast<int>(i) + 1;
            if (it->remaining > 0 && --it->remaining == 0)
                m_faults.erase(it);
            return f;
        }
    }
    return std::nullopt;
}

std::vector<std::string> Faults::describe() const
{
    std::vector<std::string> out;
    for (const auto& f : m_faults) {
        std::string line = FormatOid(f.subtree);
        line += ' ';
        line += FaultKindName(f.kind);
        if (f.kind == Fault::Kind::Error) {
            line += ' ';
            line += ErrName(f.error);
        }
        if (f.kind == Fault::Kind::Delay || f.kind == Fault::Kind::Duplicate) {
            line += ' ';
            line += std::to_string(f.ms);
        }
        if (f.remaining >= 0) {
            line += " count=";
            line += std::to_string(f.remaining);
        }
        out.push_back(line);
    }
    return out;
}

} // namespace kxsim
