#pragma once

#include "ui/kit/ConfigDialog.h"
#include "core/vlan/VlanModel.h"
#include "core/vlan/VlanTable.h"

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

    // The active VLANs and the asymmetric mode (1 enabled, 2 disabled) as the
    // device holds them now, read while the caller waits: for opening the add/edit
    // and PVID dialogs without this one (kxgallery).
    static VlanEntries ReadEntriesNow();
    static int ReadAsymmetricModeNow();

private:
    void Refresh();
    void ReadAsymmetricState();
    void OnVoiceSurveillance(const kx::GetResult& result);
    void OnPvidWalkEnd(const kx::WalkResult& result);
    void OnVlanRow(const kx::WalkRow& row);
    void OnVlanWalkEnd(const kx::WalkResult& result);
    void OnApply();
    void OnAdd();
    void OnEdit();
    void OnDelete();
    void OnPvid();
    int RunEditDialog(VlanModel::Mode mode, int vid);

    // The sessions, named after their members; closed in this order.
    CCommonSNMP& m_cCommonSNMP = *addSession(QStringLiteral("m_cCommonSNMP"));
    kx::TableWalker m_pvidWalk{addSession(QStringLiteral("m_cCommonSNMPTable")), this};
    kx::AsyncGet m_voiceVlanGet{addSession(QStringLiteral("m_cCommonSNMPVoiceVlan")), this};
    kx::TableWalker m_vlanWalk{addSession(QStringLiteral("m_cCommonSNMPTableVlan")), this};
    CCommonSNMP& m_cCommonSNMPTableVlanDelete = *addSession(QStringLiteral("m_cCommonSNMPTableVlanDelete"));

    // The loads of one refresh; the buttons whose rules read them wait for all.
    kx::LoadSet* m_loads;
    bool m_firstRefresh = true;
    bool m_writeEnabled;
    int m_portCount;

    VlanEntries m_entries;
    std::vector<int> m_pvids;
    kx::vlan::VoiceSurveillance m_voiceSurveillance;

    kx::GridListView* m_list = nullptr;
    QCheckBox* m_asymmetric = nullptr;
    QPushButton* m_apply = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_edit = nullptr;
    QPushButton* m_delete = nullptr;
    QPushButton* m_refresh = nullptr;
    QPushButton* m_pvid = nullptr;
    QPushButton* m_close = nullptr;
};
