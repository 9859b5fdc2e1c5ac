// "LLDP Global Settings" and "LLDP Remote Port Information" against the
// simulated switch and its neighbours: what they show, what the timers refuse,
// and how often a set nothing answers is sent.

#include "core/lldp/LldpLogic.h"
#include "ui/kit/GridListView.h"
#include "ui/lldp/CLldpGlobalDlg.h"
#include "ui/lldp/CLldpRemoteDlg.h"
#include "tests/support/DialogHarness.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace kxtest;

inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {

const QString kHold = QStringLiteral("Message TX Hold Multipier(2 - 10)");
const QString kInterval = QStringLiteral("Message TX Interval(5 - 32768)");
const QString kDelay = QStringLiteral("LLDP TX Delay (1 - 8192)");

class LldpDialogs : public SimSuite<>
{
protected:
    template<class D>
    static std::unique_ptr<D> Open()
    {
        auto dlg = harness->open<D>();
        EXPECT_TRUE(DialogHarness::waitFirstRead(*dlg));
        return dlg;
    }
    static kx::GridListView* List(QWidget* d)
    {
        return DialogHarness::find<kx::GridListView>(d, "LLDP Remote Port Brief Table");
    }
};

TEST_F(LldpDialogs, DisabledStateLocksTheTimersButNotTheStateApply)
{
    harness->sim().control("set " + KxSimFixture::Private("24.1.0 i W 2"));
    auto dlg = Open<CLldpGlobalDlg>();
    EXPECT_FALSE(DialogHarness::find<QCheckBox>(dlg.get(), " LLDP Enable ")->isChecked());
    for (const QString& name : {kHold, kInterval, kDelay, QStringLiteral("LLDP Timers Apply")})
        EXPECT_FALSE(DialogHarness::find(dlg.get(), name)->isEnabled()) << name.toStdString();
    EXPECT_TRUE(DialogHarness::find(dlg.get(), "LLDP State Apply")->isEnabled());
    EXPECT_EQ(DialogHarness::find<QLineEdit>(dlg.get(), "Chassis ID")->text(), "00-1B-21-5A-00-01");
    EXPECT_EQ(DialogHarness::find<QLineEdit>(dlg.get(), "Chassis ID Subtype")->text(), "macAddress");
}

TEST_F(LldpDialogs, TimerRulesRefuseWithTheirTextsAndSendNothing)
{
    auto dlg = Open<CLldpGlobalDlg>();
    struct Case
    {
        const char *hold, *interval, *delay;
        QString refusal; // empty: sent
        const char* reinit;
    };
    const Case cases[] = {
        {"1", "30", "2", kx::lldp::kHoldRefusal, "2"},
        {"4", "4", "1", kx::lldp::kIntervalRefusal, "2"},
        {"2", "32768", "2", kx::lldp::kProductRefusal, "2"},
        {"4", "16383", "2", {}, "2"},
        {"4", "30", "8", kx::lldp::kDelayQuarterRefusal, "2"},
        {"4", "30", "7", {}, "2"},
        {"4", "30", "0", kx::lldp::kDelayRefusal, "2"},
        {"4", "30", "7", kx::lldp::kReinitRefusal, "11"},
    };
    for (const Case& c : cases) {
        harness->prompter().clear();
        harness->sim().clearLog();
        DialogHarness::type(dlg.get(), kHold, c.hold);
        DialogHarness::type(dlg.get(), kInterval, c.interval);
        DialogHarness::type(dlg.get(), kDelay, c.delay);
        DialogHarness::type(dlg.get(), "LLDP Reinit Delay (1 - 10)", c.reinit);
        DialogHarness::click(dlg.get(), "LLDP Timers Apply");
        if (c.refusal.isEmpty()) {
            EXPECT_TRUE(harness->prompter().texts().isEmpty()) << c.interval << " " << c.delay;
            ASSERT_EQ(harness->sets().size(), 1u);
            EXPECT_EQ(harness->sets()[0].bindings.size(), 4u);
            EXPECT_EQ(harness->sim().value(KxSimFixture::Private("24.3.0")), c.interval);
        } else {
            EXPECT_EQ(harness->prompter().texts(), QStringList{c.refusal}) << c.interval << " " << c.delay;
            EXPECT_TRUE(harness->sets().empty());
        }
    }
}

TEST_F(LldpDialogs, StateSetIsTriedThreeTimesWhileNothingAnswers)
{
    auto dlg = Open<CLldpGlobalDlg>();
    DialogHarness::click(dlg.get(), " LLDP Enable ");
    harness->sim().control("fault add " + KxSimFixture::Private("24.1") + " drop count=2");
    harness->sim().clearLog();
    DialogHarness::click(dlg.get(), "LLDP State Apply");
    ASSERT_TRUE(DialogHarness::waitIdle(*dlg));
    const auto sets = harness->sets();
    ASSERT_EQ(sets.size(), 3u);
    EXPECT_EQ(sets[0].status, "dropped");
    EXPECT_EQ(sets[2].status, "noError");
    EXPECT_EQ(harness->sim().value(KxSimFixture::Private("24.1.0")), "2");
    // The reading after it shows the device: the timers are off.
    EXPECT_FALSE(DialogHarness::find(dlg.get(), kHold)->isEnabled());
}

TEST_F(LldpDialogs, NeighbourRowsShowTheirTextsOverV3)
{
    harness->useVersion3("sha256aes");
    harness->sim().control("cable 3 100M");
    harness->sim().control("neighbour 3 index=7 chassis-subtype=4 chassis=00-1B-21-00-00-55 port-subtype=5 "
                           "port=gi0/9 port-desc=uplink name=core desc=big");
    auto dlg = Open<CLldpRemoteDlg>();
    const int rows = List(dlg.get())->rowCount();
    QStringList cells;
    for (int r = 0; r < rows && cells.isEmpty(); ++r)
        if (List(dlg.get())->cellText(r, 1) == "7")
            for (int c = 0; c < 9; ++c)
                cells << List(dlg.get())->cellText(r, c);
    EXPECT_EQ(cells, (QStringList{"3", "7", "macAddress", "00-1B-21-00-00-55", "interfaceName", "gi0/9", "uplink",
                                  "core", "big"}));
    EXPECT_EQ(DialogHarness::find<QLineEdit>(dlg.get(), "Remote Entities Count: ")->text(), QString::number(rows));
    EXPECT_TRUE(harness->prompter().texts().isEmpty());
}

TEST_F(LldpDialogs, NoNeighbourSaysSoAndAV1DisabledStateLocksListAndRefresh)
{
    harness->sim().control("set " + KxSimFixture::Private("24.1.0 i W 2"));
    auto dlg = Open<CLldpRemoteDlg>();
    EXPECT_EQ(harness->prompter().texts(), QStringList{kx::lldp::kNoRemotePort});
    EXPECT_EQ(DialogHarness::find<QLineEdit>(dlg.get(), "Remote Entities Count: ")->text(), "0");
    EXPECT_FALSE(List(dlg.get())->isEnabled());
    EXPECT_FALSE(DialogHarness::find(dlg.get(), "&Refresh")->isEnabled());

    harness->prompter().clear();
    harness->sim().control("fault add " + KxSimFixture::Private("24.1") + " drop");
    auto silent = Open<CLldpRemoteDlg>();
    EXPECT_EQ(harness->prompter().texts(), (QStringList{kx::lldp::kRemoteUnsuccessful, kx::lldp::kNoRemotePort}));
}

TEST(LldpLogic, InstancesAndOctetsOfAnyShapeAreShownWithoutOverrun)
{
    struct Case
    {
        QString index;
        QByteArray chassis;
        QString port, entity, chassisText;
    };
    const Case cases[] = {
        {"0.5.2", QByteArray::fromHex("0a0b"), "5", "2", "0A-0B"},
        {"5.2", QByteArray(), "5", "2", ""},
        {"9", QByteArray::fromHex("ff"), "", "9", "FF"},
        {"", QByteArray::fromHex("00112233445566778899"), "", "", "00-11-22-33-44-55-66-77-88-99"},
    };
    for (const Case& c : cases) {
        kx::SnmpValue chassis;
        chassis.octets = c.chassis;
        kx::WalkRow row(c.index, {kx::SnmpValue{}, chassis});
        const QStringList line = kx::lldp::RemoteLine(row);
        ASSERT_EQ(line.size(), 9);
        EXPECT_EQ(line[0], c.port) << c.index.toStdString();
        EXPECT_EQ(line[1], c.entity);
        EXPECT_EQ(line[3], c.chassisText);
        EXPECT_EQ(line[2], "");
    }
    EXPECT_EQ(kx::lldp::PortSubtypeText(6), "agentCircuitld");
    EXPECT_EQ(kx::lldp::ChassisSubtypeText(8), "");
}

} // namespace
