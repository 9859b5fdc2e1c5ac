// The write rules of the IGMP Applies on texts, each state transition the
// dialog test does not make.

#include "core/l2/IgmpLogic.h"

#include <gtest/gtest.h>

using namespace kx::l2;

namespace {

// Each request as "OID-tail=value ...", the OIDs after "10.".
std::vector<std::string> Texts(const std::vector<std::vector<kx::SetBinding>>& requests)
{
    std::vector<std::string> out;
    for (const auto& request : requests) {
        std::string line;
        for (const kx::SetBinding& b : request) {
            const QString oid = b.oid.mid(b.oid.indexOf(QLatin1String(".13.10.")) + 7);
            line += (line.empty() ? "" : " ") + oid.toStdString() + "=" + b.value.toStdString();
        }
        out.push_back(line);
    }
    return out;
}

TEST(IgmpLogic, GlobalApplyWritesTheStateFirstAndOnlyChangedValuesWhileOn)
{
    const QStringList read = {"2", "260", "260", "2", "1", "125", "10", "2"};
    const struct
    {
        const char* name;
        QStringList wanted;
        QStringList lastRead;
        std::vector<std::string> requests;
    } cases[] = {
        {"turns on unchanged", {"1", "260", "260", "2", "1", "125", "10", "2"}, read, {"1.1.0=1"}},
        {"stays on", {"1", "260", "400", "2", "1", "125", "10", "2"},
         {"1", "260", "260", "2", "1", "125", "10", "2"}, {"1.3.0=400"}},
        // Nothing was read: every value counts as changed.
        {"turns on after a failed read", {"1", "260", "260", "2", "1", "125", "10", "2"}, {},
         {"1.1.0=1", "1.2.0=260 1.3.0=260 1.4.0=2 1.5.0=1 1.6.0=125 1.7.0=10 1.8.0=2"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Texts(IgmpGlobalRequests(c.wanted, c.lastRead)), c.requests) << c.name;
}

TEST(IgmpLogic, VlanApplyWritesTheThreeCasesByTheListedState)
{
    const std::vector<QStringList> rows = {{"1", "default", "Disabled", "Disabled", "Disabled", ""},
                                           {"7", "seven", "Enabled", "Enabled", "Disabled", "1"}};
    const struct
    {
        const char* vid;
        int state;
        bool ask;
        std::vector<std::string> requests;
    } cases[] = {
        {"1", 1, true, {}},
        {"7", 0, false, {"3.4.1.4.7=1 3.4.1.8.7=2"}},
        {"9", 0, false, {"3.4.1.2.9=1", "3.4.1.4.9=1 3.4.1.8.9=2"}}, // not listed: taken as off
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.vid) + " " + std::to_string(c.state));
        const IgmpVlanApply apply = DecideIgmpVlanApply(c.vid, c.state, 0, 1, rows);
        EXPECT_FALSE(apply.nothing);
        EXPECT_EQ(apply.ask, c.ask);
        EXPECT_EQ(Texts(apply.requests), c.requests);
    }
    EXPECT_TRUE(DecideIgmpVlanApply("", 1, 0, 0, rows).nothing);
}

} // namespace
