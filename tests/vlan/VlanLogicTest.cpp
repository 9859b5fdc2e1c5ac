// The VLAN dialogs' rules without widgets or network: rows as the device answers
// them, the buttons' checks in their order, and the write sequences against a
// recording set path that refuses what a case says.

#include "app/DeviceInfo.h"
#include "dialogs/vlan/ManagementVlanLogic.h"
#include "dialogs/vlan/PvidModel.h"
#include "dialogs/vlan/VlanModel.h"
#include "dialogs/vlan/VlanTable.h"

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
kx::SnmpValue Int(int v)
{
    return {SnmpType::Integer, QByteArray::number(v)};
}

WalkRow VlanRow(const char* vid, const QByteArray& name, const char* egressHex, const char* untaggedHex,
                int status)
{
    return {QString::fromLatin1(vid),
            {Octets(name), Octets(QByteArray::fromHex(egressHex)), Octets(QByteArray::fromHex(untaggedHex)),
             Int(status)}};
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
// predicate names.
struct Recorder
{
    QStringList sent;
    QStringList refused;
    std::function<bool(const QString& oid, const QString& value)> refuse = [](const QString&, const QString&) {
        return false;
    };

    SetPath path()
    {
        return {[this](const std::vector<kx::SetBinding>& bindings) {
                    bool ok = true;
                    for (const kx::SetBinding& b : bindings) {
                        const QString oid = QString(b.oid).remove(P);
                        const bool portList = oid.startsWith("7.6.1.2.") || oid.startsWith("7.6.1.4.");
                        const QString value = portList ? QString::fromLatin1(b.value.toHex())
                                                       : QString::fromUtf8(b.value);
                        const QString line = oid + '=' + value;
                        if (refuse(oid, value)) {
                            refused << line;
                            ok = false;
                        } else {
                            sent << line;
                        }
                    }
                    return ok;
                },
                [this](int ms) { sent << QStringLiteral("pause %1").arg(ms); }};
    }
};

TEST_F(VlanLogic, VidTextsReadAsTheDeviceFamilyReadsNumbers)
{
    const std::pair<const char*, int> cases[] = {
        {"", 0}, {"abc", 0}, {"12a", 12}, {" 7", 7}, {"-5", -5}, {"4094", 4094}, {"99999999999", 0},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(DecimalValue(QString::fromLatin1(text)), value) << text;
}

TEST_F(VlanLogic, OnlyActiveRowsBecomeEntriesWithDecodedNamesAndPorts)
{
    const std::vector<WalkRow> rows = {
        VlanRow("1", "default", "ff000000", "ff000000", 1),
        VlanRow("10", QByteArray("B\xc3\xbcro \xe2\x82\xac"), "c1000000", "40000000", 1),
        VlanRow("20", "waiting", "ff000000", "00000000", 2),
        VlanRow("30", "created", "00000000", "00000000", 5),
        VlanRow("40", "empty", "00000000", "00000000", 1),
        {QStringLiteral("1.2"), {Octets("odd"), Octets("\xff"), Octets("\x00"), Int(1)}},
    };
    const VlanEntries entries = VlanTableLogic::ActiveEntries(rows);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(VlanTableLogic::ListRow(entries[0]),
              (QStringList{"1", "default", "8", "1,2,3,4,5,6,7,8", "1,2,3,4,5,6,7,8"}));
    EXPECT_EQ(VlanTableLogic::ListRow(entries[1]),
              (QStringList{"10", QString::fromUtf8("B\xc3\xbcro \xe2\x82\xac"), "3", "1,2,8", "2"}));
    EXPECT_EQ(entries[1].untaggedCount, 1);
    EXPECT_EQ(VlanTableLogic::ListRow(entries[2]), (QStringList{"40", "empty", "0", "", ""}));
}

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
    EXPECT_EQ(VlanTableLogic::PvidsFrom(rows, 8), expected);
    EXPECT_EQ(PvidModel::PvidsFrom(rows, std::vector<int>(8, 1)), expected);
    // The PVID dialog lays a walk over what it holds: unanswered ports keep it.
    EXPECT_EQ(PvidModel::PvidsFrom({pvid("2", 5)}, {7, 7, 7}), (std::vector<int>{7, 5, 7}));
}

TEST_F(VlanLogic, EditAndDeleteRunTheirChecksInOrder)
{
    VoiceSurveillance vs;
    vs.voiceState = 1;
    vs.voiceVid = 100;
    vs.surveillanceState = 1;
    vs.surveillanceVid = 200;
    VoiceSurveillance off = vs;
    off.voiceState = 2;
    off.surveillanceState = 2;
    const std::vector<int> pvids = {1, 1, 10, 100, 200, 1, 1, 1};
    const QString select = "Please select the VLAN want to be deleted!";
    const QString ask10 = "The VLAN 10 settings in IGMP Snooping and MAC Address Table maybe be affected, continue?";
    struct Case
    {
        const char* name;
        int rows, selected;
        const char* vid;
        bool asymmetric;
        VoiceSurveillance vs;
        Decision::Kind kind;
        QString text;
        kx::PromptIcon icon;
    };
    const Case deletes[] = {
        {"empty list", 0, -1, "", true, vs, Decision::Refuse, select, kx::PromptIcon::Warning},
        {"no selection", 3, -1, "", true, vs, Decision::Refuse, select, kx::PromptIcon::Information},
        {"default VLAN before anything else", 3, 0, "1", true, vs, Decision::Refuse,
         "Can't delete the default VLAN!", kx::PromptIcon::Warning},
        {"VID below 1 stops silently", 3, 0, "0", true, vs, Decision::Stop, "", kx::PromptIcon::None},
        {"a PVID with asymmetric on", 3, 1, "10", true, vs, Decision::Refuse,
         "The VID is one of The PVID, so it cannot be deleted.", kx::PromptIcon::Warning},
        {"a PVID with asymmetric off", 3, 1, "10", false, vs, Decision::Ask, ask10, kx::PromptIcon::Question},
        {"voice before surveillance, PVID only when asymmetric", 3, 1, "100", false, vs, Decision::Refuse,
         "The VLAN ID is Voice VLAN ID.", kx::PromptIcon::Warning},
        {"the PVID check comes before voice", 3, 1, "100", true, vs, Decision::Refuse,
         "The VID is one of The PVID, so it cannot be deleted.", kx::PromptIcon::Warning},
        {"surveillance", 3, 1, "200", false, vs, Decision::Refuse, "The VLAN ID is Surveillance VLAN ID.",
         kx::PromptIcon::Warning},
        {"features off", 3, 1, "200", false, off, Decision::Ask,
         "The VLAN 200 settings in IGMP Snooping and MAC Address Table maybe be affected, continue?",
         kx::PromptIcon::Question},
    };
    for (const Case& c : deletes) {
        const Decision d = VlanTableLogic::DeleteDecision(c.rows, c.selected, c.vid, c.asymmetric, pvids, c.vs);
        EXPECT_EQ(d.kind, c.kind) << c.name;
        EXPECT_EQ(d.text, c.text) << c.name;
        if (c.kind == Decision::Refuse) {
            EXPECT_EQ(d.icon, c.icon) << c.name;
        }
    }
    EXPECT_EQ(VlanTableLogic::DeleteDecision(3, 1, "10", false, pvids, vs).vid, 10);

    const QString pick = "Please select the VLAN !";
    const Case edits[] = {
        {"empty list", 0, -1, "", false, vs, Decision::Refuse, pick, kx::PromptIcon::Warning},
        {"no selection", 2, -1, "", false, vs, Decision::Refuse, pick, kx::PromptIcon::Information},
        {"VID below 1", 2, 0, "0", false, vs, Decision::Refuse, "Invalid VLAN ID!", kx::PromptIcon::Warning},
        {"surveillance VID asks whatever its state", 2, 1, "200", false, off, Decision::Ask,
         "It is Surveillance VLAN,please don't edit ports except it's Tagged Uplink/Downlink Port.",
         kx::PromptIcon::Question},
        {"any other VLAN", 2, 1, "10", false, vs, Decision::Go, "", kx::PromptIcon::None},
    };
    for (const Case& c : edits) {
        const Decision d = VlanTableLogic::EditDecision(c.rows, c.selected, c.vid, c.vs);
        EXPECT_EQ(d.kind, c.kind) << c.name;
        EXPECT_EQ(d.text, c.text) << c.name;
        if (c.kind == Decision::Refuse) {
            EXPECT_EQ(d.icon, c.icon) << c.name;
        }
    }
}

TEST_F(VlanLogic, AsymmetricModeAndAddRefusals)
{
    VoiceSurveillance both;
    both.voiceState = 1;
    both.surveillanceState = 1;
    EXPECT_EQ(VlanTableLogic::AsymmetricRefusal(both),
              "Voice Vlan is enable,the vlan mode can't change to Asymmetric mode!\n"
              "If you could disable it, please set it through the web!");
    both.voiceState = 2;
    EXPECT_EQ(VlanTableLogic::AsymmetricRefusal(both),
              "Auto Surveillance VLAN is enable,the vlan mode can't change to Asymmetric mode!");
    EXPECT_TRUE(VlanTableLogic::AsymmetricRefusal(VoiceSurveillance()).isEmpty());
    EXPECT_TRUE(VlanTableLogic::AddRefusal(255).isEmpty());
    EXPECT_EQ(VlanTableLogic::AddRefusal(256), " Number of VLAN group is over limit");
}

TEST_F(VlanLogic, UntagIsRefusedInSymmetricModeForPortsUntaggedElsewhere)
{
    const VlanEntries entries = {Entry(1, "1,2,3,4,5,6", "1,2,3,4"), Entry(10, "5,6,7", "5,6")};
    VlanModel symmetric(VlanModel::Mode::Add, 8, 2, entries);
    EXPECT_FALSE(symmetric.choose(3, Choice::Untag));
    EXPECT_EQ(symmetric.choiceOf(3), Choice::NotMember);
    EXPECT_EQ(symmetric.notMembers()[2], 1);
    EXPECT_TRUE(symmetric.choose(7, Choice::Untag));
    EXPECT_EQ(symmetric.choiceOf(7), Choice::Untag);
    EXPECT_TRUE(symmetric.choose(3, Choice::Tag));
    EXPECT_EQ(symmetric.members()[2], 1);
    EXPECT_EQ(symmetric.untagged()[2], 0);

    VlanModel asymmetric(VlanModel::Mode::Add, 8, 1, entries);
    EXPECT_TRUE(asymmetric.choose(3, Choice::Untag));
    EXPECT_FALSE(asymmetric.choose(9, Choice::Tag));
}

TEST_F(VlanLogic, EditModeReleasesAPortsUntaggedMembershipOnce)
{
    // Port 5 is untagged in VLAN 10 only, port 1 in VLAN 1 and VLAN 10.
    const VlanEntries entries = {Entry(1, "1,2,3,4", "1,2,3,4"), Entry(10, "1,5,6", "1,5")};
    VlanModel edit(VlanModel::Mode::Edit, 8, 2, entries, 10);
    EXPECT_EQ(edit.choiceOf(1), Choice::Untag);
    EXPECT_EQ(edit.choiceOf(5), Choice::Untag);
    EXPECT_EQ(edit.choiceOf(6), Choice::Tag);
    EXPECT_EQ(edit.choiceOf(2), Choice::NotMember);

    EXPECT_TRUE(edit.choose(5, Choice::Tag));
    EXPECT_TRUE(edit.choose(5, Choice::Untag)); // no other VLAN sends it untagged
    EXPECT_TRUE(edit.choose(5, Choice::NotMember));
    EXPECT_FALSE(edit.untaggedElsewhere().contains("5"));

    EXPECT_TRUE(edit.choose(1, Choice::NotMember));
    EXPECT_FALSE(edit.choose(1, Choice::Untag)); // still untagged in VLAN 1
    EXPECT_EQ(edit.untaggedElsewhere().count("1"), 1);
    // A tagged port was never untagged here: nothing is released.
    EXPECT_TRUE(edit.choose(6, Choice::NotMember));
    EXPECT_FALSE(edit.choose(2, Choice::Untag));
}

TEST_F(VlanLogic, OkChecksRunInOrderAndStopAtTheFirst)
{
    const VlanEntries entries = {Entry(1, "1,2,3,4,5,6,7,8", "1,2,3,4,5,6,7,8"), Entry(10, "1,2", "")};
    kx::TrunkMembership trunks = kx::TrunkMembership::FromRows(
        {{QStringLiteral("1"), {Octets(QByteArray::fromHex("03000000"))}}}, 8); // ports 7 and 8
    struct Case
    {
        const char* name;
        const char* vid;
        const char* vlanName;
        std::vector<std::pair<int, Choice>> clicks;
        QString message;
    };
    const QString range = "Invalid VLAN ID, VLAN ID should be (2-4094) !";
    const Case adds[] = {
        {"VID 1", "1", "v", {}, range},
        {"VID 4095", "4095", "v", {}, range},
        {"no VID", "", "v", {}, range},
        {"VID in use", "10", "v", {}, "The VLAN ID has been used, please input again !"},
        {"range before name", "0", "", {}, range},
        {"empty name", "20", "", {}, "Invalid Vlan Name."},
        {"forbidden character", "20", "vlan.2", {}, "Invalid Vlan Name."},
        {"half a trunk", "20", "vlan-2", {{7, Choice::Tag}}, "Members in VLAN have to be in the same trunk !"},
        {"half a trunk untagged", "20", "vlan-2", {{7, Choice::Untag}, {8, Choice::Tag}},
         "Members in VLAN have to be in the same trunk !"},
        {"the whole trunk", "4094", "vlan-2", {{7, Choice::Untag}, {8, Choice::Untag}}, ""},
        {"no member is fine when adding", "2", "x", {}, ""},
    };
    for (const Case& c : adds) {
        VlanModel m(VlanModel::Mode::Add, 8, 1, entries);
        m.setTrunks(trunks);
        for (const auto& [port, choice] : c.clicks)
            m.choose(port, choice);
        EXPECT_EQ(m.check(c.vid, c.vlanName), c.message) << c.name;
    }

    // Editing: the VID field is not read; a VLAN may be left empty while another has members.
    VlanModel edit10(VlanModel::Mode::Edit, 8, 1, entries, 10);
    EXPECT_EQ(edit10.vidFor("junk"), 10);
    edit10.choose(1, Choice::NotMember);
    edit10.choose(2, Choice::NotMember);
    EXPECT_EQ(edit10.check("junk", "v10"), "");
    const VlanEntries alone = {Entry(1, "1,2", "1,2"), Entry(10, "", "")};
    VlanModel edit1(VlanModel::Mode::Edit, 8, 1, alone, 1);
    edit1.choose(1, Choice::NotMember);
    edit1.choose(2, Choice::NotMember);
    EXPECT_EQ(edit1.check("", "default"), "You have to include at least one member in the vlan");
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
    };
    const auto Add = VlanModel::Mode::Add;
    const auto Edit = VlanModel::Mode::Edit;
    const auto Written = VlanModel::WriteResult::Written;
    const auto RolledBack = VlanModel::WriteResult::RolledBack;
    // Ports 3 and 4 tagged, port 5 untagged.
    const Case cases[] = {
        {"add", Add, 30, nullptr, Written,
         {"7.6.1.5.30=5", "7.6.1.2.30=ff000000", "7.6.1.4.30=08000000", "7.6.1.2.30=38000000",
          "7.6.1.1.30=new", "pause 50", "7.6.1.5.30=1"}},
        {"edit", Edit, 10, nullptr, Written,
         {"7.6.1.5.10=2", "7.6.1.2.10=ff000000", "7.6.1.4.10=08000000", "7.6.1.2.10=38000000",
          "7.6.1.1.10=new", "pause 50", "7.6.1.5.10=1"}},
        {"edit of the default VLAN", Edit, 1, nullptr, Written,
         {"7.6.1.4.1=08000000", "7.6.1.2.1=38000000", "7.6.1.1.1=new", "pause 50", "7.6.1.5.1=1"}},
        {"add, untagged refused: the new row goes", Add, 30, refuseAt("7.6.1.4"), RolledBack,
         {"7.6.1.5.30=5", "7.6.1.2.30=ff000000", "7.6.1.5.30=6"}},
        {"add, members refused", Add, 30, refuseNth("7.6.1.2", 2), RolledBack,
         {"7.6.1.5.30=5", "7.6.1.2.30=ff000000", "7.6.1.4.30=08000000", "7.6.1.5.30=6"}},
        {"add, all ports refused", Add, 30, refuseNth("7.6.1.2", 1), RolledBack,
         {"7.6.1.5.30=5", "7.6.1.5.30=6"}},
        {"add, nothing created: nothing destroyed", Add, 30,
         [](const QString& oid, const QString&) { return oid.startsWith("7.6.1.5") || oid.startsWith("7.6.1.2"); },
         RolledBack, {}},
        {"edit, untagged refused: the old egress list and the row back", Edit, 10, refuseAt("7.6.1.4"),
         RolledBack, {"7.6.1.5.10=2", "7.6.1.2.10=ff000000", "7.6.1.2.10=c0000000", "7.6.1.5.10=1"}},
        {"edit, members refused: untagged first, then egress", Edit, 10, refuseNth("7.6.1.2", 2), RolledBack,
         {"7.6.1.5.10=2", "7.6.1.2.10=ff000000", "7.6.1.4.10=08000000", "7.6.1.4.10=40000000",
          "7.6.1.2.10=c0000000", "7.6.1.5.10=1"}},
        {"edit, the restore refused: the VLAN stays out of service", Edit, 10,
         [n = 0](const QString& oid, const QString&) mutable { return oid.startsWith("7.6.1.2") && ++n >= 2; },
         RolledBack, {"7.6.1.5.10=2", "7.6.1.2.10=ff000000", "7.6.1.4.10=08000000", "7.6.1.4.10=40000000"}},
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
            r.refuse = c.refuse;
        EXPECT_EQ(m.write(c.vid, "new", r.path()), c.result) << c.name;
        EXPECT_EQ(r.sent, c.sent) << c.name;
    }
}

TEST_F(VlanLogic, TheNameIsWrittenAsUtf8OfAtMost127Octets)
{
    VlanModel m(VlanModel::Mode::Add, 8, 1, {});
    Recorder r;
    std::vector<kx::SetBinding> nameSet;
    SetPath path = r.path();
    auto inner = path.set;
    path.set = [&](const std::vector<kx::SetBinding>& b) {
        if (b[0].oid.startsWith(kDot1qVlanStaticName))
            nameSet = b;
        return inner(b);
    };
    m.write(5, QString(70, QChar(0x20AC)), path); // 3 octets each
    ASSERT_EQ(nameSet.size(), 1u);
    EXPECT_EQ(nameSet[0].type, SnmpType::OctetString);
    EXPECT_EQ(nameSet[0].value.size(), 126);
}

TEST_F(VlanLogic, PvidApplyRules)
{
    const kx::TrunkMembership trunk = kx::TrunkMembership::FromRows(
        {{QStringLiteral("2"), {Octets(QByteArray::fromHex("c0000000"))}}}, 8); // ports 1, 2 in group 2
    const VlanEntries entries = {Entry(1, "1,2,3,4,5,6,7,8", ""), Entry(10, "3", ""), Entry(20, "", "")};
    struct Case
    {
        const char* name;
        std::vector<int> pvids;
        QString message;
    };
    const Case cases[] = {
        {"all 1 pass whatever the groups", {1, 1, 1, 1, 1, 1, 1, 1}, ""},
        {"trunk ports with different PVIDs", {10, 20, 1, 1, 1, 1, 1, 1},
         "You should let all Trunk member in the same PVID !"},
        {"trunk member 1 against 10", {1, 10, 1, 1, 1, 1, 1, 1}, "You should let all Trunk member in the same PVID !"},
        {"a whole trunk on one PVID", {10, 10, 1, 1, 1, 1, 1, 1},
         "Setting PVID on a Trunk is not supported. Please use Web interface for the settings."},
        {"not a listed VLAN", {1, 1, 30, 1, 1, 1, 1, 1}, "Invalid PVID"},
        {"an empty box", {1, 1, 1, 0, 1, 1, 1, 1}, "Invalid PVID"},
        {"a VLAN without members", {1, 1, 20, 1, 1, 1, 1, 1}, "Invalid PVID,VlAN is empty"},
        {"port by port: the first failing port decides", {1, 1, 20, 30, 1, 1, 1, 1}, "Invalid PVID,VlAN is empty"},
        {"valid", {1, 1, 10, 10, 1, 1, 1, 1}, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PvidModel::Check(c.pvids, trunk, entries), c.message) << c.name;
    EXPECT_EQ(PvidModel::PvidOf(""), 0);
    EXPECT_EQ(PvidModel::PvidOf("0012"), 12);
}

TEST_F(VlanLogic, PvidsAreWrittenPortByPortUntilTheFirstRefusal)
{
    Recorder r;
    r.refuse = [](const QString& oid, const QString&) { return oid == "7.7.1.1.3"; };
    EXPECT_EQ(PvidModel::Write({10, 20, 30, 40}, r.path()), 2);
    EXPECT_EQ(r.sent, (QStringList{"7.7.1.1.1=10", "7.7.1.1.2=20"}));

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

TEST_F(VlanLogic, ManagementVlanAnswersAndApply)
{
    kx::GetResult empty{0, 0, 0, {Octets(QByteArray(4, '\0'))}};
    kx::GetResult members{0, 0, 0, {Octets(QByteArray::fromHex("01000000"))}};
    kx::GetResult failed;
    kx::GetResult missing{0, 0, 0, {{SnmpType::NoSuchInstance, {}}}};
    EXPECT_TRUE(ManagementVlanLogic::IsEmptyVlan(empty));
    EXPECT_FALSE(ManagementVlanLogic::IsEmptyVlan(members));
    EXPECT_FALSE(ManagementVlanLogic::IsEmptyVlan(failed)); // a failed get does not stop Apply
    EXPECT_FALSE(ManagementVlanLogic::IsEmptyVlan(missing));

    const auto both = ManagementVlanLogic::ApplyBindings({"2", "10"});
    ASSERT_EQ(both.size(), 2u);
    EXPECT_EQ(both[0].oid, kManagementVlanState);
    EXPECT_EQ(both[0].value, "2");
    EXPECT_EQ(both[1].oid, kManagementVlanId);
    EXPECT_EQ(both[1].value, "10");
    EXPECT_EQ(ManagementVlanLogic::ApplyBindings({"1", ""}).size(), 1u);

    ManagementVlan read{"x", "y"};
    EXPECT_FALSE(ManagementVlanLogic::ReadState(failed, read));
    EXPECT_EQ(read.vid, "y");
    EXPECT_TRUE(ManagementVlanLogic::ReadState({0, 0, 0, {Int(1), Int(20)}}, read));
    EXPECT_EQ(read.state, "1");
    EXPECT_EQ(read.vid, "20");
}

} // namespace
