// "BandWidth Control", "Storm Control" and "PortMirroringConfiguration" driven
// through their widgets against the simulated switch.

#include "ui/kit/GridListView.h"
#include "ui/l2/CBandwidthDlg.h"
#include "ui/l2/CPortMirrorDlg.h"
#include "ui/l2/CStormControlDlg.h"
#include "tests/l2/QosTestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

using kxtest::DialogHarness;
using namespace qostest;

namespace {

class QosSuite : public kxtest::SimSuite<>
{
protected:
    template<class D>
    std::unique_ptr<D> Open()
    {
        auto d = harness->open<D>();
        EXPECT_TRUE(DialogHarness::waitFirstRead(*d));
        harness->sim().clearLog();
        harness->prompter().clear();
        return d;
    }
    void Set(const std::string& shortOid, const std::string& typeAndValue)
    {
        harness->sim().control("set " + Expand(shortOid) + " " + typeAndValue);
    }
    static QPushButton* Button(QWidget* d, const QString& name) { return DialogHarness::find<QPushButton>(d, name); }
    QString Last() { return harness->prompter().last(); }
};

// The aggregation groups a dialog judges by arrive on a walk of their own. While
// it runs, the Apply that reads them waits, however soon the rest has arrived.
template<class D>
std::unique_ptr<D> OpenWithGroupsHeldBack(DialogHarness& h, const QString& apply,
                                          const std::function<bool(D*)>& restArrived)
{
    h.sim().control("fault add " + Expand("P.8.1.3.1.2") + " delay 800 count=1");
    auto d = h.open<D>();
    EXPECT_TRUE(DialogHarness::waitUntil([&] { return restArrived(d.get()); }));
    EXPECT_FALSE(DialogHarness::find<QPushButton>(d.get(), apply)->isEnabled());
    EXPECT_TRUE(DialogHarness::waitFirstRead(*d));
    EXPECT_TRUE(DialogHarness::find<QPushButton>(d.get(), apply)->isEnabled());
    h.sim().control("fault clear");
    return d;
}

using BandwidthDialog = QosSuite;
using StormDialog = QosSuite;
using MirrorDialog = QosSuite;

TEST_F(BandwidthDialog, RefusesRatesRangesAndAggregatedPortsWithApplyUsableAgain)
{
    harness->sim().control("scenario trunk78");
    auto d = Open<CBandwidthDlg>();
    auto* list = DialogHarness::find<kx::GridListView>(d.get(), "Bandwidth Table");
    ASSERT_EQ(list->rowCount(), 8);
    EXPECT_EQ(list->cellText(0, 1), "No Limit");

    for (const char* rate : {"62", "100001", ""}) {
        DialogHarness::type(d.get(), "Rate(63-100000)", rate);
        DialogHarness::click(d.get(), "&Apply");
        EXPECT_EQ(Last(), "Invalid Rate.") << rate;
        EXPECT_TRUE(Button(d.get(), "Apply")->isEnabled());
    }
    // A new From port moves To with it; To below From is refused and put back.
    DialogHarness::choose(d.get(), "FromPort", "5");
    EXPECT_EQ(DialogHarness::find<QComboBox>(d.get(), "ToPort")->currentText(), "5");
    DialogHarness::choose(d.get(), "ToPort", "2");
    EXPECT_EQ(Last(), " \"To port\"cannot be smaller than \"From Port\" ");
    EXPECT_EQ(DialogHarness::find<QComboBox>(d.get(), "ToPort")->currentText(), "5");
    // A range touching the link is refused as a whole.
    DialogHarness::choose(d.get(), "ToPort", "8");
    DialogHarness::type(d.get(), "Rate(63-100000)", "100");
    DialogHarness::click(d.get(), "&Apply");
    EXPECT_EQ(Last(), "You can't set the rate of Ports:7,8.because they are in aggregated link.");
    EXPECT_TRUE(Button(d.get(), "Apply")->isEnabled());
    EXPECT_TRUE(Sets(*harness).empty());
}

TEST_F(BandwidthDialog, WritesOneSetAPortInTheChosenDirectionsAndResetsTheControls)
{
    Set("P.13.1.2.1.2.3", "i W 630");
    auto d = Open<CBandwidthDlg>();
    DialogHarness::choose(d.get(), "FromPort", "2");
    DialogHarness::choose(d.get(), "ToPort", "3");
    DialogHarness::choose(d.get(), "Type", "Rx");
    DialogHarness::type(d.get(), "Rate(63-100000)", "100");
    // A port the device refuses does not keep the next from being written.
    harness->sim().control("fault add " + Expand("P.13.1.2.1.3.2") + " error genErr count=1");
    DialogHarness::click(d.get(), "&Apply");
    EXPECT_EQ(Sets(*harness), (std::vector<std::string>{"13.1.2.1.3.2=100 !genErr", "13.1.2.1.3.3=100"}));
    // The device keeps 63's multiple, and the refresh shows it.
    auto* list = DialogHarness::find<kx::GridListView>(d.get(), "Bandwidth Table");
    ASSERT_EQ(list->rowCount(), 8);
    EXPECT_EQ(list->cellText(1, 2), "No Limit");
    EXPECT_EQ(list->cellText(2, 2), "63");
    EXPECT_EQ(list->cellText(2, 1), "630");
    EXPECT_EQ(DialogHarness::find<QComboBox>(d.get(), "ToPort")->currentText(), "8");
    EXPECT_TRUE(DialogHarness::find<QLineEdit>(d.get(), "Rate(63-100000)")->text().isEmpty());

    // "No Limit" writes 0, and only to the chosen direction.
    harness->sim().clearLog();
    DialogHarness::choose(d.get(), "FromPort", "3");
    DialogHarness::choose(d.get(), "Type", "Tx");
    DialogHarness::choose(d.get(), "No Limit", "Enabled");
    EXPECT_FALSE(DialogHarness::find<QLineEdit>(d.get(), "Rate(63-100000)")->isEnabled());
    DialogHarness::click(d.get(), "&Apply");
    EXPECT_EQ(Sets(*harness), (std::vector<std::string>{"13.1.2.1.2.3=0"}));
    EXPECT_EQ(Value(*harness, "P.13.1.2.1.3.3"), "63");
    EXPECT_EQ(list->cellText(2, 1), "No Limit");
}

TEST_F(BandwidthDialog, ApplyWaitsForTheAggregationGroupsAndAFailedLoadMeansNone)
{
    harness->sim().control("scenario trunk78");
    OpenWithGroupsHeldBack<CBandwidthDlg>(*harness, "Apply", [](CBandwidthDlg* d) {
        return DialogHarness::find<kx::GridListView>(d, "Bandwidth Table")->rowCount() == 8;
    });
    harness->sim().control("fault add " + Expand("P.8.1.3.1.2") + " error genErr");
    auto d = Open<CBandwidthDlg>();
    DialogHarness::choose(d.get(), "FromPort", "8");
    DialogHarness::type(d.get(), "Rate(63-100000)", "126");
    DialogHarness::click(d.get(), "&Apply");
    EXPECT_TRUE(harness->prompter().texts().isEmpty());
    EXPECT_EQ(Sets(*harness), (std::vector<std::string>{"13.1.2.1.3.8=126"}));
}

TEST_F(StormDialog, ShowsUnitTimesNByModel)
{
    for (const auto& [model, result] : {std::pair{"KX-A1 R2", "126"}, {"KX-C1 R2", "126"}, {"KX-Z7", "128"}}) {
        harness->useDevice(model, 8);
        auto d = Open<CStormControlDlg>();
        auto* n = DialogHarness::find<QLineEdit>(d.get(), "N");
        EXPECT_FALSE(n->isEnabled());
        DialogHarness::click(d.get(), "Enable Storm Control ");
        EXPECT_TRUE(n->isEnabled());
        DialogHarness::type(d.get(), "N", "2");
        EXPECT_EQ(DialogHarness::find<QLineEdit>(d.get(), "Threshold")->text(), result) << model;
        DialogHarness::type(d.get(), "N", "");
        EXPECT_EQ(DialogHarness::find<QLineEdit>(d.get(), "Threshold")->text(), "");
    }
}

TEST_F(StormDialog, WritesWhatChangedInOneSetAndNothingTwice)
{
    Set("P.13.3.1.0", "i W 1");
    Set("P.13.3.2.0", "i W 2");
    auto d = Open<CStormControlDlg>();
    EXPECT_TRUE(DialogHarness::find<QCheckBox>(d.get(), "Enable Storm Control ")->isChecked());
    EXPECT_EQ(DialogHarness::find<QComboBox>(d.get(), "Storm Control Type")->currentIndex(), 1);
    EXPECT_EQ(DialogHarness::find<QLineEdit>(d.get(), "N")->text(), "100");

    for (const char* n : {"0", "16001"}) {
        DialogHarness::type(d.get(), "N", n);
        DialogHarness::click(d.get(), "Apply Threshold");
        EXPECT_EQ(Last(), "Invalid input of N ( input range must between 1~16000)");
    }
    DialogHarness::type(d.get(), "N", "100");
    DialogHarness::click(d.get(), "Enable Storm Control ");
    DialogHarness::click(d.get(), "Apply Storm Control");
    EXPECT_EQ(Sets(*harness), (std::vector<std::string>{"13.3.1.0=2"}));
    harness->sim().clearLog();
    DialogHarness::click(d.get(), "Apply Threshold");
    EXPECT_TRUE(Sets(*harness).empty());

    DialogHarness::click(d.get(), "Enable Storm Control ");
    DialogHarness::choose(d.get(), "Storm Control Type", "Multicast & Broadcast & Unknown Unicast");
    DialogHarness::type(d.get(), "N", "2");
    DialogHarness::click(d.get(), "Apply Storm Control");
    EXPECT_EQ(Sets(*harness), (std::vector<std::string>{"13.3.1.0=1 13.3.2.0=3 13.3.3.0=126"}));
    EXPECT_EQ(DialogHarness::find<QLineEdit>(d.get(), "Threshold")->text(), "126");
}

TEST_F(MirrorDialog, RefusesTheTrunkTargetFirstThenNoSourceThenASplitLink)
{
    harness->sim().control("scenario trunk78");
    auto d = Open<CPortMirrorDlg>();
    EXPECT_FALSE(d->modeButton(3, 0)->isEnabled()); // mirroring off
    DialogHarness::click(d.get(), "Enabled");
    DialogHarness::choose(d.get(), "TargetPort", "7");
    DialogHarness::click(d.get(), "Apply");
    EXPECT_EQ(Last(), "Target Port is Trunking Port!");

    DialogHarness::choose(d.get(), "TargetPort", "1");
    DialogHarness::click(d.get(), "Apply");
    EXPECT_EQ(Last(), "Must at least select one source port.");

    DialogHarness::click(d.get(), "Enabled");
    DialogHarness::choose(d.get(), "TargetPort", "1");
    DialogHarness::click(d.get(), "Port 7 TX");
    DialogHarness::click(d.get(), "Port 8 Both");
    DialogHarness::click(d.get(), "Apply");
    EXPECT_EQ(Last(), "Must select whole ports of the aggregated link with the same Sniffer Mode to source port.");
    EXPECT_TRUE(Sets(*harness).empty());
    EXPECT_EQ(harness->prompter().texts().size(), 3);
}

TEST_F(MirrorDialog, WritesEmptyListsTargetListsStateInThatOrder)
{
    Set("P.18.1.0", "i W 1");
    Set("P.18.3.0", "pl W 40000000");
    Set("P.18.4.0", "pl W 40000000");
    auto d = Open<CPortMirrorDlg>();
    EXPECT_TRUE(DialogHarness::find<QRadioButton>(d.get(), "Enabled")->isChecked());
    EXPECT_TRUE(d->modeButton(2, 2)->isChecked());
    EXPECT_FALSE(d->modeButton(1, 0)->isEnabled()); // the target's own

    DialogHarness::choose(d.get(), "TargetPort", "3");
    EXPECT_TRUE(d->modeButton(1, 0)->isEnabled());
    EXPECT_FALSE(d->modeButton(3, 1)->isEnabled());
    DialogHarness::click(d.get(), "All RX");
    EXPECT_TRUE(d->modeButton(3, 3)->isChecked());
    DialogHarness::click(d.get(), "Port 2 Both");
    DialogHarness::click(d.get(), "Apply");
    EXPECT_EQ(Sets(*harness), (std::vector<std::string>{"18.4.0=00000000 18.3.0=00000000", "18.2.0=3",
                                                        "18.4.0=40000000 18.3.0=DF000000", "18.1.0=1"}));
    EXPECT_EQ(Value(*harness, "P.18.3.0"), "DF000000");

    harness->sim().clearLog();
    DialogHarness::click(d.get(), "Disabled");
    DialogHarness::click(d.get(), "Apply");
    EXPECT_EQ(Sets(*harness), (std::vector<std::string>{"18.1.0=2"}));
    EXPECT_FALSE(d->modeButton(2, 0)->isEnabled());
}

TEST_F(MirrorDialog, ApplyWaitsForTheAggregationGroupsAndAFailedLoadMeansNone)
{
    harness->sim().control("scenario trunk78");
    Set("P.18.1.0", "i W 1");
    OpenWithGroupsHeldBack<CPortMirrorDlg>(*harness, "Apply", [](CPortMirrorDlg* d) {
        return DialogHarness::find<QRadioButton>(d, "Enabled")->isChecked();
    });
    harness->sim().control("fault add " + Expand("P.8.1.3.1.2") + " error genErr");
    auto d = Open<CPortMirrorDlg>();
    DialogHarness::choose(d.get(), "TargetPort", "7");
    DialogHarness::click(d.get(), "Port 1 TX");
    DialogHarness::click(d.get(), "Apply");
    EXPECT_TRUE(harness->prompter().texts().isEmpty());
    EXPECT_EQ(Value(*harness, "P.18.2.0"), "7");
}

// The same writes over SNMPv3 with authentication and privacy.
TEST_F(QosSuite, EachDialogWritesOverSnmpV3AuthPriv)
{
    harness->useVersion3("sha256aes");
    {
        auto d = Open<CBandwidthDlg>();
        DialogHarness::type(d.get(), "Rate(63-100000)", "126");
        DialogHarness::click(d.get(), "&Apply");
        EXPECT_EQ(Value(*harness, "P.13.1.2.1.3.8"), "126");
    }
    {
        auto d = Open<CStormControlDlg>();
        DialogHarness::click(d.get(), "Enable Storm Control ");
        DialogHarness::click(d.get(), "Apply Storm Control");
        EXPECT_EQ(Value(*harness, "P.13.3.1.0"), "1");
    }
    {
        auto d = Open<CPortMirrorDlg>();
        DialogHarness::click(d.get(), "Enabled");
        DialogHarness::click(d.get(), "Port 4 RX");
        DialogHarness::click(d.get(), "Apply");
        EXPECT_EQ(Value(*harness, "P.18.3.0"), "10000000");
        EXPECT_EQ(Value(*harness, "P.18.1.0"), "1");
    }
    for (const auto& r : harness->sim().requestLog())
        EXPECT_EQ(r.version, "3");
    EXPECT_TRUE(harness->prompter().texts().isEmpty());
}

} // namespace
