// The PoE and time-profile rules without widgets: where the cases are a table.

#include "core/poe/PoeLogic.h"
#include "core/poe/TimeProfiles.h"

#include <gtest/gtest.h>

using namespace kx::poe;

namespace {

kx::WalkRow Row(const QString& index, const QStringList& texts)
{
    std::vector<kx::SnmpValue> values;
    for (const QString& t : texts)
        values.push_back({SnmpType::OctetString, t.toUtf8()});
    return kx::WalkRow(index, values);
}

kx::GetResult Answer(const QByteArray& text)
{
    kx::GetResult r;
    r.status = 0;
    r.values.push_back({SnmpType::OctetString, text});
    return r;
}

} // namespace

TEST(PoeRules, DecimalTextReadsTheSameEverywhere)
{
    const std::vector<std::pair<QString, double>> cases = {
        {"62.0", 62.0}, {" 7.1", 7.1}, {"12a", 12.0}, {"abc", 0.0}, {"", 0.0}, {"-3.5", -3.5}, {"1e1", 10.0}};
    for (const auto& [text, value] : cases)
        EXPECT_DOUBLE_EQ(DecimalValue(text), value) << text.toStdString();
}

TEST(PoeRules, ThresholdRangeByModel)
{
    struct Case
    {
        const char* model;
        const char* text;
        bool ok;
    };
    for (const Case& c : {Case{"KX-A1 R2", "72.1", false}, Case{"KX-A1 R2", "72.0", true},
                          Case{"KX-A1 R2", "7.1", true}, Case{"KX-A1 R2", "7.0", false},
                          Case{"KX-A1 R2", "abc", false}, Case{"KX-B2", "185.0", true},
                          Case{"KX-B2", "185.1", false}, Case{"KX-A1 R2 ", "100", true}})
        EXPECT_EQ(ThresholdInRange(c.text, c.model), c.ok) << c.model << " " << c.text;
    EXPECT_EQ(ThresholdLabel("KX-A1 R2"), "PoE Power Threshold  (7.1-72.0)");
    EXPECT_EQ(ThresholdRefusal("KX-B2"), "The System Power Threshold ranges between 7.1 ~ 185.0.");
}

TEST(PoeRules, GlobalApplyChecksEverythingBeforeSendingAnything)
{
    PoeGlobalValues stored;
    stored.fold(Threshold, Answer("72.0"));
    stored.fold(Sequence, Answer("1"));
    // A changed sequence with a bad threshold sends nothing.
    GlobalApply a = PlanGlobalApply(stored, 1, "72.1", "KX-A1 R2");
    EXPECT_EQ(a.refusal, "The System Power Threshold ranges between 7.1 ~ 72.0.");
    EXPECT_TRUE(a.requests.empty());
    EXPECT_TRUE(PlanGlobalApply(stored, 0, "72.0", "KX-A1 R2").requests.empty());
    a = PlanGlobalApply(stored, 1, "50.0", "KX-A1 R2");
    ASSERT_EQ(a.requests.size(), 3u);
    EXPECT_EQ(a.requests[0][0].oid, kPoeSequence);
    EXPECT_EQ(a.requests[0][0].value, "2");
    EXPECT_EQ(a.requests[2][0].oid, kPoeThreshold);
    EXPECT_EQ(a.requests[2][0].value, "50.0");

    // No answer empties a field; an unreadable one keeps it.
    kx::GetResult unreadable = Answer("");
    unreadable.errorStatus = 2;
    EXPECT_FALSE(stored.fold(Threshold, unreadable).has_value());
    EXPECT_EQ(stored.text(Threshold), "72.0");
    EXPECT_EQ(stored.fold(Sequence, kx::GetResult{}), QString());
    EXPECT_EQ(stored.sequencePosition(), -1);
}

TEST(PoeRules, UserDefinedLimits)
{
    const QString range = "The User Defined power limit ranges between 1.0 ~ 15.4";
    const QString step = "The per-port power limit must be a multiple of 0.2";
    const std::vector<std::pair<QString, QString>> cases = {
        {"1.0", ""},   {"1.2", ""},    {"15.4", ""},  {"7.8", ""},  {"1.1", step},
        {"3.3", step}, {"0.8", range}, {"15.6", range}, {"abc", range}};
    for (const auto& [text, refusal] : cases)
        EXPECT_EQ(CheckUserLimit(text), refusal) << text.toStdString();
}

TEST(PoeRules, TheWalkedTablesKeepEightRangesAndPlaceRowsByPort)
{
    TimeRangeList ranges;
    for (int i = 1; i <= 9; ++i)
        ranges.fold(Row(QString::number(i), {QString::number(i), "r" + QString::number(i)}));
    EXPECT_EQ(ranges.size(), 8);
    EXPECT_EQ(ranges.nameOf(9), QString());
    EXPECT_EQ(ranges.idAt(7), 8);

    PoePortTable table(8);
    const QStringList cells = {"1", "2", "3", "2", "4.0", "48.0", "83", "Class 2", "POWER ON", "1", "7.4"};
    EXPECT_TRUE(table.fold(Row("1.9", cells), ranges).isEmpty());
    EXPECT_TRUE(table.fold(Row("2.3", cells), ranges).isEmpty());
    const QStringList line = table.fold(Row("1.3", cells), ranges);
    EXPECT_EQ(line, QStringList({"3", "Enable", "r2", "High", "7.4", "4.0", "48.0", "83", "Class 2", "POWER ON"}));
    QStringList disabled = cells;
    disabled[0] = "2";
    disabled[1] = "0";
    EXPECT_EQ(table.fold(Row("1.6", disabled), ranges).mid(1, 4),
              QStringList({"Disable", "N/A", "High", "Class 1"}));
    EXPECT_EQ(table.portAt(1), 6);
    EXPECT_FALSE(table.enabledAt(1));
}

TEST(TimeProfileRules, DaysLinesAndIdentifiers)
{
    for (auto [year, month, days] : {std::tuple{2012, 2, 29}, std::tuple{2013, 2, 28}, std::tuple{2100, 2, 28},
                                     std::tuple{2013, 4, 30}, std::tuple{2013, 12, 31}})
        EXPECT_EQ(DaysInMonth(year, month), days) << year << "-" << month;

    TimeProfile p;
    p.name = "Night";
    p.useDate = true;
    p.fromYear = 2012, p.fromMonth = 3, p.fromDay = 5;
    p.toYear = 2013, p.toMonth = 11, p.toDay = 30;
    p.startHour = 8, p.startMinute = 30, p.endHour = 23, p.endMinute = 5;
    p.days = {true, false, true, false, false, false, true};
    EXPECT_EQ(ProfileLine(p), QStringList({"Night", "Mon,Wed,Sun,", "2012/03/05", "2013/11/30", "08:30", "23:05"}));
    p.useDate = false;
    EXPECT_EQ(ProfileLine(p)[2], QString());

    // Listed identifiers 1 and 3 leave 2; 2 and 3 leave 1; an inactive row holds its own.
    struct Case
    {
        std::vector<std::pair<int, int>> rows; // identifier, status
        int freeId;
    };
    for (const Case& c : {Case{{{1, 1}, {3, 1}}, 2}, Case{{{2, 1}, {3, 1}}, 1}, Case{{{2, 1}, {1, 2}}, 3}})
    {
        TimeProfileTable t;
        for (auto [id, status] : c.rows) {
            TimeProfile r;
            r.id = id;
            r.rowStatus = status;
            t.fold(r);
        }
        EXPECT_EQ(t.freeId(), c.freeId);
    }
}

TEST(TimeProfileRules, AddChecksInOrder)
{
    TimeProfileTable table;
    TimeProfile office;
    office.id = 1;
    office.name = "Office";
    office.rowStatus = 1;
    table.fold(office);

    auto profile = [](const QString& name, bool useDate, std::array<int, 3> from, std::array<int, 3> to,
                      std::array<int, 4> times) {
        TimeProfile p;
        p.name = name;
        p.useDate = useDate;
        std::tie(p.fromYear, p.fromMonth, p.fromDay) = std::tuple(from[0], from[1], from[2]);
        std::tie(p.toYear, p.toMonth, p.toDay) = std::tuple(to[0], to[1], to[2]);
        std::tie(p.startHour, p.startMinute, p.endHour, p.endMinute) = std::tuple(times[0], times[1], times[2], times[3]);
        return p;
    };
    const std::array<int, 3> d1{2013, 5, 10};
    const std::vector<std::pair<TimeProfile, QString>> cases = {
        {profile("", false, d1, d1, {8, 0, 9, 0}), "The Profile name can not be empty,please input it."},
        {profile("a.b", false, d1, d1, {8, 0, 9, 0}), "Invalid Profile name."},
        {profile("Office", false, d1, d1, {8, 0, 9, 0}), "The Profile Name is exist."},
        {profile("n", false, d1, d1, {8, 0, 8, 0}), "'Start Time' and 'End Time' can't be the same"},
        {profile("n", true, d1, {2012, 6, 11}, {8, 0, 9, 0}), "'To year' can't be less than 'From year'"},
        {profile("n", true, d1, {2013, 5, 9}, {8, 0, 9, 0}), "'To day' can't be less than 'From day'"},
        {profile("n", true, d1, {2013, 4, 30}, {8, 0, 9, 0}), "'To month' can't be less than 'From month'"},
        {profile("n", true, d1, d1, {9, 0, 8, 0}), "'Start Time' can't be greater than 'End Time'"},
        {profile("n", false, d1, {2011, 1, 1}, {22, 0, 6, 0}), ""},
    };
    for (const auto& [p, refusal] : cases)
        EXPECT_EQ(CheckNewProfile(table, p), refusal) << p.name.toStdString();

    for (int id = 2; id <= 8; ++id) {
        TimeProfile r;
        r.id = id;
        r.rowStatus = 1;
        table.fold(r);
    }
    EXPECT_EQ(CheckNewProfile(table, cases.back().first), "The Max entry is 8.");
}
