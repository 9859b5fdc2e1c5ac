// The device model: the rules a SET must keep, and what follows from the
// configuration and the simulated world (links, PoE, neighbours, resets).

#include "tests/sim/SnmpTools.h"

#include <gtest/gtest.h>

namespace kxtest {
namespace {

class ModelTest : public SharedSimTest
{
protected:
    static std::string V(const std::string& oid) { return sim->value(oid).value_or("<absent>"); }
};

const std::string kIfOper = "1.3.6.1.2.1.2.2.1.8.";
const std::string kIfSpeed = "1.3.6.1.2.1.2.2.1.5.";
const std::string kStpState = "1.3.6.1.2.1.17.2.15.1.3.";

TEST_F(ModelTest, Rules)
{
    struct Case
    {
        const char* rule;
        std::vector<std::string> before; // control commands
        std::vector<std::string> triples;
        std::string status;
    };
    // Triples that set column.<port> of ports 1, 2, ... to each value in turn.
    auto eachPort = [](const std::string& column, const std::vector<std::string>& values) {
        std::vector<std::string> triples;
        for (std::size_t p = 0; p < values.size(); ++p)
            triples.insert(triples.end(), {Pv(column + std::to_string(p + 1)), "i", values[p]});
        return triples;
    };
    std::vector<std::string> emptyWhiteList;
    for (const char* column : {"1", "2", "3", "4"})
        emptyWhiteList.push_back("erase " + Pv("14.10.3.1." + std::string(column) + ".10.0.0.102.0.27.33.0.0.2"));
    const std::vector<Case> cases = {
        {"STP timers: maxAge within 2*(delay-1s)", {}, {"1.3.6.1.2.1.17.2.12.0", "i", "3000"}, "inconsistentValue"},
        {"STP timers: hello 100 and delay 3000 together", {},
         {"1.3.6.1.2.1.17.2.13.0", "i", "100", "1.3.6.1.2.1.17.2.14.0", "i", "3000"}, ""},
        {"STP timers: maxAge within 2*(hello+1s)", {}, {"1.3.6.1.2.1.17.2.13.0", "i", "1000"}, "inconsistentValue"},
        {"STP priority in steps of 4096", {}, {"1.3.6.1.2.1.17.2.2.0", "i", "4096"}, ""},
        {"STP port priority in steps of 16", {}, {"1.3.6.1.2.1.17.2.15.1.2.1", "i", "17"}, "wrongValue"},
        {"a PortList naming port 9 of 8", {}, {Pv("7.6.1.4.1"), "x", "FF800000"}, "wrongValue"},
        {"untagged within egress", {}, {Pv("7.6.1.2.1"), "x", "0F000000"}, "inconsistentValue"},
        {"PVID names a VLAN", {}, {Pv("7.7.1.1.2"), "u", "30"}, "inconsistentValue"},
        {"management VLAN names a VLAN", {}, {Pv("7.3.0"), "i", "30"}, "inconsistentValue"},
        {"asymmetric refused with voice VLAN", {"scenario voice100"}, {Pv("7.5.0"), "i", "1"}, "inconsistentValue"},
        {"asymmetric refused with surveillance", {"scenario surveillance"}, {Pv("7.5.0"), "i", "1"},
         "inconsistentValue"},
        {"surveillance needs a VID", {}, {Pv("26.1.1.0"), "i", "1"}, "inconsistentValue"},
        {"surveillance not on the voice VID", {"scenario voice100"},
         {Pv("26.1.2.0"), "i", "100", Pv("26.1.1.0"), "i", "1"}, "inconsistentValue"},
        {"surveillance VID 1", {}, {Pv("26.1.2.0"), "i", "1"}, "wrongValue"},
        {"1000M on a copper 100M port", {}, {Pv("1.13.1.2.1"), "i", "1"}, "wrongValue"},
        {"half duplex on an aggregated port", {"scenario trunk78"}, {Pv("1.13.1.2.7"), "i", "3"},
         "inconsistentValue"},
        {"aggregation: one member", {}, {Pv("8.1.3.1.2.2"), "x", "80000000"}, "wrongValue"},
        {"aggregation: five members", {}, {Pv("8.1.3.1.2.2"), "x", "F8000000"}, "wrongValue"},
        {"aggregation: a port in two groups", {"scenario trunk78"}, {Pv("8.1.3.1.2.2"), "x", "03000000"},
         "inconsistentValue"},
        {"mirror target among its sources", {},
         {Pv("18.2.0"), "i", "2", Pv("18.3.0"), "x", "40000000", Pv("18.1.0"), "i", "1"}, "inconsistentValue"},
        {"bandwidth below one step", {}, {Pv("13.1.2.1.2.1"), "i", "62"}, "wrongValue"},
        {"bandwidth above 100000", {}, {Pv("13.1.2.1.3.1"), "i", "100001"}, "wrongValue"},
        {"storm threshold in steps of 63", {}, {Pv("13.3.3.0"), "i", "6400"}, "wrongValue"},
        {"IGMP host timeout range", {}, {Pv("10.1.3.0"), "i", "129"}, "wrongValue"},
        {"IGMP timers need snooping on before the request", {},
         {Pv("10.1.1.0"), "i", "1", Pv("10.1.2.0"), "i", "300"}, "inconsistentValue"},
        {"IGMP querier needs snooping in its VLAN", {}, {Pv("10.3.4.1.4.1"), "i", "1"}, "inconsistentValue"},
        {"IGMP router ports: half an aggregated link", {"scenario trunk78"}, {Pv("10.3.4.1.6.1"), "x", "01000000"},
         "inconsistentValue"},
        {"multicast filtering: one mode per aggregated link", {"scenario trunk78"}, {Pv("28.1.1.2.7"), "i", "2"},
         "inconsistentValue"},
        {"802.1X: one port stays ForceAuthorized", {}, eachPort("11.2.9.1.2.", {"2", "2", "2", "2", "2", "2", "2", "1"}),
         "inconsistentValue"},
        {"802.1X: QuietPeriod 0 allowed", {}, {Pv("11.2.2.0"), "i", "0"}, ""},
        {"802.1X: ReAuthPeriod 0", {}, {Pv("11.2.7.0"), "u", "0"}, "wrongValue"},
        {"binding on every port with an empty white list", emptyWhiteList,
         eachPort("14.10.1.1.2.", std::vector<std::string>(8, "1")), "inconsistentValue"},
        {"syslog facility in steps of 8", {}, {Pv("16.1.5.0"), "i", "130"}, "wrongValue"},
        {"syslog severity", {}, {Pv("16.1.4.0"), "i", "5"}, "wrongValue"},
        {"LLDP interval x hold <= 65535", {}, {Pv("24.3.0"), "i", "32768", Pv("24.2.0"), "i", "2"},
         "inconsistentValue"},
        {"LLDP TX delay <= interval/4", {}, {Pv("24.5.0"), "i", "8"}, "inconsistentValue"},
        {"LLDP TX delay 7 with interval 30", {}, {Pv("24.5.0"), "i", "7"}, ""},
        {"PoE threshold above 72.0", {}, {Pv("22.2.0"), "s", "72.1"}, "wrongValue"},
        {"PoE threshold 7.1", {}, {Pv("22.2.0"), "s", "7.1"}, ""},
        {"PoE limit not a multiple of 0.2", {}, {Pv("22.1.1.8.1.1"), "s", "1.1"}, "wrongValue"},
        {"PoE limit 15.4", {}, {Pv("22.1.1.8.1.1"), "s", "15.4"}, ""},
        {"PoE time range names a profile", {}, {Pv("22.1.1.4.1.1"), "i", "3"}, "inconsistentValue"},
        {"power saving names a profile", {}, {Pv("31.1.3.0"), "s", "Night"}, "inconsistentValue"},
        {"engine ID too short", {}, {Pv("25.7.0"), "x", "80000001"}, "wrongLength"},
        {"a V3 user's SHA needs its password", {}, {Pv("25.2.1.1.8.1.117.3"), "i", "4", Pv("25.2.1.1.4.1.117.3"), "i", "3"},
         "inconsistentValue"},
        {"privacy needs authentication", {},
         {Pv("25.2.1.1.8.1.117.3"), "i", "4", Pv("25.2.1.1.6.1.117.3"), "i", "2", Pv("25.2.1.1.7.1.117.3"), "s", "privpass"},
         "inconsistentValue"},
        {"a V3 user with SHA and DES", {},
         {Pv("25.2.1.1.8.1.117.3"), "i", "4", Pv("25.2.1.1.4.1.117.3"), "i", "3", Pv("25.2.1.1.5.1.117.3"), "s",
          "authpass", Pv("25.2.1.1.6.1.117.3"), "i", "2", Pv("25.2.1.1.7.1.117.3"), "s", "privpass"},
         ""},
        {"a v1 group is noAuthNoPriv", {}, {Pv("25.3.1.1.7.1.103.1.3"), "i", "5"}, "inconsistentName"},
        {"a view mask longer than its subtree", {},
         {Pv("25.4.1.1.5.1.118.2.1.3"), "i", "5", Pv("25.4.1.1.3.1.118.2.1.3"), "x", "010101"}, "wrongValue"},
        {"a community takes a V1 or V2c user's view", {},
         {Pv("25.5.1.1.3.1.99"), "i", "4", Pv("25.5.1.1.2.1.99"), "s", "initial"}, "inconsistentValue"},
        {"a community of ReadOnly", {}, {Pv("25.5.1.1.3.1.99"), "i", "4", Pv("25.5.1.1.2.1.99"), "s", "ReadOnly"}, ""},
        {"no notification host at a broadcast address", {}, {Pv("25.6.1.1.4.192.168.0.255"), "i", "5"},
         "inconsistentName"},
        {"one transfer at a time (two in one request)", {},
         {Pv("3.1.0"), "a", "10.0.0.5", Pv("3.2.0"), "s", "a.bin", Pv("3.7.0"), "i", "2", Pv("3.3.0"), "i", "1"},
         "inconsistentValue"},
    };
    for (const auto& c : cases) {
        sim->control("reset");
        for (const auto& cmd : c.before)
            sim->control(cmd);
        const ToolResult r = Set(*sim, c.triples);
        EXPECT_EQ(r.status(), c.status) << c.rule << ": " << r.err;
    }
}

TEST_F(ModelTest, NormalisedValues)
{
    // The device rounds to its 63 Kbit/s steps; an empty profile name reads "None".
    ASSERT_EQ(Set(*sim, {Pv("13.1.2.1.2.1"), "i", "100", Pv("13.1.2.1.3.1"), "i", "0"}).exitCode, 0);
    ASSERT_EQ(Set(*sim, {Pv("31.2.3.0"), "s", ""}).exitCode, 0);
    ASSERT_EQ(Set(*sim, {Pv("31.2.4.0"), "s", "Office"}).exitCode, 0);
    ExpectValues(*sim, {{Pv("13.1.2.1.2.1"), "63"}, {Pv("13.1.2.1.3.1"), "0"}, {Pv("31.2.3.0"), "None"},
                        {Pv("31.2.4.0"), "Office"}});
}

TEST_F(ModelTest, DefaultLinksAndTheirDerivedObjects)
{
    // Ports 1, 2 on 100M, port 3 on 10M, port 4 disabled, the rest without a cable.
    struct Port
    {
        int port;
        std::string oper, speed, mode, stp, admin;
    };
    const std::vector<Port> ports = {{1, "1", "100000000", "3", "5", "1"}, {2, "1", "100000000", "3", "5", "1"},
                                     {3, "1", "10000000", "5", "5", "1"},  {4, "2", "100000000", "1", "1", "2"},
                                     {5, "2", "100000000", "1", "2", "1"}};
    for (const auto& p : ports) {
        const std::string n = std::to_string(p.port);
        EXPECT_EQ(V(kIfOper + n), p.oper) << n;
        EXPECT_EQ(V(kIfSpeed + n), p.speed) << n;
        EXPECT_EQ(V(Pv("1.13.1.3." + n)), p.mode) << n;
        EXPECT_EQ(V(kStpState + n), p.stp) << n;
        EXPECT_EQ(V("1.3.6.1.2.1.2.2.1.7." + n), p.admin) << n;
    }
    ExpectValues(*sim, {{"1.3.6.1.2.1.2.2.1.8.1001", "1"}, {"1.3.6.1.2.1.17.2.15.1.5.3", "2000000"}});
}

TEST_F(ModelTest, CableChangesOnePortAtomically)
{
    const std::string fdb1 = "1.3.6.1.2.1.17.7.1.2.2.1.2.1.0.27.33.0.0.1";
    const std::string lldp1 = "1.0.8802.1.1.2.1.4.1.1.9.0.1.1";
    ExpectValues(*sim, {{fdb1, "1"}, {lldp1, "cam-01"}});
    sim->control("cable 1 none");
    // Learnt entries and the neighbour leave with the link; static entries stay.
    ExpectValues(*sim, {{kIfOper + "1", "2"}, {Pv("1.13.1.3.1"), "1"}, {kStpState + "1", "2"}, {fdb1, "<absent>"},
                        {lldp1, "<absent>"}, {"1.3.6.1.2.1.17.7.1.2.2.1.3.1.0.27.33.0.0.153", "5"}});
    sim->control("cable 1 10M");
    ExpectValues(*sim, {{kIfSpeed + "1", "10000000"}, {Pv("1.13.1.3.1"), "5"}, {fdb1, "1"}});
    // A port forced to 100M finds no partner on a 10M cable; disabling it
    // disables the interface and its spanning tree state.
    ASSERT_EQ(Set(*sim, {Pv("1.13.1.2.1"), "i", "2"}).exitCode, 0);
    EXPECT_EQ(V(kIfOper + "1"), "2");
    ASSERT_EQ(Set(*sim, {Pv("1.13.1.2.1"), "i", "7"}).exitCode, 0);
    ExpectValues(*sim, {{"1.3.6.1.2.1.2.2.1.7.1", "2"}, {kStpState + "1", "1"}});
    // RSTP off: an enabled port without link is disabled rather than blocking.
    ASSERT_EQ(Set(*sim, {Pv("6.1.1.0"), "i", "2"}).exitCode, 0);
    EXPECT_EQ(V(kStpState + "5"), "1");
}

TEST_F(ModelTest, LldpNeighboursFollowStateAndControl)
{
    const ToolResult walk = Walk(*sim, "1.0.8802.1.1.2.1.4.1.1.9");
    ASSERT_EQ(walk.varbinds.size(), 2u);
    EXPECT_EQ(walk.varbinds[1].value, "phone-02");
    sim->control("neighbour 3 chassis=00-1B-21-00-00-33 port=\"gi 1/0/3\" name=\"sw-03\" desc=\"Access switch\"");
    ExpectValues(*sim, {{"1.0.8802.1.1.2.1.4.1.1.7.0.3.1", "gi 1/0/3"},
                        {"1.0.8802.1.1.2.1.4.1.1.5.0.3.1", "00-1B-21-00-00-33"}});
    ASSERT_EQ(Set(*sim, {Pv("24.1.0"), "i", "2"}).exitCode, 0);
    EXPECT_TRUE(sim->dump("1.0.8802.1.1.2.1.4").empty());
    ASSERT_EQ(Set(*sim, {"1.3.6.1.2.1.1.5.0", "s", "core-sw"}).exitCode, 0);
    EXPECT_EQ(V("1.0.8802.1.1.2.1.3.3.0"), "core-sw");
}

TEST_F(ModelTest, PoeBudgetAndPortStates)
{
    ExpectValues(*sim, {{Pv("22.5.0"), "10.0"}, {Pv("22.6.0"), "62.0"}, {Pv("22.7.0"), "13"},
                        {Pv("22.1.1.9.1.1"), "3.8"}, {Pv("22.1.1.11.1.1"), "79"}, {Pv("22.1.1.12.1.2"), "Class 3"},
                        {Pv("22.1.1.13.1.3"), "POWER OFF"}});
    // The panel's budget lamp threshold: 7.0 and 7.1 left.
    sim->control("scenario budget");
    EXPECT_EQ(V(Pv("22.6.0")), "7.0");
    sim->control("reset");
    sim->control("scenario budget71");
    EXPECT_EQ(V(Pv("22.6.0")), "7.1");
    // PoE does not depend on the data link; it does on the port state.
    sim->control("reset");
    sim->control("cable 1 none");
    EXPECT_EQ(V(Pv("22.1.1.13.1.1")), "POWER ON");
    ASSERT_EQ(Set(*sim, {Pv("22.1.1.3.1.1"), "i", "2"}).exitCode, 0);
    ExpectValues(*sim, {{Pv("22.1.1.13.1.1"), "POWER OFF"}, {Pv("22.5.0"), "6.2"}});
    // A device drawing more than its port's limit is a fault.
    ASSERT_EQ(Set(*sim, {Pv("22.1.1.6.1.2"), "i", "2"}).exitCode, 0); // Class 1: 4.0 W
    EXPECT_EQ(V(Pv("22.1.1.13.1.2")), "OVER LOAD");
    // The budget: the next port, or the lowest priority, goes without.
    sim->control("reset");
    sim->control("pd 5 class=3 watts=9.0");
    ASSERT_EQ(Set(*sim, {Pv("22.2.0"), "s", "13.0"}).exitCode, 0);
    EXPECT_EQ(V(Pv("22.1.1.13.1.5")), "POWER DENIED");
    ASSERT_EQ(Set(*sim, {Pv("22.1.1.5.1.5"), "i", "3", Pv("22.3.0"), "i", "2"}).exitCode, 0);
    // 9.0 + 3.8 fit, 6.2 more do not.
    ExpectValues(*sim, {{Pv("22.1.1.13.1.5"), "POWER ON"}, {Pv("22.1.1.13.1.1"), "POWER ON"},
                        {Pv("22.1.1.13.1.2"), "POWER DENIED"}});
}

TEST_F(ModelTest, TimeProfilesScheduleAndRelease)
{
    // Profile 1 "Office": Monday to Friday, 08:00-18:00.
    ASSERT_EQ(Set(*sim, {Pv("22.1.1.4.1.1"), "i", "1", Pv("31.1.3.0"), "s", "Office"}).exitCode, 0);
    sim->control("clock 2024-03-04 10:00"); // a Monday
    EXPECT_EQ(V(Pv("22.1.1.13.1.1")), "POWER ON");
    sim->control("clock 2024-03-04 19:00");
    EXPECT_EQ(V(Pv("22.1.1.13.1.1")), "Time-based OFF");
    sim->control("clock 2024-03-09 10:00"); // a Saturday
    EXPECT_EQ(V(Pv("22.1.1.13.1.1")), "Time-based OFF");
    // Destroying the profile releases the port and the power-saving function.
    ASSERT_EQ(Set(*sim, {Pv("32.1.1.21.1"), "i", "6"}).exitCode, 0);
    ExpectValues(*sim, {{Pv("22.1.1.4.1.1"), "0"}, {Pv("31.1.3.0"), "None"}, {Pv("22.1.1.13.1.1"), "POWER ON"}});
}

TEST_F(ModelTest, AsymmetricVlanResets)
{
    ASSERT_EQ(Set(*sim, {Pv("7.6.1.5.10"), "i", "4"}).exitCode, 0);
    ASSERT_EQ(Set(*sim, {Pv("7.6.1.2.10"), "x", "F0000000", Pv("7.7.1.1.2"), "u", "10", Pv("7.3.0"), "i", "10",
                         Pv("7.2.0"), "i", "1", Pv("10.3.4.1.2.1"), "i", "1"})
                  .exitCode,
              0);
    EXPECT_EQ(V(Pv("10.3.4.1.1.10")), "10"); // the IGMP row came with the VLAN
    ASSERT_EQ(Set(*sim, {Pv("7.5.0"), "i", "1"}).exitCode, 0);
    // Learnt entries are flushed, static ones stay.
    ExpectValues(*sim, {{Pv("7.6.1.5.10"), "<absent>"}, {Pv("7.7.1.1.2"), "1"}, {Pv("7.2.0"), "2"}, {Pv("7.3.0"), "1"},
                        {Pv("10.3.4.1.2.1"), "2"}, {Pv("10.3.4.1.1.10"), "<absent>"},
                        {"1.3.6.1.2.1.17.7.1.2.2.1.2.1.0.27.33.0.0.1", "<absent>"},
                        {"1.3.6.1.2.1.17.7.1.2.2.1.2.1.0.27.33.0.0.153", "2"}});
}

TEST_F(ModelTest, DestroyingAVlanReleasesItsPorts)
{
    ASSERT_EQ(Set(*sim, {Pv("7.6.1.5.30"), "i", "4"}).exitCode, 0);
    ASSERT_EQ(Set(*sim, {Pv("7.7.1.1.5"), "u", "30", Pv("7.7.1.1.6"), "u", "30"}).exitCode, 0);
    ASSERT_EQ(Set(*sim, {Pv("7.6.1.5.30"), "i", "6"}).exitCode, 0);
    ExpectValues(*sim, {{Pv("7.7.1.1.5"), "1"}, {Pv("7.7.1.1.6"), "1"}, {Pv("10.3.4.1.1.30"), "<absent>"}});
}

TEST_F(ModelTest, SurveillanceVlanTakesOverAndPowersItsPorts)
{
    ASSERT_EQ(Set(*sim, {Pv("7.6.1.5.40"), "i", "4"}).exitCode, 0);
    ASSERT_EQ(Set(*sim, {Pv("7.6.1.2.40"), "x", "FF000000", Pv("22.1.1.3.1.7"), "i", "2"}).exitCode, 0);
    ASSERT_EQ(Set(*sim, {Pv("26.1.2.0"), "i", "40", Pv("26.1.4.0"), "x", "03000000", Pv("26.1.1.0"), "i", "1"})
                  .exitCode,
              0);
    ExpectValues(*sim, {{Pv("7.6.1.2.40"), "03-00-00-00"}, {Pv("22.1.1.3.1.7"), "1"}});
}

TEST_F(ModelTest, BindingsWhiteAndBlackList)
{
    const std::string binding = "14.10.2.1.5.0.27.33.0.0.1.1.10.0.0.101"; // MAC.port.IP, not bound yet
    ASSERT_EQ(Set(*sim, {Pv(binding), "i", "1"}).exitCode, 0);
    ExpectValues(*sim, {{Pv(binding), "1"}, {Pv("14.10.3.1.3.10.0.0.101.0.27.33.0.0.1"), "1"}}); // white list, port 1
    // Removal through MAC.1.port removes the blocked host whatever its VLAN.
    sim->control("set " + Pv("14.10.4.1.2.0.102.119.136.153.170.1.3") + " i R 1");
    ASSERT_EQ(Set(*sim, {Pv("14.10.4.1.5.0.102.119.136.153.170.1.3"), "i", "1"}).exitCode, 0);
    EXPECT_TRUE(sim->dump(Pv("14.10.4")).empty());
}

TEST_F(ModelTest, AddressScanAddsBindings)
{
    sim->control("scenario scanhosts");
    ASSERT_EQ(Set(*sim, {Pv("14.10.5.0"), "a", "10.0.0.150", Pv("14.10.6.0"), "a", "10.0.0.160"}).exitCode, 0);
    ASSERT_EQ(Set(*sim, {Pv("14.10.7.0"), "i", "1"}).exitCode, 0);
    ASSERT_TRUE(WaitFor([] { return V(Pv("14.10.7.0")) == "2"; }, std::chrono::seconds(2)));
    ExpectValues(*sim, {{Pv("14.10.2.1.5.0.27.33.0.1.80.5.10.0.0.150"), "2"},
                        {Pv("14.10.2.1.4.0.27.33.0.1.82.7.10.0.0.152"), "1"},
                        {Pv("14.10.2.1.5.0.27.33.0.2.0.8.10.0.0.200"), "<absent>"}}); // outside the range
}

TEST_F(ModelTest, ModelsAndPortCounts)
{
    {
        KxSimFixture c1({"--model", "KX-C1 R2"});
        ASSERT_TRUE(c1.start());
        EXPECT_EQ(Set(c1, {Pv("22.2.0"), "s", "185.0"}).exitCode, 0);
        EXPECT_EQ(Set(c1, {Pv("13.3.3.0"), "i", "126"}).exitCode, 0);
    }
    {
        KxSimFixture f1({"--model", "KX-F1"});
        ASSERT_TRUE(f1.start());
        const ToolResult poe = Get(f1, {Pv("22.6.0")});
        ASSERT_EQ(poe.varbinds.size(), 1u);
        EXPECT_EQ(poe.varbinds[0].type, "NoSuchObject");
        EXPECT_EQ(f1.value(Pv("13.3.3.0")), "6400");
        EXPECT_EQ(Set(f1, {Pv("13.3.3.0"), "i", "126"}).status(), "wrongValue");
        EXPECT_EQ(Set(f1, {Pv("13.3.3.0"), "i", "128"}).exitCode, 0);
    }
    {
        KxSimFixture ten({"--ports", "10"});
        ASSERT_TRUE(ten.start());
        const ToolResult walk = Walk(ten, "1.3.6.1.2.1.2.2.1.1");
        ASSERT_EQ(walk.varbinds.size(), 11u);
        EXPECT_EQ(walk.varbinds[9].value, "10");
        EXPECT_EQ(walk.varbinds[10].value, "1001");
        EXPECT_EQ(ten.value(Pv("7.6.1.2.1")), "FF-C0-00-00");
        EXPECT_EQ(Set(ten, {Pv("9.2.0"), "x", "00200000"}).status(), "wrongValue"); // port 11
    }
}

} // namespace
} // namespace kxtest
