// "Traffic Segmentation Settings " driven through its widgets against the
// simulated switch.

#include "ui/kit/GridListView.h"
#include "ui/security/CTrafficSegmentationDlg.h"
#include "tests/l2/QosTestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>

#include <gtest/gtest.h>

using kxtest::DialogHarness;
using namespace qostest;

namespace {

class SegmentationDialog : public kxtest::SimSuite<>
{
protected:
    std::unique_ptr<CTrafficSegmentationDlg> Open()
    {
        auto d = harness->open<CTrafficSegmentationDlg>();
        EXPECT_TRUE(DialogHarness::waitFirstRead(*d));
        harness->sim().clearLog();
        return d;
    }
    void Enable() { harness->sim().control("set " + Expand("P.14.9.1.0") + " i W 1"); }
    static QPushButton* ForwardingApply(QWidget* d) { return DialogHarness::find<QPushButton>(d, "Apply"); }
    // The ports whose box is ticked, as "1,7,8".
    static std::string Ticked(QWidget* d)
    {
        std::string out;
        for (int p = 1; p <= 8; ++p)
            if (DialogHarness::find<QCheckBox>(d, QStringLiteral("Port %1").arg(p))->isChecked())
                out += (out.empty() ? "" : ",") + std::to_string(p);
        return out;
    }
    static void Tick(QWidget* d, std::initializer_list<int> ports)
    {
        for (int p : ports)
            DialogHarness::click(d, QStringLiteral("Port %1").arg(p));
    }
};

TEST_F(SegmentationDialog, TheStateDecidesTheForwardingApplyOverV1AndV3)
{
    for (const std::string user : {"", "sha256aes"}) {
        SCOPED_TRACE(user);
        harness->resetForTest();
        harness->useVersion3(user);
        auto d = Open();
        EXPECT_FALSE(DialogHarness::find<QCheckBox>(d.get(), "Enable Forwarding Port Settings")->isChecked());
        EXPECT_FALSE(ForwardingApply(d.get())->isEnabled());
        DialogHarness::click(d.get(), "Enable Forwarding Port Settings");
        DialogHarness::click(d.get(), "Apply Enable Forwarding Port Settings");
        EXPECT_EQ(Sets(*harness), (std::vector<std::string>{"14.9.1.0=1"}));
        EXPECT_TRUE(ForwardingApply(d.get())->isEnabled());
        EXPECT_EQ(harness->sim().requestLog().front().version, user.empty() ? "1" : "3");
    }
}

TEST_F(SegmentationDialog, AllClearAndEachSourcePortsOwnSetByItsInstance)
{
    // Row 2 missing: what row 3 holds belongs to port 3, not to the second
    // position; a row past the device's ports is listed but kept by no port.
    harness->sim().control("erase " + Expand("P.14.9.2.1.1.2"));
    harness->sim().control("erase " + Expand("P.14.9.2.1.2.2"));
    harness->sim().control("set " + Expand("P.14.9.2.1.2.3") + " pl W 28000000");
    harness->sim().control("set " + Expand("P.14.9.2.1.1.9") + " i R 9");
    harness->sim().control("set " + Expand("P.14.9.2.1.2.9") + " pl W 80000000");
    auto d = Open();
    auto* list = DialogHarness::find<kx::GridListView>(d.get(), "Forwarding Port Table");
    ASSERT_EQ(list->rowCount(), 8);
    EXPECT_EQ(list->cellText(1, 0), "3");
    EXPECT_EQ(list->cellText(1, 1), "3,5");
    EXPECT_EQ(Ticked(d.get()), "1,2,3,4,5,6,7,8"); // port 1, as the device holds it

    DialogHarness::choose(d.get(), "From Port", "3");
    EXPECT_EQ(Ticked(d.get()), "3,5");
    DialogHarness::choose(d.get(), "From Port", "2");
    EXPECT_EQ(Ticked(d.get()), "");
    DialogHarness::click(d.get(), "ALL");
    EXPECT_EQ(Ticked(d.get()), "1,2,3,4,5,6,7,8");
    DialogHarness::click(d.get(), "Clear");
    EXPECT_EQ(Ticked(d.get()), "2");
}

TEST_F(SegmentationDialog, APartialLinkIsRefusedAndAWholeOneWrittenAndShown)
{
    harness->sim().control("scenario trunk78");
    Enable();
    auto d = Open();
    DialogHarness::click(d.get(), "Clear");
    Tick(d.get(), {7});
    DialogHarness::click(d.get(), "Apply");
    EXPECT_EQ(harness->prompter().last(), "The link aggregation member port can not be configured.");
    EXPECT_TRUE(Sets(*harness).empty());

    Tick(d.get(), {8});
    DialogHarness::click(d.get(), "Apply");
    EXPECT_EQ(Sets(*harness), (std::vector<std::string>{"14.9.2.1.2.1=83000000"}));
    auto* list = DialogHarness::find<kx::GridListView>(d.get(), "Forwarding Port Table");
    EXPECT_EQ(list->cellText(0, 1), "1,7-8");
}

TEST_F(SegmentationDialog, ApplyWaitsForTheAggregationGroupsAndAFailedLoadLetsEverySetPass)
{
    harness->sim().control("scenario trunk78");
    Enable();
    harness->sim().control("fault add " + Expand("P.8.1.3.1.2") + " delay 800 count=1");
    {
        auto d = harness->open<CTrafficSegmentationDlg>();
        auto* list = DialogHarness::find<kx::GridListView>(d.get(), "Forwarding Port Table");
        EXPECT_TRUE(DialogHarness::waitUntil([&] { return list->rowCount() == 8; }));
        EXPECT_FALSE(ForwardingApply(d.get())->isEnabled());
        EXPECT_TRUE(DialogHarness::waitFirstRead(*d));
        EXPECT_TRUE(ForwardingApply(d.get())->isEnabled());
    }
    harness->sim().control("fault clear");
    harness->sim().control("fault add " + Expand("P.8.1.3.1.2") + " error genErr");
    auto d = Open();
    DialogHarness::click(d.get(), "Clear");
    Tick(d.get(), {7});
    DialogHarness::click(d.get(), "Apply");
    EXPECT_TRUE(harness->prompter().texts().isEmpty());
    EXPECT_EQ(Sets(*harness), (std::vector<std::string>{"14.9.2.1.2.1=82000000"}));
}

} // namespace
