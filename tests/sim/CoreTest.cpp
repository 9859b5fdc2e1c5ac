// The simulator's core without sockets: the profile format, the phases of a
// SET (validate, apply, undo), saved configurations, the command line, control
// commands and time windows.

#include "sim/Control.h"
#include "sim/Device.h"
#include "sim/EventLoop.h"
#include "sim/Options.h"
#include "sim/model/Model.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include <sys/stat.h>

namespace kxsim {
namespace {

class ManualScheduler : public Scheduler
{
public:
    double now() const override { return m_now; }
    std::uint64_t after(double seconds, std::function<void()> fn) override
    {
        m_timers[++m_id] = {m_now + seconds, std::move(fn)};
        return m_id;
    }
    void cancel(std::uint64_t id) override { m_timers.erase(id); }
    void advance(double seconds)
    {
        m_now += seconds;
        for (bool ran = true; ran;) {
            ran = false;
            for (auto it = m_timers.begin(); it != m_timers.end(); ++it)
                if (it->second.first <= m_now) {
                    auto fn = std::move(it->second.second);
                    m_timers.erase(it);
                    fn();
                    ran = true;
                    break;
                }
        }
    }

private:
    double m_now = 0;
    std::uint64_t m_id = 0;
    std::map<std::uint64_t, std::pair<double, std::function<void()>>> m_timers;
};

Write W(const Oid& oid, Value v, int index = 1)
{
    return Write{oid, std::move(v), index};
}

TEST(ProfileTest, RefusesMalformedProfiles)
{
    const std::string head = "define P 1.3.6.1.4.1.99999\nserve P\n";
    struct Case
    {
        const char* what;
        std::string body;
        std::string error; // part of the message
    };
    const std::vector<Case> cases = {
        {"row without every column", "table P.1.1 index=int\ncolumn 1 i R 0\ncolumn 2 i W 0\nP.1.1.1.1 i R 1\n",
         "lacks column 2"},
        {"object outside the served subtrees", "1.3.6.1.2.1.1.1.0 s R x\n", "not under a served subtree"},
        {"cell of an unknown column", "table P.1.1 index=int\ncolumn 1 i R 0\nP.1.1.3.1 i R 1\n", "no such column"},
        {"index of the wrong shape", "table P.1.1 index=ip\ncolumn 1 i R 0\nP.1.1.1.1 i R 1\n", "index does not fit"},
        {"access unlike the column", "table P.1.1 index=int\ncolumn 1 i W 0\nP.1.1.1.1 i R 1\n", "access differs"},
        {"bad value", "P.2.0 i R x\n", "bad value"},
        {"bad type", "P.2.0 q R 1\n", "bad type"},
        {"unterminated scenario", "scenario s\nP.2.0 i R 1\n", "has no end"},
        {"bad world line", "sim cable 2 1G\n", "cable"},
        {"status column missing", "table P.1.1 index=int status=5\ncolumn 1 i C 0\n", "no status column"},
        {"status column not a number", "table P.1.1 index=int status=x\ncolumn 1 i C 0\n",
         "line 3: bad status column x"},
        {"row limit not a number", "table P.1.1 index=int max=many\ncolumn 1 i C 0\n", "line 3: bad row limit many"},
        {"nothing to serve", "# objects to come\n", "serves no objects"},
    };
    for (const auto& c : cases) {
        Profile p;
        const std::string err = LoadProfile(head + c.body, ProfileContext{}, p);
        EXPECT_NE(err.find(c.error), std::string::npos) << c.what << ": got \"" << err << "\"";
    }
}

TEST(ProfileTest, ShippedProfileLoadsForEveryPortCount)
{
    for (int ports : {4, 8, 10, 16, 24, 28, 48, 52}) {
        ProfileContext ctx;
        ctx.ports = ports;
        ctx.portListLen = ports <= 32 ? 4 : 8;
        Profile p;
        EXPECT_EQ(LoadProfile(BuiltinProfile(), ctx, p), "") << ports;
    }
}

TEST(SyntaxTest, Constraints)
{
    struct Case
    {
        std::string syntax;
        Value value;
        Err expected;
    };
    const std::vector<Case> cases = {
        {"i(0..61440/4096)", Value::Int(8192), Err::NoError},
        {"i(0..61440/4096)", Value::Int(8191), Err::WrongValue},
        {"i(0|2..4094)", Value::Int(1), Err::WrongValue},
        {"i(0|2..4094)", Value::Int(0), Err::NoError},
        {"i(1|2)", Value::Unsigned(1), Err::WrongType},
        {"s(..3)", Value::Octets("abcd"), Err::WrongLength},
        {"s(..2c)", Value::Octets("\xc3\xa4\xc3\xb6"), Err::NoError}, // two characters, four octets
        {"s(..2c)", Value::Octets("\xff"), Err::WrongValue},         // not UTF-8
        {"x(6)", Value::Octets("12345"), Err::WrongLength},
        {"pl", Value::Octets(std::string("\xff\x00\x00\x00", 4)), Err::NoError},
        {"pl", Value::Octets(std::string("\x00\x80\x00\x00", 4)), Err::WrongValue}, // port 9 of 8
        {"pl", Value::Octets(std::string("\xff\x00", 2)), Err::WrongLength},
    };
    for (const auto& c : cases) {
        auto syntax = ParseSyntax(c.syntax);
        ASSERT_TRUE(syntax) << c.syntax;
        EXPECT_EQ(syntax->check(c.value, 4, 8), c.expected)
            << c.syntax << " " << FormatValue(c.value, NaturalNotation(c.value));
    }
    for (const char* bad : {"i(5..1)", "a(1..2)", "pl(4)", "s(x)", "z"})
        EXPECT_FALSE(ParseSyntax(bad)) << bad;
}

class DeviceTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_EQ(device.load(), ""); }
    ManualScheduler sched;
    Device device{DeviceConfig{}, sched};
};

TEST_F(DeviceTest, ValidatingChangesNothingUndoRestoresEverything)
{
    const Oid speed1 = P({1, 13, 1, 2, 1});
    const Oid ifOper1 = Mib2({2, 2, 1, 8, 1});
    const auto before = device.dump({});
    EXPECT_EQ(device.trySet({W(speed1, Value::Int(7))}, 2).err, Err::NoError);
    EXPECT_EQ(device.dump({}), before);

    ASSERT_EQ(device.applySet({W(speed1, Value::Int(7))}, 2).err, Err::NoError);
    EXPECT_EQ(device.intAt(ifOper1), 2); // derived objects follow at once
    device.undo();
    EXPECT_EQ(device.dump({}), before);

    ASSERT_EQ(device.applySet({W(speed1, Value::Int(7))}, 2).err, Err::NoError);
    device.commit();
    EXPECT_EQ(device.intAt(ifOper1), 2);
}

TEST_F(DeviceTest, ErrorNamesTheFailingBinding)
{
    SetResult r = device.trySet({W(Mib2({1, 5, 0}), Value::Octets("ok"), 1),
                                 W(P({7, 7, 1, 1, 1}), Value::Unsigned(20), 2),
                                 W(Mib2({1, 6, 0}), Value::Octets("ok"), 3)},
                                2);
    EXPECT_EQ(r.err, Err::InconsistentValue);
    EXPECT_EQ(r.index, 2);
    // A binding that can never be written is found before any rule runs.
    r = device.trySet({W(P({7, 7, 1, 1, 1}), Value::Unsigned(20), 1), W(Mib2({1, 1, 0}), Value::Octets("ro"), 2)}, 2);
    EXPECT_EQ(r.err, Err::NotWritable);
    EXPECT_EQ(r.index, 2);
}

TEST_F(DeviceTest, RebootRestoresTheSavedConfigurationAfterTheDowntime)
{
    ASSERT_EQ(device.applySet({W(Mib2({1, 6, 0}), Value::Octets("saved"))}, 2).err, Err::NoError);
    device.commit();
    ASSERT_EQ(device.saveConfiguration(), "");
    ASSERT_EQ(device.applySet({W(Mib2({1, 6, 0}), Value::Octets("running"))}, 2).err, Err::NoError);
    device.commit();
    device.reboot();
    EXPECT_TRUE(device.rebooting());
    EXPECT_EQ(device.intAt(Mib2({2, 2, 1, 8, 1})), 2); // no links while it restarts
    sched.advance(5.1);
    EXPECT_FALSE(device.rebooting());
    EXPECT_EQ(device.bytesAt(Mib2({1, 6, 0})), "saved");
    EXPECT_EQ(device.intAt(Mib2({2, 2, 1, 8, 1})), 1);
}

TEST_F(DeviceTest, TimeProfileWindows)
{
    auto at = [](int y, int mon, int d, int h, int min) {
        std::tm tm{};
        tm.tm_year = y - 1900;
        tm.tm_mon = mon - 1;
        tm.tm_mday = d;
        tm.tm_hour = h;
        tm.tm_min = min;
        tm.tm_isdst = -1;
        return std::mktime(&tm);
    };
    auto set = [&](std::uint32_t col, std::int64_t v) { device.setInt(P({32, 1, 1, col, 1}), v); };
    // "Office": Monday to Friday 08:00-18:00, no dates.
    EXPECT_TRUE(TimeProfileActive(device, 1, at(2024, 3, 4, 8, 0)));   // Monday 08:00
    EXPECT_FALSE(TimeProfileActive(device, 1, at(2024, 3, 4, 18, 0))); // the end is outside
    EXPECT_FALSE(TimeProfileActive(device, 1, at(2024, 3, 10, 12, 0))); // Sunday
    // Over midnight, Sundays only, within a date span.
    set(7, 22);
    set(12, 6);
    for (std::uint32_t day = 14; day <= 19; ++day)
        set(day, 2);
    set(20, 1);
    set(3, 1);
    set(4, 2024), set(5, 3), set(6, 1), set(9, 2024), set(10, 3), set(11, 31);
    EXPECT_TRUE(TimeProfileActive(device, 1, at(2024, 3, 10, 23, 0)));
    EXPECT_TRUE(TimeProfileActive(device, 1, at(2024, 3, 10, 5, 59)));
    EXPECT_FALSE(TimeProfileActive(device, 1, at(2024, 3, 10, 12, 0)));
    EXPECT_FALSE(TimeProfileActive(device, 1, at(2024, 4, 7, 23, 0))); // after the span
    EXPECT_FALSE(TimeProfileActive(device, 2, at(2024, 3, 10, 23, 0))); // no such profile
}

class StateFileTest : public ::testing::Test
{
protected:
    StateFileTest()
    {
        std::string t = (std::filesystem::temp_directory_path() / "kxsim-core-XXXXXX").string();
        dir = ::mkdtemp(t.data());
        config.stateFile = dir + "/state";
    }
    ~StateFileTest() override { std::filesystem::remove_all(dir); }
    std::string text(const std::string& path)
    {
        std::stringstream ss;
        ss << std::ifstream(path).rdbuf();
        return ss.str();
    }
    std::string loadWith(const std::string& state)
    {
        std::ofstream(config.stateFile, std::ios::trunc) << state;
        return Device(config, sched).load();
    }
    std::string dir;
    DeviceConfig config;
    ManualScheduler sched;
};

TEST_F(StateFileTest, StatesThatCannotBeTakenAreRefusedAtTheirLine)
{
    Device device(config, sched);
    ASSERT_EQ(device.load(), "");
    for (const auto& name : device.scenarioNames())
        ASSERT_EQ(device.applyScenario(name), "") << name;
    ASSERT_EQ(device.saveConfiguration(), "");
    const std::string saved = text(config.stateFile);
    ASSERT_EQ(loadWith(saved), "") << "every scenario saved loads again";
    const std::string next = "line " + std::to_string(std::count(saved.begin(), saved.end(), '\n') + 1) + ": ";
    const std::string p = "1.3.6.1.4.1.99999.10.75.13.";
    const std::pair<std::string, std::string> cases[] = {
        {"", "holds no objects"},
        {"# ports 8\n", "holds no objects"},
        {saved + "1.3.6.1.2.1.1.5.0 i W 5\n", next + "1.3.6.1.2.1.1.5.0: type differs"},
        {saved + "1.3.6.1.2.1.1.5.0 s W \"" + std::string(128, 'x') + "\"\n", next + "1.3.6.1.2.1.1.5.0: value"},
        {saved + p + "25.1.0 i(1..9) W 7\n", next + p + "25.1.0: value does not fit"},
        {saved + p + "25.1.0 i R 1\n", next + p + "25.1.0: access differs"},
        {saved + p + "99.0 i W 1\n", next + p + "99.0 is no object of the profile"},
        {saved + "1.3.6.1.4.1.12345.1.0 i W 1\n", next + "1.3.6.1.4.1.12345.1.0 is not under a served subtree"},
    };
    for (const auto& [state, error] : cases)
        EXPECT_NE(loadWith(state).find(error), std::string::npos) << error;
    // A broken state leaves a running device as it was.
    const auto before = device.dump({});
    EXPECT_NE(device.reset(), "");
    EXPECT_EQ(device.dump({}), before);

    // Not files at all: a FIFO would block the start, a folder read as empty.
    std::filesystem::remove(config.stateFile);
    ASSERT_EQ(::mkfifo(config.stateFile.c_str(), 0600), 0);
    EXPECT_NE(Device(config, sched).load().find("not a regular file"), std::string::npos);
    std::filesystem::remove(config.stateFile);
    std::filesystem::create_directory(config.stateFile);
    EXPECT_NE(Device(config, sched).load().find("not a regular file"), std::string::npos);
}

TEST_F(StateFileTest, SavingWritesANewFileBesideTheTargetWithItsMode)
{
    std::ofstream(dir + "/elsewhere") << "untouched\n";
    std::filesystem::create_symlink(dir + "/elsewhere", config.stateFile + ".tmp");
    ::umask(022);
    Device d(config, sched);
    ASSERT_EQ(d.load(), "");
    ASSERT_EQ(d.saveConfiguration(), "");
    struct stat st = {};
    ASSERT_EQ(::lstat(config.stateFile.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0600u) << "a new state holds the communities";
    EXPECT_EQ(text(dir + "/elsewhere"), "untouched\n");
    ASSERT_EQ(::chmod(config.stateFile.c_str(), 0640), 0);
    ASSERT_EQ(d.saveConfiguration(), "");
    ASSERT_EQ(::stat(config.stateFile.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 3) << "no temporary file is left";
}

TEST_F(StateFileTest, OptionsAndCommandsRefuseWhatCannotBeRunWith)
{
    std::ofstream(dir + "/empty");
    ASSERT_EQ(::mkfifo((dir + "/fifo").c_str(), 0600), 0);
    const std::vector<std::vector<std::string>> refused = {
        {"--transfer-times", "nan,8,4"}, {"--reboot-downtime", "nan"}, {"--model", "KX-A1 R2\n# ports 52"},
        {"--profile", dir + "/empty"},   {"--profile", dir},           {"--profile", dir + "/fifo"},
        {"--profile", "/dev/zero"},
    };
    for (const auto& args : refused) {
        Options o;
        EXPECT_NE(ParseOptions(args, o), "") << args[0] << " " << args[1];
    }

    EventLoop loop;
    Device device(DeviceConfig{}, loop);
    ASSERT_EQ(device.load(), "");
    RequestLog log;
    Faults faults;
    Agent agent(device, loop, log, faults);
    Commands commands(device, agent, log, faults, [] {});
    for (const char* bad : {"clock 9999-99-99 99:99", "clock 2023-02-29 10:00", "clock 2024-01-01 24:00",
                            "clock 2024-01-01 10:00:60", "clock 2024-01-01x 10:00", "clock 2024-01 10:00"})
        EXPECT_NE(commands.run(bad).error, "") << bad;
    ASSERT_EQ(commands.run("clock 2024-02-29 23:59:58").error, "");
    EXPECT_EQ(commands.run("clock").lines.at(0).substr(0, 18), "2024-02-29 23:59:5");
}

} // namespace
} // namespace kxsim
