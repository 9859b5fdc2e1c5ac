#pragma once

#include "sim/ControlClient.h"
#include "tests/support/SnmpdFixture.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace kxtest {

// The simulated KX-A1 R2 (bin/kxsim) on a free 127.0.0.1 port, for end-to-end
// tests of the module against a device that behaves like the switch.
//
//   KxSimFixture sim({"--scenario", "trunk78"});
//   ASSERT_TRUE(sim.start());
//   ... talk SNMP to sim.port() with "qolvat"/"merudos" or a users() entry ...
//   auto log = sim.requestLog();          // what was sent, in order
//   EXPECT_EQ(sim.value("1.3.6.1.2.1.1.5.0"), "new name");
//
// By default it runs with the SNMPv3 users of SnmpdFixture::users() (same names
// and passwords, so the same session settings work against both agents), a state
// file in its own directory, and a clock 20 times faster for the device's timed
// behaviours (file transfers, reboot downtime, scans). The simulator is stopped
// when the fixture goes.
class KxSimFixture
{
public:
    struct Options
    {
        std::vector<std::string> args; // extra kxsim arguments: --scenario, --model, --ports ...
        bool testUsers = true;         // --user for every users() entry
        double timeScale = 20;         // --time-scale
        bool stateFile = true;         // --state <directory()>/state
    };

    KxSimFixture();
    explicit KxSimFixture(std::vector<std::string> extraArgs);
    explicit KxSimFixture(Options options);
    ~KxSimFixture();
    KxSimFixture(const KxSimFixture&) = delete;
    KxSimFixture& operator=(const KxSimFixture&) = delete;

    // Starts the simulator and waits until its agent and control channel answer.
    bool start();
    // SIGTERM, as a user would stop it (nothing is saved that was not saved).
    void stop();
    // stop() and start() again with the same arguments, state file and port, as
    // a device comes back after a power cycle; the second form replaces the
    // extra arguments (another --engine-id, say).
    bool restart();
    bool restart(std::vector<std::string> extraArgs);
    bool running() const { return m_process.running(); }

    int port() const { return m_port; }
    pid_t pid() const { return m_process.pid(); }
    std::string address() const { return "127.0.0.1"; }
    std::string peer() const { return address() + ":" + std::to_string(m_port); }

    // Runs a control command (see sim/README.md) and returns its data lines joined
    // by "\n". A refused command records a test failure; tryControl() does not.
    std::string control(const std::string& command);
    kxsim::ControlReply tryControl(const std::string& command);

    // The requests received since the start, the last clearLog() or a reset.
    std::vector<kxsim::LoggedRequest> requestLog();
    void clearLog();
    // Objects under subtree (all when empty), with values decoded.
    std::vector<kxsim::ObjectText> dump(const std::string& subtree = "");
    // One object's value as dump() gives it; nullopt when it does not exist.
    std::optional<std::string> value(const std::string& oid);

    std::string stateFile() const { return m_dir.file("state"); }
    std::string controlPath() const { return m_dir.file("control"); }

    static const std::vector<SnmpdUser>& users() { return SnmpdFixture::users(); }
    static const SnmpdUser& user(const std::string& name) { return SnmpdFixture::user(name); }
    static constexpr const char* kReadCommunity = "qolvat";
    static constexpr const char* kWriteCommunity = "merudos";
    static constexpr const char* kPrivateArc = "1.3.6.1.4.1.99999.10.75.13";
    // An object under the private arc: Private("24.1.0").
    static std::string Private(const std::string& suffix) { return std::string(kPrivateArc) + "." + suffix; }

private:
    Options m_options;
    TempDir m_dir;
    ChildProcess m_process;
    int m_port = 0;
};

// A test suite sharing one simulator, started once and reset before each test:
//
//   class ModelTest : public kxtest::SharedSimTest {};
//   TEST_F(ModelTest, ...) { sim->control("pd 5 class=3"); ... }
class SharedSimTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        sim = new KxSimFixture();
        ASSERT_TRUE(sim->start());
    }
    static void TearDownTestSuite()
    {
        delete sim;
        sim = nullptr;
    }
    void SetUp() override { sim->control("reset"); }

    inline static KxSimFixture* sim = nullptr;
};

} // namespace kxtest
