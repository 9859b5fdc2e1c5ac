#include "sim/EventLoop.h"

#include <chrono>

namespace kxsim {

namespace {

double Seconds()
{
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

} // namespace

EventLoop::EventLoop() : m_start(Seconds()) {}

double EventLoop::now() const
{
    return Seconds() - m_start;
}

std::uint64_t EventLoop::after(double seconds, std::function<void()> fn)
{
    const std::uint64_t id = m_nextId++;
    const double due = now() + (seconds > 0 ? seconds : 0);
    m_timers[id] = Timer{due, id, std::move(fn)};
    m_queue.emplace(due, id);
    return id;
}

void EventLoop::cancel(std::uint64_t id)
{
    m_timers.erase(id); // its queue slot is skipped when it comes up
}

void EventLoop::watch(int fd, std::function<void()> onReadable)
{
    m_watched[fd] = std::move(onReadable);
}

void EventLoop::unwatch(int fd)
{
    m_watched.erase(fd);
}

void EventLoop::dispatch(int fd)
{
    auto it = m_watched.find(fd);
    if (it == m_watched.end())
        return;
    auto fn = it->second; // the handler may unwatch itself
    fn();
}

double EventLoop::nextTimerIn(double cap) const
{
    for (const auto& [due, id] : m_queue) {
        if (!m_timers.count(id))
            continue;
        const double left = due - now();
        return left < 0 ? 0 : (left < cap ? left : cap);
    }
    return cap;
}

void EventLoop::runDueTimers()
{
    const double t = now();
    while (!m_queue.empty() && m_queue.begin()->first <= t) {
        const std::uint64_t id = m_queue.begin()->second;
        m_queue.erase(m_queue.begin());
        auto it = m_timers.find(id);
        if (it == m_timers.end())
            continue;
        auto fn = std::move(it->second.fn);
        m_timers.erase(it);
        fn();
    }
}

} // namespace kxsim
