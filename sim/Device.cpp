#include "sim/Device.h"

#include "sim/model/Model.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace kxsim {

namespace {

// A saved state of the largest tables is a few megabytes.
constexpr std::size_t kMaxStateBytes = 64u << 20;

} // namespace

ModelTraits TraitsFor(const std::string& model)
{
    ModelTraits t;
    t.name = model;
    // The two R2 models of the first family count storm thresholds in 63 Kbit/s
    // steps; the A1 R2 has the small PoE supply.
    t.stormUnit = (model == "KX-A1 R2" || model == "KX-C1 R2") ? 63 : 64;
    t.thresholdMaxTenths = model == "KX-A1 R2" ? 720 : 1850;
    t.poe = model == "KX-A1 R2" || model == "KX-C1 R2" ||
            model.find_first_of("pP") != std::string::npos;
    return t;
}

const char* TransferModeName(TransferMode m)
{
    switch (m) {
    case TransferMode::Success: return "success";
    case TransferMode::Fail: return "fail";
    case TransferMode::Stuck4: return "stuck4";
    case TransferMode::Stuck3: return "stuck3";
    case TransferMode::Silent: return "silent";
    case TransferMode::Garbage: return "garbage";
    }
    return "success";
}

std::optional<TransferMode> ParseTransferMode(std::string_view name)
{
    for (auto m : {TransferMode::Success, TransferMode::Fail, TransferMode::Stuck4,
                   TransferMode::Stuck3, TransferMode::Silent, TransferMode::Garbage})
        if (name == TransferModeName(m))
            return m;
    return std::nullopt;
}

Device::Device(DeviceConfig config, Scheduler& scheduler)
    : m_config(std::move(config)), m_sched(scheduler), m_world(m_config.ports),
      m_traits(TraitsFor(m_config.model))
{
    m_ctx.ports = m_config.ports;
    m_ctx.portListLen = m_config.ports <= 32 ? 4 : 8;
    m_ctx.agentIp = m_config.agentIp;
    m_ctx.readCommunity = m_config.readCommunity;
    m_ctx.writeCommunity = m_config.writeCommunity;
    BuildModel(m_rules);
}

Device::~Device()
{
    cancelTimers();
}

std::string Device::load()
{
    const std::string_view text =
        m_config.profileText.empty() ? BuiltinProfile() : std::string_view(m_config.profileText);
    std::string err = LoadProfile(text, m_ctx, m_profile);
    if (!err.empty())
        return "profile: " + err;
    for (const auto& name : m_config.scenarios)
        if (!m_profile.scenarios.count(name))
            return "unknown scenario " + name;
    return rebuild();
}

std::string Device::rebuild()
{
    // The saved state is checked before anything changes: one that cannot be
    // taken leaves the device as it was (and at start, serving nothing).
    std::optional<std::map<Oid, Entry>> saved;
    if (!m_config.stateFile.empty() && ::access(m_config.stateFile.c_str(), F_OK) == 0) {
        saved.emplace();
        std::string err = readStateFile(*saved);
        if (!err.empty())
            return "state file " + m_config.stateFile + ": " + err;
    }
    cancelTimers();
    transfer = Transfer{};
    m_pending.reset();
    m_pendingCommit.clear();
    m_rebooting = false;
    m_store.clear();
    for (const auto& line : m_profile.objects)
        m_store.put(line.oid, line.entry);
    m_world = World(m_config.ports);
    for (const auto& words : m_profile.world)
        m_world.apply(words);

    // What depends on the model.
    if (!m_traits.poe)
        m_store.eraseUnder(P({22}));
    if (m_store.contains(P({13, 3, 3, 0})))
        setInt(P({13, 3, 3, 0}), 100LL * m_traits.stormUnit);
    if (m_store.contains(P({22, 2, 0}))) {
        setBytes(P({22, 2, 0}), FormatTenths(m_traits.thresholdMaxTenths));
        setBytes(P({22, 4, 0}), FormatTenths(m_traits.thresholdMaxTenths));
    }

    if (saved)
        restoreConfiguration(*saved);
    for (const auto& name : m_config.scenarios) {
        std::string err = applyScenario(name);
        if (!err.empty())
            return err;
    }
    bootTime = topologyChangeTime = now();
    derive();
    m_saved = captureConfiguration();
    return {};
}

std::string Device::reset()
{
    return rebuild();
}

void Device::cancelTimers()
{
    if (transfer.timer)
        m_sched.cancel(transfer.timer);
    transfer.timer = 0;
    if (m_rebootTimer)
        m_sched.cancel(m_rebootTimer);
    m_rebootTimer = 0;
    if (scanTimer)
        m_sched.cancel(scanTimer);
    scanTimer = 0;
}

// ------------------------------------------------------------------ reading

Value Device::read(const Oid& oid, const Entry& entry) const
{
    if (m_rules.hasReaders())
        if (const Reader* r = m_rules.readerFor(oid))
            return (*r)(*this);
    return entry.value;
}

const std::pair<const Oid, Entry>* Device::next(const Oid& after, const Oid& root) const
{
    auto it = after < root ? m_store.lowerBound(root) : m_store.upperBound(after);
    if (it == m_store.end() || !IsPrefix(root, it->first))
        return nullptr;
    return &*it;
}

bool Device::isMissingInstance(const Oid& oid) const
{
    if (const TableDef* t = m_profile.schema.tableFor(oid)) {
        return oid.size() > t->entry.size() + 1 && t->column(oid[t->entry.size()]);
    }
    if (oid.size() < 2)
        return false;
    // A scalar object with another instance than .0.
    Oid scalar(oid.begin(), oid.end() - 1);
    scalar.push_back(0);
    return m_store.contains(scalar);
}

std::int64_t Device::intAt(const Oid& oid, std::int64_t fallback) const
{
    const Entry* e = m_store.find(oid);
    return e && e->value.type != Type::OctetString && e->value.type != Type::Null ? e->value.num : fallback;
}

std::string Device::bytesAt(const Oid& oid) const
{
    const Entry* e = m_store.find(oid);
    return e ? e->value.bytes : std::string();
}

void Device::setValue(const Oid& oid, Value v)
{
    if (m_store.setValue(oid, v))
        return;
    // A missing cell of a declared table takes its column's type.
    if (const TableDef* t = m_profile.schema.tableFor(oid); t && oid.size() > t->entry.size() + 1) {
        if (const ColumnDef* c = t->column(oid[t->entry.size()])) {
            m_store.put(oid, Entry{std::move(v), c->syntax, c->access});
            return;
        }
    }
}

void Device::setInt(const Oid& oid, std::int64_t v)
{
    const Entry* e = m_store.find(oid);
    Value value = e ? e->value : Value::Int(v);
    value.num = v;
    setValue(oid, std::move(value));
}

void Device::setBytes(const Oid& oid, std::string v)
{
    setValue(oid, Value::Octets(std::move(v)));
}

// ------------------------------------------------------------------ tables

std::vector<Oid> Device::rows(const TableDef& t) const
{
    std::vector<Oid> out;
    const Oid col = t.columnOid(t.columns.begin()->first);
    for (auto it = m_store.lowerBound(col); it != m_store.end() && IsPrefix(col, it->first); ++it)
        out.push_back(Tail(it->first, col.size()));
    return out;
}

bool Device::rowExists(const TableDef& t, const Oid& instance) const
{
    return m_store.contains(t.cell(t.columns.begin()->first, instance));
}

bool Device::createRow(const TableDef& t, const Oid& instance, std::int64_t status)
{
    auto index = t.decodeIndex(instance);
    if (!index)
        return false;
    for (const auto& [n, c] : t.columns) {
        auto v = t.defaultValue(c, *index, m_ctx.portListLen, m_ctx.ports);
        if (!v)
            return false;
        if (t.statusColumn && n == *t.statusColumn)
            v = Value::Int(status);
        m_store.put(t.cell(n, instance), Entry{std::move(*v), c.syntax, c.access});
    }
    return true;
}

void Device::destroyRow(const TableDef& t, const Oid& instance)
{
    for (const auto& [n, c] : t.columns)
        m_store.erase(t.cell(n, instance));
}

// ------------------------------------------------------------------ SET

SetResult Device::trySet(const std::vector<Write>& writes, int version)
{
    return run(writes, version, true);
}

SetResult Device::applySet(const std::vector<Write>& writes, int version)
{
    return run(writes, version, false);
}

void Device::commit()
{
    if (!m_pending)
        return;
    m_pending.reset();
    auto actions = std::move(m_pendingCommit);
    m_pendingCommit.clear();
    for (auto& a : actions)
        a();
}

void Device::undo()
{
    if (!m_pending)
        return;
    m_store.rollback(*m_pending);
    m_pending.reset();
    m_pendingCommit.clear();
}

namespace {

struct Target
{
    const TableDef* table = nullptr;
    const ColumnDef* column = nullptr;
    Oid instance;
    const Syntax* syntax = nullptr;
    Access access = Access::ReadOnly;
    bool exists = false;
    bool isStatus = false;
};

} // namespace

SetResult Device::run(const std::vector<Write>& requested, int version, bool dryRun)
{
    if (m_pending) // a request left pending without commit or undo: settle it first
        commit();

    const Schema& schema = m_profile.schema;
    // Instances that name the object they act on in their own way are mapped first.
    std::vector<Write> writes = requested;
    std::vector<std::vector<const Rule*>> rules(writes.size());
    for (std::size_t i = 0; i < writes.size(); ++i) {
        rules[i] = m_rules.matching(writes[i].oid);
        for (const Rule* r : rules[i])
            if (r->resolve)
                if (auto target = r->resolve(*this, writes[i].oid))
                    writes[i].oid = *target;
        if (writes[i].oid != requested[i].oid)
            rules[i] = m_rules.matching(writes[i].oid);
    }

    // Rows this request creates, so that columns written beside createAndGo or
    // createAndWait find their row.
    std::set<std::pair<const TableDef*, Oid>> creating;
    std::vector<Target> targets(writes.size());
    for (std::size_t i = 0; i < writes.size(); ++i) {
        Target& t = targets[i];
        const Oid& oid = writes[i].oid;
        const Entry* e = m_store.find(oid);
        t.table = schema.tableFor(oid);
        if (t.table && oid.size() > t.table->entry.size() + 1) {
            t.column = t.table->column(oid[t.table->entry.size()]);
            t.instance = Tail(oid, t.table->entry.size() + 1);
            t.isStatus = t.column && t.table->statusColumn && *t.table->statusColumn == t.column->number;
        }
        t.exists = e != nullptr;
        if (e) {
            t.syntax = e->syntax;
            t.access = e->access;
        } else if (t.column) {
            t.syntax = t.column->syntax;
            t.access = t.column->access;
        }
        const Value& v = writes[i].value;
        if (t.isStatus && !t.exists && v.type == Type::Integer && (v.num == 4 || v.num == 5))
            creating.insert({t.table, t.instance});
    }

    auto fail = [&](Err err, std::size_t i) { return SetResult{err, writes[i].index}; };

    std::set<std::pair<const TableDef*, Oid>> createdSoFar;
    std::map<const TableDef*, std::size_t> newRows;
    for (std::size_t i = 0; i < writes.size(); ++i) {
        const Write& w = writes[i];
        const Target& t = targets[i];
        if (w.value.type == Type::Null)
            return fail(Err::WrongType, i);
        if (!t.syntax) {
            // Nothing under this name could ever be written, or only other instances.
            return fail(isMissingInstance(w.oid) ? Err::NoCreation : Err::NotWritable, i);
        }
        if (t.access == Access::ReadOnly)
            return fail(Err::NotWritable, i);
        if (Err e = t.syntax->check(w.value, m_ctx.portListLen, m_ctx.ports); e != Err::NoError)
            return fail(e, i);
        if (t.table && !t.exists && !t.table->decodeIndex(t.instance))
            return fail(Err::NoCreation, i);
        if (t.isStatus) {
            const std::int64_t s = w.value.num;
            if (s < 1 || s > 6 || s == 3)
                return fail(Err::WrongValue, i);
            const bool exists = t.exists;
            if (!exists) {
                // v1 managers learn that an activated row does not exist.
                if (s == 1)
                    return fail(version == 1 ? Err::NoSuchName : Err::InconsistentValue, i);
                if (s == 2)
                    return fail(Err::InconsistentValue, i);
                if (s == 4 || s == 5) {
                    if (!createdSoFar.insert({t.table, t.instance}).second)
                        return fail(Err::InconsistentValue, i);
                    std::size_t& added = newRows[t.table];
                    if (t.table->maxRows && rows(*t.table).size() + added >= t.table->maxRows)
                        return fail(Err::ResourceUnavailable, i);
                    ++added;
                }
            } else {
                if (s == 4 || s == 5)
                    return fail(Err::InconsistentValue, i);
                if (s == 6 && t.table->protectedRows.count(t.instance))
                    return fail(Err::InconsistentValue, i);
            }
        } else if (t.table && !t.exists) {
            if (!t.table->statusColumn || !creating.count({t.table, t.instance}))
                return fail(Err::NoCreation, i);
        }
        for (const Rule* r : rules[i])
            if (r->value)
                if (Err e = r->value(*this, w); e != Err::NoError)
                    return fail(e, i);
    }

    // Apply: new rows, then the column values, then the status changes.
    m_store.openJournal();
    Tx tx(*this, writes, version, dryRun);
    auto rollback = [&](SetResult result) {
        m_store.rollback(m_store.closeJournal());
        return result;
    };
    for (std::size_t i = 0; i < writes.size(); ++i) {
        const Target& t = targets[i];
        if (t.isStatus && !t.exists && (writes[i].value.num == 4 || writes[i].value.num == 5)) {
            if (!createRow(*t.table, t.instance, writes[i].value.num == 4 ? 1 : 3))
                return rollback(fail(Err::NoCreation, i));
            tx.created.push_back({t.table, t.instance});
        }
    }
    for (std::size_t i = 0; i < writes.size(); ++i) {
        const Target& t = targets[i];
        if (t.isStatus || schema.isCommand(writes[i].oid))
            continue;
        Value v = writes[i].value;
        for (const Rule* r : rules[i])
            if (r->normalize)
                v = r->normalize(*this, Write{writes[i].oid, v, writes[i].index});
        const Entry* e = m_store.find(writes[i].oid);
        m_store.put(writes[i].oid, Entry{std::move(v), t.syntax, e ? e->access : t.access});
    }
    for (std::size_t i = 0; i < writes.size(); ++i) {
        const Target& t = targets[i];
        if (!t.isStatus || !t.exists)
            continue;
        const std::int64_t s = writes[i].value.num;
        if (s == 6) {
            destroyRow(*t.table, t.instance);
            tx.destroyed.push_back({t.table, t.instance});
        } else if (rowExists(*t.table, t.instance)) {
            setInt(writes[i].oid, s);
        }
    }
    // A row made with createAndWait has every column by now: it becomes notInService.
    for (const auto& [table, instance] : tx.created) {
        const Oid status = table->cell(*table->statusColumn, instance);
        if (intAt(status) == 3)
            setInt(status, 2);
    }

    for (std::size_t i = 0; i < writes.size(); ++i)
        for (const Rule* r : rules[i])
            if (r->state)
                if (Err e = r->state(tx, writes[i]); e != Err::NoError)
                    return rollback(fail(e, i));

    for (const auto& [table, instance] : tx.destroyed)
        if (auto* hooks = m_rules.destroyedHooks(table->entry))
            for (const auto& h : *hooks)
                h(tx, instance);
    for (std::size_t i = 0; i < writes.size(); ++i) {
        for (const Rule* r : rules[i])
            if (r->effect) {
                r->effect(tx, writes[i]);
                if (tx.failure != Err::NoError)
                    return rollback(fail(tx.failure, i));
            }
    }
    derive();

    if (dryRun)
        return rollback(SetResult{});
    m_pending = m_store.closeJournal();
    m_pendingCommit = std::move(tx.commitActions);
    return SetResult{};
}

// ------------------------------------------------------------------ derived objects

void Device::derive()
{
    for (const auto& step : m_rules.deriveSteps())
        step(*this);
}

void Device::change(const std::function<void()>& fn)
{
    if (m_pending)
        commit();
    fn();
    derive();
}

// ------------------------------------------------------------------ control

std::vector<std::string> Device::scenarioNames() const
{
    std::vector<std::string> out;
    for (const auto& [name, sc] : m_profile.scenarios)
        out.push_back(name);
    return out;
}

std::string Device::applyScenario(const std::string& name)
{
    auto it = m_profile.scenarios.find(name);
    if (it == m_profile.scenarios.end())
        return "unknown scenario " + name;
    change([&] {
        for (const auto& line : it->second.objects)
            m_store.put(line.oid, line.entry);
        for (const auto& words : it->second.world)
            m_world.apply(words);
    });
    return {};
}

std::string Device::worldCommand(const std::vector<std::string>& words)
{
    std::string err;
    change([&] { err = m_world.apply(words); });
    return err;
}

std::string Device::forceSet(const std::vector<std::string>& words)
{
    if (words.size() != 4)
        return "usage: set OID TYPE ACCESS VALUE";
    auto oid = ParseOid(words[0]);
    if (!oid)
        return "bad OID " + words[0];
    const bool served = std::any_of(schema().roots.begin(), schema().roots.end(),
                                    [&](const Oid& r) { return IsPrefix(r, *oid); });
    if (!served)
        return FormatOid(*oid) + " is not under a served subtree";
    Entry e;
    std::string err = MakeEntry(*oid, words[1], words[2], words[3], m_profile.schema, m_ctx, e);
    if (!err.empty())
        return err;
    change([&] { m_store.put(*oid, std::move(e)); });
    return {};
}

std::string Device::forceErase(const Oid& oid)
{
    if (!m_store.contains(oid))
        return "no object " + FormatOid(oid);
    change([&] { m_store.erase(oid); });
    return {};
}

std::vector<std::string> Device::dump(const Oid& prefix) const
{
    std::vector<std::string> out;
    for (auto it = m_store.lowerBound(prefix); it != m_store.end() && IsPrefix(prefix, it->first); ++it) {
        Entry e = it->second;
        e.value = read(it->first, it->second);
        out.push_back(FormatObjectLine(it->first, e));
    }
    return out;
}

void Device::setClock(std::time_t simulatedNow)
{
    m_clockOffset = simulatedNow - std::time(nullptr);
    derive();
}

std::time_t Device::clock() const
{
    return std::time(nullptr) + m_clockOffset;
}

// ------------------------------------------------------------------ saved configuration

bool Device::persistent(const Oid& oid, const Entry& e) const
{
    if (m_profile.schema.isVolatile(oid))
        return false;
    if (const TableDef* t = m_profile.schema.tableFor(oid)) {
        switch (t->persist) {
        case TableDef::Persist::None: return false;
        case TableDef::Persist::Rows: return true;
        case TableDef::Persist::Objects: break;
        }
    }
    return e.access != Access::ReadOnly;
}

std::map<Oid, Entry> Device::captureConfiguration() const
{
    std::map<Oid, Entry> out;
    for (const auto& [oid, e] : m_store)
        if (persistent(oid, e))
            out.emplace_hint(out.end(), oid, e);
    return out;
}

void Device::restoreConfiguration(const std::map<Oid, Entry>& config)
{
    std::vector<Oid> doomed;
    for (const auto& [oid, e] : m_store)
        if (persistent(oid, e) && !config.count(oid))
            doomed.push_back(oid);
    for (const auto& oid : doomed)
        m_store.erase(oid);
    for (const auto& [oid, e] : config)
        m_store.put(oid, e);
}

std::string Device::readStateFile(std::map<Oid, Entry>& out)
{
    std::string text;
    std::string err = ReadRegularFile(m_config.stateFile, kMaxStateBytes, text);
    if (!err.empty())
        return err;
    // What a state line may hold: the objects of the profile and the cells of
    // its tables, with their declared type, access and range.
    std::map<Oid, const Entry*> factory;
    for (const auto& line : m_profile.objects)
        factory[line.oid] = &line.entry;
    Schema& schema = m_profile.schema;
    auto check = [&](ObjectLine& obj) -> std::string {
        if (!schema.serves(obj.oid))
            return FormatOid(obj.oid) + " is not under a served subtree";
        const Syntax* syntax = nullptr;
        Access access = Access::ReadOnly;
        const TableDef* t = schema.tableFor(obj.oid);
        if (t && obj.oid.size() > t->entry.size() + 1) {
            const ColumnDef* c = t->column(obj.oid[t->entry.size()]); // the parser found it
            syntax = c->syntax;
            access = c->access;
        } else if (auto it = factory.find(obj.oid); it != factory.end()) {
            syntax = it->second->syntax;
            access = it->second->access;
        } else {
            return FormatOid(obj.oid) + " is no object of the profile";
        }
        if (obj.entry.syntax->type() != syntax->type())
            return FormatOid(obj.oid) + ": type differs from the profile's " + syntax->text();
        if (obj.entry.access != access)
            return FormatOid(obj.oid) + ": access differs from the profile's";
        if (Err e = syntax->check(obj.entry.value, m_ctx.portListLen, m_config.ports); e != Err::NoError)
            return FormatOid(obj.oid) + ": value does not fit " + syntax->text() + " (" + ErrName(e) + ")";
        obj.entry.syntax = syntax;
        return {};
    };

    std::string_view rest = text;
    for (int lineNo = 1; !rest.empty(); ++lineNo) {
        const auto nl = rest.find('\n');
        const std::string line(rest.substr(0, nl));
        rest.remove_prefix(nl == std::string_view::npos ? rest.size() : nl + 1);
        if (line.empty() || line[0] == '#') {
            const std::string tag = "# ports ";
            if (line.rfind(tag, 0) == 0 && std::to_string(m_config.ports) != line.substr(tag.size()))
                return "saved for " + line.substr(tag.size()) + " ports, running with " +
                       std::to_string(m_config.ports);
            continue;
        }
        ObjectLine obj;
        err = ParseObjectLine(line, schema, m_ctx, obj);
        if (err.empty())
            err = check(obj);
        if (!err.empty())
            return "line " + std::to_string(lineNo) + ": " + err;
        out[obj.oid] = obj.entry;
    }
    // Taken as it stands, an empty state would drop every saved object, VLAN 1
    // included.
    if (out.empty())
        return "holds no objects";
    return {};
}

std::string Device::writeStateFile(const std::map<Oid, Entry>& config) const
{
    // A fresh file of our own beside the target, never one somebody left there
    // (a link at "<state>.tmp" would be written through); it keeps the target's
    // mode, for it holds the communities.
    std::string tmp = m_config.stateFile + ".tmp.XXXXXX";
    const int fd = ::mkstemp(tmp.data());
    if (fd < 0)
        return std::strerror(errno);
    struct stat st = {};
    const mode_t mode = ::stat(m_config.stateFile.c_str(), &st) == 0 ? st.st_mode & 07777 : 0600;
    FILE* f = ::fchmod(fd, mode) == 0 ? ::fdopen(fd, "w") : nullptr;
    if (!f) {
        const std::string err = std::strerror(errno);
        ::close(fd);
        ::unlink(tmp.c_str());
        return err;
    }
    std::fprintf(f, "# kxsim saved configuration\n# model %s\n# ports %d\n", m_config.model.c_str(),
                 m_config.ports);
    for (const auto& [oid, e] : config)
        std::fprintf(f, "%s\n", FormatObjectLine(oid, e).c_str());
    bool ok = std::fflush(f) == 0 && ::fsync(fileno(f)) == 0;
    ok = std::fclose(f) == 0 && ok;
    // The rename makes the new state appear whole or not at all.
    if (!ok || std::rename(tmp.c_str(), m_config.stateFile.c_str()) != 0) {
        std::string err = std::strerror(errno);
        ::unlink(tmp.c_str());
        return err;
    }
    return {};
}

std::string Device::saveConfiguration()
{
    auto config = captureConfiguration();
    if (!m_config.stateFile.empty()) {
        std::string err = writeStateFile(config);
        if (!err.empty())
            return err;
    }
    m_saved = std::move(config);
    return {};
}

void Device::reboot()
{
    cancelTimers();
    transfer = Transfer{};
    const double downtime = m_config.timing.scaled(m_config.timing.rebootDowntime);
    m_rebooting = true;
    change([&] {
        restoreConfiguration(m_saved);
        for (const Oid& o : {P({3, 4, 0}), P({3, 8, 0})})
            if (m_store.contains(o))
                setInt(o, 0);
        if (m_store.contains(P({14, 10, 7, 0})))
            setInt(P({14, 10, 7, 0}), 2);
    });
    m_rebootTimer = m_sched.after(downtime, [this] {
        m_rebootTimer = 0;
        m_rebooting = false;
        bootTime = topologyChangeTime = now();
        change([] {});
        if (onRebooted)
            onRebooted();
    });
}

} // namespace kxsim
