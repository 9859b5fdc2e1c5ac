#pragma once

// Shared by the panel's tests against the simulator.

#include "core/panel/PanelStatus.h"
#include "common/SessionSettings.h"
#include "tests/support/KxSimFixture.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <vector>

namespace kxapptest {

// Collects the snapshots a PanelDevice hands out, on whatever thread.
class SnapshotCollector
{
public:
    void add(kx::PanelStatusSnapshot s)
    {
        {
            std::lock_guard lock(m_mutex);
            m_snapshots.push_back(std::move(s));
        }
        m_cv.notify_all();
    }

    std::size_t count() const
    {
        std::lock_guard lock(m_mutex);
        return m_snapshots.size();
    }

    // The first snapshot after the first `seen` ones that satisfies `accept`.
    template<class Pred>
    std::optional<kx::PanelStatusSnapshot> waitFor(std::size_t seen, Pred accept, std::chrono::milliseconds timeout)
    {
        std::unique_lock lock(m_mutex);
        std::optional<kx::PanelStatusSnapshot> found;
        m_cv.wait_for(lock, timeout, [&] {
            for (std::size_t i = seen; i < m_snapshots.size(); ++i)
                if (accept(m_snapshots[i])) {
                    found = m_snapshots[i];
                    return true;
                }
            return false;
        });
        return found;
    }

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_cv;
    std::vector<kx::PanelStatusSnapshot> m_snapshots;
};

inline bool Evaluated(const kx::PanelStatusSnapshot& s)
{
    return s.kind == kx::PanelStatusSnapshot::Kind::Evaluated;
}

// The OIDs of a logged request, joined by blanks.
inline std::string Oids(const kxsim::LoggedRequest& r)
{
    std::string out;
    for (const auto& b : r.bindings)
        out += (out.empty() ? "" : " ") + b.oid;
    return out;
}

} // namespace kxapptest
