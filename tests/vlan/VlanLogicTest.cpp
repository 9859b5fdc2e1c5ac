// The VLAN dialogs' rules without widgets or network: rows as the device answers
// them, the buttons' checks in their order, and the write sequences against a
// recording set path that refuses what a case says.

#include "base/DeviceInfo.h"
#include "core/vlan/PvidModel.h"
#include "core/vlan/VlanModel.h"
#include "core/vlan/VlanTable.h"

#include <gtest/gtest.h>

#include <functional>

using namespace kx::vlan;
using kx::WalkRow;
using Choice = VlanModel::PortChoice;

namespace {

const QString P = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.");

class VlanLogic : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_previous = GetDeviceInfo();
        DeviceInfo eightPorts;
        eightPorts.DeviceName = QStringLiteral("KX-A1 R2");
        eightPorts.DevicePortNum = 8;
        InstallDeviceInfo(eightPorts);
    }
    void TearDown() override { InstallDeviceInfo(m_previous); }

private:
    DeviceInfo m_previous;
};

kx::SnmpValue Octets(const QByteArray& o)
{
    return {SnmpType::OctetString, o};
}
VlanEntry Entry(int vid, const QString& egress, const QString& untagged)
{
    VlanEntry e;
    e.vid = vid;
    e.name = QStringLiteral("v%1").arg(vid);
    e.egressList = egress;
    e.untaggedList = untagged;
    e.egressCount = egress.isEmpty() ? 0 : static_cast<int>(egress.split(',').size());
    e.untaggedCount = untagged.isEmpty() ? 0 : static_cast<int>(untagged.split(',').size());
    return e;
}

// A set path that records "OID=value" per request and refuses the requests a
// predicate names (an answer with an error status) or leaves them unanswered.
struct Recorder
{
    using Predicate = std::function<bool(const QString& oid, const QString& value)>;
    QStringList sent;
    Predicate refuse = [](const QString&, const QString&) { return false; };
    Predicate unanswered = [](const QString&, const QString&) { return false; };

    SetPath path()
    {
        return {[this](const std::vector<kx::SetBinding>& bindings) {
                    kx::SetResult result;
                    result.status = 0;
                    for (const kx::SetBinding& b : bindings) {
                        const QString oid = QString(b.oid).remove(P);
                        const bool portList = oid.startsWith("7.6.1.2.") || oid.startsWith("7.6.1.4.");
                        const QString value = portList ? QString::fromLatin1(b.value.toHex())
                                                       : QString::fromUtf8(b.value);
                        if (unanswered(oid, value))
                            result.status = SnmpResult::Failed;
                        else if (refuse(oid, value))
                            result.errorStatus = 10;
                        else
                            sent << oid + '=' + value;
                    }
                    return result;
                },
                [this](int ms) { sent << QStringLiteral("pause %1").arg(ms); }};
    }
};

TEST_F(VlanLogic, PvidsAreStoredByTheRowInstanceAndOnlyForPortsOfTheDevice)
{
    auto pvid = [](const char* instance, quint32 value) {
        return WalkRow{QString::fromLatin1(instance), {{SnmpType::Unsigned32, QByteArray::number(value)}}};
    };
    // Out of order, a gap (port 4), an instance 0, one past the ports and one
    // that is not a port number at all.
    const std::vector<WalkRow> rows = {pvid("3", 30), pvid("1", 10), pvid("0", 99), pvid("2", 20),
                                       pvid("9", 90), pvid("8", 80), pvid("5.1", 51), pvid("4294967297", 7)};
    const std::vector<int> expected = {10, 20, 30, 1, 1, 1, 1, 80};
    EXPECT_EQ(PvidModel::PvidsFrom(rows, std::vector<int>(8, 1)), expected);
    // The PVID dialog lays a walk over what it holds: unanswered ports keep it.
    EXPECT_EQ(PvidModel::PvidsFrom({pvid("2", 5)}, {7, 7, 7}), (std::vector<int>{7, 5, 7}));
}

// What the device cannot be made to show: a VID below 1 in the list, and the
// features' VIDs while the features are off.
TEST_F(VlanLogic, EditAndDeleteOfUnusualRows)
{
    VoiceSurveillance off;
    off.voiceVid = 100;
    off.surveillanceVid = 200;
    const std::vector<int> pvids(8, 100);
    EXPECT_EQ(VlanTableLogic::EditDecision(2, 0, "0", off).text, "Invalid VLAN ID!");
    EXPECT_EQ(VlanTableLogic::DeleteDecision(2, 0, "0", true, pvids, off).kind, Decision::Stop);
    const Decision surveillance = VlanTableLogic::EditDecision(2, 1, "200", off);
    EXPECT_EQ(surveillance.kind, Decision::Ask); // whatever the feature's state
    EXPECT_EQ(surveillance.vid, 200);
    const Decision voiceOff = VlanTableLogic::DeleteDecision(2, 1, "100", false, pvids, off);
    EXPECT_EQ(voiceOff.kind, Decision::Ask);
    EXPECT_EQ(voiceOff.vid, 100);
}

TEST_F(VlanLogic, UntagChoicesAndTheUntaggedPortBookkeeping)
{
    // Port 5 is untagged in VLAN 10 only, port 1 in VLAN 1 and VLAN 10.
    const VlanEntries entries = {Entry(1, "1,2,3,4", "1,2,3,4"), Entry(10, "1,5,6", "1,5")};
    VlanModel add(VlanModel::Mode::Add, 8, 2, entries);
    EXPECT_FALSE(add.choose(1, Choice::Untag));
    EXPECT_EQ(add.notMembers()[0], 1); // refused: unchanged
    EXPECT_TRUE(add.choose(7, Choice::Untag));
    EXPECT_TRUE(VlanModel(VlanModel::Mode::Add, 8, 1, entries).choose(1, Choice::Untag)); // asymmetric

    VlanModel edit(VlanModel::Mode::Edit, 8, 2, entries, 10);
    EXPECT_EQ(edit.choiceOf(1), Choice::Untag);
    EXPECT_EQ(edit.choiceOf(6), Choice::Tag);
    EXPECT_EQ(edit.choiceOf(2), Choice::NotMember);
    EXPECT_TRUE(edit.choose(5, Choice::Tag));
    EXPECT_TRUE(edit.choose(5, Choice::Untag)); // no other VLAN sends it untagged
    EXPECT_TRUE(edit.choose(5, Choice::NotMember));
    EXPECT_TRUE(edit.choose(1, Choice::NotMember));
    EXPECT_FALSE(edit.choose(1, Choice::Untag)); // still untagged in VLAN 1
    EXPECT_EQ(edit.untaggedElsewhere().count("1"), 1);
    EXPECT_TRUE(edit.choose(6, Choice::NotMember)); // was tagged: releases nothing
    EXPECT_FALSE(edit.choose(2, Choice::Untag));
}

TEST_F(VlanLogic, TrunkRuleCoversTheUntaggedSetAndAnEmptyVlanMayStayWhenOthersHaveMembers)
{
    const VlanEntries entries = {Entry(1, "1,2,3,4,5,6,7,8", "1,2,3,4,5,6"), Entry(10, "1,2", "")};
    const kx::TrunkMembership trunk78 = kx::TrunkMembership::FromRows(
        {{QStringLiteral("1"), {Octets(QByteArray::fromHex("03000000"))}}}, 8);
    VlanModel add(VlanModel::Mode::Add, 8, 1, entries);
    add.setTrunks(trunk78);
    add.choose(7, Choice::Untag);
    add.choose(8, Choice::Tag); // members whole, untagged half
    EXPECT_EQ(add.check("20", "v"), "Members in VLAN have to be in the same trunk !");
    add.choose(8, Choice::Untag);
    EXPECT_EQ(add.check("20", "v"), "");

    VlanModel edit(VlanModel::Mode::Edit, 8, 1, entries, 10);
    EXPECT_EQ(edit.vidFor("junk"), 10);
    edit.choose(1, Choice::NotMember);
    edit.choose(2, Choice::NotMember);
    EXPECT_EQ(edit.check("junk", "v10"), "");
}

TEST_F(VlanLogic, WriteSequencesAndWhatAFailedPortSetUndoes)
{
    const VlanEntries entries = {Entry(1, "1,2,3,4,5,6,7,8", "1,2,3,4,5,6,7,8"), Entry(10, "1,2", "2")};
    auto refuseAt = [](const QString& column) {
        return [column](const QString& oid, const QString&) { return oid.startsWith(column); };
    };
    auto refuseNth = [](const QString& column, int nth) {
        auto seen = std::make_shared<int>(0);
        return [column, nth, seen](const QString& oid, const QString&) {
            return oid.startsWith(column) && ++*seen == nth;
        };
    };
    struct Case
    {
        const char* name;
        VlanModel::Mode mode;
        int vid;
        std::function<bool(const QString&, const QString&)> refuse;
        VlanModel::WriteResult result;
        QStringList sent;
        bool silent = false; // the refused request gets no answer at all
    };
    const auto Add = VlanModel::Mode::Add;
    const auto Edit = VlanModel::Mode::Edit;
    const auto Written = VlanModel::WriteResult::Written;
    const auto RolledBack = VlanModel::WriteResult::RolledBack;
    // Ports 3 and 4 tagged, port 5 untagged.
    // A plain add, the default VLAN's edit and the untagged set refused on add and
    // edit are the dialog suite's.
    const Case cases[] = {
        {"edit", Edit, 10, nullptr, Written,
         {"7.6.1.5.10=2", "7.6.1.2.10=ff000000", "7.6.1.4.10=08000000", "7.6.1.2.10=38000000",
          "7.6.1.1.10=new", "pause 50", "7.6.1.5.10=1"}},
        {"add, members refused", Add, 30, refuseNth("7.6.1.2", 2), RolledBack,
         {"7.6.1.5.30=5", "7.6.1.2.30=ff000000", "7.6.1.4.30=08000000", "7.6.1.5.30=6"}},
        {"add, all ports refused", Add, 30, refuseNth("7.6.1.2", 1), RolledBack,
         {"7.6.1.5.30=5", "7.6.1.5.30=6"}},
        {"add, nothing created: nothing destroyed", Add, 30,
         [](const QString& oid, const QString&) { return oid.startsWith("7.6.1.5") || oid.startsWith("7.6.1.2"); },
         RolledBack, {}},
        {"edit, members refused: untagged first, then egress", Edit, 10, refuseNth("7.6.1.2", 2), RolledBack,
         {"7.6.1.5.10=2", "7.6.1.2.10=ff000000", "7.6.1.4.10=08000000", "7.6.1.4.10=40000000",
          "7.6.1.2.10=c0000000", "7.6.1.5.10=1"}},
        {"edit, the restore refused: the VLAN is active again all the same", Edit, 10,
         [n = 0](const QString& oid, const QString&) mutable { return oid.startsWith("7.6.1.2") && ++n >= 2; },
         RolledBack,
         {"7.6.1.5.10=2", "7.6.1.2.10=ff000000", "7.6.1.4.10=08000000", "7.6.1.4.10=40000000", "7.6.1.5.10=1"}},
        {"edit, all ports answered with an error: no port changed, name and activation go on", Edit, 10,
         refuseNth("7.6.1.2", 1), Written, {"7.6.1.5.10=2", "7.6.1.1.10=new", "pause 50", "7.6.1.5.10=1"}},
        {"edit, all ports unanswered: the device may hold it, so it is restored", Edit, 10,
         refuseNth("7.6.1.2", 1), RolledBack, {"7.6.1.5.10=2", "7.6.1.2.10=c0000000", "7.6.1.5.10=1"}, true},
        {"edit, members unanswered: both lists restored", Edit, 10, refuseNth("7.6.1.2", 2), RolledBack,
         {"7.6.1.5.10=2", "7.6.1.2.10=ff000000", "7.6.1.4.10=08000000", "7.6.1.4.10=40000000",
          "7.6.1.2.10=c0000000", "7.6.1.5.10=1"}, true},
        {"default VLAN, members refused: only untagged to undo", Edit, 1, refuseAt("7.6.1.2"), RolledBack,
         {"7.6.1.4.1=08000000", "7.6.1.4.1=ff000000"}},
    };
    for (const Case& c : cases) {
        VlanModel m(c.mode, 8, 1, entries, c.vid);
        for (int p = 1; p <= 8; ++p)
            m.choose(p, Choice::NotMember);
        m.choose(3, Choice::Tag);
        m.choose(4, Choice::Tag);
        m.choose(5, Choice::Untag);
        Recorder r;
        if (c.refuse)
            (c.silent ? r.unanswered : r.refuse) = c.refuse;
        EXPECT_EQ(m.write(c.vid, "new", r.path()), c.result) << c.name;
        EXPECT_EQ(r.sent, c.sent) << c.name;
    }
}

// The widget tests show each message once; these are the orderings.
TEST_F(VlanLogic, PvidApplyRulesTakeTheFirstTrunkPortAndThenEachPortInTurn)
{
    const kx::TrunkMembership trunk = kx::TrunkMembership::FromRows(
        {{QStringLiteral("2"), {Octets(QByteArray::fromHex("c0000000"))}}}, 8); // ports 1, 2 in group 2
    const VlanEntries entries = {Entry(1, "1,2,3,4,5,6,7,8", ""), Entry(10, "3", ""), Entry(20, "", "")};
    const std::pair<std::vector<int>, QString> cases[] = {
        {{1, 1, 1, 1, 1, 1, 1, 1}, ""},
        {{1, 10, 1, 1, 1, 1, 1, 1}, "You should let all Trunk member in the same PVID !"},
        {{1, 1, 20, 30, 1, 1, 1, 1}, "Invalid PVID,VlAN is empty"},
        {{1, 1, 30, 20, 1, 1, 1, 1}, "Invalid PVID"},
    };
    for (const auto& [pvids, message] : cases)
        EXPECT_EQ(PvidModel::Check(pvids, trunk, entries), message) << message.toStdString();
}

// The stop at the first refusal is the PVID dialog test's; the pause past port 40 only shows here.
TEST_F(VlanLogic, PvidWritesPauseAfterTheFortiethPort)
{
    Recorder big;
    EXPECT_EQ(PvidModel::Write(std::vector<int>(52, 1), big.path()), 52);
    ASSERT_EQ(big.sent.size(), 53);
    EXPECT_EQ(big.sent[39], "7.7.1.1.40=1");
    EXPECT_EQ(big.sent[40], "pause 50");
    EXPECT_EQ(big.sent[41], "7.7.1.1.41=1");
    Recorder forty;
    PvidModel::Write(std::vector<int>(40, 1), forty.path());
    EXPECT_FALSE(forty.sent.contains("pause 50"));
}

} // namespace
