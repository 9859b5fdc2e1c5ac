#pragma once

#include "core/security/ArpSpoofingLogic.h"
#include "ui/kit/ConfigDialog.h"

class QLabel;
class QPushButton;

namespace kx {
class GridListView;
}

// "ARP Spoofing Prevention Setting": the gateways the switch protects, each with
// its MAC address and the ports that enforce it; the doors to adding and
// deleting one.
class CArpSpoofingDlg : public kx::ConfigDialog
{
    Q_OBJECT

public:
    explicit CArpSpoofingDlg(QWidget* parent = nullptr);

    // Every row of the last refresh, active or not.
    const kx::security::ArpRows& rows() const { return m_rows; }

private:
    void Refresh();
    void OnAdd();
    void OnDelete();

    std::shared_ptr<CCommonSNMP> m_cCommonSNMPSet = addSession(QStringLiteral("m_cCommonSNMPSet"));
    std::shared_ptr<CCommonSNMP> m_cCommonSNMPTable =
        addSession(QStringLiteral("m_cCommonSNMPTable"));

    const int m_portCount;
    kx::security::ArpRows m_rows;
    kx::GridListView* m_list = nullptr;
    QLabel* m_total = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_delete = nullptr;
    QPushButton* m_refresh = nullptr;
};
