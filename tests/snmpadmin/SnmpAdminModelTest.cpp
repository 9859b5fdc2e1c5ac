// CSnmpAdminModel against the simulated switch, without widgets: its walks,
// its add and delete sequences as the device receives them.

#include "core/snmpadmin/CSnmpAdminModel.h"
#include "tests/snmpadmin/SnmpAdminTestSupport.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace kxtest;
using namespace kxtest::snmpadmin;
using namespace kx::snmpadmin;

namespace {

class SnmpAdminModel : public SimSuite<>
{
protected:
    // Runs one plan to its end.
    static void Run(const kx::ReadPlan& plan)
    {
        kx::Reader reader;
        QSignalSpy finished(&reader, &kx::Reader::finished);
        reader.run(plan);
        ASSERT_TRUE(finished.wait(8000));
    }
    static std::vector<UserRow> Users(CSnmpAdminModel& model)
    {
        std::vector<UserRow> rows;
        Run(model.WalkUsers([&rows](const UserRow& row) { rows.push_back(row); }));
        return rows;
    }
};

TEST_F(SnmpAdminModel, WalksReadTheTablesTheDeviceHolds)
{
    CSnmpAdminModel model;
    PutUser(harness->sim(), "off", 1, 2);
    const std::vector<UserRow> users = Users(model);
    QStringList seen;
    for (const UserRow& u : users)
        seen << u.name + "/" + u.version + "/" + u.group + "/" + u.rowStatus;
    EXPECT_EQ(seen, (QStringList{"off/V1/grp/2", "initial/V3/initial/1", "ReadOnly/V1/ReadOnly/1",
                                 "ReadOnly/V2c/ReadOnly/1", "ReadWrite/V1/ReadWrite/1", "ReadWrite/V2c/ReadWrite/1"}));

    std::vector<GroupRow> groups;
    Run(model.WalkGroups([&groups](const GroupRow& row) { groups.push_back(row); }));
    ASSERT_EQ(groups.size(), 5u);
    EXPECT_EQ(groups[0].name + "/" + groups[0].model + "/" + groups[0].level + "/" + groups[0].readView,
              "initial/v3/NoAuthNoPriv/restricted");

    std::vector<ViewRow> views;
    Run(model.WalkViews([&views](const ViewRow& row) { views.push_back(row); }));
    ASSERT_EQ(views.size(), 3u);
    EXPECT_EQ(views[2].subtree + " " + views[2].mask + " " + views[2].type, "1.3.6.1.6.3 1.1.1.1.1.1 Excluded");
}

TEST_F(SnmpAdminModel, AddAndDeleteSequencesAsTheDeviceReceivesThem)
{
    CSnmpAdminModel model;
    harness->sim().clearLog();
    model.CreateUser({"ab", "V3", "initial", "SHA", "authpass12", "DES", "privpass12"});
    const std::string i = ".2.97.98.3";
    EXPECT_EQ(Sets(harness->sim()),
              (std::vector<std::string>{"2.1.1.8" + i + "=5", "2.1.1.3" + i + "=initial", "2.1.1.4" + i + "=3",
                                        "2.1.1.6" + i + "=2", "2.1.1.5" + i + "=authpass12",
                                        "2.1.1.7" + i + "=privpass12", "2.1.1.8" + i + "=1"}));
    bool listed = false;
    for (const UserRow& u : Users(model))
        listed |= u.name == "ab" && u.authProtocol == "SHA" && u.privProtocol == "DES_CBC" && IsActive(u);
    EXPECT_TRUE(listed);

    // A status the table does not take is refused before anything is sent.
    harness->sim().clearLog();
    QString refusal;
    EXPECT_EQ(model.SetRowStatus(QString::fromStdString(A + ".2.1.1.8" + i), "2", &refusal), 0);
    EXPECT_EQ(refusal, "error istatus value!");
    EXPECT_TRUE(harness->sim().requestLog().empty());

    PutUser(harness->sim(), "ab", 2);
    model.SetRowStatus(Column(kUserEntry, kUserStatus) + CSnmpAdminModel::UserIndex("ab", "V2c"), kDestroy);
    EXPECT_EQ(Sets(harness->sim()), (std::vector<std::string>{"2.1.1.8.2.97.98.2=6"}));
    EXPECT_FALSE(harness->sim().value(A + ".2.1.1.8.2.97.98.2"));
}

} // namespace
