// "DHCP Server Screening Settings  " driven through its widgets against the
// simulated switch.

#include "tests/security/SecurityTestSupport.h"
#include "ui/kit/GridListView.h"
#include "ui/security/CDhcpScreeningDlg.h"

#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace kxtest;
using namespace kxtest::security;

namespace {

const std::string kScreened = P + ".14.7.1.0";

std::string ServerCell(int column, int number)
{
    return P + ".14.7.2.1." + std::to_string(column) + "." + std::to_string(number);
}

void PutServer(KxSimFixture& sim, int number, const std::string& ip, int status = 1)
{
    sim.control("set " + ServerCell(1, number) + " i C " + std::to_string(number));
    sim.control("set " + ServerCell(2, number) + " a C " + ip);
    sim.control("set " + ServerCell(3, number) + " i C " + std::to_string(status));
}

class DhcpScreening : public kxtest::SimSuite<>
{
protected:
    static std::unique_ptr<CDhcpScreeningDlg> Open()
    {
        auto dlg = harness->open<CDhcpScreeningDlg>();
        EXPECT_TRUE(DialogHarness::waitFirstRead(*dlg));
        return dlg;
    }
    static kx::GridListView* List(QWidget* dlg)
    {
        return DialogHarness::find<kx::GridListView>(dlg, "Trusted DHCP Servers");
    }
    static QLineEdit* Ports(QWidget* dlg)
    {
        return DialogHarness::find<QLineEdit>(dlg, "Ex:(1,2,4-6) ");
    }
};

TEST_F(DhcpScreening, TrustedPortsAreShownAndWrittenInvertedAndBadTextsAreRefused)
{
    harness->sim().control("scenario trunk78");
    harness->sim().control("set " + kScreened + " pl W C1000000"); // 1, 2 and 8 screened
    // The trusted-port Add waits for the aggregation groups.
    harness->sim().control("fault add " + P + ".8.1.3.1.2 delay 300 count=1");
    auto dlg = harness->open<CDhcpScreeningDlg>();
    QTest::qWait(100);
    EXPECT_FALSE(DialogHarness::find<QPushButton>(dlg.get(), "Add Trusted Ports")->isEnabled());
    ASSERT_TRUE(DialogHarness::waitFirstRead(*dlg));
    EXPECT_EQ(Ports(dlg.get())->text(), "3-7");

    harness->sim().clearLog();
    struct Case
    {
        QString text;
        QString message; // empty: nothing said
    };
    const Case refused[] = {
        {"3-7", ""}, // unchanged
        {"1;3", "Invalid Port list"},
        {"1-9", "Invalid Portlist"},
        {"1-7", "The link aggregation member port can not be configured."},
    };
    for (const Case& c : refused) {
        harness->prompter().clear();
        DialogHarness::type(dlg.get(), "Ex:(1,2,4-6) ", c.text);
        DialogHarness::click(dlg.get(), "Add Trusted Ports");
        EXPECT_EQ(harness->prompter().texts(),
                  c.message.isEmpty() ? QStringList() : QStringList{c.message})
            << c.text.toStdString();
    }
    EXPECT_TRUE(harness->sets().empty());

    DialogHarness::type(dlg.get(), "Ex:(1,2,4-6) ", "1,7-8");
    DialogHarness::click(dlg.get(), "Add Trusted Ports");
    EXPECT_EQ(SetBindings(harness->sim()), std::vector<std::string>{"14.7.1.0=7c000000"});
    EXPECT_EQ(Ports(dlg.get())->text(), "1,7-8");
    EXPECT_EQ(dlg->lastShownPorts(), "1,7-8");

    // A read that fails leaves the edit, and what it is compared with, alone.
    DialogHarness::type(dlg.get(), "Ex:(1,2,4-6) ", "5");
    harness->sim().control("fault add " + kScreened + " drop count=1");
    DialogHarness::click(dlg.get(), "&Refresh");
    EXPECT_EQ(Ports(dlg.get())->text(), "5");
    EXPECT_EQ(dlg->lastShownPorts(), "1,7-8");
}

TEST_F(DhcpScreening, ServersTakeTheFirstFreeNumberFiveAtMostAndDeleteDestroysTheSelectedOne)
{
    PutServer(harness->sim(), 1, "10.0.0.1");
    PutServer(harness->sim(), 3, "10.0.0.3");
    auto dlg = Open();
    auto* list = List(dlg.get());
    ASSERT_EQ(list->rowCount(), 2);

    harness->sim().clearLog();
    const std::pair<QString, QString> refused[] = {
        {"10.0..7", "Invalid IP address."},
        {"10.0.0.255", "Invalid server IP address."},
        {"10.0.0.3", "Duplicate server IP address."},
    };
    for (const auto& [ip, message] : refused) {
        harness->prompter().clear();
        TypeIp(dlg.get(), "Server IP Address:", ip);
        DialogHarness::click(dlg.get(), "&Add");
        EXPECT_EQ(harness->prompter().texts(), QStringList{message}) << ip.toStdString();
    }
    EXPECT_TRUE(harness->sets().empty());

    TypeIp(dlg.get(), "Server IP Address:", "10.0.0.7");
    DialogHarness::click(dlg.get(), "&Add");
    EXPECT_EQ(
        SetBindings(harness->sim()),
        (std::vector<std::string>{"14.7.2.1.3.2=5", "14.7.2.1.2.2=10.0.0.7", "14.7.2.1.3.2=1"}));
    EXPECT_EQ(harness->sim().value(ServerCell(2, 3)), "10.0.0.3");
    ASSERT_EQ(list->rowCount(), 3);
    EXPECT_EQ(list->cellText(1, 0), "2");

    // Number 5 is taken by a row that is not active: no number is free.
    PutServer(harness->sim(), 4, "10.0.0.4");
    PutServer(harness->sim(), 5, "10.0.0.5", 2);
    DialogHarness::click(dlg.get(), "&Refresh");
    ASSERT_EQ(list->rowCount(), 4);
    harness->sim().clearLog();
    harness->prompter().clear();
    TypeIp(dlg.get(), "Server IP Address:", "10.0.0.8");
    DialogHarness::click(dlg.get(), "&Add");
    // Five listed: refused as well.
    harness->sim().control("set " + ServerCell(3, 5) + " i C 1");
    DialogHarness::click(dlg.get(), "&Refresh");
    DialogHarness::click(dlg.get(), "&Add");
    list->clearSelection();
    DialogHarness::click(dlg.get(), "&Delete");
    EXPECT_EQ(harness->prompter().texts(),
              (QStringList{"The maximum entries is 5.", "The maximum entries is 5.",
                           "Please select the entry to delete."}));
    EXPECT_TRUE(harness->sets().empty());
    list->selectRow(3);
    DialogHarness::click(dlg.get(), "&Delete");
    EXPECT_EQ(SetBindings(harness->sim()), std::vector<std::string>{"14.7.2.1.3.4=6"});
    EXPECT_EQ(list->rowCount(), 4);
}

} // namespace
