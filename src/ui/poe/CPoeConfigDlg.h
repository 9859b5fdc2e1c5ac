#pragma once

// "PoE Configuration": every port's PoE state, time range, priority and power
// limit with its live readings, and the settings of a range of ports.

#include "core/poe/PoeLogic.h"
#include "ui/kit/ConfigDialog.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace kx {
class GridListView;
class PortRangePair;
}

class CPoeConfigDlg : public kx::ConfigDialog
{
    Q_OBJECT

public:
    explicit CPoeConfigDlg(QWidget* parent = nullptr);

private:
    void Refresh();
    kx::ReadPlan PortWalk();
    void OnRowSelected();
    void OnUserDefine(bool checked);
    void OnApply();

    // The sessions, named after their members; closed in this order.
    std::shared_ptr<CCommonSNMP> m_cCommonSNMPTimeRang = addSession(QStringLiteral("m_cCommonSNMPTimeRang"));
    std::shared_ptr<CCommonSNMP> m_cCommonSNMP = addSession(QStringLiteral("m_cCommonSNMP"));
    std::shared_ptr<CCommonSNMP> m_cCommonSNMPSet = addSession(QStringLiteral("m_cCommonSNMPSet"));

    const int m_portCount;
    kx::poe::TimeRangeList m_ranges;
    kx::poe::PoePortTable m_ports;
    bool m_rangesWalked = false;

    kx::GridListView* m_list = nullptr;
    QComboBox* m_from = nullptr;
    QComboBox* m_to = nullptr;
    kx::PortRangePair* m_range = nullptr;
    QComboBox* m_state = nullptr;
    QComboBox* m_timeRange = nullptr;
    QComboBox* m_priority = nullptr;
    QComboBox* m_limit = nullptr;
    QCheckBox* m_userDefine = nullptr;
    QLineEdit* m_userLimit = nullptr;
    QPushButton* m_refresh = nullptr;
    QPushButton* m_apply = nullptr;
};
