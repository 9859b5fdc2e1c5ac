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
    void Show(bool afterWalk);
    void OnVlanChosen(int index);
    void OnApply();

    std::shared_ptr<CCommonSNMP> m_cCommonSNMP = addSession(QStringLiteral("m_cCommonSNMP"));
    std::shared_ptr<CCommonSNMP> m_cCommonSNMPSet = addSession(QStringLiteral("m_cCommonSNMPSet"));
    std::shared_ptr<CCommonSNMP> m_cCommonSNMPTable = addSession(QStringLiteral("m_cCommonSNMPTable"));

    kx::vlan::ManagementVlanView m_view;

    QRadioButton* m_enable = nullptr;
    QRadioButton* m_disable = nullptr;
    QComboBox* m_vlans = nullptr;
    QLineEdit* m_nameEdit = nullptr;
    QPushButton* m_refresh = nullptr;
    QPushButton* m_apply = nullptr;
};
