// The dialog kit against the simulated switch: walks and gets reach the UI
// thread by value and exactly once, loads gate buttons, the feature model base.

#include "core/kit/CFeatureModel.h"
#include "core/kit/ReadPlan.h"
#include "core/kit/SnmpLoads.h"
#include "core/kit/SnmpRequests.h"
#include "tests/support/DialogHarness.h"

#include <QApplication>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

using namespace kxtest;

namespace {

const QString kIfDescr = QStringLiteral("1.3.6.1.2.1.2.2.1.2");
const QString kIfType = QStringLiteral("1.3.6.1.2.1.2.2.1.3");
const QString kSysName = QStringLiteral("1.3.6.1.2.1.1.5.0");

class Kit : public kxtest::SimSuite<>
{
};

struct Collected
{
    std::vector<kx::WalkRow> rows;
    std::vector<kx::WalkResult> ends;
    bool offUiThread = false;
};

void Collect(kx::TableWalker& walker, Collected& c)
{
    QObject::connect(&walker, &kx::TableWalker::rowArrived, [&c](const kx::WalkRow& row) {
        c.offUiThread |= QThread::currentThread() != qApp->thread();
        c.rows.push_back(row);
    });
    QObject::connect(&walker, &kx::TableWalker::finished, [&c](const kx::WalkResult& r) {
        c.offUiThread |= QThread::currentThread() != qApp->thread();
        c.ends.push_back(r);
    });
}

TEST_F(Kit, AWalkDeliversEveryRowAndOneEndOnTheUiThread)
{
    kx::TableWalker walker(std::make_shared<CCommonSNMP>());
    Collected c;
    Collect(walker, c);
    ASSERT_TRUE(walker.start({kIfDescr, kIfType}));
    EXPECT_TRUE(walker.isRunning());
    ASSERT_TRUE(DialogHarness::waitUntil([&] { return !c.ends.empty(); }));
    QTest::qWait(50);
    ASSERT_EQ(c.ends.size(), 1u);
    EXPECT_TRUE(c.ends[0].reachedEnd());
    EXPECT_FALSE(walker.isRunning());
    EXPECT_FALSE(c.offUiThread);
    // Eight ports and the system VLAN interface, each delivered once, in order.
    ASSERT_EQ(c.rows.size(), 9u);
    ASSERT_EQ(c.ends[0].rows.size(), 9u);
    for (int p = 1; p <= 8; ++p) {
        EXPECT_EQ(c.rows[p - 1].indexNumber(), p);
        EXPECT_EQ(c.rows[p - 1].value(0).text(), QStringLiteral("Port %1").arg(p));
        EXPECT_EQ(c.rows[p - 1].value(1).toInt(), 6);
    }
    EXPECT_EQ(c.rows[8].indexNumber(), 1001);
    for (const kx::WalkRow& row : c.rows)
        EXPECT_TRUE(row.aligned());
}

TEST_F(Kit, EachValueKnowsItsOwnInstanceWhenADeviceLeavesACellOut)
{
    // No ifType for port 3: that column answers port 4's cell in row 3.
    harness->sim().control("erase 1.3.6.1.2.1.2.2.1.3.3");
    kx::TableWalker walker(std::make_shared<CCommonSNMP>());
    Collected c;
    Collect(walker, c);
    walker.start({kIfDescr, kIfType});
    ASSERT_TRUE(DialogHarness::waitUntil([&] { return !c.ends.empty(); }));
    ASSERT_GE(c.rows.size(), 3u);
    EXPECT_TRUE(c.rows[1].aligned());
    EXPECT_FALSE(c.rows[2].aligned());
    EXPECT_EQ(c.rows[2].indexOf(0), "3");
    EXPECT_EQ(c.rows[2].indexOf(1), "4");
}

TEST_F(Kit, AStopRuleEndsTheWalkEarlyWithStatusZero)
{
    kx::TableWalker walker(std::make_shared<CCommonSNMP>());
    walker.setStopRule([](const kx::WalkRow& row) { return row.indexNumber() > 8; });
    Collected c;
    Collect(walker, c);
    walker.start({kIfDescr});
    ASSERT_TRUE(DialogHarness::waitUntil([&] { return !c.ends.empty(); }));
    EXPECT_EQ(c.ends[0].status, 0);
    EXPECT_EQ(c.ends[0].rows.size(), 8u);
}

TEST_F(Kit, AFailedWalkEndsOnceWithMinusOneAndAGetReportsNoAnswer)
{
    harness->sim().control("unreachable 600");
    kx::TableWalker walker(std::make_shared<CCommonSNMP>());
    Collected c;
    Collect(walker, c);
    walker.start({kIfDescr});
    ASSERT_TRUE(DialogHarness::waitUntil([&] { return !c.ends.empty(); }, 5000));
    EXPECT_TRUE(c.ends[0].failed());
    EXPECT_TRUE(c.rows.empty());

    kx::AsyncGet get(std::make_shared<CCommonSNMP>());
    std::vector<kx::GetResult> results;
    QObject::connect(&get, &kx::AsyncGet::finished, [&](const kx::GetResult& r) { results.push_back(r); });
    get.start({kSysName});
    ASSERT_TRUE(DialogHarness::waitUntil([&] { return !results.empty(); }, 5000));
    EXPECT_FALSE(results[0].ok());

    CCommonSNMP session;
    EXPECT_FALSE(kx::GetValues(session, {kSysName}).ok());
    harness->sim().control("unreachable 0");
    EXPECT_TRUE(kx::GetValues(session, {kSysName}).ok());
}

TEST_F(Kit, AWalkerThatGoesMidWalkIsNeverCalledAgain)
{
    // Each step is slow, so the walker is destroyed with a step on its way.
    harness->sim().control("fault add 1.3.6.1.2.1.2.2.1 delay 100");
    for (int round = 0; round < 3; ++round) {
        auto walker = std::make_unique<kx::TableWalker>(std::make_shared<CCommonSNMP>());
        int rows = 0;
        bool ended = false;
        QObject::connect(walker.get(), &kx::TableWalker::rowArrived, [&rows] { ++rows; });
        QObject::connect(walker.get(), &kx::TableWalker::finished, [&ended] { ended = true; });
        walker->start({kIfDescr});
        // Gone after a row or more, with the next step on its way: of the eight
        // rows, far from all have come.
        ASSERT_TRUE(DialogHarness::waitUntil([&] { return rows > round; }, 5000));
        EXPECT_FALSE(ended);
        walker.reset();
        QTest::qWait(250);
    }
    // Cancel keeps the object and drops the rest of its walk.
    kx::TableWalker walker(std::make_shared<CCommonSNMP>());
    Collected c;
    Collect(walker, c);
    walker.start({kIfDescr});
    QTest::qWait(150);
    walker.cancel();
    const std::size_t seen = c.rows.size();
    QTest::qWait(400);
    EXPECT_EQ(c.rows.size(), seen);
    EXPECT_TRUE(c.ends.empty());
}

TEST_F(Kit, GetsAndSetsReportAnswersAndErrorStatus)
{
    CCommonSNMP session;
    kx::AsyncGet get(std::make_shared<CCommonSNMP>());
    std::vector<kx::GetResult> results;
    QObject::connect(&get, &kx::AsyncGet::finished, [&](const kx::GetResult& r) { results.push_back(r); });
    get.start({kSysName, QStringLiteral("1.3.6.1.2.1.1.1.0")});
    ASSERT_TRUE(DialogHarness::waitUntil([&] { return !results.empty(); }));
    ASSERT_TRUE(results[0].ok());
    EXPECT_EQ(results[0].value(0).text(), "KX-A1R2");
    EXPECT_EQ(results[0].value(1).text(), "KX-A1 R2 8-Port 10/100 PoE Managed Switch");

    EXPECT_TRUE(kx::SetValues(session, {kx::SetBinding::Text(kSysName, "core-sw-1")}).ok());
    EXPECT_EQ(harness->sim().value("1.3.6.1.2.1.1.5.0"), "core-sw-1");
    // A refusal arrives as an answer with an error status.
    const kx::SetResult refused =
        kx::SetValues(session, {kx::SetBinding::Integer(QStringLiteral("1.3.6.1.2.1.17.2.2.0"), 100)});
    EXPECT_TRUE(refused.answered());
    EXPECT_FALSE(refused.ok());
    EXPECT_NE(refused.errorStatus, 0);
}

TEST_F(Kit, APlanStartsItsLoadsInOrderAndEndsOnceWithFailuresCounted)
{
    kx::Reader reader;
    auto first = std::make_shared<CCommonSNMP>();
    auto second = std::make_shared<CCommonSNMP>();
    std::vector<QString> order;
    QString lastIndex;
    harness->sim().control("fault add 1.3.6.1.2.1.1.5 drop");
    kx::ReadPlan plan;
    plan.get(first, {kSysName}, [&](const kx::GetResult& r) { order.push_back(r.ok() ? "name" : "no name"); })
        .walk(second, {kIfDescr},
              [&](const kx::WalkResult& r) {
                  order.push_back(QString::number(r.rows.size()));
                  lastIndex = r.rows.back().index;
              })
        .delay(200)
        // Decided by the walk's answer, on the session the walk has finished with.
        .get(second, {}, [&](const kx::GetResult& r) { order.push_back(r.value(0).text()); })
        .afterPrevious()
        .objectsAtStart([&] { return QStringList{kIfType + "." + lastIndex}; })
        .get(second, {}, [&](const kx::GetResult&) { order.push_back("skipped"); })
        .afterPrevious()
        .objectsAtStart([] { return QStringList(); });
    QSignalSpy finished(&reader, &kx::Reader::finished);
    reader.run(plan);
    EXPECT_TRUE(reader.running());
    ASSERT_TRUE(finished.wait(8000));
    // The last interface is the system VLAN's.
    EXPECT_EQ(order, (std::vector<QString>{"9", "53", "no name"}));
    EXPECT_EQ(reader.failedLoads(), 1);
    EXPECT_FALSE(reader.running());
    QTest::qWait(100);
    EXPECT_EQ(finished.count(), 1);
}

TEST_F(Kit, ARunReplacesThePlanStillRunningAndACloseStartsNothing)
{
    kx::Reader reader;
    auto session = std::make_shared<CCommonSNMP>();
    int stale = 0;
    int fresh = 0;
    harness->sim().control("fault add 1.3.6.1.2.1.2.2.1 delay 80");
    kx::ReadPlan slow;
    slow.walk(session, {kIfDescr}, [&](const kx::WalkResult&) { ++stale; }).rows([&](const kx::WalkRow&) { ++stale; });
    reader.run(slow);
    QTest::qWait(150);
    kx::ReadPlan quick;
    quick.get(session, {kSysName}, [&](const kx::GetResult& r) { fresh += r.ok(); });
    QSignalSpy finished(&reader, &kx::Reader::finished);
    stale = 0; // what the slow walk brought so far was its due
    reader.run(quick);
    ASSERT_TRUE(finished.wait(5000));
    QTest::qWait(300);
    EXPECT_EQ(stale, 0);
    EXPECT_EQ(fresh, 1);

    reader.close();
    reader.run(quick);
    EXPECT_FALSE(reader.running());
    QTest::qWait(100);
    EXPECT_EQ(fresh, 1);
}

TEST_F(Kit, TheFeatureModelBase)
{
    CFeatureModel model(8);
    // A status other than 1, 4, 5, 6 is refused before anything is sent.
    harness->sim().clearLog();
    const QString arpRow = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.14.3.1.1.4.10.0.0.1");
    QString refusal;
    EXPECT_EQ(model.SetRowStatus(arpRow, "2", &refusal), 0);
    EXPECT_EQ(refusal, "error status value!");
    EXPECT_TRUE(harness->sim().requestLog().empty());
    EXPECT_EQ(model.SetRowStatus(arpRow, "4", &refusal), 1);
    EXPECT_TRUE(refusal.isEmpty());
    EXPECT_EQ(harness->sim().value("1.3.6.1.4.1.99999.10.75.13.14.3.1.1.4.10.0.0.1"), "1");

    QByteArray value = "untouched";
    model.GetScalar(QStringLiteral("1.3.6.1.4.1.99999.10.75.13.8.1.2.0"), value);
    EXPECT_EQ(value, "1");
    value = "untouched";
    model.GetScalar(QStringLiteral("1.3.6.1.4.1.99999.10.75.13.8.1.2.7"), value);
    EXPECT_EQ(value, "untouched");
}

TEST_F(Kit, AggregationGroupsArriveAsOneSnapshotAndDecideAgreement)
{
    CFeatureModel model(8);
    kx::Reader reader;
    // Not loaded: every value passes.
    EXPECT_EQ(model.MembersAgree({0, 0, 0, 0, 0, 0, 1, 2}), 1);

    harness->sim().control("scenario trunk78");
    QSignalSpy loaded(&model, &CFeatureModel::aggregationGroupsLoaded);
    reader.run(model.LoadAggregationGroups());
    ASSERT_TRUE(loaded.wait(5000));
    EXPECT_TRUE(model.AggregationGroupsLoaded());
    ASSERT_NE(model.AggregationGroups(), nullptr);
    EXPECT_EQ(*model.AggregationGroups(), (std::vector<int>{0, 0, 0, 0, 0, 0, 1, 1}));

    // The agreement rule itself is TrunkMembership's table.
    EXPECT_EQ(model.MembersAgree({0, 0, 0, 0, 0, 0, 5, 5}), 1);
    EXPECT_EQ(model.MembersAgree({0, 0, 0, 0, 0, 0, 5, 6}), 0);

    // A failed load counts as ended and as not loaded.
    harness->sim().control("unreachable 600");
    reader.run(model.LoadAggregationGroups());
    ASSERT_TRUE(loaded.wait(5000));
    EXPECT_FALSE(model.AggregationGroupsLoaded());
    EXPECT_EQ(model.MembersAgree({0, 0, 0, 0, 0, 0, 5, 6}), 1);
    harness->sim().control("unreachable 0");
}

} // namespace
