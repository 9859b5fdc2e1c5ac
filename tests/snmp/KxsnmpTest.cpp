// kxsnmp beside net-snmp's own tools: line for line the output of snmpwalk and
// snmpget -On for every SMI type and every OID form they take, and a non-zero
// status with the reason when a request cannot be sent or is answered wrongly.

#include "tests/snmp/FakeAgent.h"
#include "tests/support/KxSimFixture.h"

#include <gtest/gtest.h>

#include <fstream>

namespace kxtest {
namespace {

using namespace std::chrono_literals;

// An object of every type the agent serves, and strings on both sides of what
// reads as text.
const char* const kTypesProfile = R"(define T 1.3.6.1.4.1.99999.3
serve T
T.1.0 i R -5
T.2.0 u R 4294967295
T.3.0 c R 7
T.4.0 t R 0
T.5.0 t R 17280001
T.7.0 a R 10.0.0.1
T.8.0 o R 0.0
T.10.0 s R ""
T.11.0 s R "ABC"
T.12.0 s R "A\nB\tC\r\x0b\x0c"
T.13.0 s R "\"A\\B\""
T.14.0 x R 41-42-00
T.15.0 x R 00-01-02-03-04-05-06-07-08-09-0A-0B-0C-0D-0E-0F-10-11-12-13
T.19.0 op R ""
T.20.0 op R 01-02-03-04-05-06-07-08-09-0A-0B-0C-0D-0E-0F-10-11-12
T.21.0 c64 R 18446744073709551615
)";

using Outcome = ToolRun;

// A tool with its arguments, without a shell, without MIB files or a user's configuration.
Outcome Start(const std::vector<std::string>& argv)
{
    static TempDir home;
    return RunTool(argv, {{"MIBS", ""}, {"SNMP_PERSISTENT_DIR", home.path()}, {"SNMPCONFPATH", home.path()}}, 20s);
}

Outcome Kxsnmp(const std::string& command, const std::vector<std::string>& args)
{
    std::vector<std::string> argv = {BinDir() + "/kxsnmp", command};
    argv.insert(argv.end(), args.begin(), args.end());
    return Start(argv);
}

Outcome NetSnmp(const std::string& tool, const std::vector<std::string>& args)
{
    std::vector<std::string> argv = {tool, "-On", "-r", "0"};
    argv.insert(argv.end(), args.begin(), args.end());
    return Start(argv);
}

std::vector<std::string> With(std::vector<std::string> access, const std::string& peer,
                              const std::vector<std::string>& oids)
{
    access.push_back(peer);
    access.insert(access.end(), oids.begin(), oids.end());
    return access;
}

class KxsnmpTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        profileDir = new TempDir;
        std::ofstream(profileDir->file("types.profile")) << kTypesProfile;
        sim = new KxSimFixture(KxSimFixture::Options{{"--profile", profileDir->file("types.profile")}, true, 20, false});
        ASSERT_TRUE(sim->start());
    }
    static void TearDownTestSuite()
    {
        delete sim;
        delete profileDir;
    }

    inline static TempDir* profileDir = nullptr;
    inline static KxSimFixture* sim = nullptr;
};

TEST_F(KxsnmpTest, PrintsEveryTypeAndEveryEndAsSnmpwalkDoes)
{
    const std::vector<std::vector<std::string>> accesses = {
        {"-v", "1", "-c", "qolvat"}, // no Counter64, "End of MIB"
        {"-v", "3", "-u", "noauth", "-l", "noAuthNoPriv"},
        {"-v", "3", "-u", "sha256aes", "-l", "authPriv", "-a", "SHA-256", "-A", "sha256password", "-x", "AES",
         "-X", "aespassword"},
    };
    const std::string t = ".1.3.6.1.4.1.99999.3";
    for (const auto& access : accesses) {
        for (const std::string& root :
             std::vector<std::string>{".1", ".", "iso", t + ".1.0", t + ".1.5", ".1.3.6.1.4.1.99999.4"}) {
            const Outcome net = NetSnmp("snmpwalk", With(access, sim->peer(), {root}));
            const Outcome kx = Kxsnmp("walk", With(access, sim->peer(), {root}));
            EXPECT_EQ(kx.out, net.out) << access[1] << " walk " << root;
            EXPECT_EQ(kx.exit, net.exit) << access[1] << " walk " << root << "\n" << kx.err;
        }
        for (const auto& oids : {std::vector<std::string>{t + ".5.0", t + ".99.0", t + ".1.1", t + ".20.0"},
                                 std::vector<std::string>{".1"}}) {
            for (const std::string command : {"get", "next"}) {
                if (access[1] == "1")
                    continue; // the tools take a failed object out and ask again
                const Outcome net = NetSnmp(command == "get" ? "snmpget" : "snmpgetnext", With(access, sim->peer(), oids));
                const Outcome kx = Kxsnmp(command, With(access, sim->peer(), oids));
                EXPECT_EQ(kx.out, net.out) << access[1] << " " << command << " " << oids[0];
                EXPECT_EQ(kx.exit, net.exit) << access[1] << " " << command << " " << oids[0];
            }
        }
    }
}

TEST_F(KxsnmpTest, AWalkThatFailsSaysHowAsSnmpwalkDoes)
{
    const std::vector<std::string> access = {"-v", "3", "-u", "noauth", "-l", "noAuthNoPriv"};
    const std::string t = ".1.3.6.1.4.1.99999.3";
    for (const std::string fault : {"error genErr", "error noSuchName"}) {
        sim->control("fault add 1.3.6.1.4.1.99999.3.4 " + fault + " count=1");
        const Outcome net = NetSnmp("snmpwalk", With(access, sim->peer(), {t}));
        sim->control("fault add 1.3.6.1.4.1.99999.3.4 " + fault + " count=2"); // the step and its second look
        const Outcome kx = Kxsnmp("walk", With(access, sim->peer(), {t}));
        EXPECT_EQ(kx.out, net.out) << fault;
        EXPECT_EQ(kx.exit, net.exit) << fault;
        sim->control("fault clear");
    }
}

TEST_F(KxsnmpTest, RefusesWhatCannotBeSentAndSaysWhy)
{
    const std::string t = ".1.3.6.1.4.1.99999.3.1.0";
    const std::string agent = sim->peer();
    const struct
    {
        std::vector<std::string> args;
        std::string reason;
    } cases[] = {
        {{"-t", "2148", agent, t}, "bad time-out"},
        {{"-t", "nan", agent, t}, "bad time-out"},
        {{"localhost:" + std::to_string(sim->port()), t}, "not a dotted IPv4 address"},
        {{"127.0.0.1:65536", t}, "bad port"},
        {{"-v", "3", agent, t}, "user name"},
        {{"-v", "3", "-u", "shauser", "-l", "authNoPriv", "-a", "SHA", "-A", "short", agent, t}, "at least 8"},
        {{agent, "1..3"}, "bad OID"},
    };
    for (const auto& c : cases) {
        const Outcome r = Kxsnmp("get", c.args);
        EXPECT_EQ(r.exit, 1) << c.reason;
        EXPECT_TRUE(r.out.empty()) << c.reason;
        EXPECT_NE(r.err.find(c.reason), std::string::npos) << r.err;
        EXPECT_EQ(r.err.find("Timeout"), std::string::npos) << r.err;
    }
    EXPECT_EQ(Kxsnmp("get", {"-t", "2147", agent, t}).out, (std::vector<std::string>{t + " = INTEGER: -5"}));
}

TEST(KxsnmpAnswers, AnAnswerThatIsNotForTheRequestFails)
{
    // One binding answered for two asked, under another OID.
    FakeAgent wrong(FakeAgent::Mode::OneBinding);
    const std::string peer = "127.0.0.1:" + std::to_string(wrong.port());
    for (const char* command : {"get", "next"}) {
        const Outcome r = Kxsnmp(command, {"-v", "1", peer, "1.3.6.1.2.1.1.5.0", "1.3.6.1.2.1.1.6.0"});
        EXPECT_EQ(r.exit, 1) << command;
        EXPECT_TRUE(r.out.empty()) << command;
        EXPECT_NE(r.err.find("bindings"), std::string::npos) << r.err;
    }
    // The request's own bindings, NULL values and all, are an answer to a get.
    FakeAgent echo(FakeAgent::Mode::Echo);
    const std::vector<std::string> args = {"-v", "1", "-c", "qolvat", "127.0.0.1:" + std::to_string(echo.port()),
                                           ".1.3.6.1.2.1.1.5.0", ".1"};
    const Outcome kx = Kxsnmp("get", args);
    EXPECT_EQ(kx.out, NetSnmp("snmpget", args).out);
    EXPECT_EQ(kx.exit, 0) << kx.err;
    EXPECT_EQ(Kxsnmp("next", args).exit, 1) << "a get-next answered with the OIDs asked";
}

} // namespace
} // namespace kxtest
