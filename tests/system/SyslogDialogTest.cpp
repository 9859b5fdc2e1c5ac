// "Syslog Host Configuration" driven through its widgets against the simulated
// switch: the read, the refusals (nothing sent), Apply's two requests and when
// it says it succeeded.

#include "core/system/SyslogLogic.h"
#include "ui/kit/GridListView.h"
#include "ui/kit/IpAddressEdit.h"
#include "ui/system/CSyslogHostDlg.h"
#include "tests/support/DialogHarness.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

using namespace kxtest;

// Failures show texts as texts.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {

std::string P(const std::string& suffix)
{
    return std::string(KxSimFixture::kPrivateArc) + "." + suffix;
}

class SyslogDialog : public SimSuite<>
{
protected:
    static std::unique_ptr<CSyslogHostDlg> Open()
    {
        auto dlg = harness->open<CSyslogHostDlg>();
        EXPECT_TRUE(DialogHarness::waitFirstRead(*dlg));
        return dlg;
    }
    static kx::IpAddressEdit* Host(QWidget* d) { return DialogHarness::find<kx::IpAddressEdit>(d, "Host IP:"); }
    static QString Shown(QWidget* d, const char* combo) { return DialogHarness::find<QComboBox>(d, combo)->currentText(); }
};

TEST_F(SyslogDialog, ReadFillsTheInputsAndTheBoxOpensThem)
{
    for (const char* line : {"1.1.0 a W 10.0.0.7", "1.2.0 i W 1514", "1.4.0 i W 4", "1.5.0 i W 152", "1.6.0 i W 1"})
        harness->sim().control("set " + P(std::string("16.") + line));
    auto dlg = Open();
    EXPECT_EQ(Host(dlg.get())->text(), "10.0.0.7");
    EXPECT_EQ(DialogHarness::find<QLineEdit>(dlg.get(), "UDP Port(1-65535):")->text(), "1514");
    EXPECT_EQ(Shown(dlg.get(), "Facility:"), "local3");
    EXPECT_EQ(Shown(dlg.get(), "Severity:"), "Warning");
    EXPECT_TRUE(DialogHarness::find<QCheckBox>(dlg.get(), "SysLogEnable")->isChecked());
    EXPECT_TRUE(Host(dlg.get())->isEnabled());
    DialogHarness::click(dlg.get(), "SysLogEnable");
    for (const char* input : {"Host IP:", "UDP Port(1-65535):", "Facility:", "Severity:"})
        EXPECT_FALSE(DialogHarness::find(dlg.get(), input)->isEnabled()) << input;
    EXPECT_EQ(DialogHarness::find<kx::GridListView>(dlg.get(), "Syslog Host Table")->rowCount(), 0);

    // A sixth digit is cut off at once.
    DialogHarness::click(dlg.get(), "SysLogEnable");
    DialogHarness::type(dlg.get(), "UDP Port(1-65535):", "123456");
    EXPECT_EQ(DialogHarness::find<QLineEdit>(dlg.get(), "UDP Port(1-65535):")->text(), "12345");
}

TEST(SyslogLogic, FacilitiesOutsideTheListReadAsLocal0AndSeveritiesAsNone)
{
    EXPECT_EQ(kx::syslog::SyslogLogic::FacilityIndex(184), 7);
    EXPECT_EQ(kx::syslog::SyslogLogic::FacilityIndex(129), 0);
    EXPECT_EQ(kx::syslog::SyslogLogic::FacilityIndex(0), 0);
    EXPECT_EQ(kx::syslog::SyslogLogic::SeverityIndex(7), 2);
    EXPECT_EQ(kx::syslog::SyslogLogic::SeverityIndex(5), -1);
}

TEST_F(SyslogDialog, RefusalsSendNothing)
{
    harness->sim().control("set " + P("16.1.6.0 i W 1"));
    auto dlg = Open();
    harness->sim().clearLog();
    const std::pair<const char*, const char*> cases[] = {
        {"0.1.2.3", "514"}, {"10.0.0.255", "514"}, {"10.0.255.1", "0"}, {"10.0.255.1", "65536"}};
    for (const auto& [host, port] : cases) {
        Host(dlg.get())->setText(host);
        DialogHarness::type(dlg.get(), "UDP Port(1-65535):", port);
        DialogHarness::click(dlg.get(), "Apply");
    }
    EXPECT_EQ(harness->prompter().texts(),
              (QStringList{"Syslog Server IP Error.", "Syslog Server IP Error.", "Invalid UDP port range (1-65535)",
                           "Invalid UDP port range (1-65535)"}));
    EXPECT_TRUE(harness->sets().empty());
}

TEST_F(SyslogDialog, ApplyWritesTheServerThenTheStateAndSaysSoOverSnmpV3)
{
    harness->useVersion3("sha256aes");
    auto dlg = Open();
    DialogHarness::click(dlg.get(), "SysLogEnable");
    Host(dlg.get())->setText("10.0.255.1");
    DialogHarness::type(dlg.get(), "UDP Port(1-65535):", "0515");
    DialogHarness::choose(dlg.get(), "Facility:", "local7");
    DialogHarness::choose(dlg.get(), "Severity:", "All");
    harness->sim().clearLog();
    DialogHarness::click(dlg.get(), "Apply");
    const auto sets = harness->sets();
    ASSERT_EQ(sets.size(), 2u);
    ASSERT_EQ(sets[0].bindings.size(), 4u);
    EXPECT_EQ(sets[0].bindings[0].value, "10.0.255.1");
    EXPECT_EQ(sets[0].bindings[1].value, "515");
    EXPECT_EQ(sets[0].bindings[2].oid, P("16.1.4.0"));
    EXPECT_EQ(sets[0].bindings[2].value, "7");
    EXPECT_EQ(sets[0].bindings[3].value, "184");
    EXPECT_GE(sets[1].ms - sets[0].ms, 30);
    EXPECT_EQ(sets[1].bindings[0].oid, P("16.1.6.0"));
    EXPECT_EQ(sets[1].bindings[0].value, "1");
    EXPECT_EQ(harness->prompter().texts(), QStringList{"Set System log Server successfully"});
    EXPECT_EQ(harness->sim().value(P("16.1.5.0")), "184");
}

TEST_F(SyslogDialog, UntickedWritesOnlyTheStateAndARefusedServerRequestSaysNothing)
{
    harness->sim().control("set " + P("16.1.6.0 i W 1"));
    auto dlg = Open();
    DialogHarness::click(dlg.get(), "SysLogEnable");
    harness->sim().clearLog();
    DialogHarness::click(dlg.get(), "Apply");
    auto sets = harness->sets();
    ASSERT_EQ(sets.size(), 1u);
    ASSERT_EQ(sets[0].bindings.size(), 1u);
    EXPECT_EQ(sets[0].bindings[0].value, "2");
    EXPECT_EQ(harness->prompter().texts(), QStringList{"Set System log Server successfully"});

    harness->prompter().clear();
    DialogHarness::click(dlg.get(), "SysLogEnable");
    Host(dlg.get())->setText("10.0.0.1");
    DialogHarness::choose(dlg.get(), "Severity:", "Info");
    harness->sim().control("fault add " + P("16.1.1") + " error genErr count=1");
    harness->sim().clearLog();
    DialogHarness::click(dlg.get(), "Apply");
    sets = harness->sets();
    ASSERT_EQ(sets.size(), 2u);
    EXPECT_EQ(sets[0].status, "genErr");
    EXPECT_EQ(sets[1].status, "noError");
    EXPECT_TRUE(harness->prompter().texts().isEmpty());

    // An empty address leaves the server settings unwritten.
    Host(dlg.get())->clear();
    harness->sim().clearLog();
    DialogHarness::click(dlg.get(), "Apply");
    sets = harness->sets();
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(sets[0].bindings[0].oid, P("16.1.6.0"));
}

} // namespace
