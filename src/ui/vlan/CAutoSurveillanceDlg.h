#pragma once

// "Auto Surveillance VLAN Settings": the surveillance VLAN's state, VLAN ID,
// priority and tagged uplink/downlink ports, and the table of surveillance
// OUIs with the user's own entries added and deleted.

#include "core/vlan/AutoSurveillanceModel.h"
#include "ui/kit/ConfigDialog.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace kx {
class GridListView;
}

class CAutoSurveillanceDlg : public kx::ConfigDialog
{
    Q_OBJECT

public:
    explicit CAutoSurveillanceDlg(QWidget* parent = nullptr);

private:
    void Refresh();
    void OnGlobalRead(const kx::GetResult& answer);
    void OnApply();
    void OnAdd();
    void OnDelete();
    void OnModeChosen();
    // The controls the state governs; Delete too when the switch's state is shown.
    void FollowState(bool enabled, bool withDelete);

    AutoSurveillanceModel* m_model;
    int m_portCount;
    std::vector<QString> m_instances; // of the listed OUI rows

    QCheckBox* m_enable = nullptr;
    QLineEdit* m_vlanId = nullptr;
    QComboBox* m_priority = nullptr;
    QLineEdit* m_ports = nullptr;
    QPushButton* m_apply = nullptr;
    kx::GridListView* m_list = nullptr;
    QComboBox* m_componentType = nullptr;
    QComboBox* m_mode = nullptr;
    QLineEdit* m_address = nullptr;
    QLineEdit* m_description = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_delete = nullptr;
    QPushButton* m_refresh = nullptr;
};
