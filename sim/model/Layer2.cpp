// Link aggregation, port mirroring, bandwidth and storm control.

#include "sim/model/Model.h"

namespace kxsim {

namespace {

const Oid kMembers = P({8, 1, 3, 1, 2});

// A port belongs to one group at most, and aggregated ports run full duplex.
Err AggregationConsistent(Tx& tx, const Write&)
{
    const Device& d = tx.device;
    std::vector<int> seen(static_cast<std::size_t>(d.ports()) + 1, 0);
    for (std::uint32_t g = 1; g <= 8; ++g)
        for (int p : PortListMembers(d.bytesAt(Concat(kMembers, {g})))) {
            if (p > d.ports())
                continue;
            if (seen[static_cast<std::size_t>(p)]++)
                return Err::InconsistentValue;
            if (HalfDuplexSpeed(SpeedSetting(d, p)))
                return Err::InconsistentValue;
        }
    return Err::NoError;
}

// Mirroring on: the target port cannot be one of its own sources.
Err MirrorConsistent(Tx& tx, const Write&)
{
    const Device& d = tx.device;
    if (d.intAt(P({18, 1, 0})) != 1)
        return Err::NoError;
    const int target = static_cast<int>(d.intAt(P({18, 2, 0})));
    if (PortListHas(d.bytesAt(P({18, 3, 0})), target) || PortListHas(d.bytesAt(P({18, 4, 0})), target))
        return Err::InconsistentValue;
    return Err::NoError;
}

constexpr std::int64_t kRateStep = 63; // Kbit/s

} // namespace

void AddLayer2Rules(Rules& rules)
{
    rules.on(kMembers, Rule{
        .value = [](const Device&, const Write& w) {
            const auto n = PortListMembers(w.value.bytes).size();
            return n == 0 || (n >= 2 && n <= 4) ? Err::NoError : Err::WrongValue;
        },
        .state = AggregationConsistent,
    });

    for (std::uint32_t o : {1u, 2u, 3u, 4u})
        rules.on(P({18, o, 0}), Rule{.state = MirrorConsistent});

    // 0 means no limit; other rates are kept in whole steps ("the device rounds").
    for (std::uint32_t col : {2u, 3u})
        rules.on(P({13, 1, 2, 1, col}), Rule{
            .value = [](const Device&, const Write& w) {
                return w.value.num != 0 && w.value.num < kRateStep ? Err::WrongValue : Err::NoError;
            },
            .normalize = [](const Device&, const Write& w) {
                Value v = w.value;
                v.num -= v.num % kRateStep;
                return v;
            },
        });

    rules.on(P({13, 3, 3, 0}), Rule{
        .value = [](const Device& d, const Write& w) {
            const std::int64_t unit = d.traits().stormUnit;
            const std::int64_t v = w.value.num;
            return v >= unit && v <= unit * 16000 && v % unit == 0 ? Err::NoError : Err::WrongValue;
        },
    });
}

} // namespace kxsim
