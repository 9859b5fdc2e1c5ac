#include "core/poe/TimeProfiles.h"

#include "base/TextNumber.h"
#include "core/kit/ValueCodecs.h"

#include <chrono>
#include <thread>

namespace kx::poe {

QString ProfileColumn(int column)
{
    return kTimeProfileTable + QLatin1Char('.') + QString::number(column);
}

QStringList TimeRangeColumns()
{
    return {ProfileColumn(1), ProfileColumn(2)};
}

QStringList TimeProfileColumns()
{
    QStringList columns;
    for (int c = 1; c <= kProfileColumns; ++c)
        columns << ProfileColumn(c);
    return columns;
}

bool TimeRangeList::fold(const WalkRow& row)
{
    if (size() >= kMaxTimeProfiles)
        return false;
    m_entries.emplace_back(row.value(0).toInt(), row.value(1).text());
    return true;
}

QStringList TimeRangeList::names() const
{
    QStringList list;
    for (const auto& e : m_entries)
        list << e.second;
    return list;
}

int TimeRangeList::idAt(int i) const
{
    return i >= 0 && i < size() ? m_entries[static_cast<std::size_t>(i)].first : 0;
}

QString TimeRangeList::nameOf(int id) const
{
    for (const auto& e : m_entries)
        if (e.first == id)
            return e.second;
    return {};
}

TimeProfile TimeProfile::FromTexts(int id, const QStringList& texts)
{
    auto number = [&](int column) { return LeadingDecimal(texts.value(column - 1)); };
    TimeProfile p;
    p.id = id;
    p.name = texts.value(1);
    p.useDate = texts.value(2) == QLatin1String("1");
    p.fromYear = number(4);
    p.fromMonth = number(5);
    p.fromDay = number(6);
    p.startHour = number(7);
    p.startMinute = number(8);
    p.toYear = number(9);
    p.toMonth = number(10);
    p.toDay = number(11);
    p.endHour = number(12);
    p.endMinute = number(13);
    for (int d = 0; d < 7; ++d)
        p.days[static_cast<std::size_t>(d)] = texts.value(13 + d) == QLatin1String("1");
    p.rowStatus = number(21);
    return p;
}

QString TwoDigits(int value)
{
    return (QStringLiteral("00") + QString::number(value)).right(2);
}

QStringList ProfileLine(const TimeProfile& p)
{
    QString days;
    for (int d = 0; d < 7; ++d)
        if (p.days[static_cast<std::size_t>(d)])
            days += kWeekdays[d];
    auto date = [&](int y, int m, int d) {
        return p.useDate ? QString::number(y) + QLatin1Char('/') + TwoDigits(m) + QLatin1Char('/') + TwoDigits(d)
                         : QString();
    };
    auto time = [](int h, int m) { return TwoDigits(h) + QLatin1Char(':') + TwoDigits(m); };
    return {p.name,
            days,
            date(p.fromYear, p.fromMonth, p.fromDay),
            date(p.toYear, p.toMonth, p.toDay),
            time(p.startHour, p.startMinute),
            time(p.endHour, p.endMinute)};
}

int DaysInMonth(int year, int month)
{
    switch (month) {
    case 4:
    case 6:
    case 9:
    case 11:
        return 30;
    case 2:
        return year % 4 == 0 && year % 100 != 0 ? 29 : 28;
    default:
        return 31;
    }
}

void TimeProfileTable::clear()
{
    m_listed.clear();
    m_taken.clear();
}

bool TimeProfileTable::fold(const TimeProfile& profile)
{
    // A row of any status holds its identifier: a new profile must not take it
    // and overwrite that row.
    m_taken.insert(profile.id);
    if (!profile.active() || m_listed.size() >= static_cast<std::size_t>(kMaxTimeProfiles))
        return false;
    m_listed.push_back(profile);
    return true;
}

QStringList TimeProfileTable::listedNames() const
{
    QStringList names;
    for (const TimeProfile& p : m_listed)
        names << p.name;
    return names;
}

int TimeProfileTable::idAt(int row) const
{
    return row >= 0 && row < static_cast<int>(m_listed.size()) ? m_listed[static_cast<std::size_t>(row)].id : 0;
}

int TimeProfileTable::freeId() const
{
    for (int n = 1; n <= kMaxTimeProfiles; ++n)
        if (!m_taken.count(n))
            return n;
    return 0;
}

QString CheckNewProfile(const TimeProfileTable& table, const TimeProfile& p)
{
    if (table.listed().size() >= static_cast<std::size_t>(kMaxTimeProfiles) || table.freeId() == 0)
        return QStringLiteral("The Max entry is 8.");
    if (p.name.isEmpty())
        return QStringLiteral("The Profile name can not be empty,please input it.");
    if (CheckNameChars(p.name) == 0)
        return QStringLiteral("Invalid Profile name.");
    if (table.listedNames().contains(p.name))
        return QStringLiteral("The Profile Name is exist.");

    auto date = [&](int y, int m, int d) { return p.useDate ? y * 10000 + m * 100 + d : 20202; };
    const int from = date(p.fromYear, p.fromMonth, p.fromDay);
    const int to = date(p.toYear, p.toMonth, p.toDay);
    const int start = p.startHour * 100 + p.startMinute;
    const int end = p.endHour * 100 + p.endMinute;
    if (start == end)
        return QStringLiteral("'Start Time' and 'End Time' can't be the same");
    if (from > to) {
        if (p.fromYear > p.toYear)
            return QStringLiteral("'To year' can't be less than 'From year'");
        if (p.fromMonth <= p.toMonth)
            return QStringLiteral("'To day' can't be less than 'From day'");
        return QStringLiteral("'To month' can't be less than 'From month'");
    }
    if (p.useDate && from == to && start > end)
        return QStringLiteral("'Start Time' can't be greater than 'End Time'");
    return {};
}

std::vector<SetBinding> ProfileBindings(const TimeProfile& p)
{
    auto cell = [&](int column, int value) { return SetBinding::Integer(Oid(ProfileColumn(column), p.id), value); };
    auto date = [&](int value) { return p.useDate ? value : 2; };
    std::vector<SetBinding> b;
    b.push_back(SetBinding::Text(Oid(ProfileColumn(2), p.id), p.name));
    b.push_back(cell(3, p.useDate ? 1 : 2));
    b.push_back(cell(4, date(p.fromYear)));
    b.push_back(cell(5, date(p.fromMonth)));
    b.push_back(cell(6, date(p.fromDay)));
    b.push_back(cell(9, date(p.toYear)));
    b.push_back(cell(10, date(p.toMonth)));
    b.push_back(cell(11, date(p.toDay)));
    b.push_back(cell(7, p.startHour));
    b.push_back(cell(8, p.startMinute));
    b.push_back(cell(12, p.endHour));
    b.push_back(cell(13, p.endMinute));
    for (int d = 0; d < 7; ++d)
        b.push_back(cell(14 + d, p.days[static_cast<std::size_t>(d)] ? 1 : 2));
    b.push_back(cell(21, 1));
    return b;
}

ReadPlan CTimeProfile::LoadProfiles()
{
    return RowWalk(m_cCommonSNMPTable, TimeProfileColumns(), [](const WalkRow& row) {
        // The identifier comes from the instance: a device's column 1 may say otherwise.
        QStringList texts{QString::number(row.indexNumber())};
        for (const SnmpValue& v : row.values)
            texts << v.text();
        return texts;
    });
}

TimeProfile CTimeProfile::FromRow(const QStringList& row)
{
    return TimeProfile::FromTexts(LeadingDecimal(row.value(0)), row.mid(1));
}

SetResult CTimeProfile::AddProfile(const TimeProfile& profile)
{
    SetResult created;
    created.status = SetRowStatus(Oid(ProfileColumn(21), profile.id), QStringLiteral("5")) == 1 ? 0 : SnmpResult::Failed;
    if (!created.answered())
        return created;
    // The device needs a moment between making the row and filling it.
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    return SetValues(*m_cCommonSNMPSet, ProfileBindings(profile));
}

int CTimeProfile::DeleteProfile(int id)
{
    return SetRowStatus(Oid(ProfileColumn(21), id), QStringLiteral("6"));
}

} // namespace kx::poe
