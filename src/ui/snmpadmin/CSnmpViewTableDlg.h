#pragma once

#include "ui/snmpadmin/CSnmpAdminDlg.h"

#include <vector>

class QComboBox;
class QLineEdit;

namespace kx {
class GridListView;
}

// "SNMP View Table Configuration": the switch agent's MIB views; adds a subtree
// from the fields under the list, deletes the selected one.
class CSnmpViewTableDlg : public CSnmpAdminDlg
{
    Q_OBJECT

public:
    explicit CSnmpViewTableDlg(QWidget* parent = nullptr);

private:
    void Refresh();
    void OnApply();
    void OnDelete();
    void ResetFields();

    std::vector<kx::snmpadmin::ViewRow> m_rows; // the listed rows, in list order

    kx::GridListView* m_list = nullptr;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_subtree = nullptr;
    QLineEdit* m_mask = nullptr;
    QComboBox* m_type = nullptr;
    QList<QWidget*> m_gated;
};
