#pragma once

// "Traffic Segmentation Settings ": the feature's global switch, the forwarding
// table, and the forwarding set of one source port edited as one box a port.

#include "ui/kit/ConfigDialog.h"

#include <QStringList>

#include <vector>

class CTrafficSegmentationModel;
class QCheckBox;
class QComboBox;
class QPushButton;

namespace kx {
class GridListView;
class PortCheckGrid;
} // namespace kx

class CTrafficSegmentationDlg : public kx::ConfigDialog
{
    Q_OBJECT

public:
    explicit CTrafficSegmentationDlg(QWidget* parent = nullptr);

private:
    void Refresh();
    void OnRow(const QStringList& record);
    void OnSourcePort();
    void OnAll();
    void OnClear();
    void OnApplyState();
    void OnApplyForwarding();
    int SourcePort() const;

    const int m_portCount;
    CTrafficSegmentationModel* m_model; // a child: it goes after the dialog's write has ended
    QString m_state = QStringLiteral("1");
    std::vector<QString> m_forwardingHex; // per source port, as its row answered

    QCheckBox* m_enable = nullptr;
    QPushButton* m_applyState = nullptr;
    kx::GridListView* m_list = nullptr;
    QComboBox* m_source = nullptr;
    kx::PortCheckGrid* m_ports = nullptr;
    QPushButton* m_all = nullptr;
    QPushButton* m_clear = nullptr;
    QPushButton* m_applyForwarding = nullptr;
    QPushButton* m_refresh = nullptr;
};
