#pragma once

// "IGMP Snooping Configuration": IGMP snooping on or off for the device with its
// six timers and counters and "Report to all ports"; "&IGMP Vlan Info" opens the
// per-VLAN settings (CIgmpVlanDlg).

#include "core/l2/CIgmpSnoopingModel.h"
#include "ui/kit/ConfigDialog.h"

#include <array>

class QCheckBox;
class QLineEdit;
class QPushButton;

class CIgmpSnoopingDlg : public kx::ConfigDialog
{
    Q_OBJECT

public:
    explicit CIgmpSnoopingDlg(QWidget* parent = nullptr);

private:
    void Refresh();
    void ShowGlobal(const QStringList& texts);
    // The six edits and "Report to all ports" follow "Enable IGMP Snooping ".
    void UpdateEnabling();
    void OnApply();
    void OnVlanInfo();
    kx::l2::IgmpGlobalTexts Wanted() const;
    QWidget* FieldWidget(int field) const;

    CIgmpSnoopingModel* m_igmp;
    QCheckBox* m_enable = nullptr;
    QCheckBox* m_reportToAll = nullptr;
    // Router timeout ... max response time, in their field order.
    std::array<QLineEdit*, 6> m_edits{};
    QPushButton* m_refresh = nullptr;
    QPushButton* m_apply = nullptr;
};
