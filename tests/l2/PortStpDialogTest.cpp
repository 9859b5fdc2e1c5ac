// "Port Configuration", "Bridge Config", "Spanning Tree Table" and "Port
// Config" driven the way a user drives them, against the simulated switch:
// what they list, what Apply refuses, asks and writes (read back from the
// request log and the device), and the faults of the port list mended (rows
// placed by their instance, Apply waiting for both walks).

#include "core/l2/PortSettings.h"
#include "ui/l2/CPortSettingDlg.h"
#include "ui/l2/CStpBridgeDlg.h"
#include "ui/l2/CStpPortConfigDlg.h"
#include "ui/l2/CStpPortTableDlg.h"
#include "tests/l2/QosTestSupport.h"
#include "tests/l2/TrunkTestSupport.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace kxtest;
using l2test::Control;
using l2test::Value;
using qostest::Sets; // the bridge MIB by its full OIDs

namespace {

kx::GridListView* List(QWidget* dlg, const char* name)
{
    return DialogHarness::find<kx::GridListView>(dlg, name);
}

QStringList Row(kx::GridListView* list, int row)
{
    QStringList texts;
    for (int c = 0; c < list->columnCount(); ++c)
        texts << list->cellText(row, c);
    return texts;
}

QString Shown(QWidget* dlg, const char* name)
{
    QWidget* w = DialogHarness::find(dlg, name);
    if (auto* label = qobject_cast<QLabel*>(w))
        return label->text();
    if (auto* edit = qobject_cast<QLineEdit*>(w))
        return edit->text();
    if (auto* combo = qobject_cast<QComboBox*>(w))
        return combo->currentIndex() >= 0 ? combo->currentText() : combo->placeholderText();
    return "<none>";
}

class PortSettingDialog : public SimSuite<>
{
protected:
    std::unique_ptr<CPortSettingDlg> Open()
    {
        auto dlg = harness->open<CPortSettingDlg>();
        EXPECT_TRUE(DialogHarness::waitFirstRead(*dlg));
        harness->sim().clearLog();
        return dlg;
    }
    static void ClickRow(QWidget* dlg, int row) { l2test::ClickRow(List(dlg, "Port Table"), row); }
};

TEST_F(PortSettingDialog, ListsEveryPortAndAClickChoosesItsEntries)
{
    Control(*harness, {"set P.1.13.1.5.1 i W 1"});
    auto dlg = Open();
    kx::GridListView* list = List(dlg.get(), "Port Table");
    ASSERT_EQ(list->rowCount(), 8);
    EXPECT_EQ(Row(list, 0), (QStringList{"1", "Auto", "100MFull", "Enable", "Low", "Enabled"}));
    EXPECT_EQ(Row(list, 2), (QStringList{"3", "Auto", "10MFull", "Disable", "Low", "Disabled"}));
    EXPECT_EQ(Row(list, 3), (QStringList{"4", "Disable", "Down", "Disable", "Low", "Disabled"}));

    ClickRow(dlg.get(), 3);
    EXPECT_EQ(Shown(dlg.get(), "Port ID:"), "4");
    EXPECT_EQ(Shown(dlg.get(), "PortControlSpeed:"), "Disable");
    EXPECT_EQ(Shown(dlg.get(), "FlowControlMode:"), "Disable");
    ClickRow(dlg.get(), 0);
    EXPECT_EQ(Shown(dlg.get(), "Port ID:"), "1");
    EXPECT_EQ(Shown(dlg.get(), "PortControlSpeed:"), "Auto");
    EXPECT_EQ(Shown(dlg.get(), "FlowControlMode:"), "Enable");
}

TEST_F(PortSettingDialog, ApplyRefusesInOrderAndWritesNothing)
{
    struct Case
    {
        std::vector<std::string> setup;
        int row; // -1: none clicked
        const char* speed;
        QString refusal;
    };
    const Case cases[] = {
        {{}, -1, "Auto", "Please Select one port !"},
        {{"scenario trunk78"}, 6, "100M-Full", "LA port can not support in different speed."},
        {{"set P.1.13.1.2.1 i W 7", "set P.1.13.1.2.3 i W 7", "set P.1.13.1.2.5 i W 7", "set P.1.13.1.2.6 i W 7",
          "set P.1.13.1.2.7 i W 7", "set P.1.13.1.2.8 i W 7"},
         1, "Disable", "Sorry, you cannot disable all ports."},
        {{}, 4, "1000M-Full", "Port 5 can not support 1000M speed."},
        {{"scenario trunk78", "set P.1.13.1.2.8 i W 3"}, 6, "100M-Half",
         "LA port 7 can not support in half-duplex mode."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.refusal.toStdString());
        harness->resetForTest();
        Control(*harness, c.setup);
        auto dlg = Open();
        if (c.row >= 0)
            ClickRow(dlg.get(), c.row);
        DialogHarness::choose(dlg.get(), "PortControlSpeed:", c.speed);
        harness->prompter().answerAlways(true);
        DialogHarness::click(dlg.get(), "&Apply");
        EXPECT_EQ(harness->prompter().texts(), QStringList{c.refusal});
        EXPECT_TRUE(harness->sets().empty());
        harness->prompter().answerAlways(std::nullopt);
    }
}

TEST_F(PortSettingDialog, QuestionsOnlyWhenDueAndCancelWritesNothing)
{
    auto dlg = Open();
    ClickRow(dlg.get(), 4);
    DialogHarness::choose(dlg.get(), "PortControlSpeed:", "100M-Full");
    DialogHarness::click(dlg.get(), "&Apply"); // Cancel
    EXPECT_EQ(harness->prompter().texts(), QStringList{kx::l2::kForceModeQuestion});
    EXPECT_EQ(harness->prompter().entries().front().icon, kx::PromptIcon::Warning);
    DialogHarness::choose(dlg.get(), "PortControlSpeed:", "Auto");
    DialogHarness::choose(dlg.get(), "FlowControlMode:", "Enable");
    DialogHarness::click(dlg.get(), "&Apply"); // Cancel
    EXPECT_EQ(harness->prompter().last(), kx::l2::kFlowControlQuestion);
    EXPECT_EQ(harness->prompter().texts().size(), 2);
    EXPECT_TRUE(harness->sets().empty());

    // Disable asks nothing; what was written shows after the refresh.
    harness->prompter().clear();
    DialogHarness::choose(dlg.get(), "PortControlSpeed:", "Disable");
    DialogHarness::choose(dlg.get(), "FlowControlMode:", "Disable");
    DialogHarness::click(dlg.get(), "&Apply");
    EXPECT_TRUE(harness->prompter().texts().isEmpty());
    EXPECT_EQ(Sets(*harness), (std::vector<std::string>{"1.13.1.2.5=7 1.13.1.5.5=2"}));
    ASSERT_TRUE(DialogHarness::waitUntil([&] { return List(dlg.get(), "Port Table")->rowCount() == 8; }));
    EXPECT_EQ(List(dlg.get(), "Port Table")->cellText(4, 1), "Disable");

}

TEST_F(PortSettingDialog, AnAggregatedLinkMemberGetsOnlyItsFlowControl)
{
    Control(*harness, {"scenario trunk78", "set P.1.13.1.2.7 i W 2", "set P.1.13.1.2.8 i W 2"});
    auto dlg = Open();
    ClickRow(dlg.get(), 6);
    DialogHarness::choose(dlg.get(), "FlowControlMode:", "Enable");
    harness->prompter().answerAlways(true);
    DialogHarness::click(dlg.get(), "&Apply");
    harness->prompter().answerAlways(std::nullopt);
    EXPECT_EQ(harness->prompter().texts(), (QStringList{kx::l2::kForceModeQuestion, kx::l2::kFlowControlQuestion}));
    EXPECT_EQ(Sets(*harness), (std::vector<std::string>{"1.13.1.5.7=1"}));
}

TEST_F(PortSettingDialog, RowsArePlacedByTheirInstanceWhenTheDeviceLeavesOneOut)
{
    for (const char* column : {"P.1.13.1.2.3", "P.1.13.1.3.3", "P.1.13.1.5.3", "P.1.13.1.6.3", "P.1.13.1.7.3",
                               "P.12.3.1.1.2.3"})
        Control(*harness, {std::string("erase ") + column});
    auto dlg = Open();
    kx::GridListView* list = List(dlg.get(), "Port Table");
    ASSERT_EQ(list->rowCount(), 7);
    // (kxsim derives the link columns of every port, so only some cells are left out.)
    EXPECT_EQ(Row(list, 2).mid(0, 2), (QStringList{"4", "Disable"}));
    ClickRow(dlg.get(), 2);
    DialogHarness::choose(dlg.get(), "PortControlSpeed:", "Auto");
    DialogHarness::click(dlg.get(), "&Apply");
    EXPECT_EQ(Sets(*harness), (std::vector<std::string>{"1.13.1.2.4=6 1.13.1.5.4=2"}));
}

TEST_F(PortSettingDialog, ApplyWaitsForTheAggregationWalk)
{
    Control(*harness, {"fault add P.8.1.3.1.2 delay 700 count=1"});
    auto dlg = harness->open<CPortSettingDlg>();
    auto* apply = DialogHarness::find<QPushButton>(dlg.get(), "&Apply");
    ASSERT_TRUE(DialogHarness::waitUntil([&] { return List(dlg.get(), "Port Table")->rowCount() == 8; }));
    EXPECT_FALSE(apply->isEnabled()) << "the port walk has ended, the group walk has not";
    ASSERT_TRUE(DialogHarness::waitFirstRead(*dlg));
    EXPECT_TRUE(apply->isEnabled());
}

class StpDialogs : public SimSuite<testing::TestWithParam<std::string>>
{
protected:
    void SetUp() override
    {
        SimSuite::SetUp();
        harness->useVersion3(GetParam());
    }
    void TearDown() override { harness->useVersion3(""); }
};

// The device enforces the 802.1D relations: the timers reach it only in the
// order that keeps them valid at every step.
TEST_P(StpDialogs, BridgeTimersReachTheDeviceAsEnteredBothWays)
{
    auto dlg = harness->open<CStpBridgeDlg>();
    ASSERT_TRUE(DialogHarness::waitFirstRead(*dlg));
    EXPECT_EQ(Shown(dlg.get(), "Designated Root:"), "80:00:00:1B:21:5A:00:01");
    EXPECT_EQ(Shown(dlg.get(), "Priority:"), "32768");
    EXPECT_EQ(Shown(dlg.get(), "STP Version:"), "RSTP");
    EXPECT_TRUE(DialogHarness::find<QPushButton>(dlg.get(), "Port Setting")->isEnabled());
    const std::vector<std::vector<const char*>> moves = {{"4000", "1000", "3000"}, {"2000", "200", "1500"}};
    for (const auto& m : moves) {
        DialogHarness::type(dlg.get(), "Age Time(600-4000):", m[0]);
        DialogHarness::type(dlg.get(), "Hello Time(100-1000):", m[1]);
        DialogHarness::type(dlg.get(), "Delay(400-3000):", m[2]);
        DialogHarness::click(dlg.get(), "&Apply");
        EXPECT_EQ(Value(*harness, "1.3.6.1.2.1.17.2.12.0"), m[0]);
        EXPECT_EQ(Value(*harness, "1.3.6.1.2.1.17.2.13.0"), m[1]);
        EXPECT_EQ(Value(*harness, "1.3.6.1.2.1.17.2.14.0"), m[2]);
        EXPECT_EQ(Shown(dlg.get(), "Forward Delay:"), m[2]) << "read again";
    }
    EXPECT_TRUE(harness->prompter().texts().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(V1AndV3, StpDialogs, testing::Values("", "sha256aes"),
                         [](const auto& info) { return info.param.empty() ? "v1" : "v3"; });

class StpDialog : public SimSuite<>
{
};

TEST_F(StpDialog, ClearingRstpWritesOnlyItsStateAfterTheTimerChecks)
{
    auto dlg = harness->open<CStpBridgeDlg>();
    ASSERT_TRUE(DialogHarness::waitFirstRead(*dlg));
    harness->sim().clearLog();
    // The timer edits are checked even though they are not written.
    DialogHarness::type(dlg.get(), "Hello Time(100-1000):", "1000");
    DialogHarness::click(dlg.get(), "Enable RSTP");
    EXPECT_FALSE(DialogHarness::find(dlg.get(), "Hello Time(100-1000):")->isEnabled());
    DialogHarness::click(dlg.get(), "&Apply");
    EXPECT_EQ(harness->prompter().texts(),
              QStringList{"To set the parameters Hello Time and Max Age the following relation is to be satisfied: "
                          "\nMax Age >= (2*(Hello Time + 1.0))"});
    EXPECT_TRUE(harness->sets().empty());
    DialogHarness::click(dlg.get(), "Enable RSTP");
    DialogHarness::type(dlg.get(), "Hello Time(100-1000):", "200");
    DialogHarness::click(dlg.get(), "Enable RSTP");
    DialogHarness::click(dlg.get(), "&Apply");
    EXPECT_EQ(Sets(*harness), (std::vector<std::string>{"6.1.1.0=2"}));
    EXPECT_FALSE(DialogHarness::find<QPushButton>(dlg.get(), "Port Setting")->isEnabled());
}

TEST_F(StpDialog, TheTableTurnsSpanningTreeOffWhereLoopbackDetectionIsOn)
{
    harness->sim().control("scenario lbd3");
    auto dlg = harness->open<CStpPortTableDlg>();
    ASSERT_TRUE(DialogHarness::waitFirstRead(*dlg));
    EXPECT_EQ(Sets(*harness), (std::vector<std::string>{"1.3.6.1.2.1.17.2.15.1.4.3=2"}));
    kx::GridListView* list = List(dlg.get(), "Spanning Tree Table");
    ASSERT_EQ(list->rowCount(), 8);
    EXPECT_EQ(Shown(dlg.get(), "Entries"), "8");
    EXPECT_EQ(Row(list, 0), (QStringList{"1", "128", "Forward", "Y", "200000", "80:00:00:1B:21:5A:00:01", "0",
                                         "80:00:00:1B:21:5A:00:01", "80 01", "1"}));
    EXPECT_EQ(list->cellText(2, 3), "N");
    EXPECT_EQ(list->cellText(2, 2), "Disabled");

    // A row opens Port Config on its port; the step buttons stop at the ends.
    list->selectRow(6);
    DialogHarness::whenModalOpens<CStpPortConfigDlg>([](CStpPortConfigDlg* port) {
        ASSERT_TRUE(DialogHarness::waitFirstRead(*port));
        EXPECT_EQ(Shown(port, "Port"), "7");
        DialogHarness::click(port, "Next Port =>");
        EXPECT_EQ(Shown(port, "Port"), "8");
        EXPECT_FALSE(DialogHarness::find(port, "Next Port =>")->isEnabled());
        for (int i = 0; i < 7; ++i)
            DialogHarness::click(port, "<= Prev Port");
        EXPECT_EQ(Shown(port, "Port"), "1");
        EXPECT_FALSE(DialogHarness::find(port, "<= Prev Port")->isEnabled());
        port->reject();
    });
    DialogHarness::click(dlg.get(), "&Port Config");
}

TEST_F(StpDialog, PortConfigChecksCostLoopbackDetectionAndTheAggregatedLink)
{
    Control(*harness, {"scenario lbd3", "scenario trunk78"});
    std::unique_ptr<CStpPortConfigDlg> dlg(CStpPortConfigDlg::ForDevice());
    dlg->show();
    ASSERT_TRUE(DialogHarness::waitFirstRead(*dlg));
    EXPECT_EQ(Shown(dlg.get(), "Cost:(1-200000000,\n0=auto)"), "200000");
    harness->sim().clearLog();
    DialogHarness::type(dlg.get(), "Cost:(1-200000000,\n0=auto)", "200000001");
    DialogHarness::click(dlg.get(), "&Apply");
    DialogHarness::type(dlg.get(), "Cost:(1-200000000,\n0=auto)", "0");
    DialogHarness::click(dlg.get(), "&Apply");
    EXPECT_EQ(Sets(*harness), (std::vector<std::string>{"1.3.6.1.2.1.17.2.15.1.2.1=128 6.2.1.5.1=0 "
                                                        "1.3.6.1.2.1.17.2.15.1.4.1=1"}));

    DialogHarness::click(dlg.get(), "Next Port =>");
    DialogHarness::click(dlg.get(), "Next Port =>");
    DialogHarness::click(dlg.get(), "&Apply"); // port 3: loopback detection on, spanning tree ticked
    for (int i = 0; i < 4; ++i)
        DialogHarness::click(dlg.get(), "Next Port =>");
    DialogHarness::click(dlg.get(), "&Apply"); // port 7 unchanged: nothing
    DialogHarness::choose(dlg.get(), "Priority:", "144");
    DialogHarness::click(dlg.get(), "&Apply");
    EXPECT_EQ(harness->prompter().texts(),
              (QStringList{"Invalid Path Cost(1-200000000)",
                           "STP port 3 can not both support Spanning Tree and LBD-enabled mode",
                           "Cannot add ports with different STP configurations to an aggregated link."}));
    EXPECT_EQ(harness->sets().size(), 1u);
}

} // namespace
