// "802.1X Config Information" and its port dialog, driven through their widgets
// against the simulated switch: what they show, what each Apply refuses (with
// nothing sent) and what it writes, read back from the request log.

#include "core/dot1x/Dot1xLogic.h"
#include "ui/dot1x/CDot1xGlobalDlg.h"
#include "ui/dot1x/CDot1xPortDlg.h"
#include "ui/kit/GridListView.h"
#include "ui/kit/IpAddressEdit.h"
#include "tests/support/DialogHarness.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>

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

// "11.2.1.0 i W 1": an object of the private arc, as the device holds it.
void Put(DialogHarness& h, const std::string& object)
{
    h.sim().control("set " + P(object));
}

// Each set since the log was cleared: "<OID after the arc> <type> <value>" per binding.
std::vector<std::string> Sent(DialogHarness& h)
{
    std::vector<std::string> sent;
    for (const auto& set : h.sets()) {
        std::string line;
        for (const auto& b : set.bindings)
            line += (line.empty() ? "" : ", ") + b.oid.substr(P("").size()) + " " + b.type + " " + b.value;
        sent.push_back(line);
    }
    return sent;
}

QLineEdit* Edit(QWidget* d, const char* name)
{
    return DialogHarness::find<QLineEdit>(d, name);
}

const char* const kTimerEdits[] = {"QuietPeriod(0-65535 sec)", "TxPeriod(1-65535 sec)",
                                   "SuppTimeout(1-65535 sec)", "ServerTimeout(1-65535 sec)",
                                   "MaxReq(1-10)",             "ReAuthPeriod(1-4294967295 sec)"};

class Dot1xGlobal : public SimSuite<>
{
protected:
    static std::unique_ptr<CDot1xGlobalDlg> Open()
    {
        auto dlg = harness->open<CDot1xGlobalDlg>();
        EXPECT_TRUE(DialogHarness::waitFirstRead(*dlg));
        return dlg;
    }
    static void Fill(QWidget* d, const QStringList& timers)
    {
        DialogHarness::find<kx::IpAddressEdit>(d, "Radius Server IP:")->setText("10.0.0.1");
        DialogHarness::type(d, "Key:", "secret");
        DialogHarness::type(d, "Confirm Key:", "secret");
        for (int i = 0; i < 6; ++i)
            DialogHarness::type(d, kTimerEdits[i], timers[i]);
    }
    // Whether every field the box opens is `enabled`.
    static bool AllEnabled(QWidget* d, bool enabled)
    {
        QList<QWidget*> fields{DialogHarness::find(d, "Radius Server IP:"), Edit(d, "Key:"), Edit(d, "Confirm Key:"),
                               DialogHarness::find(d, "ReAuthEnabled")};
        for (const char* name : kTimerEdits)
            fields << Edit(d, name);
        return std::all_of(fields.begin(), fields.end(), [&](QWidget* w) { return w && w->isEnabled() == enabled; });
    }
};

TEST_F(Dot1xGlobal, ReadFillsEveryFieldAndOnlyTheDeviceOpensPortSet)
{
    for (const char* line : {"2.1.0 i W 1", "1.1.0 a W 10.0.0.9", "1.2.0 s W \"k3y\"", "2.2.0 i W 61", "2.3.0 i W 32",
                             "2.4.0 i W 33", "2.5.0 i W 34", "2.6.0 i W 5", "2.7.0 u W 7200", "2.8.0 i W 1"})
        Put(*harness, std::string("11.") + line);
    auto dlg = Open();
    auto* enable = DialogHarness::find<QCheckBox>(dlg.get(), "Enable 802.1X");
    auto* portSet = DialogHarness::find<QPushButton>(dlg.get(), "PortSet");
    EXPECT_TRUE(enable->isChecked());
    EXPECT_EQ(DialogHarness::find<kx::IpAddressEdit>(dlg.get(), "Radius Server IP:")->text(), "10.0.0.9");
    const QStringList shown{"k3y", "k3y", "61", "32", "33", "34", "5", "7200"};
    const char* const edits[] = {"Key:", "Confirm Key:", kTimerEdits[0], kTimerEdits[1], kTimerEdits[2],
                                 kTimerEdits[3], kTimerEdits[4], kTimerEdits[5]};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(Edit(dlg.get(), edits[i])->text(), shown[i]) << edits[i];
    EXPECT_EQ(DialogHarness::find<QComboBox>(dlg.get(), "ReAuthEnabled")->currentText(), "Enable");
    EXPECT_TRUE(AllEnabled(dlg.get(), true));
    EXPECT_TRUE(portSet->isEnabled());
    DialogHarness::click(dlg.get(), "Enable 802.1X");
    EXPECT_TRUE(AllEnabled(dlg.get(), false));
    EXPECT_TRUE(portSet->isEnabled());

    // Switched off on the device: the box opens the fields, never "&PortSet".
    Put(*harness, "11.2.1.0 i W 2");
    DialogHarness::click(dlg.get(), "Refresh");
    EXPECT_FALSE(enable->isChecked());
    EXPECT_FALSE(portSet->isEnabled());
    EXPECT_TRUE(AllEnabled(dlg.get(), false));
    DialogHarness::click(dlg.get(), "Enable 802.1X");
    EXPECT_TRUE(AllEnabled(dlg.get(), true));
    EXPECT_FALSE(portSet->isEnabled());

    // Typing into a key edit cuts it at 33 characters, the caret where it was.
    for (const char* name : {"Key:", "Confirm Key:"}) {
        QLineEdit* key = Edit(dlg.get(), name);
        key->setText(QString(33, 'a'));
        key->setFocus();
        key->setCursorPosition(5);
        QTest::keyClicks(key, "b");
        EXPECT_EQ(key->text(), QString(5, 'a') + "b" + QString(27, 'a')) << name;
        EXPECT_EQ(key->cursorPosition(), 6) << name;
    }
}

TEST_F(Dot1xGlobal, EveryRefusalShowsItsTextAndSendsNothingAtAll)
{
    struct Case { const char *field, *typed, *message; };
    const Case cases[] = {
        {"Radius Server IP:", "0.1.2.3", "Invalid RADIUS Server IP Address."},
        {"Radius Server IP:", "255.1.1.1", "Invalid RADIUS Server IP Address."},
        {"Radius Server IP:", "10.0.0.255", "Invalid RADIUS Server IP Address."},
        {"Key:", "", "Invalid Key."},
        {"Confirm Key:", "secreT", "Please confirm the key again !"},
        {"QuietPeriod(0-65535 sec)", "65536", "Invalid QuietPeriod (0-65535)"},
        {"TxPeriod(1-65535 sec)", "0", "Invalid TxPeriod (1-65535)"},
        {"SuppTimeout(1-65535 sec)", "", "Invalid SuppTimeout (1-65535)"},
        {"ServerTimeout(1-65535 sec)", "65536", "Invalid ServerTimeout (1-65535)"},
        {"MaxReq(1-10)", "11", "Invalid MaxReq (1-10)"},
        {"ReAuthPeriod(1-4294967295 sec)", "0", "Invalid ReAuthPeriod (1-4294967295)"},
        {"ReAuthPeriod(1-4294967295 sec)", "4294967296", "Invalid ReAuthPeriod (1-4294967295)"},
    };
    auto dlg = Open();
    DialogHarness::click(dlg.get(), "Enable 802.1X");
    harness->sim().clearLog();
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.field) + " " + c.typed);
        harness->prompter().clear();
        Fill(dlg.get(), {"60", "30", "30", "30", "2", "3600"});
        if (auto* ip = DialogHarness::find<kx::IpAddressEdit>(dlg.get(), c.field))
            ip->setText(c.typed);
        else
            DialogHarness::type(dlg.get(), c.field, c.typed);
        DialogHarness::click(dlg.get(), "Apply");
        EXPECT_EQ(harness->prompter().texts(), QStringList{c.message});
    }
    // Digits only: what cannot be typed cannot be sent as typed.
    DialogHarness::type(dlg.get(), "TxPeriod(1-65535 sec)", "12abc");
    EXPECT_EQ(Edit(dlg.get(), "TxPeriod(1-65535 sec)")->text(), "12");
    EXPECT_TRUE(harness->sets().empty());
}

TEST_F(Dot1xGlobal, ApplySendsServerAndKeyThenStateThenTimersWithReAuthPeriodAsUnsigned32)
{
    auto dlg = Open();
    DialogHarness::click(dlg.get(), "Enable 802.1X");
    Fill(dlg.get(), {"0", "031", "30", "30", "2", "4294967295"});
    DialogHarness::choose(dlg.get(), "ReAuthEnabled", "Enable");
    harness->sim().clearLog();
    DialogHarness::click(dlg.get(), "Apply");
    EXPECT_TRUE(harness->prompter().texts().isEmpty());
    // Numbers go out as the values checked ("031" as 31).
    EXPECT_EQ(Sent(*harness), (std::vector<std::string>{
                          "11.1.1.0 a 10.0.0.1, 11.1.2.0 s secret", "11.2.1.0 i 1",
                          "11.2.2.0 i 0, 11.2.3.0 i 31, 11.2.4.0 i 30, 11.2.5.0 i 30, 11.2.6.0 i 2, "
                          "11.2.7.0 u 4294967295, 11.2.8.0 i 1"}));
    // The read after it shows what the device holds now.
    EXPECT_TRUE(DialogHarness::find<QPushButton>(dlg.get(), "PortSet")->isEnabled());

    // A server and key the device refuses are not switched on; the timers still go.
    Put(*harness, "11.2.1.0 i W 2");
    harness->sim().control("fault add " + P("11.1") + " error genErr count=1");
    harness->sim().clearLog();
    DialogHarness::click(dlg.get(), "Apply");
    const auto sets = harness->sets();
    ASSERT_EQ(sets.size(), 2u);
    EXPECT_EQ(sets[0].status, "genErr");
    EXPECT_EQ(sets[1].bindings.size(), 7u);
    EXPECT_EQ(harness->sim().value(P("11.2.1.0")), "2");
}

TEST_F(Dot1xGlobal, DisablingSendsOnlyTheStateOverSnmpV3)
{
    harness->useVersion3("sha256aes");
    Put(*harness, "11.2.1.0 i W 1");
    auto dlg = Open();
    DialogHarness::click(dlg.get(), "Enable 802.1X");
    DialogHarness::type(dlg.get(), "TxPeriod(1-65535 sec)", "0");
    harness->sim().clearLog();
    DialogHarness::click(dlg.get(), "Apply");
    EXPECT_TRUE(harness->prompter().texts().isEmpty());
    EXPECT_EQ(Sent(*harness), std::vector<std::string>{"11.2.1.0 i 2"});
    EXPECT_EQ(harness->sets()[0].name, "sha256aes");
    EXPECT_FALSE(DialogHarness::find<QPushButton>(dlg.get(), "PortSet")->isEnabled());
}

class Dot1xPorts : public SimSuite<>
{
protected:
    static std::unique_ptr<CDot1xPortDlg> Open()
    {
        auto dlg = harness->open<CDot1xPortDlg>(kx::dot1x::Dot1xTimers{"60", "30", "30", "30", "2", "3600", "Disabled"});
        EXPECT_TRUE(DialogHarness::waitFirstRead(*dlg));
        return dlg;
    }
    static void Controls(const std::vector<int>& controls)
    {
        for (std::size_t i = 0; i < controls.size(); ++i)
            Put(*harness, "11.2.9.1.2." + std::to_string(i + 1) + " i W " + std::to_string(controls[i]));
    }
    static void Choose(QWidget* d, int from, int to, const char* control)
    {
        DialogHarness::choose(d, "From Port:", QString::number(from));
        DialogHarness::choose(d, "To Port:", QString::number(to));
        DialogHarness::choose(d, "Control:", control);
    }
    static kx::GridListView* List(QWidget* d) { return DialogHarness::find<kx::GridListView>(d, "802.1X Port Table"); }
};

TEST_F(Dot1xPorts, PortSetListsEveryPortWithTheTimersTheGlobalDialogShowed)
{
    Put(*harness, "11.2.1.0 i W 1");
    Controls({3, 1, 2});
    auto global = harness->open<CDot1xGlobalDlg>();
    ASSERT_TRUE(DialogHarness::waitFirstRead(*global));
    DialogHarness::type(global.get(), "TxPeriod(1-65535 sec)", "45"); // typed, not applied
    QList<QStringList> rows;
    DialogHarness::whenModalOpens<CDot1xPortDlg>([&](CDot1xPortDlg* d) {
        EXPECT_TRUE(DialogHarness::waitFirstRead(*d));
        for (int r = 0; r < List(d)->rowCount(); ++r) {
            QStringList texts;
            for (int c = 0; c < 10; ++c)
                texts << List(d)->cellText(r, c);
            rows << texts;
        }
        d->reject();
    });
    DialogHarness::click(global.get(), "PortSet");
    ASSERT_EQ(rows.size(), 8);
    EXPECT_EQ(rows[0], (QStringList{"1", "Authorized", "ForceAuthorized", "60", "45", "30", "30", "2", "3600",
                                    "Disabled"}));
    EXPECT_EQ(rows[1].mid(0, 3), (QStringList{"2", "Unauthorized", "ForceUnauthorized"}));
    EXPECT_EQ(rows[2][2], "Auto");
}

TEST_F(Dot1xPorts, RefusalsSendNothing)
{
    struct Case { std::vector<int> controls; int from, to; const char *control, *message; };
    const Case cases[] = {
        {{2, 2, 2, 2, 2, 2, 2, 3}, 8, 8, "Auto", "Could not set all port AUTO  to the port access control."},
        {{1, 1, 1, 1, 2, 2, 2, 2}, 5, 8, "ForceUnauthorized",
         "Could not set all port  Force Unauthorized to the port access control."},
        {{1, 1, 1, 1, 2, 2, 2, 2}, 1, 4, "Auto", "Could not set all port AUTO  to the port access control."},
        {{1, 1, 1, 1, 2, 2, 2, 3}, 8, 8, "Auto",
         "Could not set all port AUTO or Force Unauthorized to the port access control."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        Controls(c.controls);
        harness->prompter().clear();
        auto dlg = Open();
        harness->sim().clearLog();
        Choose(dlg.get(), c.from, c.to, c.control);
        DialogHarness::click(dlg.get(), "Apply");
        EXPECT_EQ(harness->prompter().texts(), QStringList{c.message});
        // ForceAuthorized passes the rule.
        DialogHarness::choose(dlg.get(), "Control:", "ForceAuthorized");
        DialogHarness::click(dlg.get(), "Apply");
        EXPECT_EQ(harness->prompter().texts().size(), 1);
        EXPECT_EQ(harness->sets().size(), 1u);
    }

    harness->sim().control("scenario trunk78");
    harness->prompter().clear();
    auto dlg = Open();
    harness->sim().clearLog();
    Choose(dlg.get(), 5, 7, "ForceAuthorized");
    DialogHarness::click(dlg.get(), "Apply");
    // A To port before From is put back on From.
    DialogHarness::choose(dlg.get(), "To Port:", "3");
    EXPECT_EQ(DialogHarness::find<QComboBox>(dlg.get(), "To Port:")->currentText(), "5");
    EXPECT_EQ(harness->prompter().texts(), (QStringList{"Cannot add an aggregated link to the 802.1X-enabled port",
                                                        "'To Port' can not be smaller than 'From Port'"}));
    EXPECT_TRUE(harness->sets().empty());
}

TEST_F(Dot1xPorts, ApplyWritesTheRangeAndTheWalkAfterItShowsItOverSnmpV3)
{
    harness->useVersion3("sha256aes");
    auto dlg = Open();
    harness->sim().clearLog();
    Choose(dlg.get(), 2, 4, "ForceUnauthorized");
    DialogHarness::click(dlg.get(), "Apply");
    EXPECT_EQ(Sent(*harness), std::vector<std::string>{"11.2.9.1.2.2 i 1, 11.2.9.1.2.3 i 1, 11.2.9.1.2.4 i 1"});
    ASSERT_EQ(List(dlg.get())->rowCount(), 8);
    for (int r = 0; r < 8; ++r)
        EXPECT_EQ(List(dlg.get())->cellText(r, 2), r >= 1 && r <= 3 ? "ForceUnauthorized" : "ForceAuthorized");
}

TEST_F(Dot1xPorts, ApplyWaitsForTheAggregationWalk)
{
    harness->sim().control("fault add " + P("8.1.3.1.2") + " delay 1000 count=1");
    auto dlg = harness->open<CDot1xPortDlg>(kx::dot1x::Dot1xTimers{});
    ASSERT_TRUE(DialogHarness::waitUntil([&] { return List(dlg.get())->rowCount() == 8; }));
    QTest::qWait(50);
    EXPECT_FALSE(DialogHarness::find<QPushButton>(dlg.get(), "Apply")->isEnabled());
    ASSERT_TRUE(DialogHarness::waitFirstRead(*dlg));
    EXPECT_TRUE(DialogHarness::find<QPushButton>(dlg.get(), "Apply")->isEnabled());
}

// A device with more rows than the dialog has ports, and one whose ports need
// two requests.
class Dot1xPorts40 : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        DialogHarness::Options options;
        options.sim.args = {"--ports", "40"};
        options.portCount = 40;
        harness = new DialogHarness(options);
    }
    static void TearDownTestSuite() { delete harness; }
    inline static DialogHarness* harness = nullptr;
};

TEST_F(Dot1xPorts40, EachRequestCarriesOnlyItsOwnThirtyPortsAtMost)
{
    for (int p = 1; p <= 40; ++p)
        Put(*harness, "11.2.9.1.2." + std::to_string(p) + " i W 2");
    auto dlg = harness->open<CDot1xPortDlg>(kx::dot1x::Dot1xTimers{});
    ASSERT_TRUE(DialogHarness::waitFirstRead(*dlg));
    harness->sim().clearLog();
    DialogHarness::choose(dlg.get(), "Control:", "ForceAuthorized");
    DialogHarness::click(dlg.get(), "Apply");
    const auto sets = harness->sets();
    ASSERT_EQ(sets.size(), 2u);
    EXPECT_EQ(sets[0].bindings.size(), 30u);
    EXPECT_EQ(Sent(*harness)[1].substr(0, 19), "11.2.9.1.2.31 i 3, ");
    EXPECT_EQ(sets[1].bindings.size(), 10u);
    EXPECT_GE(sets[1].ms - sets[0].ms, 100);
    EXPECT_EQ(harness->sim().value(P("11.2.9.1.2.40")), "3");

    // An 8-port dialog lists every row the device answers and counts its own ports.
    harness->useDevice("KX-A1 R2", 8);
    Put(*harness, "11.2.9.1.2.8 i W 2");
    dlg = harness->open<CDot1xPortDlg>(kx::dot1x::Dot1xTimers{});
    ASSERT_TRUE(DialogHarness::waitFirstRead(*dlg));
    EXPECT_EQ(DialogHarness::find<kx::GridListView>(dlg.get(), "802.1X Port Table")->rowCount(), 40);
    DialogHarness::choose(dlg.get(), "From Port:", "1");
    DialogHarness::choose(dlg.get(), "To Port:", "7");
    DialogHarness::choose(dlg.get(), "Control:", "Auto");
    DialogHarness::click(dlg.get(), "Apply");
    EXPECT_EQ(harness->prompter().texts(), QStringList{"Could not set all port AUTO  to the port access control."});
}

TEST(Dot1xPortTable, StoresEachControlAtTheInstancesPortWithinTheDevice)
{
    auto row = [](const char* port, const char* control, const char* status = "1") {
        return kx::WalkRow(port, {kx::SnmpValue{SnmpType::Integer, status},
                                  kx::SnmpValue{SnmpType::Integer, control}});
    };
    kx::dot1x::Dot1xPortTable table(3);
    EXPECT_EQ(table.applyRow(row("3", "1")), (QStringList{"3", "Authorized", "ForceUnauthorized"}));
    EXPECT_EQ(table.applyRow(row("1", "9", "7")), (QStringList{"1", "Other", "Other"}));
    table.applyRow(row("2", "2"));
    table.applyRow(row("4", "2"));
    EXPECT_EQ(table.controls(), (std::vector<int>{0, 2, 1}));
}

} // namespace
