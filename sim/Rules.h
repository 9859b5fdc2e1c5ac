#pragma once

// How behaviour attaches to objects. Each subtree of the device model (the
// files in sim/model/) registers rules on OID prefixes:
//
//   value     refuses a written value on its own (model ranges, formats)
//   normalize turns an accepted value into what the device stores
//   state     checks the device state once all writes of the request are in
//   effect    changes further objects after the checks passed (undone with
//             the request); Tx::atCommit defers work to the commit
//   resolve   maps a written instance to the object it acts on
//
// and derive steps that recompute read-only objects from the configuration
// and the simulated world after every change.

#include "sim/Store.h"

#include <functional>
#include <map>
#include <optional>
#include <vector>

namespace kxsim {

class Device;

struct Write
{
    Oid oid;
    Value value;
    int index = 0; // 1-based position in the request
};

class Tx
{
public:
    Tx(Device& device, const std::vector<Write>& writes, int version, bool dryRun)
        : device(device), writes(writes), version(version), dryRun(dryRun)
    {
    }

    Device& device;
    const std::vector<Write>& writes;
    const int version; // 1, 2 (v2c) or 3
    const bool dryRun; // the validating pass: effects run, then everything is undone

    // Whether the request writes anything under prefix.
    bool wrote(const Oid& prefix) const;
    // The value an object had before this request (Null when it did not exist).
    Value before(const Oid& oid) const;

    void atCommit(std::function<void()> fn) { commitActions.push_back(std::move(fn)); }
    // An effect that cannot be carried out fails the whole request.
    void fail(Err e)
    {
        if (failure == Err::NoError)
            failure = e;
    }

    std::vector<std::function<void()>> commitActions;
    Err failure = Err::NoError;
    std::vector<std::pair<const TableDef*, Oid>> created;   // rows, in request order
    std::vector<std::pair<const TableDef*, Oid>> destroyed;
};

using ValueRule = std::function<Err(const Device&, const Write&)>;
using NormalizeRule = std::function<Value(const Device&, const Write&)>;
using StateRule = std::function<Err(Tx&, const Write&)>;
using EffectRule = std::function<void(Tx&, const Write&)>;
using ResolveRule = std::function<std::optional<Oid>(const Device&, const Oid&)>;
using RowHook = std::function<void(Tx&, const Oid& instance)>;
using DeriveStep = std::function<void(Device&)>;
using Reader = std::function<Value(const Device&)>;

struct Rule
{
    ValueRule value{};
    NormalizeRule normalize{};
    StateRule state{};
    EffectRule effect{};
    ResolveRule resolve{};
};

class Rules
{
public:
    void on(const Oid& prefix, Rule rule) { m_rules[prefix].push_back(std::move(rule)); }
    void onRowDestroyed(const Oid& entry, RowHook hook) { m_destroyed[entry].push_back(std::move(hook)); }
    void derive(DeriveStep step) { m_derive.push_back(std::move(step)); }
    // A value computed at read time (clocks).
    void reader(const Oid& oid, Reader r) { m_readers[oid] = std::move(r); }

    // Rules whose prefix covers oid, the shortest prefix first.
    std::vector<const Rule*> matching(const Oid& oid) const;
    const std::vector<RowHook>* destroyedHooks(const Oid& entry) const;
    const std::vector<DeriveStep>& deriveSteps() const { return m_derive; }
    const Reader* readerFor(const Oid& oid) const;
    bool hasReaders() const { return !m_readers.empty(); }

private:
    std::map<Oid, std::vector<Rule>> m_rules;
    std::map<Oid, std::vector<RowHook>> m_destroyed;
    std::vector<DeriveStep> m_derive;
    std::map<Oid, Reader> m_readers;
};

} // namespace kxsim
