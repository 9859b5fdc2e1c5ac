// "SNMP Community Table Configuration", "SNMP Host Table", "SNMP Engine ID",
// "SNMP Global State Settings" and "SNMP Trap Configuration" driven through
// their widgets against a simulated switch that goes silent when its agent is
// switched off.

#include "ui/kit/GridListView.h"
#include "ui/kit/IpAddressEdit.h"
#include "ui/snmpadmin/CSnmpCommunityDlg.h"
#include "ui/snmpadmin/CSnmpEngineIdDlg.h"
#include "ui/snmpadmin/CSnmpGlobalStateDlg.h"
#include "ui/snmpadmin/CSnmpHostDlg.h"
#include "ui/snmpadmin/CSnmpTrapConfigDlg.h"
#include "tests/snmpadmin/SnmpAdminTestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

using namespace kxtest;
using namespace kxtest::snmpadmin;

namespace {

class SnmpAgent : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        DialogHarness::Options options;
        options.sim.args = {"--honour-global-state"};
        harness = new DialogHarness(options);
    }
    static void TearDownTestSuite()
    {
        delete harness;
        harness = nullptr;
    }
    void SetUp() override { harness->resetForTest(); }

    template<class D>
    static std::unique_ptr<D> Open()
    {
        auto dlg = harness->open<D>();
        EXPECT_TRUE(DialogHarness::waitFirstRead(*dlg));
        return dlg;
    }
    static QStringList Column(QWidget* dlg, const char* list, int column)
    {
        QStringList cells;
        auto* view = DialogHarness::find<kx::GridListView>(dlg, list);
        for (int r = 0; r < view->rowCount(); ++r)
            cells << view->cellText(r, column);
        return cells;
    }

    inline static DialogHarness* harness = nullptr;
};

TEST_F(SnmpAgent, ACommunityTakesTheViewPolicyOfAV1OrV2cUser)
{
    PutUser(harness->sim(), "u1", 1);
    PutUser(harness->sim(), "u2", 2, 2); // not in service
    auto dlg = Open<CSnmpCommunityDlg>();
    auto* users = DialogHarness::find<QComboBox>(dlg.get(), "User Name (View Policy)");
    QStringList offered;
    for (int i = 0; i < users->count(); ++i)
        offered << users->itemText(i);
    EXPECT_EQ(offered, (QStringList{"u1", "ReadOnly", "ReadWrite"}));
    EXPECT_EQ(users->currentIndex(), 0);

    harness->sim().clearLog();
    DialogHarness::type(dlg.get(), "Community Name ", "pub");
    DialogHarness::click(dlg.get(), "&Apply");
    const std::string i = NameIndex("pub");
    EXPECT_EQ(Sets(harness->sim()), (std::vector<std::string>{"5.1.1.3" + i + "=5", "5.1.1.2" + i + "=u1",
                                                             "5.1.1.3" + i + "=1"}));
    EXPECT_TRUE(Column(dlg.get(), "Community List", 0).contains("pub"));
    DialogHarness::click(dlg.get(), "&Delete");
    EXPECT_EQ(harness->prompter().last(), "Please select the item would be delete!\n");
    EXPECT_EQ(users->count(), 3); // rebuilt, each user once
}

TEST_F(SnmpAgent, ACommunityDialogClosedDuringItsFirstWalkStartsNoSecond)
{
    // Only the first step is late: a walk left running would reach the users soon after.
    harness->sim().control("fault add " + A + ".5 delay 300 count=1");
    auto dlg = harness->open<CSnmpCommunityDlg>();
    QTest::qWait(100);
    dlg->reject();
    QTest::qWait(600);
    for (const auto& r : harness->sim().requestLog())
        EXPECT_NE(r.bindings.at(0).oid.rfind(A + ".2.1.1", 0), 0u) << "the user walk started";
}

TEST_F(SnmpAgent, HostsAreCheckedAndStoredUnderTheirAddress)
{
    auto dlg = Open<CSnmpHostDlg>();
    auto* address = DialogHarness::find<kx::IpAddressEdit>(dlg.get(), "Host IP Adress");
    auto add = [&](const QString& ip, const QString& name) {
        address->clear();
        address->setText(ip);
        DialogHarness::type(dlg.get(), "Community String/SNMPv3 User Name", name);
        DialogHarness::click(dlg.get(), "&Apply");
    };
    harness->sim().clearLog();
    add("192.168.0", "pub"); // the address rules are SnmpAdminRules'
    EXPECT_EQ(harness->prompter().texts(), QStringList{"Invalid Host IP."});
    EXPECT_TRUE(harness->sim().requestLog().empty());

    DialogHarness::choose(dlg.get(), "SNMP Version", "V2c");
    add("192.168.0.10", "pub");
    const std::string i = ".192.168.0.10";
    EXPECT_EQ(Sets(harness->sim()), (std::vector<std::string>{"6.1.1.4" + i + "=5", "6.1.1.2" + i + "=pub",
                                                             "6.1.1.3" + i + "=2", "6.1.1.4" + i + "=1"}));
    EXPECT_EQ(Column(dlg.get(), "Host List", 1), QStringList{"V2c"});
    add("192.168.0.10", "pub");
    EXPECT_EQ(harness->prompter().last(), "This IP Address has used,please enter other IP Address");

    for (int host = 11; host < 20; ++host)
        for (const std::string& cell : {"1.10.0.0." + std::to_string(host) + " a C 10.0.0." + std::to_string(host),
                                        "2.10.0.0." + std::to_string(host) + " s C pub",
                                        "3.10.0.0." + std::to_string(host) + " i C 1",
                                        "4.10.0.0." + std::to_string(host) + " i C 1"})
            harness->sim().control("set " + A + ".6.1.1." + cell);
    DialogHarness::click(dlg.get(), "&Refresh");
    harness->sim().clearLog();
    add("192.168.0.20", "pub");
    EXPECT_EQ(harness->prompter().last(), "Maximum number of Host Entry is 10.");
    EXPECT_TRUE(harness->sim().requestLog().empty());
}

TEST_F(SnmpAgent, TheEngineIdIsHexadecimalTextOfTenToSixtyFourDigits)
{
    auto dlg = Open<CSnmpEngineIdDlg>();
    auto* edit = DialogHarness::find<QLineEdit>(dlg.get(), "SNMP Engine ID");
    EXPECT_EQ(edit->text(), "8000081c044653");
    harness->sim().clearLog();
    for (const QString& text : {QString(65, 'a'), QStringLiteral("0123456789abcdeg")}) {
        DialogHarness::type(dlg.get(), "SNMP Engine ID", text);
        DialogHarness::click(dlg.get(), "&Apply");
    }
    EXPECT_EQ(harness->prompter().texts(), (QStringList{"ID length is 10-64", "the accepted character is from 0 to F"}));
    EXPECT_TRUE(harness->sim().requestLog().empty());

    for (const QString& text : {QStringLiteral("0123456789ABCDEFabcdef"), QStringLiteral("123456789ab")}) {
        DialogHarness::type(dlg.get(), "SNMP Engine ID", text);
        DialogHarness::click(dlg.get(), "&Apply");
    }
    DialogHarness::click(dlg.get(), "&Default");
    EXPECT_EQ(Sets(harness->sim()), (std::vector<std::string>{"7.0=0123456789abcdefabcdef", "7.0=0123456789ab",
                                                             "7.0=8000081c044653"}));
    DialogHarness::type(dlg.get(), "SNMP Engine ID", "0123456789ABCDEFabcdef");
    DialogHarness::click(dlg.get(), "&Apply");
    EXPECT_EQ(edit->text(), "0123456789abcdefabcdef");
}

TEST_F(SnmpAgent, SwitchingTheAgentOffLeavesTheModuleWorkingAndSilent)
{
    auto dlg = Open<CSnmpGlobalStateDlg>();
    auto* box = DialogHarness::find<QCheckBox>(dlg.get(), "Enable SNMP Global ");
    EXPECT_TRUE(box->isChecked());
    DialogHarness::click(dlg.get(), "Enable SNMP Global ");
    DialogHarness::click(dlg.get(), "&Apply");
    EXPECT_EQ(harness->sim().value(A + ".1.0"), "2");
    EXPECT_FALSE(box->isChecked());
    DialogHarness::click(dlg.get(), "&Cancel");
    EXPECT_FALSE(dlg->isVisible());

    // The device answers nothing now: another dialog opens and reads nothing.
    auto engine = Open<CSnmpEngineIdDlg>();
    EXPECT_EQ(engine->failedLoads(), 1);
    EXPECT_TRUE(DialogHarness::find<QLineEdit>(engine.get(), "SNMP Engine ID")->text().isEmpty());
    EXPECT_TRUE(harness->prompter().texts().isEmpty());
}

TEST_F(SnmpAgent, TrapSwitchesFollowTheModelAndOnlyChangedOnesAreWritten)
{
    auto dlg = Open<CSnmpTrapConfigDlg>();
    EXPECT_EQ(dlg->findChildren<QCheckBox*>().size(), 8);
    harness->sim().clearLog();
    DialogHarness::click(dlg.get(), "Warm Start");
    DialogHarness::click(dlg.get(), "PoE Power Budget Exceeded");
    DialogHarness::click(dlg.get(), "&Apply");
    const auto log = harness->sim().requestLog();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(Sets(harness->sim()), (std::vector<std::string>{"8.2.0=2", "8.7.0=2"}));
    EXPECT_EQ(log.front().bindings.size(), 2u); // one request
    EXPECT_FALSE(DialogHarness::find<QCheckBox>(dlg.get(), "Warm Start")->isChecked());

    harness->useDevice("KX-G1", 8);
    auto plain = Open<CSnmpTrapConfigDlg>();
    EXPECT_EQ(plain->findChildren<QCheckBox*>().size(), 5);
    harness->useDevice("KX-A1 R2", 8);
}

} // namespace
