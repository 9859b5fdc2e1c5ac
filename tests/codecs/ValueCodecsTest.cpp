#include "snmp/ValueCodecs.h"

#include "app/Prompter.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <initializer_list>
#include <set>

namespace {

QByteArray Octets(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(static_cast<char>(v));
    return out;
}

kx::PortFlags Flags(int ports, std::initializer_list<int> members, int value = 1)
{
    kx::PortFlags flags(static_cast<size_t>(ports), 0);
    for (int p : members)
        flags[static_cast<size_t>(p - 1)] = value;
    return flags;
}

const QString kInvalidPortlist = QStringLiteral("Invalid Portlist");
const QString kMacFormat = QStringLiteral("Please enter correct MAC format(ex:00-00-00-00-00-01)");
const QString kBroadcast = QStringLiteral("Broadcast MAC is not allowed.");
const QString kMulticast = QStringLiteral("Multicast MAC is not allowed.");

class Codecs : public ::testing::Test
{
protected:
    kx::RecordingPrompter prompter;
    kx::ScopedPrompter scope{&prompter};
};

// --- writing: flags -> hex -> padding -> octets -----------------------------------

struct WriteCase
{
    int ports;
    std::initializer_list<int> members;
    const char* hex;
    const char* padded;
    QByteArray octets;
};

TEST_F(Codecs, FlagsToHexPaddingAndOctetsFollowThePortCount)
{
    const WriteCase cases[] = {
        {8, {1, 3, 8}, "a1", "a1000000", Octets({0xA1, 0, 0, 0})},
        {8, {}, "00", "00000000", Octets({0, 0, 0, 0})},
        {10, {1, 10}, "804", "80400000", Octets({0x80, 0x40, 0, 0})},
        {16, {16}, "0001", "00010000", Octets({0, 1, 0, 0})},
        {20, {17, 20}, "00009", "00009000", Octets({0, 0, 0x90, 0})},
        {24, {9}, "008000", "00800000", Octets({0, 0x80, 0, 0})},
        {28, {28}, "0000001", "00000010", Octets({0, 0, 0, 0x10})},
        {48, {1, 48}, "800000000001", "8000000000010000", Octets({0x80, 0, 0, 0, 0, 0x01, 0, 0})},
        {52, {52}, "0000000000001", "0000000000001000", Octets({0, 0, 0, 0, 0, 0, 0x10, 0})},
        // A count without a padding rule gets none.
        {12, {12}, "001", "001", Octets({0x00, 0x10})},
    };
    for (const WriteCase& c : cases) {
        SCOPED_TRACE(c.ports);
        QString hex = QStringLiteral("");
        PortFlagsToHex(Flags(c.ports, c.members), hex, c.ports);
        EXPECT_EQ(hex, QLatin1String(c.hex));
        EXPECT_EQ(PadPortHex(hex, c.ports), 1);
        EXPECT_EQ(hex, QLatin1String(c.padded));
        QByteArray octets;
        EXPECT_EQ(HexToOctets(hex, octets, 8), 1);
        EXPECT_EQ(octets.toHex(), c.octets.toHex());
    }
}

TEST_F(Codecs, FlagsToHexToleratesShortArraysAndNonBinaryValues)
{
    QString hex;
    PortFlagsToHex(kx::PortFlags{1}, hex, 8);  // ports 2..8 missing
    EXPECT_EQ(hex, "80");
    hex.clear();
    PortFlagsToHex(Flags(8, {2}, 2), hex, 8);  // a caller's value still means member
    EXPECT_EQ(hex, "40");
    hex = "ff";
    PortFlagsToHex(Flags(8, {8}), hex, 8);  // appends
    EXPECT_EQ(hex, "ff01");
}

TEST_F(Codecs, HexToOctetsKeepsToTheBufferAndRefusesNonHex)
{
    struct Case
    {
        const char* hex;
        qsizetype buffer;
        int result;
        QByteArray octets;
    } const cases[] = {
        {"", 4, 1, {}},
        {"abc", 4, 1, Octets({0xAB, 0xC0})},
        {"A1B2", 4, 1, Octets({0xA1, 0xB2})},
        {"a1b2c3", 2, 1, Octets({0xA1, 0xB2})},
        {"a1", 0, 1, {}},
        {"0x12", 4, 0, {}},
        {"zz", 4, 0, {}},
        {"12 34", 4, 0, {}},
        {"12-", 4, 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.hex);
        QByteArray octets = "stale";
        EXPECT_EQ(HexToOctets(QString::fromLatin1(c.hex), octets, c.buffer), c.result);
        EXPECT_EQ(octets.toHex(), c.octets.toHex());
    }
}

// --- reading a PortList -------------------------------------------------------------

TEST_F(Codecs, PortListToNumberTextReadsOnlyTheOctetsItIsGiven)
{
    struct Case
    {
        int ports;
        QByteArray octets;
        const char* text;
        int count;
    } const cases[] = {
        {8, Octets({0x00}), "", 0},
        {8, Octets({0xFF}), "1,2,3,4,5,6,7,8", 8},
        {8, Octets({0x41, 0xFF, 0xFF, 0xFF}), "2,8", 2},
        {8, {}, "", 0},
        {10, Octets({0x80}), "1", 1},  // the second octet is absent
        {10, Octets({0x00, 0xC0}), "9,10", 2},
        {52, Octets({0x01}), "8", 1},
        {0, Octets({0xFF}), "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        QString text = "stale";
        EXPECT_EQ(PortListToNumberText(c.octets, text, c.ports), c.count);
        EXPECT_EQ(text, QLatin1String(c.text));
    }
}

TEST_F(Codecs, PortListToRangeTextJoinsRunsWithinTheRange)
{
    struct Case
    {
        QByteArray octets;
        int first, last;
        const char* text;
        int count;
    } const cases[] = {
        {Octets({0x10}), 1, 8, "4", 1},
        {Octets({0xC0}), 1, 8, "1-2", 2},
        {Octets({0xEB}), 1, 8, "1-3,5,7-8", 6},
        {Octets({0xAA}), 1, 8, "1,3,5,7", 4},
        {Octets({0xFF}), 3, 5, "3-5", 3},
        {Octets({0xFF, 0x80}), 1, 8, "1-8", 8},
        {Octets({0x01, 0x80}), 1, 16, "8-9", 2},
        {Octets({0x00, 0x00}), 1, 16, "", 0},
        {Octets({0x80}), 1, 52, "1", 1},  // a short value never reads past its end
        {{}, 1, 8, "", 0},
        {Octets({0, 0, 0, 0, 0, 0, 0x1F}), 1, 52, "52", 1},  // 53.. are not ports
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        QString text;
        EXPECT_EQ(PortListToRangeText(c.octets, c.first, c.last, text), c.count);
        EXPECT_EQ(text, QLatin1String(c.text));
    }
    QString text = "Ports: ";
    EXPECT_EQ(PortListToRangeText(Octets({0xC0}), text, 8), 2);
    EXPECT_EQ(text, "Ports: 1-2");
}

// --- parsing typed port sets ----------------------------------------------------------

TEST_F(Codecs, ParsePortRangeTextAcceptsOrRefusesWithTheMessage)
{
    struct Case
    {
        const char* text;
        int ports;
        int result;
        std::set<int> set;
    } const cases[] = {
        {"", 8, 1, {}},
        {"3-1", 8, 1, {}},
        {"1-3,5", 8, 1, {1, 2, 3, 5}},
        {"4-4,8", 8, 1, {4, 8}},
        {"1,", 8, 1, {1}},
        {" 2 - 4", 8, 1, {2, 3, 4}},
        {"9,10", 10, 1, {9, 10}},
        {"49-52", 52, 1, {49, 50, 51, 52}},
        {"0", 8, 0, {}},
        {"9", 8, 0, {}},
        {"5-12", 8, 0, {5, 6, 7, 8}},  // ports set before the refusal stay set
        {"1,,3", 8, 0, {1}},
        {"2,-3", 8, 0, {2}},
        {"1-99999999999999", 8, 0, {1, 2, 3, 4, 5, 6, 7, 8}},
        {"99999999999999", 8, 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        prompter.clear();
        kx::PortFlags flags;
        EXPECT_EQ(ParsePortRangeText(QString::fromLatin1(c.text), flags, c.ports), c.result);
        ASSERT_EQ(flags.size(), static_cast<size_t>(c.ports));
        for (int p = 1; p <= c.ports; ++p)
            EXPECT_EQ(flags[static_cast<size_t>(p - 1)], c.set.count(p) ? 1 : 0) << "port " << p;
        EXPECT_EQ(prompter.texts(), c.result ? QStringList() : QStringList{kInvalidPortlist});
    }
}

TEST_F(Codecs, ParsePortNumberTextSkipsPortsOutsideTheDevice)
{
    kx::PortFlags flags(8, 0);
    ParsePortNumberText("1,2,5", flags, 2, 8);
    EXPECT_EQ(flags, Flags(8, {1, 2, 5}, 2));
    ParsePortNumberText("0,9,3,-1", flags, 7, 8);
    EXPECT_EQ(flags, (kx::PortFlags{2, 2, 7, 0, 2, 0, 0, 0}));
    ParsePortNumberText("", flags, 0, 8);
    EXPECT_EQ(flags[0], 2);
    EXPECT_TRUE(prompter.texts().isEmpty());
}

TEST_F(Codecs, PortFunctionsDefaultToTheDevicePortCount)
{
    DeviceInfo info;
    info.DevicePortNum = 10;
    InstallDeviceInfo(info);
    kx::PortFlags flags;
    EXPECT_EQ(ParsePortRangeText("10", flags), 1);
    EXPECT_EQ(flags.size(), 10u);
    InstallDeviceInfo(DeviceInfo{});
}

// --- character checks -------------------------------------------------------------------

TEST_F(Codecs, CharacterChecks)
{
    for (QChar c : QStringLiteral("~`!@#$%^&*{}[]|\\:;\"'<>,.?/")) {
        EXPECT_EQ(CheckNameChars(QStringLiteral("ab") + c), 0) << c.toLatin1();
        EXPECT_EQ(CheckPortTextChars(QString(c) + QStringLiteral("1")), c == QLatin1Char(',') ? 1 : 0)
            << c.toLatin1();
    }
    EXPECT_EQ(CheckNameChars("vlan.2"), 0);
    EXPECT_EQ(CheckNameChars("vlan-2"), 1);
    EXPECT_EQ(CheckNameChars("a b_c(d)+=e 09"), 1);
    EXPECT_EQ(CheckNameChars(QStringLiteral("Büro")), 1);
    EXPECT_EQ(CheckNameChars(""), 1);

    EXPECT_EQ(CheckPortTextChars("1-3,5"), 1);
    EXPECT_EQ(CheckPortTextChars(" 1 - 3 , 5 "), 1);
    EXPECT_EQ(CheckPortTextChars("1;3"), 0);
    EXPECT_EQ(CheckPortTextChars("1-a"), 0);
    EXPECT_EQ(CheckPortTextChars("Z"), 0);
}

// --- MAC and IPv4 ------------------------------------------------------------------------

TEST_F(Codecs, CheckMacTextRefusesWithTheFirstFailingRule)
{
    struct Case
    {
        const char* text;
        bool multicast;
        const QString* message;  // nullptr: accepted
    } const cases[] = {
        {"00-00-00-00-00-01", false, nullptr},
        {"0a-1b-2c-3d-4e-5f", false, nullptr},
        {"01-00-5E-00-00-01", true, nullptr},
        {"00:00:00:00:00:01", false, &kMacFormat},
        {"00-00-00-00-00-00", false, &kMacFormat},
        {"00-00-00-00-00-1", false, &kMacFormat},
        {"00-00-00-00-00-001", false, &kMacFormat},
        {"00-00-00-00-00-0G", false, &kMacFormat},
        {"00-00-00-00-00--1", false, &kMacFormat},
        {"", false, &kMacFormat},
        {"FF-FF-FF-FF-FF-FF", true, &kBroadcast},
        {"ff-ff-FF-ff-ff-fF", false, &kBroadcast},
        {"01-00-5E-00-00-01", false, &kMulticast},
        {"0F-00-00-00-00-01", false, &kMulticast},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        prompter.clear();
        EXPECT_EQ(CheckMacText(QString::fromLatin1(c.text), c.multicast), c.message ? 0 : 1);
        EXPECT_EQ(prompter.texts(), c.message ? QStringList{*c.message} : QStringList());
    }
}

TEST_F(Codecs, MacToOidIndexWritesDecimalOctets)
{
    EXPECT_EQ(MacToOidIndex("00-01-02-0A-FF-10"), ".0.1.2.10.255.16");
    EXPECT_EQ(MacToOidIndex("aa-bb-cc-dd-ee-ff"), ".170.187.204.221.238.255");
    EXPECT_EQ(MacToOidIndex("001122334455"), ".0.17.34.51.68.85");
    EXPECT_EQ(MacToOidIndex(""), "");
}

TEST_F(Codecs, ClassifyHostIp)
{
    struct Case
    {
        const char* text;
        int result;
    } const cases[] = {
        {"192.168.0.10", 1}, {"10.1.2.3", 1}, {"172.16.0.1", 1}, {"223.255.254.1", 1},
        {"126.255.255.254", 1}, {"128.0.0.1", 1},
        {"127.0.0.1", 0}, {"224.0.0.1", 0}, {"240.0.0.1", 0}, {"192.168.0.255", 0},
        {"0.1.2.3", 0}, {"172.16.0.0", 0}, {"0.0.0.0", 0}, {"255.1.2.3", 0},
        {"10.0.0.0", 0}, {"10.255.255.255", 0}, {"172.16.255.255", 0}, {"192.168.1.0", 0},
        {"1.2.3", 0}, {"1.2.3.4.5", 0}, {"1.2.3.256", 0}, {"1.2..4", 0}, {"a.b.c.d", 0},
        {"", 0}, {"192.168.0.10 ", 0}, {"192.168.0.1x", 0}, {"1234.1.1.1", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ClassifyHostIp(QString::fromLatin1(c.text)), c.result) << c.text;
    EXPECT_TRUE(prompter.texts().isEmpty());
}

TEST_F(Codecs, AddressValuesShortOfTheirLengthShowAsReceived)
{
    EXPECT_EQ(kx::MacOctetsToText(Octets({0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0xFE})), "00-1A-2B-3C-4D-FE");
    EXPECT_EQ(kx::MacOctetsToText(Octets({0, 1, 2, 3, 4, 5, 6, 7})), "00-01-02-03-04-05");
    EXPECT_EQ(kx::MacOctetsToText(Octets({0x00, 0x1A, 0x2B})), "00 1A 2B");
    EXPECT_EQ(kx::MacOctetsToText({}), "");
    EXPECT_EQ(kx::IpOctetsToText(Octets({192, 168, 0, 1})), "192.168.0.1");
    EXPECT_EQ(kx::IpOctetsToText(Octets({0xC0, 0xA8})), "C0 A8");
    EXPECT_EQ(kx::IpOctetsToText({}), "");
    // A view shorter than its buffer is read only as far as it goes.
    const QByteArray six = Octets({1, 2, 3, 4, 5, 6});
    EXPECT_EQ(kx::MacOctetsToText(QByteArrayView(six.constData(), 5)), "01 02 03 04 05");
}

// --- UTF-8 names ----------------------------------------------------------------------------

TEST_F(Codecs, Utf8ToText)
{
    const QString emoji = QString::fromUcs4(U"\U0001F600");
    struct Case
    {
        QByteArray octets;
        int result;
        QString text;
    } const cases[] = {
        {{}, 0, ""},
        {QByteArray("\0abc", 4), 0, ""},
        {QByteArray("abc\0def", 7), 1, "abc"},
        {"Gr\xc3\xbc\xc3\x9f" "e", 1, QStringLiteral("Grüße")},
        {"\xf0\x9f\x98\x80", 1, emoji},
        {"a\xff" "b", 1, QStringLiteral("a\uFFFDb")},
        {"\xe2\x82", 1, QStringLiteral("\uFFFD\uFFFD")},
        {QByteArray(300, 'a'), 1, QString(255, QLatin1Char('a'))},
        // Never half a surrogate pair at the limit.
        {QByteArray(254, 'a') + "\xf0\x9f\x98\x80", 1, QString(254, QLatin1Char('a'))},
        {QByteArray(253, 'a') + "\xf0\x9f\x98\x80", 1, QString(253, QLatin1Char('a')) + emoji},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.octets.left(16).toHex().constData());
        QString text = "stale";
        EXPECT_EQ(Utf8ToText(c.octets, text), c.result);
        EXPECT_EQ(text, c.text);
    }
    const QByteArray longer = "abcdef";
    QString text;
    EXPECT_EQ(Utf8ToText(QByteArrayView(longer.constData(), 3), text), 1);
    EXPECT_EQ(text, "abc");
}

TEST_F(Codecs, TextToUtf8WritesWholeSequencesBelowTheBufferSize)
{
    const QString emoji = QString::fromUcs4(U"\U0001F600");
    struct Case
    {
        QString text;
        qsizetype buffer;
        QByteArray utf8;
    } const cases[] = {
        {"abc", 4, "abc"},
        {"abc", 3, "ab"},
        {"abc", 0, ""},
        {QStringLiteral("aé"), 4, "a\xc3\xa9"},
        {QStringLiteral("aé"), 3, "a"},
        {QStringLiteral("€x"), 5, "\xe2\x82\xac" "x"},
        {QStringLiteral("€x"), 4, "\xe2\x82\xac"},
        {emoji, 5, "\xf0\x9f\x98\x80"},
        {emoji, 4, ""},
        {QStringLiteral("a") + emoji + QStringLiteral("b"), 6, "a\xf0\x9f\x98\x80"},
        // Half a pair is no character; Qt's encoder writes "?" for it.
        {QString(QChar(0xD83D)) + QStringLiteral("x"), 8, "?x"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString() + " / " + std::to_string(c.buffer));
        QByteArray utf8 = "stale";
        EXPECT_EQ(TextToUtf8(c.text, utf8, c.buffer), 1);
        EXPECT_EQ(utf8.toHex(), c.utf8.toHex());
    }
    // A name written and read back is the same name.
    const QString name = QStringLiteral("Étage 3 ") + emoji + QStringLiteral(" 東京");
    QByteArray utf8;
    TextToUtf8(name, utf8, 128);
    QString back;
    EXPECT_EQ(Utf8ToText(utf8, back), 1);
    EXPECT_EQ(back, name);
}

} // namespace
