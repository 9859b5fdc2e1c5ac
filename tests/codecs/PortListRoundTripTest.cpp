// A port set written and read back through every codec of the chain must come
// back unchanged: flags -> hex -> padding -> octets -> number text / range text
// -> flags.
#include "snmp/ValueCodecs.h"

#include "app/Prompter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

struct RoundTrip
{
    QByteArray octets;
    kx::PortFlags fromNumbers;
    kx::PortFlags fromRanges;
    int numberCount = 0;
    int rangeCount = 0;
    int rangeResult = 0;
};

RoundTrip RunChain(const kx::PortFlags& flags, int ports)
{
    RoundTrip r;
    QString hex;
    PortFlagsToHex(flags, hex, ports);
    PadPortHex(hex, ports);
    EXPECT_EQ(HexToOctets(hex, r.octets, kx::PortListOctetCount(ports)), 1);

    QString numbers;
    r.numberCount = PortListToNumberText(r.octets, numbers, ports);
    r.fromNumbers.assign(static_cast<size_t>(ports), 0);
    ParsePortNumberText(numbers, r.fromNumbers, 1, ports);

    QString ranges;
    r.rangeCount = PortListToRangeText(r.octets, 1, ports, ranges);
    EXPECT_EQ(CheckPortTextChars(ranges), 1) << ranges.toStdString();
    r.rangeResult = ParsePortRangeText(ranges, r.fromRanges, ports);
    return r;
}

void Expect(const kx::PortFlags& flags, int ports)
{
    const int members = static_cast<int>(std::count(flags.begin(), flags.end(), 1));
    const RoundTrip r = RunChain(flags, ports);
    EXPECT_EQ(r.octets.size(), kx::PortListOctetCount(ports));
    EXPECT_EQ(r.numberCount, members);
    EXPECT_EQ(r.rangeCount, members);
    EXPECT_EQ(r.rangeResult, 1);
    EXPECT_EQ(r.fromNumbers, flags);
    EXPECT_EQ(r.fromRanges, flags);
    EXPECT_EQ(kx::PortFlagsToPortList(flags, ports), r.octets);
    EXPECT_EQ(kx::PortListToFlags(r.octets, ports), flags);
}

class PortListRoundTrip : public ::testing::Test
{
protected:
    kx::RecordingPrompter prompter;
    kx::ScopedPrompter scope{&prompter};
    void TearDown() override { EXPECT_TRUE(prompter.texts().isEmpty()); }
};

TEST_F(PortListRoundTrip, EverySetOfEightPorts)
{
    for (int set = 0; set < 256; ++set) {
        SCOPED_TRACE(set);
        kx::PortFlags flags(8, 0);
        for (int p = 0; p < 8; ++p)
            flags[static_cast<size_t>(p)] = (set >> p) & 1;
        Expect(flags, 8);
        // On the wire port 1 is the top bit of the first octet.
        const RoundTrip r = RunChain(flags, 8);
        int octet = 0;
        for (int p = 0; p < 8; ++p)
            octet |= flags[static_cast<size_t>(p)] << (7 - p);
        EXPECT_EQ(static_cast<unsigned char>(r.octets[0]), octet);
        EXPECT_EQ(r.octets.mid(1), QByteArray(3, '\0'));
    }
}

TEST_F(PortListRoundTrip, SpotChecksForLargerDevices)
{
    std::mt19937 random(4711);
    for (int ports : {10, 16, 20, 24, 28, 48, 52}) {
        SCOPED_TRACE(ports);
        const size_t n = static_cast<size_t>(ports);
        std::vector<kx::PortFlags> sets = {
            kx::PortFlags(n, 0), kx::PortFlags(n, 1), kx::PortFlags(n, 0), kx::PortFlags(n, 0),
            kx::PortFlags(n, 0),
        };
        sets[2].front() = 1;
        sets[3].back() = 1;
        for (size_t i = 0; i < n; i += 2)
            sets[4][i] = 1;
        for (int k = 0; k < 50; ++k) {
            kx::PortFlags flags(n, 0);
            for (int& f : flags)
                f = static_cast<int>(random() & 1);
            sets.push_back(flags);
        }
        for (const kx::PortFlags& flags : sets)
            Expect(flags, ports);
    }
}

} // namespace
