#pragma once

#include "ui/snmpadmin/CSnmpAdminDlg.h"

#include <vector>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace kx {
class GridListView;
}

// "SNMP User Table ": the switch agent's SNMP users; adds one from the fields
// under the list, deletes the selected one.
class CSnmpUserTableDlg : public CSnmpAdminDlg
{
    Q_OBJECT

public:
    explicit CSnmpUserTableDlg(QWidget* parent = nullptr);

private:
    void Refresh();
    void OnApply();
    void OnDelete();
    void OnVersionChanged();
    void OnEncryptedToggled();
    void OnPrivProtocolChanged();
    void ResetFields();

    std::vector<kx::snmpadmin::UserRow> m_rows; // the listed rows, in list order

    kx::GridListView* m_list = nullptr;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_group = nullptr;
    QComboBox* m_version = nullptr;
    QCheckBox* m_encrypted = nullptr;
    QComboBox* m_authProtocol = nullptr;
    QLineEdit* m_authPassword = nullptr;
    QComboBox* m_privProtocol = nullptr;
    QLineEdit* m_privPassword = nullptr;
    QList<QWidget*> m_gated;
};
