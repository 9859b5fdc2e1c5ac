#include "core/kit/ValueCodecs.h"

#include "base/Prompter.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <set>

namespace {

QByteArray Hex(const char* hex)
{
    return QByteArray::fromHex(hex);
}

const QString kInvalid = QStringLiteral("Invalid Portlist");
const QString kFormat = QStringLiteral("Please enter correct MAC format(ex:00-00-00-00-00-01)");
const QString kBroadcast = QStringLiteral("Broadcast MAC is not allowed.");
const QString kMulticast = QStringLiteral("Multicast MAC is not allowed.");

class Codecs : public ::testing::Test
{
protected:
    kx::RecordingPrompter prompter;
    kx::ScopedPrompter scope{&prompter};
};

TEST_F(Codecs, WrittenPortListFollowsThePortCount)
{
    struct Case { int ports; std::set<int> members; const char* hex; const char* padded; };
    const Case cases[] = {
        {8, {1, 3, 8}, "a1", "a1000000"},
        {10, {1, 10}, "804", "80400000"},
        {20, {17, 20}, "00009", "00009000"},
        {28, {28}, "0000001", "00000010"},
        {48, {1, 48}, "800000000001", "8000000000010000"},
        {52, {52}, "0000000000001", "0000000000001000"},
        {12, {12}, "001", "001"},  // no padding rule
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ports);
        kx::PortFlags flags(static_cast<size_t>(c.ports), 0);
        for (int p : c.members)
            flags[static_cast<size_t>(p - 1)] = p == 1 ? 2 : 1;  // any non-zero value is a member
        QString hex;
        PortFlagsToHex(flags, hex, c.ports);
        EXPECT_EQ(hex, QLatin1String(c.hex));
        EXPECT_EQ(PadPortHex(hex, c.ports), 1);
        EXPECT_EQ(hex, QLatin1String(c.padded));
    }
}

TEST_F(Codecs, HexToOctetsKeepsToTheBufferAndRefusesNonHex)
{
    struct Case { const char* hex; qsizetype buffer; int result; const char* octets; };
    const Case cases[] = {
        {"a1000000", 4, 1, "a1000000"}, {"abc", 4, 1, "abc0"}, {"A1B2C3", 2, 1, "a1b2"},
        {"", 4, 1, ""}, {"a1", 0, 1, ""}, {"0x12", 4, 0, ""}, {"12 34", 4, 0, ""},
    };
    for (const Case& c : cases) {
        QByteArray octets = "stale";
        EXPECT_EQ(HexToOctets(QString::fromLatin1(c.hex), octets, c.buffer), c.result) << c.hex;
        EXPECT_EQ(octets.toHex(), c.octets) << c.hex;
    }
}

TEST_F(Codecs, ReadPortListsNeverReachPastTheValue)
{
    struct Case { int ports; const char* octets; const char* numbers; const char* ranges; int count; };
    const Case cases[] = {
        {8, "00", "", "", 0},
        {8, "ff", "1,2,3,4,5,6,7,8", "1-8", 8},
        {8, "10", "4", "4", 1},
        {8, "c0", "1,2", "1-2", 2},
        {8, "eb", "1,2,3,5,7,8", "1-3,5,7-8", 6},
        {8, "41ffffff", "2,8", "2,8", 2},
        {8, "", "", "", 0},
        {10, "80", "1", "1", 1},  // the second octet is absent
        {16, "0180", "8,9", "8-9", 2},
        {52, "000000000000f8", "49,50,51,52,53", "49-52", 4},  // 53 is no port
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.octets);
        QString numbers = "stale";
        QString ranges = "Ports: ";
        const int numberCount = PortListToNumberText(Hex(c.octets), numbers, c.ports);
        EXPECT_EQ(numbers, QLatin1String(c.numbers));
        EXPECT_EQ(PortListToRangeText(Hex(c.octets), ranges, c.ports), c.count);
        EXPECT_EQ(ranges, QLatin1String("Ports: ") + QLatin1String(c.ranges));
        EXPECT_EQ(numberCount, numbers.isEmpty() ? 0 : numbers.count(QLatin1Char(',')) + 1);
    }
    QString inRange;
    EXPECT_EQ(PortListToRangeText(Hex("ff"), 3, 5, inRange), 3);
    EXPECT_EQ(inRange, "3-5");
}

TEST_F(Codecs, ParsePortRangeText)
{
    struct Case { const char* text; int ports; int result; std::set<int> set; };
    const Case cases[] = {
        {"", 8, 1, {}}, {"3-1", 8, 1, {}}, {"1-3,5", 8, 1, {1, 2, 3, 5}}, {"1,", 8, 1, {1}},
        {" 2 - 4", 8, 1, {2, 3, 4}}, {"49-52", 52, 1, {49, 50, 51, 52}},
        {"0", 8, 0, {}}, {"9", 8, 0, {}},
        {"5-12", 8, 0, {5, 6, 7, 8}},  // ports set before the refusal stay set
        {"1,,3", 8, 0, {1}}, {"2,-3", 8, 0, {2}},
        {"1-99999999999999", 8, 0, {1, 2, 3, 4, 5, 6, 7, 8}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        kx::PortFlags flags;
        QString refusal;
        EXPECT_EQ(ParsePortRangeText(QString::fromLatin1(c.text), flags, c.ports, &refusal), c.result);
        kx::PortFlags expected(static_cast<size_t>(c.ports), 0);
        for (int p : c.set)
            expected[static_cast<size_t>(p - 1)] = 1;
        EXPECT_EQ(flags, expected);
        EXPECT_EQ(refusal, c.result ? QString() : kInvalid);
    }

    kx::PortFlags flags(8, 0);
    ParsePortNumberText("1,2,5,0,9,-1", flags, 2, 8);
    EXPECT_EQ(flags, (kx::PortFlags{2, 2, 0, 0, 2, 0, 0, 0}));
}

TEST_F(Codecs, CharacterChecks)
{
    for (QChar c : QStringLiteral("~`!@#$%^&*{}[]|\\:;\"'<>,.?/")) {
        EXPECT_EQ(CheckNameChars(QStringLiteral("ab") + c), 0) << c.toLatin1();
        EXPECT_EQ(CheckPortTextChars(QString(c) + QStringLiteral("1")), c == QLatin1Char(',')) << c.toLatin1();
    }
    EXPECT_EQ(CheckNameChars(QStringLiteral("vlan-2 a_b(c)+=Ü")), 1);
    EXPECT_EQ(CheckPortTextChars(" 1 - 3 , 5 "), 1);
    EXPECT_EQ(CheckPortTextChars("1-a"), 0);
    EXPECT_EQ(CheckPortTextChars("Z"), 0);
}

TEST_F(Codecs, CheckMacTextRefusesWithTheFirstFailingRule)
{
    struct Case { const char* text; bool multicast; const QString* message; };
    const Case cases[] = {
        {"00-00-00-00-00-01", false, nullptr}, {"0a-1b-2c-3d-4e-5f", false, nullptr},
        {"01-00-5E-00-00-01", true, nullptr},
        {"00:00:00:00:00:01", false, &kFormat}, {"00-00-00-00-00-00", false, &kFormat},
        {"00-00-00-00-00-1", false, &kFormat}, {"00-00-00-00-00-0G", false, &kFormat},
        {"00-00-00-00-00--1", false, &kFormat},
        {"FF-FF-FF-FF-FF-FF", true, &kBroadcast}, {"ff-ff-FF-ff-ff-fF", false, &kBroadcast},
        {"01-00-5E-00-00-01", false, &kMulticast}, {"0F-00-00-00-00-01", false, &kMulticast},
    };
    for (const Case& c : cases) {
        QString refusal;
        EXPECT_EQ(CheckMacText(QString::fromLatin1(c.text), c.multicast, &refusal), c.message ? 0 : 1) << c.text;
        EXPECT_EQ(refusal, c.message ? *c.message : QString()) << c.text;
    }
    EXPECT_EQ(MacToOidIndex("00-01-02-0A-FF-10"), ".0.1.2.10.255.16");
    EXPECT_EQ(MacToOidIndex("aabbccddeeff"), ".170.187.204.221.238.255");
}

TEST_F(Codecs, ClassifyHostIp)
{
    for (const char* usable : {"192.168.0.10", "10.1.2.3", "172.16.0.1", "223.255.254.1", "128.0.0.1"})
        EXPECT_EQ(ClassifyHostIp(usable), 1) << usable;
    for (const char* refused :
         {"127.0.0.1", "224.0.0.1", "240.0.0.1", "192.168.0.255", "0.1.2.3", "172.16.0.0", "0.0.0.0",
          "10.255.255.255", "172.16.255.255", "1.2.3", "1.2.3.4.5", "1.2.3.256", "1.2..4", "", "1.2.3.4 ",
          "192.168.0.1x", "1234.1.1.1"})
        EXPECT_EQ(ClassifyHostIp(refused), 0) << refused;
}

TEST_F(Codecs, AddressValuesShortOfTheirLengthShowAsReceived)
{
    EXPECT_EQ(kx::MacOctetsToText(Hex("001a2b3c4dfe")), "00-1A-2B-3C-4D-FE");
    EXPECT_EQ(kx::MacOctetsToText(Hex("0001020304050607")), "00-01-02-03-04-05");
    EXPECT_EQ(kx::MacOctetsToText(Hex("001a2b")), "00 1A 2B");
    EXPECT_EQ(kx::IpOctetsToText(Hex("c0a80001")), "192.168.0.1");
    EXPECT_EQ(kx::IpOctetsToText(Hex("c0a8")), "C0 A8");
    EXPECT_EQ(kx::IpOctetsToText({}), "");
    const QByteArray six = Hex("010203040506");
    EXPECT_EQ(kx::MacOctetsToText(QByteArrayView(six.constData(), 5)), "01 02 03 04 05");
}

TEST_F(Codecs, Utf8Names)
{
    const QString emoji = QString::fromUcs4(U"\U0001F600");
    struct Decode { QByteArray octets; int result; QString text; };
    const Decode decodes[] = {
        {{}, 0, ""},
        {QByteArray("\0abc", 4), 0, ""},
        {QByteArray("abc\0def", 7), 1, "abc"},
        {"Gr\xc3\xbc\xc3\x9f" "e", 1, QStringLiteral("Grüße")},
        {"\xf0\x9f\x98\x80", 1, emoji},
        {"a\xff" "b", 1, QStringLiteral("a\uFFFDb")},
        {QByteArray(300, 'a'), 1, QString(255, QLatin1Char('a'))},
        {QByteArray(254, 'a') + "\xf0\x9f\x98\x80", 1, QString(254, QLatin1Char('a'))},  // no half pair
    };
    for (const Decode& d : decodes) {
        QString text = "stale";
        EXPECT_EQ(Utf8ToText(d.octets, text), d.result) << d.octets.left(8).toHex().constData();
        EXPECT_EQ(text, d.text) << d.octets.left(8).toHex().constData();
    }

    struct Encode { QString text; qsizetype buffer; QByteArray utf8; };
    const Encode encodes[] = {
        {"abc", 4, "abc"}, {"abc", 3, "ab"}, {"abc", 0, ""},
        {QStringLiteral("aé"), 3, "a"}, {QStringLiteral("€x"), 4, "\xe2\x82\xac"},
        {emoji, 5, "\xf0\x9f\x98\x80"}, {emoji, 4, ""},
        {QString(QChar(0xD83D)) + QStringLiteral("x"), 8, "?x"},  // Qt writes half a pair as "?"
    };
    for (const Encode& e : encodes) {
        QByteArray utf8 = "stale";
        EXPECT_EQ(TextToUtf8(e.text, utf8, e.buffer), 1);
        EXPECT_EQ(utf8.toHex(), e.utf8.toHex()) << e.text.toStdString() << " / " << e.buffer;
    }
}

} // namespace
