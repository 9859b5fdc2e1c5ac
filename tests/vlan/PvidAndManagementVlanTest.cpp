// "PVID Configuration" (opened by "&PVID" of the VLAN list) and "IEEE 802.1Q
// Management VLAN Configuration", driven through their widgets against the
// simulated switch.

#include "ui/vlan/CManagementVlanDlg.h"
#include "ui/vlan/CPvidConfigDlg.h"
#include "ui/vlan/CVlanConfigDlg.h"
#include "tests/vlan/VlanTestSupport.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace kxtest;
using namespace kxtest::vlan;

namespace {

class VlanSuite : public kxtest::SimSuite<>
{
protected:
    void SetUp() override
    {
        SimSuite::SetUp();
        // VLAN 10 on ports 1-3, VLAN 20 without ports, VLAN 30 not active.
        PutVlan(harness->sim(), 10, "ten", "E0000000", "00000000");
        PutVlan(harness->sim(), 20, "empty", "NONE", "NONE");
        PutVlan(harness->sim(), 30, "thirty", "E0000000", "00000000", 2);
    }
    static std::string Pvid(int port) { return P + ".7.7.1.1." + std::to_string(port); }
};

using PvidDialog = VlanSuite;
using ManagementVlanDialog = VlanSuite;

// Opens the VLAN list, then "&PVID", and runs `inDialog` once the PVIDs are read.
template<class F>
void InPvidDialog(F inDialog)
{
    auto list = std::make_unique<CVlanConfigDlg>();
    list->show();
    ASSERT_TRUE(DialogHarness::waitFirstRead(*list));
    DialogHarness::whenModalOpens<CPvidConfigDlg>([inDialog](CPvidConfigDlg* d) {
        EXPECT_TRUE(DialogHarness::waitFirstRead(*d));
        inDialog(d);
        if (d->isVisible())
            d->reject();
    });
    DialogHarness::click(list.get(), "&PVID");
}

void SetPvids(CPvidConfigDlg* d, const std::vector<const char*>& texts)
{
    for (std::size_t i = 0; i < texts.size(); ++i)
        DialogHarness::type(d, QStringLiteral("Port %1 VID").arg(i + 1), QString::fromLatin1(texts[i]));
}

TEST_F(PvidDialog, ShowsEachPortsPvidByItsInstance)
{
    PutPvid(harness->sim(), 2, 10);
    harness->sim().control("set " + Pvid(9) + " u W 20"); // no such port on this device
    InPvidDialog([](CPvidConfigDlg* d) {
        for (int p = 1; p <= 8; ++p)
            EXPECT_EQ(d->edit(p)->text(), p == 2 ? "10" : "1") << p;
        EXPECT_EQ(d->edit(9), nullptr);
    });
}

TEST_F(PvidDialog, EveryPortOfAFiftyTwoPortDeviceIsReachedByItsMnemonic)
{
    harness->useDevice("KX-A1 R2", 52);
    CPvidConfigDlg dlg{VlanEntries{}};
    dlg.show();
    dlg.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
    // Port 5 has Alt+5 to itself among the first ten; ports 50 to 52 share it.
    QStringList reached;
    for (int press = 0; press < 5; ++press) {
        QTest::keyClick(&dlg, Qt::Key_5, Qt::AltModifier);
        reached << (dlg.focusWidget() ? dlg.focusWidget()->objectName() : QString());
    }
    EXPECT_EQ(reached, (QStringList{"Port 5 VID", "Port 50 VID", "Port 51 VID", "Port 52 VID", "Port 5 VID"}));
    dlg.reject();
}

TEST_F(PvidDialog, ApplyRefusesInItsOrderAndWritesNothing)
{
    harness->sim().control("scenario trunk78");
    harness->sim().clearLog();
    InPvidDialog([](CPvidConfigDlg* d) {
        struct Case
        {
            std::vector<const char*> pvids;
            QString message;
        };
        const Case cases[] = {
            {{"1", "1", "1", "1", "1", "1", "10", "1"}, "You should let all Trunk member in the same PVID !"},
            {{"1", "1", "1", "1", "1", "1", "10", "10"},
             "Setting PVID on a Trunk is not supported. Please use Web interface for the settings."},
            {{"30", "1", "1", "1", "1", "1", "1", "1"}, "Invalid PVID"}, // not active, so not listed
            {{"1", "20", "1", "1", "1", "1", "1", "1"}, "Invalid PVID,VlAN is empty"},
            {{"1", "1", "", "1", "1", "1", "1", "1"}, "Invalid PVID"},
        };
        for (const Case& c : cases) {
            harness->prompter().clear();
            SetPvids(d, c.pvids);
            DialogHarness::click(d, "Apply");
            EXPECT_EQ(harness->prompter().texts(), QStringList{c.message}) << c.message.toStdString();
            EXPECT_TRUE(d->isVisible());
        }
    });
    EXPECT_TRUE(SetBindings(harness->sim()).empty());
}

TEST_F(PvidDialog, ApplyWritesEveryPortThenTheListRefreshes)
{
    harness->sim().clearLog();
    InPvidDialog([](CPvidConfigDlg* d) {
        SetPvids(d, {"10", "10", "10"});
        DialogHarness::click(d, "Apply");
        EXPECT_FALSE(d->isVisible());
    });
    std::vector<std::string> expected;
    for (int p = 1; p <= 8; ++p)
        expected.push_back("7.7.1.1." + std::to_string(p) + "=" + (p <= 3 ? "10" : "1"));
    EXPECT_EQ(SetBindings(harness->sim()), expected);
    EXPECT_TRUE(harness->prompter().texts().isEmpty());
}

TEST_F(PvidDialog, AFailureAtPortThreeKeepsPortsOneAndTwoAndTheDialogOpen)
{
    InPvidDialog([](CPvidConfigDlg* d) {
        harness->sim().control("fault add " + Pvid(3) + " error genErr");
        harness->sim().clearLog();
        SetPvids(d, {"10", "10", "10"});
        DialogHarness::click(d, "Apply");
        EXPECT_TRUE(d->isVisible());
    });
    EXPECT_EQ(SetBindings(harness->sim()),
              (std::vector<std::string>{"7.7.1.1.1=10", "7.7.1.1.2=10", "7.7.1.1.3=10 genErr"}));
    EXPECT_EQ(harness->sim().value(Pvid(3)), "1");
    EXPECT_TRUE(harness->prompter().texts().isEmpty());
}

TEST_F(PvidDialog, AFailedWalkLeavesTheBoxesEmptyAndNothingUnseenIsWritten)
{
    harness->sim().control("fault add " + P + ".7.7.1 drop");
    harness->sim().clearLog();
    InPvidDialog([](CPvidConfigDlg* d) {
        for (int p = 1; p <= 8; ++p)
            EXPECT_TRUE(d->edit(p)->text().isEmpty()) << p;
        DialogHarness::click(d, "Apply");
        EXPECT_EQ(harness->prompter().texts(), QStringList{"Invalid PVID"});
        harness->sim().control("fault clear");
        DialogHarness::click(d, "&Refresh");
        EXPECT_TRUE(DialogHarness::waitUntil([&] { return d->edit(8)->text() == "1"; }));
    });
    EXPECT_TRUE(SetBindings(harness->sim()).empty());
}

std::unique_ptr<CManagementVlanDlg> OpenManagement()
{
    auto dlg = std::make_unique<CManagementVlanDlg>();
    dlg->show();
    EXPECT_TRUE(DialogHarness::waitFirstRead(*dlg));
    return dlg;
}

QStringList Items(QComboBox* combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    return items;
}

TEST_F(ManagementVlanDialog, ShowsActiveVlansAndDefaultForVlanOne)
{
    harness->sim().control("set " + Column(1, 1) + " s C \"office\"");
    auto dlg = OpenManagement();
    auto* combo = DialogHarness::find<QComboBox>(dlg.get(), "VLAN  ID");
    auto* name = DialogHarness::find<QLineEdit>(dlg.get(), "VLAN Name");
    ASSERT_NE(combo, nullptr);
    ASSERT_NE(name, nullptr);
    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(Items(combo), (QStringList{"1", "10", "20"})) << round;
        EXPECT_EQ(combo->currentText(), "1");
        EXPECT_EQ(name->text(), "default"); // whatever the device stores
        EXPECT_TRUE(DialogHarness::find<QRadioButton>(dlg.get(), "Disable")->isChecked());
        EXPECT_FALSE(combo->isEnabled());
        DialogHarness::click(dlg.get(), "&Refresh");
        ASSERT_TRUE(DialogHarness::waitUntil(
            [&] { return DialogHarness::find<QPushButton>(dlg.get(), "&Apply")->isEnabled(); }));
    }
    // Picking a VLAN reads its name from the device as it is now, VLAN 1's too.
    DialogHarness::click(dlg.get(), "Enable");
    EXPECT_TRUE(combo->isEnabled());
    harness->sim().control("set " + Column(1, 10) + " s C \"ten now\"");
    harness->sim().clearLog();
    DialogHarness::choose(dlg.get(), "VLAN  ID", "10");
    EXPECT_EQ(name->text(), "ten now");
    DialogHarness::choose(dlg.get(), "VLAN  ID", "1");
    EXPECT_EQ(name->text(), "office");
    ASSERT_EQ(harness->sim().requestLog().size(), 2u);
    EXPECT_EQ(harness->sim().requestLog()[1].bindings.at(0).oid, Column(1, 1));
}

TEST_F(ManagementVlanDialog, ApplyWritesStateAndVidInOneSet)
{
    auto dlg = OpenManagement();
    harness->sim().clearLog();
    DialogHarness::click(dlg.get(), "Enable");
    DialogHarness::choose(dlg.get(), "VLAN  ID", "10");
    DialogHarness::click(dlg.get(), "&Apply");
    ASSERT_EQ(harness->sets().size(), 1u);
    EXPECT_EQ(SetBindings(harness->sim()), (std::vector<std::string>{"7.2.0=1", "7.3.0=10"}));
    EXPECT_EQ(DialogHarness::find<QLineEdit>(dlg.get(), "VLAN Name")->text(), "ten");
    EXPECT_TRUE(DialogHarness::find<QRadioButton>(dlg.get(), "Enable")->isChecked());

    // "Disable" greys the list out, but Apply writes the VID selected with state 2.
    harness->sim().clearLog();
    DialogHarness::click(dlg.get(), "Disable");
    EXPECT_FALSE(DialogHarness::find<QComboBox>(dlg.get(), "VLAN  ID")->isEnabled());
    DialogHarness::click(dlg.get(), "&Apply");
    EXPECT_EQ(SetBindings(harness->sim()), (std::vector<std::string>{"7.2.0=2", "7.3.0=10"}));
    EXPECT_EQ(harness->sim().value(P + ".7.2.0"), "2");
    EXPECT_TRUE(harness->prompter().texts().isEmpty());
}

TEST_F(ManagementVlanDialog, AVlanWithoutMembersIsRefusedButVlanOneIsNeverChecked)
{
    auto dlg = OpenManagement();
    harness->sim().clearLog();
    DialogHarness::click(dlg.get(), "Enable");
    DialogHarness::choose(dlg.get(), "VLAN  ID", "20");
    DialogHarness::click(dlg.get(), "&Apply");
    EXPECT_EQ(harness->prompter().texts(), QStringList{"Management VLAN could not be empty."});
    EXPECT_TRUE(SetBindings(harness->sim()).empty());
    // ... and the list was read again.
    ASSERT_TRUE(DialogHarness::waitUntil(
        [&] { return DialogHarness::find<QPushButton>(dlg.get(), "&Apply")->isEnabled(); }));
    EXPECT_EQ(DialogHarness::find<QComboBox>(dlg.get(), "VLAN  ID")->currentText(), "1");

    // VLAN 1 without members: no member get, the set goes.
    harness->sim().control("set " + Column(2, 1) + " pl C NONE");
    harness->sim().clearLog();
    DialogHarness::click(dlg.get(), "Enable");
    DialogHarness::choose(dlg.get(), "VLAN  ID", "1");
    DialogHarness::click(dlg.get(), "&Apply");
    for (const auto& r : harness->sim().requestLog())
        for (const auto& b : r.bindings)
            EXPECT_NE(b.oid, Column(2, 1));
    EXPECT_EQ(SetBindings(harness->sim()), (std::vector<std::string>{"7.2.0=1", "7.3.0=1"}));
}

} // namespace
