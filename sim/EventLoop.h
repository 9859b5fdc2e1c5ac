#pragma once

// Timers and watched descriptors of the simulator's single thread. The agent
// runs the loop together with net-snmp's own sockets and alarms.

#include "sim/Device.h"

#include <functional>
#include <map>

namespace kxsim {

class EventLoop : public Scheduler
{
public:
    EventLoop();

    double now() const override;
    std::uint64_t after(double seconds, std::function<void()> fn) override;
    void cancel(std::uint64_t id) override;

    void watch(int fd, std::function<void()> onReadable);
    void unwatch(int fd);
    const std::map<int, std::function<void()>>& watched() const { return m_watched; }
    void dispatch(int fd);

    // Seconds until the next timer (or `cap` when there is none sooner).
    double nextTimerIn(double cap) const;
    void runDueTimers();

private:
    struct Timer
    {
        double due;
        std::uint64_t id;
        std::function<void()> fn;
    };
    double m_start;
    std::uint64_t m_nextId = 1;
    std::multimap<double, std::uint64_t> m_queue;
    std::map<std::uint64_t, Timer> m_timers;
    std::map<int, std::function<void()>> m_watched;
};

} // namespace kxsim
