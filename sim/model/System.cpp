// System group, interfaces and the per-port link state; reboot and save.

#include "sim/model/Model.h"

namespace kxsim {

namespace {

const Oid kSpeed = P({1, 13, 1, 2});
const Oid kOperMode = P({1, 13, 1, 3});
const Oid kFlow = P({1, 13, 1, 5});
const Oid kOperFlow = P({1, 13, 1, 6});
const Oid kPortType = P({1, 13, 1, 7});
const Oid kIfSpeed = Mib2({2, 2, 1, 5});
const Oid kIfAdmin = Mib2({2, 2, 1, 7});
const Oid kIfOper = Mib2({2, 2, 1, 8});

void DerivePorts(Device& d)
{
    for (int p = 1; p <= d.ports(); ++p) {
        const Link l = LinkOf(d, p);
        d.setInt(Concat(kIfAdmin, {U(p)}), SpeedSetting(d, p) == kSpeedDisabled ? 2 : 1);
        d.setInt(Concat(kIfOper, {U(p)}), l.up ? 1 : 2);
        d.setValue(Concat(kIfSpeed, {U(p)}), Value::Unsigned(l.up && l.mbps == 10 ? 10000000 : 100000000));
        int mode = 1;
        if (l.up)
            mode = l.mbps == 100 ? (l.halfDuplex ? 4 : 3) : (l.halfDuplex ? 6 : 5);
        d.setInt(Concat(kOperMode, {U(p)}), mode);
        d.setInt(Concat(kOperFlow, {U(p)}), l.up ? d.intAt(Concat(kFlow, {U(p)}), 2) : 2);
    }
}

} // namespace

std::int64_t SpeedSetting(const Device& d, int port)
{
    return d.intAt(Concat(kSpeed, {U(port)}), kSpeedAuto);
}

Link LinkOf(const Device& d, int port)
{
    Link l;
    const auto setting = SpeedSetting(d, port);
    const Cable cable = d.world().cable(port);
    if (setting == kSpeedDisabled || cable == Cable::None || d.rebooting())
        return l;
    const int cableMbps = cable == Cable::M10 ? 10 : 100;
    l.halfDuplex = HalfDuplexSpeed(setting);
    switch (setting) {
    case 2:
    case 3: // forced 100M finds no partner on a 10M cable
        if (cableMbps != 100)
            return l;
        l.mbps = 100;
        break;
    case 4:
    case 5: l.mbps = 10; break;
    default: l.mbps = cableMbps; break;
    }
    l.up = true;
    return l;
}

void AddSystemRules(Rules& rules)
{
    rules.reader(Mib2({1, 3, 0}), [](const Device& d) {
        return Value::Ticks(static_cast<std::int64_t>((d.now() - d.bootTime) * 100));
    });

    // Writing the interface's admin status drives the port's speed setting.
    rules.on(kIfAdmin, Rule{
        .value = [](const Device& d, const Write& w) {
            return PortOf(d, w.oid) ? Err::NoError : Err::NotWritable;
        },
        .effect = [](Tx& tx, const Write& w) {
            const Oid speed = Concat(kSpeed, {w.oid.back()});
            if (w.value.num == 2)
                tx.device.setInt(speed, kSpeedDisabled);
            else if (tx.device.intAt(speed) == kSpeedDisabled)
                tx.device.setInt(speed, kSpeedAuto);
        },
    });

    rules.on(kSpeed, Rule{
        .value = [](const Device& d, const Write& w) {
            // A copper port without gigabit cannot be forced to 1000M.
            if (w.value.num == 1 && d.intAt(Concat(kPortType, {w.oid.back()}), 1) == 1)
                return Err::WrongValue;
            return Err::NoError;
        },
        .state = [](Tx& tx, const Write& w) {
            const auto groups = TrunkGroups(tx.device);
            const int p = PortOf(tx.device, w.oid);
            if (p && groups[static_cast<std::size_t>(p)] && HalfDuplexSpeed(w.value.num))
                return Err::InconsistentValue;
            return Err::NoError;
        },
    });

    rules.on(P({1, 9, 0}), Rule{
        .effect = [](Tx& tx, const Write&) {
            // The answer goes out first; the device goes quiet at the commit.
            Device* d = &tx.device;
            tx.atCommit([d] { d->reboot(); });
        },
    });

    rules.on(P({1, 10, 0}), Rule{
        .effect = [](Tx& tx, const Write&) {
            if (tx.dryRun)
                return;
            if (!tx.device.saveConfiguration().empty())
                tx.fail(Err::GenErr);
        },
    });

    rules.derive(DerivePorts);
}

} // namespace kxsim
