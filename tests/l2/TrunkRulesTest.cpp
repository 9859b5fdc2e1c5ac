// The aggregated-link member rules on in-memory snapshots: each row starts from
// a snapshot that every pair of ports passes and changes only what breaks (or
// keeps) one rule. A rule's plain refusal is TrunkRuleOutcome's, against kxsim;
// here are the edges it cannot set up.

#include "core/l2/TrunkRules.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <vector>

using namespace kx::l2;

namespace {

// Eight ports that may all be bundled: same type, speed, VLANs and settings.
TrunkSnapshot Agreeing()
{
    TrunkSnapshot s(8);
    for (int i = 0; i < 8; ++i) {
        s.portType[i] = 1;
        s.speedDuplex[i] = 6;
        s.dot1xPortValue[i] = 3;
        s.defaultPriority[i] = 1;
        s.pvid[i] = 1;
        s.portSecurity[i] = 2;
        s.loopbackDetection[i] = 2;
        s.m_Rstp[i] = {1, 128, 0, 2, 2, 1, 2};
        s.voiceVlanPortMode[i] = 2;
        s.m_CameraVlanState[i] = 2;
        s.surveillanceDynamicMode[i] = 1;
    }
    s.autoLearningPorts = "1,2,3,4,5,6,7,8";
    s.vlanEgressLists = "1:1,2,3,4,5,6,7,8%0A0A";
    s.vlanUntaggedLists = "1:1,2,3,4,5,6,7,8%0A0A";
    s.mirrorState = 2;
    s.mirrorTargetPort = 1;
    s.globals = {2, 1, 2};
    return s;
}

kx::PortFlags Ports(const std::vector<int>& ports)
{
    kx::PortFlags flags(8, 0);
    for (int p : ports)
        flags[static_cast<std::size_t>(p - 1)] = 1;
    return flags;
}

struct Case
{
    const char* name;
    std::function<void(TrunkSnapshot&)> change;
    TrunkRule expected;
    std::vector<int> candidates = {1, 2};
    const char* currentMembers = "";
};

const Case kCases[] = {
    {"all agree", [](TrunkSnapshot&) {}, TrunkRule::None},
    {"in another group's members", [](TrunkSnapshot& s) { s.inSomeGroup[1] = 1; }, TrunkRule::OtherGroup,
     {1, 2}, "3,4"},
    {"re-saving its own group", [](TrunkSnapshot& s) { s.inSomeGroup[6] = s.inSomeGroup[7] = 1; },
     TrunkRule::None, {7, 8}, "7,8"},
    {"port type unknown before the reference", [](TrunkSnapshot& s) { s.portType[0] = 0; }, TrunkRule::None},
    {"port type unknown after the reference", [](TrunkSnapshot& s) { s.portType[1] = 0; }, TrunkRule::PortType},
    {"speeds 0 then 6", [](TrunkSnapshot& s) { s.speedDuplex[0] = 0; }, TrunkRule::None},
    {"speeds 6 then 0", [](TrunkSnapshot& s) { s.speedDuplex[1] = 0; }, TrunkRule::Speed},
    {"half duplex after an unknown", [](TrunkSnapshot& s) { s.speedDuplex[0] = 0; s.speedDuplex[1] = 5; },
     TrunkRule::HalfDuplex},
    {"half duplex not the reference", [](TrunkSnapshot& s) { s.speedDuplex[1] = 5; }, TrunkRule::Speed},
    {"DHCP screening on the second", [](TrunkSnapshot& s) { s.dhcpScreened[1] = 1; }, TrunkRule::DhcpScreening},
    {"DHCP screening on both", [](TrunkSnapshot& s) { s.dhcpScreened[0] = s.dhcpScreened[1] = 1; },
     TrunkRule::None},
    {"802.1X port value 1 first", [](TrunkSnapshot& s) {
         s.globals.dot1x = 1; s.dot1xPortValue[0] = 1; s.dot1xPortValue[1] = 2;
     }, TrunkRule::Dot1xChannelMode},
    {"802.1X off", [](TrunkSnapshot& s) { s.dot1xPortValue[1] = 2; }, TrunkRule::None},
    {"VLAN egress of neither", [](TrunkSnapshot& s) { s.vlanEgressLists += "1:3,5%0A0A"; }, TrunkRule::None},
    {"VLAN untagged of one", [](TrunkSnapshot& s) { s.vlanUntaggedLists = "1:2%0A0A"; }, TrunkRule::Vlan},
    {"auto-learning off on one", [](TrunkSnapshot& s) { s.autoLearningPorts = "1,12"; }, TrunkRule::AutoLearning},
    {"mirror transmit source", [](TrunkSnapshot& s) { s.mirrorTxPorts = "2,3"; }, TrunkRule::MirrorSource},
    {"mirror sources of both", [](TrunkSnapshot& s) { s.mirrorRxPorts = s.mirrorTxPorts = "1,2"; },
     TrunkRule::None},
    {"mirror sources elsewhere", [](TrunkSnapshot& s) { s.mirrorRxPorts = "5"; }, TrunkRule::None},
    {"mirror target, mirroring off", [](TrunkSnapshot& s) { s.mirrorTargetPort = 2; }, TrunkRule::None},
    {"mirror target outside the ports", [](TrunkSnapshot& s) { s.mirrorState = 1; s.mirrorTargetPort = 9; },
     TrunkRule::None},
    {"ARP spoofing on both", [](TrunkSnapshot& s) { s.arpSpoofingPorts = "1,2"; }, TrunkRule::None},
    {"RSTP port setting, RSTP off", [](TrunkSnapshot& s) { s.m_Rstp[1][6] = 1; s.globals.rstp = 2; },
     TrunkRule::None},
    {"static forwarding entry, third of them", [](TrunkSnapshot& s) { s.staticFdbPorts = {5, 9, 2}; },
     TrunkRule::StaticFdb},
    {"static forwarding entry elsewhere", [](TrunkSnapshot& s) { s.staticFdbPorts = {5}; }, TrunkRule::None},
    {"ACL on both", [](TrunkSnapshot& s) { s.aclLists = "1:1,2,3%0A0A"; }, TrunkRule::None},
    {"dynamic mode first in port order", [](TrunkSnapshot& s) {
         s.globals.surveillance = 1; s.surveillanceDynamicMode[0] = 2; s.m_CameraVlanState[1] = 1;
     }, TrunkRule::SurveillanceDynamic},
    {"camera port, surveillance off", [](TrunkSnapshot& s) { s.m_CameraVlanState[1] = 1; }, TrunkRule::None},
    {"the first failing rule decides", [](TrunkSnapshot& s) { s.portType[1] = 2; s.aclLists = "1:2%0A0A"; },
     TrunkRule::PortType},
};

void PrintTo(const Case& c, std::ostream* os)
{
    *os << c.name;
}

class TrunkRules : public ::testing::TestWithParam<Case>
{
};

TEST_P(TrunkRules, FirstFailingRuleAndItsMessage)
{
    const Case& c = GetParam();
    TrunkSnapshot s = Agreeing();
    c.change(s);
    kx::PortFlags candidates = Ports(c.candidates);
    const TrunkVerdict verdict = CheckTrunkMembers(s, candidates, c.currentMembers);
    EXPECT_EQ(verdict.rule, c.expected);
}

INSTANTIATE_TEST_SUITE_P(Outcomes, TrunkRules, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             std::string name;
                             for (const char* p = info.param.name; *p; ++p)
                                 name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                             return name;
                         });

TEST(TrunkRulesGlobals, RstpAndSurveillanceJudgeTheStatesReadAgain)
{
    TrunkSnapshot s = Agreeing();
    s.m_Rstp[1][0] = 2;
    s.m_CameraVlanState[1] = 1;
    s.globals.rstp = 2;
    const kx::PortFlags pair = Ports({1, 2});
    int reads = 0;
    auto answer = [&reads](TrunkGlobalStates states) {
        return [&reads, states]() -> std::optional<TrunkGlobalStates> {
            ++reads;
            return states;
        };
    };
    EXPECT_EQ(CheckTrunkMembers(s, pair, "").rule, TrunkRule::None);
    EXPECT_EQ(CheckTrunkMembers(s, pair, "", answer({2, 1, 2})).rule, TrunkRule::Rstp);
    EXPECT_EQ(CheckTrunkMembers(s, pair, "", answer({2, 2, 1})).rule, TrunkRule::SurveillanceCamera);
    EXPECT_EQ(reads, 2);
    // A second read that fails judges the states loaded before.
    EXPECT_EQ(CheckTrunkMembers(s, pair, "", [] { return std::optional<TrunkGlobalStates>(); }).rule,
              TrunkRule::None);
    // Earlier rules refuse without asking the device again.
    s.portType[1] = 4;
    EXPECT_EQ(CheckTrunkMembers(s, pair, "", answer({2, 1, 2})).rule, TrunkRule::PortType);
    EXPECT_EQ(reads, 2);
}

TEST(TrunkRulesGlobals, RstpRuleTracesTheStateAndTheDifference)
{
    kxtest::TraceCapture trace;
    TrunkSnapshot s = Agreeing();
    s.m_Rstp[1][2] = 7;
    EXPECT_EQ(CheckTrunkMembers(s, Ports({1, 2}), "").rule, TrunkRule::Rstp);
    EXPECT_TRUE(trace.contains("m_iRstpEnable =  1 "));
    EXPECT_TRUE(trace.contains("temp3 = 0, m_Rstp[i][2] =7, i= 1"));
}

} // namespace
