#pragma once

// "802.1X Port Configuration": every port's authorization status and control
// mode, and the control mode of a range of ports. The timer columns repeat what
// the global dialog showed when its "&PortSet" was pressed.

#include "core/dot1x/Dot1xLogic.h"
#include "core/kit/TrunkMembership.h"
#include "ui/kit/ConfigDialog.h"

class QComboBox;
class QPushButton;

namespace kx {
class GridListView;
class PortRangePair;
}

class CDot1xPortDlg : public kx::ConfigDialog
{
    Q_OBJECT

public:
    CDot1xPortDlg(const kx::dot1x::Dot1xTimers& timers, QWidget* parent = nullptr);

    // The dialog with the timers as the device holds them (read first); lets
    // kxgallery show it without the global dialog in front of it.
    static CDot1xPortDlg* ForDevice(QWidget* parent = nullptr);

private:
    CDot1xPortDlg(const kx::dot1x::Dot1xTimers& timers, bool readTimers, QWidget* parent);
    kx::ReadPlan PortWalk();
    void Refresh();
    void OnApply();

    // The sessions, named after their members; closed in this order.
    std::shared_ptr<CCommonSNMP> m_cCommonSNMP = addSession(QStringLiteral("m_cCommonSNMP"));
    std::shared_ptr<CCommonSNMP> m_cCommonSNMPTableTrunkInfo = addSession(QStringLiteral("m_cCommonSNMPTableTrunkInfo"));
    std::shared_ptr<CCommonSNMP> m_cCommonSNMPTable = addSession(QStringLiteral("m_cCommonSNMPTable"));

    const int m_portCount;
    kx::dot1x::Dot1xTimers m_timers;
    kx::dot1x::Dot1xPortTable m_ports;
    kx::TrunkMembership m_trunks;

    QComboBox* m_from = nullptr;
    QComboBox* m_to = nullptr;
    QComboBox* m_control = nullptr;
    kx::PortRangePair* m_range = nullptr;
    kx::GridListView* m_list = nullptr;
    QPushButton* m_apply = nullptr;
    QPushButton* m_refresh = nullptr;
};
