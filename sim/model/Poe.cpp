// Power over Ethernet (per-port power, the system budget), time profiles and
// the power-saving functions that name them.

#include "sim/model/Model.h"

#include <algorithm>

namespace kxsim {

namespace {

const Oid kPoePort = P({22, 1, 1});
const Oid kThreshold = P({22, 2, 0});
const Oid kProfile = P({32, 1, 1});

Oid PortCell(std::uint32_t column, int port)
{
    return Concat(kPoePort, {column, 1, U(port)});
}

// The limits of the power classes a port can be held to, in tenths of a watt.
std::int64_t ClassLimit(std::int64_t limitClass)
{
    switch (limitClass) {
    case 2: return 40;  // Class 1
    case 3: return 70;  // Class 2
    default: return 154; // Auto, Class 3, Class 4
    }
}

const std::vector<Oid>& PowerSavingNames()
{
    static const std::vector<Oid> names = {P({31, 1, 3, 0}), P({31, 1, 4, 0}), P({31, 2, 3, 0}),
                                           P({31, 2, 4, 0}), P({31, 3, 3, 0}), P({31, 3, 4, 0}),
                                           P({31, 4, 2, 0}), P({31, 4, 3, 0})};
    return names;
}

bool ProfileNamed(const Device& d, const std::string& name)
{
    const Oid col = Concat(kProfile, {2});
    for (auto it = d.store().lowerBound(col); it != d.store().end() && IsPrefix(col, it->first); ++it)
        if (it->second.value.bytes == name)
            return true;
    return false;
}

void DerivePoe(Device& d)
{
    if (!d.store().contains(kThreshold))
        return;
    const std::int64_t threshold =
        ParseTenths(d.bytesAt(kThreshold)).value_or(d.traits().thresholdMaxTenths);
    const std::time_t now = d.clock();

    struct Candidate
    {
        int port;
        std::int64_t priority;
        std::int64_t tenths;
    };
    std::vector<Candidate> candidates;
    std::vector<std::string> status(static_cast<std::size_t>(d.ports()) + 1, "POWER OFF");
    for (int p = 1; p <= d.ports(); ++p) {
        auto pd = d.world().devices.find(p);
        if (d.intAt(PortCell(3, p), 1) != 1 || pd == d.world().devices.end())
            continue;
        const auto range = d.intAt(PortCell(4, p), 0);
        if (range != 0 && !TimeProfileActive(d, range, now)) {
            status[U(p)] = "Time-based OFF";
            continue;
        }
        const std::int64_t limit = d.intAt(PortCell(7, p), 2) == 1
                                       ? ParseTenths(d.bytesAt(PortCell(8, p))).value_or(154)
                                       : ClassLimit(d.intAt(PortCell(6, p), 1));
        if (pd->second.tenthsWatt > limit) {
            status[U(p)] = "OVER LOAD";
            continue;
        }
        candidates.push_back({p, d.intAt(PortCell(5, p), 2), pd->second.tenthsWatt});
    }
    // The budget goes to ports in order, or to the highest priorities first.
    if (d.intAt(P({22, 3, 0}), 1) == 2)
        std::stable_sort(candidates.begin(), candidates.end(),
                         [](const Candidate& a, const Candidate& b) { return a.priority > b.priority; });
    std::int64_t used = 0;
    std::vector<std::int64_t> power(static_cast<std::size_t>(d.ports()) + 1, 0);
    for (const auto& c : candidates) {
        if (used + c.tenths > threshold) {
            status[U(c.port)] = "POWER DENIED";
            continue;
        }
        used += c.tenths;
        power[U(c.port)] = c.tenths;
        status[U(c.port)] = "POWER ON";
    }
    for (int p = 1; p <= d.ports(); ++p) {
        const auto w = power[U(p)];
        const bool on = status[U(p)] == "POWER ON";
        d.setBytes(PortCell(9, p), FormatTenths(w));
        d.setBytes(PortCell(10, p), on ? "48.0" : "0.0");
        d.setBytes(PortCell(11, p), std::to_string(on ? (w * 100 + 24) / 48 : 0));
        d.setBytes(PortCell(12, p),
                   on ? "Class " + std::to_string(d.world().devices.at(p).powerClass) : "N/A");
        d.setBytes(PortCell(13, p), status[U(p)]);
    }
    d.setBytes(P({22, 4, 0}), FormatTenths(threshold));
    d.setBytes(P({22, 5, 0}), FormatTenths(used));
    d.setBytes(P({22, 6, 0}), FormatTenths(threshold - used));
    d.setBytes(P({22, 7, 0}), std::to_string(threshold > 0 ? used * 100 / threshold : 0));
}

} // namespace

bool TimeProfileActive(const Device& d, std::int64_t n, std::time_t when)
{
    auto cell = [&](std::uint32_t c) { return d.intAt(Concat(kProfile, {c, U(n)}), -1); };
    if (cell(21) != 1)
        return false;
    std::tm tm{};
    localtime_r(&when, &tm);
    if (cell(3) == 1) {
        const std::int64_t today = (tm.tm_year + 1900) * 10000LL + (tm.tm_mon + 1) * 100 + tm.tm_mday;
        const std::int64_t from = cell(4) * 10000 + cell(5) * 100 + cell(6);
        const std::int64_t to = cell(9) * 10000 + cell(10) * 100 + cell(11);
        if (today < from || today > to)
            return false;
    }
    const std::uint32_t dayColumn = tm.tm_wday == 0 ? 20 : static_cast<std::uint32_t>(13 + tm.tm_wday);
    if (cell(dayColumn) != 1)
        return false;
    const std::int64_t minute = tm.tm_hour * 60 + tm.tm_min;
    const std::int64_t start = cell(7) * 60 + cell(8);
    const std::int64_t end = cell(12) * 60 + cell(13);
    if (start < end)
        return minute >= start && minute < end;
    if (start > end) // over midnight
        return minute >= start || minute < end;
    return false;
}

void AddPoeRules(Rules& rules)
{
    rules.on(kThreshold, Rule{
        .value = [](const Device& d, const Write& w) {
            auto t = ParseTenths(w.value.bytes);
            return t && *t >= 71 && *t <= d.traits().thresholdMaxTenths ? Err::NoError : Err::WrongValue;
        },
    });
    // A user-defined limit: 1.0 to 15.4 W in steps of 0.2 W.
    rules.on(Concat(kPoePort, {8}), Rule{
        .value = [](const Device&, const Write& w) {
            auto t = ParseTenths(w.value.bytes);
            return t && *t >= 10 && *t <= 154 && *t % 2 == 0 ? Err::NoError : Err::WrongValue;
        },
    });
    rules.on(Concat(kPoePort, {4}), Rule{
        .state = [](Tx& tx, const Write& w) {
            if (w.value.num == 0 || tx.device.store().contains(Concat(kProfile, {21, U(w.value.num)})))
                return Err::NoError;
            return Err::InconsistentValue;
        },
    });

    // Destroying a profile releases whatever named it.
    rules.onRowDestroyed(kProfile, [](Tx& tx, const Oid& inst) {
        Device& d = tx.device;
        const std::string name = tx.before(Concat(Concat(kProfile, {2}), inst)).bytes;
        if (d.store().contains(kThreshold))
            for (int p = 1; p <= d.ports(); ++p)
                if (d.intAt(PortCell(4, p)) == inst[0])
                    d.setInt(PortCell(4, p), 0);
        for (const Oid& o : PowerSavingNames())
            if (d.store().contains(o) && d.bytesAt(o) == name)
                d.setBytes(o, "None");
    });

    for (const Oid& o : PowerSavingNames())
        rules.on(o, Rule{
            .normalize = [](const Device&, const Write& w) {
                return w.value.bytes.empty() ? Value::Octets("None") : w.value;
            },
            .state = [](Tx& tx, const Write& w) {
                const std::string name = tx.device.bytesAt(w.oid);
                return name == "None" || ProfileNamed(tx.device, name) ? Err::NoError
                                                                       : Err::InconsistentValue;
            },
        });

    rules.derive(DerivePoe);
}

} // namespace kxsim
