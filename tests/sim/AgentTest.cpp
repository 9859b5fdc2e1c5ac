// The agent as a client sees it: access with communities and every USM user,
// the answers for missing objects, walks across registrations, SET errors.

#include "tests/sim/SnmpTools.h"

#include <gtest/gtest.h>

namespace kxtest {
namespace {

const std::string kSysName = "1.3.6.1.2.1.1.5.0";

class AgentTest : public SharedSimTest {};

TEST_F(AgentTest, EveryCommunityAndUserReadsAndEveryUserWritesAtItsLevel)
{
    std::vector<std::pair<std::string, std::vector<std::string>>> access = {
        {"v1 read", V1()}, {"v2c read", V2c()}, {"v1 write", V1Write()}, {"v2c write", V2cWrite()}};
    for (const auto& u : KxSimFixture::users())
        access.push_back({"v3 " + u.name, V3(u)});
    for (const auto& [name, args] : access) {
        const ToolResult r = Get(*sim, {kSysName}, args);
        EXPECT_EQ(r.exitCode, 0) << name << ": " << r.err;
        EXPECT_EQ(r.value(), "KX-A1R2") << name;
    }
    for (const auto& u : KxSimFixture::users()) {
        const ToolResult r = Set(*sim, {kSysName, "s", "by-" + u.name}, V3(u));
        EXPECT_EQ(r.exitCode, 0) << u.name << ": " << r.err;
        EXPECT_EQ(sim->value(kSysName), "by-" + u.name);
    }
}

TEST_F(AgentTest, WrongCredentialsAreRefused)
{
    EXPECT_EQ(Get(*sim, {kSysName}, V2c("public"), 0.3).status(), "timeout");
    SnmpdUser wrongPass = KxSimFixture::user("shades");
    wrongPass.authPass = "notthepassword";
    EXPECT_NE(Get(*sim, {kSysName}, V3(wrongPass)).exitCode, 0);
    SnmpdUser unknown = KxSimFixture::user("noauth");
    unknown.name = "stranger";
    EXPECT_NE(Get(*sim, {kSysName}, V3(unknown)).exitCode, 0);
    // A user configured for privacy is not served below its level.
    SnmpdUser lower = KxSimFixture::user("shades");
    lower.level = "authNoPriv";
    lower.priv.clear();
    lower.privPass.clear();
    EXPECT_EQ(Get(*sim, {kSysName}, V3(lower)).status(), "authorizationError");
    const auto log = sim->requestLog();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back().status, "refused");
}

TEST_F(AgentTest, ReadCommunityCannotWrite)
{
    EXPECT_EQ(Set(*sim, {kSysName, "s", "x"}, V2c()).status(), "noAccess");
    EXPECT_EQ(Set(*sim, {kSysName, "s", "x"}, V1()).status(), "noSuchName");
    EXPECT_EQ(sim->value(kSysName), "KX-A1R2");
}

TEST_F(AgentTest, MissingObjectsByVersion)
{
    struct Case
    {
        std::string oid;
        std::string v2;
    };
    const std::vector<Case> cases = {
        {Pv("1.9.1"), "NoSuchInstance"},           // a scalar with another instance
        {Pv("1.13.1.2.99"), "NoSuchInstance"},     // a port table row that does not exist
        {Pv("7.6.1.5.77"), "NoSuchInstance"},      // a VLAN that does not exist
        {Pv("1.99.0"), "NoSuchObject"},            // no such object
        {"1.3.6.1.2.1.99.1.0", "NoSuchObject"},    // outside every registration
    };
    for (const auto& c : cases) {
        const ToolResult v2 = Get(*sim, {c.oid});
        ASSERT_EQ(v2.varbinds.size(), 1u) << c.oid;
        EXPECT_EQ(v2.varbinds[0].type, c.v2) << c.oid;
        EXPECT_EQ(Get(*sim, {c.oid}, V1()).status(), "noSuchName") << c.oid;
    }
}

TEST_F(AgentTest, FullWalkReturnsEveryObjectOnceInOrder)
{
    const auto dump = sim->dump();
    std::vector<std::string> expected;
    for (const auto& o : dump)
        expected.push_back(o.oid);
    for (const std::string tool : {"snmpwalk", "snmpbulkwalk"}) {
        const ToolResult r = RunSnmp(tool, V2c(), sim->peer(), {"1"}, 5);
        ASSERT_EQ(r.exitCode, 0) << r.err;
        std::vector<std::string> got;
        for (const auto& v : r.varbinds)
            if (v.type != "EndOfMibView")
                got.push_back(v.oid);
        EXPECT_EQ(got, expected) << tool;
    }
    // v3 with privacy walks the same objects.
    const ToolResult v3 = RunSnmp("snmpbulkwalk", V3(KxSimFixture::user("sha256aes")), sim->peer(), {"1"}, 5);
    ASSERT_FALSE(v3.varbinds.empty());
    EXPECT_EQ(v3.varbinds.back().type, "EndOfMibView");
    EXPECT_EQ(v3.varbinds.size(), expected.size() + 1);
}

TEST_F(AgentTest, GetNextCrossesRegistrationsAndEnds)
{
    // sysLocation is the last object of the system registration; interfaces follow.
    ToolResult r = RunSnmp("snmpgetnext", V2c(), sim->peer(), {"1.3.6.1.2.1.1.6.0"});
    ASSERT_EQ(r.varbinds.size(), 1u);
    EXPECT_EQ(r.varbinds[0].oid, "1.3.6.1.2.1.2.2.1.1.1");
    // Past the last object of all: endOfMibView, and noSuchName for v1.
    const std::string last = sim->dump().back().oid;
    r = RunSnmp("snmpgetnext", V2c(), sim->peer(), {last});
    ASSERT_EQ(r.varbinds.size(), 1u);
    EXPECT_EQ(r.varbinds[0].type, "EndOfMibView");
    EXPECT_EQ(RunSnmp("snmpgetnext", V1(), sim->peer(), {last}).status(), "noSuchName");
    // A v1 walk of a subtree ends cleanly at the end of the MIB.
    r = Walk(*sim, Pv("34"), V1());
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.varbinds.size(), 16u);
}

TEST_F(AgentTest, SetErrorStatuses)
{
    struct Case
    {
        const char* what;
        std::vector<std::string> triple;
        std::string v2;
        std::string v1;
    };
    const std::vector<Case> cases = {
        {"integer for a string", {kSysName, "i", "5"}, "wrongType", "badValue"},
        {"NULL value", {kSysName, "n", "x"}, "wrongType", "badValue"},
        {"string too long", {kSysName, "s", std::string(128, 'a')}, "wrongLength", "badValue"},
        {"PortList of 3 octets", {Pv("9.2.0"), "x", "FF0000"}, "wrongLength", "badValue"},
        {"out of range", {Pv("10.1.2.0"), "i", "59"}, "wrongValue", "badValue"},
        {"read-only object", {"1.3.6.1.2.1.1.1.0", "s", "x"}, "notWritable", "noSuchName"},
        {"column of an absent row", {Pv("7.6.1.1.55"), "s", "x"}, "noCreation", "noSuchName"},
        {"index out of range", {Pv("32.1.1.21.9"), "i", "5"}, "noCreation", "noSuchName"},
        {"rule violation", {Pv("7.7.1.1.1"), "u", "55"}, "inconsistentValue", "badValue"},
        {"unknown object", {Pv("1.99.0"), "i", "1"}, "notWritable", "noSuchName"},
    };
    for (const auto& c : cases) {
        const ToolResult v2 = Set(*sim, c.triple);
        EXPECT_EQ(v2.status(), c.v2) << c.what;
        EXPECT_EQ(v2.failedObject(), c.triple[0]) << c.what;
        EXPECT_EQ(Set(*sim, c.triple, V1Write()).status(), c.v1) << c.what;
    }
}

TEST_F(AgentTest, OneRequestIsAllOrNothing)
{
    // The request spans two registrations; the second binding breaks a rule.
    const ToolResult bad = Set(*sim, {kSysName, "s", "changed", Pv("7.3.0"), "i", "999"});
    EXPECT_EQ(bad.status(), "inconsistentValue");
    EXPECT_EQ(bad.failedObject(), Pv("7.3.0"));
    EXPECT_EQ(sim->value(kSysName), "KX-A1R2");

    sim->clearLog();
    ASSERT_EQ(Set(*sim, {kSysName, "s", "changed", Pv("7.2.0"), "i", "1"}).exitCode, 0);
    EXPECT_EQ(sim->value(kSysName), "changed");
    EXPECT_EQ(sim->value(Pv("7.2.0")), "1");
    const auto log = sim->requestLog();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].pdu, "set");
    EXPECT_EQ(log[0].name, KxSimFixture::kWriteCommunity);
    ASSERT_EQ(log[0].bindings.size(), 2u);
    EXPECT_EQ(log[0].bindings[0].oid, kSysName);
    EXPECT_EQ(log[0].bindings[0].value, "changed");
    EXPECT_EQ(log[0].bindings[1].type, "i");
}

} // namespace
} // namespace kxtest
