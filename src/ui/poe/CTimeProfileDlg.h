#pragma once

// "Time Profile Info": lists, adds and deletes the switch's time profiles (the
// time ranges of the PoE ports and the schedules of power saving).

#include "core/poe/TimeProfiles.h"
#include "ui/kit/ConfigDialog.h"

#include <array>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace kx {
class GridListView;
}

class CTimeProfileDlg : public kx::ConfigDialog
{
    Q_OBJECT

public:
    explicit CTimeProfileDlg(QWidget* parent = nullptr);

private:
    void Refresh();
    void OnRow(const QStringList& row);
    void FillDays(QComboBox* year, QComboBox* month, QComboBox* day);
    kx::poe::TimeProfile Chosen() const;
    void OnAdd();
    void OnDelete();

    kx::poe::CTimeProfile* m_feature;
    kx::poe::TimeProfileTable m_table;

    kx::GridListView* m_list = nullptr;
    QLineEdit* m_name = nullptr;
    QCheckBox* m_date = nullptr;
    QComboBox* m_fromYear = nullptr;
    QComboBox* m_fromMonth = nullptr;
    QComboBox* m_fromDay = nullptr;
    QComboBox* m_toYear = nullptr;
    QComboBox* m_toMonth = nullptr;
    QComboBox* m_toDay = nullptr;
    QComboBox* m_startHour = nullptr;
    QComboBox* m_startMinute = nullptr;
    QComboBox* m_endHour = nullptr;
    QComboBox* m_endMinute = nullptr;
    QCheckBox* m_allDays = nullptr;
    std::array<QCheckBox*, 7> m_days{};
    QPushButton* m_add = nullptr;
    QPushButton* m_delete = nullptr;
    QPushButton* m_refresh = nullptr;
};
