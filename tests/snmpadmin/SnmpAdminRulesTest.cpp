// The SNMP administration rules without widgets or network: row indexes, the
// add checks in their order with their texts, what an accepted add writes, and
// walked rows as the device may answer them.

#include "core/snmpadmin/CSnmpAdminModel.h"

#include <gtest/gtest.h>

using namespace kx::snmpadmin;

namespace {

const QString A = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.25");

TEST(SnmpAdminRules, RowIndexes)
{
    EXPECT_EQ(CSnmpAdminModel::NameIndex("ab"), ".2.97.98");
    EXPECT_EQ(CSnmpAdminModel::NameIndex(QString::fromUtf8("\xc3\xa9")), ".2.195.169");
    EXPECT_EQ(CSnmpAdminModel::NameModelIndex("ab", "v3"), ".2.97.98.3");
    EXPECT_EQ(CSnmpAdminModel::NameModelIndex("ab", "V4"), ".2.97.98");
    EXPECT_EQ(CSnmpAdminModel::NameModelIndex("", "V1"), ".0");
    EXPECT_FALSE(CSnmpAdminModel::IsValidName("a.b"));
    EXPECT_TRUE(CSnmpAdminModel::IsValidName("a b-c_d"));
    EXPECT_EQ(CSnmpAdminModel::RowStatusRefusal("2"), "error istatus value!");
    EXPECT_EQ(CSnmpAdminModel::RowStatusRefusal("6"), "");
}

UserInput User(const QString& name, const QString& version = "V3", bool encrypted = true,
               const QString& auth = "MD5", const QString& authPassword = "authpass",
               const QString& priv = "DES", const QString& privPassword = "privpass")
{
    return {name, "grp", version, encrypted, auth, authPassword, priv, privPassword};
}

TEST(SnmpAdminRules, EveryUserRefusalInItsOrderWithItsField)
{
    const std::vector<UserRow> listed{{"ab", "grp", "V2c", "None", "", "None", "", "1"}};
    struct Case
    {
        UserInput input;
        const char* refusal;
        Field field = Field::None;
    };
    const QString s40(40, 'x');
    const QString s32(32, 'x');
    const std::vector<Case> cases = {
        {User("  "), "Please enter valid User Name "},
        {User("a/b"), "Invalid User Name ."},
        {{"u", " ", "V1", false, "MD5", "", "DES", ""}, "Please enter valid Group Name "},
        {{"u", "g?", "V1", false, "MD5", "", "DES", ""}, "Invalid Group Name."},
        {User(" ab ", "V2c", false), "This User Entry already exists."},
        {User("ab", "V3", true, "SHA", " "), "Auth-Protocol Password can't be empty."},
        {User("u", "V3", true, "MD5", s32 + "x"), " MD5 Max. Password length is 32.", Field::AuthPassword},
        {User("u", "V3", true, "SHA", s40 + "x"), " SHA Max. Password length is 40.", Field::AuthPassword},
        {User("u", "V3", true, "SHA", s40, "DES", ""), "Priv-Protocol Password can't be empty."},
        {User("u", "V3", true, "SHA", s40, "DES", s32 + "x"), " DES Max. Password length is 32.", Field::PrivPassword},
        {User("u", "V3", true, "MD5", s32, "DES", s32), ""},
        {User("u", "V3", true, "SHA", s40, "None", ""), ""},
        {User("ab", "V1", false, "MD5", ""), ""}, // another version is another row
    };
    for (const Case& c : cases) {
        const Checked<UserEntry> r = CheckUser(c.input, listed);
        EXPECT_EQ(r.refusal, c.refusal) << c.input.name.toStdString();
        EXPECT_EQ(r.field, c.field) << c.refusal;
    }
    std::vector<UserRow> fifty(kMaxUsers, UserRow{"x", "g", "V1", "None", "", "None", "", "1"});
    EXPECT_EQ(CheckUser(User("u"), fifty).refusal, "Maximum number of User Entry is 50.");
    fifty.pop_back();
    EXPECT_TRUE(CheckUser(User("u"), fifty).accepted());
}

TEST(SnmpAdminRules, GroupAndViewRefusals)
{
    const std::vector<GroupRow> groups{{"g", "", "", "", "v3", "AuthPriv", "1"}};
    struct GroupCase
    {
        GroupEntry in;
        const char* refusal;
    };
    for (const GroupCase& c : std::vector<GroupCase>{
             {{"", "v1", "NoAuthNoPriv", "", "", ""}, "Please enter valid group name!"},
             {{"g|", "v1", "NoAuthNoPriv", "", "", ""}, "Invalid Group Name."},
             {{"g", "v3", "NoAuthNoPriv", "", "", ""}, "This Group Entry already exists."},
             {{"g", "v2c", "NoAuthNoPriv", "", "", ""}, ""},
             {{" ", "v1", "NoAuthNoPriv", "", "", ""}, ""}, // the group check does not trim
         })
        EXPECT_EQ(CheckGroup(c.in, groups).refusal, c.refusal) << c.in.name.toStdString();
    EXPECT_EQ(CheckGroup({"h", "v1", "NoAuthNoPriv", "", "", ""}, std::vector<GroupRow>(kMaxGroups, groups[0])).refusal,
              "Maximum number of Group Entry is 50.");

    const std::vector<ViewRow> views{{"v", "1.3.6", "1.1.1", "Included", "1"}};
    struct ViewCase
    {
        ViewInput in;
        const char* refusal;
    };
    for (const ViewCase& c : std::vector<ViewCase>{
             {{" ", "1.3", "1", "Included"}, "Please enter valid view name."},
             {{"v;", "1.3", "1", "Included"}, "Invalid View Name."},
             {{"w", "1.3a", "1", "Included"}, "Please enter valid subtree OID"},
             {{"w", "1..3", "1", "Included"}, "Please enter valid subtree OID ."},
             {{"w", "1.3.", "1", "Included"}, "Please enter valid subtree OID ."},
             {{"w", ".1.3", "1", "Included"}, "Please enter valid subtree OID ."},
             {{"w", "", "1", "Included"}, "Please enter valid subtree OID ."},
             {{"w", "1.4294967296", "1", "Included"}, "Please enter valid subtree OID ."},
             {{"w", "1.3.6", " ", "Included"}, "Please enter valid OID Mask."},
             {{"w", "1.3.6", "1.2", "Included"}, "Please enter valid OID Mask."},
             {{"w", "1.3.6", "1..1", "Included"}, "Please enter valid OID Mask."},
             {{"w", "1.3.6", "1.1.1.1", "Included"}, "Invalid  OID length"},
             {{" v ", "1.3.6", "1", "Excluded"}, "This View Entry already exist."},
             {{"v", "1.3.6.1", "01.00", "Excluded"}, ""},
         })
        EXPECT_EQ(CheckView(c.in, views).refusal, c.refusal) << c.in.subtree.toStdString();
    EXPECT_EQ(CheckView({"w", "1.3", "1", "Included"}, std::vector<ViewRow>(kMaxViews, views[0])).refusal,
              "Maximum number of View Entry is 50.");
}

// Each request as "column.index=value" lines.
QStringList Requests(const std::vector<std::vector<kx::SetBinding>>& requests)
{
    QStringList out;
    for (const auto& bindings : requests) {
        QStringList one;
        for (const kx::SetBinding& b : bindings)
            one << b.oid.mid(A.size() + 1) + "=" +
                       (b.type == SnmpType::OctetString ? QString::fromLatin1(b.value.toHex()) : QString(b.value));
        out << one.join(' ');
    }
    return out;
}

// The SHA/DES and unencrypted V3 users and a view are the dialog suite's, read back from the device.
TEST(SnmpAdminRules, WhatAnAddWrites)
{
    EXPECT_EQ(Requests(CSnmpAdminModel::UserRequests({"ab", "V3", "g", "MD5", "AB", "None", ""})),
              (QStringList{"2.1.1.3.2.97.98.3=67", "2.1.1.4.2.97.98.3=2", "2.1.1.5.2.97.98.3=4142"}));
    EXPECT_EQ(Requests(CSnmpAdminModel::UserRequests({"ab", "V2c", "g", "None", "", "None", ""})),
              (QStringList{"2.1.1.3.2.97.98.2=67"}));
    // Only non-empty view names; model and level travel in the index only.
    EXPECT_EQ(Requests(CSnmpAdminModel::GroupRequests({"g", "v3", "AuthNoPriv", "r", "", "n"})),
              (QStringList{"3.1.1.4.1.103.3.2=72 3.1.1.6.1.103.3.2=6e"}));
    EXPECT_TRUE(CSnmpAdminModel::GroupRequests({"g", "v1", "NoAuthNoPriv", "", "", ""}).empty());
}

kx::WalkRow ViewWalkRow(const QString& index, const QByteArray& mask)
{
    return kx::WalkRow(index, {{SnmpType::OctetString, "v"},
                               {SnmpType::OctetString, mask},
                               {SnmpType::Integer, "2"},
                               {SnmpType::Integer, "1"}});
}

TEST(SnmpAdminRules, WalkedRowsReadAsTheDeviceSentThem)
{
    struct Case
    {
        QString index;
        QByteArray mask;
        const char* subtree;
        const char* shownMask;
    };
    for (const Case& c : std::vector<Case>{
             {"1.118.3.1.3.6", QByteArray("\1\1\0\1", 4), "1.3.6", "1.1.0"},
             {"1.118.3.1.3.6", QByteArray("\1", 1), "1.3.6", "1"}, // a short mask: what it has
             {"1.118.3.1.3.6", QByteArray(), "1.3.6", ""},
             {"5.118.3.1", QByteArray("\1\1", 2), "5.118.3.1", "1.1"}, // an instance that does not read
             {"", QByteArray("\1", 1), "", "1"},
         }) {
        const ViewRow row = ViewRowOf(ViewWalkRow(c.index, c.mask));
        EXPECT_EQ(row.subtree, c.subtree) << c.index.toStdString();
        EXPECT_EQ(row.mask, c.shownMask) << c.index.toStdString();
        EXPECT_EQ(row.type, "Excluded");
    }
    const UserRow user = UserRowOf(kx::WalkRow(
        "2.97.98.3", {{SnmpType::OctetString, "ab"}, {SnmpType::Integer, "3"}, {SnmpType::OctetString, "\xc3\xa9"},
                      {SnmpType::Integer, "9"}, {SnmpType::OctetString, "pw"}, {SnmpType::Integer, "2"},
                      {SnmpType::OctetString, ""}, {SnmpType::Integer, "1"}}));
    EXPECT_EQ(user.version, "V3");
    EXPECT_EQ(user.group, QString::fromUtf8("\xc3\xa9"));
    EXPECT_EQ(user.authProtocol, "9"); // a code of no table reads as received
    EXPECT_EQ(user.privProtocol, "DES_CBC");
    EXPECT_TRUE(IsActive(user));
}

TEST(SnmpAdminRules, CommunityHostEngineIdAndTrapRules)
{
    const std::vector<CommunityRow> communities{{"pub", "ReadOnly", "1"}};
    for (const auto& [name, refusal] : std::vector<std::pair<QString, QString>>{
             {" ", "Please enter valid Community Name !"}, {"a@b", "Invalid Community Name."},
             {" pub ", "This Community Entry already exists."}, {"priv", ""}})
        EXPECT_EQ(CheckCommunity(name, communities).refusal, refusal) << name.toStdString();
    EXPECT_EQ(CheckCommunity("x", std::vector<CommunityRow>(kMaxCommunities, communities[0])).refusal,
              "Maximum number of Community Entry is 10.");
    QStringList policies;
    for (const UserRow& u : std::vector<UserRow>{{"a", "", "V1", "", "", "", "", "1"}, {"a", "", "V2c", "", "", "", "", "1"},
                                                 {"b", "", "V3", "", "", "", "", "1"}, {"c", "", "V2c", "", "", "", "", "2"}})
        AddViewPolicyUser(u, policies);
    EXPECT_EQ(policies, QStringList{"a"});

    const std::vector<HostRow> hosts{{"192.168.0.10", "V1", "pub", "1"}};
    struct HostCase
    {
        HostInput in;
        const char* refusal;
        Field field = Field::None;
    };
    for (const HostCase& c : std::vector<HostCase>{
             {{3, "192.168.0.0", 0, "pub"}, "Invalid Host IP.", Field::HostAddress},
             {{4, "192.168.0.255", 0, "pub"}, "Invalid Host IP."},
             {{4, "0.1.1.1", 0, "pub"}, "Invalid Host IP."},
             {{4, "224.0.0.1", 0, "pub"}, "Invalid Host IP."},
             {{4, "192.168.0.10", 0, "pub"}, "This IP Address has used,please enter other IP Address"},
             {{4, "192.168.0.11", 0, " "}, "The Community String or SNMPv3 User Name can not be empty."},
             {{4, "192.168.0.11", 0, "a,b"}, "Invalid Community String/SNMPv3 User Name. "},
             {{4, "192.168.0.11", 4, " v3user "}, ""},
         }) {
        const Checked<HostEntry> r = CheckHost(c.in, hosts);
        EXPECT_EQ(r.refusal, c.refusal) << c.in.address.toStdString();
        EXPECT_EQ(r.field, c.field) << c.in.address.toStdString();
    }
    const HostEntry accepted = CheckHost({4, "10.1.2.3", 4, " v3user "}, hosts).entry;
    EXPECT_EQ(accepted.version, 5);
    EXPECT_EQ(accepted.name, "v3user");
    EXPECT_EQ(CheckHost({4, "10.1.2.3", 0, "x"}, std::vector<HostRow>(kMaxHosts, hosts[0])).refusal,
              "Maximum number of Host Entry is 10.");

    for (const auto& [hex, refusal] : std::vector<std::pair<QString, QString>>{
             {QString(9, '1'), "ID length is 10-64"}, {QString(65, '1'), "ID length is 10-64"},
             {"0123456789ABCDEFabcdef", ""}, {QString(64, 'f'), ""}, {"0123456789g", "the accepted character is from 0 to F"},
             {QString::fromUtf8("01234567\xd9\xa3\xd9\xa3"), "the accepted character is from 0 to F"}})
        EXPECT_EQ(EngineIdRefusal(hex), refusal) << hex.toStdString();
    // Odd-length IDs and the trap switches of KX-A1 R2 are the dialog test's.
    EXPECT_EQ(TrapSwitches("KX-C1 P").size(), 8u);
    const std::vector<TrapSwitch> plain = TrapSwitches("KX-G1");
    ASSERT_EQ(plain.size(), 5u);
    EXPECT_EQ(plain.back().oid, A + ".8.5.0");
}

} // namespace
