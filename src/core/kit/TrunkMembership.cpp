#include "core/kit/TrunkMembership.h"

#include "core/kit/ValueCodecs.h"

namespace kx {

TrunkMembership::TrunkMembership(int portCount) : m_groups(portCount > 0 ? portCount : 0, 0) {}

int TrunkMembership::GroupOf(const WalkRow& row)
{
    const QString last = row.index.section(QLatin1Char('.'), -1);
    SnmpValue number{SnmpType::Integer, last.toLatin1()};
    return number.toInt();
}

void TrunkMembership::applyRow(const WalkRow& row, bool storeOne)
{
    if (m_groups.empty() || row.values.empty())
        return;
    const int group = GroupOf(row);
    const PortFlags members = PortListToFlags(row.values[0].octets, portCount());
    for (int p = 1; p <= portCount(); ++p)
        if (p - 1 < static_cast<int>(members.size()) && members[static_cast<std::size_t>(p - 1)])
            m_groups[static_cast<std::size_t>(p - 1)] = storeOne ? 1 : group;
}

TrunkMembership TrunkMembership::FromRows(const std::vector<WalkRow>& rows, int portCount,
                                          bool storeOne)
{
    TrunkMembership m(portCount);
    for (const WalkRow& row : rows)
        m.applyRow(row, storeOne);
    return m;
}

bool TrunkMembership::membersAgree(const std::vector<int>& perPort) const
{
    auto valueAt = [&](std::size_t i) { return i < perPort.size() ? perPort[i] : 0; };
    for (std::size_t p = 0; p < m_groups.size(); ++p) {
        if (valueAt(p) == 0 || m_groups[p] == 0)
            continue;
        for (std::size_t q = 0; q < m_groups.size(); ++q)
            if (m_groups[q] == m_groups[p] && valueAt(q) != valueAt(p))
                return false;
    }
    return true;
}

int TrunkMembership::group(int port) const
{
    if (port < 1 || port > portCount())
        return 0;
    return m_groups[static_cast<std::size_t>(port - 1)];
}

} // namespace kx
