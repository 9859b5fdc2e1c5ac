// "SNMP User Table ", "SNMP Group Table Info" and "SNMP View Table
// Configuration" driven through their widgets against the simulated switch.

#include "ui/kit/GridListView.h"
#include "ui/snmpadmin/CSnmpGroupTableDlg.h"
#include "ui/snmpadmin/CSnmpUserTableDlg.h"
#include "ui/snmpadmin/CSnmpViewTableDlg.h"
#include "tests/snmpadmin/SnmpAdminTestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include <gtest/gtest.h>

using namespace kxtest;
using namespace kxtest::snmpadmin;

namespace {

class SnmpTables : public SimSuite<>
{
protected:
    template<class D>
    static std::unique_ptr<D> Open()
    {
        auto dlg = harness->open<D>();
        EXPECT_TRUE(DialogHarness::waitFirstRead(*dlg));
        return dlg;
    }
    static kx::GridListView* List(QWidget* dlg, const char* name) { return DialogHarness::find<kx::GridListView>(dlg, name); }
    static QStringList Rows(QWidget* dlg, const char* name)
    {
        QStringList rows;
        kx::GridListView* list = List(dlg, name);
        for (int r = 0; r < list->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < list->columnCount(); ++c)
                cells << list->cellText(r, c);
            rows << cells.join('|');
        }
        return rows;
    }
    static bool Enabled(QWidget* dlg, const char* name) { return DialogHarness::find(dlg, name)->isEnabled(); }
};

TEST_F(SnmpTables, AV3UserWithAndWithoutEncryptionOverV1AndV3)
{
    for (const char* manager : {"", "shades"}) {
        harness->resetForTest();
        harness->useVersion3(manager);
        auto dlg = Open<CSnmpUserTableDlg>();
        harness->sim().clearLog();
        DialogHarness::type(dlg.get(), "User Name", "ab");
        DialogHarness::type(dlg.get(), "Group Name", "initial");
        DialogHarness::choose(dlg.get(), "SNMP Version", "V3");
        DialogHarness::click(dlg.get(), "encrypted");
        DialogHarness::choose(dlg.get(), "Auth-Protocol", "SHA");
        DialogHarness::type(dlg.get(), "Auth-Protocol Password", "authpass12");
        DialogHarness::type(dlg.get(), "Priv-Protocol Password", "privpass12");
        EXPECT_EQ(DialogHarness::find<QLineEdit>(dlg.get(), "Auth-Protocol Password")->echoMode(), QLineEdit::Password);
        DialogHarness::click(dlg.get(), "&Apply");
        const std::string i = ".2.97.98.3";
        EXPECT_EQ(Sets(harness->sim()),
                  (std::vector<std::string>{"2.1.1.8" + i + "=5", "2.1.1.3" + i + "=initial", "2.1.1.4" + i + "=3",
                                            "2.1.1.6" + i + "=2", "2.1.1.5" + i + "=authpass12",
                                            "2.1.1.7" + i + "=privpass12", "2.1.1.8" + i + "=1"}));
        EXPECT_TRUE(Rows(dlg.get(), "User List").contains("ab|initial|V3|SHA|DES_CBC"));
        // The fields are back as they were when the dialog opened.
        EXPECT_TRUE(DialogHarness::find<QLineEdit>(dlg.get(), "User Name")->text().isEmpty());
        EXPECT_FALSE(Enabled(dlg.get(), "encrypted"));

        harness->sim().clearLog();
        DialogHarness::type(dlg.get(), "User Name", "cd");
        DialogHarness::type(dlg.get(), "Group Name", "initial");
        DialogHarness::choose(dlg.get(), "SNMP Version", "V3");
        DialogHarness::click(dlg.get(), "&Apply");
        EXPECT_EQ(Sets(harness->sim()), (std::vector<std::string>{"2.1.1.8.2.99.100.3=5", "2.1.1.3.2.99.100.3=initial",
                                                                 "2.1.1.4.2.99.100.3=1", "2.1.1.8.2.99.100.3=1"}));
        EXPECT_TRUE(Rows(dlg.get(), "User List").contains("cd|initial|V3|None|None"));
        EXPECT_TRUE(harness->prompter().texts().isEmpty());
    }
    harness->useVersion3("");
}

TEST_F(SnmpTables, UserFieldsFollowVersionEncryptionAndPrivacy)
{
    auto dlg = Open<CSnmpUserTableDlg>();
    QWidget* d = dlg.get();
    auto state = [d] {
        std::string s;
        for (const char* w : {"encrypted", "Auth-Protocol", "Auth-Protocol Password", "Priv-Protocol",
                              "Priv-Protocol Password"})
            s += Enabled(d, w) ? '1' : '0';
        return s;
    };
    EXPECT_EQ(state(), "00000");
    DialogHarness::choose(d, "SNMP Version", "V3");
    EXPECT_EQ(state(), "10000");
    DialogHarness::click(d, "encrypted");
    EXPECT_EQ(state(), "11111");
    DialogHarness::choose(d, "Priv-Protocol", "None");
    EXPECT_EQ(state(), "11110");
    DialogHarness::choose(d, "Priv-Protocol", "DES");
    DialogHarness::click(d, "encrypted");
    EXPECT_EQ(state(), "10000");
    DialogHarness::click(d, "encrypted");
    // Leaving V3 unticks "encrypted": the V1 user is not refused for the empty
    // password of a disabled edit.
    DialogHarness::choose(d, "SNMP Version", "V1");
    EXPECT_EQ(state(), "00000");
    EXPECT_FALSE(DialogHarness::find<QCheckBox>(d, "encrypted")->isChecked());
    DialogHarness::type(d, "User Name", "v1user");
    DialogHarness::type(d, "Group Name", "ReadOnly");
    DialogHarness::click(d, "&Apply");
    EXPECT_TRUE(harness->prompter().texts().isEmpty()) << harness->prompter().last().toStdString();
    EXPECT_TRUE(Rows(d, "User List").contains("v1user|ReadOnly|V1|None|None"));

    // A password too long takes the focus, its text selected.
    DialogHarness::type(d, "User Name", "u");
    DialogHarness::type(d, "Group Name", "g");
    DialogHarness::choose(d, "SNMP Version", "V3");
    DialogHarness::click(d, "encrypted");
    DialogHarness::choose(d, "Auth-Protocol", "SHA");
    DialogHarness::type(d, "Auth-Protocol Password", QString(41, 'p'));
    harness->sim().clearLog();
    DialogHarness::click(d, "&Apply");
    EXPECT_EQ(harness->prompter().last(), " SHA Max. Password length is 40.");
    auto* password = DialogHarness::find<QLineEdit>(d, "Auth-Protocol Password");
    EXPECT_EQ(QApplication::focusWidget(), password);
    EXPECT_EQ(password->selectedText().size(), 41);
    EXPECT_TRUE(harness->sim().requestLog().empty());
}

TEST_F(SnmpTables, FiftyActiveUsersRefuseTheNextBeforeAnyRequest)
{
    // The device starts with five active users.
    for (int n = 0; n < 45; ++n)
        PutUser(harness->sim(), "user" + std::to_string(n), 2);
    auto dlg = Open<CSnmpUserTableDlg>();
    harness->sim().clearLog();
    DialogHarness::type(dlg.get(), "User Name", "one-more");
    DialogHarness::type(dlg.get(), "Group Name", "g");
    DialogHarness::click(dlg.get(), "&Apply");
    EXPECT_EQ(harness->prompter().last(), "Maximum number of User Entry is 50.");
    EXPECT_TRUE(harness->sim().requestLog().empty());

    // A row not in service is not listed and does not count.
    harness->sim().control("set " + A + ".2.1.1.8" + NameIndex("user0") + ".2 i C 2");
    DialogHarness::click(dlg.get(), "&Refresh");
    harness->sim().clearLog();
    DialogHarness::type(dlg.get(), "User Name", "one-more");
    DialogHarness::type(dlg.get(), "Group Name", "g");
    DialogHarness::click(dlg.get(), "&Apply");
    ASSERT_FALSE(Sets(harness->sim()).empty());
    EXPECT_EQ(Sets(harness->sim()).front().substr(0, 9), "2.1.1.8.8");
}

TEST_F(SnmpTables, AGroupsModelAndLevelTravelInItsIndexOnly)
{
    auto dlg = Open<CSnmpGroupTableDlg>();
    QWidget* d = dlg.get();
    EXPECT_FALSE(Enabled(d, "Security Level"));
    DialogHarness::choose(d, "Security Model", "v3");
    EXPECT_TRUE(Enabled(d, "Security Level"));
    DialogHarness::choose(d, "Security Level", "AuthNoPriv");
    DialogHarness::type(d, "Group Name", "g");
    DialogHarness::type(d, "Read View Name", "restricted");
    harness->sim().clearLog();
    DialogHarness::click(d, "&Apply");
    EXPECT_EQ(Sets(harness->sim()), (std::vector<std::string>{"3.1.1.7.1.103.3.2=5", "3.1.1.4.1.103.3.2=restricted",
                                                             "3.1.1.7.1.103.3.2=1"}));
    EXPECT_TRUE(Rows(d, "Group List").contains("g|restricted|||v3|AuthNoPriv"));

    // A v1 group is NoAuthNoPriv, whatever the level list showed under v3.
    DialogHarness::choose(d, "Security Model", "v3");
    DialogHarness::choose(d, "Security Level", "AuthPriv");
    DialogHarness::choose(d, "Security Model", "v1");
    EXPECT_FALSE(Enabled(d, "Security Level"));
    DialogHarness::type(d, "Group Name", "g");
    harness->sim().clearLog();
    DialogHarness::click(d, "&Apply");
    EXPECT_EQ(Sets(harness->sim()), (std::vector<std::string>{"3.1.1.7.1.103.1.1=5", "3.1.1.7.1.103.1.1=1"}));
    EXPECT_TRUE(Rows(d, "Group List").contains("g||||v1|NoAuthNoPriv"));
}

TEST_F(SnmpTables, AViewsMaskIsOneOctetAPartAndAShortMaskShowsAsReceived)
{
    harness->sim().control("set " + A + ".4.1.1.3.10.114.101.115.116.114.105.99.116.101.100.7.1.3.6.1.2.1.1 x C 01");
    auto dlg = Open<CSnmpViewTableDlg>();
    QWidget* d = dlg.get();
    EXPECT_TRUE(Rows(d, "View List").contains("restricted|1.3.6.1.2.1.1|1|Included"));
    DialogHarness::type(d, "View Name", "v");
    DialogHarness::type(d, "Subtree OID", "1.3.6");
    DialogHarness::type(d, "OID Mask", "1.1");
    DialogHarness::choose(d, "View Type", "Excluded");
    harness->sim().clearLog();
    DialogHarness::click(d, "&Apply");
    const std::string i = ".1.118.3.1.3.6";
    EXPECT_EQ(Sets(harness->sim()), (std::vector<std::string>{"4.1.1.5" + i + "=5", "4.1.1.3" + i + "=0101",
                                                             "4.1.1.4" + i + "=2", "4.1.1.5" + i + "=1"}));
    const QStringList rows = Rows(d, "View List");
    ASSERT_TRUE(rows.contains("v|1.3.6|1.1|Excluded"));
    List(d, "View List")->selectRow(static_cast<int>(rows.indexOf("v|1.3.6|1.1|Excluded")));
    harness->sim().clearLog();
    DialogHarness::click(d, "&Delete");
    EXPECT_EQ(Sets(harness->sim()), (std::vector<std::string>{"4.1.1.5" + i + "=6"}));
    EXPECT_FALSE(Rows(d, "View List").contains("v|1.3.6|1.1|Excluded"));
}

TEST_F(SnmpTables, DeleteWithoutASelectionSaysSoInEachDialogsWords)
{
    auto users = Open<CSnmpUserTableDlg>();
    auto groups = Open<CSnmpGroupTableDlg>();
    auto views = Open<CSnmpViewTableDlg>();
    harness->sim().clearLog();
    for (QWidget* d : {static_cast<QWidget*>(users.get()), static_cast<QWidget*>(groups.get()),
                       static_cast<QWidget*>(views.get())})
        DialogHarness::click(d, "&Delete");
    EXPECT_EQ(harness->prompter().texts(),
              (QStringList{"Please select the item would be delete!\n", "Please select the item would be delete!\n",
                           "Please Selecte the Item you would delete"}));
    EXPECT_TRUE(harness->sim().requestLog().empty());

    // The user ab/V2c is deleted through its own index.
    PutUser(harness->sim(), "ab", 2);
    DialogHarness::click(users.get(), "&Refresh");
    const int row = static_cast<int>(Rows(users.get(), "User List").indexOf("ab|grp|V2c|None|None"));
    ASSERT_GE(row, 0);
    List(users.get(), "User List")->selectRow(row);
    DialogHarness::click(users.get(), "&Delete");
    EXPECT_EQ(Sets(harness->sim()), (std::vector<std::string>{"2.1.1.8.2.97.98.2=6"}));
}

} // namespace
