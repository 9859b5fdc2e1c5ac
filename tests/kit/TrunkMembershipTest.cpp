// Which group names each port, from walk rows as a device may answer them.

#include "core/kit/TrunkMembership.h"

#include <gtest/gtest.h>

using kx::TrunkMembership;
using kx::WalkRow;

namespace {

WalkRow Row(const char* index, QByteArray portList)
{
    return WalkRow{QString::fromLatin1(index), {{SnmpType::OctetString, portList}}};
}

TEST(TrunkMembership, GroupsComeFromTheMemberListsAndTheRowInstance)
{
    struct Case
    {
        const char* name;
        std::vector<WalkRow> rows;
        int ports;
        bool storeOne;
        std::vector<int> expected;
    };
    const Case cases[] = {
        {"no groups", {Row("1", QByteArray(4, '\0')), Row("2", QByteArray(4, '\0'))}, 8, false,
         {0, 0, 0, 0, 0, 0, 0, 0}},
        {"ports 7 and 8 in group 1", {Row("1", QByteArray::fromHex("03000000"))}, 8, false,
         {0, 0, 0, 0, 0, 0, 1, 1}},
        {"group from the instance, not the row order",
         {Row("5", QByteArray::fromHex("c0000000")), Row("2", QByteArray::fromHex("30000000"))}, 8,
         false, {5, 5, 2, 2, 0, 0, 0, 0}},
        {"a later row wins", {Row("1", QByteArray::fromHex("c0")), Row("3", QByteArray::fromHex("40"))},
         8, false, {1, 3, 0, 0, 0, 0, 0, 0}},
        {"members past the port count are ignored", {Row("4", QByteArray::fromHex("81800000"))}, 8,
         false, {4, 0, 0, 0, 0, 0, 0, 4}},
        {"a short list reads as far as it goes", {Row("2", QByteArray::fromHex("01"))}, 10, false,
         {0, 0, 0, 0, 0, 0, 0, 2, 0, 0}},
        {"an empty value changes nothing", {Row("2", QByteArray())}, 8, false, {0, 0, 0, 0, 0, 0, 0, 0}},
        {"the last sub-identifier of a longer instance", {Row("9.3", QByteArray::fromHex("80"))}, 8,
         false, {3, 0, 0, 0, 0, 0, 0, 0}},
        {"in any group as 1", {Row("6", QByteArray::fromHex("18"))}, 8, true, {0, 0, 0, 1, 1, 0, 0, 0}},
        {"48 ports", {Row("8", QByteArray::fromHex("0000000000010000"))}, 48, false, [] {
             std::vector<int> v(48, 0);
             v[47] = 8;
             return v;
         }()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TrunkMembership m = TrunkMembership::FromRows(c.rows, c.ports, c.storeOne);
        EXPECT_EQ(m.groups(), c.expected);
    }
}

TEST(TrunkMembership, MembersAgreeWhenEachGroupIsTakenWholeWithOneValue)
{
    // Ports 3 and 4 in group 2, ports 7 and 8 in group 5.
    const TrunkMembership m =
        TrunkMembership::FromRows({Row("2", QByteArray::fromHex("30")), Row("5", QByteArray::fromHex("03"))}, 8);
    struct Case
    {
        const char* name;
        std::vector<int> perPort;
        bool agree;
    };
    const Case cases[] = {
        {"nothing chosen", {0, 0, 0, 0, 0, 0, 0, 0}, true},
        {"ports in no group only", {1, 1, 0, 0, 1, 0, 0, 0}, true},
        {"both groups whole", {0, 0, 1, 1, 0, 0, 1, 1}, true},
        {"one member of a group", {0, 0, 1, 0, 0, 0, 0, 0}, false},
        {"the other member of a group", {0, 0, 0, 0, 0, 0, 0, 1}, false},
        {"a group whole with different values", {0, 0, 0, 0, 0, 0, 5, 6}, false},
        {"two groups with different values each whole", {0, 0, 3, 3, 0, 0, 4, 4}, true},
        {"a short list leaves the rest out", {0, 0, 1, 1, 0, 0, 1}, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(m.membersAgree(c.perPort), c.agree) << c.name;
    EXPECT_TRUE(TrunkMembership(0).membersAgree({1, 0, 1}));
}

TEST(TrunkMembership, QueriesOutsideThePortsAreZero)
{
    const TrunkMembership m = TrunkMembership::FromRows({Row("1", QByteArray::fromHex("ff"))}, 8);
    EXPECT_EQ(m.group(1), 1);
    EXPECT_EQ(m.group(8), 1);
    EXPECT_EQ(m.group(0), 0);
    EXPECT_EQ(m.group(9), 0);
    EXPECT_EQ(m.group(-3), 0);
    EXPECT_EQ(TrunkMembership(0).group(1), 0);
}

} // namespace
