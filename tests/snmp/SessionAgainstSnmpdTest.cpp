// The session against a real agent (net-snmp's snmpd on a free loopback port):
// gets, sets, walks for v1 and every v3 user, failures, and concurrency.

#include "tests/snmp/SnmpTestUtil.h"

#include <gtest/gtest.h>

#include <thread>

using namespace kxtest;

namespace {

constexpr int kRows = 200;

class SnmpdEnvironment : public ::testing::Environment
{
public:
    static SnmpdFixture* agent;
    void SetUp() override
    {
        agent = new SnmpdFixture(kRows);
        ASSERT_TRUE(agent->start()) << "snmpd did not start";
    }
    void TearDown() override
    {
        delete agent;
        agent = nullptr;
    }
};
SnmpdFixture* SnmpdEnvironment::agent = nullptr;
const auto* const g_env = ::testing::AddGlobalTestEnvironment(new SnmpdEnvironment);

int Port()
{
    return SnmpdEnvironment::agent->port();
}

// "" is SNMPv1 with the default communities; the others are v3 users.
class EveryCredential : public ::testing::TestWithParam<std::string>
{
};

std::string CredentialName(const ::testing::TestParamInfo<std::string>& info)
{
    return info.param.empty() ? "v1" : info.param;
}

const std::vector<std::string> kCredentials = {"",       "noauth", "md5user",  "shauser",
                                               "md5des", "shades", "sha256aes"};

INSTANTIATE_TEST_SUITE_P(Snmpd, EveryCredential, ::testing::ValuesIn(kCredentials), CredentialName);

TEST_P(EveryCredential, GetsAndSetsEachTypeCode)
{
    CCommonSNMP s(SessionSettingsFor(Port(), GetParam()));
    const int n = static_cast<int>(GetParam().size()) + 10; // a value of this run's own

    ASSERT_TRUE(s.Open(SnmpPdu::Set));
    ASSERT_EQ(s.addValue(kTestInteger, SnmpType::Integer, std::to_string(-n).c_str()), 0);
    ASSERT_EQ(s.addValue(kTestGauge, SnmpType::Unsigned32, std::to_string(n * 1000).c_str()), 0);
    const std::string text = "name-" + std::to_string(n);
    ASSERT_EQ(s.addValue(kTestString, SnmpType::OctetString, text.data(),
                         static_cast<int>(text.size())),
              0);
    std::unique_ptr<CSnmp> response;
    ASSERT_EQ(s.send(response, 0), 0);
    ASSERT_TRUE(response);
    int status = -1;
    int index = -1;
    response->getErrorInfo(status, index);
    EXPECT_EQ(status, 0);

    ASSERT_TRUE(Arm(s, SnmpPdu::Get, kTestInteger));
    for (const char* oid : {kTestGauge, kTestString, "1.3.6.1.2.1.1.2.0"})
        s.addValue(oid, SnmpType::Null, nullptr);
    ASSERT_EQ(s.getNext(response, 0), 0); // a get through the table object
    ASSERT_EQ(response->getValuesCount(), 4);
    const std::pair<int, std::string> expected[] = {{SnmpType::Integer, std::to_string(-n)},
                                                    {SnmpType::Unsigned32, std::to_string(n * 1000)},
                                                    {SnmpType::OctetString, text},
                                                    {SnmpType::ObjectId, "1.3.6.1.4.1."}}; // sysObjectID, by its arc
    for (int i = 0; i < 4; ++i) {
        int type = 0;
        std::string value;
        response->getValue(i, type, value);
        EXPECT_EQ(type, expected[i].first) << i;
        EXPECT_EQ(value.substr(0, i == 3 ? 12 : std::string::npos), expected[i].second) << i;
    }
}

TEST_P(EveryCredential, WalksAColumnAndColumnsSideBySideToTheirEnd)
{
    CCommonSNMP s(SessionSettingsFor(Port(), GetParam()));
    WalkCollector w;
    EXPECT_EQ(w.walk(s, {kTestColumn}), SnmpResult::EndOfTable);
    ASSERT_EQ(w.rows.size(), static_cast<std::size_t>(kRows));
    for (int r = 0; r < kRows; ++r) {
        EXPECT_EQ(w.rows[r][0], std::to_string(r + 1)); // in order, none lost, none twice
        EXPECT_EQ(w.suffixes[r][0], "." + std::to_string(r + 1) + ".0");
    }
    EXPECT_EQ(w.stale, 0);

    // Columns side by side.
    EXPECT_EQ(w.walk(s, {"1.3.6.1.2.1.2.2.1.1", "1.3.6.1.2.1.2.2.1.2", "1.3.6.1.2.1.2.2.1.3"}),
              SnmpResult::EndOfTable);
    ASSERT_FALSE(w.rows.empty()); // the loopback interface at least
    for (std::size_t r = 0; r < w.rows.size(); ++r) {
        ASSERT_EQ(w.rows[r].size(), 3u);
        EXPECT_EQ(w.suffixes[r][0], "." + w.rows[r][0]);
        EXPECT_EQ(w.suffixes[r][1], w.suffixes[r][0]);
        EXPECT_EQ(w.suffixes[r][2], w.suffixes[r][0]);
    }
}

TEST_P(EveryCredential, SingleGetNextStepsAndEnds)
{
    CCommonSNMP s(SessionSettingsFor(Port(), GetParam()));
    ASSERT_TRUE(Arm(s, SnmpPdu::GetNext, kTestColumn));
    std::unique_ptr<CSnmp> response;
    for (int row = 1; row <= 2; ++row) {
        ASSERT_EQ(s.getNext(response, 0), 0);
        std::string suffix;
        EXPECT_EQ(s.getSuffix(0, response.get(), suffix), 0);
        EXPECT_EQ(suffix, "." + std::to_string(row) + ".0");
        EXPECT_EQ(ValueOf(*response, 0), std::to_string(row));
    }

    // One object under the subtree: the second step leaves it.
    ASSERT_TRUE(Arm(s, SnmpPdu::GetNext, "1.3.6.1.4.1.99999.1.3"));
    ASSERT_EQ(s.getNext(response, 0), 0);
    std::string oid;
    response->getOid(0, oid);
    EXPECT_EQ(oid, kTestString);
    EXPECT_EQ(s.getNext(response, 0), SnmpResult::EndOfTable);
    EXPECT_FALSE(response);
    // A plain send of the same request is no walk step: the next object comes back as is.
    ASSERT_EQ(s.send(response, 0), 0);
    response->getOid(0, oid);
    EXPECT_EQ(oid, std::string(kTestColumn) + ".1.0");
}

TEST_P(EveryCredential, ACallbackMayReopenItsOwnSessionForTheNextWalk)
{
    CCommonSNMP s(SessionSettingsFor(Port(), GetParam()));
    struct Chain
    {
        CCommonSNMP* session;
        std::atomic<int> steps{0};
        std::atomic<int> rows{0};
        static void Step(std::unique_ptr<CSnmp>, int id, void* ctx, int status)
        {
            auto* c = static_cast<Chain*>(ctx);
            if (!c->session->TakePending(id))
                return;
            if (status == 0) {
                ++c->rows;
                c->session->getNext(&Chain::Step, c, 0);
                return;
            }
            if (++c->steps == 3) {
                c->session->SetWalkDone();
                return;
            }
            // Walk the next table on the same session, from the callback.
            Arm(*c->session, SnmpPdu::GetNext, kTestColumn);
            c->session->getNext(&Chain::Step, c, 0);
        }
    } chain{&s};
    ASSERT_TRUE(Arm(s, SnmpPdu::GetNext, kTestColumn));
    s.getNext(&Chain::Step, &chain, 0);
    ASSERT_TRUE(WaitFor([&] { return chain.steps == 3; }, std::chrono::seconds(20)));
    EXPECT_EQ(chain.rows, 3 * kRows);
}

TEST(SessionFailures, BadCredentialsAndDeadAgentsFailWithinTheTimeOut)
{
    struct Case
    {
        const char* name;
        SessionSettings settings;
    };
    // The agent's settings for `user`, 500 ms to answer, changed by `change`.
    const auto with = [](const std::string& user, auto change) {
        SessionSettings s = SessionSettingsFor(Port(), user, 500);
        change(s);
        return s;
    };
    const std::vector<Case> cases = {
        {"wrong community", with("", [](auto& s) { s.ReadCommunity = "nobody"; })},
        {"wrong auth password", with("md5user", [](auto& s) { s.AuthPassword = "not-the-password"; })},
        {"wrong privacy password", with("shades", [](auto& s) { s.PrivPassword = "not-the-password"; })},
        {"unknown user", with("noauth", [](auto& s) { s.SecurityName = "stranger"; })},
        {"no agent v1", SessionSettingsFor(FreeUdpPort(), "", 500)},
        {"no agent v3", SessionSettingsFor(FreeUdpPort(), "shades", 500)},
        {"empty address", with("", [](auto& s) { s.DeviceAddress.clear(); })},
        // The agent is at localhost: an answer would mean the name was looked up.
        {"v1 host name", with("", [](auto& s) { s.DeviceAddress = "localhost"; })},
        {"v3 host name", with("shades", [](auto& s) { s.DeviceAddress = "localhost"; })},
    };

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CCommonSNMP s(c.settings);
        ASSERT_TRUE(Arm(s, SnmpPdu::Get));
        std::unique_ptr<CSnmp> response;
        auto start = std::chrono::steady_clock::now();
        EXPECT_NE(s.send(response, 0), 0);
        EXPECT_FALSE(response);
        EXPECT_LT(ElapsedMs(start), 500 + 700);

        // A walk ends through its callback, with an error status.
        start = std::chrono::steady_clock::now();
        WalkCollector w;
        const int end = w.walk(s, {"1.3.6.1.2.1.1"}, 5000);
        EXPECT_NE(end, 0);
        EXPECT_NE(end, SnmpResult::EndOfTable);
        EXPECT_LT(ElapsedMs(start), 500 + 700);
    }
}

TEST(SessionFailures, CorrectCredentialsStillWorkAfterWrongOnesOfTheSameUser)
{
    SessionSettings wrong = SessionSettingsFor(Port(), "shauser", 500);
    wrong.AuthPassword = "wrong-password";
    CCommonSNMP bad(wrong);
    CCommonSNMP good(SessionSettingsFor(Port(), "shauser", 2000));
    for (CCommonSNMP* s : {&good, &bad, &good})
        EXPECT_EQ(GetSysName(*s) == 0, s == &good);
}

TEST(SessionSecurity, PrivacyWithoutAProtocolOfItsOwnGoesOutAsAuthNoPriv)
{
    // Level 3 asks for privacy, but a privacy code that names no protocol ("1",
    // or one the engine does not know) leaves the request authenticated only:
    // an authNoPriv user answers it, and no request goes out unencrypted as if
    // it were private.
    // With DES ("2") the request is private, which this user cannot answer.
    for (const char* code : {"1", "3", "9", "2"}) {
        SCOPED_TRACE(code);
        SessionSettings s = SessionSettingsFor(Port(), "shauser", *code == '2' ? 500 : 2000);
        s.SecurityLevel = "3";
        s.PrivProtocol = code;
        s.PrivPassword = "whatever-password";
        CCommonSNMP session(s);
        EXPECT_EQ(GetSysName(session) == 0, *code != '2');
    }
}

TEST(SessionConcurrency, ManySessionsWalkAtOnceFromSeveralThreads)
{
    constexpr int kThreads = 8;
    std::vector<std::thread> threads;
    std::atomic<int> failures{0};
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([t, &failures] {
            const std::string user = t % 2 ? "" : kCredentials[1 + (t / 2) % 6];
            CCommonSNMP s(SessionSettingsFor(Port(), user));
            for (int round = 0; round < 3; ++round) {
                WalkCollector w;
                const int end = w.walk(s, {kTestColumn});
                bool ok = end == SnmpResult::EndOfTable && w.rows.size() == kRows && w.stale == 0;
                for (int r = 0; ok && r < kRows; ++r)
                    ok = w.rows[r][0] == std::to_string(r + 1);
                if (!ok)
                    ++failures;
            }
        });
    }
    for (auto& th : threads)
        th.join();
    EXPECT_EQ(failures, 0);
}

TEST(SessionConcurrency, GetsOnOneSessionWhileAnotherWalks)
{
    CCommonSNMP walker(SessionSettingsFor(Port(), "shades"));
    CCommonSNMP getter(SessionSettingsFor(Port(), "shades"));
    WalkCollector w;
    w.session = &walker;
    ASSERT_TRUE(Arm(walker, SnmpPdu::GetNext, kTestColumn));
    walker.getNext(&WalkCollector::Step, &w, 0);
    int gets = 0;
    for (; !walker.IsWalkDone(); ++gets)
        ASSERT_EQ(GetSysName(getter), 0);
    EXPECT_GT(gets, 0);
    EXPECT_EQ(w.rows.size(), static_cast<std::size_t>(kRows));
}

} // namespace
