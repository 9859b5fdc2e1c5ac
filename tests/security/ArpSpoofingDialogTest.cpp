// "ARP Spoofing Prevention Setting" and "Add ARP Spoofing Prevention Entry",
// driven through their widgets against the simulated switch.

#include "tests/security/SecurityTestSupport.h"
#include "ui/kit/GridListView.h"
#include "ui/security/CArpSpoofingAddDlg.h"
#include "ui/security/CArpSpoofingDlg.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace kxtest;
using namespace kxtest::security;

namespace {

std::string ArpCell(int column, const std::string& ip)
{
    return P + ".14.3.1.1." + std::to_string(column) + "." + ip;
}

void PutArp(KxSimFixture& sim, const std::string& ip, const std::string& mac,
            const std::string& ports, int status = 1)
{
    sim.control("set " + ArpCell(1, ip) + " a C " + ip);
    sim.control("set " + ArpCell(2, ip) + " x C " + mac);
    sim.control("set " + ArpCell(3, ip) + " pl C " + ports);
    sim.control("set " + ArpCell(4, ip) + " i C " + std::to_string(status));
}

class ArpSpoofing : public kxtest::SimSuite<>
{
protected:
    static kx::GridListView* List(QWidget* dlg)
    {
        return DialogHarness::find<kx::GridListView>(dlg, "ARP Spoofing Prevention List");
    }
    static std::unique_ptr<CArpSpoofingAddDlg> OpenAdd()
    {
        auto dlg = std::unique_ptr<CArpSpoofingAddDlg>(CArpSpoofingAddDlg::ForDevice());
        dlg->show();
        EXPECT_TRUE(DialogHarness::waitFirstRead(*dlg));
        return dlg;
    }
    // Types an entry; `ports` are ticked, the others cleared.
    static void Enter(QWidget* dlg, const QString& ip, const QString& mac,
                      std::initializer_list<int> ports)
    {
        TypeIp(dlg, "IP Address:", ip);
        DialogHarness::type(dlg, "MAC Address:", mac);
        for (int p = 1; p <= 8; ++p)
            DialogHarness::find<QCheckBox>(dlg, QStringLiteral("port%1").arg(p))
                ->setChecked(std::find(ports.begin(), ports.end(), p) != ports.end());
    }
};

TEST_F(ArpSpoofing, ListsActiveRowsWithTheirPortRangesAndDeletesOnTheAddress)
{
    PutArp(harness->sim(), "10.0.0.1", "00-1B-21-00-00-01", "C1000000");
    PutArp(harness->sim(), "10.0.0.2", "00-1B-21-00-00-02", "10000000", 2);
    PutArp(harness->sim(), "192.168.0.254", "00-0A-0B-0C-0D-0E", "FF000000");
    auto dlg = harness->open<CArpSpoofingDlg>();
    ASSERT_TRUE(DialogHarness::waitFirstRead(*dlg));
    auto* list = List(dlg.get());
    ASSERT_EQ(list->rowCount(), 2);
    EXPECT_EQ((QStringList{list->cellText(0, 0), list->cellText(0, 1), list->cellText(0, 2),
                           list->cellText(0, 3)}),
              (QStringList{"1", "10.0.0.1", "00-1B-21-00-00-01", "1-2,8"}));
    EXPECT_EQ(list->cellText(1, 0), "2");
    EXPECT_EQ(list->cellText(1, 3), "1-8");
    EXPECT_EQ(DialogHarness::find<QLabel>(dlg.get(), "Total")->text(), "2");
    EXPECT_EQ(dlg->rows().size(), 3u);

    harness->sim().clearLog();
    DialogHarness::click(dlg.get(), "&Delete");
    EXPECT_EQ(harness->prompter().texts(),
              QStringList{"Please select the entry you would be delete!"});
    EXPECT_TRUE(harness->sets().empty());
    list->selectRow(1);
    DialogHarness::click(dlg.get(), "&Delete");
    EXPECT_EQ(SetBindings(harness->sim()), std::vector<std::string>{"14.3.1.1.4.192.168.0.254=6"});
    ASSERT_EQ(list->rowCount(), 1);
    EXPECT_EQ(list->cellText(0, 1), "10.0.0.1");
}

TEST_F(ArpSpoofing, SixtyFourEntriesKeepTheAddDialogClosed)
{
    for (int i = 1; i <= 64; ++i)
        PutArp(harness->sim(), "10.0.1." + std::to_string(i), "00-1B-21-00-01-01", "80000000");
    auto dlg = harness->open<CArpSpoofingDlg>();
    ASSERT_TRUE(DialogHarness::waitFirstRead(*dlg));
    ASSERT_EQ(List(dlg.get())->rowCount(), 64);
    EXPECT_EQ(ModalsOpenedBy<CArpSpoofingAddDlg>([&] { DialogHarness::click(dlg.get(), "&Add"); }),
              0);
    EXPECT_EQ(harness->prompter().texts(),
              QStringList{"The Maximum of Entry is 64, can not add any more"});
}

TEST_F(ArpSpoofing, ApplyChecksInOrderAndWritesNothingOnARefusal)
{
    harness->sim().control("scenario trunk78");
    PutArp(harness->sim(), "10.0.0.5", "00-1B-21-00-00-05", "80000000");
    PutArp(harness->sim(), "10.0.0.9", "00-1B-21-00-00-09", "40000000", 2); // stale
    // Apply waits for the aggregation groups.
    harness->sim().control("fault add " + P + ".8.1.3.1.2 delay 300 count=1");
    auto dlg = std::unique_ptr<CArpSpoofingAddDlg>(CArpSpoofingAddDlg::ForDevice());
    dlg->show();
    auto* apply = DialogHarness::find<QPushButton>(dlg.get(), "&Apply");
    QTest::qWait(100);
    EXPECT_FALSE(apply->isEnabled());
    ASSERT_TRUE(DialogHarness::waitFirstRead(*dlg));
    EXPECT_TRUE(apply->isEnabled());

    struct Case
    {
        QString ip;
        QString mac;
        std::initializer_list<int> ports;
        QString message;
    };
    // Each entry also fails every later check: the first one speaks.
    const Case cases[] = {
        {"10.0..5", "zz", {}, "Please enter correct IP format(ex:192.168.0.10)"},
        {"224.0.0.5", "zz", {}, "Multicast IP is not allowed"},
        // The other malformed MACs are the codec suite's.
        {"10.0.0.5", "00-1B-21-00-00", {}, "Please enter correct MAC format(ex:00-00-00-00-00-01)"},
        {"10.0.0.5", "ff-FF-ff-ff-ff-ff", {}, "Broadcast MAC is not allowed."},
        {"10.0.0.5", "01-00-5E-00-00-01", {}, "Multicast MAC address is not allowed."},
        {"10.0.0.5", "00-1b-21-00-00-05", {}, "Duplicate MAC and IP."},
        {"10.0.0.5", "00-1B-21-00-00-06", {}, "Duplicate IP."},
        {"10.0.0.9", "00-1B-21-00-00-06", {}, "Invalid Port Number"},
        {"10.0.0.9",
         "00-1B-21-00-00-06",
         {1, 7},
         "ARP Spoofing Prevention enabled port must match to the aggregated link port."},
    };
    harness->sim().clearLog();
    for (const Case& c : cases) {
        harness->prompter().clear();
        Enter(dlg.get(), c.ip, c.mac, c.ports);
        DialogHarness::click(dlg.get(), "&Apply");
        EXPECT_EQ(harness->prompter().texts(), QStringList{c.message})
            << c.ip.toStdString() << " " << c.mac.toStdString();
    }
    // Every check passed; the question is answered Cancel.
    harness->prompter().clear();
    Enter(dlg.get(), "10.0.0.9", "00-1B-21-00-00-06", {7, 8});
    DialogHarness::click(dlg.get(), "&Apply");
    EXPECT_EQ(harness->prompter().texts(),
              QStringList{"Make sure the host IP and MAC exists or you will lose the connection."});
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_TRUE(harness->sets().empty());
    // The stale row is still there.
    EXPECT_EQ(harness->sim().value(ArpCell(4, "10.0.0.9")), "2");
}

TEST_F(ArpSpoofing, ConfirmedEntryReplacesTheStaleRowAndTheSameAddressTwiceIsADuplicate)
{
    PutArp(harness->sim(), "10.0.0.9", "00-1B-21-00-00-09", "40000000", 2);
    auto list = harness->open<CArpSpoofingDlg>();
    ASSERT_TRUE(DialogHarness::waitFirstRead(*list));
    ASSERT_EQ(List(list.get())->rowCount(), 0);
    harness->sim().clearLog();
    DialogHarness::whenModalOpens<CArpSpoofingAddDlg>([](CArpSpoofingAddDlg* d) {
        EXPECT_TRUE(DialogHarness::waitFirstRead(*d));
        harness->prompter().answerNext(true);
        Enter(d, "10.0.0.9", "00-1b-21-00-00-0a", {2, 3, 4});
        DialogHarness::click(d, "&Apply");
        EXPECT_EQ(
            SetBindings(harness->sim()),
            (std::vector<std::string>{"14.3.1.1.4.10.0.0.9=6", "14.3.1.1.4.10.0.0.9=4",
                                      "14.3.1.1.2.10.0.0.9=001b2100000a",
                                      "14.3.1.1.3.10.0.0.9=70000000", "14.3.1.1.4.10.0.0.9=1"}));
        // Open for the next entry, with the MAC emptied.
        EXPECT_TRUE(d->isVisible());
        EXPECT_TRUE(DialogHarness::find<QLineEdit>(d, "MAC Address:")->text().isEmpty());

        // The same address again with another MAC: refused, the entry untouched.
        harness->sim().clearLog();
        harness->prompter().clear();
        Enter(d, "10.0.0.9", "00-1B-21-00-00-0B", {5});
        DialogHarness::click(d, "&Apply");
        EXPECT_EQ(harness->prompter().texts(), QStringList{"Duplicate IP."});
        EXPECT_TRUE(harness->sets().empty());

        // A create the device refuses adds nothing: the retry is not a duplicate.
        harness->sim().control("fault add " + P + ".14.3.1.1.4 error genErr count=1");
        harness->prompter().answerNext(true);
        Enter(d, "10.0.0.10", "00-1B-21-00-00-10", {1});
        DialogHarness::click(d, "&Apply");
        harness->prompter().clear();
        harness->prompter().answerNext(true);
        Enter(d, "10.0.0.10", "00-1B-21-00-00-10", {1});
        DialogHarness::click(d, "&Apply");
        EXPECT_EQ(
            harness->prompter().texts(),
            QStringList{"Make sure the host IP and MAC exists or you will lose the connection."});
        EXPECT_EQ(harness->sim().value(ArpCell(4, "10.0.0.10")), "1");
        d->reject();
    });
    DialogHarness::click(list.get(), "&Add");
    ASSERT_TRUE(DialogHarness::waitIdle(*list));
    auto* rows = List(list.get());
    ASSERT_EQ(rows->rowCount(), 2);
    EXPECT_EQ((QStringList{rows->cellText(0, 1), rows->cellText(0, 2), rows->cellText(0, 3)}),
              (QStringList{"10.0.0.9", "00-1B-21-00-00-0A", "2-4"}));
    EXPECT_EQ(rows->cellText(1, 1), "10.0.0.10");
}

TEST_F(ArpSpoofing, OtherModelsCreateAndWaitBeforeTheColumnsOverSnmpV3)
{
    harness->useDevice(QStringLiteral("KX-C1 R2"), 8);
    harness->useVersion3("md5des"); // resetForTest() goes back to v1
    auto dlg = OpenAdd();
    harness->sim().clearLog();
    harness->prompter().answerNext(true);
    Enter(dlg.get(), "192.168.1.1", "00-1B-21-00-00-01", {8});
    DialogHarness::click(dlg.get(), "All Ports");
    DialogHarness::click(dlg.get(), "&Apply");
    EXPECT_EQ(
        SetBindings(harness->sim()),
        (std::vector<std::string>{"14.3.1.1.4.192.168.1.1=5", "14.3.1.1.2.192.168.1.1=001b21000001",
                                  "14.3.1.1.3.192.168.1.1=ff000000", "14.3.1.1.4.192.168.1.1=1"}));
    EXPECT_EQ(harness->sim().value(ArpCell(4, "192.168.1.1")), "1");
}

} // namespace
