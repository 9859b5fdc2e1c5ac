// Every outcome of the aggregated-link member rules, end to end: the simulated
// switch is put into a state that breaks exactly one rule, the member dialog
// loads it, the user ticks two ports and presses OK. The dialog shows exactly
// that rule's message, stays open and writes nothing. The rules' edges are
// TrunkRules' table; the passing writes are TrunkDialog's.

#include "tests/l2/TrunkTestSupport.h"

#include <gtest/gtest.h>

#include <cctype>

using namespace kxtest;
using l2test::Control;

namespace {

struct Outcome
{
    const char* name;
    std::vector<std::string> device; // control commands, P. = the private arc
    std::initializer_list<int> ticked;
    const char* message;
};

const Outcome kOutcomes[] = {
    {"OtherGroup", {"scenario trunk78"}, {1, 7},
     "Cannot add the port as it is a member of another aggregated link !"},
    {"PortType", {"set P.1.13.1.7.2 i R 2"}, {1, 2},
     "Cannot add ports of different types to an aggregated link !"},
    {"HalfDuplex", {"set P.1.13.1.2.1 i W 3"}, {1, 2},
     "Cannot add a port in half-duplex mode to an aggregated link."},
    {"Speed", {"set P.1.13.1.2.2 i W 2"}, {1, 2}, "Cannot add ports of different speed to an aggregated link."},
    {"DhcpScreening", {"set P.14.7.1.0 pl W 80000000"}, {1, 2},
     "Cannot add ports with different DHCP Server Screening Port Settings to an aggregated link."},
    {"Dot1xEnabled", {"set P.11.2.1.0 i W 1", "set P.11.2.9.1.2.2 i W 2"}, {1, 2},
     "Cannot add the 802.1X-enabled port to an aggregated link."},
    {"Dot1xChannelMode", {"set P.11.2.1.0 i W 1", "set P.11.2.9.1.2.1 i W 1"}, {1, 2},
     "Setting the Channel Mode Fail."},
    {"Vlan",
     {"set P.7.6.1.1.10 s C \"v10\"", "set P.7.6.1.2.10 pl C 80000000", "set P.7.6.1.3.10 pl C NONE",
      "set P.7.6.1.4.10 pl C NONE", "set P.7.6.1.5.10 i C 1"},
     {1, 2}, "Cannot add ports with different VLAN configurations to an aggregated link !"},
    {"AutoLearningOff", {"scenario nolearn"}, {1, 2},
     "Cannot add a Auto-learn disabled port to an aggregated link."},
    {"DefaultPriority", {"set P.12.3.1.1.2.2 i W 3"}, {1, 2},
     "Cannot add ports with different 802.1p default priorities to an aggregated link."},
    {"Pvid", {"set P.7.7.1.1.2 u W 5"}, {1, 2}, "Cannot add ports with different PVIDs to an aggregated link."},
    {"PortSecurity", {"scenario portsec"}, {1, 2},
     "Cannot add a port-security anabled port to an aggregated link."},
    {"LoopbackDetection", {"scenario lbd3"}, {2, 3}, "Cannot add a LBD-enabled port to an aggregated link."},
    {"MirrorSource", {"set P.18.3.0 pl W 80000000"}, {1, 2},
     "Cannot add ports of Port Mirror enable ports to an aggregated link."},
    {"MirrorTarget", {"set P.18.1.0 i W 1", "set P.18.2.0 i W 2"}, {1, 2},
     "Cannot add a mirror port to an aggregated link."},
    {"ArpSpoofing",
     {"set P.14.3.1.1.1.10.0.0.1 a C 10.0.0.1", "set P.14.3.1.1.2.10.0.0.1 x C 00-1B-21-00-00-01",
      "set P.14.3.1.1.3.10.0.0.1 pl C 80000000", "set P.14.3.1.1.4.10.0.0.1 i C 1"},
     {1, 2}, "Cannot add ports of ARP Spoofing Prevent enable ports to an aggregated link."},
    {"RateControl", {"set P.13.1.2.1.3.2 i W 630"}, {1, 2},
     "Cannot add ports with different rate control configurations to an aggregated link."},
    {"Rstp", {"set P.6.2.1.2.2 i W 64"}, {1, 2},
     "Cannot add a port with different RSTP port setting to an aggregated link. "},
    {"VoiceVlan", {"scenario voiceauto"}, {1, 2}, "Cannot add a port in Voice Vlan Auto mode to an aggregated link."},
    {"StaticFdb", {"scenario fdb2"}, {1, 2},
     "Cannot add ports with different FDB-destination-hit configurations to an aggregated link."},
    {"Acl", {"scenario acl"}, {5, 7}, "Cannot add an ACL enabled port to an aggregated link."},
    {"SurveillanceCamera", {"scenario surveillance"}, {1, 3},
     "Cannot add a port in  Auto Surveillance VLAN Auto mode to an aggregated link"},
    {"SurveillanceDynamic", {"scenario surveillance"}, {2, 3},
     "Cannot add a port in Auto Surveillance Vlan Auto dynamic mode to an aggregated link"},
    // The device skips port 1's row: port 5's camera mode stays port 5's.
    {"CameraPortAfterAMissingRow",
     {"set P.26.1.1.0 i W 1", "erase P.34.1.5.1.2.1", "erase P.34.1.5.1.3.1", "set P.34.1.5.1.2.5 i R 1"},
     {5, 6}, "Cannot add a port in  Auto Surveillance VLAN Auto mode to an aggregated link"},
};

void PrintTo(const Outcome& o, std::ostream* os)
{
    *os << o.name;
}

class TrunkRuleOutcome : public kxtest::SimSuite<::testing::TestWithParam<Outcome>>
{
};

TEST_P(TrunkRuleOutcome, ShowsExactlyItsMessageAndWritesNothing)
{
    const Outcome& o = GetParam();
    Control(*harness, o.device);
    auto dlg = l2test::OpenMembers(*harness, "2", "Static", "");
    l2test::ClickPorts(dlg.get(), o.ticked);
    harness->sim().clearLog();
    DialogHarness::click(dlg.get(), "OK");
    EXPECT_EQ(harness->prompter().texts(), QStringList{o.message});
    EXPECT_TRUE(harness->sets().empty());
    EXPECT_TRUE(dlg->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Rules, TrunkRuleOutcome, ::testing::ValuesIn(kOutcomes),
                         [](const ::testing::TestParamInfo<Outcome>& info) { return info.param.name; });

} // namespace
