// The auto surveillance VLAN: Apply's and Add's rules on their own, then the
// dialog against the simulated switch (what it lists, refuses, asks and
// writes, from the request log and the device).

#include "core/vlan/AutoSurveillance.h"
#include "core/vlan/VlanTable.h"
#include "ui/vlan/CAutoSurveillanceDlg.h"
#include "tests/l2/QosTestSupport.h"
#include "tests/l2/TrunkTestSupport.h"

#include <QComboBox>
#include <QLineEdit>

#include <gtest/gtest.h>

using namespace kx::vlan;
using namespace kxtest;
using l2test::Control;
using l2test::Value;
using qostest::Sets;

namespace {

const QString kEnable = "Enable Auto Surveillance VLAN";
const QString kAgreement = "If Link Aggregation member port is selected, it must have the same port list as Auto "
                           "Surveillance VLAN Tagged Uplink/Downlink Port.";

TEST(AutoSurveillanceRules, ApplyRefusesInOrderThenWrites)
{
    SurveillanceRead read;
    read.voiceState = 1;
    read.voiceVid = 300;
    read.vlanIds = {"1", "200"};
    auto agree = [](const kx::PortFlags& p) { return !(p[0] && !p[1]); }; // ports 1 and 2 form a link
    const struct
    {
        int asymmetric;
        const char* vid;
        const char* ports;
        QString refusal;
        bool refresh;
    } refusals[] = {
        {1, "1", "1x", "Auto Surveillance Vlan can not support in Asymmetric VLAN mode.", true},
        {2, "1", "1x", "Default VLAN cannot be set as Auto Surveillance VLAN.", true},
        {2, "4095", "1x", "The VLAN ID value range is 2 - 4094", true},
        {2, "300", "1x", "The VLAN ID already is voice VLAN ID.", true},
        {2, "200", "1x", "Invalid Portlist", false},
        {2, "200", "1-9", "Invalid Portlist", true},
        {2, "200", "1,3", kAgreement, true},
    };
    for (const auto& c : refusals) {
        SCOPED_TRACE(c.vid + std::string(" ") + c.ports);
        read.asymmetric = c.asymmetric;
        const auto a = DecideSurveillanceApply({true, c.vid, 0, c.ports}, read, "KX-A1 R2", 8, agree);
        EXPECT_EQ(a.refusal, c.refusal);
        EXPECT_EQ(a.refresh, c.refresh);
        EXPECT_TRUE(a.bindings.empty());
    }
    // The question, the notice and the write are the dialog test's; here, when no notice is due.
    read.asymmetric = 2;
    EXPECT_TRUE(DecideSurveillanceApply({true, "20", 1, ""}, read, "KX-B1", 8, agree).notice.isEmpty());
    read.state = "1";
    EXPECT_TRUE(DecideSurveillanceApply({true, "20", 1, ""}, read, "KX-A1 R2", 8, agree).notice.isEmpty());
    EXPECT_EQ(DecideSurveillanceApply({false, "20", 1, ""}, read, "KX-A1 R2", 8, agree).bindings.size(), 1u);
}

TEST(AutoSurveillanceRules, AddChecksAndWrites)
{
    const std::vector<VoiceOui> voice = {{"00E0BB", "1"}, {"0001E3", "2"}};
    const QStringList listed = {"02-A5-11-0X-XX-XX", "02-A5-12-XX-XX-XX", "00-11-22-00-00-00"};
    const struct
    {
        bool oui;
        const char* address;
        const char* description;
        const char* refusal;
    } cases[] = {
        {false, "00-11-22-33-44-55", "cam.1", "Invalid Description."},
        {false, "01-11-22-33-44-55", "cam", nullptr}, // the shared MAC check's own text
        {true, "00-e0-bb", "cam", "The OUI is already exist at Voice Vlan OUI Table!"},
        {false, "00-01-E3-00-00-01", "cam", ""}, // a voice entry that does not count
        {true, "00-11-22", "cam", "The OUI is already exist!"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.address);
        const OuiAdd add = DecideOuiAdd(0, c.oui, c.address, c.description, voice, listed);
        if (c.refusal)
            EXPECT_EQ(add.refusal, c.refusal);
        else
            EXPECT_FALSE(add.refusal.isEmpty());
    }

    // An address shorter than six octets is shown as it came.
    const kx::WalkRow row("0.1", {{SnmpType::Integer, "9"}, {SnmpType::OctetString, "x"}, {SnmpType::OctetString, "\x01\x02"}});
    EXPECT_EQ(OuiRowTexts(row), (QStringList{"9", "x", "01 02"}));
    EXPECT_EQ(VoiceOuiOf(kx::WalkRow("0.1", {{SnmpType::OctetString, "\xAB"}, {SnmpType::Integer, "1"}})).prefix, "AB");
}

class AutoSurveillance : public SimSuite<>
{
protected:
    static std::unique_ptr<CAutoSurveillanceDlg> Open()
    {
        auto dlg = harness->open<CAutoSurveillanceDlg>();
        EXPECT_TRUE(DialogHarness::waitFirstRead(*dlg));
        return dlg;
    }
    // The box ticked, then the VLAN ID and the ports typed.
    static void Fill(QWidget* dlg, const QString& vid, const QString& ports)
    {
        auto* box = DialogHarness::find<QCheckBox>(dlg, kEnable);
        if (!box->isChecked())
            box->click();
        DialogHarness::type(dlg, "Vlan ID", vid);
        DialogHarness::type(dlg, "Tagged Uplink/Downlink Port", ports);
    }
    static QString Mac(QWidget* dlg, int row)
    {
        return DialogHarness::find<kx::GridListView>(dlg, "Surveillance OUI Table")->cellText(row, 3);
    }
};

TEST_F(AutoSurveillance, ApplyRefusesAsksWarnsAndWrites)
{
    Control(*harness, {"set P.7.5.0 i W 1"});
    auto dlg = Open();
    Fill(dlg.get(), "200", "");
    DialogHarness::click(dlg.get(), "Apply");
    ASSERT_TRUE(DialogHarness::waitIdle(*dlg));
    EXPECT_FALSE(DialogHarness::find<QCheckBox>(dlg.get(), kEnable)->isChecked()); // re-read

    Control(*harness, {"set P.7.5.0 i W 2"});
    DialogHarness::click(dlg.get(), "Refresh");
    Fill(dlg.get(), "1", "");
    DialogHarness::click(dlg.get(), "Apply");
    ASSERT_TRUE(DialogHarness::waitIdle(*dlg));
    Fill(dlg.get(), "10", "1a");
    DialogHarness::click(dlg.get(), "Apply"); // the ports' text: no re-read
    ASSERT_TRUE(DialogHarness::waitIdle(*dlg));
    EXPECT_EQ(DialogHarness::find<QLineEdit>(dlg.get(), "Vlan ID")->text(), "10");
    EXPECT_EQ(harness->prompter().texts(),
              (QStringList{"Auto Surveillance Vlan can not support in Asymmetric VLAN mode.",
                           "Default VLAN cannot be set as Auto Surveillance VLAN.", "Invalid Portlist"}));
    EXPECT_TRUE(harness->sets().empty());

    // VLAN 200 exists: the question with its ID twice; Cancel re-reads.
    Control(*harness, {"scenario surveillance", "set P.26.1.1.0 i W 2"});
    DialogHarness::click(dlg.get(), "Refresh");
    harness->prompter().clear();
    Fill(dlg.get(), "200", "1-2");
    harness->prompter().answerNext(false);
    DialogHarness::click(dlg.get(), "Apply");
    ASSERT_TRUE(DialogHarness::waitIdle(*dlg));
    EXPECT_EQ(harness->prompter().texts(),
              QStringList{"The VLAN ID 200 already exists, still apply? \nIf yes, the original setting of VLAN 200 "
                          "members will be removed."});
    EXPECT_FALSE(DialogHarness::find<QCheckBox>(dlg.get(), kEnable)->isChecked()); // re-read
    EXPECT_TRUE(harness->sets().empty());

    // A new VLAN, the switch's state "2" on a PoE model: the notice, then one set.
    harness->prompter().clear();
    Fill(dlg.get(), "300", "1-2");
    DialogHarness::click(dlg.get(), "Apply");
    ASSERT_TRUE(DialogHarness::waitIdle(*dlg));
    ASSERT_EQ(harness->prompter().texts().size(), 1);
    EXPECT_TRUE(harness->prompter().texts()[0].startsWith("Switch will automatically turn on PoE function"));
    EXPECT_EQ(Sets(*harness), std::vector<std::string>{"26.1.2.0=300 26.1.3.0=2 26.1.4.0=C0000000 26.1.1.0=1"});
    EXPECT_EQ(Value(*harness, "P.26.1.1.0"), "1");
}

TEST_F(AutoSurveillance, OuiTableAddsDeletesAndRefuses)
{
    Control(*harness, {"set P.26.1.1.0 i W 1"}); // the table's controls follow the state
    auto dlg = Open();
    ASSERT_EQ(DialogHarness::find<kx::GridListView>(dlg.get(), "Surveillance OUI Table")->rowCount(), 2);
    EXPECT_EQ(Mac(dlg.get(), 0), "02-A5-11-0X-XX-XX");
    EXPECT_EQ(Mac(dlg.get(), 1), "02-A5-12-XX-XX-XX");
    DialogHarness::click(dlg.get(), "Delete");
    l2test::ClickRow(DialogHarness::find<kx::GridListView>(dlg.get(), "Surveillance OUI Table"), 1);
    DialogHarness::click(dlg.get(), "Delete");
    EXPECT_EQ(harness->prompter().texts(), (QStringList{"Please Selecte the OUI Entry you would to delete",
                                                        "The default Surveillance OUI can not be deleted."}));

    harness->sim().clearLog();
    DialogHarness::choose(dlg.get(), "MAC/OUI", "OUI");
    DialogHarness::type(dlg.get(), "(XX-XX-XX-XX-XX-XX)", "00-11-22");
    DialogHarness::type(dlg.get(), "Description", "cams");
    DialogHarness::click(dlg.get(), "Add");
    ASSERT_TRUE(DialogHarness::waitIdle(*dlg));
    EXPECT_EQ(Sets(*harness), (std::vector<std::string>{"26.2.1.1.5.0.17.34.0.0.0=4",
                                                "26.2.1.1.2.0.17.34.0.0.0=cams 26.2.1.1.4.0.17.34.0.0.0=0 "
                                                "26.2.1.1.3.0.17.34.0.0.0=FFFFFF000000"}));
    EXPECT_EQ(Mac(dlg.get(), 0), "00-11-22-00-00-00"); // listed in the table's order

    harness->sim().clearLog();
    DialogHarness::choose(dlg.get(), "MAC/OUI", "MAC");
    for (int i = 1; i <= 5; ++i) {
        DialogHarness::type(dlg.get(), "(XX-XX-XX-XX-XX-XX)", QString("00-0A-00-00-00-0%1").arg(i));
        DialogHarness::click(dlg.get(), "Add");
        ASSERT_TRUE(DialogHarness::waitIdle(*dlg));
    }
    EXPECT_EQ(Sets(*harness).size(), 8u); // four more entries, two requests each, no mask
    EXPECT_EQ(Sets(*harness)[1], "26.2.1.1.2.0.10.0.0.0.1= 26.2.1.1.4.0.10.0.0.0.1=0");
    DialogHarness::type(dlg.get(), "(XX-XX-XX-XX-XX-XX)", "00-E0-BB-00-00-01");
    DialogHarness::click(dlg.get(), "Add");
    DialogHarness::type(dlg.get(), "(XX-XX-XX-XX-XX-XX)", "02-A5-12-10-00-00");
    DialogHarness::click(dlg.get(), "Add");
    EXPECT_EQ(harness->prompter().texts().mid(2),
              (QStringList{"OUI Table is full,Maximum user defined OUI is 5.",
                           "The OUI is already exist at Voice Vlan OUI Table!",
                           "This OUI is default, please select the default mode!"}));

    harness->sim().clearLog();
    l2test::ClickRow(DialogHarness::find<kx::GridListView>(dlg.get(), "Surveillance OUI Table"), 2);
    DialogHarness::click(dlg.get(), "Delete");
    ASSERT_TRUE(DialogHarness::waitIdle(*dlg));
    EXPECT_EQ(Sets(*harness), std::vector<std::string>{"26.2.1.1.5.0.10.0.0.0.3=6"}); // 00-0A-00-00-00-03
    EXPECT_EQ(DialogHarness::find<kx::GridListView>(dlg.get(), "Surveillance OUI Table")->rowCount(), 6);
}

TEST_F(AutoSurveillance, WritesOverSnmpV3)
{
    harness->useVersion3("sha256aes");
    auto dlg = Open();
    Fill(dlg.get(), "300", "3");
    DialogHarness::click(dlg.get(), "Apply");
    ASSERT_TRUE(DialogHarness::waitIdle(*dlg));
    EXPECT_EQ(Sets(*harness).size(), 1u);
    EXPECT_EQ(Value(*harness, "P.26.1.2.0"), "300");
    harness->useVersion3("");
}

} // namespace
