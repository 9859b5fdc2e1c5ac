// The IGMP snooping dialogs and the multicast filtering dialog driven the way a
// user drives them, against the simulated switch: what they list, what each
// Apply refuses, asks and writes (from the request log and the device).

#include "ui/l2/CIgmpSnoopingDlg.h"
#include "ui/l2/CIgmpVlanDlg.h"
#include "ui/l2/CMulticastEntryDlg.h"
#include "ui/l2/CMulticastFilterDlg.h"
#include "tests/l2/QosTestSupport.h"
#include "tests/l2/TrunkTestSupport.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace kxtest;
using l2test::Control;
using l2test::Value;
using qostest::Sets;

namespace {

class IgmpDialogs : public SimSuite<>
{
protected:
    template<class D>
    static std::unique_ptr<D> Open()
    {
        auto dlg = harness->open<D>();
        EXPECT_TRUE(DialogHarness::waitFirstRead(*dlg));
        return dlg;
    }
    static QStringList Row(QWidget* dlg, const char* list, int row)
    {
        auto* view = DialogHarness::find<kx::GridListView>(dlg, list);
        QStringList texts;
        for (int c = 0; c < view->columnCount(); ++c)
            texts << view->cellText(row, c);
        return texts;
    }
    static bool GotAFreshGet()
    {
        for (const auto& r : harness->sim().requestLog())
            if (r.pdu == "get")
                return true;
        return false;
    }
};

TEST_F(IgmpDialogs, GlobalChecksRunInTheirOrderAndWriteNothing)
{
    auto dlg = Open<CIgmpSnoopingDlg>();
    DialogHarness::click(dlg.get(), "Enable IGMP Snooping ");
    // Field k and every field checked after it are out of range: field k's text.
    const struct
    {
        const char* field;
        const char* bad;
        const char* message;
    } checks[] = {
        {"Host Timeout(130-153025 sec)", "129", "Invalid Host Timeout (130-153025 sec)."},
        {"Router Timeout(60-600 sec)", "601", "Invalid Router Timeout (60-600 sec)."},
        {"Robustness Variable(2-255)", "1", "Invalid Robustness Variable (2-255)."},
        {"Last Member Query Interval(1-25 sec)", "26", "Invalid Last Member Query Interval (1-25 sec)."},
        {"Query Interval(60-600 sec)", "", "Invalid Query Interval (60-600 sec)."},
        {"Max Response Time(10-25 sec)", "26", "Invalid Max. Response Time (10-25 sec)."},
    };
    harness->sim().clearLog();
    for (auto it = std::rbegin(checks); it != std::rend(checks); ++it) {
        SCOPED_TRACE(it->field);
        harness->prompter().clear();
        DialogHarness::type(dlg.get(), it->field, it->bad);
        DialogHarness::click(dlg.get(), "&Apply");
        EXPECT_EQ(harness->prompter().texts(), QStringList{it->message});
        EXPECT_TRUE(DialogHarness::find<QLineEdit>(dlg.get(), it->field)->hasFocus());
    }
    EXPECT_TRUE(harness->sim().requestLog().empty());
}

TEST_F(IgmpDialogs, DisablingAsksAndWritesOnlyWhatTheStateRulesSay)
{
    auto dlg = Open<CIgmpSnoopingDlg>();
    auto* routerTimeout = DialogHarness::find<QLineEdit>(dlg.get(), "Router Timeout(60-600 sec)");
    EXPECT_EQ(routerTimeout->text(), "260");
    EXPECT_FALSE(routerTimeout->isEnabled());

    // Still off: the question, then nothing written whatever the answer; Cancel
    // reads again.
    harness->sim().clearLog();
    DialogHarness::click(dlg.get(), "&Apply");
    EXPECT_TRUE(GotAFreshGet());
    harness->prompter().answerNext(true);
    DialogHarness::click(dlg.get(), "&Apply");
    EXPECT_EQ(harness->prompter().texts(),
              (QStringList{"All router ports will be deleted.", "All router ports will be deleted."}));
    EXPECT_TRUE(Sets(*harness).empty());

    // On: the state alone, then only the values that changed, in one request.
    DialogHarness::click(dlg.get(), "Enable IGMP Snooping ");
    EXPECT_TRUE(routerTimeout->isEnabled());
    DialogHarness::type(dlg.get(), "Router Timeout(60-600 sec)", "300");
    DialogHarness::type(dlg.get(), "Query Interval(60-600 sec)", "90");
    DialogHarness::click(dlg.get(), "Report to all ports");
    DialogHarness::click(dlg.get(), "&Apply");
    EXPECT_EQ(Sets(*harness), (std::vector<std::string>{"10.1.1.0=1", "10.1.2.0=300 10.1.6.0=90 10.1.8.0=1"}));
    EXPECT_EQ(Value(*harness, "P.10.1.6.0"), "90");

    // Off again, asked and cancelled: nothing; confirmed: the state alone, and
    // the router ports go with it.
    Control(*harness, {"set P.10.3.4.1.6.1 pl W 80000000"});
    DialogHarness::click(dlg.get(), "Enable IGMP Snooping ");
    EXPECT_FALSE(routerTimeout->isEnabled());
    harness->sim().clearLog();
    DialogHarness::click(dlg.get(), "&Apply");
    EXPECT_TRUE(Sets(*harness).empty());
    EXPECT_TRUE(DialogHarness::find<QCheckBox>(dlg.get(), "Enable IGMP Snooping ")->isChecked());
    DialogHarness::click(dlg.get(), "Enable IGMP Snooping ");
    harness->prompter().answerNext(true);
    DialogHarness::click(dlg.get(), "&Apply");
    EXPECT_EQ(Sets(*harness), std::vector<std::string>{"10.1.1.0=2"});
    EXPECT_EQ(Value(*harness, "P.10.3.4.1.6.1"), "00-00-00-00");
}

TEST_F(IgmpDialogs, VlanSettingsListEveryVlanAndWriteInTheSwitchesOrder)
{
    harness->useVersion3("md5des");
    harness->sim().control("scenario voice100");
    Control(*harness, {"set P.10.3.4.1.2.100 i W 1", "set P.10.3.4.1.6.100 pl W 30000000"});
    auto dlg = Open<CIgmpVlanDlg>();
    auto* list = DialogHarness::find<kx::GridListView>(dlg.get(), "IGMP VLAN Table");
    ASSERT_EQ(list->rowCount(), 2);
    EXPECT_EQ(Row(dlg.get(), "IGMP VLAN Table", 0),
              (QStringList{"1", "default", "Disabled", "Disabled", "Disabled", ""}));
    EXPECT_EQ(Row(dlg.get(), "IGMP VLAN Table", 1),
              (QStringList{"100", "voice", "Enabled", "Disabled", "Disabled", "3-4"}));

    // The row fills the controls; "Disabled" switches the other two combos off.
    l2test::ClickRow(list, 0);
    auto* querier = DialogHarness::find<QComboBox>(dlg.get(), "Querier State:");
    EXPECT_EQ(DialogHarness::find<QLineEdit>(dlg.get(), "VLAN ID:")->text(), "1");
    EXPECT_FALSE(querier->isEnabled());

    // 2 to 1: the state alone, then querier and fast leave.
    harness->sim().clearLog();
    DialogHarness::choose(dlg.get(), "State:", "Enabled");
    DialogHarness::choose(dlg.get(), "Querier State:", "Enabled");
    DialogHarness::click(dlg.get(), "&Apply");
    EXPECT_EQ(Sets(*harness), (std::vector<std::string>{"10.3.4.1.2.1=1", "10.3.4.1.4.1=1 10.3.4.1.8.1=2"}));
    ASSERT_TRUE(DialogHarness::waitUntil([&] { return list->cellText(0, 3) == "Enabled"; }));
    EXPECT_TRUE(DialogHarness::find<QLineEdit>(dlg.get(), "VLAN ID:")->text().isEmpty());

    // 1 to 2: asked; Cancel writes nothing, OK one request with the state last.
    l2test::ClickRow(list, 1);
    EXPECT_TRUE(l2test::PortBox(dlg.get(), 3)->isChecked() && l2test::PortBox(dlg.get(), 4)->isChecked());
    DialogHarness::choose(dlg.get(), "State:", "Disabled");
    harness->sim().clearLog();
    DialogHarness::click(dlg.get(), "&Apply");
    EXPECT_TRUE(Sets(*harness).empty());
    harness->prompter().answerNext(true);
    DialogHarness::click(dlg.get(), "&Apply");
    EXPECT_EQ(harness->prompter().texts(), (QStringList{"All router ports of this VLAN will be deleted.",
                                                        "All router ports of this VLAN will be deleted."}));
    EXPECT_EQ(Sets(*harness), std::vector<std::string>{"10.3.4.1.4.100=2 10.3.4.1.8.100=2 10.3.4.1.2.100=2"});
    ASSERT_TRUE(DialogHarness::waitUntil([&] { return list->cellText(1, 2) == "Disabled"; }));
    EXPECT_EQ(list->cellText(1, 5), "");
    EXPECT_TRUE(querier->isEnabled());
}

TEST_F(IgmpDialogs, StaticRouterPortsAreCheckedThenWrittenAsAPaddedPortList)
{
    harness->sim().control("scenario trunk78");
    auto dlg = Open<CIgmpVlanDlg>();
    auto* list = DialogHarness::find<kx::GridListView>(dlg.get(), "IGMP VLAN Table");
    harness->sim().clearLog();
    // Half an aggregated link: refused before the VLAN is looked at.
    l2test::ClickPorts(dlg.get(), {2, 7});
    DialogHarness::click(dlg.get(), "Apply Static Router Ports");
    l2test::ClickPorts(dlg.get(), {8});
    DialogHarness::click(dlg.get(), "Apply Static Router Ports");
    EXPECT_EQ(harness->prompter().texts(),
              (QStringList{"Members of port channel must have the same status.", "Please select Vlan first."}));
    EXPECT_TRUE(Sets(*harness).empty());

    l2test::ClickRow(list, 0);
    l2test::ClickPorts(dlg.get(), {2, 7, 8});
    DialogHarness::click(dlg.get(), "Apply Static Router Ports");
    ASSERT_EQ(harness->sets().size(), 1u);
    EXPECT_EQ(harness->sets()[0].bindings[0].oid, l2test::Expand("P.10.3.4.1.6.1"));
    EXPECT_EQ(harness->sets()[0].bindings[0].type, "x");
    EXPECT_EQ(harness->sets()[0].bindings[0].value, "43-00-00-00");
    ASSERT_TRUE(DialogHarness::waitUntil([&] { return list->cellText(0, 5) == "2,7-8"; }));
}

TEST_F(IgmpDialogs, AggregatedLinkRulesWaitForTheAggregationGroups)
{
    harness->sim().control("scenario trunk78");
    const std::string slowGroups = l2test::Expand("fault add P.8.1.3.1.2 delay 600 count=1");
    harness->sim().control(slowGroups);
    auto vlans = harness->open<CIgmpVlanDlg>();
    auto* apply = DialogHarness::find<QPushButton>(vlans.get(), "Apply Static Router Ports");
    EXPECT_FALSE(apply->isEnabled());
    ASSERT_TRUE(DialogHarness::waitUntil([&] { return apply->isEnabled(); }));
    l2test::ClickPorts(vlans.get(), {7});
    DialogHarness::click(vlans.get(), "Apply Static Router Ports");
    EXPECT_EQ(harness->prompter().last(), "Members of port channel must have the same status.");

    harness->sim().control(slowGroups);
    auto filter = harness->open<CMulticastFilterDlg>();
    apply = DialogHarness::find<QPushButton>(filter.get(), "&Apply");
    EXPECT_FALSE(apply->isEnabled());
    ASSERT_TRUE(DialogHarness::waitUntil([&] { return apply->isEnabled(); }));
    DialogHarness::click(filter.get(), "&Apply");
    EXPECT_EQ(harness->prompter().last(),
              "Ports with different Multicast Filtering Mode in an aggregated link is invalid.");
}

TEST_F(IgmpDialogs, EntriesShowAddressesAndPortsAsTheCodecsDo)
{
    auto dlg = Open<CMulticastEntryDlg>();
    EXPECT_EQ(Row(dlg.get(), "Multicast Entries", 0),
              (QStringList{"1", "1", "239.1.1.1", "01-00-5E-01-01-01", "1-2"}));

    // Short values are shown as they came.
    Control(*harness, {"set P.10.3.5.1.2.1.239.1.1.1 x R EF-01", "set P.10.3.5.1.3.1.239.1.1.1 x R 01-00-5E",
                       "set P.10.3.5.1.4.1.239.1.1.1 x R 40"});
    DialogHarness::click(dlg.get(), "&Refresh");
    EXPECT_EQ(Row(dlg.get(), "Multicast Entries", 0), (QStringList{"1", "1", "EF 01", "01 00 5E", "2"}));
}

TEST_F(IgmpDialogs, FilteringRefusesASmallerToPortAndWritesARangeInOneRequest)
{
    harness->sim().control("scenario trunk78");
    harness->useVersion3("shades");
    auto dlg = Open<CMulticastFilterDlg>();
    auto* list = DialogHarness::find<kx::GridListView>(dlg.get(), "Multicast Filtering Mode Table");
    ASSERT_EQ(list->rowCount(), 8);
    EXPECT_EQ(Row(dlg.get(), "Multicast Filtering Mode Table", 0), (QStringList{"1", "Forward Unregistered Groups"}));

    // Its aggregated-link refusal is AggregatedLinkRulesWaitForTheAggregationGroups'.
    harness->sim().clearLog();
    DialogHarness::choose(dlg.get(), "Multicast Filtering Mode", "Filtering Unregistered Groups");
    DialogHarness::choose(dlg.get(), "From Port", "3");
    DialogHarness::choose(dlg.get(), "To Port", "2");
    EXPECT_EQ(harness->prompter().last(), "'To Port' can not be smaller than 'From Port'");
    EXPECT_EQ(DialogHarness::find<QComboBox>(dlg.get(), "To Port")->currentText(), "3");
    DialogHarness::choose(dlg.get(), "To Port", "5");
    DialogHarness::click(dlg.get(), "&Apply");
    EXPECT_EQ(Sets(*harness), std::vector<std::string>{"28.1.1.2.3=2 28.1.1.2.4=2 28.1.1.2.5=2"});
    ASSERT_TRUE(DialogHarness::waitUntil([&] { return list->cellText(4, 1) == "Filtering Unregistered Groups"; }));
    EXPECT_EQ(list->cellText(5, 1), "Forward Unregistered Groups");
}

} // namespace
