#pragma once

// "The VLAN Settings of IGMP snooping ": per VLAN the snooping state, querier
// state, fast leave and static router ports. A clicked row fills the controls;
// "&Apply" (1000) writes the three states of the VLAN, "&Apply" (1149) its
// static router ports; "&View Multicast Entry " opens CMulticastEntryDlg.

#include "core/l2/CIgmpSnoopingModel.h"
#include "ui/kit/ConfigDialog.h"

#include <vector>

class QComboBox;
class QLineEdit;
class QPushButton;
class QTreeWidgetItem;

namespace kx {
class GridListView;
class PortCheckGrid;
}

class CIgmpVlanDlg : public kx::ConfigDialog
{
    Q_OBJECT

public:
    explicit CIgmpVlanDlg(QWidget* parent = nullptr);

private:
    void Refresh();
    void OnRowArrived(const QStringList& texts);
    void OnRowClicked(QTreeWidgetItem* item);
    void UpdateStateCombos();
    void OnApply();
    void OnApplyRouterPorts();
    void OnViewEntries();
    void ResetControls();

    CIgmpSnoopingModel* m_igmp;
    const int m_portCount;
    // The rows as listed, in answer order (kx::l2::IgmpVlanColumn texts).
    std::vector<QStringList> m_rows;
    // The aggregation groups the agreement check reads have been loaded (or
    // failed to load): until then Apply (1149) stays disabled.
    bool m_groupsEnded = false;

    kx::GridListView* m_list = nullptr;
    QLineEdit* m_vlanId = nullptr;
    QComboBox* m_state = nullptr;
    QComboBox* m_querier = nullptr;
    QComboBox* m_fastLeave = nullptr;
    kx::PortCheckGrid* m_ports = nullptr;
    QPushButton* m_apply = nullptr;
    QPushButton* m_applyRouterPorts = nullptr;
    QPushButton* m_refresh = nullptr;
};
