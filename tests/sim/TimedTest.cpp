// The device's timed behaviours, on a fast clock: file transfers, reboot
// downtime, saving, and what survives a stop and a start.

#include "tests/sim/SnmpTools.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <thread>

namespace kxtest {
namespace {

using namespace std::chrono_literals;

// Polls a status object until it reads `want` (true) or the time is up.
bool Reaches(KxSimFixture& sim, const std::string& oid, const std::string& want, std::chrono::milliseconds limit)
{
    return WaitFor([&] { return Get(sim, {oid}, V2c(), 1).value() == want; }, limit);
}

// The engine's boots counter, from the status the control channel reports.
unsigned long EngineBoots(KxSimFixture& sim)
{
    std::istringstream lines(sim.control("status"));
    for (std::string line; std::getline(lines, line);)
        if (line.rfind("boots ", 0) == 0)
            return std::stoul(line.substr(6));
    ADD_FAILURE() << "the status has no boots line";
    return 0;
}

struct TransferCase
{
    const char* what;
    std::string mode;
    int kind; // 1 firmware, 2 configuration
    std::string server, file;
    std::vector<std::string> statuses; // in order, each seen at some point (the last one to stay)
};

TEST(TransferTest, StateMachine)
{
    // Short enough for the test, long enough to see every status.
    KxSimFixture sim(KxSimFixture::Options{{"--transfer-times", "0.4,0.4,0.4"}, true, 1, true});
    ASSERT_TRUE(sim.start());
    const std::vector<TransferCase> cases = {
        {"firmware upgrade", "success", 1, "10.0.0.5", "fw.bin", {"4", "3", "0"}},
        {"configuration backup", "success", 2, "10.0.0.5", "cfg.txt", {"4", "3", "0"}},
        {"server 0.0.0.0", "success", 2, "0.0.0.0", "cfg.txt", {"4", "3", "2"}},
        {"empty file name", "success", 1, "10.0.0.5", "", {"4", "3", "2"}},
        {"file name with fail", "success", 2, "10.0.0.5", "will-fail.cfg", {"4", "3", "2"}},
        {"outcome mode fail", "fail", 1, "10.0.0.5", "fw.bin", {"4", "3", "2"}},
        {"stuck preparing", "stuck4", 1, "10.0.0.5", "fw.bin", {"4"}},
        {"stuck in progress", "stuck3", 2, "10.0.0.5", "cfg.txt", {"4", "3"}},
        {"garbage", "garbage", 2, "10.0.0.5", "cfg.txt", {"9"}},
    };
    for (const auto& c : cases) {
        sim.control("reset");
        sim.control("transfer mode " + c.mode);
        const int first = c.kind == 1 ? 1 : 5;
        auto obj = [&](int n) { return Pv("3." + std::to_string(first + n) + ".0"); };
        ASSERT_EQ(Set(sim, {obj(0), "a", c.server, obj(1), "s", c.file}).exitCode, 0) << c.what;
        ASSERT_EQ(Set(sim, {obj(2), "i", "1"}).exitCode, 0) << c.what;
        const auto started = std::chrono::steady_clock::now();
        EXPECT_EQ(Get(sim, {obj(2)}).value(), "0") << c.what; // the operation rests at 0
        for (const auto& s : c.statuses)
            EXPECT_TRUE(Reaches(sim, obj(3), s, 3s)) << c.what << ": never read " << s;
        // The end state stays once the transfer's last step (0.8 s in) is well past;
        // only the stuck modes are still running then.
        std::this_thread::sleep_until(started + 1300ms);
        EXPECT_EQ(Get(sim, {obj(3)}).value(), c.statuses.back()) << c.what;
        const bool stuck = c.mode.rfind("stuck", 0) == 0;
        EXPECT_EQ(sim.control("transfer").find(" running") != std::string::npos, stuck) << c.what;
    }
}

TEST(TransferTest, OneAtATimeAbortAndASilentStatus)
{
    KxSimFixture sim;
    ASSERT_TRUE(sim.start());
    sim.control("transfer mode stuck3");
    ASSERT_EQ(Set(sim, {Pv("3.5.0"), "a", "10.0.0.5", Pv("3.6.0"), "s", "c.cfg", Pv("3.7.0"), "i", "2"}).exitCode, 0);
    EXPECT_EQ(Set(sim, {Pv("3.3.0"), "i", "1"}).status(), "inconsistentValue");
    // Server and file can be written at any time.
    EXPECT_EQ(Set(sim, {Pv("3.1.0"), "a", "10.0.0.6", Pv("3.2.0"), "s", "x.bin"}).exitCode, 0);
    sim.control("transfer abort");
    EXPECT_EQ(sim.value(Pv("3.8.0")), "2");
    EXPECT_EQ(Set(sim, {Pv("3.3.0"), "i", "2"}).exitCode, 0);

    sim.control("reset");
    sim.control("transfer mode silent");
    ASSERT_EQ(Set(sim, {Pv("3.5.0"), "a", "10.0.0.5", Pv("3.6.0"), "s", "c.cfg", Pv("3.7.0"), "i", "1"}).exitCode, 0);
    EXPECT_EQ(Get(sim, {Pv("3.8.0")}, V2c(), 0.3).status(), "timeout");
    EXPECT_EQ(Get(sim, {Pv("3.6.0")}).value(), "c.cfg"); // everything else answers
}

TEST(RebootTest, DowntimeThenSavedConfiguration)
{
    KxSimFixture sim(KxSimFixture::Options{{"--reboot-downtime", "1"}, true, 1, true});
    ASSERT_TRUE(sim.start());
    ASSERT_EQ(Set(sim, {"1.3.6.1.2.1.1.6.0", "s", "lab"}).exitCode, 0);
    ASSERT_EQ(Set(sim, {Pv("1.10.0"), "i", "1"}).exitCode, 0);
    ASSERT_EQ(Set(sim, {"1.3.6.1.2.1.1.6.0", "s", "not saved"}).exitCode, 0);
    const unsigned long bootsBefore = EngineBoots(sim);

    const ToolResult reboot = Set(sim, {Pv("1.9.0"), "i", "1"});
    EXPECT_EQ(reboot.exitCode, 0) << "the reboot request is answered";
    EXPECT_EQ(Get(sim, {"1.3.6.1.2.1.1.1.0"}, V2c(), 0.2).status(), "timeout");
    ASSERT_TRUE(WaitFor([&] { return Get(sim, {"1.3.6.1.2.1.1.6.0"}, V2c(), 0.2).exitCode == 0; }, 3s));
    const ToolResult after = Get(sim, {"1.3.6.1.2.1.1.6.0", "1.3.6.1.2.1.1.3.0", Pv("1.9.0")});
    EXPECT_EQ(after.value("1.3.6.1.2.1.1.6.0"), "lab");
    EXPECT_LT(std::stol(after.value("1.3.6.1.2.1.1.3.0")), 300); // sysUpTime started again
    EXPECT_EQ(after.value(Pv("1.9.0")), "0");
    EXPECT_EQ(EngineBoots(sim), bootsBefore + 1);
    // SNMPv3 sessions get through the new engine boots.
    EXPECT_EQ(Get(sim, {"1.3.6.1.2.1.1.6.0"}, V3(KxSimFixture::user("sha256aes"))).value(), "lab");
}

TEST(PersistenceTest, SavedSurvivesStopAndStartUnsavedDoesNot)
{
    KxSimFixture sim;
    ASSERT_TRUE(sim.start());
    ASSERT_EQ(Set(sim, {Pv("7.6.1.5.12"), "i", "4"}).exitCode, 0);
    ASSERT_EQ(Set(sim, {Pv("7.6.1.1.12"), "s", "lab", Pv("7.7.1.1.3"), "u", "12", "1.3.6.1.2.1.1.5.0", "s", "saved"})
                  .exitCode,
              0);
    ASSERT_EQ(Set(sim, {Pv("1.10.0"), "i", "1"}).exitCode, 0);
    EXPECT_FALSE(std::filesystem::exists(sim.stateFile() + ".tmp"));
    ASSERT_EQ(Set(sim, {"1.3.6.1.2.1.1.5.0", "s", "lost", Pv("10.3.4.1.2.12"), "i", "1"}).exitCode, 0);

    ASSERT_TRUE(sim.restart());
    // The IGMP row of the saved VLAN with it.
    ExpectValues(sim, {{"1.3.6.1.2.1.1.5.0", "saved"}, {Pv("7.6.1.1.12"), "lab"}, {Pv("7.7.1.1.3"), "12"},
                       {Pv("10.3.4.1.1.12"), "12"}, {Pv("10.3.4.1.2.12"), "2"}});

    // A second start without saving keeps the same configuration.
    ASSERT_EQ(Set(sim, {"1.3.6.1.2.1.1.5.0", "s", "again lost"}).exitCode, 0);
    ASSERT_TRUE(sim.restart());
    EXPECT_EQ(sim.value("1.3.6.1.2.1.1.5.0"), "saved");
}

TEST(PersistenceTest, AFailedSaveIsReportedAsFailed)
{
    KxSimFixture sim(KxSimFixture::Options{{"--state", "/nonexistent/dir/state"}, true, 20, false});
    ASSERT_TRUE(sim.start());
    EXPECT_EQ(Set(sim, {Pv("1.10.0"), "i", "1"}).status(), "genErr");
}

} // namespace
} // namespace kxtest
