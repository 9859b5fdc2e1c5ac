#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace kx {

// An event that stays signalled until reset.
class ManualResetEvent
{
public:
    explicit ManualResetEvent(bool signalled) : m_signalled(signalled) {}

    void set()
    {
        {
            std::lock_guard lock(m_mutex);
            m_signalled = true;
        }
        m_cv.notify_all();
    }

    void reset()
    {
        std::lock_guard lock(m_mutex);
        m_signalled = false;
    }

    bool isSet() const
    {
        std::lock_guard lock(m_mutex);
        return m_signalled;
    }

    // Negative milliseconds wait without limit.
    bool wait(int milliseconds) const
    {
        std::unique_lock lock(m_mutex);
        if (milliseconds < 0) {
            m_cv.wait(lock, [this] { return m_signalled; });
            return true;
        }
        return m_cv.wait_for(lock, std::chrono::milliseconds(milliseconds),
                             [this] { return m_signalled; });
    }

private:
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_cv;
    bool m_signalled;
};

// A session's "idle" state taken and given back as a whole: waiting for idle and
// marking busy happen in one step, so two threads never both pass.
class IdleGate
{
public:
    void acquire()
    {
        std::unique_lock lock(m_mutex);
        m_cv.wait(lock, [this] { return !m_busy; });
        m_busy = true;
    }

    bool tryAcquireFor(int milliseconds)
    {
        std::unique_lock lock(m_mutex);
        if (!m_cv.wait_for(lock, std::chrono::milliseconds(milliseconds), [this] { return !m_busy; }))
            return false;
        m_busy = true;
        return true;
    }

    void release()
    {
        {
            std::lock_guard lock(m_mutex);
            m_busy = false;
        }
        m_cv.notify_one();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_cv;
    bool m_busy = false;
};

class IdleGuard
{
public:
    explicit IdleGuard(IdleGate& gate) : m_gate(gate) { m_gate.acquire(); }
    ~IdleGuard() { m_gate.release(); }
    IdleGuard(const IdleGuard&) = delete;
    IdleGuard& operator=(const IdleGuard&) = delete;

private:
    IdleGate& m_gate;
};

} // namespace kx
