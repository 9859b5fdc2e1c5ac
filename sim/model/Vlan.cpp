// 802.1Q VLANs, PVIDs, the management VLAN, asymmetric VLAN, the voice and the
// surveillance VLAN, and the IGMP VLAN rows that follow the VLAN table.

#include "sim/model/Model.h"

namespace kxsim {

namespace {

const Oid kVlan = P({7, 6, 1});
const Oid kPvid = P({7, 7, 1, 1});
const Oid kIgmpVlan = P({10, 3, 4, 1});
const Oid kVoiceState = P({21, 1, 2, 0});
const Oid kVoiceVid = P({21, 1, 3, 0});
const Oid kSurvState = P({26, 1, 1, 0});
const Oid kSurvVid = P({26, 1, 2, 0});
const Oid kSurvPorts = P({26, 1, 4, 0});
const Oid kAsym = P({7, 5, 0});

// Untagged ports are a subset of the egress ports (the reason the module first
// writes every port as egress).
Err UntaggedWithinEgress(Tx& tx, const Write& w)
{
    const Device& d = tx.device;
    const Oid inst = Tail(w.oid, kVlan.size() + 1);
    if (!d.store().contains(Concat(Concat(kVlan, {2}), inst)))
        return Err::NoError; // destroyed in this request
    const std::string egress = d.bytesAt(Concat(Concat(kVlan, {2}), inst));
    for (int p : PortListMembers(d.bytesAt(Concat(Concat(kVlan, {4}), inst))))
        if (!PortListHas(egress, p))
            return Err::InconsistentValue;
    return Err::NoError;
}

Err NamesVlan(Tx& tx, const Write& w)
{
    return VlanExists(tx.device, w.value.num) ? Err::NoError : Err::InconsistentValue;
}

// Back to VLAN 1 only: what the module's asymmetric-mode question announces.
void ResetVlans(Tx& tx)
{
    Device& d = tx.device;
    const TableDef* vlans = d.table(kVlan);
    for (const Oid& inst : d.rows(*vlans))
        if (inst != Oid{1})
            d.destroyRow(*vlans, inst);
    std::vector<int> all;
    for (int p = 1; p <= d.ports(); ++p)
        all.push_back(p);
    const std::string allPorts = MakePortList(all, d.portListLen());
    EnsureRow(d, *vlans, {1},
              {{1, Value::Octets("default")},
               {2, Value::Octets(allPorts)},
               {3, Value::Octets(std::string(d.portListLen(), '\0'))},
               {4, Value::Octets(allPorts)},
               {5, Value::Int(1)}});
    for (int p = 1; p <= d.ports(); ++p)
        d.setValue(Concat(kPvid, {U(p)}), Value::Unsigned(1));
    if (const TableDef* igmp = d.table(kIgmpVlan))
        KeepRows(d, *igmp, {}); // the derive step recreates them with defaults
    d.setInt(P({7, 2, 0}), 2);
    d.setInt(P({7, 3, 0}), 1);
    Device* dev = &d;
    tx.atCommit([dev] { dev->world().flushLearned(); dev->derive(); });
}

// The surveillance VLAN takes over its VLAN: the tagged uplink/downlink ports
// become its members.
void TakeOverSurveillanceVlan(Tx& tx, const Write&)
{
    Device& d = tx.device;
    if (d.intAt(kSurvState) != 1)
        return;
    if (!tx.wrote(P({26, 1})))
        return;
    const auto vid = d.intAt(kSurvVid);
    const TableDef* vlans = d.table(kVlan);
    const std::string ports = d.bytesAt(kSurvPorts);
    const bool existed = VlanExists(d, vid);
    EnsureRow(d, *vlans, {U(vid)},
              {{2, Value::Octets(ports)}, {4, Value::Octets(std::string(d.portListLen(), '\0'))}});
    if (!existed)
        d.setBytes(Concat(kVlan, {1, U(vid)}), "SurveillanceVLAN");
    // Switching the feature on powers its member ports on a PoE model.
    if (tx.before(kSurvState).num != 1 && d.traits().poe)
        for (int p : PortListMembers(ports))
            if (p <= d.ports())
                d.setInt(P({22, 1, 1, 3, 1, U(p)}), 1);
}

Err SurveillanceConsistent(Tx& tx, const Write&)
{
    const Device& d = tx.device;
    if (d.intAt(kSurvState) != 1)
        return Err::NoError;
    const auto vid = d.intAt(kSurvVid);
    if (d.intAt(kAsym) != 2 || vid < 2 || vid > 4094)
        return Err::InconsistentValue;
    if (d.intAt(kVoiceState) == 1 && d.intAt(kVoiceVid) == vid)
        return Err::InconsistentValue;
    return Err::NoError;
}

Err VoiceConsistent(Tx& tx, const Write&)
{
    const Device& d = tx.device;
    if (d.intAt(kVoiceState) != 1)
        return Err::NoError;
    const auto vid = d.intAt(kVoiceVid);
    if (!VlanExists(d, vid))
        return Err::InconsistentValue;
    if (d.intAt(kSurvState) == 1 && d.intAt(kSurvVid) == vid)
        return Err::InconsistentValue;
    return Err::NoError;
}

void DeriveIgmpVlans(Device& d)
{
    const TableDef* vlans = d.table(kVlan);
    const TableDef* igmp = d.table(kIgmpVlan);
    if (!vlans || !igmp)
        return;
    std::set<Oid> keep;
    for (const Oid& inst : d.rows(*vlans)) {
        keep.insert(inst);
        // Fill what is missing only: cells restored from a saved state keep
        // their values and get back the read-only column.
        for (const auto& [n, c] : igmp->columns)
            if (!d.store().contains(igmp->cell(n, inst)))
                d.setValue(igmp->cell(n, inst),
                           *igmp->defaultValue(c, *igmp->decodeIndex(inst), d.portListLen(), d.ports()));
    }
    KeepRows(d, *igmp, keep);
    // Cells of rows whose first column is gone.
    for (const auto& column : igmp->columns) {
        const Oid c = igmp->columnOid(column.first);
        std::vector<Oid> orphans;
        for (auto it = d.store().lowerBound(c); it != d.store().end() && IsPrefix(c, it->first); ++it)
            if (!keep.count(Tail(it->first, c.size())))
                orphans.push_back(it->first);
        for (const auto& o : orphans)
            d.store().erase(o);
    }
}

} // namespace

void AddVlanRules(Rules& rules)
{
    rules.on(Concat(kVlan, {2}), Rule{.state = UntaggedWithinEgress});
    rules.on(Concat(kVlan, {4}), Rule{.state = UntaggedWithinEgress});
    rules.onRowDestroyed(kVlan, [](Tx& tx, const Oid& inst) {
        // Ports whose PVID named the VLAN fall back to the default VLAN.
        Device& d = tx.device;
        for (int p = 1; p <= d.ports(); ++p) {
            const Oid pvid = Concat(kPvid, {U(p)});
            if (d.intAt(pvid) == inst[0])
                d.setValue(pvid, Value::Unsigned(1));
        }
    });
    rules.on(kPvid, Rule{.state = NamesVlan});
    rules.on(P({7, 3, 0}), Rule{.state = NamesVlan});

    rules.on(kAsym, Rule{
        .state = [](Tx& tx, const Write& w) {
            const Device& d = tx.device;
            if (w.value.num != tx.before(kAsym).num &&
                (d.intAt(kVoiceState) == 1 || d.intAt(kSurvState) == 1))
                return Err::InconsistentValue;
            return Err::NoError;
        },
        .effect = [](Tx& tx, const Write& w) {
            if (w.value.num != tx.before(kAsym).num)
                ResetVlans(tx);
        },
    });

    rules.on(kVoiceState, Rule{.state = VoiceConsistent});
    rules.on(kVoiceVid, Rule{.state = VoiceConsistent});
    for (std::uint32_t o : {1u, 2u, 4u})
        rules.on(P({26, 1, o, 0}), Rule{.state = SurveillanceConsistent, .effect = TakeOverSurveillanceVlan});

    rules.derive(DeriveIgmpVlans);
}

} // namespace kxsim
