#pragma once

#include "core/vlan/ManagementVlanLogic.h"
#include "ui/kit/ConfigDialog.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

// "IEEE 802.1Q Management VLAN Configuration": whether the switch answers
// management only in one VLAN, which one, and that VLAN's name.
class CManagementVlanDlg : public kx::ConfigDialog
{
    Q_OBJECT

public:
    explicit CManagementVlanDlg(QWidget* parent = nullptr);

private:
    void Refresh();
    // The state, the VID and the VID's name, read anew; `afterWalk` when the
    // VLAN list was just walked (only a walk that reached its end shows them).
    kx::ReadPlan ShowPlan(bool afterWalk);
    void Show();
    void RemoveInactive();
    void OnVlanChosen(int index);
    void OnApply();

    std::shared_ptr<CCommonSNMP> m_cCommonSNMP = addSession(QStringLiteral("m_cCommonSNMP"));
    std::shared_ptr<CCommonSNMP> m_cCommonSNMPSet = addSession(QStringLiteral("m_cCommonSNMPSet"));
    std::shared_ptr<CCommonSNMP> m_cCommonSNMPTable = addSession(QStringLiteral("m_cCommonSNMPTable"));

    kx::vlan::ManagementVlan m_read; // the state and VID last read
    QString m_name;
    bool m_walkReachedEnd = false;

    QRadioButton* m_enable = nullptr;
    QRadioButton* m_disable = nullptr;
    QComboBox* m_vlans = nullptr;
    QLineEdit* m_nameEdit = nullptr;
    QPushButton* m_refresh = nullptr;
    QPushButton* m_apply = nullptr;
};
