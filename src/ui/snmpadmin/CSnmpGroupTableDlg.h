#pragma once

#include "ui/snmpadmin/CSnmpAdminDlg.h"

#include <vector>

class QComboBox;
class QLineEdit;

namespace kx {
class GridListView;
}

// "SNMP Group Table Info": the switch agent's access groups; adds one from the
// fields under the list, deletes the selected one.
class CSnmpGroupTableDlg : public CSnmpAdminDlg
{
    Q_OBJECT

public:
    explicit CSnmpGroupTableDlg(QWidget* parent = nullptr);

private:
    void Refresh();
    void OnApply();
    void OnDelete();
    void OnModelChanged();
    void ResetFields();

    std::vector<kx::snmpadmin::GroupRow> m_rows; // the listed rows, in list order

    kx::GridListView* m_list = nullptr;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_readView = nullptr;
    QLineEdit* m_writeView = nullptr;
    QLineEdit* m_notifyView = nullptr;
    QComboBox* m_securityModel = nullptr;
    QComboBox* m_securityLevel = nullptr;
    QList<QWidget*> m_gated;
};
