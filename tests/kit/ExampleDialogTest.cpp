// The framework's worked example, tested the way every dialog is: through its
// widgets, against the simulator, with the recording prompter, then reading the
// device back. Title, modality, SNMPv3, closing and labels are the policy
// suite's (tests/kit/DialogPolicyTest.cpp), for every registered dialog.

#include "ui/example/CExampleSystemDlg.h"
#include "ui/kit/GridListView.h"
#include "tests/support/DialogHarness.h"

#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace kxtest;

namespace {

class ExampleDialog : public kxtest::SimSuite<>
{
protected:
    static std::unique_ptr<CExampleSystemDlg> Open()
    {
        auto dlg = harness->open<CExampleSystemDlg>();
        EXPECT_TRUE(DialogHarness::waitFirstRead(*dlg));
        return dlg;
    }
};

TEST_F(ExampleDialog, ShowsWhatTheDeviceHolds)
{
    auto dlg = Open();
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
    auto dlg = Open();
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
    auto dlg = Open();
    harness->sim().clearLog();
    DialogHarness::type(dlg.get(), "System Name:", "core.sw");
    DialogHarness::click(dlg.get(), "Apply");
    EXPECT_EQ(harness->prompter().texts(),
              QStringList{"The system name has characters that are not allowed."});
    EXPECT_EQ(DialogHarness::find<QLineEdit>(dlg.get(), "System Name:")->text(), "core.sw");
    EXPECT_TRUE(harness->sets().empty());
}

TEST_F(ExampleDialog, RefreshDisablesTheButtonsUntilTheWalkEndsEvenWhenItFails)
{
    auto dlg = Open();
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

} // namespace
