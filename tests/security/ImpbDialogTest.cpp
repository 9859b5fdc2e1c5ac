// "Smart Binding Settings", "Smart Binding", "White List" and "Black List",
// driven through their widgets against the simulated switch.

#include "tests/security/SecurityTestSupport.h"
#include "ui/kit/GridListView.h"
#include "ui/security/CImpbBindingDlg.h"
#include "ui/security/CImpbListDlgs.h"
#include "ui/security/CImpbSettingsDlg.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace kxtest;
using namespace kxtest::security;

namespace {

const std::string kImpb = P + ".14.10";
const QString kSelectBinding = QStringLiteral("Please select the item would be Binding!\n");
const QString kSelectDelete = QStringLiteral("Please select the item would be delete!\n");

class Impb : public kxtest::SimSuite<>
{
protected:
    template <class D> static std::unique_ptr<D> Open()
    {
        auto dlg = harness->open<D>();
        EXPECT_TRUE(DialogHarness::waitFirstRead(*dlg));
        return dlg;
    }
    static kx::GridListView* List(QWidget* dlg, const char* name)
    {
        return DialogHarness::find<kx::GridListView>(dlg, name);
    }
    static QStringList Line(kx::GridListView* list, int row)
    {
        QStringList cells;
        for (int c = 0; c < list->columnCount(); ++c)
            cells << list->cellText(row, c);
        return cells;
    }
    static void Range(QWidget* dlg, const QString& from, const QString& to, const QString& admin)
    {
        DialogHarness::choose(dlg, "From Port", from);
        DialogHarness::choose(dlg, "To Port", to);
        DialogHarness::choose(dlg, "Admin State", admin);
    }
    static void EraseWhiteList()
    {
        for (int c = 1; c <= 4; ++c)
            harness->sim().control("erase " + kImpb + ".3.1." + std::to_string(c) +
                                   ".10.0.0.102.0.27.33.0.0.2");
    }
};

TEST_F(Impb, SettingsListThePortsAndRefuseAnAggregatedLinkOnTheFirstApply)
{
    harness->sim().control("scenario trunk78");
    harness->sim().control("set " + kImpb + ".1.1.2.2 i W 1");
    harness->sim().control("set " + kImpb + ".1.1.3.2 i W 0");
    harness->sim().control("set " + kImpb + ".1.1.4.2 i W 1");
    harness->sim().control("fault add " + P + ".8.1.3.1.2 delay 300 count=1");
    auto dlg = harness->open<CImpbSettingsDlg>();
    QTest::qWait(100);
    EXPECT_FALSE(DialogHarness::find<QPushButton>(dlg.get(), "&Apply")->isEnabled());
    ASSERT_TRUE(DialogHarness::waitFirstRead(*dlg));
    auto* list = List(dlg.get(), "Smart Binding Port Settings");
    ASSERT_EQ(list->rowCount(), 8);
    EXPECT_EQ(Line(list, 0), (QStringList{"1", "Disabled", "Disabled", "Disabled"}));
    EXPECT_EQ(Line(list, 1), (QStringList{"2", "Enabled", "Enabled", "Enabled"}));

    harness->sim().clearLog();
    Range(dlg.get(), "5", "3", "Enabled");
    EXPECT_EQ(DialogHarness::find<QComboBox>(dlg.get(), "To Port")->currentText(), "5");
    Range(dlg.get(), "5", "7", "Enabled");
    DialogHarness::click(dlg.get(), "&Apply");
    EXPECT_EQ(harness->prompter().texts(),
              (QStringList{"'To Port' can not be smaller than 'From Port'",
                           "Cannot add a port-security enabled port to an aggregated link."}));
    EXPECT_TRUE(harness->sets().empty());

    // Disabling the same range is allowed: one request a port, three bindings each.
    DialogHarness::choose(dlg.get(), "Mode", "ARP+IP Inspection");
    DialogHarness::choose(dlg.get(), "Admin State", "Disabled");
    DialogHarness::click(dlg.get(), "&Apply");
    ASSERT_EQ(harness->sets().size(), 3u);
    EXPECT_EQ(SetBindings(harness->sim()),
              (std::vector<std::string>{"14.10.1.1.2.5=0", "14.10.1.1.3.5=0", "14.10.1.1.4.5=0",
                                        "14.10.1.1.2.6=0", "14.10.1.1.3.6=0", "14.10.1.1.4.6=0",
                                        "14.10.1.1.2.7=0", "14.10.1.1.3.7=0", "14.10.1.1.4.7=0"}));
    EXPECT_EQ(Line(list, 4), (QStringList{"5", "Disabled", "Enabled", "Disabled"}));
}

TEST_F(Impb, EnablingEveryPortWithAnEmptyWhiteListIsRefused)
{
    EraseWhiteList();
    auto dlg = Open<CImpbSettingsDlg>();
    Range(dlg.get(), "1", "8", "Enabled");
    harness->sim().clearLog();
    DialogHarness::click(dlg.get(), "&Apply");
    EXPECT_EQ(harness->prompter().texts(),
              QStringList{"This operation will cause device to out of control."});
    EXPECT_EQ(DialogHarness::find<QComboBox>(dlg.get(), "Admin State")->currentText(), "Disabled");
    EXPECT_TRUE(harness->sets().empty());
    // A sub-range may be bound.
    Range(dlg.get(), "1", "7", "Enabled");
    DialogHarness::click(dlg.get(), "&Apply");
    EXPECT_EQ(harness->sets().size(), 7u);
    EXPECT_EQ(harness->sim().value(kImpb + ".1.1.2.7"), "1");
}

TEST_F(Impb, BindingTableInSlotOrderAndBindingALine)
{
    auto dlg = Open<CImpbBindingDlg>();
    auto* list = List(dlg.get(), "Smart Binding List");
    ASSERT_EQ(list->rowCount(), 2);
    EXPECT_EQ(Line(list, 0),
              (QStringList{"1", "10.0.0.101", "00-1B-21-00-00-01", "1", "Not Bound"}));
    EXPECT_EQ(Line(list, 1), (QStringList{"1", "10.0.0.102", "00-1B-21-00-00-02", "2", "Bound"}));
    // The columns of the walk's first request, in the order asked.
    std::vector<std::string> walked;
    for (const auto& r : harness->sim().requestLog())
        if (walked.empty() && r.pdu == "getnext" &&
            r.bindings.front().oid.rfind(kImpb + ".2.1.", 0) == 0)
            for (const auto& b : r.bindings)
                walked.push_back(b.oid.substr(kImpb.size() + 1));
    EXPECT_EQ(walked, (std::vector<std::string>{"2.1.1", "2.1.4", "2.1.3", "2.1.2", "2.1.5"}));

    harness->sim().clearLog();
    DialogHarness::click(dlg.get(), "&Binding");
    list->selectRow(1);
    DialogHarness::click(dlg.get(), "&Binding");
    EXPECT_EQ(harness->prompter().texts(), (QStringList{kSelectBinding, "The entry is bound."}));
    EXPECT_TRUE(harness->sets().empty());
    list->selectRow(0);
    DialogHarness::click(dlg.get(), "&Binding");
    EXPECT_EQ(SetBindings(harness->sim()),
              std::vector<std::string>{"14.10.2.1.5.0.27.33.0.0.1.1.10.0.0.101=1"});
    EXPECT_EQ(list->cellText(0, 4), "Bound");
}

TEST_F(Impb, ManualBindingCreatesAWhiteListRowAndSaysSuccessOnlyWhenAllThreeStepsWereTaken)
{
    auto dlg = Open<CImpbBindingDlg>();
    harness->sim().clearLog();
    const std::tuple<QString, QString, QString, QString> refused[] = {
        {"10.0..9", "zz", "x", "Invalid IP Address."},
        {"10.0.0.9", "00-1B-21", "x", "Please enter correct MAC format(ex:00-00-00-00-00-01)"},
        {"10.0.0.9", "01-00-5E-00-00-01", "x", "Multicast MAC is not allowed."},
        {"10.0.0.9", "00-1B-21-00-00-09", "9", "Invalid port number."},
    };
    for (const auto& [ip, mac, port, message] : refused) {
        harness->prompter().clear();
        TypeIp(dlg.get(), "IP Address:", ip);
        DialogHarness::type(dlg.get(), "MAC Address:", mac);
        DialogHarness::type(dlg.get(), "Port:", port);
        DialogHarness::click(dlg.get(), "A&dd");
        EXPECT_EQ(harness->prompter().texts(), QStringList{message})
            << ip.toStdString() << " " << mac.toStdString();
    }
    EXPECT_TRUE(harness->sets().empty());

    harness->prompter().clear();
    TypeIp(dlg.get(), "IP Address:", "10.0.0.9");
    DialogHarness::type(dlg.get(), "MAC Address:", "00-1B-21-00-00-09");
    DialogHarness::type(dlg.get(), "Port:", "4");
    DialogHarness::click(dlg.get(), "A&dd");
    const std::string row = "10.0.0.9.0.27.33.0.0.9";
    EXPECT_EQ(SetBindings(harness->sim()),
              (std::vector<std::string>{"14.10.3.1.4." + row + "=5", "14.10.3.1.3." + row + "=4",
                                        "14.10.3.1.4." + row + "=1"}));
    EXPECT_EQ(harness->prompter().texts(), QStringList{"Success!"});
    EXPECT_TRUE(DialogHarness::find<QLineEdit>(dlg.get(), "MAC Address:")->text().isEmpty());
    EXPECT_TRUE(DialogHarness::find<kx::IpAddressEdit>(dlg.get(), "IP Address:")->isBlank());

    // The device refuses the port: the row is not active, and nothing says so.
    harness->prompter().clear();
    harness->sim().control("fault add " + kImpb + ".3.1.3 error genErr count=1");
    TypeIp(dlg.get(), "IP Address:", "10.0.0.10");
    DialogHarness::type(dlg.get(), "MAC Address:", "00-1B-21-00-00-10");
    DialogHarness::type(dlg.get(), "Port:", "5");
    DialogHarness::click(dlg.get(), "A&dd");
    EXPECT_TRUE(harness->prompter().texts().isEmpty());
}

TEST_F(Impb, ScanChecksFromBeforeToAndListsTheHostsFound)
{
    harness->sim().control("scenario scanhosts");
    auto dlg = Open<CImpbBindingDlg>();
    harness->sim().clearLog();
    const std::tuple<QString, QString, QString> refused[] = {
        {"10.0.0", "", "Invalid From IP address !"},
        {"10.0.0.140", "10.0.0", "Invalid To IP address !"},
        {"10.0.0.140", "10.0.0.255", "Invalid IP Address."},
    };
    for (const auto& [from, to, message] : refused) {
        harness->prompter().clear();
        TypeIp(dlg.get(), "From IP:", from);
        TypeIp(dlg.get(), "To IP:", to);
        DialogHarness::click(dlg.get(), "&Scan");
        EXPECT_EQ(harness->prompter().texts(), QStringList{message});
    }
    EXPECT_TRUE(harness->sets().empty());

    TypeIp(dlg.get(), "From IP:", "10.0.0.140");
    TypeIp(dlg.get(), "To IP:", "10.0.0.160");
    DialogHarness::click(dlg.get(), "&Scan");
    const auto sets = harness->sets();
    ASSERT_EQ(sets.size(), 2u);
    EXPECT_EQ(sets[0].bindings.size(), 2u);
    EXPECT_EQ(
        SetBindings(harness->sim()),
        (std::vector<std::string>{"14.10.5.0=10.0.0.140", "14.10.6.0=10.0.0.160", "14.10.7.0=1"}));
    EXPECT_TRUE(DialogHarness::find<kx::IpAddressEdit>(dlg.get(), "From IP:")->isBlank());
    auto* list = List(dlg.get(), "Smart Binding List");
    ASSERT_EQ(list->rowCount(), 5);
    EXPECT_EQ(Line(list, 4),
              (QStringList{"1", "10.0.0.152", "00-1B-21-00-01-52", "7", "Not Bound"}));
}

TEST_F(Impb, WhiteListCountsAndDeletesOnAddressAndMac)
{
    auto dlg = Open<CImpbWhiteListDlg>();
    auto* list = List(dlg.get(), "White List");
    ASSERT_EQ(list->rowCount(), 1);
    EXPECT_EQ(Line(list, 0), (QStringList{"10.0.0.102", "00-1B-21-00-00-02", "2"}));
    EXPECT_EQ(DialogHarness::find<QLabel>(dlg.get(), "Total")->text(), "1");
    harness->sim().clearLog();
    DialogHarness::click(dlg.get(), "&Delete");
    EXPECT_EQ(harness->prompter().texts(), QStringList{kSelectDelete});
    list->selectRow(0);
    DialogHarness::click(dlg.get(), "&Delete");
    EXPECT_EQ(SetBindings(harness->sim()),
              std::vector<std::string>{"14.10.3.1.4.10.0.0.102.0.27.33.0.0.2=6"});
    EXPECT_EQ(list->rowCount(), 0);
    EXPECT_EQ(DialogHarness::find<QLabel>(dlg.get(), "Total")->text(), "0");
}

TEST_F(Impb, BlackListFindsWithoutRegardToCaseAndRemovesOnMacOnePort)
{
    const std::string vlan2 = ".0.102.119.136.153.204.2.5";
    for (const auto& [inst, mac, vid, port, ip] :
         {std::tuple{std::string(".0.102.119.136.153.187.1.4"), "00-66-77-88-99-BB", "1", "4",
                     "10.0.0.67"},
          std::tuple{vlan2, "00-66-77-88-99-CC", "2", "5", "10.0.0.68"}}) {
        harness->sim().control("set " + kImpb + ".4.1.1" + inst + " x R " + mac);
        harness->sim().control("set " + kImpb + ".4.1.2" + inst + " i R " + vid);
        harness->sim().control("set " + kImpb + ".4.1.3" + inst + " i R " + port);
        harness->sim().control("set " + kImpb + ".4.1.4" + inst + " a R " + ip);
        harness->sim().control("set " + kImpb + ".4.1.5" + inst + " i W 2");
    }
    auto dlg = Open<CImpbBlackListDlg>();
    auto* list = List(dlg.get(), "Black List");
    ASSERT_EQ(list->rowCount(), 3);
    EXPECT_EQ(Line(list, 0), (QStringList{"1", "10.0.0.66", "00-66-77-88-99-AA", "3"}));
    EXPECT_EQ(DialogHarness::find<QLabel>(dlg.get(), "Total")->text(), "3");

    DialogHarness::type(dlg.get(), "MAC Address:", "00-66-77-88-99-bb");
    DialogHarness::click(dlg.get(), "&Find");
    ASSERT_EQ(list->rowCount(), 1);
    EXPECT_EQ(list->cellText(0, 1), "10.0.0.67");
    EXPECT_TRUE(DialogHarness::find<QLineEdit>(dlg.get(), "MAC Address:")->text().isEmpty());
    DialogHarness::type(dlg.get(), "VID:", "2");
    DialogHarness::type(dlg.get(), "Port:", "4");
    DialogHarness::click(dlg.get(), "&Find");
    EXPECT_EQ(list->rowCount(), 0);
    DialogHarness::click(dlg.get(), "&Find");
    ASSERT_EQ(list->rowCount(), 3);

    harness->sim().clearLog();
    DialogHarness::click(dlg.get(), "&Delete");
    EXPECT_EQ(harness->prompter().texts(), QStringList{kSelectDelete});
    list->selectRow(1);
    DialogHarness::click(dlg.get(), "&Delete");
    EXPECT_EQ(SetBindings(harness->sim()),
              std::vector<std::string>{"14.10.4.1.5.0.102.119.136.153.187.1.4=1"});
    ASSERT_EQ(list->rowCount(), 2);
    EXPECT_EQ(list->cellText(1, 1), "10.0.0.68");
}

} // namespace
