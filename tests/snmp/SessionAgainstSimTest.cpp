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
    for (int i = 1; i <= attempts; ++i) {
        std::unique_ptr<CSnmp> response;
        if (s.Open(SnmpPdu::Get) && s.addValue("1.3.6.1.2.1.1.5.0", SnmpType::Null, nullptr) == 0 &&
            s.send(response, 0) == 0 && response)
            return i;
    }
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
        CCommonSNMP panel(SettingsFor(sim.port(), "shades", 400));
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
        CCommonSNMP dialog(SettingsFor(sim.port(), "shades", 400));
        EXPECT_EQ(AnsweredAfter(dialog, 1), 1);
        WalkCollector w;
        EXPECT_EQ(w.walk(dialog, {"1.3.6.1.2.1.2.2.1.1"}), SnmpResult::EndOfTable);
        EXPECT_EQ(w.rows, before.rows);
    }
}

} // namespace
