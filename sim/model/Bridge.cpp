// BRIDGE-MIB spanning tree and the forwarding database.

#include "sim/model/Model.h"

namespace kxsim {

namespace {

const Oid kStpPort = Mib2({17, 2, 15, 1});
const Oid kFdbEntry = Mib2({17, 7, 1, 2, 2, 1});

// maxAge must stay within 2*(hello + 1 s) and 2*(forwardDelay - 1 s).
Err StpTimerRelation(Tx& tx, const Write&)
{
    const Device& d = tx.device;
    const auto maxAge = d.intAt(Mib2({17, 2, 12, 0}));
    const auto hello = d.intAt(Mib2({17, 2, 13, 0}));
    const auto delay = d.intAt(Mib2({17, 2, 14, 0}));
    if (2 * (delay - 100) >= maxAge && maxAge >= 2 * (hello + 100))
        return Err::NoError;
    return Err::InconsistentValue;
}

void DeriveStp(Device& d)
{
    // This bridge is the root, so the current timers are its own.
    d.setInt(Mib2({17, 2, 9, 0}), d.intAt(Mib2({17, 2, 13, 0}), 200));
    d.setInt(Mib2({17, 2, 11, 0}), d.intAt(Mib2({17, 2, 14, 0}), 1500));
    const bool rstp = d.intAt(P({6, 1, 1, 0}), 1) == 1;
    for (int p = 1; p <= d.ports(); ++p) {
        const Link l = LinkOf(d, p);
        const bool enabled = d.intAt(Concat(kStpPort, {4, U(p)}), 1) == 1;
        const bool adminUp = SpeedSetting(d, p) != kSpeedDisabled;
        int state = 2;
        if (!enabled || !adminUp)
            state = 1;
        else if (l.up)
            state = 5;
        else if (!rstp)
            state = 1; // without spanning tree a port is only forwarding or disabled
        d.setInt(Concat(kStpPort, {3, U(p)}), state);
        const auto own = d.intAt(P({6, 2, 1, 5, U(p)}), 0);
        d.setInt(Concat(kStpPort, {5, U(p)}), own ? own : (l.up && l.mbps == 10 ? 2000000 : 200000));
        d.setValue(Concat(kStpPort, {10, U(p)}), Value::Counter(state == 5 ? 1 : 0));
    }
}

// The forwarding table shows what the world has taught the switch: learnt
// entries only while their port has a link.
void DeriveFdb(Device& d)
{
    const TableDef* t = d.table(kFdbEntry);
    if (!t)
        return;
    std::vector<bool> links(static_cast<std::size_t>(d.ports()) + 1);
    for (int p = 1; p <= d.ports(); ++p)
        links[static_cast<std::size_t>(p)] = LinkOf(d, p).up;
    // Nothing else writes this table: with the same world, the same links and
    // nothing discarded since the last pass it is still right (large tables stay cheap).
    auto& cache = d.fdbCache;
    const std::uint64_t discards = d.store().discards();
    if (d.world().fdbVersion == cache.version && discards == cache.discards && links == cache.links)
        return;
    std::map<Oid, const FdbEntry*> want;
    for (const auto& e : d.world().fdb) {
        const bool visible = e.status != FdbEntry::Learned ||
                             (!e.flushed && e.port >= 1 && e.port <= d.ports() &&
                              links[static_cast<std::size_t>(e.port)]);
        if (visible)
            want[Concat(Oid{U(e.vid)}, MacIndex(e.mac))] = &e;
    }
    std::set<Oid> keep;
    for (const auto& wanted : want)
        keep.insert(keep.end(), wanted.first);
    KeepRows(d, *t, keep);
    for (const auto& [inst, e] : want)
        EnsureRow(d, *t, inst, {{2, Value::Int(e->port)}, {3, Value::Int(e->status)}});
    cache.version = d.world().fdbVersion;
    cache.discards = discards;
    cache.links = std::move(links);
}

} // namespace

void AddBridgeRules(Rules& rules)
{
    rules.reader(Mib2({17, 2, 3, 0}), [](const Device& d) {
        return Value::Ticks(static_cast<std::int64_t>((d.now() - d.topologyChangeTime) * 100));
    });
    for (std::uint32_t o : {12u, 13u, 14u})
        rules.on(Mib2({17, 2, o, 0}), Rule{.state = StpTimerRelation});
    rules.derive(DeriveStp);
    rules.derive(DeriveFdb);
}

} // namespace kxsim
