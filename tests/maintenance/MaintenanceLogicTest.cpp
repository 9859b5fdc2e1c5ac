// The viewers' renderings and the transfer's decisions, on answers made in memory.

#include "core/maintenance/MibViewers.h"
#include "core/maintenance/TransferLogic.h"

#include <gtest/gtest.h>

using namespace kx::maintenance;

namespace {

TEST(MibRenderings, ValuesReadAsTheViewersShowThem)
{
    struct Case
    {
        QString (*render)(const QString&);
        const char* value;
        const char* shown;
    };
    const Case cases[] = {
        {&SpeedText, "10000000", "10M"},      {&SpeedText, "100000000", "100M"},
        {&SpeedText, "1000000000", "1000M"},  {&SpeedText, "4294967295", "4294M"},
        {&SpeedText, "999999", "0M"},         {&LinkStatusText, "1", "Connected"},
        {&LinkStatusText, "2", "UnConnected"}, {&LinkStatusText, "3", "Test"},
        {&LinkStatusText, "5", "Unknown"},    {&TcpStateText, "1", "closed"},
        {&TcpStateText, "2", "listen"},       {&TcpStateText, "12", "deleteTCB"},
        {&TcpStateText, "13", "closed"},      {&FdbStatusText, "3", "Learn"},
        {&FdbStatusText, "5", "Static"},      {&FdbStatusText, "7", "7"},
        {&FdbStatusText, "", ""},             {&RuntimeText, "0", "0 Hour 0 Min"},
        {&RuntimeText, "365999", "1 Hour 0 Min"}, {&RuntimeText, "366000", "1 Hour 1 Min"},
        {&RuntimeText, "4294967295", "11930 Hour 27 Min"},
        {&MacFromFdbIndex, "1.0.27.33.0.0.1", "00-1B-21-00-00-01"},
        {&MacFromFdbIndex, "4094.255.255.255.255.255.254", "FF-FF-FF-FF-FF-FE"},
        {&MacFromFdbIndex, "1.0.27.33.0.1", "1.0.27.33.0.1"},   // too short: as it came
        {&MacFromFdbIndex, "1.0.27.33.0.0.256", "1.0.27.33.0.0.256"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.render(QString::fromLatin1(c.value)), QString::fromLatin1(c.shown)) << c.value;
}

TEST(MibRenderings, PortFilterKeepsOnlyItsPortAndSystemTextsAreCheckedNameFirst)
{
    EXPECT_TRUE(FdbPortFilterKeeps("", "3"));
    EXPECT_TRUE(FdbPortFilterKeeps("2", "2"));
    EXPECT_FALSE(FdbPortFilterKeeps("2", "12"));
    EXPECT_EQ(CheckSystemInfo("core.sw", "lab,1"), "Invalid System Name.");
    EXPECT_EQ(CheckSystemInfo("core-sw", "lab,1"), "Invalid System Location.");
    EXPECT_EQ(CheckSystemInfo("core-sw", "Lab 1"), "");
    const auto bindings = SystemInfoBindings(QString(200, QLatin1Char('n')), "Lab");
    ASSERT_EQ(bindings.size(), 2u);
    EXPECT_EQ(bindings[0].oid, kSysName);
    EXPECT_EQ(bindings[0].value.size(), 127); // within the 128-byte buffer
    EXPECT_EQ(bindings[1].oid, kSysLocation);
}

TEST(TransferInput, ServerAndFileChecks)
{
    struct Case
    {
        int filled;
        const char* server;
        bool refused;
    };
    const Case cases[] = {{4, "10.0.0.1", false},    {4, "192.168.0.255", true}, {4, "0.1.2.3", true},
                          {4, "255.1.2.3", true},    {4, "10.1.2.0", true},      {4, "0.0.0.0", true},
                          {3, "10.0.0.1", true},     {4, "10.0.255.1", false}};
    for (const Case& c : cases)
        EXPECT_EQ(CheckServer(c.filled, c.server), c.refused ? "Invalid TFTP server IP." : "") << c.server;
    EXPECT_EQ(CheckFile(""), "Invalid file.");
    EXPECT_EQ(CheckFile("kx.bin"), "");
}

// A status answer: a value, "T" no answer, "E" an error status, "X" an exception.
kx::GetResult Answer(const std::string& what)
{
    kx::GetResult r;
    if (what == "T")
        return r;
    r.status = 0;
    if (what == "E")
        r.errorStatus = 5;
    else if (what == "X")
        r.values.push_back({SnmpType::NoSuchObject, {}});
    else
        r.values.push_back({SnmpType::Integer, QByteArray::fromStdString(what)});
    return r;
}

TEST(TransferRun, StatusAnswersDecideTheNextReadAndTheEnd)
{
    struct Case
    {
        TransferKind kind;
        std::vector<std::string> answers;
        const char* end; // the message of the last answer, "" when the run goes on
        int lastPoll;    // of the last answer when it goes on
        int unanswered;
    };
    const auto F = TransferKind::Firmware;
    const auto C = TransferKind::Configuration;
    const Case cases[] = {
        {C, {"4", "3", "0"}, "Success!", -1, 0},
        {F, {"3", "1"}, "Success!", -1, 0},
        {F, {"4", "2"}, "Firmware Upgrade Fail !", -1, 0},
        {C, {"2"}, "Config Restore Fail !", -1, 0},
        {C, {"T", "T", "T"}, "", 3000, 3},
        {C, {"T", "T", "T", "T"}, "Get Config BackUp/Upgrade status Time Out !", -1, 4},
        {F, {"4", "T", "T", "T", "T"}, "Get Firmware BackUp/Upgrade status Time Out !", -1, 4},
        {C, {"T", "T", "T", "4", "T", "T", "T"}, "", 3000, 3}, // an answer starts the count again
        {C, {"3", "T", "T", "T", "T", "T"}, "", 3000, 0},      // after "3": retried without limit
        {C, {"9"}, "", 1500, 0},                               // unknown: read again like "4"
        {C, {"4"}, "", 1500, 0},
        {C, {"3"}, "", 5000, 0},
        {C, {"T", "E"}, "Get Info Fail !", -1, 0},
        {F, {"X"}, "Get Info Fail !", -1, 0},
    };
    for (const Case& c : cases) {
        TransferRun run(c.kind, true, TransferTimings());
        kx::maintenance::TransferStep step;
        for (const std::string& a : c.answers) {
            ASSERT_FALSE(run.finished());
            step = run.statusAnswered(Answer(a));
        }
        const std::string trail = ::testing::PrintToString(c.answers);
        EXPECT_EQ(step.message, c.end) << trail;
        EXPECT_EQ(step.ends, *c.end != 0) << trail;
        EXPECT_EQ(step.success, step.message == "Success!") << trail;
        EXPECT_EQ(step.pollInMs, c.lastPoll) << trail;
        EXPECT_EQ(run.unanswered(), c.unanswered) << trail;
        // Nothing arrives after the end.
        if (step.ends) {
            EXPECT_FALSE(run.statusAnswered(Answer("0")).ends);
        }
    }
}

TEST(TransferRun, StatusIsReadOnceTheOperationIsTakenAndTheBoundPrecedesTheOverallTimeOut)
{
    const kx::SetResult taken{0, 0, 0};
    TransferRun firmware(TransferKind::Firmware, true, TransferTimings());
    auto step = firmware.operationSent();
    EXPECT_EQ(step.pollInMs, -1);
    EXPECT_EQ(step.overallInMs, 180000); // the bound, for both kinds
    EXPECT_EQ(firmware.operationAnswered(taken).pollInMs, 15000);
    EXPECT_EQ(firmware.statusAnswered(Answer("3")).overallInMs, 180000);
    EXPECT_EQ(firmware.overallElapsed().message, "Time out! Please check TFTP Server IP and network.");

    TransferRun config(TransferKind::Configuration, false, TransferTimings());
    EXPECT_EQ(config.operationSent().overallInMs, 180000);
    EXPECT_EQ(config.operationAnswered(taken).pollInMs, 3000);
    EXPECT_EQ(config.statusAnswered(Answer("4")).overallInMs, -1);
    EXPECT_EQ(config.statusAnswered(Answer("3")).overallInMs, 50000);
    EXPECT_EQ(config.statusAnswered(Answer("3")).overallInMs, 50000); // restarted at every "3"
    EXPECT_TRUE(config.overallElapsed().message.startsWith("Time out! Please check TFTP Server IP and network.\n You"));
    EXPECT_FALSE(config.overallElapsed().ends); // once
}

TEST(TransferRun, SetsThatFailEndWithTheirTimeOutTextAndTheBarStopsBelow90)
{
    kx::SetResult lost;
    kx::SetResult refused{0, 10, 1};
    kx::SetResult taken{0, 0, 0};
    for (const kx::SetResult& bad : {lost, refused}) {
        TransferRun a(TransferKind::Firmware, true, TransferTimings());
        EXPECT_EQ(a.fileSet(bad).message, "Setting file name TimeOut !");
        TransferRun b(TransferKind::Firmware, true, TransferTimings());
        EXPECT_FALSE(b.fileSet(taken).ends);
        EXPECT_EQ(b.operationAnswered(bad).message, "Setting operation TimeOut !");
        EXPECT_FALSE(b.operationAnswered(bad).ends); // a late answer after the end
    }

    TransferRun run(TransferKind::Configuration, false, TransferTimings());
    std::vector<int> bar;
    for (int position; (position = run.tick()) >= 0;)
        bar.push_back(position);
    ASSERT_EQ(bar.size(), 45u);
    EXPECT_EQ(bar.front(), 1);
    EXPECT_EQ(bar.back(), 89);
    TransferRun ended(TransferKind::Configuration, false, TransferTimings());
    ended.statusAnswered(Answer("0"));
    EXPECT_EQ(ended.tick(), -1);
}

} // namespace
