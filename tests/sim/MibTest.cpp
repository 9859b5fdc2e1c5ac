// KX-SWITCH-MIB as kxsim writes it from its profile: what the device does must
// show in the module, and a profile the name list does not match exactly must
// be refused rather than described in part.

#include "sim/Mib.h"

#include <cctype>
#include <gtest/gtest.h>

namespace kxsim {
namespace {

std::string Write(const std::string& profileText, std::string& mib)
{
    Profile profile;
    const std::string err = LoadProfile(profileText, ProfileContext{}, profile);
    EXPECT_EQ(err, "");
    return WriteMib(profile, mib);
}

std::string Replaced(std::string text, const std::string& from, const std::string& to)
{
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

// Blanks and line breaks as single blanks: descriptions are wrapped.
std::string Words(std::string_view text)
{
    std::string out;
    for (char c : text)
        if (!std::isspace(static_cast<unsigned char>(c)))
            out += c;
        else if (!out.empty() && out.back() != ' ')
            out += ' ';
    return out;
}

// An object's definition, up to its OID.
std::string Definition(const std::string& mib, const std::string& name)
{
    const auto at = mib.find("\n" + name + " OBJECT-TYPE");
    EXPECT_NE(at, std::string::npos) << name;
    return at == std::string::npos ? "" : Words(mib.substr(at, mib.find("::=", at) - at));
}

TEST(MibTest, DescribesWhatTheDeviceDoes)
{
    std::string mib;
    ASSERT_EQ(Write(std::string(BuiltinProfile()), mib), "");
    const struct
    {
        const char* object;
        const char* text;
    } cases[] = {
        // A command object reads its resting value between writes.
        {"kxSysReboot", "INTEGER { idle(0), reboot(1) }"},
        // An index part no column serves gets a not-accessible column.
        {"dot1qVlanStaticEntry", "INDEX       { dot1qVlanIndex }"},
        {"dot1qVlanIndex", "Integer32 (1..4094)\n    MAX-ACCESS  not-accessible"},
        // A served index column takes the index's range.
        {"kxTimeProfileId", "Integer32 (1..8)\n    MAX-ACCESS  read-create"},
        {"dot1qVlanStaticTable", "at most 256 rows. It refuses to destroy the row with index 1."},
        {"dot1qVlanStaticRowState", "RowStatus"},
        {"dot1qVlanStaticName", "KxUtf8String (SIZE (0..128))"},
        {"kxRstpPortPriority", "multiples of 16 are accepted"},
        {"kxSurvOuiMask", "DEFVAL      { 'FFFFFFFFFFFF'H }"},
        {"kxSnmpViewType", "DEFVAL      { included }"},
    };
    for (const auto& c : cases)
        EXPECT_NE(Definition(mib, c.object).find(Words(c.text)), std::string::npos)
            << c.object << ": " << c.text;
    EXPECT_NE(mib.find("GROUP kxPoeGroup"), std::string::npos) << "PoE is not mandatory";
}

TEST(MibTest, RefusesAProfileTheNamesDoNotMatch)
{
    const std::string builtin(BuiltinProfile());
    const struct
    {
        std::string profile;
        const char* error;
    } cases[] = {
        {builtin + "P.1.99.0 i W 0\n", "no name for P.1.99"},
        {builtin + "table P.40.1.1 index=int\ncolumn 2 i W 1\n", "index parts without a column"},
        {Replaced(builtin, "P.24.5.0 i(1..8192) W 2\n", ""),
         "kxLldpTxDelay (P.24.5) has no object"},
        {Replaced(builtin, "P.24.1.0 i(1|2) W 1", "P.24.1.0 i(1..3) W 1"),
         "kxLldpState: the labels"},
        {Replaced(builtin, "column 2 s(..20c) C \"\"", "column 2 s(..80c) C \"\""), "too long"},
    };
    for (const auto& c : cases) {
        std::string mib;
        EXPECT_NE(Write(c.profile, mib).find(c.error), std::string::npos) << c.error;
        EXPECT_EQ(mib, "");
    }
}

} // namespace
} // namespace kxsim
