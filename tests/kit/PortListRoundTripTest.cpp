// A port set written and read back through the whole chain comes back unchanged:
// flags -> hex -> padding -> octets -> number text / range text -> flags.
#include "core/kit/ValueCodecs.h"

#include "base/Prompter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

QByteArray ExpectRoundTrip(const kx::PortFlags& flags, int ports)
{
    QString hex;
    PortFlagsToHex(flags, hex, ports);
    PadPortHex(hex, ports);
    QByteArray octets;
    EXPECT_EQ(HexToOctets(hex, octets, 8), 1);
    EXPECT_EQ(octets.size(), kx::PortListOctetCount(ports));
    EXPECT_EQ(kx::PortFlagsToPortList(flags, ports), octets);

    const int members = static_cast<int>(std::count(flags.begin(), flags.end(), 1));
    QString numbers, ranges;
    EXPECT_EQ(PortListToNumberText(octets, numbers, ports), members);
    EXPECT_EQ(PortListToRangeText(octets, ranges, ports), members);
    kx::PortFlags fromNumbers(static_cast<size_t>(ports), 0), fromRanges;
    ParsePortNumberText(numbers, fromNumbers, 1, ports);
    EXPECT_EQ(CheckPortTextChars(ranges), 1);
    EXPECT_EQ(ParsePortRangeText(ranges, fromRanges, ports), 1) << ranges.toStdString();
    EXPECT_EQ(fromNumbers, flags);
    EXPECT_EQ(fromRanges, flags);
    EXPECT_EQ(kx::PortListToFlags(octets, ports), flags);
    return octets;
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
        int octet = 0;  // on the wire port 1 is the top bit
        for (int p = 0; p < 8; ++p) {
            flags[static_cast<size_t>(p)] = (set >> p) & 1;
            octet |= ((set >> p) & 1) << (7 - p);
        }
        const QByteArray octets = ExpectRoundTrip(flags, 8);
        EXPECT_EQ(octets, QByteArray(1, static_cast<char>(octet)) + QByteArray(3, '\0'));
    }
}

TEST_F(PortListRoundTrip, SpotChecksForLargerDevices)
{
    std::mt19937 random(4711);
    for (int ports : {10, 16, 20, 24, 28, 48, 52}) {
        SCOPED_TRACE(ports);
        const size_t n = static_cast<size_t>(ports);
        std::vector<kx::PortFlags> sets(4, kx::PortFlags(n, 0));
        std::fill(sets[1].begin(), sets[1].end(), 1);
        sets[2].front() = sets[3].back() = 1;
        for (int k = 0; k < 40; ++k) {
            sets.emplace_back(n, 0);
            for (int& f : sets.back())
                f = static_cast<int>(random() & 1);
        }
        for (const kx::PortFlags& flags : sets)
            ExpectRoundTrip(flags, ports);
    }
}

} // namespace
