#pragma once

// "Spanning Tree Table": the BRIDGE-MIB port table as a list. Opening it first
// turns spanning tree off on every port whose loopback detection is on; a row
// opens "Port Config" (CStpPortConfigDlg) for its port.

#include "core/kit/TableDescriptor.h"
#include "ui/kit/ConfigDialog.h"

#include <vector>

class QLabel;
class QPushButton;

namespace kx {
class GridListView;
}

class CStpPortTableDlg : public kx::ConfigDialog
{
    Q_OBJECT

public:
    explicit CStpPortTableDlg(QWidget* parent = nullptr);

    // The texts of every listed row.
    std::vector<QStringList> rows() const;

private:
    void CleanUpLoopbackPorts();
    void Refresh();
    void OnPortConfig();

    std::shared_ptr<CCommonSNMP> m_cCommonSNMP = addSession(QStringLiteral("m_cCommonSNMP"));
    std::shared_ptr<CCommonSNMP> m_cCommonSNMPTable = addSession(QStringLiteral("m_cCommonSNMPTable"));

    const int m_portCount;
    const kx::TableDescriptor m_table;
    // What the clean-up's gets found: the ports to turn off, and whether a get failed.
    std::vector<int> m_loopbackPorts;
    bool m_cleanUpEnded = false;

    kx::GridListView* m_list = nullptr;
    QLabel* m_entries = nullptr;
    QPushButton* m_portConfig = nullptr;
    QPushButton* m_bridgeConfig = nullptr;
    QPushButton* m_refresh = nullptr;
};
