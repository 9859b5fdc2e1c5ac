#include "core/panel/CPanelDeviceThread.h"

#include "core/panel/PanelDevice.h"
#include "base/Trace.h"

#include <chrono>

namespace kx {

PanelPollTiming PanelPollTiming::ForVersion(const std::string& snmpVersion)
{
    PanelPollTiming t;
    t.stepMs = snmpVersion == "1" ? 500 : 1000;
    return t;
}

CPanelDeviceThread::~CPanelDeviceThread()
{
    stop();
    join();
}

bool CPanelDeviceThread::start()
{
    if (m_thread.joinable())
        return false;
    m_stop.store(false);
    m_exited.reset();
    m_thread = std::thread([this] { run(); });
    return true;
}

void CPanelDeviceThread::stop()
{
    {
        std::lock_guard lock(m_waitMutex);
        m_stop.store(true);
    }
    m_wake.notify_all();
    if (m_pOwner)
        m_pOwner->stopRequests();
}

void CPanelDeviceThread::join()
{
    if (m_thread.joinable() && m_thread.get_id() != std::this_thread::get_id())
        m_thread.join();
}

bool CPanelDeviceThread::pause(int ms)
{
    std::unique_lock lock(m_waitMutex);
    return !m_wake.wait_for(lock, std::chrono::milliseconds(ms), [this] { return m_stop.load(); });
}

int CPanelDeviceThread::run()
{
    if (!m_pOwner)
        return -1;
    PanelDevice& owner = *m_pOwner;
    const int step = m_timing.stepMs > 0 ? m_timing.stepMs : PanelPollTiming::ForVersion("1").stepMs;
    int lastPoeResult = 0;
    while (!stopRequested()) {
        if (!pause(m_timing.sleepMs))
            break;
        ++m_cycles;
        if (!owner.dialogOpen()) {
            if (owner.config().isHasFan && !stopRequested()) {
                owner.probe();
                owner.readFan();
            }
            if (owner.isPoeModel() && !stopRequested()) {
                owner.probe();
                lastPoeResult = owner.readPoeBudget();
            }
            if (!stopRequested()) {
                Trace("m_pOwner->GetDevStatus()");
                owner.probe();
                owner.startStatusWalk();
            }
        }
        const int steps = PanelPollTiming::StepsAfter(lastPoeResult);
        for (int i = 0; i < steps; ++i)
            if (stopRequested() || !pause(step))
                break;
    }
    m_exited.set();
    return 0;
}

} // namespace kx
