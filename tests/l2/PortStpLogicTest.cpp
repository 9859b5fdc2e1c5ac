// Port settings and spanning tree without widgets or network: how port rows
// read (the combination ports' media), Apply's refusals in their order with
// its questions and bindings, the bridge timer rules and write order, and
// Port Config's rules.

#include "core/l2/PortSettings.h"
#include "core/l2/SpanningTree.h"

#include <gtest/gtest.h>

#include <map>

using namespace kx::l2;
using kx::SnmpValue;
using kx::WalkRow;

inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {

SnmpValue Int(int v)
{
    return {SnmpType::Integer, QByteArray::number(v)};
}

// speed, oper mode, flow, priority, oper flow, type
WalkRow PortRow(int port, int speed, int oper = 1, int type = 1)
{
    return WalkRow{QString::number(port), {Int(speed), Int(oper), Int(2), Int(1), Int(2), Int(type)}};
}

// Ports 1..8 at `speeds` (a value each), types 1 unless given.
PortSettingsTable Ports(const std::vector<int>& speeds, std::map<int, int> types = {})
{
    PortSettingsTable t(static_cast<int>(speeds.size()), false);
    for (std::size_t i = 0; i < speeds.size(); ++i) {
        const int p = static_cast<int>(i) + 1;
        t.addRow(PortRow(p, speeds[i], 1, types.count(p) ? types[p] : 1));
    }
    return t;
}

kx::TrunkMembership Trunk78()
{
    kx::TrunkMembership m(8);
    m.applyRow(WalkRow{"1", {{SnmpType::OctetString, QByteArray::fromHex("03000000")}}});
    return m;
}

TEST(PortRows, CellTextsAndTheMediaOfCombinationPorts)
{
    PortSettingsTable eight(8, false);
    EXPECT_EQ(eight.addRow(WalkRow{"3", {Int(3), Int(4), Int(1), Int(4), Int(1), Int(1)}}),
              (QStringList{"3", "100MHalf", "100MHalf", "Enable", "Highest", "Enabled"}));
    EXPECT_EQ(eight.addRow(WalkRow{"4", {Int(9), Int(9), Int(2), Int(0), Int(3), Int(1)}}),
              (QStringList{"4", "1000MFull", "1000MFull", "Disable", "Low", ""}));
    EXPECT_EQ(eight.speedText(4), "1000MFull");
    // A row beyond the ports is listed and kept nowhere.
    EXPECT_EQ(eight.addRow(PortRow(9, 7)).at(1), "Disable");
    EXPECT_EQ(eight.speedText(9), "");
    // A cell left out: the type column has moved on to port 5.
    WalkRow moved = PortRow(6, 6, 1, 3);
    moved.columnIndex[5] = "5";
    eight.addRow(moved);
    EXPECT_EQ(eight.type(5), 3);
    EXPECT_EQ(eight.type(6), 0);

    struct Case
    {
        int portCount;
        bool allGiga;
        int port, type, oper;
        const char* shown;
    };
    const Case cases[] = {
        {24, false, 21, 3, 3, "100M F Full"},  {24, false, 24, 3, 4, "100M F Half"},
        {24, false, 24, 3, 5, "10MFull"},      {24, false, 22, 4, 2, "1000M F Full"},
        {24, false, 22, 2, 1, "Down"},         {24, false, 22, 2, 4, "100M C Half"},
        {24, false, 23, 2, 3, "100MFull"},     {24, true, 23, 2, 3, "100M C Full"},
        {24, false, 20, 3, 3, "100MFull"},     {10, false, 9, 3, 3, "100M F Full"},
        {10, false, 8, 3, 3, "100MFull"},      {8, false, 8, 3, 3, "100MFull"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.portCount << " ports, port " << c.port);
        PortSettingsTable t(c.portCount, c.allGiga);
        EXPECT_EQ(t.addRow(PortRow(c.port, 6, c.oper, c.type)).at(2), c.shown);
    }
}

TEST(PortApply, RefusalsInOrderQuestionsAndBindings)
{
    // What the widget tests leave out: the fibre modules, the edges of the
    // last-port rule, rows the device has not.
    const std::vector<int> allAuto(8, 6);
    struct Case
    {
        const char* name;
        std::map<int, int> types;
        PortApplyRequest request;
        QString refusal;
        bool force = false, flow = false;
        std::vector<QString> oids = {};
    };
    const QString speed = kPortControlSpeed + ".";
    const QString flow = kPortFlowControl + ".";
    const Case cases[] = {
        {"disable with two enabled", {}, {"2", 2, SpeedDisable, false}, "", false, false, {speed + "2", flow + "2"}},
        {"Auto on 100Base-x, before its speed rule", {{3, 3}}, {"3", 3, SpeedAuto, false},
         "Fiber Port 3 with 100Base-x SFP Module can not support in Auto mode."},
        {"10M on 100Base-x", {{3, 3}}, {"3", 3, Speed10Full, false},
         "Fiber Port 3 with 100Base-x SFP Module can not support this speed."},
        {"100M-Half on 100Base-x passes", {{3, 3}}, {"3", 3, Speed100Half, true}, "", true, true,
         {speed + "3", flow + "3"}},
        {"100M on 1000Base-x", {{3, 4}}, {"3", 3, Speed100Full, false},
         "Fiber Port 3 with 1000Base-x SFP Module can not support this speed."},
        {"1000M on 1000Base-x", {{3, 4}}, {"3", 3, Speed1000Full, false}, "", true, false, {speed + "3", flow + "3"}},
        {"row beyond the ports", {}, {"9", 9, SpeedAuto, false}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const PortApplyDecision d =
            DecidePortApply(c.request, Ports(allAuto, c.types), kx::TrunkMembership(8), false);
        EXPECT_EQ(d.refusal, c.refusal);
        EXPECT_EQ(d.askForceMode, c.force);
        EXPECT_EQ(d.askFlowControl, c.flow);
        std::vector<QString> oids;
        for (const kx::SetBinding& b : d.bindings)
            oids.push_back(b.oid);
        EXPECT_EQ(oids, c.oids);
        EXPECT_EQ(d.writes, !c.oids.empty());
    }
    // (The written values are the dialog test's.) Gigabit everywhere: 1000M on a
    // type-1 port is fine.
    EXPECT_EQ(DecidePortApply({"5", 5, Speed1000Full, false}, Ports(allAuto), {}, true).refusal, "");
}

TEST(BridgeTimers, RangesThenTheTwoRelationsEachWithItsMessage)
{
    const QString age = "Invalid Age Time value, the valid Age Time range is  (600-4000) ms !";
    const QString delay = "Invalid Forward Delay value, the valid Forward Delay range is (400-3000) ms !";
    const QString hello = "Invalid Hello Time value, the valid Hello Time range is (100-1000) ms !";
    const QString helloRelation = "To set the parameters Hello Time and Max Age the following relation is to be "
                                  "satisfied: \nMax Age >= (2*(Hello Time + 1.0))";
    const QString delayRelation = "To set the parameters Forward Delay and Max Age, the following relation is to "
                                  "be satisfied: \n2*(Forward Delay - 1) >= Max Age";
    struct Case
    {
        const char *maxAge, *delay, *hello;
        QString refusal;
    };
    const Case cases[] = {
        {"599", "3000", "100", age},          {"4001", "3000", "100", age},
        {"abc", "3000", "100", age},          {"2000", "399", "1000", delay},
        {"2000", "1500", "99", hello},        {"2000", "1500", "1001", hello},
        {"2000", "1500", "1000", helloRelation}, {"4000", "2000", "200", delayRelation},
        {"2200", "1500", "1000", ""},         {"600", "400", "200", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CheckBridgeTimers(c.maxAge, c.delay, c.hello), c.refusal) << c.maxAge << "/" << c.delay << "/"
                                                                            << c.hello;
}

TEST(BridgeWrite, RstpOffWritesOnlyItsStateOnWritesTheOpeningPairThenEachTimerAlone)
{
    std::vector<QStringList> requests;
    StpSetPath path{[&](const std::vector<kx::SetBinding>& bindings) {
                        QStringList r;
                        for (const kx::SetBinding& b : bindings)
                            r << QString(b.oid)
                                     .remove("1.3.6.1.4.1.99999.10.75.13.")
                                     .remove("1.3.6.1.2.1.17.") +
                                     "=" + QString::fromLatin1(b.value);
                        requests.push_back(r);
                        return kx::SetResult{};
                    },
                    [](int) {}};
    WriteBridge({false, false, "4000", "3000", "1000", "4096", true}, path);
    EXPECT_EQ(requests, (std::vector<QStringList>{{"6.1.1.0=2"}}));
    requests.clear();
    // Failing requests (the path answers none) do not stop the later ones.
    WriteBridge({true, true, "4000", "3000", "1000", "4096", false}, path);
    EXPECT_EQ(requests, (std::vector<QStringList>{{"6.1.1.0=1"},
                                                  {"2.13.0=100", "2.14.0=3000"},
                                                  {"2.12.0=4000"},
                                                  {"2.14.0=3000"},
                                                  {"2.13.0=1000"},
                                                  {"2.2.0=4096", "6.1.2.0=0"}}));
}

TEST(StpTexts, OddIdsAsReceivedAndBridgeAnswersIgnored)
{
    EXPECT_EQ(DesignatedText({SnmpType::OctetString, "abc"}), "abc");
    kx::GetResult answer;
    answer.status = 0;
    for (int i = 0; i < 13; ++i)
        answer.values.push_back(Int(i == 11 ? 1 : 0));
    std::optional<BridgeView> v = ReadBridge(answer);
    ASSERT_TRUE(v);
    EXPECT_EQ(v->versionEntry, 1) << "0 is STP Compatible";
    answer.values.resize(10);
    EXPECT_FALSE(ReadBridge(answer)) << "fewer than 11 bindings";
    answer.values.resize(11);
    answer.values[0] = SnmpValue{};
    EXPECT_FALSE(ReadBridge(answer)) << "no value in the first binding";
}

TEST(StpPortApply, NegativeCostSpanningTreeOffAndTheRowLimits)
{
    const QStringList row = {"7", "128", "Forward", "Y", "200000", "", "0", "", "", "1"};
    EXPECT_EQ(DecideStpPortApply({"7", "128", "-1", false, "2", row}, {}).refusal, "Invalid Path Cost(1-200000000)");
    const StpPortDecision off = DecideStpPortApply({"7", "128", "5", false, "1", row}, Trunk78());
    EXPECT_EQ(off.refusal, "Cannot add ports with different STP configurations to an aggregated link.");
    // Spanning tree off is fine beside loopback detection.
    const StpPortDecision free = DecideStpPortApply({"7", "128", "5", false, "1", row}, {});
    ASSERT_EQ(free.bindings.size(), 3u);
    EXPECT_EQ(free.bindings[1].oid, kRstpPortPathCost + ".7");
    EXPECT_EQ(free.bindings[2].value, "2");

    struct Clamp
    {
        int row, count, expected;
        bool previous, next;
    };
    for (const Clamp& c : {Clamp{-1, 8, 0, false, true}, Clamp{3, 8, 3, true, true}, Clamp{8, 8, 7, true, false},
                           Clamp{0, 1, 0, false, false}}) {
        const StpRowPosition pos = ClampStpRow(c.row, c.count);
        EXPECT_EQ(pos.row, c.expected);
        EXPECT_EQ(pos.previous, c.previous);
        EXPECT_EQ(pos.next, c.next);
    }
}

} // namespace
