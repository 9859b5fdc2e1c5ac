#pragma once

#include "core/vlan/VlanModel.h"
#include "core/vlan/VlanTable.h"
#include "ui/kit/ConfigDialog.h"

#include <vector>

class QCheckBox;
class QPushButton;

namespace kx {
class GridListView;
}

// "802.1Q VLAN Configuration": the active static VLANs with their ports, the
// asymmetric VLAN mode, and the doors to adding, editing and deleting a VLAN and
// to the PVIDs.
class CVlanConfigDlg : public kx::ConfigDialog
{
    Q_OBJECT

public:
    explicit CVlanConfigDlg(QWidget* parent = nullptr);

    // As the last refresh delivered them (for the dialogs it opens, and tests).
    const VlanEntries& entries() const { return m_entries; }

    // The loads that give the add/edit and PVID dialogs what this one hands
    // them, for opening those without it (kxgallery, tests).
    static kx::ReadPlan VlanEntriesLoad(std::shared_ptr<CCommonSNMP> session, VlanEntries& entries);
    static kx::ReadPlan AsymmetricModeLoad(std::shared_ptr<CCommonSNMP> session, int& mode);

private:
    void Refresh();
    kx::ReadPlan AsymmetricStateLoad();
    void OnApply();
    void OnAdd();
    void OnEdit();
    void OnDelete();
    void OnPvid();
    int RunEditDialog(VlanModel::Mode mode, int vid);

    // The sessions, named after their members; closed in this order.
    std::shared_ptr<CCommonSNMP> m_cCommonSNMP = addSession(QStringLiteral("m_cCommonSNMP"));
    std::shared_ptr<CCommonSNMP> m_cCommonSNMPTable = addSession(QStringLiteral("m_cCommonSNMPTable"));
    std::shared_ptr<CCommonSNMP> m_cCommonSNMPVoiceVlan = addSession(QStringLiteral("m_cCommonSNMPVoiceVlan"));
    std::shared_ptr<CCommonSNMP> m_cCommonSNMPTableVlan = addSession(QStringLiteral("m_cCommonSNMPTableVlan"));
    std::shared_ptr<CCommonSNMP> m_cCommonSNMPTableVlanDelete =
        addSession(QStringLiteral("m_cCommonSNMPTableVlanDelete"));

    bool m_writeEnabled;
    int m_portCount;
    VlanEntries m_entries;
    std::vector<int> m_pvids;
    kx::vlan::VoiceSurveillance m_voiceSurveillance;

    kx::GridListView* m_list = nullptr;
    QCheckBox* m_asymmetric = nullptr;
    QList<QWidget*> m_gated; // what waits for every load of a refresh
    QPushButton* m_edit = nullptr;
};
