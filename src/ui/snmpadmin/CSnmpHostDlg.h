#pragma once

#include "ui/snmpadmin/CSnmpAdminDlg.h"

#include <vector>

class QComboBox;
class QLineEdit;

namespace kx {
class GridListView;
class IpAddressEdit;
}

// "SNMP Host Table": where the agent sends its notifications, with which
// version and community or user.
class CSnmpHostDlg : public CSnmpAdminDlg
{
    Q_OBJECT

public:
    explicit CSnmpHostDlg(QWidget* parent = nullptr);

private:
    void Refresh();
    void OnApply();
    void OnDelete();

    std::vector<kx::snmpadmin::HostRow> m_rows; // the listed rows, in list order

    kx::GridListView* m_list = nullptr;
    kx::IpAddressEdit* m_address = nullptr;
    QComboBox* m_version = nullptr;
    QLineEdit* m_name = nullptr;
    QList<QWidget*> m_gated;
};
