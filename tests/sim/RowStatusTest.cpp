// Row status on the private tables: the creation and deletion matrix, the
// columns a new row takes from its index, protected rows and capacities.

#include "tests/sim/SnmpTools.h"

#include <gtest/gtest.h>

#include <functional>

namespace kxtest {
namespace {

class RowStatusTest : public SharedSimTest {};

// ARP spoofing gateway 10.0.0.1: no rows by default.
const std::string kArp = "14.3.1.1";
const std::string kArpRow = ".10.0.0.1";

std::string ArpStatus()
{
    return Pv(kArp + ".4" + kArpRow);
}

TEST_F(RowStatusTest, Matrix)
{
    struct Case
    {
        const char* what;
        bool rowExists;
        std::string write; // a status value, or "column"
        std::string v2;    // expected error status, "" for none
        std::string v1;
        std::string after; // row status afterwards, "" when the row is absent
    };
    const std::vector<Case> cases = {
        {"createAndWait on absent", false, "5", "", "", "2"},
        {"createAndGo on absent", false, "4", "", "", "1"},
        {"active on absent", false, "1", "inconsistentValue", "noSuchName", ""},
        {"notInService on absent", false, "2", "inconsistentValue", "badValue", ""},
        {"destroy on absent", false, "6", "", "", ""},
        {"column on absent", false, "column", "noCreation", "noSuchName", ""},
        {"notReady is never written", false, "3", "wrongValue", "badValue", ""},
        {"createAndWait on existing", true, "5", "inconsistentValue", "badValue", "1"},
        {"createAndGo on existing", true, "4", "inconsistentValue", "badValue", "1"},
        {"active on existing", true, "1", "", "", "1"},
        {"notInService on existing", true, "2", "", "", "2"},
        {"destroy on existing", true, "6", "", "", ""},
        {"column on existing", true, "column", "", "", "1"},
    };
    for (const bool v1 : {false, true}) {
        for (const auto& c : cases) {
            sim->control("reset");
            if (c.rowExists) {
                ASSERT_EQ(Set(*sim, {ArpStatus(), "i", "4"}).exitCode, 0);
            }
            const std::vector<std::string> triple =
                c.write == "column" ? std::vector<std::string>{Pv(kArp + ".2" + kArpRow), "x", "001122334455"}
                                    : std::vector<std::string>{ArpStatus(), "i", c.write};
            const ToolResult r = Set(*sim, triple, v1 ? V1Write() : V2cWrite());
            EXPECT_EQ(r.status(), v1 ? c.v1 : c.v2) << c.what << (v1 ? " (v1)" : " (v2c)");
            EXPECT_EQ(sim->value(ArpStatus()).value_or(""), c.after) << c.what << (v1 ? " (v1)" : " (v2c)");
        }
    }
}

TEST_F(RowStatusTest, CreateWithColumnsInOneRequestAndWalkEveryStatus)
{
    // createAndWait, then the module's column sets, then active.
    ASSERT_EQ(Set(*sim, {Pv("7.6.1.5.20"), "i", "5"}).exitCode, 0);
    EXPECT_EQ(sim->value(Pv("7.6.1.5.20")), "2");
    // A walk shows the row although it is not active (the module filters on "1").
    const ToolResult walk = Walk(*sim, Pv("7.6.1.5"));
    ASSERT_EQ(walk.varbinds.size(), 2u);
    EXPECT_EQ(walk.varbinds[1].value, "2");
    ASSERT_EQ(Set(*sim, {Pv("7.6.1.2.20"), "x", "F0000000", Pv("7.6.1.4.20"), "x", "C0000000", Pv("7.6.1.1.20"),
                         "s", "cams", Pv("7.6.1.5.20"), "i", "1"})
                  .exitCode,
              0);
    EXPECT_EQ(sim->value(Pv("7.6.1.5.20")), "1");
    // createAndGo with columns in the same request.
    ASSERT_EQ(Set(*sim, {Pv(kArp + ".4" + kArpRow), "i", "4", Pv(kArp + ".2" + kArpRow), "x", "00AABBCCDDEE"})
                  .exitCode,
              0);
    EXPECT_EQ(sim->value(Pv(kArp + ".2" + kArpRow)), "00-AA-BB-CC-DD-EE");
}

TEST_F(RowStatusTest, ColumnsTakenFromTheIndex)
{
    struct Case
    {
        std::string statusColumn; // under the private arc
        std::string instance;
        std::string status;
        std::vector<std::pair<std::string, std::string>> derived; // column under the arc, value
    };
    const std::string ab = ".2.97.98"; // NameIndex("ab")
    const std::vector<Case> cases = {
        {"25.2.1.1.8", ab + ".2", "5", {{"25.2.1.1.1", "ab"}, {"25.2.1.1.2", "2"}}},
        {"25.3.1.1.7", ".1.103.3.2", "5", {{"25.3.1.1.1", "g"}, {"25.3.1.1.2", "3"}, {"25.3.1.1.3", "2"}}},
        {"25.4.1.1.5", ab + ".4.1.3.6.1", "5", {{"25.4.1.1.1", "ab"}}},
        {"25.5.1.1.3", ab, "5", {{"25.5.1.1.1", "ab"}}},
        {"25.6.1.1.4", ".192.168.0.10", "5", {{"25.6.1.1.1", "192.168.0.10"}}},
        {"14.3.1.1.4", ".10.0.0.9", "4", {{"14.3.1.1.1", "10.0.0.9"}}},
        {"14.7.2.1.3", ".3", "5", {{"14.7.2.1.1", "3"}}},
        {"14.10.3.1.4", ".10.0.0.7.0.17.34.51.68.85", "5",
         {{"14.10.3.1.1", "10.0.0.7"}, {"14.10.3.1.2", "00-11-22-33-44-55"}}},
        {"26.2.1.1.5", ".0.17.34.0.0.0", "4", {{"26.2.1.1.1", "00-11-22-00-00-00"}}},
        {"32.1.1.21", ".2", "5", {{"32.1.1.1", "2"}}},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(Set(*sim, {Pv(c.statusColumn + c.instance), "i", c.status}).exitCode, 0) << c.statusColumn;
        for (const auto& [column, value] : c.derived)
            EXPECT_EQ(sim->value(Pv(column + c.instance)), value) << column;
    }
}

TEST_F(RowStatusTest, ProtectedRowsStay)
{
    for (const std::string row : {"7.6.1.5.1", "26.2.1.1.5.2.165.17.0.0.0", "26.2.1.1.5.2.165.18.0.0.0"}) {
        EXPECT_EQ(Set(*sim, {Pv(row), "i", "6"}).status(), "inconsistentValue") << row;
        EXPECT_EQ(sim->value(Pv(row)), "1") << row;
    }
}

TEST_F(RowStatusTest, CapacitiesEndInResourceUnavailable)
{
    struct Case
    {
        std::string statusColumn;
        int existing;
        int capacity;
        std::function<std::string(int)> instance;
        // A community only goes active with a V1 or V2c user behind it.
        const char* fill = "4";
    };
    // Appends only: GCC 12 at -O3 misreads "literal" + std::string as overlapping copies.
    auto num = [](const char* prefix, int i) {
        std::string s = prefix;
        s += std::to_string(i);
        return s;
    };
    auto name = [num](int i) {
        const std::string n = num("r", i);
        std::string idx = num(".", static_cast<int>(n.size()));
        for (char c : n)
            idx += num(".", static_cast<int>(c));
        return idx;
    };
    const std::vector<Case> cases = {
        {"7.6.1.5", 1, 256, [num](int i) { return num(".", 100 + i); }},
        {"14.3.1.1.4", 0, 64, [num](int i) { return num(".10.0.1.", i); }},
        {"25.2.1.1.8", 5, 50, [name](int i) { return name(i) + ".3"; }},
        {"25.3.1.1.7", 5, 50, [name](int i) { return name(i) + ".3.1"; }},
        {"25.4.1.1.5", 3, 50, [name](int i) { return name(i) + ".1.1"; }},
        {"25.5.1.1.3", 2, 10, name, "5"},
        {"25.6.1.1.4", 0, 10, [num](int i) { return num(".10.0.2.", i); }},
        {"26.2.1.1.5", 2, 7, [num](int i) { return num(".0.17.34.0.0.", i); }},
    };
    for (const auto& c : cases) {
        sim->control("reset");
        // Fill the table in requests of up to 40 bindings.
        std::vector<std::string> triples;
        int i = 0;
        for (int n = c.existing; n < c.capacity; ++n) {
            triples.insert(triples.end(), {Pv(c.statusColumn + c.instance(++i)), "i", c.fill});
            if (triples.size() == 120 || n + 1 == c.capacity) {
                ASSERT_EQ(Set(*sim, triples).exitCode, 0) << c.statusColumn;
                triples.clear();
            }
        }
        const ToolResult full = Set(*sim, {Pv(c.statusColumn + c.instance(++i)), "i", "4"});
        EXPECT_EQ(full.status(), "resourceUnavailable") << c.statusColumn;
        EXPECT_EQ(Set(*sim, {Pv(c.statusColumn + c.instance(i)), "i", "4"}, V1Write()).status(), "genErr")
            << c.statusColumn;
    }
}

} // namespace
} // namespace kxtest
