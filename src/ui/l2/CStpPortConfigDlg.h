#pragma once

// "Port Config" (" Port STP Configuration"): one port of the spanning tree
// table with its priority, path cost and enable state, stepping through the
// table's rows. The port's aggregated link and its loopback detection decide
// what may be written.

#include "core/kit/TrunkMembership.h"
#include "ui/kit/ConfigDialog.h"

#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class CStpPortConfigDlg : public kx::ConfigDialog
{
    Q_OBJECT

public:
    // `rows`: the texts of the table list; `row`: the row chosen there.
    CStpPortConfigDlg(std::vector<QStringList> rows, int row, QWidget* parent = nullptr);

    // The first port of the table the device holds now, without the table
    // dialog (kxgallery).
    static CStpPortConfigDlg* ForDevice(QWidget* parent = nullptr);

private:
    CStpPortConfigDlg(std::vector<QStringList> rows, int row, bool readTable, QWidget* parent);
    // Clamps the row and shows its texts.
    void ShowRow();
    // The get of the port, with the aggregation walk until that has ended once.
    void ReadPort(kx::ReadPlan plan = {});
    void OnStep(int delta);
    void OnApply(bool thenClose);

    std::shared_ptr<CCommonSNMP> m_cCommonSNMP = addSession(QStringLiteral("m_cCommonSNMP"));
    std::shared_ptr<CCommonSNMP> m_cCommonSNMPTableTrunk = addSession(QStringLiteral("m_cCommonSNMPTableTrunk"));

    const int m_portCount;
    std::vector<QStringList> m_rows;
    int m_row;
    QString m_portText;
    // As read from the device.
    int m_priority = 0;
    int m_cost = 0;
    QString m_loopbackState;
    kx::TrunkMembership m_trunks;
    bool m_trunksLoaded = false;

    QLabel* m_port = nullptr;
    QLabel* m_status = nullptr;
    QLabel* m_designatedRoot = nullptr;
    QLabel* m_designatedCost = nullptr;
    QLabel* m_designatedBridge = nullptr;
    QLabel* m_designatedPort = nullptr;
    QLabel* m_forwardings = nullptr;
    QComboBox* m_priorityCombo = nullptr;
    QLineEdit* m_costEdit = nullptr;
    QCheckBox* m_enable = nullptr;
    QPushButton* m_previous = nullptr;
    QPushButton* m_next = nullptr;
    QPushButton* m_apply = nullptr;
    QPushButton* m_refresh = nullptr;
    QPushButton* m_ok = nullptr;
};
