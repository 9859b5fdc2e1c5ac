#pragma once

#include "ui/snmpadmin/CSnmpAdminDlg.h"

#include <vector>

class QComboBox;
class QLineEdit;

namespace kx {
class GridListView;
}

// "SNMP Community Table Configuration": the agent's communities, each with the
// V1 or V2c user whose view policy it uses.
class CSnmpCommunityDlg : public CSnmpAdminDlg
{
    Q_OBJECT

public:
    explicit CSnmpCommunityDlg(QWidget* parent = nullptr);

private:
    void Refresh();
    void OnApply();
    void OnDelete();

    std::vector<kx::snmpadmin::CommunityRow> m_rows; // the listed rows, in list order
    QStringList m_users;                              // the view policies offered

    kx::GridListView* m_list = nullptr;
    QLineEdit* m_name = nullptr;
    QComboBox* m_user = nullptr;
    QList<QWidget*> m_gated;
};
