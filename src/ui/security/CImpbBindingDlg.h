#pragma once

#include "core/security/CImpbModel.h"
#include "ui/kit/ConfigDialog.h"

class QLineEdit;
class QPushButton;

namespace kx {
class GridListView;
class IpAddressEdit;
} // namespace kx

// "Smart Binding": the bindings the switch learnt or an address scan found, a
// host bound by hand (it joins the white list), the scan, and binding a line.
class CImpbBindingDlg : public kx::ConfigDialog
{
    Q_OBJECT

public:
    explicit CImpbBindingDlg(QWidget* parent = nullptr);

private:
    void Refresh();
    void OnAdd();
    void OnScan();
    void OnBinding();

    CImpbModel* m_model;
    const int m_portCount;
    kx::GridListView* m_list = nullptr;
    kx::IpAddressEdit* m_ip = nullptr;
    QLineEdit* m_mac = nullptr;
    QLineEdit* m_port = nullptr;
    kx::IpAddressEdit* m_from = nullptr;
    kx::IpAddressEdit* m_to = nullptr;
    QPushButton* m_refresh = nullptr;
    QPushButton* m_binding = nullptr;
};
