// The session against the simulated switch, where the device going away and
// coming back is what matters: an SNMPv3 agent that restarts as another engine,
// or as the same engine with its boots counter started again.

#include "tests/snmp/SnmpTestUtil.h"
#include "tests/support/KxSimFixture.h"

#include <gtest/gtest.h>

#include <thread>

using namespace kxtest;

namespace {

// Gets sysName as the panel polls: the attempt that was answered, 0 for none.
int AnsweredAfter(CCommonSNMP& s, int attempts)
{
    for (int i = 1; i <= attempts; ++i)
        if (GetSysName(s) == 0)
            return i;
    return 0;
}

TEST(SessionAgainstSim, SnmpV3AnswersAgainAfterTheAgentRestarts)
{
    struct Case
    {
        const char* name;
        int reboots;                         // before the restart, each one seen by the module
        std::vector<std::string> afterwards; // kxsim arguments of the restarted agent
    };
    const Case cases[] = {
        {"replaced by a device with another engine ID", 0, {"--engine-id", "80001f8804726570"}},
        {"restarted with its boots counter at 1 again", 3, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        KxSimFixture sim;
        ASSERT_TRUE(sim.start());
        CCommonSNMP panel(SessionSettingsFor(sim.port(), "shades", 400));
        ASSERT_EQ(AnsweredAfter(panel, 1), 1);
        WalkCollector before;
        ASSERT_EQ(before.walk(panel, {"1.3.6.1.2.1.2.2.1.1"}), SnmpResult::EndOfTable);
        for (int r = 0; r < c.reboots; ++r) {
            sim.control("reboot");
            ASSERT_TRUE(WaitFor([&] { return AnsweredAfter(panel, 1) == 1; }, std::chrono::seconds(10)));
        }
        ASSERT_TRUE(sim.restart(c.afterwards));

        // The session that knew the old engine recovers within a few polls, and
        // one made afterwards (a dialog opened now) is answered at once.
        const int attempt = AnsweredAfter(panel, 4);
        EXPECT_GE(attempt, 1);
        EXPECT_LE(attempt, 3);
        CCommonSNMP dialog(SessionSettingsFor(sim.port(), "shades", 400));
        EXPECT_EQ(AnsweredAfter(dialog, 1), 1);
        WalkCollector w;
        EXPECT_EQ(w.walk(dialog, {"1.3.6.1.2.1.2.2.1.1"}), SnmpResult::EndOfTable);
        EXPECT_EQ(w.rows, before.rows);
    }
}

TEST(SessionAgainstSim, AWalkAsksOneGetNextPerStepAndNothingAhead)
{
    // The walk's callback re-arms from the engine's thread for both versions;
    // the next step leaves only when the callback asks for it.
    KxSimFixture sim;
    ASSERT_TRUE(sim.start());
    const std::string column = "1.3.6.1.2.1.2.2.1.1";
    for (const char* user : {"", "shades"}) {
        SCOPED_TRACE(*user ? user : "v1");
        CCommonSNMP s(SessionSettingsFor(sim.port(), user, 1000));
        sim.clearLog();
        WalkCollector w;
        ASSERT_EQ(w.walk(s, {column}), SnmpResult::EndOfTable);
        auto log = sim.requestLog();
        ASSERT_EQ(log.size(), w.rows.size() + 1);
        for (std::size_t i = 0; i < log.size(); ++i) {
            EXPECT_EQ(log[i].pdu, "getnext");
            ASSERT_EQ(log[i].bindings.size(), 1u);
            // Each step continues from the row before it.
            EXPECT_EQ(log[i].bindings[0].oid, i == 0 ? column : column + w.suffixes[i - 1][0]);
        }

        // A callback that stops after three rows has asked for three.
        struct Three
        {
            CCommonSNMP* session;
            std::atomic<int> rows{0};
            static void Step(std::unique_ptr<CSnmp>, int id, void* ctx, int status)
            {
                auto* t = static_cast<Three*>(ctx);
                if (!t->session->TakePending(id))
                    return;
                if (status == 0 && ++t->rows < 3 && t->session->getNext(&Three::Step, t, 0) == 0)
                    return;
                t->session->SetWalkDone();
            }
        } three{&s};
        sim.clearLog();
        ASSERT_TRUE(Arm(s, SnmpPdu::GetNext, column));
        ASSERT_EQ(s.getNext(&Three::Step, &three, 0), 0);
        ASSERT_TRUE(s.WaitWalkDone(5000));
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        EXPECT_EQ(three.rows, 3);
        EXPECT_EQ(sim.requestLog().size(), 3u);
    }
}

} // namespace
