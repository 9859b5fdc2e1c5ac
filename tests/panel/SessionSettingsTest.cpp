// The console's command line and User.ini, as start-up reads them.

#include "base/DeviceInfo.h"
#include "common/SessionSettings.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct LineCase
{
    const char* name;
    const char* line;
    bool ok;
    // Expected fields; nullptr = the default.
    const char* lead;
    const char* address;
    const char* read;
    const char* write;
    int writeEnabled; // -1 = default (true)
    const char* version;
    const char* port;
    const char* level;
    const char* user;
    const char* authPass;
    const char* privPass;
    const char* authProto;
    const char* privProto;
    const char* reserved;
};

const LineCase kLines[] = {
    {"lead and address only", "/Lkx/I10.0.0.5", true, "kx", "10.0.0.5", nullptr, nullptr, -1,
     nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr},
    {"empty read community keeps the default", "/Lkx/I10.0.0.5/R/Wsecret", true, "kx", "10.0.0.5",
     nullptr, "secret", -1, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
     nullptr},
    {"blanks are dropped wherever they stand", "/L k x /I 10.0.0.5 /Rpub lic /W  w r i t e", true,
     "kx", "10.0.0.5", "public", "write", -1, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
     nullptr, nullptr, nullptr},
    {"TRUE enables writing", "/Lkx/I10.0.0.5/Rr/Ww/FTRUE", true, "kx", "10.0.0.5", "r", "w", 1,
     nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr},
    {"true enables writing", "/Lkx/I10.0.0.5/Rr/Ww/Ftrue", true, "kx", "10.0.0.5", "r", "w", 1,
     nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr},
    {"True disables writing", "/Lkx/I10.0.0.5/Rr/Ww/FTrue", true, "kx", "10.0.0.5", "r", "w", 0,
     nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr},
    {"yes disables writing", "/Lkx/I10.0.0.5/Rr/Ww/Fyes", true, "kx", "10.0.0.5", "r", "w", 0,
     nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr},
    {"an empty flag disables writing", "/Lkx/I10.0.0.5/Rr/Ww/F/V1", true, "kx", "10.0.0.5", "r", "w",
     0, "1", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr},
    {"version 1 ignores what follows the port",
     "/Lkx/I10.0.0.5/Rr/Ww/Ftrue/V1/P16100/Xa/Yb/Z7/S3/Nuser/Aauthpass/Bprivpass/C3/D2", true, "kx",
     "10.0.0.5", "r", "w", 1, "1", "16100", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
     nullptr},
    {"version 3 skips tokens 8 and 9 and fills the rest",
     "/Lkx/I10.0.0.5/Rr/Ww/Ftrue/V3/P16100/Xa/Yb/Z7/S3/Nuser/Aauthpass1/Bprivpass1/C3/D2/Eextra",
     true, "kx", "10.0.0.5", "r", "w", 1, "3", "16100", "3", "user", "authpass1", "privpass1", "3",
     "2", "7"},
    {"version 3 with empty tokens keeps defaults", "/Lkx/I10.0.0.5/R/W/Ftrue/V3/P/X/Y/Z/S/N/A/B/C/D",
     true, "kx", "10.0.0.5", nullptr, nullptr, 1, "3", nullptr, nullptr, nullptr, nullptr, nullptr,
     nullptr, nullptr, nullptr},
    {"positions decide, not letters", "/I10.0.0.5/Rpublic", true, "10.0.0.5", "public", nullptr,
     nullptr, -1, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr},
    {"no /I ends the parse", "/Lkx/X10.0.0.5/Rr", false, "kx", "", nullptr, nullptr, -1, nullptr,
     nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr},
    {"an empty address ends the parse", "/Lkx/I/Rr/Ww", false, "kx", "", nullptr, nullptr, -1,
     nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr},
    {"the lead alone", "/Lkx", true, "kx", "", nullptr, nullptr, -1, nullptr, nullptr, nullptr,
     nullptr, nullptr, nullptr, nullptr, nullptr, nullptr},
    {"a line that ends on a slash", "/Lkx/I10.0.0.5/", true, "kx", "10.0.0.5", nullptr, nullptr, -1,
     nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr},
    {"a line that ends on an option letter", "/Lkx/I10.0.0.5/Rr/W", true, "kx", "10.0.0.5", "r",
     nullptr, -1, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr},
    {"a single character", "/", true, "", "", nullptr, nullptr, -1, nullptr, nullptr, nullptr,
     nullptr, nullptr, nullptr, nullptr, nullptr, nullptr},
    {"tokens over capacity are cut",
     "/L0123456789012345678901234/I123.123.123.123.99/R"
     "abcdefghijabcdefghijabcdefghijabcdefghijabcdefghijabcdefghij/Ww",
     true, "0123456789012345678", "123.123.123.123", "abcdefghijabcdefghijabcdefghijabcdefghijabcdefghija",
     "w", -1, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr},
    {"short fields are cut to seven characters", "/Lkx/I10.0.0.5/Rr/Ww/Ftrue/V3/P1234567890", true,
     "kx", "10.0.0.5", "r", "w", 1, "3", "1234567", nullptr, nullptr, nullptr, nullptr, nullptr,
     nullptr, nullptr},
};

class CommandLine : public ::testing::TestWithParam<LineCase>
{
};

TEST_P(CommandLine, FillsTheFieldsByPosition)
{
    const LineCase& c = GetParam();
    SessionSettings s;
    const SessionSettings d;
    EXPECT_EQ(ParseCommandLine(c.line, s), c.ok);
    auto field = [](const char* expected, const std::string& fallback) {
        return expected ? std::string(expected) : fallback;
    };
    EXPECT_EQ(s.LeadToken, field(c.lead, d.LeadToken));
    EXPECT_EQ(s.DeviceAddress, field(c.address, d.DeviceAddress));
    EXPECT_EQ(s.ReadCommunity, field(c.read, d.ReadCommunity));
    EXPECT_EQ(s.WriteCommunity, field(c.write, d.WriteCommunity));
    EXPECT_EQ(s.WriteEnabled, c.writeEnabled < 0 ? d.WriteEnabled : c.writeEnabled == 1);
    EXPECT_EQ(s.SnmpVersion, field(c.version, d.SnmpVersion));
    EXPECT_EQ(s.SnmpPort, field(c.port, d.SnmpPort));
    EXPECT_EQ(s.SecurityLevel, field(c.level, d.SecurityLevel));
    EXPECT_EQ(s.SecurityName, field(c.user, d.SecurityName));
    EXPECT_EQ(s.AuthPassword, field(c.authPass, d.AuthPassword));
    EXPECT_EQ(s.PrivPassword, field(c.privPass, d.PrivPassword));
    EXPECT_EQ(s.AuthProtocol, field(c.authProto, d.AuthProtocol));
    EXPECT_EQ(s.PrivProtocol, field(c.privProto, d.PrivProtocol));
    EXPECT_EQ(s.ReservedToken, field(c.reserved, d.ReservedToken));
    EXPECT_EQ(s.SessionTimeout, "3000");
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

    DeviceInfo missing = ReadUserIni(QString::fromStdString(path));
    EXPECT_TRUE(missing.DeviceName.isEmpty());
    EXPECT_EQ(missing.DevicePortNum, 28);
    EXPECT_FALSE(missing.IsAllGiga);

    {
        std::ofstream out(path);
        out << "[DeviceInfo]\nDeviceName=KX-A1 R2\nDevicePortNum=8ports\nXMLName=kx-a1r2,panel.xml\n"
            << "IsAllGiga=Y\nIsHasFan=N\n";
    }
    DeviceInfo info = ReadUserIni(QString::fromStdString(path));
    EXPECT_EQ(info.DeviceName, "KX-A1 R2");
    EXPECT_EQ(info.DevicePortNum, 8);
    EXPECT_EQ(info.XMLName, "kx-a1r2,panel.xml");
    EXPECT_TRUE(info.IsAllGiga);
    EXPECT_FALSE(info.IsHasFan);

    {
        std::ofstream out(path);
        out << "[DeviceInfo]\nDeviceName=" << std::string(300, 'x') << "\nDevicePortNum=\nIsHasFan=y\n";
    }
    info = ReadUserIni(QString::fromStdString(path));
    EXPECT_EQ(info.DeviceName.size(), 259);
    EXPECT_EQ(info.DevicePortNum, 0);
    EXPECT_TRUE(info.IsHasFan);
    EXPECT_TRUE(info.XMLName.isEmpty());

    // Exactly "Y" or "y": a word that only starts with it is not a yes.
    {
        std::ofstream out(path);
        out << "[DeviceInfo]\nIsAllGiga=Yes\nIsHasFan=yes\n";
    }
    info = ReadUserIni(QString::fromStdString(path));
    EXPECT_FALSE(info.IsAllGiga);
    EXPECT_FALSE(info.IsHasFan);
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

TEST(CommandLineCodes, NetSnmpNamesMapToTheConsolesCodes)
{
    const std::pair<const char*, const char*> auth[] = {
        {"MD5", "2"}, {"SHA", "3"}, {"SHA-224", "4"}, {"SHA-256", "5"}, {"SHA-384", "6"},
        {"SHA-512", "7"}, {"sha", ""}, {"SHA1", ""}, {"", ""}};
    for (const auto& [name, code] : auth)
        EXPECT_EQ(AuthProtocolCode(name), code) << name;
    EXPECT_EQ(PrivProtocolCode("DES"), "2");
    EXPECT_EQ(PrivProtocolCode("AES"), "4");
    EXPECT_EQ(PrivProtocolCode("AES-128"), "4");
    EXPECT_EQ(PrivProtocolCode("AES-256"), "");
    EXPECT_EQ(SecurityLevelCode("noAuthNoPriv"), "1");
    EXPECT_EQ(SecurityLevelCode("authNoPriv"), "2");
    EXPECT_EQ(SecurityLevelCode("authPriv"), "3");
    EXPECT_EQ(SecurityLevelCode("priv"), "");
}

} // namespace

#include "base/TextNumber.h"

namespace {

TEST(TextNumber, ReadsLeadingDecimalsLikeTheCLibraryAndSaturates)
{
    const std::pair<const char*, int> cases[] = {
        {"", 0},        {"abc", 0},        {"12a", 12},          {"  42", 42},
        {"\t-7x", -7},  {"+8", 8},         {"- 3", 0},           {"4094", 4094},
        {"99999999999", 2147483647},       {"-99999999999", -2147483647}, {"٣", 0}};
    for (const auto& [text, value] : cases)
        EXPECT_EQ(kx::LeadingDecimal(QString::fromUtf8(text)), value) << text;
    // Unsigned32 values pass the int's range.
    EXPECT_EQ(kx::LeadingDecimal64(u"4294967296x"), 4294967296LL);
    EXPECT_EQ(kx::LeadingDecimal64(u"-99999999999999999999"), -9223372036854775807LL);
}

} // namespace
