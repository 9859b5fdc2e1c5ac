// IGMP snooping and multicast filtering: what switching snooping off takes with
// it, which settings need snooping on, and the modes an aggregated link must
// share.

#include "sim/model/Model.h"

namespace kxsim {

namespace {

const Oid kIgmpState = P({10, 1, 1, 0});
const Oid kIgmpVlan = P({10, 3, 4, 1});
const Oid kFilterMode = P({28, 1, 1, 2});

Oid IgmpVlanCell(std::uint32_t column, const Oid& vlan)
{
    return Concat(Concat(kIgmpVlan, {column}), vlan);
}

// Snooping switched off forgets the static router ports: of every VLAN when
// the device-wide state goes, of its VLAN when a VLAN's state goes.
void ClearRouterPorts(Device& d, const Oid& vlan)
{
    d.setBytes(IgmpVlanCell(6, vlan), std::string(d.portListLen(), '\0'));
}

// The timers and counters, querier and fast leave are taken only where
// snooping was on before the request: the state is switched on by a request
// of its own.
Err GlobalSnoopingWasOn(Tx& tx, const Write&)
{
    return tx.before(kIgmpState).num == 1 ? Err::NoError : Err::InconsistentValue;
}

Err VlanSnoopingWasOn(Tx& tx, const Write& w)
{
    const Oid vlan = Tail(w.oid, kIgmpVlan.size() + 1);
    return tx.before(IgmpVlanCell(2, vlan)).num == 1 ? Err::NoError : Err::InconsistentValue;
}

// Every port of an aggregated link reads the same from `flagOf`; only the link
// of port `only` when it is not 0.
template<class F>
Err LinksAgree(const Device& d, F flagOf, int only = 0)
{
    const std::vector<int> groups = TrunkGroups(d);
    std::vector<std::int64_t> seen(9, -1);
    for (int p = 1; p <= d.ports(); ++p) {
        const int g = groups[static_cast<std::size_t>(p)];
        if (g == 0 || (only != 0 && g != groups[static_cast<std::size_t>(only)]))
            continue;
        const std::int64_t v = flagOf(p);
        std::int64_t& first = seen[static_cast<std::size_t>(g)];
        if (first == -1)
            first = v;
        else if (first != v)
            return Err::InconsistentValue;
    }
    return Err::NoError;
}

} // namespace

void AddMulticastRules(Rules& rules)
{
    rules.on(kIgmpState, Rule{.effect = [](Tx& tx, const Write& w) {
        Device& d = tx.device;
        if (w.value.num != 2)
            return;
        if (const TableDef* igmp = d.table(kIgmpVlan))
            for (const Oid& vlan : d.rows(*igmp))
                ClearRouterPorts(d, vlan);
    }});
    for (std::uint32_t o = 2; o <= 8; ++o)
        rules.on(P({10, 1, o, 0}), Rule{.state = GlobalSnoopingWasOn});

    rules.on(Concat(kIgmpVlan, {2}), Rule{.effect = [](Tx& tx, const Write& w) {
        if (w.value.num == 2)
            ClearRouterPorts(tx.device, Tail(w.oid, kIgmpVlan.size() + 1));
    }});
    for (std::uint32_t c : {4u, 8u})
        rules.on(Concat(kIgmpVlan, {c}), Rule{.state = VlanSnoopingWasOn});
    rules.on(Concat(kIgmpVlan, {6}), Rule{.state = [](Tx& tx, const Write& w) {
        const Device& d = tx.device;
        const std::string ports = d.bytesAt(w.oid);
        return LinksAgree(d, [&ports](int p) -> std::int64_t { return PortListHas(ports, p) ? 1 : 0; });
    }});

    rules.on(kFilterMode, Rule{.state = [](Tx& tx, const Write& w) {
        const Device& d = tx.device;
        const int port = PortOf(d, w.oid);
        if (port == 0)
            return Err::NoError;
        return LinksAgree(d, [&d](int p) { return d.intAt(Concat(kFilterMode, {U(p)})); }, port);
    }});
}

} // namespace kxsim
