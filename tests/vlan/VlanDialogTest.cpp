// "802.1Q VLAN Configuration" and its "Add VLAN" / "Edit VLAN" dialog, driven
// through their widgets against the simulated switch.

#include "ui/kit/GridListView.h"
#include "ui/vlan/CVlanConfigDlg.h"
#include "ui/vlan/CVlanEditDlg.h"
#include "tests/vlan/VlanTestSupport.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>

using namespace kxtest;
using namespace kxtest::vlan;

namespace {

class VlanDialog : public kxtest::SimSuite<>
{
protected:

    static std::unique_ptr<CVlanConfigDlg> Open()
    {
        auto dlg = harness->open<CVlanConfigDlg>();
        EXPECT_TRUE(DialogHarness::waitFirstRead(*dlg));
        return dlg;
    }
    static kx::GridListView* List(QWidget* dlg) { return DialogHarness::find<kx::GridListView>(dlg, "VLAN List"); }
    static int RowOf(QWidget* dlg, const QString& vid)
    {
        auto* list = List(dlg);
        for (int r = 0; r < list->rowCount(); ++r)
            if (list->cellText(r, 0) == vid)
                return r;
        return -1;
    }
    static void Select(QWidget* dlg, const QString& vid)
    {
        const int row = RowOf(dlg, vid);
        ASSERT_GE(row, 0) << vid.toStdString();
        List(dlg)->selectRow(row);
    }
    // Runs `action` (whose click waits until the dialog is idle again) and
    // fails when it started no refresh: no walk of the VLAN table went out.
    template<class F>
    static void AndWaitForRefresh(CVlanConfigDlg* dlg, F action)
    {
        const auto before = harness->sim().requestLog();
        const std::uint64_t last = before.empty() ? 0 : before.back().seq;
        action();
        ASSERT_TRUE(DialogHarness::waitIdle(*dlg));
        bool walked = false;
        for (const auto& r : harness->sim().requestLog())
            walked |= r.seq > last && r.pdu == "getnext" && r.bindings.at(0).oid == P + ".7.6.1.1";
        EXPECT_TRUE(walked) << "no refresh";
    }
    // Runs `inDialog` in the add/edit dialog that `open` opens, once its OK may be pressed.
    template<class F>
    static void InEditDialog(QWidget* dlg, const QString& button, F inDialog)
    {
        DialogHarness::whenModalOpens<CVlanEditDlg>([inDialog](CVlanEditDlg* d) {
            EXPECT_TRUE(DialogHarness::waitFirstRead(*d));
            inDialog(d);
            if (d->isVisible())
                d->reject();
        });
        DialogHarness::click(dlg, button);
    }
    static void Choose(QWidget* d, int port, const char* choice)
    {
        DialogHarness::click(d, QStringLiteral("Port %1 %2").arg(port).arg(choice));
    }

};

TEST_F(VlanDialog, ListsActiveVlansOnlyWithTheirPortsAndDecodedNames)
{
    PutVlan(harness->sim(), 10, "B\xc3\xbcro \xe2\x82\xac", "C1000000", "40000000");
    PutVlan(harness->sim(), 20, "pending", "FF000000", "00000000", 2);
    PutVlan(harness->sim(), 30, "", "NONE", "NONE");
    auto dlg = Open();
    auto* list = List(dlg.get());
    ASSERT_EQ(list->rowCount(), 3);
    const std::vector<QStringList> rows = {
        {"1", "default", "8", "1,2,3,4,5,6,7,8", "1,2,3,4,5,6,7,8"},
        {"10", QString::fromUtf8("B\xc3\xbcro \xe2\x82\xac"), "3", "1,2,8", "2"},
        {"30", "", "0", "", ""},
    };
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 5; ++c)
            EXPECT_EQ(list->cellText(r, c), rows[r][c]) << r << "," << c;
    ASSERT_EQ(dlg->entries().size(), 3u);
    EXPECT_EQ(dlg->entries()[1].untaggedList, "2");

    // Rebuilt, not appended to, on every refresh; read in the order voice and
    // surveillance, asymmetric state, PVIDs, VLANs.
    harness->sim().control("set " + Column(5, 30) + " i C 2");
    harness->sim().clearLog();
    AndWaitForRefresh(dlg.get(), [&] { DialogHarness::click(dlg.get(), "&Refresh"); });
    EXPECT_EQ(list->rowCount(), 2);
    EXPECT_EQ(dlg->entries().size(), 2u);
    const std::vector<std::string> starts = {"get 21.1.2.0", "get 7.5.0", "getnext 7.7.1.1", "getnext 7.6.1.1"};
    std::vector<std::string> asked;
    for (const auto& r : harness->sim().requestLog()) {
        const std::string first = r.pdu + " " + r.bindings.at(0).oid.substr(P.size() + 1);
        if (std::find(starts.begin(), starts.end(), first) != starts.end())
            asked.push_back(first);
    }
    EXPECT_EQ(asked, starts);
}

TEST_F(VlanDialog, WithoutWriteAccessTheChangingButtonsStayOffAndDoubleClickDoesNothing)
{
    SessionSettings readOnly = GetSessionSettings();
    readOnly.WriteEnabled = false;
    InstallSessionSettings(readOnly);
    auto dlg = Open();
    for (const char* b : {"&Add", "&Edit", "&Delete", "&PVID"})
        EXPECT_FALSE(DialogHarness::find<QPushButton>(dlg.get(), b)->isEnabled()) << b;
    for (const char* b : {"&Apply", "&Refresh", "&Close"})
        EXPECT_TRUE(DialogHarness::find<QPushButton>(dlg.get(), b)->isEnabled()) << b;
    AndWaitForRefresh(dlg.get(), [&] { DialogHarness::click(dlg.get(), "&Refresh"); });
    EXPECT_FALSE(DialogHarness::find<QPushButton>(dlg.get(), "&Add")->isEnabled());
    auto* list = List(dlg.get());
    const QPoint row = list->visualItemRect(list->topLevelItem(0)).center();
    EXPECT_EQ(ModalsOpenedBy<CVlanEditDlg>([&] { QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row); }), 0);
    harness->useVersion3(""); // the harness's own settings again
}

TEST_F(VlanDialog, WhileTheVlanWalkRunsPvidAndDoubleClickWaitForIt)
{
    PutVlan(harness->sim(), 10, "ten", "C0000000", "00000000");
    PutVlan(harness->sim(), 20, "twenty", "30000000", "00000000");
    auto dlg = Open();
    auto* list = List(dlg.get());
    auto* pvid = DialogHarness::find<QPushButton>(dlg.get(), "&PVID");
    harness->sim().control("fault add " + P + ".7.6.1 delay 100");
    DialogHarness::press(dlg.get(), "&Refresh");
    ASSERT_TRUE(DialogHarness::waitUntil([&] { return list->rowCount() >= 1; }, 5000));
    ASSERT_TRUE(list->rowCount() < 3);
    for (const char* b : {"&Apply", "&Add", "&Edit", "&Delete", "&Refresh", "&PVID", "&Close"})
        EXPECT_FALSE(DialogHarness::find<QPushButton>(dlg.get(), b)->isEnabled()) << b;
    const QPoint row = list->visualItemRect(list->topLevelItem(0)).center();
    EXPECT_EQ(ModalsOpenedBy<CVlanEditDlg>([&] { QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row); }, 20),
              0);
    ASSERT_TRUE(DialogHarness::waitUntil([&] { return pvid->isEnabled(); }, 5000));
    EXPECT_EQ(list->rowCount(), 3);
    EXPECT_EQ(dlg->entries().size(), 3u);
    harness->sim().control("fault clear");
    // Once the walk has ended a double click is "&Edit".
    EXPECT_EQ(ModalsOpenedBy<CVlanEditDlg>([&] { QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row); }), 1);
}

TEST_F(VlanDialog, AddRefusesBadInputAndWritesNothing)
{
    harness->sim().control("scenario trunk78");
    auto dlg = Open();
    harness->sim().clearLog();
    InEditDialog(dlg.get(), "&Add", [](CVlanEditDlg* d) {
        struct Case
        {
            const char* vid;
            const char* name;
            QString message;
        };
        const Case cases[] = {
            {"1", "x", "Invalid VLAN ID, VLAN ID should be (2-4094) !"},
            {"4095", "x", "Invalid VLAN ID, VLAN ID should be (2-4094) !"},
            {"", "", "Invalid VLAN ID, VLAN ID should be (2-4094) !"},
            {"20", "", "Invalid Vlan Name."},
            {"20", "a/b", "Invalid Vlan Name."},
        };
        for (const Case& c : cases) {
            harness->prompter().clear();
            DialogHarness::type(d, "VID:", c.vid);
            DialogHarness::type(d, "VLAN Name:", c.name);
            DialogHarness::click(d, "OK");
            EXPECT_EQ(harness->prompter().texts(), QStringList{c.message}) << c.vid << " " << c.name;
            EXPECT_TRUE(d->isVisible());
        }
        // Half of aggregated link 1 (ports 7 and 8).
        DialogHarness::type(d, "VID:", "20");
        DialogHarness::type(d, "VLAN Name:", "x");
        harness->prompter().clear();
        Choose(d, 7, "Tag");
        DialogHarness::click(d, "OK");
        EXPECT_EQ(harness->prompter().texts(), QStringList{"Members in VLAN have to be in the same trunk !"});
    });
    EXPECT_TRUE(SetBindings(harness->sim()).empty());
    PutVlan(harness->sim(), 10, "ten", "C0000000", "00000000");
    AndWaitForRefresh(dlg.get(), [&] { DialogHarness::click(dlg.get(), "&Refresh"); });
    harness->sim().clearLog();
    InEditDialog(dlg.get(), "&Add", [](CVlanEditDlg* d) {
        harness->prompter().clear();
        DialogHarness::type(d, "VID:", "10");
        DialogHarness::type(d, "VLAN Name:", "again");
        DialogHarness::click(d, "OK");
        EXPECT_EQ(harness->prompter().texts(), QStringList{"The VLAN ID has been used, please input again !"});
    });
    EXPECT_TRUE(SetBindings(harness->sim()).empty());
}

TEST_F(VlanDialog, AddWritesInOrderAndTheDeviceHoldsTheChoice)
{
    harness->sim().control("scenario asym"); // untagged ports may also be untagged elsewhere
    auto dlg = Open();
    harness->sim().clearLog();
    InEditDialog(dlg.get(), "&Add", [](CVlanEditDlg* d) {
        DialogHarness::type(d, "VID:", "30");
        DialogHarness::type(d, "VLAN Name:", "Lab 3");
        Choose(d, 3, "Tag");
        Choose(d, 4, "Tag");
        Choose(d, 5, "Untag");
        DialogHarness::click(d, "OK");
        EXPECT_FALSE(d->isVisible());
    });
    EXPECT_EQ(SetBindings(harness->sim()),
              (std::vector<std::string>{"7.6.1.5.30=5", "7.6.1.2.30=ff000000", "7.6.1.4.30=08000000",
                                        "7.6.1.2.30=38000000", "7.6.1.1.30=Lab 3", "7.6.1.5.30=1"}));
    // Every set answered noError; the refreshed list shows what the device now holds.
    ASSERT_TRUE(DialogHarness::waitUntil([&] { return RowOf(dlg.get(), "30") >= 0; }));
    const int row = RowOf(dlg.get(), "30");
    EXPECT_EQ(List(dlg.get())->cellText(row, 1), "Lab 3");
    EXPECT_EQ(List(dlg.get())->cellText(row, 3), "3,4,5");
    EXPECT_TRUE(harness->prompter().texts().isEmpty());
}

TEST_F(VlanDialog, SymmetricModeRefusesUntagForAPortUntaggedElsewhere)
{
    auto dlg = Open(); // VLAN 1 sends every port untagged
    InEditDialog(dlg.get(), "&Add", [](CVlanEditDlg* d) {
        Choose(d, 2, "Untag");
        for (const char* c : {"Tag", "Untag", "Not Member"})
            EXPECT_FALSE(DialogHarness::find<QRadioButton>(d, QStringLiteral("Port 2 %1").arg(c))->isChecked()) << c;
        EXPECT_EQ(d->model().choiceOf(2), VlanModel::PortChoice::NotMember);
        Choose(d, 2, "Tag");
        EXPECT_TRUE(DialogHarness::find<QRadioButton>(d, "Port 2 Tag")->isChecked());
    });
    EXPECT_TRUE(harness->prompter().texts().isEmpty());
}

TEST_F(VlanDialog, EditingTheDefaultVlanKeepsAMemberAndWritesNoOutOfServiceAndNoAllPortsList)
{
    auto dlg = Open();
    Select(dlg.get(), "1");
    harness->sim().clearLog();
    InEditDialog(dlg.get(), "&Edit", [](CVlanEditDlg* d) {
        auto* vid = DialogHarness::find<QLineEdit>(d, "VID:");
        EXPECT_EQ(vid->text(), "1");
        EXPECT_FALSE(vid->isEnabled());
        EXPECT_EQ(DialogHarness::find<QLineEdit>(d, "VLAN Name:")->text(), "default");
        EXPECT_TRUE(DialogHarness::find<QRadioButton>(d, "Port 8 Untag")->isChecked());
        // No other VLAN has members: this one must keep one.
        for (int p = 1; p <= 8; ++p)
            Choose(d, p, "Not Member");
        DialogHarness::click(d, "OK");
        EXPECT_EQ(harness->prompter().texts(), QStringList{"You have to include at least one member in the vlan"});
        for (int p = 1; p <= 6; ++p)
            Choose(d, p, "Untag");
        Choose(d, 8, "Not Member");
        Choose(d, 7, "Tag");
        DialogHarness::click(d, "OK");
        EXPECT_FALSE(d->isVisible());
    });
    EXPECT_EQ(SetBindings(harness->sim()), (std::vector<std::string>{"7.6.1.4.1=fc000000", "7.6.1.2.1=fe000000",
                                                                     "7.6.1.1.1=default", "7.6.1.5.1=1"}));
    ASSERT_TRUE(DialogHarness::waitUntil([&] { return List(dlg.get())->cellText(0, 2) == "7"; }));
    EXPECT_EQ(List(dlg.get())->cellText(0, 4), "1,2,3,4,5,6");
}

TEST_F(VlanDialog, ARefusedUntaggedSetNeverLeavesTheVlanActiveWithAllPorts)
{
    harness->sim().control("scenario asym");
    PutVlan(harness->sim(), 10, "ten", "C0000000", "40000000");
    auto dlg = Open();
    const std::string refuseUntagged = "fault add " + P + ".7.6.1.4 error inconsistentValue count=1";

    // Add: the new row is destroyed again, and the dialog stays open.
    harness->sim().clearLog();
    harness->sim().control(refuseUntagged);
    InEditDialog(dlg.get(), "&Add", [](CVlanEditDlg* d) {
        DialogHarness::type(d, "VID:", "30");
        DialogHarness::type(d, "VLAN Name:", "lab");
        Choose(d, 5, "Untag");
        DialogHarness::click(d, "OK");
        EXPECT_TRUE(d->isVisible());
        EXPECT_TRUE(harness->prompter().texts().isEmpty());
    });
    EXPECT_FALSE(harness->sim().value(Column(5, 30)).has_value());
    EXPECT_EQ(SetBindings(harness->sim()),
              (std::vector<std::string>{"7.6.1.5.30=5", "7.6.1.2.30=ff000000",
                                        "7.6.1.4.30=08000000 inconsistentValue", "7.6.1.5.30=6"}));

    // Edit: the VLAN gets back its lists and is active again as it was.
    ASSERT_TRUE(DialogHarness::waitUntil(
        [&] { return DialogHarness::find<QPushButton>(dlg.get(), "&Edit")->isEnabled(); }));
    Select(dlg.get(), "10");
    harness->sim().clearLog();
    harness->sim().control(refuseUntagged);
    InEditDialog(dlg.get(), "&Edit", [](CVlanEditDlg* d) {
        Choose(d, 5, "Tag");
        Choose(d, 6, "Untag");
        DialogHarness::click(d, "OK");
        EXPECT_TRUE(d->isVisible());
    });
    EXPECT_EQ(SetBindings(harness->sim()), (std::vector<std::string>{"7.6.1.5.10=2", "7.6.1.2.10=ff000000",
                                                                     "7.6.1.4.10=44000000 inconsistentValue",
                                                                     "7.6.1.2.10=c0000000", "7.6.1.5.10=1"}));
    // The list behind the dialog was refreshed: VLAN 10 as the device holds it.
    ASSERT_TRUE(DialogHarness::waitUntil(
        [&] { return DialogHarness::find<QPushButton>(dlg.get(), "&Edit")->isEnabled(); }));
    EXPECT_EQ(List(dlg.get())->cellText(RowOf(dlg.get(), "10"), 3), "1,2");
}

TEST_F(VlanDialog, TheSurveillanceVlanIsAskedAboutBeforeEditAndNotDeleted)
{
    harness->sim().control("scenario surveillance");
    auto dlg = Open();
    Select(dlg.get(), "200");
    harness->prompter().answerNext(false);
    EXPECT_EQ(ModalsOpenedBy<CVlanEditDlg>([&] { DialogHarness::click(dlg.get(), "&Edit"); }), 0);
    EXPECT_EQ(harness->prompter().texts(),
              QStringList{"It is Surveillance VLAN,please don't edit ports except it's Tagged Uplink/Downlink Port."});
    harness->prompter().answerNext(true);
    EXPECT_EQ(ModalsOpenedBy<CVlanEditDlg>([&] { DialogHarness::click(dlg.get(), "&Edit"); }), 1);
    harness->prompter().clear();
    DialogHarness::click(dlg.get(), "&Delete");
    EXPECT_EQ(harness->prompter().texts(), QStringList{"The VLAN ID is Surveillance VLAN ID."});
}

TEST_F(VlanDialog, EditAndDeleteWithoutASelectionOrWithAnEmptyList)
{
    auto dlg = Open();
    List(dlg.get())->clearSelection();
    // Rows but none selected: the texts inform; an empty list (a walk that
    // failed) makes them warnings.
    for (kx::PromptIcon icon : {kx::PromptIcon::Information, kx::PromptIcon::Warning}) {
        if (icon == kx::PromptIcon::Warning) {
            harness->sim().control("fault add " + P + ".7.6.1 drop");
            AndWaitForRefresh(dlg.get(), [&] { DialogHarness::click(dlg.get(), "&Refresh"); });
            EXPECT_EQ(List(dlg.get())->rowCount(), 0);
        }
        harness->prompter().clear();
        DialogHarness::click(dlg.get(), "&Edit");
        DialogHarness::click(dlg.get(), "&Delete");
        const auto entries = harness->prompter().entries();
        ASSERT_EQ(entries.size(), 2u);
        EXPECT_EQ(entries[0].text, "Please select the VLAN !");
        EXPECT_EQ(entries[1].text, "Please select the VLAN want to be deleted!");
        EXPECT_TRUE(entries[0].icon == icon && entries[1].icon == icon);
    }
}

TEST_F(VlanDialog, DeleteChecksInOrderAndCancelWritesNothing)
{
    KxSimFixture& sim = harness->sim();
    sim.control("scenario voice100");
    PutVlan(sim, 10, "ten", "C0000000", "00000000");
    PutPvid(sim, 3, 10);
    auto dlg = Open();
    sim.clearLog();
    struct Case
    {
        const char* vid;
        bool asymmetric;
        QString message;
    };
    const Case cases[] = {
        {"1", true, "Can't delete the default VLAN!"},
        {"10", true, "The VID is one of The PVID, so it cannot be deleted."},
        {"100", false, "The VLAN ID is Voice VLAN ID."},
    };
    auto* asymmetric = DialogHarness::find<QCheckBox>(dlg.get(), "Enable Asymmetric VLAN");
    for (const Case& c : cases) {
        harness->prompter().clear();
        asymmetric->setChecked(c.asymmetric);
        Select(dlg.get(), c.vid);
        DialogHarness::click(dlg.get(), "&Delete");
        EXPECT_EQ(harness->prompter().texts(), QStringList{c.message}) << c.vid;
    }
    // The PVID only counts while the box is ticked: then the question, and Cancel.
    harness->prompter().clear();
    asymmetric->setChecked(false);
    Select(dlg.get(), "10");
    harness->prompter().answerNext(false);
    AndWaitForRefresh(dlg.get(), [&] { DialogHarness::click(dlg.get(), "&Delete"); });
    EXPECT_EQ(harness->prompter().texts(),
              QStringList{"The VLAN 10 settings in IGMP Snooping and MAC Address Table maybe be affected, continue?"});
    EXPECT_TRUE(SetBindings(sim).empty());
    EXPECT_EQ(sim.value(Column(5, 10)), "1");

    // OK deletes it; the device's PVID falls back to 1.
    Select(dlg.get(), "10");
    harness->prompter().answerNext(true);
    AndWaitForRefresh(dlg.get(), [&] { DialogHarness::click(dlg.get(), "&Delete"); });
    EXPECT_EQ(SetBindings(sim), std::vector<std::string>{"7.6.1.5.10=6"});
    EXPECT_FALSE(sim.value(Column(5, 10)).has_value());
    EXPECT_EQ(RowOf(dlg.get(), "10"), -1);
}

TEST_F(VlanDialog, AsymmetricModeRefusalsQuestionAndTheDevicesReset)
{
    KxSimFixture& sim = harness->sim();
    auto dlg = Open();
    auto* box = DialogHarness::find<QCheckBox>(dlg.get(), "Enable Asymmetric VLAN");
    const std::pair<const char*, QString> refusals[] = {
        {"voice100", "Voice Vlan is enable,the vlan mode can't change to Asymmetric mode!\n"
                     "If you could disable it, please set it through the web!"},
        {"surveillance", "Auto Surveillance VLAN is enable,the vlan mode can't change to Asymmetric mode!"}};
    for (const auto& [scenario, text] : refusals) {
        sim.control("reset");
        sim.control(std::string("scenario ") + scenario);
        AndWaitForRefresh(dlg.get(), [&] { DialogHarness::click(dlg.get(), "&Refresh"); });
        harness->prompter().clear();
        sim.clearLog();
        box->setChecked(true);
        DialogHarness::click(dlg.get(), "&Apply");
        EXPECT_EQ(harness->prompter().texts(), QStringList{text}) << scenario;
        EXPECT_FALSE(box->isChecked()); // read again from the device
        EXPECT_TRUE(SetBindings(sim).empty());
    }

    sim.control("reset");
    PutVlan(sim, 10, "ten", "C0000000", "00000000");
    AndWaitForRefresh(dlg.get(), [&] { DialogHarness::click(dlg.get(), "&Refresh"); });
    ASSERT_EQ(List(dlg.get())->rowCount(), 2);
    harness->prompter().clear();
    box->setChecked(true);
    harness->prompter().answerNext(false);
    DialogHarness::click(dlg.get(), "&Apply");
    EXPECT_EQ(harness->prompter().texts(),
              QStringList{"The setting of VLAN, IGMP Snooping, Management VLAN and MAC Address Table will be "
                          "reset to default."});
    EXPECT_TRUE(SetBindings(sim).empty());

    harness->prompter().answerNext(true);
    AndWaitForRefresh(dlg.get(), [&] { DialogHarness::click(dlg.get(), "&Apply"); });
    EXPECT_EQ(SetBindings(sim), std::vector<std::string>{"7.5.0=1"});
    EXPECT_TRUE(box->isChecked());
    ASSERT_EQ(List(dlg.get())->rowCount(), 1); // the device kept VLAN 1 only
    EXPECT_EQ(List(dlg.get())->cellText(0, 0), "1");
}

TEST_F(VlanDialog, ARefusedSetIsFollowedByTheReReadAllTheSame)
{
    KxSimFixture& sim = harness->sim();
    PutVlan(sim, 10, "ten", "C0000000", "00000000");
    auto dlg = Open();
    auto* box = DialogHarness::find<QCheckBox>(dlg.get(), "Enable Asymmetric VLAN");
    sim.control("fault add " + P + ".7.5 error genErr count=1");
    box->setChecked(true);
    harness->prompter().answerNext(true);
    AndWaitForRefresh(dlg.get(), [&] { DialogHarness::click(dlg.get(), "&Apply"); });
    EXPECT_FALSE(box->isChecked()); // what the device still holds

    sim.control("fault add " + P + ".7.6.1.5 error genErr count=1");
    Select(dlg.get(), "10");
    harness->prompter().answerNext(true);
    AndWaitForRefresh(dlg.get(), [&] { DialogHarness::click(dlg.get(), "&Delete"); });
    EXPECT_GE(RowOf(dlg.get(), "10"), 0);
}

// The window's size per port count is the design's; what matters is that it holds every port.
TEST_F(VlanDialog, TheAddAndEditWindowsHoldEveryPortsButtons)
{
    for (int ports : {8, 24, 28, 48, 52}) {
        harness->useDevice(QStringLiteral("KX-A1 R2"), ports);
        CVlanEditDlg dialog(VlanModel::Mode::Add, 0, 2, {});
        for (int p = 1; p <= ports; ++p)
            EXPECT_TRUE(dialog.rect().contains(dialog.radio(p, VlanModel::PortChoice::NotMember)->geometry()))
                << ports << " ports, port " << p;
    }
}

TEST_F(VlanDialog, AddRefusesAtOnceWith256Vlans)
{
    for (int vid = 2; vid <= 256; ++vid)
        PutVlan(harness->sim(), vid, "v", "NONE", "NONE");
    auto dlg = Open();
    ASSERT_EQ(List(dlg.get())->rowCount(), 256);
    EXPECT_EQ(ModalsOpenedBy<CVlanEditDlg>([&] { DialogHarness::click(dlg.get(), "&Add"); }), 0);
    EXPECT_EQ(harness->prompter().texts(), QStringList{" Number of VLAN group is over limit"});
}

} // namespace
