#pragma once

// The status polling thread of the panel: in each cycle it probes the agent,
// reads the fan (models with a fan), reads the PoE budget (PoE models) and
// starts one status walk, then waits. Nothing here touches a widget; results
// reach the window as snapshots (PanelDevice).
//
// Stopping is cooperative: stop() wakes every wait and abandons the request in
// flight, and join() waits for the loop to return. The thread is never killed.

#include "snmp/SyncPrimitives.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace kx {

class PanelDevice;

// The cycle's timing: a sleep, then the requests, then 10 steps (2 after a
// skipped PoE budget read).
struct PanelPollTiming
{
    int sleepMs = 500;
    int stepMs = 0; // 0: the SNMPv1 step (the window fills in its version's)

    // The timing the session settings call for.
    static PanelPollTiming ForVersion(const std::string& snmpVersion);
    // The steps waited after a cycle's requests: fewer after a skipped PoE read
    // (its result -1), so that the skipped read comes again soon.
    static int StepsAfter(int lastPoeResult) { return lastPoeResult == -1 ? 2 : 10; }
    // A whole cycle without the requests' own time.
    int cycleMs(int lastPoeResult) const { return sleepMs + StepsAfter(lastPoeResult) * stepMs; }
};

class CPanelDeviceThread
{
public:
    CPanelDeviceThread() = default;
    ~CPanelDeviceThread();
    CPanelDeviceThread(const CPanelDeviceThread&) = delete;
    CPanelDeviceThread& operator=(const CPanelDeviceThread&) = delete;

    // Set once before start().
    void setOwner(PanelDevice* owner) { m_pOwner = owner; }
    void setTiming(const PanelPollTiming& timing) { m_timing = timing; }
    const PanelPollTiming& timing() const { return m_timing; }

    // Runs run() on a new thread. False when it already runs.
    bool start();
    // Sets the stop flag, wakes the waits and abandons the owner's requests.
    void stop();
    // Waits for the loop to end.
    void join();
    // The base event: signalled when the loop has ended.
    bool waitExited(int milliseconds) const { return m_exited.wait(milliseconds); }

    // The loop: -1 at once without an owner; otherwise cycles until stopped,
    // signals the base event and returns 0.
    int run();

    int cyclesStarted() const { return m_cycles.load(); }

private:
    // Waits `ms` unless stopped meanwhile; false when stopped.
    bool pause(int ms);
    bool stopRequested() const { return m_stop.load(); }

    PanelDevice* m_pOwner = nullptr;
    PanelPollTiming m_timing;
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_cycles{0};
    std::mutex m_waitMutex;
    std::condition_variable m_wake;
    ManualResetEvent m_exited{false};
    std::thread m_thread;
};

} // namespace kx
