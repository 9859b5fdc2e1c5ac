// The control channel: injected faults, the request log, scenarios, forced
// values and reset.

#include "tests/sim/SnmpTools.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kxtest {
namespace {

using namespace std::chrono_literals;

class ControlTest : public SharedSimTest {};

const std::string kBudgetLeft = "1.3.6.1.4.1.99999.10.75.13.22.6.0";

// A v2c GET of sysName.0 with request id `requestId`, encoded by hand, so that
// the test can count the datagrams that come back.
std::string GetSysNamePacket(std::uint8_t requestId)
{
    std::string packet("\x30\x26\x02\x01\x01\x04\x06qolvat\xa0\x19\x02\x01\x00\x02\x01\x00\x02\x01\x00"
                       "\x30\x0e\x30\x0c\x06\x08\x2b\x06\x01\x02\x01\x01\x05\x00\x05\x00",
                       40);
    packet[17] = static_cast<char>(requestId);
    return packet;
}

// Sends one datagram and counts the answers that arrive within `window`.
int CountAnswers(int port, const std::string& packet, std::chrono::milliseconds window)
{
    const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(static_cast<std::uint16_t>(port));
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::sendto(fd, packet.data(), packet.size(), 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
    int answers = 0;
    const auto end = std::chrono::steady_clock::now() + window;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
        pollfd p{fd, POLLIN, 0};
        if (left.count() <= 0 || ::poll(&p, 1, static_cast<int>(left.count())) <= 0)
            break;
        char buf[1500];
        if (::recv(fd, buf, sizeof buf, 0) > 0)
            ++answers;
    }
    ::close(fd);
    return answers;
}

TEST_F(ControlTest, DropForAFewRequests)
{
    sim->control("fault add " + Pv("22") + " drop count=2");
    EXPECT_EQ(Get(*sim, {kBudgetLeft}, V2c(), 0.3).status(), "timeout");
    EXPECT_EQ(Get(*sim, {"1.3.6.1.2.1.1.5.0"}).value(), "KX-A1R2"); // other subtrees answer
    EXPECT_EQ(Get(*sim, {kBudgetLeft}, V2c(), 0.3).status(), "timeout");
    EXPECT_EQ(Get(*sim, {kBudgetLeft}).value(), "62.0");
    const auto log = sim->requestLog();
    ASSERT_EQ(log.size(), 4u);
    EXPECT_EQ(log[0].status, "dropped");
    EXPECT_EQ(log[3].status, "noError");
}

TEST_F(ControlTest, ErrorStatusOnRequest)
{
    sim->control("fault add " + kBudgetLeft + " error genErr");
    const ToolResult get = Get(*sim, {"1.3.6.1.2.1.1.5.0", kBudgetLeft});
    EXPECT_EQ(get.status(), "genErr");
    EXPECT_EQ(get.failedObject(), kBudgetLeft);
    sim->control("fault clear");
    sim->control("fault add " + Pv("7") + " error resourceUnavailable count=1");
    EXPECT_EQ(Set(*sim, {Pv("7.2.0"), "i", "1"}).status(), "resourceUnavailable");
    EXPECT_EQ(sim->value(Pv("7.2.0")), "2"); // nothing applied
    EXPECT_EQ(Set(*sim, {Pv("7.2.0"), "i", "1"}).exitCode, 0);
}

TEST_F(ControlTest, LateAnswerAndLateDuplicate)
{
    sim->control("fault add 1.3.6.1.2.1.1.5.0 delay 600 count=1");
    EXPECT_EQ(Get(*sim, {"1.3.6.1.2.1.1.5.0"}, V2c(), 0.3).status(), "timeout");
    sim->control("fault add 1.3.6.1.2.1.1.5.0 delay 300 count=1");
    EXPECT_EQ(Get(*sim, {"1.3.6.1.2.1.1.5.0"}, V2c(), 2).value(), "KX-A1R2");

    EXPECT_EQ(CountAnswers(sim->port(), GetSysNamePacket(7), 400ms), 1);
    sim->control("fault add 1.3.6.1.2.1.1.5.0 duplicate 200 count=1");
    EXPECT_EQ(CountAnswers(sim->port(), GetSysNamePacket(8), 600ms), 2);
}

TEST_F(ControlTest, UnreachableAnswersNothingNotEvenDiscovery)
{
    sim->control("unreachable 1");
    EXPECT_EQ(Get(*sim, {"1.3.6.1.2.1.1.5.0"}, V2c(), 0.3).status(), "timeout");
    EXPECT_EQ(Get(*sim, {"1.3.6.1.2.1.1.5.0"}, V3(KxSimFixture::user("shades")), 0.3).status(), "timeout");
    ASSERT_TRUE(WaitFor([] { return Get(*sim, {"1.3.6.1.2.1.1.5.0"}, V2c(), 0.3).exitCode == 0; }, 3s));
}

TEST_F(ControlTest, LogRecordsWhatWasSentAndByWhom)
{
    ASSERT_EQ(Set(*sim, {Pv("7.6.1.5.5"), "i", "5"}).exitCode, 0);
    ASSERT_EQ(Set(*sim, {Pv("7.6.1.2.5"), "x", "C0000000", Pv("7.6.1.1.5"), "s", "tab\there"},
                  V3(KxSimFixture::user("md5des")))
                  .exitCode,
              0);
    ASSERT_EQ(Walk(*sim, Pv("7.6.1.5"), V1()).exitCode, 0);
    ASSERT_EQ(RunSnmp("snmpbulkwalk", V2c(), sim->peer(), {Pv("7.6.1.1")}).exitCode, 0);
    const auto log = sim->requestLog();
    ASSERT_GE(log.size(), 5u);
    EXPECT_EQ(log[0].pdu, "set");
    EXPECT_EQ(log[0].version, "2c");
    EXPECT_EQ(log[0].bindings.at(0).value, "5");
    EXPECT_EQ(log[1].version, "3");
    EXPECT_EQ(log[1].name, "md5des");
    ASSERT_EQ(log[1].bindings.size(), 2u);
    EXPECT_EQ(log[1].bindings[0].type, "x");
    EXPECT_EQ(log[1].bindings[0].value, "C0-00-00-00");
    EXPECT_EQ(log[1].bindings[1].value, "tab\there");
    EXPECT_EQ(log[2].pdu, "getnext");
    EXPECT_EQ(log[2].version, "1");
    EXPECT_EQ(log.back().pdu, "getbulk");
    for (std::size_t i = 1; i < log.size(); ++i)
        EXPECT_EQ(log[i].seq, log[i - 1].seq + 1);
    // Refused writes are logged with their status.
    sim->clearLog();
    EXPECT_EQ(Set(*sim, {Pv("7.7.1.1.1"), "u", "99"}).status(), "inconsistentValue");
    EXPECT_EQ(sim->requestLog().at(0).status, "inconsistentValue");
}

TEST_F(ControlTest, ScenariosAndForcedValues)
{
    sim->control("scenario trunk78");
    EXPECT_EQ(Get(*sim, {Pv("8.1.3.1.2.1")}).value(), "03000000");
    EXPECT_FALSE(sim->tryControl("scenario nosuch").ok);
    sim->control("set " + Pv("14.2.1.1.2.1") + " i R 1");
    EXPECT_EQ(Get(*sim, {Pv("14.2.1.1.2.1")}).value(), "1");
    // Forced values keep the profile's types.
    EXPECT_FALSE(sim->tryControl("set " + Pv("14.2.1.1.2.1") + " s R x").ok);
    EXPECT_FALSE(sim->tryControl("set 1.3.6.1.9.9 i R 1").ok); // not served
    sim->control("reset");
    EXPECT_EQ(Get(*sim, {Pv("8.1.3.1.2.1")}).value(), "00000000");
    EXPECT_EQ(sim->dump(Pv("8.1.3.1.3")).size(), 8u);
    EXPECT_FALSE(sim->tryControl("cable 9 10M").ok);
    EXPECT_FALSE(sim->tryControl("fault add 1.3 drop count=0").ok);
    EXPECT_FALSE(sim->tryControl("frobnicate").ok);
}

TEST(ControlStartTest, ScenariosFromTheCommandLineAndRefusedOptions)
{
    KxSimFixture sim({"--scenario", "voice100", "--scenario", "lbd3", "--read-community", "ro1",
                      "--write-community", "rw1"});
    ASSERT_TRUE(sim.start());
    EXPECT_EQ(Get(sim, {Pv("21.1.3.0")}, V2c("ro1")).value(), "100");
    EXPECT_EQ(Get(sim, {Pv("17.5.1.2.3")}, V2c("ro1")).value(), "1");
    EXPECT_EQ(Get(sim, {Pv("21.1.3.0")}, V2c("qolvat"), 0.3).status(), "timeout");
    // The stored community table shows the communities in use.
    EXPECT_EQ(sim.value(Pv("25.5.1.1.2.3.114.119.49")), "ReadWrite");

    for (const std::vector<std::string>& bad :
         {std::vector<std::string>{"--listen", "10.1.2.3:16100"}, {"--scenario", "nosuch"},
          {"--user", "u:authPriv:SHA:short:DES:privpass123"}, {"--ports", "0"}}) {
        ChildProcess p;
        std::vector<std::string> argv = {BinDir() + "/kxsim", "--quiet", "--listen", "127.0.0.1:0"};
        argv.insert(argv.end(), bad.begin(), bad.end());
        ASSERT_TRUE(p.start(argv));
        std::string line;
        EXPECT_FALSE(p.readLine(line, 3s)) << bad[0] << " " << bad[1] << " started: " << line;
        const int status = p.stop(SIGTERM);
        EXPECT_NE(WEXITSTATUS(status), 0) << bad[0];
    }
}

// CPU seconds a process has used: fields 14 and 15 of /proc/PID/stat.
double CpuSeconds(pid_t pid)
{
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string stat((std::istreambuf_iterator<char>(in)), {});
    std::istringstream fields(stat.substr(stat.rfind(')') + 2)); // from field 3 on
    std::string skip;
    double user = 0, system = 0;
    for (int i = 3; i < 14; ++i)
        fields >> skip;
    fields >> user >> system;
    return (user + system) / static_cast<double>(::sysconf(_SC_CLK_TCK));
}

TEST(ControlStartTest, TheControlSocketIsPrivateAndOutOfDescriptorsItWaitsWhileSnmpGoesOn)
{
    const mode_t umask = ::umask(0);
    KxSimFixture sim;
    const bool started = sim.start();
    ::umask(umask);
    ASSERT_TRUE(started);
    struct stat st = {};
    ASSERT_EQ(::stat(sim.controlPath().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);

    const auto held = std::distance(std::filesystem::directory_iterator("/proc/" + std::to_string(sim.pid()) + "/fd"),
                                    std::filesystem::directory_iterator{});
    rlimit before{};
    ASSERT_EQ(::prlimit(sim.pid(), RLIMIT_NOFILE, nullptr, &before), 0);
    const rlimit tight{static_cast<rlim_t>(held + 1), before.rlim_max};
    ASSERT_EQ(::prlimit(sim.pid(), RLIMIT_NOFILE, &tight, nullptr), 0);
    std::vector<int> clients;
    sockaddr_un to{};
    to.sun_family = AF_UNIX;
    std::snprintf(to.sun_path, sizeof to.sun_path, "%s", sim.controlPath().c_str());
    for (int i = 0; i < 4; ++i) {
        clients.push_back(::socket(AF_UNIX, SOCK_STREAM, 0));
        ASSERT_EQ(::connect(clients.back(), reinterpret_cast<sockaddr*>(&to), sizeof to), 0);
    }
    const double cpu = CpuSeconds(sim.pid());
    EXPECT_EQ(Get(sim, {"1.3.6.1.2.1.1.5.0"}).value(), "KX-A1R2");
    std::this_thread::sleep_for(1s);
    EXPECT_LT(CpuSeconds(sim.pid()) - cpu, 0.3) << "spinning on connections it cannot take";
    EXPECT_EQ(Get(sim, {"1.3.6.1.2.1.1.5.0"}).value(), "KX-A1R2");
    for (int fd : clients)
        ::close(fd);
    ASSERT_EQ(::prlimit(sim.pid(), RLIMIT_NOFILE, &before, nullptr), 0);
    EXPECT_EQ(sim.control("ping"), "pong");
}

TEST(ControlStartTest, GlobalStateCanSilenceTheAgent)
{
    KxSimFixture sim({"--honour-global-state"});
    ASSERT_TRUE(sim.start());
    ASSERT_EQ(Set(sim, {Pv("25.1.0"), "i", "2"}).exitCode, 0);
    EXPECT_EQ(Get(sim, {"1.3.6.1.2.1.1.5.0"}, V2c(), 0.3).status(), "timeout");
    sim.control("set " + Pv("25.1.0") + " i W 1");
    EXPECT_EQ(Get(sim, {"1.3.6.1.2.1.1.5.0"}).value(), "KX-A1R2");
}

TEST_F(ControlTest, CommandLineClient)
{
    auto ctl = [&](std::vector<std::string> words, std::vector<std::string>& out) {
        std::vector<std::string> argv = {BinDir() + "/kxsim", "ctl", sim->controlPath()};
        argv.insert(argv.end(), words.begin(), words.end());
        ChildProcess p;
        EXPECT_TRUE(p.start(argv));
        std::string line;
        while (p.readLine(line, 5s))
            out.push_back(line);
        return WEXITSTATUS(p.stop(SIGTERM));
    };
    std::vector<std::string> out;
    EXPECT_EQ(ctl({"cable", "5", "100M"}, out), 0); // neighbours show on linked ports only
    EXPECT_EQ(ctl({"neighbour", "5", "name=a name with blanks", "chassis=00-1B-21-00-00-55"}, out), 0);
    EXPECT_EQ(ctl({"get", "1.0.8802.1.1.2.1.4.1.1.9.0.5.1"}, out), 0);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(kxsim::ParseDumpLine(out[0])->value, "a name with blanks");
    EXPECT_EQ(ctl({"frobnicate"}, out), 1);
}

} // namespace
} // namespace kxtest
