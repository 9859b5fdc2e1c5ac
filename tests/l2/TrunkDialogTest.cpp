// "Trunk Configuration" and its member dialog driven the way a user drives them,
// against the simulated switch: what they list, what each Apply and the member
// dialog write (read back from the request log and the device), how they wait
// for their loads, and how they behave when the device does not answer.

#include "ui/l2/CTrunkConfigDlg.h"
#include "core/l2/TrunkSnapshot.h"
#include "tests/l2/TrunkTestSupport.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <algorithm>

using namespace kxtest;
using l2test::Control;
using l2test::Value;

namespace {

class TrunkDialog : public kxtest::SimSuite<>
{
protected:

    static std::unique_ptr<CTrunkConfigDlg> OpenList()
    {
        auto dlg = harness->open<CTrunkConfigDlg>();
        EXPECT_TRUE(DialogHarness::waitFirstRead(*dlg));
        return dlg;
    }
    static kx::GridListView* List(QWidget* dlg) { return DialogHarness::find<kx::GridListView>(dlg, "Trunk Table"); }
    static QPushButton* Button(QWidget* dlg, const char* name) { return DialogHarness::find<QPushButton>(dlg, name); }
    static QStringList Row(QWidget* dlg, int row)
    {
        QStringList texts;
        for (int c = 0; c < 3; ++c)
            texts << List(dlg)->cellText(row, c);
        return texts;
    }
    // Waits for the refresh an Apply starts after its set.
    static bool WaitRefreshed(QWidget* dlg, const QStringList& row0)
    {
        return DialogHarness::waitUntil([&] { return List(dlg)->rowCount() == 8 && Row(dlg, 0) == row0; }, 8000);
    }

};

TEST_F(TrunkDialog, ListsTheGroupsWithTheirModeAndMembers)
{
    harness->sim().control("scenario trunk78");
    auto dlg = OpenList();
    kx::GridListView* list = List(dlg.get());
    ASSERT_EQ(list->rowCount(), 8);
    EXPECT_EQ(Row(dlg.get(), 0), (QStringList{"1", "Static", "7,8"}));
    EXPECT_EQ(Row(dlg.get(), 7), (QStringList{"8", "Disable", ""}));
    EXPECT_TRUE(DialogHarness::find<QCheckBox>(dlg.get(), "Enable Trunk")->isChecked());
    EXPECT_TRUE(Button(dlg.get(), "PortMember")->isEnabled());

    // A click copies the group and its mode into the fields.
    l2test::ClickRow(list, 0);
    EXPECT_EQ(DialogHarness::find<QLineEdit>(dlg.get(), "Trunk ID:")->text(), "1");
    EXPECT_EQ(DialogHarness::find<QComboBox>(dlg.get(), "PortChannelMode:")->currentText(), "Static");
    // So does Enter on the row the keyboard moved to.
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(DialogHarness::find<QLineEdit>(dlg.get(), "Trunk ID:")->text(), "2");
    EXPECT_EQ(DialogHarness::find<QComboBox>(dlg.get(), "PortChannelMode:")->currentText(), "Disable");
}

TEST_F(TrunkDialog, EnableTrunkApplyWritesTheStateAndReadsAgain)
{
    auto dlg = OpenList();
    auto* enable = DialogHarness::find<QCheckBox>(dlg.get(), "Enable Trunk");
    harness->sim().clearLog();
    QTest::mouseClick(enable, Qt::LeftButton);
    DialogHarness::click(dlg.get(), "Apply Enable Trunk");
    EXPECT_EQ(SetBindings(harness->sim()), std::vector<std::string>{"8.1.2.0=2"});
    // The refresh that follows reads the state: no member editing while it is off.
    const auto log = harness->sim().requestLog();
    EXPECT_TRUE(std::any_of(log.begin(), log.end(), [](const auto& r) {
        return r.pdu == "get" && r.bindings.at(0).oid == l2test::Expand("P.8.1.2.0");
    }));
    EXPECT_FALSE(enable->isChecked());
    EXPECT_FALSE(Button(dlg.get(), "PortMember")->isEnabled());

    QTest::mouseClick(enable, Qt::LeftButton);
    DialogHarness::click(dlg.get(), "Apply Enable Trunk");
    EXPECT_EQ(Value(*harness, "P.8.1.2.0"), "1");
    ASSERT_TRUE(DialogHarness::waitUntil([&] { return Button(dlg.get(), "PortMember")->isEnabled(); }));
    EXPECT_TRUE(harness->prompter().texts().isEmpty());
}

TEST_F(TrunkDialog, ChannelModeApplyWritesTheModeOfTheClickedGroup)
{
    harness->sim().control("scenario trunk78");
    auto dlg = OpenList();
    l2test::ClickRow(List(dlg.get()), 0);
    DialogHarness::choose(dlg.get(), "PortChannelMode:", "LACP");
    harness->sim().clearLog();
    DialogHarness::click(dlg.get(), "&Apply");
    EXPECT_EQ(SetBindings(harness->sim()), std::vector<std::string>{"8.1.3.1.3.1=1"});
    EXPECT_TRUE(WaitRefreshed(dlg.get(), {"1", "LACP", "7,8"}));
    EXPECT_TRUE(harness->prompter().texts().isEmpty());
}

// A value the device refuses disappears from the controls with the re-read
// that follows every answered set.
TEST_F(TrunkDialog, ARefusedSetIsFollowedByTheReReadAllTheSame)
{
    harness->sim().control("scenario trunk78");
    auto dlg = OpenList();
    auto* enable = DialogHarness::find<QCheckBox>(dlg.get(), "Enable Trunk");
    harness->sim().control("fault add " + l2test::Expand("P.8.1.2") + " error genErr count=1");
    QTest::mouseClick(enable, Qt::LeftButton);
    EXPECT_FALSE(enable->isChecked());
    DialogHarness::click(dlg.get(), "Apply Enable Trunk");
    EXPECT_TRUE(enable->isChecked()); // what the device still holds

    harness->sim().control("fault add " + l2test::Expand("P.8.1.3.1.3") + " error wrongValue count=1");
    l2test::ClickRow(List(dlg.get()), 0);
    DialogHarness::choose(dlg.get(), "PortChannelMode:", "LACP");
    harness->sim().clearLog();
    DialogHarness::click(dlg.get(), "&Apply");
    ASSERT_EQ(harness->sets().size(), 1u);
    EXPECT_TRUE(WaitRefreshed(dlg.get(), {"1", "Static", "7,8"}));
    EXPECT_TRUE(harness->prompter().texts().isEmpty());
}

TEST_F(TrunkDialog, ChannelModeApplyRefusalsWriteNothing)
{
    harness->sim().control("scenario trunk78");
    auto dlg = OpenList();
    auto* trunkId = DialogHarness::find<QLineEdit>(dlg.get(), "Trunk ID:");
    const QString invalid = "Invliad VLAN ID, VLAN ID should be (1-8) !";
    struct Case
    {
        const char* id;
        const char* mode;
        QString message;
    };
    const Case cases[] = {
        // The other decisions are TrunkChannelMode's table; these are the three outcomes.
        {"9", "LACP", invalid},
        {"", "LACP", {}},                                              // nothing typed
        {"2", "LACP", "Please configure the PortMember first"},        // no members
    };
    harness->sim().clearLog();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        harness->prompter().clear();
        DialogHarness::type(dlg.get(), "Trunk ID:", c.id);
        DialogHarness::choose(dlg.get(), "PortChannelMode:", c.mode);
        DialogHarness::click(dlg.get(), "&Apply");
        EXPECT_EQ(harness->prompter().texts(), c.message.isEmpty() ? QStringList() : QStringList{c.message});
        if (c.message == invalid) {
            EXPECT_TRUE(trunkId->hasFocus());
            EXPECT_EQ(trunkId->selectedText(), c.id);
        }
    }
    EXPECT_TRUE(harness->sets().empty());
}

TEST_F(TrunkDialog, GroupsAreFoundByTheirNumberWhenTheDeviceAnswersFewer)
{
    // No row for group 1; group 3 holds ports 7 and 8.
    Control(*harness, {"erase P.8.1.3.1.2.1", "erase P.8.1.3.1.3.1", "set P.8.1.3.1.2.3 pl W 03000000",
                       "set P.8.1.3.1.3.3 i W 2"});
    auto dlg = OpenList();
    ASSERT_EQ(List(dlg.get())->rowCount(), 7);
    harness->sim().clearLog();
    DialogHarness::type(dlg.get(), "Trunk ID:", "3");
    DialogHarness::choose(dlg.get(), "PortChannelMode:", "LACP");
    DialogHarness::click(dlg.get(), "&Apply");
    EXPECT_EQ(SetBindings(harness->sim()), std::vector<std::string>{"8.1.3.1.3.3=1"});
    ASSERT_TRUE(DialogHarness::waitUntil([&] { return Button(dlg.get(), "Refresh")->isEnabled() &&
                                                      Row(dlg.get(), 1) == QStringList{"3", "LACP", "7,8"}; }));

    // The member dialog of the typed group gets that group's members, whichever
    // row was clicked last, so re-saving them passes.
    l2test::ClickRow(List(dlg.get()), 0);
    DialogHarness::type(dlg.get(), "Trunk ID:", "3");
    DialogHarness::choose(dlg.get(), "PortChannelMode:", "Static");
    harness->sim().clearLog();
    bool ticked = false;
    DialogHarness::whenModalOpens<CTrunkMemberDlg>([&](CTrunkMemberDlg* members) {
        ASSERT_TRUE(DialogHarness::waitFirstRead(*members));
        ticked = l2test::PortBox(members, 7)->isChecked() && l2test::PortBox(members, 8)->isChecked() &&
                 !l2test::PortBox(members, 1)->isChecked();
        DialogHarness::click(members, "OK");
    });
    DialogHarness::click(dlg.get(), "PortMember");
    EXPECT_TRUE(ticked);
    EXPECT_TRUE(harness->prompter().texts().isEmpty()) << harness->prompter().last().toStdString();
    EXPECT_EQ(SetBindings(harness->sim()), (std::vector<std::string>{"8.1.3.1.2.3=03000000", "8.1.3.1.3.3=2"}));
}

TEST_F(TrunkDialog, PortMemberRefusals)
{
    auto dlg = OpenList();
    DialogHarness::click(dlg.get(), "PortMember");
    l2test::ClickRow(List(dlg.get()), 1); // group 2, "Disable"
    DialogHarness::click(dlg.get(), "PortMember");
    EXPECT_EQ(harness->prompter().texts(),
              (QStringList{"Please select the Trunk !", "Link Aggregation State is disable."}));
}

TEST_F(TrunkDialog, MemberDialogWritesMembersAndModeInOneSetThenTheListShowsThem)
{
    auto dlg = OpenList();
    l2test::ClickRow(List(dlg.get()), 1);
    DialogHarness::choose(dlg.get(), "PortChannelMode:", "Static");
    harness->sim().clearLog();
    DialogHarness::whenModalOpens<CTrunkMemberDlg>([&](CTrunkMemberDlg* members) {
        EXPECT_EQ(DialogHarness::find<QLineEdit>(members, "Trunk ID:")->text(), "2");
        EXPECT_EQ(DialogHarness::find<QLineEdit>(members, "PortChannelMode:")->text(), "Static");
        ASSERT_TRUE(DialogHarness::waitFirstRead(*members));
        l2test::ClickPorts(members, {1, 2});
        DialogHarness::click(members, "OK");
    });
    DialogHarness::click(dlg.get(), "PortMember");
    EXPECT_EQ(SetBindings(harness->sim()), (std::vector<std::string>{"8.1.3.1.2.2=c0000000", "8.1.3.1.3.2=2"}));
    EXPECT_TRUE(DialogHarness::waitUntil([&] {
        return List(dlg.get())->rowCount() == 8 && Row(dlg.get(), 1) == QStringList{"2", "Static", "1,2"};
    }));
    EXPECT_TRUE(harness->prompter().texts().isEmpty());
}

TEST_F(TrunkDialog, MemberCountsOutsideTwoToFourAreRefusedBeforeAnyRule)
{
    harness->sim().control("scenario nolearn"); // every rule-checked set would be refused
    auto dlg = l2test::OpenMembers(*harness, "2", "Static", "");
    harness->sim().clearLog();
    l2test::ClickPorts(dlg.get(), {3});
    DialogHarness::click(dlg.get(), "OK");
    l2test::ClickPorts(dlg.get(), {1, 2, 5, 6});
    DialogHarness::click(dlg.get(), "OK");
    EXPECT_EQ(harness->prompter().texts(),
              (QStringList{"The mininum port members for an aggregated link is 2 !",
                           "The maxinum port member for an aggregated link is exceeded !"}));
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_TRUE(harness->sets().empty());
}

TEST_F(TrunkDialog, TheMemberDialogsLoadsGoOutInTheirOrderWithAPauseBeforeThePortWalk)
{
    harness->sim().clearLog();
    auto dlg = l2test::OpenMembers(*harness, "2", "Static", "");
    // Each load's first request, by its first object, as the device saw them.
    std::vector<std::pair<int, long long>> seen; // load step, milliseconds
    for (const auto& r : harness->sim().requestLog())
        for (const kx::l2::TrunkLoad& load : kx::l2::TrunkLoadPlan())
            if (r.bindings.at(0).oid == load.oids.front().toStdString() &&
                std::none_of(seen.begin(), seen.end(), [&](const auto& s) { return s.first == load.step; }))
                seen.emplace_back(load.step, r.ms);
    ASSERT_EQ(seen.size(), 12u);
    for (std::size_t i = 0; i < seen.size(); ++i)
        EXPECT_EQ(seen[i].first, static_cast<int>(i) + 1);
    EXPECT_GE(seen[7].second - seen[6].second, 450); // the pause before the eight-column walk
}

// Without the delay this is TrunkRuleOutcome's RateControl.
TEST_F(TrunkDialog, OkWaitsForEveryLoadAndJudgesTheCompleteData)
{
    // Port 2's rate differs; the rates arrive in the walk the device delays.
    Control(*harness, {"set P.13.1.2.1.3.2 i W 630", "fault add P.13.1.2.1 delay 100"});
    auto dlg = harness->open<CTrunkMemberDlg>("2", "Static", "");
    auto* ok = Button(dlg.get(), "OK");
    EXPECT_FALSE(ok->isEnabled());
    QTest::qWait(1000); // the pause before that walk and some of its steps
    EXPECT_FALSE(ok->isEnabled());
    ASSERT_TRUE(DialogHarness::waitFirstRead(*dlg));
    EXPECT_TRUE(ok->isEnabled());
    l2test::ClickPorts(dlg.get(), {1, 2});
    DialogHarness::click(dlg.get(), "OK");
    EXPECT_EQ(harness->prompter().texts(),
              QStringList{"Cannot add ports with different rate control configurations to an aggregated link."});
}

TEST_F(TrunkDialog, RstpRuleReadsTheGlobalStatesAgainWhenOkIsPressed)
{
    Control(*harness, {"set P.6.1.1.0 i W 2", "set P.6.2.1.2.2 i W 64"});
    auto dlg = l2test::OpenMembers(*harness, "2", "Static", "");
    l2test::ClickPorts(dlg.get(), {1, 2});
    Control(*harness, {"set P.6.1.1.0 i W 1"}); // RSTP switched on meanwhile
    harness->sim().clearLog();
    DialogHarness::click(dlg.get(), "OK");
    EXPECT_EQ(harness->prompter().texts(),
              QStringList{"Cannot add a port with different RSTP port setting to an aggregated link. "});
    const auto log = harness->sim().requestLog();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].pdu, "get");
    ASSERT_EQ(log[0].bindings.size(), 3u);
    EXPECT_EQ(log[0].bindings[1].oid, l2test::Expand("P.6.1.1.0"));
}

TEST_F(TrunkDialog, NoPortsToLoadForIsShownAndLeavesTheDialogUsable)
{
    // No ports to load for: the dialog shows the error and stays usable, empty.
    harness->useDevice("KX-A1 R2", 0);
    auto dlg = harness->open<CTrunkMemberDlg>("2", "Static", "1,2");
    EXPECT_EQ(harness->prompter().texts(), QStringList{"TrunkValid Init Error !"});
    EXPECT_TRUE(DialogHarness::find<QLineEdit>(dlg.get(), "Trunk ID:")->text().isEmpty());
    EXPECT_TRUE(Button(dlg.get(), "Cancel")->isEnabled());
    dlg.reset();
    harness->useDevice("KX-A1 R2", 8);
}

} // namespace
