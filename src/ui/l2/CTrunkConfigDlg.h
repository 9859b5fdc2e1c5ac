#pragma once

// "Trunk Configuration": the aggregation groups with their channel mode and
// members, the device-wide link aggregation state, the channel mode of one
// group, and the member dialog of one group (CTrunkMemberDlg).

#include "ui/kit/ConfigDialog.h"
#include "core/l2/TrunkLogic.h"

#include <vector>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTreeWidgetItem;

namespace kx {
class GridListView;
}

class CTrunkConfigDlg : public kx::ConfigDialog
{
    Q_OBJECT

public:
    explicit CTrunkConfigDlg(QWidget* parent = nullptr);

private:
    void Refresh();
    void OnRowClicked(QTreeWidgetItem* item);
    void OnApplyChannelMode();
    void OnPortMember();
    void OnApplyTrunkState();
    // "&PortMember" works only with aggregation enabled and the list complete.
    void UpdatePortMemberButton();

    // The sessions, named after their members; closed in this order.
    std::shared_ptr<CCommonSNMP> m_cCommonSNMP = addSession(QStringLiteral("m_cCommonSNMP"));
    std::shared_ptr<CCommonSNMP> m_cCommonSNMPTable = addSession(QStringLiteral("m_cCommonSNMPTable"));

    const int m_portCount;
    // The groups as the list shows them, in answer order.
    std::vector<kx::l2::TrunkGroupRow> m_groups;
    bool m_trunkEnabled = false;
    bool m_listComplete = false;

    kx::GridListView* m_list = nullptr;
    QCheckBox* m_enableTrunk = nullptr;
    QPushButton* m_applyTrunkState = nullptr;
    QLineEdit* m_trunkId = nullptr;
    QComboBox* m_mode = nullptr;
    QPushButton* m_apply = nullptr;
    QPushButton* m_portMember = nullptr;
    QPushButton* m_refresh = nullptr;
};
