#pragma once

// "Port Configuration": every port with its speed/duplex setting, its link,
// its flow control and default priority; Apply changes the speed/duplex and
// the flow control of the port last clicked, within the port's hardware and
// its aggregated link.

#include "core/l2/PortSettings.h"
#include "ui/kit/ConfigDialog.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QTreeWidgetItem;

namespace kx {
class GridListView;
}

class CPortSettingDlg : public kx::ConfigDialog
{
    Q_OBJECT

public:
    explicit CPortSettingDlg(QWidget* parent = nullptr);

private:
    // The aggregation groups and the ports.
    void Refresh();
    kx::ReadPlan PortWalk();
    void OnRowClicked(QTreeWidgetItem* item);
    void OnCurrentRowChanged(QTreeWidgetItem* item);
    void OnApply();

    // Closed in this order: the set, the port walk, the aggregation walk.
    std::shared_ptr<CCommonSNMP> m_cCommonSNMPSet = addSession(QStringLiteral("m_cCommonSNMPSet"));
    std::shared_ptr<CCommonSNMP> m_cCommonSNMPTable = addSession(QStringLiteral("m_cCommonSNMPTable"));
    std::shared_ptr<CCommonSNMP> m_cCommonSNMPTableTrunk = addSession(QStringLiteral("m_cCommonSNMPTableTrunk"));

    const int m_portCount;
    const bool m_allGiga;
    kx::l2::PortSettingsTable m_ports;
    kx::TrunkMembership m_trunks;
    // Ports whose setting is "Disable", counted by the walk for the trace.
    int m_disabledPorts = 0;
    // The port of the row last clicked.
    int m_port = 0;

    kx::GridListView* m_list = nullptr;
    QLineEdit* m_portId = nullptr;
    QComboBox* m_speed = nullptr;
    QComboBox* m_flow = nullptr;
    QPushButton* m_refresh = nullptr;
    QPushButton* m_apply = nullptr;
};
