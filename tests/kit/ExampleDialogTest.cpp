// The framework's worked example, tested the way every dialog is: through its
// widgets, against the simulator, with the recording prompter, then reading the
// device back.

#include "ui/example/CExampleSystemDlg.h"
#include "ui/kit/GridListView.h"
#include "tests/support/DialogHarness.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace kxtest;

namespace {

class ExampleDialog : public kxtest::SimSuite<>
{
};

TEST_F(ExampleDialog, ShowsWhatTheDeviceHolds)
{
    auto dlg = harness->open<CExampleSystemDlg>();
    ASSERT_TRUE(DialogHarness::waitFirstRead(*dlg));
    EXPECT_EQ(dlg->windowTitle(), "System Identity (Example)");
    EXPECT_EQ(DialogHarness::find<QLineEdit>(dlg.get(), "System Name:")->text(), "KX-A1R2");
    auto* list = DialogHarness::find<kx::GridListView>(dlg.get(), "Interfaces");
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->rowCount(), 9);
    EXPECT_EQ(list->cellText(0, 1), "Port 1");
    EXPECT_EQ(list->cellText(0, 2), "Up");     // ports 1-3 have a cable
    EXPECT_EQ(list->cellText(4, 2), "Down");
    EXPECT_EQ(list->cellText(8, 0), "1001");
}

TEST_F(ExampleDialog, ApplyWritesOnlyWhatChangedInOneSet)
{
    auto dlg = harness->open<CExampleSystemDlg>();
    ASSERT_TRUE(DialogHarness::waitFirstRead(*dlg));
    harness->sim().clearLog();
    DialogHarness::type(dlg.get(), "System Contact:", "noc@example.net");
    DialogHarness::click(dlg.get(), "&Apply");
    const auto sets = harness->sets();
    ASSERT_EQ(sets.size(), 1u);
    ASSERT_EQ(sets[0].bindings.size(), 1u);
    EXPECT_EQ(sets[0].bindings[0].oid, "1.3.6.1.2.1.1.4.0");
    EXPECT_EQ(sets[0].name, "merudos");
    EXPECT_EQ(harness->sim().value("1.3.6.1.2.1.1.4.0"), "noc@example.net");
    EXPECT_TRUE(harness->prompter().texts().isEmpty());
}

TEST_F(ExampleDialog, RefusalsWriteNothingAndKeepWhatWasTyped)
{
    auto dlg = harness->open<CExampleSystemDlg>();
    ASSERT_TRUE(DialogHarness::waitFirstRead(*dlg));
    harness->sim().clearLog();
    DialogHarness::type(dlg.get(), "System Name:", "core.sw");
    DialogHarness::click(dlg.get(), "Apply");
    EXPECT_EQ(harness->prompter().texts(),
              QStringList{"The system name has characters that are not allowed."});
    EXPECT_EQ(DialogHarness::find<QLineEdit>(dlg.get(), "System Name:")->text(), "core.sw");
    for (const auto& r : harness->sim().requestLog())
        EXPECT_NE(r.pdu, "set");
}

TEST_F(ExampleDialog, RefreshDisablesTheButtonsUntilTheWalkEndsEvenWhenItFails)
{
    auto dlg = harness->open<CExampleSystemDlg>();
    ASSERT_TRUE(DialogHarness::waitFirstRead(*dlg));
    auto* refresh = DialogHarness::find<QPushButton>(dlg.get(), "Refresh");
    auto* apply = DialogHarness::find<QPushButton>(dlg.get(), "Apply");
    harness->sim().control("fault add 1.3.6.1.2.1.2.2.1 drop");
    DialogHarness::press(dlg.get(), "Refresh");
    EXPECT_FALSE(refresh->isEnabled());
    EXPECT_FALSE(apply->isEnabled());
    ASSERT_TRUE(DialogHarness::waitUntil([&] { return refresh->isEnabled(); }, 8000));
    EXPECT_TRUE(apply->isEnabled());
    EXPECT_TRUE(harness->prompter().texts().isEmpty()); // a failed read is silent
}

TEST_F(ExampleDialog, ClosingClosesEverySessionInMemberOrder)
{
    TraceCapture trace;
    auto dlg = harness->open<CExampleSystemDlg>();
    ASSERT_TRUE(DialogHarness::waitFirstRead(*dlg));
    trace.clear();
    DialogHarness::click(dlg.get(), "Close");
    const std::vector<std::string> closing = trace.linesStartingWith("==================");
    EXPECT_EQ(closing, (std::vector<std::string>{
                           "==================DestroyWindow===============",
                           "==================m_cCommonSNMP.Close===============",
                           "==================m_cCommonSNMPSet.Close===============",
                           "==================m_cCommonSNMPTable.Close==============="}));
    EXPECT_TRUE(dlg->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(dlg->isModal());
}

TEST_F(ExampleDialog, WorksOverSnmpV3AndClosesMidWalkWithoutCallingBack)
{
    harness->useVersion3("sha256aes");
    harness->sim().control("fault add 1.3.6.1.2.1.2.2.1 delay 80");
    {
        auto dlg = harness->open<CExampleSystemDlg>();
        QTest::qWait(200);
        dlg->reject(); // closes with a walk step on its way
    }
    QTest::qWait(300);
    harness->sim().control("fault clear");
    auto dlg = harness->open<CExampleSystemDlg>();
    ASSERT_TRUE(DialogHarness::waitFirstRead(*dlg));
    EXPECT_EQ(DialogHarness::find<kx::GridListView>(dlg.get(), "Interfaces")->rowCount(), 9);
    harness->useVersion3("");
}

} // namespace
