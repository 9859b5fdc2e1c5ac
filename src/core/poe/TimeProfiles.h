#pragma once

// The switch's time profiles: named schedules (an optional date span, a daily
// start and end, a set of weekdays), at most 8. The PoE port dialog offers them
// as time ranges, "Time Profile Info" edits them, and the power-saving
// functions name them; all of them read the table through what is here.

#include "core/kit/CFeatureModel.h"
#include "core/kit/SnmpRequests.h"
#include "core/kit/SnmpValue.h"

#include <QString>
#include <QStringList>

#include <array>
#include <set>
#include <utility>
#include <vector>

namespace kx::poe {

inline const QString kTimeProfileTable = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.32.1.1");
inline constexpr int kMaxTimeProfiles = 8;
inline constexpr int kProfileColumns = 21;
inline constexpr int kProfileNameMax = 20;

// "<table>.<column>"
QString ProfileColumn(int column);
// The identifier and name columns: what a list of the profiles' names walks.
QStringList TimeRangeColumns();
// All 21 columns, in column order.
QStringList TimeProfileColumns();

// The profiles as a list of names to choose from, in walk order, with the
// identifier each name stands for. Rows beyond the eighth are ignored.
class TimeRangeList
{
public:
    void clear() { m_entries.clear(); }
    // A row of a TimeRangeColumns() walk; false when it was ignored.
    bool fold(const WalkRow& row);
    int size() const { return static_cast<int>(m_entries.size()); }
    QStringList names() const;
    // The identifier at list position `i` (0-based), 0 outside the list.
    int idAt(int i) const;
    // The name stored for identifier `id`; empty when no entry has it.
    QString nameOf(int id) const;

private:
    std::vector<std::pair<int, QString>> m_entries;
};

struct TimeProfile
{
    int id = 0;
    QString name;
    bool useDate = false;
    int fromYear = 2, fromMonth = 2, fromDay = 2;
    int toYear = 2, toMonth = 2, toDay = 2;
    int startHour = 0, startMinute = 0;
    int endHour = 0, endMinute = 0;
    std::array<bool, 7> days{}; // Monday first
    int rowStatus = 0;

    // A row of a TimeProfileColumns() walk, each value as its text.
    static TimeProfile FromTexts(int id, const QStringList& texts);
    bool active() const { return rowStatus == 1; }
};

inline const QStringList kWeekdays = {QStringLiteral("Mon,"), QStringLiteral("Tue,"), QStringLiteral("Wed,"),
                                      QStringLiteral("Thu,"), QStringLiteral("Fri,"), QStringLiteral("Sat,"),
                                      QStringLiteral("Sun,")};

// "00" in front, the last two characters kept ("5" -> "05", "123" -> "23").
QString TwoDigits(int value);
// "Profile Name", "Weekdays", "From Day", "To Day", "Start Time", "End Time".
QStringList ProfileLine(const TimeProfile& profile);
// The days of `month` in `year` as the day lists offer them.
int DaysInMonth(int year, int month);

// The walked profiles: the active ones are listed (an identifier per list line,
// 8 lines at most); every walked row, of whatever status, holds its identifier.
class TimeProfileTable
{
public:
    void clear();
    // Whether the row is listed.
    bool fold(const TimeProfile& profile);
    const std::vector<TimeProfile>& listed() const { return m_listed; }
    QStringList listedNames() const;
    // The identifier of list line `row`, 0 when none.
    int idAt(int row) const;
    // The smallest identifier no walked row uses; 0 when all 8 are taken.
    int freeId() const;

private:
    std::vector<TimeProfile> m_listed;
    std::set<int> m_taken;
};

// Add's checks in order; "" when the profile may be written. `profile` carries
// the fields as chosen (its dates whatever the lists show when useDate is off).
QString CheckNewProfile(const TimeProfileTable& table, const TimeProfile& profile);
inline const QString kSelectToDelete = QStringLiteral("Please select the Time Range to be deleted!");

// The set that fills and activates row `profile.id` after its createAndWait.
std::vector<SetBinding> ProfileBindings(const TimeProfile& profile);

// The feature object of "Time Profile Info": it walks the table and writes rows.
// Each walked row reaches the dialog as rowArrived(): the identifier from the
// instance, then the 21 column texts.
class CTimeProfile : public CFeatureModel
{
    Q_OBJECT

public:
    explicit CTimeProfile(int portCount, QObject* parent = nullptr) : CFeatureModel(portCount, parent) {}

    ReadPlan LoadProfiles();
    static TimeProfile FromRow(const QStringList& row);

    // createAndWait, a short pause, then one set with every column and active.
    // Synchronous: for a write sequence.
    SetResult AddProfile(const TimeProfile& profile);
    // Destroys row `id`; 1 when the device answered.
    int DeleteProfile(int id);
};

} // namespace kx::poe
