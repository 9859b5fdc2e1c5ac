#pragma once

// The panel's side of the device, without widgets: the six sessions the panel
// window owns, the operations the status polling calls on them (probe, fan,
// PoE budget, status walk), the walk callback with its evaluation, and Save.
//
// Threads. probe(), readFan(), readPoeBudget() and startStatusWalk() run on the
// polling thread; the walk callback on the session's engine or worker thread;
// saveConfiguration(), stopRequests() and closeSessions() on the UI thread. The
// callback never reaches the window: each ended walk becomes one
// PanelStatusSnapshot handed by value to the sink, which the window sets to a
// queued call.

#include "core/panel/PanelStatus.h"
#include "snmp/CCommonSNMP.h"

#include <QString>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>

namespace kx {

namespace panel_oid {
inline constexpr const char* kProbe = "1.3.6.1.4.1.99999.10.75.13.25.1";
inline constexpr const char* kFanStatus = "1.3.6.1.4.1.99999.10.75.13.1.15.1";
inline constexpr const char* kPoeBudget = "1.3.6.1.4.1.99999.10.75.13.22.6";
inline constexpr const char* kReboot = "1.3.6.1.4.1.99999.10.75.13.1.9";
inline constexpr const char* kSaveConfiguration = "1.3.6.1.4.1.99999.10.75.13.1.10";
inline constexpr const char* kIfType = "1.3.6.1.2.1.2.2.1.3";
inline constexpr const char* kIfSpeed = "1.3.6.1.2.1.2.2.1.5";
inline constexpr const char* kIfAdminStatus = "1.3.6.1.2.1.2.2.1.7";
inline constexpr const char* kIfOperStatus = "1.3.6.1.2.1.2.2.1.8";
inline constexpr const char* kPortValue = "1.3.6.1.4.1.99999.10.75.13.1.13.1.7";
inline constexpr const char* kPoePortStatus = "1.3.6.1.4.1.99999.10.75.13.22.1.1.13";
// Bindings whose OID contains this were answered by a proxy, not the switch.
inline constexpr const char* kProxyAnswer = "1.3.6.1.4.1.99999.7777.1.";
} // namespace panel_oid

// Time-outs of the panel's requests, in milliseconds.
inline constexpr int kProbeTimeoutMs = 1000;
inline constexpr int kFanTimeoutMs = 500;
inline constexpr int kPoeBudgetTimeoutMs = 5000;
inline constexpr int kWalkFirstStepTimeoutMs = 5000;
inline constexpr int kWalkStepTimeoutMs = 1000;
inline constexpr int kSaveTimeoutMs = 4000;

struct PanelDeviceConfig
{
    QString deviceName;
    int portCount = 28; // DevicePortNum
    bool isAllGiga = false;
    bool isHasFan = false;
};

// One answered row of the status walk from its bindings (OID, value) in column
// order. A binding a proxy answered in the agent's place is passed over: its
// column stays empty, and no other binding moves into its place.
StatusRow DecodeStatusRow(const std::vector<std::pair<std::string, std::string>>& bindings);

class PanelDevice
{
public:
    using SnapshotSink = std::function<void(PanelStatusSnapshot)>;

    explicit PanelDevice(const PanelDeviceConfig& config);
    ~PanelDevice();
    PanelDevice(const PanelDevice&) = delete;
    PanelDevice& operator=(const PanelDevice&) = delete;

    // Replaces the configuration (model, port count) before polling starts.
    void configure(const PanelDeviceConfig& config);
    const PanelDeviceConfig& config() const { return m_config; }
    bool isPoeModel() const { return m_isPoeModel; }

    // Receives every snapshot, on the thread that ended the walk. Set before
    // polling starts.
    void setSnapshotSink(SnapshotSink sink) { m_sink = std::move(sink); }

    // Reachability probe: true when the agent answered within 1000 ms.
    bool probe();
    // Fan status "1"/"2" from the agent; left as it was when the request fails.
    void readFan();
    // The PoE budget: -1 when skipped because a walk is still running (at most
    // three times in a row), else 0.
    int readPoeBudget();
    // Starts the status walk. False when it was not started, among others
    // because the previous walk is still running: its callbacks would append to
    // rows a new walk empties.
    bool startStatusWalk();

    // Written by the UI thread around every menu dialog; polling pauses while set.
    void setDialogOpen(bool open) { m_dialogOpen.store(open); }
    bool dialogOpen() const { return m_dialogOpen.load(); }

    bool walkRunning() const { return m_walkRunning.load(); }
    bool walkInProgress() const { return m_walkInProgress.load(); }
    bool agentAnswered() const { return m_agentAnswered.load(); }
    bool powMax() const { return m_BIsPowMax.load(); }
    int fanStatus() const { return m_fanStatus.load(); }
    int rowsReceived() const { return m_rowCount.load(); }

    // Abandons the requests in flight and refuses new ones: polling is ending.
    void stopRequests();
    bool stopping() const;

    // Save configuration on m_cCommonSNMPset: true only when the answer arrived
    // and its error status is 0 (an agent that refuses answers with an error).
    bool saveConfiguration();

    // Closes the six sessions in the window's order, each followed by its trace
    // line, after "==================DestroyWindow===============". Once only.
    void closeSessions();

private:
    static void snmpTable4wCBFun(std::unique_ptr<CSnmp> response, int requestId, void* context,
                                 int status);
    void handleRow(const CSnmp& response);
    void finishWalk(PanelStatusSnapshot::Kind kind);
    void endWalkWithoutSnapshot();
    // Opens `session` for a get of `oid` unless polling is stopping.
    bool openGet(CCommonSNMP& session, const std::string& oid);

    PanelDeviceConfig m_config;
    bool m_isPoeModel;
    SnapshotSink m_sink;

    std::mutex m_modelMutex;
    PanelStatusModel m_model;
    std::uint64_t m_sequence = 0;

    mutable std::mutex m_requestMutex;
    bool m_stopping = false;
    bool m_closed = false;

    std::atomic<bool> m_dialogOpen{false};
    std::atomic<bool> m_walkRunning{false};
    std::atomic<bool> m_walkInProgress{false};
    std::atomic<bool> m_agentAnswered{false};
    std::atomic<bool> m_BIsPowMax{false};
    std::atomic<int> m_fanStatus{FanNormal};
    std::atomic<int> m_rowCount{0};
    int m_skipCounter = 0; // polling thread only

public:
    // Declared last: destroyed first, so that no callback outlives the state above.
    CCommonSNMP m_cCommonSNMP;        // reachability probe
    CCommonSNMP m_cCommonSNMPset;     // Save configuration
    CCommonSNMP m_cCommonSNMPFan;     // fan status
    CCommonSNMP m_cCommonSNMPDevStat; // port status walk
    CCommonSNMP m_cCommonSNMPPoe;     // PoE budget
    CCommonSNMP m_cCommonSNMPPoeStat; // kept for its place in the closing order: the PoE
                                      // column rides on the port status walk
};

// The reboot command: its own session, one set, the answer discarded.
class RebootCommand
{
public:
    // Sends the reboot set with the session's default time-out. The result is
    // for tests; the panel shows nothing either way.
    int run();

private:
    CCommonSNMP m_cCommonSNMP;
};

} // namespace kx
