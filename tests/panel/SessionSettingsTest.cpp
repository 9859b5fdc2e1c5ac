// The console's command line and User.ini, as start-up reads them.

#include "base/DeviceInfo.h"
#include "common/SessionSettings.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <map>
#include <thread>
#include <tuple>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The fields a line fills, by the option letter of their position ("F" is
// "1" when writing is enabled, "Z" the reserved token); any other keeps its
// default.
using Fields = std::map<std::string, std::string>;

Fields FieldsOf(const SessionSettings& s)
{
    return {{"L", s.LeadToken},      {"I", s.DeviceAddress},   {"R", s.ReadCommunity},
            {"W", s.WriteCommunity}, {"F", s.WriteEnabled ? "1" : "0"}, {"V", s.SnmpVersion},
            {"P", s.SnmpPort},       {"S", s.SecurityLevel},   {"N", s.SecurityName},
            {"A", s.AuthPassword},   {"B", s.PrivPassword},    {"C", s.AuthProtocol},
            {"D", s.PrivProtocol},   {"Z", s.ReservedToken},   {"timeout", s.SessionTimeout}};
}

struct LineCase
{
    const char* name;
    const char* line;
    bool ok;
    Fields fields;
};

const Fields kKx = {{"L", "kx"}, {"I", "10.0.0.5"}};
Fields Kx(Fields more)
{
    more.insert(kKx.begin(), kKx.end());
    return more;
}

const LineCase kLines[] = {
    {"lead and address only", "/Lkx/I10.0.0.5", true, kKx},
    {"empty read community keeps the default", "/Lkx/I10.0.0.5/R/Wsecret", true, Kx({{"W", "secret"}})},
    {"blanks are dropped wherever they stand", "/L k x /I 10.0.0.5 /Rpub lic /W  w r i t e", true,
     Kx({{"R", "public"}, {"W", "write"}})},
    {"TRUE enables writing", "/Lkx/I10.0.0.5/Rr/Ww/FTRUE", true, Kx({{"R", "r"}, {"W", "w"}, {"F", "1"}})},
    {"true enables writing", "/Lkx/I10.0.0.5/Rr/Ww/Ftrue", true, Kx({{"R", "r"}, {"W", "w"}, {"F", "1"}})},
    {"True disables writing", "/Lkx/I10.0.0.5/Rr/Ww/FTrue", true, Kx({{"R", "r"}, {"W", "w"}, {"F", "0"}})},
    {"an empty flag disables writing", "/Lkx/I10.0.0.5/Rr/Ww/F/V1", true,
     Kx({{"R", "r"}, {"W", "w"}, {"F", "0"}, {"V", "1"}})},
    {"version 1 ignores what follows the port",
     "/Lkx/I10.0.0.5/Rr/Ww/Ftrue/V1/P16100/Xa/Yb/Z7/S3/Nuser/Aauthpass/Bprivpass/C3/D2", true,
     Kx({{"R", "r"}, {"W", "w"}, {"F", "1"}, {"V", "1"}, {"P", "16100"}})},
    {"version 3 skips tokens 8 and 9 and fills the rest",
     "/Lkx/I10.0.0.5/Rr/Ww/Ftrue/V3/P16100/Xa/Yb/Z7/S3/Nuser/Aauthpass1/Bprivpass1/C3/D2/Eextra", true,
     Kx({{"R", "r"}, {"W", "w"}, {"F", "1"}, {"V", "3"}, {"P", "16100"}, {"S", "3"}, {"N", "user"},
         {"A", "authpass1"}, {"B", "privpass1"}, {"C", "3"}, {"D", "2"}, {"Z", "7"}})},
    {"version 3 with empty tokens keeps defaults", "/Lkx/I10.0.0.5/R/W/Ftrue/V3/P/X/Y/Z/S/N/A/B/C/D", true,
     Kx({{"F", "1"}, {"V", "3"}})},
    {"positions decide, not letters", "/I10.0.0.5/Rpublic", true, {{"L", "10.0.0.5"}, {"I", "public"}}},
    {"no /I ends the parse", "/Lkx/X10.0.0.5/Rr", false, {{"L", "kx"}, {"I", ""}}},
    {"an empty address ends the parse", "/Lkx/I/Rr/Ww", false, {{"L", "kx"}, {"I", ""}}},
    {"the lead alone", "/Lkx", true, {{"L", "kx"}, {"I", ""}}},
    {"a line that ends on a slash", "/Lkx/I10.0.0.5/", true, kKx},
    {"a line that ends on an option letter", "/Lkx/I10.0.0.5/Rr/W", true, Kx({{"R", "r"}})},
    {"a single character", "/", true, {{"L", ""}, {"I", ""}}},
    {"tokens over capacity are cut",
     "/L0123456789012345678901234/I123.123.123.123.99/R"
     "abcdefghijabcdefghijabcdefghijabcdefghijabcdefghijabcdefghij/Ww",
     true,
     {{"L", "0123456789012345678"}, {"I", "123.123.123.123"},
      {"R", "abcdefghijabcdefghijabcdefghijabcdefghijabcdefghija"}, {"W", "w"}}},
    {"short fields are cut to seven characters", "/Lkx/I10.0.0.5/Rr/Ww/Ftrue/V3/P1234567890", true,
     Kx({{"R", "r"}, {"W", "w"}, {"F", "1"}, {"V", "3"}, {"P", "1234567"}})},
};

class CommandLine : public ::testing::TestWithParam<LineCase>
{
};

TEST_P(CommandLine, FillsTheFieldsByPosition)
{
    const LineCase& c = GetParam();
    SessionSettings s;
    EXPECT_EQ(ParseCommandLine(c.line, s), c.ok);
    Fields expected = FieldsOf(SessionSettings{});
    for (const auto& [key, value] : c.fields) {
        ASSERT_TRUE(expected.count(key)) << key;
        expected[key] = value;
    }
    EXPECT_EQ(expected["timeout"], "3000");
    EXPECT_EQ(FieldsOf(s), expected);
}

INSTANTIATE_TEST_SUITE_P(Lines, CommandLine, ::testing::ValuesIn(kLines),
                         [](const ::testing::TestParamInfo<LineCase>& info) {
                             std::string name;
                             for (const char* p = info.param.name; *p; ++p)
                                 name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                             return name;
                         });

TEST(CommandLineArguments, ArgvIsJoinedWithBlanksThatTheParserDrops)
{
    const char* argv[] = {"kxmodule", "/Lkx", "/I10.0.0.5", "/Rpub", "lic"};
    const std::string line = JoinArguments(5, argv);
    EXPECT_EQ(line, "/Lkx /I10.0.0.5 /Rpub lic");
    SessionSettings s;
    EXPECT_TRUE(ParseCommandLine(line, s));
    EXPECT_EQ(s.DeviceAddress, "10.0.0.5");
    EXPECT_EQ(s.ReadCommunity, "public");
    EXPECT_EQ(JoinArguments(1, argv), "");

    EXPECT_NE(InfoOptionText("--help").find("usage"), std::string::npos);
    EXPECT_NE(InfoOptionText("--version").find("kxmodule"), std::string::npos);
    EXPECT_TRUE(InfoOptionText("--help /I10.0.0.5").empty());
    EXPECT_TRUE(InfoOptionText("/L--help").empty());
}

TEST(UserIni, ReadsTheDeviceInfoSectionWithItsDefaults)
{
    kxtest::TempDir dir;
    const std::string path = dir.file("User.ini");
    const struct
    {
        const char* text; // nullptr: no file
        QString name;
        int ports;
        QString xml;
        bool giga, fan;
    } cases[] = {
        {nullptr, "", 28, "", false, false},
        {"DeviceName=KX-A1 R2\nDevicePortNum=8ports\nXMLName=kx-a1r2,panel.xml\nIsAllGiga=Y\nIsHasFan=N\n", "KX-A1 R2",
         8, "kx-a1r2,panel.xml", true, false},
        {"DevicePortNum=\nIsHasFan=y\n", "", 0, "", false, true},
        // Exactly "Y" or "y": a word that only starts with it is not a yes.
        {"IsAllGiga=Yes\nIsHasFan=yes\n", "", 28, "", false, false},
    };
    for (const auto& c : cases) {
        if (c.text)
            std::ofstream(path) << "[DeviceInfo]\n" << c.text;
        const DeviceInfo info = ReadUserIni(QString::fromStdString(path));
        SCOPED_TRACE(c.text ? c.text : "no file");
        EXPECT_EQ(info.DeviceName, c.name);
        EXPECT_EQ(info.DevicePortNum, c.ports);
        EXPECT_EQ(info.XMLName, c.xml);
        EXPECT_EQ(info.IsAllGiga, c.giga);
        EXPECT_EQ(info.IsHasFan, c.fan);
    }
    std::ofstream(path) << "[DeviceInfo]\nDeviceName=" << std::string(300, 'x') << "\n";
    EXPECT_EQ(ReadUserIni(QString::fromStdString(path)).DeviceName.size(), 259);
}

TEST(UserIni, OnlyARegularFileIsRead)
{
    kxtest::TempDir dir;
    const std::string fifo = dir.file("fifo.ini");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // A reader that opens the FIFO waits for a writer: this one comes, so a
    // failing test ends, and tells whether it was opened at all.
    std::atomic<bool> done{false};
    std::atomic<bool> opened{false};
    std::thread writer([&] {
        while (!done) {
            const int fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) {
                opened = true;
                ::close(fd);
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    });
    ReadUserIni(QString::fromStdString(fifo));
    done = true;
    writer.join();
    EXPECT_FALSE(opened) << "start-up would wait for a writer";
}

} // namespace

namespace {

// The names the test fixtures and kxsnmp's tests use are covered end to end;
// these are the others, and names that only look like them.
TEST(CommandLineCodes, NetSnmpNamesMapToTheConsolesCodes)
{
    const std::tuple<std::string (*)(std::string_view), const char*, const char*> cases[] = {
        {AuthProtocolCode, "SHA-224", "4"}, {AuthProtocolCode, "SHA-384", "6"}, {AuthProtocolCode, "SHA-512", "7"},
        {AuthProtocolCode, "sha", ""},      {AuthProtocolCode, "SHA1", ""},     {AuthProtocolCode, "", ""},
        {PrivProtocolCode, "AES-128", "4"}, {PrivProtocolCode, "AES-256", ""},  {SecurityLevelCode, "priv", ""},
    };
    for (const auto& [code, name, expected] : cases)
        EXPECT_EQ(code(name), expected) << name;
}

} // namespace

#include "base/TextNumber.h"

namespace {

TEST(TextNumber, ReadsLeadingDecimalsLikeTheCLibraryAndSaturates)
{
    const std::pair<const char*, int> cases[] = {
        {"", 0},        {"abc", 0},        {"12a", 12},          {"  42", 42},
        {"\t-7x", -7},  {"+8", 8},         {"- 3", 0},           {"4094", 4094},
        {"0x10", 0},    {"1e3", 1},
        {"99999999999", 2147483647},       {"-99999999999", -2147483647}, {"٣", 0}};
    for (const auto& [text, value] : cases)
        EXPECT_EQ(kx::LeadingDecimal(QString::fromUtf8(text)), value) << text;
    // Unsigned32 values pass the int's range.
    EXPECT_EQ(kx::LeadingDecimal64(u"4294967296x"), 4294967296LL);
    EXPECT_EQ(kx::LeadingDecimal64(u"-99999999999999999999"), -9223372036854775807LL);
}

} // namespace
