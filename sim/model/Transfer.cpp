// Firmware and configuration transfers: the switch fetches or sends a file
// while the module polls the status object.

#include "sim/model/Model.h"

namespace kxsim {

namespace {

struct Kind
{
    Oid server, file, operation, status;
    double Timing::*run;
};

const Kind kKinds[3] = {
    {},
    {P({3, 1, 0}), P({3, 2, 0}), P({3, 3, 0}), P({3, 4, 0}), &Timing::firmwareRun},
    {P({3, 5, 0}), P({3, 6, 0}), P({3, 7, 0}), P({3, 8, 0}), &Timing::configRun},
};

void Finish(Device& d, int kind, std::int64_t status, bool reboot)
{
    d.transfer.timer = 0;
    d.transfer.running = false;
    d.change([&] { d.setInt(kKinds[kind].status, status); });
    if (reboot)
        d.reboot();
}

void Start(Device& d, int kind, bool upgrade)
{
    const Kind& k = kKinds[kind];
    const TransferMode mode = d.transferMode;
    const std::string file = d.bytesAt(k.file);
    const bool fails = d.intAt(k.server) == 0 || file.empty() || file.find("fail") != std::string::npos ||
                       mode == TransferMode::Fail;
    const bool reboot = !fails && kind == 1 && upgrade && d.upgradeReboots;
    d.transfer.running = true;
    d.transfer.kind = kind;
    if (mode == TransferMode::Stuck4)
        return;
    const double prepare = d.timing().scaled(d.timing().prepare);
    const double run = d.timing().scaled(d.timing().*k.run);
    if (mode == TransferMode::Garbage) {
        d.transfer.timer = d.scheduler().after(prepare + run, [&d, kind] { Finish(d, kind, 9, false); });
        return;
    }
    d.transfer.timer = d.scheduler().after(prepare, [&d, kind, fails, reboot, run, mode] {
        d.change([&] { d.setInt(kKinds[kind].status, 3); });
        d.transfer.timer = 0;
        if (mode == TransferMode::Stuck3)
            return;
        d.transfer.timer =
            d.scheduler().after(run, [&d, kind, fails, reboot] { Finish(d, kind, fails ? 2 : 0, reboot); });
    });
}

} // namespace

void AbortTransfer(Device& d)
{
    if (!d.transfer.running)
        return;
    if (d.transfer.timer)
        d.scheduler().cancel(d.transfer.timer);
    Finish(d, d.transfer.kind, 2, false);
}

void AddTransferRules(Rules& rules)
{
    for (int kind : {1, 2}) {
        rules.on(kKinds[kind].operation, Rule{
            .state = [](Tx& tx, const Write&) {
                // One transfer at a time.
                const bool both = tx.wrote(kKinds[1].operation) && tx.wrote(kKinds[2].operation);
                return tx.device.transfer.running || both ? Err::InconsistentValue : Err::NoError;
            },
            .effect = [kind](Tx& tx, const Write& w) {
                Device* d = &tx.device;
                d->setInt(kKinds[kind].status, d->transferMode == TransferMode::Garbage ? 9 : 4);
                const bool upgrade = w.value.num == 1;
                tx.atCommit([d, kind, upgrade] { Start(*d, kind, upgrade); });
            },
        });
    }
}

} // namespace kxsim
