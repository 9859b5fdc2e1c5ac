#pragma once

// The simulated switch: the store seeded from the profile, the rules of the
// device model, the simulated world, the saved configuration and the timed
// behaviours. Everything runs on the agent's one thread.

#include "sim/Profile.h"
#include "sim/Rules.h"
#include "sim/World.h"

#include <ctime>
#include <functional>
#include <memory>

namespace kxsim {

class Scheduler
{
public:
    virtual ~Scheduler() = default;
    virtual double now() const = 0; // seconds, monotonic
    virtual std::uint64_t after(double seconds, std::function<void()> fn) = 0;
    virtual void cancel(std::uint64_t id) = 0;
};

// What differs between the models the module knows.
struct ModelTraits
{
    std::string name;
    bool poe = true;
    int stormUnit = 63;            // Kbit/s per storm-control step
    int thresholdMaxTenths = 720;  // PoE system power threshold, upper limit
};
ModelTraits TraitsFor(const std::string& model);

// Durations of the simulated device in seconds; scale > 1 makes them shorter.
struct Timing
{
    double scale = 1.0;
    double prepare = 2.0;
    double firmwareRun = 8.0;
    double configRun = 4.0;
    double rebootDowntime = 5.0;
    double scan = 0.5;
    double scaled(double seconds) const { return seconds / scale; }
};

struct DeviceConfig
{
    std::string model = "KX-A1 R2";
    int ports = 8;
    std::string profileText; // empty: the built-in profile
    std::string readCommunity = "qolvat";
    std::string writeCommunity = "merudos";
    std::uint32_t agentIp = 0x7f000001;
    std::string stateFile;
    std::vector<std::string> scenarios;
    Timing timing;
};

struct SetResult
{
    Err err = Err::NoError;
    int index = 0; // 1-based binding the error belongs to
};

enum class TransferMode { Success, Fail, Stuck4, Stuck3, Silent, Garbage };
const char* TransferModeName(TransferMode m);
std::optional<TransferMode> ParseTransferMode(std::string_view name);

class Device
{
public:
    Device(DeviceConfig config, Scheduler& scheduler);
    ~Device();
    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;

    // Reads the profile, the saved state and the start-up scenarios. Returns
    // an error text, empty on success.
    std::string load();

    // ---- reading
    const Entry* get(const Oid& oid) const { return m_store.find(oid); }
    Value read(const Oid& oid, const Entry& entry) const;
    // The first object after `after` that lies under root, or nullptr.
    const std::pair<const Oid, Entry>* next(const Oid& after, const Oid& root) const;
    // For a missing object: true when it names an instance of a known object
    // (noSuchInstance), false when the object itself is unknown (noSuchObject).
    bool isMissingInstance(const Oid& oid) const;

    // ---- writing, in the phases of an SNMP SET
    SetResult trySet(const std::vector<Write>& writes, int version); // validates, changes nothing
    SetResult applySet(const std::vector<Write>& writes, int version); // applies, pending
    void commit();
    void undo();

    // ---- control
    std::string applyScenario(const std::string& name);
    std::vector<std::string> scenarioNames() const;
    std::string worldCommand(const std::vector<std::string>& words);
    // Writes an object directly, bypassing the rules: "OID TYPE ACCESS VALUE" words.
    std::string forceSet(const std::vector<std::string>& words);
    std::string forceErase(const Oid& oid);
    std::string reset();
    std::vector<std::string> dump(const Oid& prefix) const;
    std::string saveConfiguration();
    void reboot();
    void setClock(std::time_t simulatedNow);
    std::time_t clock() const;
    bool rebooting() const { return m_rebooting; }

    // ---- services for the model rules
    const Schema& schema() const { return m_profile.schema; }
    Store& store() { return m_store; }
    const Store& store() const { return m_store; }
    World& world() { return m_world; }
    const World& world() const { return m_world; }
    const ModelTraits& traits() const { return m_traits; }
    int ports() const { return m_config.ports; }
    std::size_t portListLen() const { return m_ctx.portListLen; }
    Scheduler& scheduler() { return m_sched; }
    const Timing& timing() const { return m_config.timing; }
    double now() const { return m_sched.now(); }

    std::int64_t intAt(const Oid& oid, std::int64_t fallback = 0) const;
    std::string bytesAt(const Oid& oid) const;
    // Replace the value of an existing object (creating a table cell from its
    // column when needed). Journaled while a request is being applied.
    void setValue(const Oid& oid, Value v);
    void setInt(const Oid& oid, std::int64_t v);
    void setBytes(const Oid& oid, std::string v);

    const TableDef* table(const Oid& entry) const { return m_profile.schema.table(entry); }
    std::vector<Oid> rows(const TableDef& t) const;
    bool rowExists(const TableDef& t, const Oid& instance) const;
    // Creates a row with its column defaults; status is the row-status value
    // to store (ignored for tables without one).
    bool createRow(const TableDef& t, const Oid& instance, std::int64_t status = 1);
    void destroyRow(const TableDef& t, const Oid& instance);

    // Recomputes every derived object.
    void derive();
    // Runs fn, then derives; for changes from the control channel and timers.
    void change(const std::function<void()>& fn);

    // The running configuration: every writable object worth saving.
    std::map<Oid, Entry> captureConfiguration() const;
    void restoreConfiguration(const std::map<Oid, Entry>& config);

    // ---- hooks the agent fills in
    // No hook for the downtime: while rebooting() holds, the agent's
    // DropEverything() drops every request.
    std::function<void()> onRebooted; // the device is back

    // ---- state of the timed behaviours (kept here so a reboot can clear it)
    struct Transfer
    {
        bool running = false;
        int kind = 0; // 1 firmware, 2 configuration
        std::uint64_t timer = 0;
    } transfer;
    TransferMode transferMode = TransferMode::Success;
    bool upgradeReboots = false;
    double bootTime = 0;
    double topologyChangeTime = 0;
    struct FdbCache
    {
        std::uint64_t version = ~0ULL;
        std::uint64_t discards = ~0ULL; // Store::discards() at the last pass
        std::vector<bool> links;
    } fdbCache;
    std::uint64_t scanTimer = 0;

private:
    SetResult run(const std::vector<Write>& writes, int version, bool dryRun);
    std::string rebuild();
    std::string readStateFile(std::map<Oid, Entry>& out);
    std::string writeStateFile(const std::map<Oid, Entry>& config) const;
    bool persistent(const Oid& oid, const Entry& e) const;
    void cancelTimers();

    DeviceConfig m_config;
    Scheduler& m_sched;
    ProfileContext m_ctx;
    Profile m_profile;
    Store m_store;
    World m_world;
    Rules m_rules;
    ModelTraits m_traits;
    std::map<Oid, Entry> m_saved;
    std::optional<Store::Journal> m_pending;
    std::vector<std::function<void()>> m_pendingCommit;
    std::time_t m_clockOffset = 0;
    bool m_rebooting = false;
    std::uint64_t m_rebootTimer = 0;
};

} // namespace kxsim
