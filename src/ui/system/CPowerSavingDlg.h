#pragma once

// "Power Saving Settings": each power-saving function's state, time profiles
// and ports, and on most models the two global detection switches.

#include "core/system/CPowerSaving.h"
#include "ui/kit/ConfigDialog.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;

namespace kx {
class GridListView;
}

class CPowerSavingDlg : public kx::ConfigDialog
{
    Q_OBJECT

public:
    explicit CPowerSavingDlg(QWidget* parent = nullptr);

private:
    void Refresh();
    void Show(const kx::powersaving::Reading& reading);
    void FillProfiles(const QStringList& names);
    void OnType();
    void OnState();
    void OnApply();
    void OnGlobalApply();
    void Write(std::vector<kx::SetBinding> bindings);

    const QString m_model;
    kx::powersaving::CPowerSaving* m_feature;
    std::vector<kx::powersaving::Row> m_rows;

    QGroupBox* m_global = nullptr;
    QCheckBox* m_cableLength = nullptr;
    QCheckBox* m_linkStatus = nullptr;
    QPushButton* m_globalApply = nullptr;
    QComboBox* m_type = nullptr;
    QComboBox* m_state = nullptr;
    QComboBox* m_profile1 = nullptr;
    QComboBox* m_profile2 = nullptr;
    QLineEdit* m_port = nullptr;
    QPushButton* m_apply = nullptr;
    kx::GridListView* m_list = nullptr;
    QPushButton* m_refresh = nullptr;
};
