// Link aggregation logic without widgets or network: how the group table reads,
// what the two Applies decide, the member write, the member dialog's geometry,
// and how the validator's loads land in its snapshot.

#include "core/l2/TrunkLogic.h"
#include "core/l2/TrunkSnapshot.h"

#include <gtest/gtest.h>

using namespace kx::l2;
using kx::SnmpValue;
using kx::WalkResult;
using kx::WalkRow;

namespace {

SnmpValue Int(int v)
{
    return {SnmpType::Integer, QByteArray::number(v)};
}

SnmpValue Octets(const QByteArray& hex)
{
    return {SnmpType::OctetString, QByteArray::fromHex(hex)};
}

kx::PortFlags Ports(std::initializer_list<int> ports, int portCount = 8)
{
    kx::PortFlags flags(static_cast<std::size_t>(portCount), 0);
    for (int p : ports)
        flags[static_cast<std::size_t>(p - 1)] = 1;
    return flags;
}

TEST(TrunkMemberWrite, MemberListOfTheDialogsPortCountThenModeOfTheGroupInOneSet)
{
    // The eight-port set is TrunkDialog's, read back from the device. The list is
    // as long as the dialog's device needs, not the configured one.
    EXPECT_EQ(MemberWriteBindings(Ports({52}, 52), 52, "1", "1")[0].value,
              QByteArray::fromHex("0000000000001000"));
    EXPECT_EQ(MemberModeValue("LACP"), "1");
}

// Static and Disable rows are the dialog test's list.
TEST(TrunkGroupRow, GroupFromTheInstanceModeAndMembersAsTexts)
{
    EXPECT_EQ(DecodeTrunkGroupRow(WalkRow{"1", {Octets("c0000000"), Int(1)}}, 8).listTexts(),
              (QStringList{"1", "LACP", "1,2"}));
    EXPECT_EQ(DecodeTrunkGroupRow(WalkRow{"2", {Octets(""), SnmpValue{}}}, 8).modeText, "Disable");
}

// A device that answered groups 1, 3 and 5 only.
std::vector<TrunkGroupRow> SparseGroups()
{
    return {{1, "Static", "7,8"}, {3, "Disable", ""}, {5, "LACP", "1,2"}};
}

TEST(TrunkChannelMode, DecidesByTheGroupNumberNotTheListPosition)
{
    using A = ChannelModeDecision::Action;
    const QString invalid = "Invliad VLAN ID, VLAN ID should be (1-8) !";
    const QString noMembers = "Please configure the PortMember first";
    const QString mode = "1.3.6.1.4.1.99999.10.75.13.8.1.3.1.3.";
    struct Case
    {
        const char* id;
        int modeIndex;
        A action;
        QString message;
        QString oid;
        QByteArray value;
    };
    const Case cases[] = {
        {"", 0, A::Nothing, {}, {}, {}},
        {"9", 0, A::RefuseGroup, invalid, {}, {}},
        {"0", 0, A::RefuseGroup, invalid, {}, {}},
        {"-1", 0, A::RefuseGroup, invalid, {}, {}},
        {"abc", 0, A::RefuseGroup, invalid, {}, {}},
        {"1", 1, A::Nothing, {}, {}, {}},            // already Static
        {"1", 0, A::Write, {}, mode + "1", "1"},
        {"1", 2, A::Write, {}, mode + "1", "3"},
        {"5", 1, A::Write, {}, mode + "5", "2"},     // the third row
        {" 5x", 1, A::Write, {}, mode + "5", "2"},
        {"3", 0, A::Refuse, noMembers, {}, {}},      // no members
        {"2", 0, A::Refuse, noMembers, {}, {}},      // not answered at all
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("Trunk ID \"") + c.id + "\", mode " + std::to_string(c.modeIndex));
        const ChannelModeDecision d = DecideChannelMode(c.id, c.modeIndex, SparseGroups());
        EXPECT_EQ(d.action, c.action);
        EXPECT_EQ(d.message, c.message);
        if (c.action == A::Write) {
            EXPECT_EQ(d.binding.oid, c.oid);
            EXPECT_EQ(d.binding.value, c.value);
        }
    }
}

// The refusals and a typed group's members are TrunkDialog's; a group the device did not answer has none.
TEST(TrunkPortMember, PresentMembersAreThoseOfTheTypedGroup)
{
    EXPECT_EQ(RequestPortMembers("2", "Static", SparseGroups()).currentMembers, "");
}

TEST(TrunkMemberCount, TwoToFourMembers)
{
    const QString fewer = "The mininum port members for an aggregated link is 2 !";
    const QString more = "The maxinum port member for an aggregated link is exceeded !";
    const QString expected[] = {fewer, fewer, {}, {}, {}, more, more};
    for (int n = 0; n <= 6; ++n)
        EXPECT_EQ(CheckMemberCount(n), expected[n]) << n << " members";
}

TEST(TrunkMemberGeometry, BoxesAndLabelsWhereTheDialogWantsThem)
{
    struct Case
    {
        int ports;
        QSize size;
        int index;
        QRect box;
        QRect label;
    };
    // The last box of one row, and where the larger devices start a second row.
    const Case cases[] = {
        {8, {500, 250}, 7, {55 + 7 * 52, 125, 17, 15}, {55 + 7 * 52, 140, 20, 20}},
        {48, {520, 330}, 24, {55, 170, 17, 15}, {55, 185, 20, 20}},
        {52, {560, 330}, 25, {55 + 25 * 17, 125, 17, 15}, {55 + 25 * 17, 140, 20, 20}},
        {52, {560, 330}, 51, {55 + 25 * 17, 170, 17, 15}, {55 + 25 * 17, 185, 20, 20}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.ports) + " ports, box " + std::to_string(c.index));
        const MemberDialogGeometry g = MemberGeometry(c.ports);
        EXPECT_EQ(g.dialogSize, c.size);
        EXPECT_EQ(g.boxRect(c.index), c.box);
        EXPECT_EQ(g.labelRect(c.index), c.label);
    }
}

// ---- the validator's loads

TEST(TrunkSnapshot, PerPortValuesGoToThePortTheInstanceNames)
{
    // Port 3 answered first, port 4 never, and rows for ports the device lacks.
    auto row = [](const char* index, int base) {
        WalkRow r{index, {}};
        for (int c = 0; c < 8; ++c)
            r.values.push_back(Int(base + c));
        return r;
    };
    WalkResult walk{SnmpResult::EndOfTable, {row("3", 30), row("1", 10), row("2", 20), row("9", 90),
                                              row("0", 0), row("1.5", 50), row("5", 50)}};
    TrunkSnapshot s(8);
    FoldPortSettings(walk, s);
    EXPECT_EQ(s.speedDuplex, (std::vector<int>{10, 20, 30, 0, 50, 0, 0, 0}));
    EXPECT_EQ(s.defaultPriority, (std::vector<int>{11, 21, 31, 0, 51, 0, 0, 0}));
    // Which column feeds which rule shows in TrunkRuleOutcome, against kxsim.

    WalkResult nine{SnmpResult::EndOfTable, {}};
    for (const char* port : {"2", "1"}) {
        WalkRow r{port, {}};
        for (int c = 0; c < 9; ++c)
            r.values.push_back(Int(QString(port).toInt() * 100 + c));
        nine.rows.push_back(r);
    }
    FoldRstpDot1xVoice(nine, s);
    EXPECT_EQ(s.m_Rstp[0], (std::array<int, 7>{100, 101, 102, 103, 104, 105, 106}));
    EXPECT_EQ(s.dot1xPortValue, (std::vector<int>{107, 207, 0, 0, 0, 0, 0, 0}));

    // A failed walk leaves its columns zero.
    FoldPortSettings(WalkResult{}, s);
    EXPECT_EQ(s.speedDuplex, std::vector<int>(8, 0));
}

TEST(TrunkSnapshot, ListsAndScalarsAsTheRulesReadThem)
{
    TrunkSnapshot s(8);
    FoldTrunkMembers(WalkResult{SnmpResult::EndOfTable,
                                {WalkRow{"1", {Octets("03000000")}}, WalkRow{"4", {Octets("40000000")}}}},
                     s);
    EXPECT_EQ(s.inSomeGroup, (std::vector<int>{0, 1, 0, 0, 0, 0, 1, 1}));

    FoldVlanLists(WalkResult{SnmpResult::EndOfTable,
                             {WalkRow{"1", {Octets("ff000000"), Octets("ff000000")}},
                              WalkRow{"10", {Octets("c0000000"), Octets("00000000")}},
                              WalkRow{"20", {Octets("00000000"), Octets("00000000")}}}},
                  s);
    EXPECT_EQ(s.vlanEgressLists, "1:1,2,3,4,5,6,7,8%0A0A1:1,2%0A0A");
    EXPECT_EQ(s.vlanUntaggedLists, "1:1,2,3,4,5,6,7,8%0A0A");
    EXPECT_EQ(ListSegments(s.vlanEgressLists), (QStringList{"1,2,3,4,5,6,7,8", "1,2"}));

    FoldArpSpoofingPorts(WalkResult{SnmpResult::EndOfTable,
                                    {WalkRow{"10.0.0.1", {Octets("80000000")}},
                                     WalkRow{"10.0.0.2", {Octets("30000000")}},
                                     WalkRow{"10.0.0.3", {Octets("00000000")}}}},
                         s);
    EXPECT_EQ(s.arpSpoofingPorts, "3,4");

    // Static entries are many per port and indexed by address: every one counts.
    WalkResult fdb{SnmpResult::EndOfTable, {}};
    for (int i = 0; i < 12; ++i)
        fdb.rows.push_back(WalkRow{QString("1.0.27.33.0.0.%1").arg(i), {Int(i == 11 ? 5 : 1)}});
    FoldStaticFdbPorts(fdb, s);
    EXPECT_EQ(s.staticFdbPorts.size(), 12u);
    EXPECT_EQ(s.staticFdbPorts.back(), 5);

    kx::GetResult mirror{0, 0, 0, {Octets("00000000"), Octets("20000000"), Octets("f0000000")}};
    FoldMirrorSourcesAndLearning(mirror, s);
    EXPECT_EQ(s.mirrorRxPorts, "");
    EXPECT_EQ(s.mirrorTxPorts, "3");
    EXPECT_EQ(s.autoLearningPorts, "1,2,3,4");
    FoldMirrorSourcesAndLearning(kx::GetResult{}, s);
    EXPECT_EQ(s.autoLearningPorts, ""); // a failed get: no port learns

    FoldDhcpScreening(kx::GetResult{0, 0, 0, {Octets("41000000")}}, s);
    EXPECT_EQ(s.dhcpScreened, (std::vector<int>{0, 1, 0, 0, 0, 0, 0, 1}));

    FoldMirrorTarget(kx::GetResult{0, 0, 0, {Int(1), Int(6)}}, s);
    EXPECT_EQ(s.mirrorState, 1);
    EXPECT_EQ(s.mirrorTargetPort, 6);
}

TEST(TrunkSnapshot, GlobalStatesCountAsEnabledOnlyForExactlyOne)
{
    TrunkSnapshot s(8);
    EXPECT_EQ(s.globals.dot1x, 1); // before the answer
    EXPECT_EQ(s.globals.rstp, 1);
    EXPECT_EQ(s.globals.surveillance, 0);
    FoldGlobalStates(kx::GetResult{}, s); // failed: unchanged
    EXPECT_EQ(s.globals.rstp, 1);
    FoldGlobalStates(kx::GetResult{0, 0, 0, {Int(1), Int(2), {SnmpType::Integer, "1 "}}}, s);
    EXPECT_EQ(s.globals.dot1x, 1);
    EXPECT_EQ(s.globals.rstp, 2);
    EXPECT_EQ(s.globals.surveillance, 2);
    FoldGlobalStates(kx::GetResult{0, 2, 1, {Int(2), Int(2), Int(2)}}, s); // an error status
    EXPECT_EQ(s.globals.dot1x, 1);
}

} // namespace
