#pragma once

#include "ui/kit/ConfigDialog.h"
#include "core/vlan/PvidModel.h"
#include "core/vlan/VlanTable.h"

#include <QRect>

#include <vector>

class QLineEdit;
class QPushButton;

// "PVID Configuration": one box per port with the VLAN ID of its untagged
// ingress frames, checked against the VLANs the list dialog handed over and
// against link aggregation, written port by port.
class CPvidConfigDlg : public kx::ConfigDialog
{
    Q_OBJECT

public:
    explicit CPvidConfigDlg(const VlanEntries& entries, QWidget* parent = nullptr);

    // The dialog with the VLANs the device holds now, without the list dialog
    // (kxgallery).
    static CPvidConfigDlg* ForDevice(QWidget* parent = nullptr);

    QLineEdit* edit(int port) const;
    // Control numbers of the port's label and box.
    static int LabelId(int port) { return 4500 + port; }
    static int EditId(int port) { return 5000 + port; }
    // Where port `port`'s label and box go, and the window for a port count
    // (an empty rect: the window keeps its own size and place).
    static QRect LabelRect(int port, int portCount);
    static QRect EditRect(int port, int portCount);
    static QRect WindowGeometry(int portCount);

private:
    CPvidConfigDlg(const VlanEntries& entries, bool readEntries, QWidget* parent);
    void Refresh();
    void OnPvidWalkEnd(const kx::WalkResult& result);
    void OnApply();

    std::shared_ptr<CCommonSNMP> m_cCommonSNMPTable = addSession(QStringLiteral("m_cCommonSNMPTable"));
    std::shared_ptr<CCommonSNMP> m_cCommonSNMPSet = addSession(QStringLiteral("m_cCommonSNMPSet"));
    std::shared_ptr<CCommonSNMP> m_cCommonSNMPTableTrunk = addSession(QStringLiteral("m_cCommonSNMPTableTrunk"));

    VlanEntries m_entries;
    bool m_readEntries;
    int m_portCount;
    std::vector<int> m_pvids;
    kx::TrunkMembership m_trunks;

    std::vector<QLineEdit*> m_edits;
    QPushButton* m_apply = nullptr;
    QPushButton* m_refresh = nullptr;
};
