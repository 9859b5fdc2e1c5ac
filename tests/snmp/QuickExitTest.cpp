// A tool that starts the engine and ends at once (kxsnmp --help after a session
// was made, a test binary of logic only) must exit cleanly every time: the
// engine's start-up and the libraries' exit-time clean-up must not overlap.

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

TEST(EngineLifetime, AProcessThatEndsRightAfterStartingTheEngineExitsCleanly)
{
    const std::string program = kxtest::BinDir() + "/../tests/snmp_quick_exit";
    // Leave at every moment of the engine's start-up, in steps of 100 us.
    for (int i = 0; i < 80; ++i) {
        kxtest::ChildProcess child;
        ASSERT_TRUE(child.start({program, std::to_string(i * 100)}));
        std::string line;
        child.readLine(line, std::chrono::seconds(10)); // until its output closes
        const int status = child.stop(0, std::chrono::seconds(10));
        ASSERT_TRUE(WIFEXITED(status)) << "run " << i << " ended by signal " << WTERMSIG(status);
        ASSERT_EQ(WEXITSTATUS(status), 0);
    }
}
