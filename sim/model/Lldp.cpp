// LLDP: the local system, the neighbour table and the transmit timers.

#include "sim/model/Model.h"

namespace kxsim {

namespace {

const Oid kRemEntry = Lldp({1, 4, 1, 1});

// interval x hold multiplier must fit 16 bits, and the TX delay a quarter interval.
Err LldpTimerRelation(Tx& tx, const Write&)
{
    const Device& d = tx.device;
    const auto hold = d.intAt(P({24, 2, 0}));
    const auto interval = d.intAt(P({24, 3, 0}));
    const auto delay = d.intAt(P({24, 5, 0}));
    if (interval * hold > 65535 || 4 * delay > interval)
        return Err::InconsistentValue;
    return Err::NoError;
}

void DeriveLldp(Device& d)
{
    d.setBytes(Lldp({1, 3, 3, 0}), d.bytesAt(Mib2({1, 5, 0})));
    d.setBytes(Lldp({1, 3, 4, 0}), d.bytesAt(Mib2({1, 1, 0})));
    const TableDef* t = d.table(kRemEntry);
    if (!t)
        return;
    std::set<Oid> keep;
    const bool enabled = d.intAt(P({24, 1, 0}), 1) == 1;
    for (const auto& n : d.world().neighbours) {
        if (!enabled || n.port < 1 || n.port > d.ports() || !LinkOf(d, n.port).up)
            continue;
        // Index: time mark, local port, remote index.
        const Oid inst{0, U(n.port), U(n.index)};
        keep.insert(inst);
        EnsureRow(d, *t, inst,
                  {{4, Value::Int(n.chassisSubtype)},
                   {5, Value::Octets(n.chassisId)},
                   {6, Value::Int(n.portSubtype)},
                   {7, Value::Octets(n.portId)},
                   {8, Value::Octets(n.portDesc)},
                   {9, Value::Octets(n.sysName)},
                   {10, Value::Octets(n.sysDesc)}});
    }
    KeepRows(d, *t, keep);
}

} // namespace

void AddLldpRules(Rules& rules)
{
    for (std::uint32_t o : {2u, 3u, 5u})
        rules.on(P({24, o, 0}), Rule{.state = LldpTimerRelation});
    rules.derive(DeriveLldp);
}

} // namespace kxsim
