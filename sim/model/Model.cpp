#include "sim/model/Model.h"

namespace kxsim {

void BuildModel(Rules& rules)
{
    AddTransferRules(rules);
    AddSystemRules(rules);
    AddBridgeRules(rules);
    AddLldpRules(rules);
    AddVlanRules(rules);
    AddLayer2Rules(rules);
    AddSecurityRules(rules);
    AddPoeRules(rules);
    AddSnmpAdminRules(rules);
    AddMulticastRules(rules);
}

int PortOf(const Device& d, const Oid& oid)
{
    if (oid.empty())
        return 0;
    const auto p = static_cast<std::int64_t>(oid.back());
    return p >= 1 && p <= d.ports() ? static_cast<int>(p) : 0;
}

std::vector<int> TrunkGroups(const Device& d)
{
    std::vector<int> groups(static_cast<std::size_t>(d.ports()) + 1, 0);
    for (std::uint32_t g = 1; g <= 8; ++g)
        for (int p : PortListMembers(d.bytesAt(P({8, 1, 3, 1, 2, g}))))
            if (p <= d.ports())
                groups[static_cast<std::size_t>(p)] = static_cast<int>(g);
    return groups;
}

bool VlanExists(const Device& d, std::int64_t vid)
{
    return vid >= 1 && vid <= 4094 && d.store().contains(P({7, 6, 1, 5, U(vid)}));
}

void EnsureRow(Device& d, const TableDef& t, const Oid& instance,
               const std::vector<std::pair<std::uint32_t, Value>>& cells)
{
    if (!d.rowExists(t, instance))
        d.createRow(t, instance, 1);
    for (const auto& [col, v] : cells)
        d.setValue(t.cell(col, instance), v);
}

void KeepRows(Device& d, const TableDef& t, const std::set<Oid>& keep)
{
    for (const Oid& inst : d.rows(t))
        if (!keep.count(inst))
            d.destroyRow(t, inst);
}

} // namespace kxsim
