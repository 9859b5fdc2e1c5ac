// The session's contract where timing and misbehaving agents decide: calls that
// must fail at once, time-outs, Close with steps in flight, stale and duplicate
// answers. The agent is a fake UDP responder of the test's own.

#include "tests/snmp/FakeAgent.h"
#include "tests/snmp/SnmpTestUtil.h"

#include <gtest/gtest.h>

#include <thread>

using namespace kxtest;

namespace {

struct Counter
{
    CCommonSNMP* session = nullptr;
    std::atomic<int> calls{0};
    std::atomic<int> taken{0};
    std::atomic<int> lastStatus{1};

    static void Step(std::unique_ptr<CSnmp>, int requestId, void* context, int status)
    {
        auto* c = static_cast<Counter*>(context);
        ++c->calls;
        c->lastStatus = status;
        if (c->session->TakePending(requestId))
            ++c->taken;
        c->session->SetWalkDone();
    }
};

TEST(SessionContract, RefusedCallsReturnAtOnceAndSendNothing)
{
    FakeAgent agent(FakeAgent::Mode::Echo);
    CCommonSNMP s(SessionSettingsFor(agent.port()));

    auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(s.Open(2));
    std::unique_ptr<CSnmp> response;
    EXPECT_EQ(s.send(response, 0), -1);
    EXPECT_EQ(s.addValue("1.3.6.1.2.1.1.5.0", SnmpType::Null, nullptr), -1);
    // The same for an SNMPv3 session (Open sends nothing, no agent needed).
    CCommonSNMP v3(SessionSettingsFor(agent.port(), "shades"));
    EXPECT_FALSE(v3.Open(2));
    EXPECT_EQ(v3.send(response, 0), -1);

    ASSERT_TRUE(s.Open(SnmpPdu::Get));
    EXPECT_EQ(s.send(response, 0), -1); // no binding
    EXPECT_EQ(s.getNext(response, 0), -1);
    Counter c;
    c.session = &s;
    EXPECT_EQ(s.getNext(&Counter::Step, &c, 0), -1);
    EXPECT_TRUE(s.IsWalkDone());
    EXPECT_LT(ElapsedMs(start), 200);

    EXPECT_EQ(s.addValue("1.3.6.1.2.1.1.5.x", SnmpType::Null, nullptr), -1);
    EXPECT_EQ(s.addValue("1.3.6.1.2.1.1.5.0", SnmpType::Integer, "twelve"), -1);
    EXPECT_EQ(s.addValue("1.3.6.1.2.1.1.5.0", SnmpType::IpAddress, "10.0.0.256"), -1);
    EXPECT_EQ(s.addValue("1.3.6.1.2.1.1.5.0", SnmpType::Unsigned32, "-1"), -1);
    EXPECT_EQ(s.addValue("1.3.6.1.2.1.1.5.0", 3, "x"), -1);
    EXPECT_EQ(s.send(response, 0), -1);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(agent.received(), 0);

    SessionSettings v2 = SessionSettingsFor(agent.port());
    v2.SnmpVersion = "2";
    CCommonSNMP other(v2);
    EXPECT_FALSE(other.Open(SnmpPdu::Get));
}

TEST(SessionContract, EveryTypeCodeIsEncodedAsTheAgentExpects)
{
    FakeAgent agent(FakeAgent::Mode::Echo); // answers with what it received
    CCommonSNMP s(SessionSettingsFor(agent.port()));
    ASSERT_TRUE(s.Open(SnmpPdu::Set));
    const char octets[] = {'\xc0', '\0', '\0', '\x01'};
    const std::string arc = "1.3.6.1.4.1.99999.10.75.13.";
    const struct
    {
        std::string oid;
        int type;
        std::string value; // with a NUL: given with its length
    } bindings[] = {
        {arc + "7.7.1.1.3", SnmpType::Unsigned32, "4094"},
        {arc + "8.1.3.1.2.1", SnmpType::OctetString, std::string(octets, 4)},
        {arc + "8.1.3.1.3.1", SnmpType::Integer, "-2147483648"},
        {arc + "16.1.1.0", SnmpType::IpAddress, "192.168.0.10"},
        {arc + "25.2.1.1.1.5.4.117.115.101.114.3", SnmpType::OctetString, "naïve"},
    };
    for (const auto& b : bindings)
        ASSERT_EQ(b.value.find('\0') == std::string::npos
                      ? s.addValue(b.oid, b.type, b.value.c_str())
                      : s.addValue(b.oid, b.type, b.value.data(), static_cast<int>(b.value.size())),
                  0)
            << b.oid;
    std::unique_ptr<CSnmp> response;
    ASSERT_EQ(s.send(response, 0), 0);
    ASSERT_EQ(response->getValuesCount(), 5);
    for (int i = 0; i < 5; ++i) {
        int type = 0;
        std::string value;
        int length = 0;
        ASSERT_EQ(response->getValue(i, type, value, length), 0);
        EXPECT_EQ(type, bindings[i].type) << i;
        EXPECT_EQ(value, bindings[i].value) << i;
        EXPECT_EQ(length, static_cast<int>(bindings[i].value.size()));
    }
    int type = 0;
    std::string value;
    EXPECT_EQ(response->getValue(5, type, value), -1);
    EXPECT_EQ(response->getValue(-1, type, value), -1);
    // The write community goes with a set; the bytes on the wire say so.
    const auto sent = agent.lastRequest();
    const std::string wire(sent.begin(), sent.end());
    EXPECT_NE(wire.find("merudos"), std::string::npos);
}

TEST(SessionContract, AgentErrorsArriveInsideTheResponse)
{
    FakeAgent agent(FakeAgent::Mode::ErrorStatus);
    agent.setErrorStatus(12); // inconsistentValue
    CCommonSNMP s(SessionSettingsFor(agent.port()));
    ASSERT_TRUE(s.Open(SnmpPdu::Set));
    s.addValue("1.3.6.1.4.1.99999.10.75.13.1.10.0", SnmpType::Integer, "1");
    std::unique_ptr<CSnmp> response;
    ASSERT_EQ(s.send(response, 0), 0);
    int status = 0, index = 0;
    response->getErrorInfo(status, index);
    EXPECT_EQ(status, 12);
    EXPECT_EQ(index, 1);

    // In a walk, a v1 noSuchName is the end of the table; other errors are errors.
    agent.setErrorStatus(2);
    WalkCollector w;
    EXPECT_EQ(w.walk(s, {"1.3.6.1.2.1.2.2.1.2"}), SnmpResult::EndOfTable);
    agent.setErrorStatus(5);
    EXPECT_EQ(w.walk(s, {"1.3.6.1.2.1.2.2.1.2"}), SnmpResult::Failed);
}

TEST(SessionContract, TimeoutZeroMeansTheSessionTimeout)
{
    FakeAgent agent(FakeAgent::Mode::Silent);
    CCommonSNMP s(SessionSettingsFor(agent.port(), "", 600));
    ASSERT_TRUE(Arm(s, SnmpPdu::Get));
    for (const int timeout : {0, 200}) {
        const int expected = timeout ? timeout : 600;
        std::unique_ptr<CSnmp> response;
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(s.send(response, timeout), -1);
        EXPECT_GE(ElapsedMs(start), expected - 50) << timeout;
        EXPECT_LT(ElapsedMs(start), expected + 500) << timeout;
    }
    EXPECT_EQ(agent.received(), 2); // no retries
}

TEST(SessionContract, NoCallbackAfterCloseAndNoWalkUntilOpen)
{
    FakeAgent agent(FakeAgent::Mode::Echo);
    agent.setDelay(std::chrono::milliseconds(300));
    CCommonSNMP s(SessionSettingsFor(agent.port(), "", 2000));
    Counter c;
    c.session = &s;
    ASSERT_TRUE(Arm(s, SnmpPdu::Get));
    s.getNext(&Counter::Step, &c, 0);

    // Close does not wait out the step in flight, and its answer is dropped.
    auto start = std::chrono::steady_clock::now();
    s.Close();
    EXPECT_LT(ElapsedMs(start), 250);
    EXPECT_TRUE(s.IsWalkDone());
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    EXPECT_EQ(c.calls, 0);

    // Cancelled until the next Open: no step starts, walk-done is signalled.
    EXPECT_EQ(s.getNext(&Counter::Step, &c, 0), -1);
    EXPECT_TRUE(s.IsWalkDone());
    ASSERT_TRUE(Arm(s, SnmpPdu::Get));
    EXPECT_EQ(s.getNext(&Counter::Step, &c, 0), 0);
    EXPECT_TRUE(s.WaitWalkDone(3000));
    EXPECT_EQ(c.calls, 1);
    EXPECT_EQ(c.taken, 1);
    EXPECT_EQ(c.lastStatus, 0);
}

TEST(SessionContract, CloseEndsAV3WalkWithoutWaitingForItsStep)
{
    FakeAgent agent(FakeAgent::Mode::Silent);
    CCommonSNMP s(SessionSettingsFor(agent.port(), "shades", 1000));
    Counter c;
    c.session = &s;
    ASSERT_TRUE(Arm(s, SnmpPdu::GetNext, "1.3.6.1.2.1.1"));
    s.getNext(&Counter::Step, &c, 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    auto start = std::chrono::steady_clock::now();
    s.Close();
    EXPECT_LT(ElapsedMs(start), 250);
    std::this_thread::sleep_for(std::chrono::milliseconds(1200));
    EXPECT_EQ(c.calls, 0);
}

TEST(SessionContract, AnEarlierWalkNeverReachesACallbackAfterOpen)
{
    FakeAgent agent(FakeAgent::Mode::Echo);
    agent.setDelay(std::chrono::milliseconds(200));
    CCommonSNMP s(SessionSettingsFor(agent.port(), "", 2000));
    Counter first, second;
    first.session = second.session = &s;
    ASSERT_TRUE(Arm(s, SnmpPdu::Get));
    s.getNext(&Counter::Step, &first, 0);
    ASSERT_TRUE(Arm(s, SnmpPdu::Get, "1.3.6.1.2.1.1.6.0"));
    s.getNext(&Counter::Step, &second, 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(700));
    EXPECT_EQ(first.calls, 0);
    EXPECT_EQ(second.calls, 1);
    EXPECT_EQ(second.taken, 1);
}

TEST(SessionContract, AFastAnswerIsNeverMistakenForAStaleOne)
{
    // Loopback answers arrive within microseconds; each id must be pending by then.
    FakeAgent agent(FakeAgent::Mode::Echo);
    CCommonSNMP s(SessionSettingsFor(agent.port()));
    Counter c;
    c.session = &s;
    for (int i = 0; i < 300; ++i) {
        ASSERT_TRUE(Arm(s, SnmpPdu::Get));
        ASSERT_EQ(s.getNext(&Counter::Step, &c, 0), 0);
        ASSERT_TRUE(s.WaitWalkDone(3000));
    }
    EXPECT_EQ(c.calls, 300);
    EXPECT_EQ(c.taken, 300);
}

TEST(SessionContract, GarbageWrongIdsAndDuplicatesAreSurvived)
{
    struct Case
    {
        FakeAgent::Mode mode;
        int expect; // result of a send
    };
    for (const Case& k : {Case{FakeAgent::Mode::Garbage, -1}, Case{FakeAgent::Mode::WrongId, -1},
                          Case{FakeAgent::Mode::Twice, 0}}) {
        SCOPED_TRACE(static_cast<int>(k.mode));
        FakeAgent agent(k.mode);
        CCommonSNMP s(SessionSettingsFor(agent.port(), "", 400));
        EXPECT_EQ(GetSysName(s), k.expect);

        Counter c;
        c.session = &s;
        for (int i = 0; i < 5; ++i) {
            ASSERT_TRUE(Arm(s, SnmpPdu::Get));
            s.getNext(&Counter::Step, &c, 0);
            ASSERT_TRUE(s.WaitWalkDone(3000));
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        EXPECT_EQ(c.calls, 5); // exactly once per step
        EXPECT_EQ(c.taken, 5);
        EXPECT_EQ(c.lastStatus, k.expect);
    }
}

TEST(SessionContract, AStepAnsweredWithFewerBindingsThanAskedFails)
{
    // The answer is a row of the first column but leaves the second one out:
    // taken as a row, the request could not move on and the walk would ask the
    // same step for ever.
    FakeAgent agent(FakeAgent::Mode::OneBinding);
    CCommonSNMP s(SessionSettingsFor(agent.port(), "", 400));
    ASSERT_TRUE(s.Open(SnmpPdu::GetNext));
    ASSERT_EQ(s.addValue("1.3.6.1.2.1.2.2.1.2", SnmpType::Null, nullptr), 0);
    ASSERT_EQ(s.addValue("1.3.6.1.2.1.2.2.1.3", SnmpType::Null, nullptr), 0);
    std::unique_ptr<CSnmp> response;
    EXPECT_EQ(s.getNext(response, 0), -1);
    EXPECT_EQ(response, nullptr);

    // The same request with one column is a row: the agent's answer is sound.
    ASSERT_TRUE(Arm(s, SnmpPdu::GetNext, "1.3.6.1.2.1.2.2.1.2"));
    ASSERT_EQ(s.getNext(response, 0), 0);
    std::string suffix;
    EXPECT_EQ(s.getSuffix(0, response.get(), suffix), 0);
    EXPECT_EQ(suffix, ".1");
}

TEST(SessionContract, AWalkWhoseAgentDoesNotMoveOnEndsAsAnError)
{
    // An agent that answers the OID it gave last, or one before it, would be
    // walked for ever: every user of the session (dialogs, panel, kxsnmp) stops.
    for (const FakeAgent::Mode mode : {FakeAgent::Mode::RepeatOid, FakeAgent::Mode::ReverseOid}) {
        SCOPED_TRACE(static_cast<int>(mode));
        FakeAgent agent(mode);
        CCommonSNMP s(SessionSettingsFor(agent.port(), "", 400));
        WalkCollector w;
        EXPECT_EQ(w.walk(s, {"1.3.6.1.2.1.2.2.1.2"}), SnmpResult::Failed);
        EXPECT_EQ(w.rows.size(), 1u);
        EXPECT_EQ(agent.received(), 2);

        // Step by step the same: the first step is a row, the next an error.
        ASSERT_TRUE(Arm(s, SnmpPdu::GetNext, "1.3.6.1.2.1.2.2.1.2"));
        std::unique_ptr<CSnmp> response;
        EXPECT_EQ(s.getNext(response, 0), 0);
        EXPECT_EQ(s.getNext(response, 0), SnmpResult::Failed);
        EXPECT_EQ(response, nullptr);
    }
}

TEST(SessionContract, EachV3StepIsTraced)
{
    TraceCapture trace;
    FakeAgent agent(FakeAgent::Mode::Silent);
    CCommonSNMP s(SessionSettingsFor(agent.port(), "noauth", 200));
    Counter c;
    c.session = &s;
    ASSERT_TRUE(Arm(s, SnmpPdu::GetNext, "1.3.6.1.2.1.1"));
    s.getNext(&Counter::Step, &c, 0);
    ASSERT_TRUE(s.WaitWalkDone(3000));
    EXPECT_EQ(trace.linesStartingWith("getNext"), (std::vector<std::string>{"getNext begin", "getNext end"}));
    EXPECT_EQ(c.calls, 1);
    EXPECT_EQ(c.lastStatus, -1);
}

} // namespace
