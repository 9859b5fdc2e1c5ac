#include "ui/poe/CTimeProfileDlg.h"

#include "base/DeviceInfo.h"
#include "ui/kit/Form.h"
#include "ui/kit/GridListView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <tuple>

using namespace kx::poe;

namespace {

QStringList Numbers(int first, int last)
{
    QStringList list;
    for (int n = first; n <= last; ++n)
        list << QString::number(n);
    return list;
}

int Number(const QComboBox* combo)
{
    return combo->currentText().toInt();
}

} // namespace

CTimeProfileDlg::CTimeProfileDlg(QWidget* parent)
    : kx::ConfigDialog(QStringLiteral("Time Profile Info"), parent),
      m_feature(new CTimeProfile(DevicePortCount(), this))
{
    adoptSessions(m_feature->Sessions());
    m_feature->SetOwner(this);

    m_list = new kx::GridListView(QStringLiteral("Time Profile Entries"), this);
    m_list->setColumns({{QStringLiteral("Profile Name"), 100},
                        {QStringLiteral("Weekdays"), 180},
                        {QStringLiteral("From Day"), 80},
                        {QStringLiteral("To Day"), 80},
                        {QStringLiteral("Start Time"), 80},
                        {QStringLiteral("End Time"), 70}});

    auto* group = new QGroupBox(this);
    auto* grid = new QGridLayout(group);
    kx::Form form(group); // placed by hand below: label and list pairs side by side
    form.reserve({QStringLiteral("&Add"), QStringLiteral("&Delete"), QStringLiteral("&Refresh"),
                  QStringLiteral("&Close")});
    auto combo = [&](const QStringList& items) {
        auto* c = new QComboBox(group);
        c->addItems(items);
        return c;
    };
    // Label and list side by side, several pairs a row: the labels are made
    // before the check boxes so that every list keeps a mnemonic of its own.
    auto put = [&](int row, int column, const QString& label, QWidget* control) {
        grid->addWidget(kx::MakeBuddyLabel(label, control, group, &form.mnemonics()), row, column);
        grid->addWidget(control, row, column + 1);
    };
    m_name = new QLineEdit(group);
    m_name->setMaxLength(kProfileNameMax);
    m_fromYear = combo(Numbers(2011, 2029));
    m_fromMonth = combo(Numbers(1, 12));
    m_fromDay = combo(Numbers(1, 31));
    m_toYear = combo(Numbers(2011, 2029));
    m_toMonth = combo(Numbers(1, 12));
    m_toDay = combo(Numbers(1, 31));
    grid->addWidget(new QLabel(QStringLiteral("Hours(HH MM)"), group), 4, 1, 1, 3);
    m_startHour = combo(Numbers(0, 23));
    m_startMinute = combo(Numbers(0, 59));
    m_endHour = combo(Numbers(0, 23));
    m_endMinute = combo(Numbers(0, 59));
    // Labels in an order that leaves every list a letter of its own.
    put(6, 0, QStringLiteral("End Time"), m_endHour);
    put(6, 2, QStringLiteral("End Minute"), m_endMinute);
    put(3, 4, QStringLiteral("To Date"), m_toDay);
    put(0, 0, QStringLiteral("Profile Name"), m_name);
    put(3, 0, QStringLiteral("To Day "), m_toYear);
    put(2, 4, QStringLiteral("From Date"), m_fromDay);
    put(5, 0, QStringLiteral("Start Time"), m_startHour);
    put(2, 2, QStringLiteral("From Month"), m_fromMonth);
    put(2, 0, QStringLiteral("From Day "), m_fromYear);
    put(5, 2, QStringLiteral("Start Minute"), m_startMinute);
    put(3, 2, QStringLiteral("To Month"), m_toMonth);
    m_date = form.check(QStringLiteral("Date"));
    grid->addWidget(m_date, 1, 0, 1, 2);
    m_allDays = form.check(QStringLiteral("Select All Days"));
    grid->addWidget(m_allDays, 7, 0, 1, 2);
    auto* days = new QHBoxLayout;
    const QStringList dayTexts = {QStringLiteral("Mon "), QStringLiteral("Tue"), QStringLiteral("Wed "),
                                  QStringLiteral("Thu"),  QStringLiteral("Fri "), QStringLiteral("Sat"),
                                  QStringLiteral("Sun")};
    for (int d = 0; d < 7; ++d) {
        m_days[static_cast<std::size_t>(d)] = form.check(dayTexts[d]);
        days->addWidget(m_days[static_cast<std::size_t>(d)]);
    }
    grid->addLayout(days, 8, 0, 1, 6);

    m_add = form.action(QStringLiteral("&Add"), [this] { OnAdd(); });
    m_delete = form.action(QStringLiteral("&Delete"), [this] { OnDelete(); });
    m_refresh = form.action(QStringLiteral("&Refresh"), [this] { Refresh(); });
    QPushButton* close = form.action(QStringLiteral("&Close"), [this] { reject(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addWidget(group);
    layout->addLayout(kx::Form::ButtonRow({m_add, m_delete, m_refresh, close}));
    resize(620, 560);

    for (QComboBox* c : {m_fromYear, m_fromMonth, m_fromDay, m_toYear, m_toMonth, m_toDay})
        c->setEnabled(false);
    connect(m_date, &QCheckBox::toggled, this, [this](bool on) {
        for (QComboBox* c : {m_fromYear, m_fromMonth, m_fromDay, m_toYear, m_toMonth, m_toDay})
            c->setEnabled(on);
    });
    // Plain pointers, not structured bindings: clang before 16 cannot capture those.
    QComboBox* const dates[2][3] = {{m_fromYear, m_fromMonth, m_fromDay}, {m_toYear, m_toMonth, m_toDay}};
    for (const auto& date : dates) {
        QComboBox* year = date[0];
        QComboBox* month = date[1];
        QComboBox* day = date[2];
        for (QComboBox* c : {year, month})
            connect(c, &QComboBox::activated, this, [this, year, month, day] { FillDays(year, month, day); });
    }
    connect(m_allDays, &QCheckBox::toggled, this, [this](bool on) {
        for (QCheckBox* box : m_days)
            box->setChecked(on);
    });
    connect(m_feature, &CFeatureModel::rowArrived, this, &CTimeProfileDlg::OnRow);
    Refresh();
}

void CTimeProfileDlg::FillDays(QComboBox* year, QComboBox* month, QComboBox* day)
{
    day->clear();
    day->addItems(Numbers(1, DaysInMonth(Number(year), Number(month))));
    day->setCurrentIndex(0);
}

void CTimeProfileDlg::Refresh()
{
    m_table.clear();
    m_list->clearRows();
    read(m_feature->LoadProfiles(), {m_add, m_delete, m_refresh});
}

void CTimeProfileDlg::OnRow(const QStringList& row)
{
    const TimeProfile profile = CTimeProfile::FromRow(row);
    if (m_table.fold(profile))
        m_list->addRow(ProfileLine(profile));
}

TimeProfile CTimeProfileDlg::Chosen() const
{
    TimeProfile p;
    p.id = m_table.freeId();
    p.name = m_name->text();
    p.useDate = m_date->isChecked();
    if (p.useDate) {
        p.fromYear = Number(m_fromYear);
        p.fromMonth = Number(m_fromMonth);
        p.fromDay = Number(m_fromDay);
        p.toYear = Number(m_toYear);
        p.toMonth = Number(m_toMonth);
        p.toDay = Number(m_toDay);
    }
    p.startHour = Number(m_startHour);
    p.startMinute = Number(m_startMinute);
    p.endHour = Number(m_endHour);
    p.endMinute = Number(m_endMinute);
    for (std::size_t d = 0; d < 7; ++d)
        p.days[d] = m_days[d]->isChecked();
    return p;
}

void CTimeProfileDlg::OnAdd()
{
    const TimeProfile profile = Chosen();
    const QString refusal = CheckNewProfile(m_table, profile);
    if (refuse(refusal, refusal.contains(QLatin1String("name"), Qt::CaseInsensitive) ? m_name : nullptr))
        return;
    writeSequence<kx::SetResult>([feature = m_feature, profile] { return feature->AddProfile(profile); },
                                 [this](const kx::SetResult& result) {
                                     if (result.answered())
                                         Refresh();
                                 });
}

void CTimeProfileDlg::OnDelete()
{
    const int id = m_table.idAt(m_list->selectedRow());
    if (id == 0) {
        prompter().message(kSelectToDelete, kx::PromptIcon::Information);
        return;
    }
    writeSequence<int>([feature = m_feature, id] { return feature->DeleteProfile(id); },
                       [this](const int& done) {
                           if (done == 1)
                               Refresh();
                       });
}
