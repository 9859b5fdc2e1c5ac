// "PoE Global Settings", "PoE Configuration" and "Time Profile Info" driven
// through their widgets against the simulated switch (its PoE model and clock):
// what they show, what they refuse with nothing sent, and what goes on the wire.

#include "ui/kit/GridListView.h"
#include "ui/poe/CPoeConfigDlg.h"
#include "ui/poe/CPoeGlobalDlg.h"
#include "ui/poe/CTimeProfileDlg.h"
#include "tests/support/DialogHarness.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include <gtest/gtest.h>

using namespace kxtest;

inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {

std::string P(const std::string& suffix)
{
    return std::string(KxSimFixture::kPrivateArc) + "." + suffix;
}

// Each set since the log was cleared: "<OID after the arc>=<value>" per binding.
std::vector<std::string> Sent(DialogHarness& h)
{
    std::vector<std::string> sent;
    for (const auto& set : h.sets()) {
        std::string line;
        for (const auto& b : set.bindings)
            line += (line.empty() ? "" : " ") + b.oid.substr(P("").size()) + "=" + b.value;
        sent.push_back(line);
    }
    return sent;
}

// A time profile as the device would hold it: every day, the whole day but a minute.
void PutProfile(DialogHarness& h, int id, const std::string& name, int status = 1)
{
    const std::string n = std::to_string(id);
    h.sim().control("set " + P("32.1.1.1." + n) + " i C " + n);
    h.sim().control("set " + P("32.1.1.2." + n) + " s C \"" + name + "\"");
    for (int c = 3; c <= 20; ++c)
        h.sim().control("set " + P("32.1.1." + std::to_string(c) + "." + n) + " i C " + (c == 12 ? "23" : "1"));
    h.sim().control("set " + P("32.1.1.21." + n) + " i C " + std::to_string(status));
}

kx::GridListView* List(QWidget* d)
{
    return d->findChild<kx::GridListView*>();
}

class PoeDialogs : public SimSuite<>
{
protected:
    template<class D>
    static std::unique_ptr<D> Open()
    {
        auto dlg = harness->open<D>();
        EXPECT_TRUE(DialogHarness::waitFirstRead(*dlg));
        DialogHarness::waitIdle(*dlg);
        harness->sim().clearLog();
        return dlg;
    }
    static QStringList Texts() { return harness->prompter().texts(); }
};

TEST_F(PoeDialogs, GlobalShowsWaitThenTheFiguresAndSendsOnlyWhatPassesEveryCheck)
{
    harness->sim().control("scenario budget");
    auto dlg = harness->open<CPoeGlobalDlg>();
    auto* threshold = DialogHarness::find<QLineEdit>(dlg.get(), "PoE Power Threshold  (7.1-72.0)");
    ASSERT_NE(threshold, nullptr);
    EXPECT_EQ(threshold->text(), "wait...");
    EXPECT_FALSE(threshold->isEnabled());
    ASSERT_TRUE(DialogHarness::waitFirstRead(*dlg));
    EXPECT_EQ(threshold->text(), "72.0");
    EXPECT_EQ(DialogHarness::find<QComboBox>(dlg.get(), "Power Shut Off Sequence ")->currentText(), "DenyNextPort");
    // The figures as the device words them.
    for (auto [label, object] : {std::pair{"Total PoE Power Budget       ", "22.4.0"}, std::pair{"Power Used", "22.5.0"},
                                 std::pair{"Power Left", "22.6.0"},
                                 std::pair{"The percentage of system power supplied ", "22.7.0"}})
        EXPECT_EQ(DialogHarness::find<QLineEdit>(dlg.get(), label)->text().toStdString(),
                  harness->sim().value(P(object)).value_or("?"))
            << label;
    harness->sim().clearLog();

    DialogHarness::click(dlg.get(), "&Apply");
    EXPECT_EQ(Texts().last(), "Check the data you input");
    // A changed sequence with a threshold out of range: nothing goes out.
    DialogHarness::choose(dlg.get(), "Power Shut Off Sequence ", "DenyLowPriorityPort");
    DialogHarness::type(dlg.get(), "PoE Power Threshold  (7.1-72.0)", "72.1");
    DialogHarness::click(dlg.get(), "&Apply");
    EXPECT_EQ(Texts().last(), "The System Power Threshold ranges between 7.1 ~ 72.0.");
    EXPECT_TRUE(Sent(*harness).empty());

    DialogHarness::type(dlg.get(), "PoE Power Threshold  (7.1-72.0)", "7.1");
    DialogHarness::click(dlg.get(), "&Apply");
    EXPECT_EQ(Texts().last(), "Set succeed,Please Wait for a moment");
    EXPECT_EQ(Sent(*harness), (std::vector<std::string>{"22.3.0=2", "22.2.0=7.1", "22.2.0=7.1"}));
    ASSERT_TRUE(DialogHarness::waitIdle(*dlg));
    EXPECT_EQ(threshold->text(), "7.1");

    // A refusing device: no success.
    harness->sim().control("fault add " + P("22.2") + " error genErr");
    DialogHarness::type(dlg.get(), "PoE Power Threshold  (7.1-72.0)", "72.0");
    DialogHarness::click(dlg.get(), "&Apply");
    EXPECT_EQ(Texts().last(), "Check the data you input");
    EXPECT_TRUE(Texts().filter("Set succeed").size() == 1);
    harness->sim().control("fault clear");
    DialogHarness::click(dlg.get(), "&Apply");
    EXPECT_EQ(Texts().last(), "Set succeed,Please Wait for a moment");
    EXPECT_EQ(harness->sim().value(P("22.2.0")), "72.0");
}

TEST_F(PoeDialogs, GlobalOnAnotherModelTakesUpTo185)
{
    harness->useDevice("KX-B2 P", 8);
    auto dlg = Open<CPoeGlobalDlg>();
    DialogHarness::type(dlg.get(), "PoE Power Threshold  (7.1-185.0)", "185.1");
    DialogHarness::click(dlg.get(), "&Apply");
    EXPECT_EQ(Texts().last(), "The System Power Threshold ranges between 7.1 ~ 185.0.");
    DialogHarness::type(dlg.get(), "PoE Power Threshold  (7.1-185.0)", "185.0");
    DialogHarness::click(dlg.get(), "&Apply");
    EXPECT_EQ(Sent(*harness), (std::vector<std::string>{"22.2.0=185.0", "22.2.0=185.0"}));
    harness->useDevice("KX-A1 R2", 8);
}

TEST_F(PoeDialogs, PortsShowRangeNamesAndSendEachPortApartInOrder)
{
    harness->sim().control("set " + P("22.1.1.4.1.2") + " i W 1");
    auto dlg = Open<CPoeConfigDlg>();
    kx::GridListView* list = List(dlg.get());
    ASSERT_EQ(list->rowCount(), 8);
    EXPECT_EQ(list->cellText(1, 2), "Office");
    EXPECT_EQ(list->cellText(0, 2), "N/A");

    // A limit out of range or off the step stops before the first port.
    DialogHarness::choose(dlg.get(), "Form Port", "3");
    DialogHarness::choose(dlg.get(), "To Port", "5");
    DialogHarness::find<QCheckBox>(dlg.get(), "User Define")->setChecked(true);
    EXPECT_FALSE(DialogHarness::find<QComboBox>(dlg.get(), "Power Limit")->isEnabled());
    for (auto [text, refusal] : {std::pair{"1.1", "The per-port power limit must be a multiple of 0.2"},
                                 std::pair{"0.8", "The User Defined power limit ranges between 1.0 ~ 15.4"},
                                 std::pair{"15.6", "The User Defined power limit ranges between 1.0 ~ 15.4"}}) {
        DialogHarness::type(dlg.get(), "(1~15.4w) ", text);
        DialogHarness::click(dlg.get(), "&Apply");
        EXPECT_EQ(Texts().last(), refusal);
    }
    EXPECT_TRUE(Sent(*harness).empty());

    // Disabled ports carry no time range, normal priority and the automatic class.
    DialogHarness::find<QCheckBox>(dlg.get(), "User Define")->setChecked(false);
    DialogHarness::choose(dlg.get(), "State", "Disable");
    DialogHarness::choose(dlg.get(), "Time Range", "Office");
    DialogHarness::choose(dlg.get(), "Priority", "High");
    DialogHarness::choose(dlg.get(), "Power Limit", "Class 2");
    DialogHarness::click(dlg.get(), "&Apply");
    std::vector<std::string> expected;
    for (int port = 3; port <= 5; ++port) {
        const std::string i = std::to_string(port);
        expected.push_back("22.1.1.3.1." + i + "=2 22.1.1.4.1." + i + "=0 22.1.1.5.1." + i + "=2 22.1.1.7.1." + i +
                           "=2 22.1.1.6.1." + i + "=1");
    }
    EXPECT_EQ(Sent(*harness), expected);
    const auto sets = harness->sets();
    ASSERT_EQ(sets.size(), 3u);
    EXPECT_GE(sets[1].ms - sets[0].ms, 300);
    EXPECT_GE(sets[2].ms - sets[1].ms, 300);
    ASSERT_TRUE(DialogHarness::waitIdle(*dlg));
    EXPECT_EQ(list->cellText(3, 1), "Disable");
}

TEST_F(PoeDialogs, PortsFollowTheInstanceWhenTheDeviceLeavesARowOut)
{
    for (int c : {3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13})
        harness->sim().control("erase " + P("22.1.1." + std::to_string(c) + ".1.2"));
    auto dlg = Open<CPoeConfigDlg>();
    kx::GridListView* list = List(dlg.get());
    ASSERT_EQ(list->rowCount(), 7);
    EXPECT_EQ(list->cellText(1, 0), "3");
    list->selectRow(1);
    EXPECT_EQ(DialogHarness::find<QComboBox>(dlg.get(), "Form Port")->currentText(), "3");
    EXPECT_EQ(DialogHarness::find<QComboBox>(dlg.get(), "To Port")->currentText(), "3");
    DialogHarness::find<QCheckBox>(dlg.get(), "User Define")->setChecked(true);
    DialogHarness::type(dlg.get(), "(1~15.4w) ", "15.4");
    DialogHarness::click(dlg.get(), "&Apply");
    EXPECT_EQ(Sent(*harness), (std::vector<std::string>{
                                  "22.1.1.3.1.3=1 22.1.1.4.1.3=0 22.1.1.5.1.3=2 22.1.1.7.1.3=1 22.1.1.8.1.3=15.4"}));
}

TEST_F(PoeDialogs, ProfilesTakeTheSmallestFreeIdentifierAndStopAtEight)
{
    PutProfile(*harness, 3, "Three");
    PutProfile(*harness, 5, "Resting", 2); // not listed, still taken
    auto dlg = Open<CTimeProfileDlg>();
    kx::GridListView* list = List(dlg.get());
    ASSERT_EQ(list->rowCount(), 2);
    EXPECT_EQ(list->cellText(0, 1), "Mon,Tue,Wed,Thu,Fri,");
    EXPECT_EQ(list->cellText(0, 4), "08:00");

    DialogHarness::click(dlg.get(), "&Delete");
    EXPECT_EQ(Texts().last(), "Please select the Time Range to be deleted!");

    DialogHarness::type(dlg.get(), "Profile Name", "Two");
    DialogHarness::choose(dlg.get(), "End Time", "5");
    DialogHarness::click(dlg.get(), "&Add");
    auto sets = harness->sets();
    ASSERT_EQ(sets.size(), 2u);
    ASSERT_EQ(sets[0].bindings.size(), 1u);
    EXPECT_EQ(sets[0].bindings[0].oid, P("32.1.1.21.2"));
    EXPECT_EQ(sets[0].bindings[0].value, "5");
    ASSERT_EQ(sets[1].bindings.size(), 20u);
    EXPECT_EQ(sets[1].bindings.front().value, "Two");
    EXPECT_EQ(sets[1].bindings.back().oid, P("32.1.1.21.2"));
    EXPECT_EQ(sets[1].bindings.back().value, "1");
    ASSERT_TRUE(DialogHarness::waitIdle(*dlg));
    ASSERT_EQ(list->rowCount(), 3);

    // With 1 gone the next one is 1 again; 4 follows; 5 is held by the inactive row.
    list->selectRow(0);
    harness->sim().clearLog();
    DialogHarness::click(dlg.get(), "&Delete");
    EXPECT_EQ(Sent(*harness), (std::vector<std::string>{"32.1.1.21.1=6"}));
    for (const char* name : {"One", "Four", "Six", "Seven", "Eight"}) {
        harness->sim().clearLog();
        DialogHarness::type(dlg.get(), "Profile Name", name);
        DialogHarness::click(dlg.get(), "&Add");
        ASSERT_FALSE(harness->sets().empty()) << name << ": " << Texts().join(" | ").toStdString();
    }
    EXPECT_EQ(harness->sim().value(P("32.1.1.2.1")), "One");
    EXPECT_EQ(harness->sim().value(P("32.1.1.2.4")), "Four");
    EXPECT_EQ(harness->sim().value(P("32.1.1.2.8")), "Eight");
    EXPECT_EQ(harness->sim().value(P("32.1.1.2.5")), "Resting");
    harness->sim().clearLog();
    DialogHarness::type(dlg.get(), "Profile Name", "Nine");
    DialogHarness::click(dlg.get(), "&Add");
    EXPECT_EQ(Texts().last(), "The Max entry is 8.");
    EXPECT_TRUE(Sent(*harness).empty());
}

TEST_F(PoeDialogs, ProfileDatesAndAnAddedProfileSchedulesAPort)
{
    auto dlg = Open<CTimeProfileDlg>();
    auto* day = DialogHarness::find<QComboBox>(dlg.get(), "From Date");
    EXPECT_FALSE(day->isEnabled());
    DialogHarness::find<QCheckBox>(dlg.get(), "Date")->setChecked(true);
    for (auto [year, days] : {std::pair{"2012", 29}, std::pair{"2013", 28}}) {
        DialogHarness::choose(dlg.get(), "From Day ", year);
        DialogHarness::choose(dlg.get(), "From Month", "2");
        EXPECT_EQ(day->count(), days) << year;
    }
    // One ordering message through the widgets (the rest are in the rules' table).
    DialogHarness::choose(dlg.get(), "To Day ", "2012");
    DialogHarness::choose(dlg.get(), "Start Time", "22");
    DialogHarness::choose(dlg.get(), "End Time", "6");
    DialogHarness::type(dlg.get(), "Profile Name", "Night");
    DialogHarness::click(dlg.get(), "&Add");
    EXPECT_EQ(Texts().last(), "'To year' can't be less than 'From year'");
    EXPECT_TRUE(Sent(*harness).empty());

    // Mondays 22:00 to 06:00, any date.
    DialogHarness::find<QCheckBox>(dlg.get(), "Date")->setChecked(false);
    DialogHarness::find<QCheckBox>(dlg.get(), "Mon ")->setChecked(true);
    DialogHarness::click(dlg.get(), "&Add");
    ASSERT_EQ(harness->sets().size(), 2u) << Texts().join(" | ").toStdString();
    dlg.reset();

    harness->sim().control("pd 1 class=2 watts=5.0");
    harness->sim().control("clock 2026-12-07 23:00"); // a Monday night
    auto ports = Open<CPoeConfigDlg>();
    DialogHarness::choose(ports.get(), "Form Port", "1");
    DialogHarness::choose(ports.get(), "Time Range", "Night");
    DialogHarness::click(ports.get(), "&Apply");
    EXPECT_EQ(harness->sim().value(P("22.1.1.4.1.1")), "2");
    EXPECT_EQ(harness->sim().value(P("22.1.1.13.1.1")), "POWER ON");
    harness->sim().control("clock 2026-12-07 12:00");
    EXPECT_EQ(harness->sim().value(P("22.1.1.13.1.1")), "Time-based OFF");
}

} // namespace
