#pragma once

#include "ui/kit/ConfigDialog.h"
#include "core/vlan/ManagementVlanLogic.h"

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
    void OnVlanRow(const kx::WalkRow& row);
    void OnWalkEnd(const kx::WalkResult& result);
    void Show();
    void RemoveInactive();
    void OnVlanChosen(int index);
    void OnApply();

    CCommonSNMP& m_cCommonSNMP = *addSession(QStringLiteral("m_cCommonSNMP"));
    CCommonSNMP& m_cCommonSNMPSet = *addSession(QStringLiteral("m_cCommonSNMPSet"));
    kx::TableWalker m_walker{addSession(QStringLiteral("m_cCommonSNMPTable")), this};

    kx::vlan::ManagementVlan m_read; // the state and VID last read
    QString m_name;

    QRadioButton* m_enable = nullptr;
    QRadioButton* m_disable = nullptr;
    QComboBox* m_vlans = nullptr;
    QLineEdit* m_nameEdit = nullptr;
    QPushButton* m_refresh = nullptr;
    QPushButton* m_apply = nullptr;
};
