// Status polling against the simulated switch, without a window: what one
// walk reads and derives, the budget read and its throttle, a lost device, the
// requests each model sends, and how polling ends.

#include "core/panel/CPanelDeviceThread.h"
#include "core/panel/PanelDevice.h"
#include "core/panel/PanelItems.h"
#include "tests/panel/AppTestSupport.h"

#include <gtest/gtest.h>

#include <set>

using namespace std::chrono_literals;
using kx::PanelDevice;
using kx::PanelDeviceConfig;
using kx::PanelStatusSnapshot;
using kxapptest::Evaluated;
using kxapptest::SnapshotCollector;

namespace {

const std::string kIfTable = "1.3.6.1.2.1.2.2.1";
const std::string kProbe = "1.3.6.1.4.1.99999.10.75.13.25.1.0";
const std::string kFan = "1.3.6.1.4.1.99999.10.75.13.1.15.1.0";
const std::string kBudget = "1.3.6.1.4.1.99999.10.75.13.22.6.0";

class PanelPolling : public ::testing::Test
{
protected:
    // Starts the simulator and a PanelDevice for `config` whose snapshots are collected.
    void start(std::vector<std::string> simArgs = {}, PanelDeviceConfig config = {"KX-A1 R2", 8, false, false},
               const std::string& v3User = "")
    {
        sim = std::make_unique<kxtest::KxSimFixture>(std::move(simArgs));
        ASSERT_TRUE(sim->start());
        InstallSessionSettings(kxtest::SessionSettingsFor(sim->port(), v3User));
        device = std::make_unique<PanelDevice>(config);
        device->setSnapshotSink([this](PanelStatusSnapshot s) { snapshots.add(std::move(s)); });
    }

    void TearDown() override
    {
        thread.reset();
        if (device)
            device->closeSessions();
        InstallSessionSettings(SessionSettings{});
    }

    // A polling thread with a short cycle: 50 ms, the requests, 10 x 20 ms.
    void startPolling()
    {
        thread = std::make_unique<kx::CPanelDeviceThread>();
        thread->setOwner(device.get());
        thread->setTiming({50, 20});
        ASSERT_TRUE(thread->start());
    }

    // The first evaluated snapshot after the first `seen` (default: those there now).
    PanelStatusSnapshot nextEvaluated(std::chrono::milliseconds timeout = 10s, std::size_t seen = SIZE_MAX)
    {
        auto s = snapshots.waitFor(seen == SIZE_MAX ? snapshots.count() : seen, Evaluated, timeout);
        EXPECT_TRUE(s.has_value()) << "no evaluated walk";
        return s.value_or(PanelStatusSnapshot{});
    }

    std::unique_ptr<kxtest::KxSimFixture> sim;
    SnapshotCollector snapshots;
    std::unique_ptr<PanelDevice> device;
    std::unique_ptr<kx::CPanelDeviceThread> thread;
};

TEST_F(PanelPolling, OneWalkReadsTheFrontPanelRowsAndStopsAtTheFirstOtherInterface)
{
    start();
    sim->clearLog();
    ASSERT_TRUE(device->startStatusWalk());
    const PanelStatusSnapshot s = nextEvaluated(10s, 0);

    // The simulator's world: cables on 1 and 2 (100M) and 3 (10M), powered
    // devices on 1 and 2.
    using States = std::vector<std::uint8_t>;
    ASSERT_GE(s.portStates.size(), 8u);
    EXPECT_EQ(States(s.portStates.begin(), s.portStates.begin() + 8),
              (States{PortLinkTopSpeed, PortLinkTopSpeed, PortLinkLowerSpeed, PortDisabled, PortEnabled, PortEnabled,
                      PortEnabled, PortEnabled}));
    EXPECT_EQ(States(s.poeStates.begin(), s.poeStates.begin() + 8),
              (States{kx::PoePowered, kx::PoePowered, kx::PoeNotPowered, kx::PoeNotPowered, kx::PoeNotPowered,
                      kx::PoeNotPowered, kx::PoeNotPowered, kx::PoeNotPowered}));
    EXPECT_EQ(s.evaluatedPorts, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(s.portValues, (std::vector<int>(8, 1)));
    EXPECT_EQ(device->rowsReceived(), 8);
    EXPECT_FALSE(device->walkRunning());

    // Nine steps of all six columns: the ninth answers the management
    // interface, which ends the walk without reading on.
    const auto log = sim->requestLog();
    ASSERT_EQ(log.size(), 9u);
    EXPECT_EQ(kxapptest::Oids(log[0]),
              "1.3.6.1.2.1.2.2.1.3 1.3.6.1.2.1.2.2.1.5 1.3.6.1.2.1.2.2.1.7 1.3.6.1.2.1.2.2.1.8 "
              "1.3.6.1.4.1.99999.10.75.13.1.13.1.7 1.3.6.1.4.1.99999.10.75.13.22.1.1.13");
    for (const auto& r : log) {
        EXPECT_EQ(r.pdu, "getnext");
        EXPECT_EQ(r.version, "1");
        EXPECT_EQ(r.bindings.size(), 6u);
    }
}

TEST_F(PanelPolling, BudgetReadLightsAtSevenWattsAndIsThrottledWhileAWalkRuns)
{
    start({"--scenario", "budget"});
    EXPECT_EQ(device->readPoeBudget(), 0);
    EXPECT_TRUE(device->powMax()) << "7.0 W left";
    // The read marks a walk as in progress until one ends: the next three
    // reads are skipped, the fourth goes out again.
    EXPECT_EQ(device->readPoeBudget(), -1);
    EXPECT_EQ(device->readPoeBudget(), -1);
    EXPECT_EQ(device->readPoeBudget(), -1);
    sim->control("pd 7 class=2 watts=8.7");
    EXPECT_EQ(device->readPoeBudget(), 0);
    EXPECT_FALSE(device->powMax()) << "7.1 W left";

    // An ended walk clears the mark.
    ASSERT_TRUE(device->startStatusWalk());
    const PanelStatusSnapshot s = nextEvaluated(10s, 0);
    EXPECT_FALSE(s.powMax);
    EXPECT_FALSE(device->walkInProgress());
    sim->control("pd 7 class=2 watts=8.8");
    EXPECT_EQ(device->readPoeBudget(), 0);
    EXPECT_TRUE(device->powMax());

    // An answer without a number leaves the flag as it was.
    sim->control("set 1.3.6.1.4.1.99999.10.75.13.22.6.0 s R \"N/A\"");
    ASSERT_TRUE(device->startStatusWalk());
    nextEvaluated(10s, 1);
    EXPECT_EQ(device->readPoeBudget(), 0);
    EXPECT_TRUE(device->powMax());
}

TEST_F(PanelPolling, TheFanReadsNormalOnlyForOneAndKeepsItsStateWithoutAnAnswer)
{
    start({}, {"KX-A1 R2", 8, false, true});
    const std::pair<const char*, int> cases[] = {
        {"2", kx::FanFault}, {"1", kx::FanNormal}, {"7", kx::FanFault}, {"1", kx::FanNormal}};
    for (const auto& [value, status] : cases) {
        sim->control("set " + kFan + " i R " + value);
        device->readFan();
        EXPECT_EQ(device->fanStatus(), status) << value;
    }
    sim->control("set " + kFan + " i R 2");
    sim->control("unreachable 5");
    device->readFan();
    EXPECT_EQ(device->fanStatus(), kx::FanNormal); // no answer: as it was
    sim->control("unreachable 0");
}

TEST_F(PanelPolling, ANewWalkNeverStartsWhileThePreviousOneRuns)
{
    start();
    sim->control("fault add " + kIfTable + " delay 300");
    ASSERT_TRUE(device->startStatusWalk());
    EXPECT_TRUE(device->walkRunning());
    EXPECT_FALSE(device->startStatusWalk());
    const PanelStatusSnapshot s = nextEvaluated(20s, 0);
    EXPECT_EQ(s.evaluatedPorts.size(), 8u) << "the running walk was not disturbed";
    EXPECT_EQ(snapshots.count(), 1u);
    EXPECT_TRUE(device->startStatusWalk());
}

TEST_F(PanelPolling, EachModelAsksOnlyWhatItHas)
{
    const struct
    {
        const char* name;
        bool fan;
        bool v3;
        std::set<std::string> gets;
    } cases[] = {
        {"KX-A1 R2", false, false, {kProbe, kBudget}},
        {"KX-A1 R2", true, false, {kProbe, kBudget, kFan}},
        // SNMPv3 and no PoE: only the probe and the walk.
        {"KX-D1 R2", false, true, {kProbe}},
        {"KX-F1P", false, true, {kProbe, kBudget}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + (c.fan ? " with fan" : "") + (c.v3 ? " over SNMPv3" : ""));
        thread.reset();
        if (device)
            device->closeSessions();
        start({}, {c.name, 8, false, c.fan}, c.v3 ? "shades" : "");
        startPolling();
        nextEvaluated();
        sim->clearLog();
        const std::size_t seen = snapshots.count();
        ASSERT_TRUE(snapshots.waitFor(seen + 1, Evaluated, 10s).has_value());
        thread->stop();
        thread->join();
        std::set<std::string> gets;
        int walkSteps = 0;
        for (const auto& r : sim->requestLog()) {
            EXPECT_EQ(r.version, c.v3 ? "3" : "1");
            if (r.pdu == "get")
                gets.insert(kxapptest::Oids(r));
            else if (r.pdu == "getnext")
                ++walkSteps;
            else
                ADD_FAILURE() << "unexpected " << r.pdu;
        }
        EXPECT_EQ(gets, c.gets);
        EXPECT_GE(walkSteps, 9);
    }
}

TEST_F(PanelPolling, StoppingAbandonsTheRequestInFlight)
{
    start();
    sim->control("unreachable 60");
    // The PoE budget read waits up to 5 s for an answer that never comes.
    kx::CPanelDeviceThread polling;
    polling.setOwner(device.get());
    polling.setTiming({0, 500});
    ASSERT_TRUE(polling.start());
    std::this_thread::sleep_for(1500ms);
    const auto begin = std::chrono::steady_clock::now();
    polling.stop();
    polling.join();
    EXPECT_TRUE(polling.waitExited(0));
    EXPECT_LT(std::chrono::steady_clock::now() - begin, 3s) << "the stop waited for a time-out";
    // Nothing goes out once stopped.
    EXPECT_FALSE(device->startStatusWalk());
    EXPECT_FALSE(device->probe());
}

} // namespace
