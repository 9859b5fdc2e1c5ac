// 802.1X port access control and IP-MAC-port binding (bindings, white list,
// black list, address scan).

#include "sim/model/Model.h"

namespace kxsim {

namespace {

const Oid kDot1xControl = P({11, 2, 9, 1, 2});
const Oid kDot1xStatus = P({11, 2, 9, 1, 3});
const Oid kImpbAdmin = P({14, 10, 1, 1, 2});
const Oid kBinding = P({14, 10, 2, 1});
const Oid kWhiteList = P({14, 10, 3, 1});
const Oid kBlackList = P({14, 10, 4, 1});
const Oid kScanStart = P({14, 10, 7, 0});

void DeriveDot1x(Device& d)
{
    const bool on = d.intAt(P({11, 2, 1, 0})) == 1;
    for (int p = 1; p <= d.ports(); ++p) {
        const auto control = d.intAt(Concat(kDot1xControl, {U(p)}), 3);
        d.setInt(Concat(kDot1xStatus, {U(p)}), !on || control == 3 ? 1 : 2);
    }
}

// Adds the binding rows of every simulated host in [from, to]; the scan object
// then rests again.
void FinishScan(Device& d)
{
    d.scanTimer = 0;
    d.change([&d] {
        const TableDef* t = d.table(kBinding);
        const auto from = d.intAt(P({14, 10, 5, 0}));
        const auto to = d.intAt(P({14, 10, 6, 0}));
        for (const auto& h : d.world().hosts) {
            if (h.ip < from || h.ip > to)
                continue;
            const Oid inst = Concat(Concat(MacIndex(h.mac), {U(h.port)}), IpIndex(h.ip));
            if (t && !d.rowExists(*t, inst)) {
                d.createRow(*t, inst);
                d.setInt(t->cell(4, inst), h.vid);
                d.setInt(t->cell(5, inst), 2);
            }
        }
        d.setInt(kScanStart, 2);
    });
}

} // namespace

void AddSecurityRules(Rules& rules)
{
    // At least one port has to stay ForceAuthorized, or nobody gets in again.
    rules.on(kDot1xControl, Rule{
        .state = [](Tx& tx, const Write&) {
            for (int p = 1; p <= tx.device.ports(); ++p)
                if (tx.device.intAt(Concat(kDot1xControl, {U(p)})) == 3)
                    return Err::NoError;
            return Err::InconsistentValue;
        },
    });
    rules.derive(DeriveDot1x);

    // Binding every port with nobody on the white list would lock everyone out.
    rules.on(kImpbAdmin, Rule{
        .state = [](Tx& tx, const Write&) {
            Device& d = tx.device;
            for (int p = 1; p <= d.ports(); ++p)
                if (d.intAt(Concat(kImpbAdmin, {U(p)})) != 1)
                    return Err::NoError;
            const TableDef* wl = d.table(kWhiteList);
            return wl && d.rows(*wl).empty() ? Err::InconsistentValue : Err::NoError;
        },
    });

    // Binding an entry puts its host on the white list.
    rules.on(Concat(kBinding, {5}), Rule{
        .effect = [](Tx& tx, const Write& w) {
            if (w.value.num != 1)
                return;
            Device& d = tx.device;
            const Oid inst = Tail(w.oid, kBinding.size() + 1); // mac(6).port.ip(4)
            const TableDef* wl = d.table(kWhiteList);
            if (!wl || inst.size() != 11)
                return;
            const Oid mac(inst.begin(), inst.begin() + 6);
            const Oid ip(inst.begin() + 7, inst.end());
            const Oid wlInst = Concat(ip, mac);
            if (!d.rowExists(*wl, wlInst))
                d.createRow(*wl, wlInst, 1);
            d.setInt(wl->cell(3, wlInst), inst[6]);
        },
    });

    // The module removes a blocked host through MAC.1.port, whatever VLAN the
    // entry has: the write acts on the entry with that MAC and port.
    rules.on(Concat(kBlackList, {5}), Rule{
        .effect = [](Tx& tx, const Write& w) {
            if (w.value.num != 1)
                return;
            const TableDef* bl = tx.device.table(kBlackList);
            tx.device.destroyRow(*bl, Tail(w.oid, kBlackList.size() + 1));
        },
        .resolve = [](const Device& d, const Oid& oid) -> std::optional<Oid> {
            const Oid col = Concat(kBlackList, {5});
            if (oid.size() != col.size() + 8 || d.store().contains(oid))
                return std::nullopt;
            const Oid mac(oid.begin() + static_cast<std::ptrdiff_t>(col.size()),
                          oid.begin() + static_cast<std::ptrdiff_t>(col.size() + 6));
            const auto port = oid.back();
            for (auto it = d.store().lowerBound(Concat(col, mac));
                 it != d.store().end() && IsPrefix(Concat(col, mac), it->first); ++it)
                if (it->first.back() == port)
                    return it->first;
            return std::nullopt;
        },
    });

    rules.on(kScanStart, Rule{
        .effect = [](Tx& tx, const Write& w) {
            if (w.value.num != 1)
                return;
            Device* d = &tx.device;
            tx.atCommit([d] {
                if (d->scanTimer)
                    d->scheduler().cancel(d->scanTimer);
                d->scanTimer = d->scheduler().after(d->timing().scaled(d->timing().scan),
                                                    [d] { FinishScan(*d); });
            });
        },
    });
}

} // namespace kxsim
