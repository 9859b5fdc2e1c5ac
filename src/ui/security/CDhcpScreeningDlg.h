#pragma once

#include "core/security/CDhcpScreeningModel.h"
#include "ui/kit/ConfigDialog.h"

#include <vector>

class QLineEdit;
class QPushButton;

namespace kx {
class GridListView;
class IpAddressEdit;
} // namespace kx

// "DHCP Server Screening Settings  ": the trusted DHCP servers (at most five)
// and the ports on which DHCP server packets are trusted.
class CDhcpScreeningDlg : public kx::ConfigDialog
{
    Q_OBJECT

public:
    explicit CDhcpScreeningDlg(QWidget* parent = nullptr);

    // The trusted-port text the last refresh showed.
    const QString& lastShownPorts() const { return m_lastShownPorts; }

private:
    void Refresh();
    void OnServerRow(const QStringList& row);
    void OnAddServer();
    void OnDeleteServer();
    void OnTrustedPorts();

    CDhcpScreeningModel* m_model;
    const int m_portCount;
    QString m_lastShownPorts;
    std::vector<kx::security::DhcpServerRow> m_walked;

    kx::GridListView* m_list = nullptr;
    kx::IpAddressEdit* m_ip = nullptr;
    QLineEdit* m_ports = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_delete = nullptr;
    QPushButton* m_refresh = nullptr;
    QPushButton* m_addPorts = nullptr;
};
