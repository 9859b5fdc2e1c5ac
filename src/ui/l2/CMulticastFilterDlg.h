#pragma once

// "Multicast Filtering Mode Configuration": per port, whether unregistered
// multicast groups are forwarded or filtered, set for a range of ports at once.
// Aggregated ports are refused: their links must keep one mode.

#include "core/kit/TrunkMembership.h"
#include "ui/kit/ConfigDialog.h"

class QComboBox;
class QPushButton;

namespace kx {
class GridListView;
class PortRangePair;
}

class CMulticastFilterDlg : public kx::ConfigDialog
{
    Q_OBJECT

public:
    explicit CMulticastFilterDlg(QWidget* parent = nullptr);

private:
    void Refresh();
    void OnApply();

    // The sessions, named after their members; closed in this order.
    std::shared_ptr<CCommonSNMP> m_cCommonSNMPTable = addSession(QStringLiteral("m_cCommonSNMPTable"));
    std::shared_ptr<CCommonSNMP> m_cCommonSNMPTableTrunk = addSession(QStringLiteral("m_cCommonSNMPTableTrunk"));
    std::shared_ptr<CCommonSNMP> m_cCommonSNMPSet = addSession(QStringLiteral("m_cCommonSNMPSet"));

    const int m_portCount;
    kx::TrunkMembership m_trunks;
    // Apply's aggregation rule reads the groups: until their load has ended
    // (answered or not) Apply stays disabled.
    bool m_trunksEnded = false;

    kx::GridListView* m_list = nullptr;
    QComboBox* m_mode = nullptr;
    kx::PortRangePair* m_range = nullptr;
    QPushButton* m_apply = nullptr;
    QPushButton* m_refresh = nullptr;
};
