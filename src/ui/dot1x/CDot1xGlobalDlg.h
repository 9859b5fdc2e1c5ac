#pragma once

// "802.1X Config Information": switches port access control on or off, sets the
// RADIUS server with its shared key and the authenticator timers. "&PortSet"
// opens the port dialog (CDot1xPortDlg) with the timers as they stand here.

#include "core/dot1x/Dot1xLogic.h"
#include "ui/kit/ConfigDialog.h"

#include <QList>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace kx {
class IpAddressEdit;
}

class CDot1xGlobalDlg : public kx::ConfigDialog
{
    Q_OBJECT

public:
    explicit CDot1xGlobalDlg(QWidget* parent = nullptr);

private:
    void Refresh();
    void Show(const kx::dot1x::Dot1xGlobal& global);
    void EnableFields(bool enabled);
    kx::dot1x::Dot1xTimers Timers() const;
    QWidget* FieldWidget(kx::dot1x::GlobalField field) const;
    void OnApply();
    void OnPortSet();

    // The sessions, named after their members; closed in this order.
    std::shared_ptr<CCommonSNMP> m_cCommonSNMP = addSession(QStringLiteral("m_cCommonSNMP"));
    std::shared_ptr<CCommonSNMP> m_cCommonSNMPSet = addSession(QStringLiteral("m_cCommonSNMPSet"));
    std::shared_ptr<CCommonSNMP> m_cCommonSNMParg = addSession(QStringLiteral("m_cCommonSNMParg"));

    QCheckBox* m_enable = nullptr;
    kx::IpAddressEdit* m_server = nullptr;
    QLineEdit* m_key = nullptr;
    QLineEdit* m_confirmKey = nullptr;
    QLineEdit* m_txPeriod = nullptr;
    QLineEdit* m_quietPeriod = nullptr;
    QLineEdit* m_suppTimeout = nullptr;
    QLineEdit* m_serverTimeout = nullptr;
    QLineEdit* m_maxReq = nullptr;
    QLineEdit* m_reAuthPeriod = nullptr;
    QComboBox* m_reAuthEnabled = nullptr;
    // What the check box enables and disables.
    QList<QWidget*> m_fields;
    QPushButton* m_apply = nullptr;
    QPushButton* m_portSet = nullptr;
    QPushButton* m_refresh = nullptr;
};
