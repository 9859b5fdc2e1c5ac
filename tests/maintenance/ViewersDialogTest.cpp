// The Public MIB viewers and System Information against kxsim, through their
// widgets: what each column shows, the counts, the forwarding table's extras,
// the list's order and copy, and the one get and the one set of the system group.

#include "ui/DialogRegistry.h"
#include "ui/kit/CTableViewerDlg.h"
#include "ui/kit/TableListView.h"
#include "ui/maintenance/CForwardingTableDlg.h"
#include "ui/maintenance/CSystemInfoDlg.h"
#include "tests/support/DialogHarness.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

#include <gtest/gtest.h>

using namespace kxtest;

namespace {

class Viewers : public SimSuite<>
{
protected:
    static std::unique_ptr<kx::CTableViewerDlg> Open(const QString& entry)
    {
        std::unique_ptr<kx::CTableViewerDlg> dlg(
            qobject_cast<kx::CTableViewerDlg*>(kx::ProgramDialogs().find(entry)(nullptr)));
        EXPECT_TRUE(dlg);
        dlg->show();
        EXPECT_TRUE(DialogHarness::waitFirstRead(*dlg));
        return dlg;
    }
    // Every row as shown, cells joined by "|".
    static QStringList Rows(const kx::CTableViewerDlg& dlg)
    {
        QStringList rows;
        for (int r = 0; r < dlg.list()->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < dlg.list()->model()->columnCount(); ++c)
                cells << dlg.list()->cellText(r, c);
            rows << cells.join('|');
        }
        return rows;
    }
    static QString Count(QWidget* dlg) { return DialogHarness::find<QLabel>(dlg, "Entries")->text(); }
};

TEST_F(Viewers, InterfaceTableShowsSpeedsAndLinkStates)
{
    harness->sim().control("cable 5 10M");
    harness->sim().control("set 1.3.6.1.2.1.2.2.1.5.1001 g R 1000000000");
    harness->sim().control("set 1.3.6.1.2.1.2.2.1.8.1001 i R 5");
    auto dlg = Open("Interface Table...");
    const QStringList rows = Rows(*dlg);
    ASSERT_EQ(rows.size(), 9);
    EXPECT_EQ(rows[0], "1|Connected|100M");
    EXPECT_EQ(rows[4], "5|Connected|10M");
    EXPECT_EQ(rows[5], "6|UnConnected|100M");
    EXPECT_EQ(rows[8], "1001|Unknown|1000M");
    EXPECT_EQ(Count(dlg.get()), "9");
    EXPECT_EQ(dlg->list()->model()->headerData(2, Qt::Horizontal).toString(), " Speed(b/s)                     ");
}

TEST_F(Viewers, TcpUdpAndIpTables)
{
    harness->sim().control("set 1.3.6.1.2.1.6.13.1.1.0.0.0.0.80.0.0.0.0.0 i R 1");
    auto tcp = Open("TCP Service...");
    EXPECT_EQ(Rows(*tcp), (QStringList{"23|0.0.0.0|0.0.0.0|0|listen", "80|0.0.0.0|0.0.0.0|0|closed",
                                       "23|127.0.0.1|10.0.0.100|51515|established"}));
    auto udp = Open("UDP Service...");
    EXPECT_EQ(Rows(*udp), (QStringList{"69|0.0.0.0", "161|0.0.0.0"}));
    auto ip = Open("IP Table...");
    EXPECT_EQ(ip->windowTitle(), "IP Table : 127.0.0.1");
    EXPECT_EQ(Rows(*ip), QStringList{"127.0.0.1|255.255.255.0"});
    EXPECT_EQ(Count(ip.get()), "1");
}

TEST_F(Viewers, ForwardingTableMacsStatusesAgingTimeAndThePortFilter)
{
    harness->sim().control("set 1.3.6.1.2.1.17.4.2.0 i W 120");
    harness->sim().control("set 1.3.6.1.2.1.17.7.1.2.2.1.3.1.0.27.33.0.0.3 i R 7");
    auto dlg = Open("Forwarding Table...");
    EXPECT_EQ(Rows(*dlg), (QStringList{"00-1B-21-00-00-01|Learn|1", "00-1B-21-00-00-02|Learn|2",
                                       "00-1B-21-00-00-03|7|3", "00-1B-21-00-00-99|Static|2",
                                       "00-1B-21-5A-00-01|Own|0"}));
    EXPECT_EQ(DialogHarness::find<QLineEdit>(dlg.get(), "Age Time:")->text(), "120");

    // The filter lists only the entries of its port, and says so.
    EXPECT_TRUE(DialogHarness::find<QLabel>(dlg.get(), "Filter note")->text().startsWith("Lists only the entries"));
    DialogHarness::type(dlg.get(), "Destination Port:", "2");
    harness->sim().clearLog();
    DialogHarness::click(dlg.get(), "Refresh");
    EXPECT_EQ(Rows(*dlg), (QStringList{"00-1B-21-00-00-02|Learn|2", "00-1B-21-00-00-99|Static|2"}));
    EXPECT_EQ(Count(dlg.get()), "2");
    for (const auto& r : harness->sim().requestLog()) // the aging time only as the window opened
        EXPECT_NE(r.bindings.front().oid, "1.3.6.1.2.1.17.4.2.0");
}

TEST_F(Viewers, ListsSortByAnyColumnAndCopyAsTabSeparatedText)
{
    auto dlg = Open("Forwarding Table...");
    kx::TableListView* list = dlg->list();
    list->sortByColumn(2, Qt::DescendingOrder);
    EXPECT_EQ(list->cellText(0, 2), "3");
    EXPECT_EQ(list->cellText(4, 2), "0");
    list->sortByColumn(-1, Qt::AscendingOrder); // the agent's order again
    list->selectRow(1);
    list->setFocus();
    QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "00-1B-21-00-00-02\tLearn\t2\n");
    list->copyAll();
    const QStringList lines = QGuiApplication::clipboard()->text().split('\n');
    EXPECT_EQ(lines.size(), 7); // header, five rows, the last line's end
    EXPECT_EQ(lines[0], "MAC\tStatus\tPort");
}

TEST_F(Viewers, RefreshIsDisabledWhileTheWalkRunsAndRowsArriveInBatches)
{
    harness->sim().control("fault add 1.3.6.1.2.1.17.7.1.2.2.1 delay 150 count=3");
    auto dlg = std::unique_ptr<kx::CTableViewerDlg>(
        qobject_cast<kx::CTableViewerDlg*>(kx::ProgramDialogs().find("Forwarding Table...")(nullptr)));
    dlg->show();
    auto* refresh = DialogHarness::find<QPushButton>(dlg.get(), "Refresh");
    ASSERT_TRUE(DialogHarness::waitUntil([&] { return dlg->list()->rowCount() == 1; }, 5000));
    EXPECT_FALSE(refresh->isEnabled()); // listed while the walk goes on
    ASSERT_TRUE(DialogHarness::waitFirstRead(*dlg));
    EXPECT_TRUE(refresh->isEnabled());
    EXPECT_EQ(dlg->list()->rowCount(), 5);
}

TEST_F(Viewers, SystemInformationReadsOnceAndWritesNameAndLocationInOneSet)
{
    harness->sim().clearLog();
    auto dlg = harness->open<CSystemInfoDlg>();
    ASSERT_TRUE(DialogHarness::waitFirstRead(*dlg));
    const auto log = harness->sim().requestLog();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].bindings.size(), 6u);
    auto text = [&](const char* field) { return DialogHarness::find<QLineEdit>(dlg.get(), field)->text(); };
    EXPECT_EQ(text("Description:"), "KX-A1 R2 8-Port 10/100 PoE Managed Switch");
    EXPECT_EQ(text("Object OID:"), "1.3.6.1.4.1.99999.10.75.13");
    EXPECT_TRUE(QRegularExpression("^\\d+ Hour \\d+ Min$").match(text("Runtime:")).hasMatch()) << text("Runtime:").toStdString();
    EXPECT_EQ(text("Name:"), "KX-A1R2");

    harness->sim().clearLog();
    DialogHarness::type(dlg.get(), "Name:", "core.sw");
    DialogHarness::click(dlg.get(), "Apply");
    DialogHarness::type(dlg.get(), "Name:", "core-sw");
    DialogHarness::type(dlg.get(), "Location:", "rack;3");
    DialogHarness::click(dlg.get(), "Apply");
    EXPECT_EQ(harness->prompter().texts(), (QStringList{"Invalid System Name.", "Invalid System Location."}));
    EXPECT_TRUE(harness->sets().empty());

    DialogHarness::type(dlg.get(), "Location:", "Rack 3");
    DialogHarness::click(dlg.get(), "Apply");
    const auto sets = harness->sets();
    ASSERT_EQ(sets.size(), 1u);
    ASSERT_EQ(sets[0].bindings.size(), 2u);
    EXPECT_EQ(sets[0].bindings[0].oid, "1.3.6.1.2.1.1.5.0");
    EXPECT_EQ(sets[0].bindings[1].oid, "1.3.6.1.2.1.1.6.0");
    EXPECT_EQ(harness->sim().value("1.3.6.1.2.1.1.5.0"), "core-sw");
    EXPECT_EQ(harness->sim().value("1.3.6.1.2.1.1.6.0"), "Rack 3");
    EXPECT_EQ(harness->prompter().texts().size(), 2); // the outcome is not reported
}

} // namespace
