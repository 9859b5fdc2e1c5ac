#pragma once

// "Syslog Host Configuration": the switch's one remote syslog server (address,
// UDP port, facility, severity) and whether it sends syslog at all.

#include "core/system/SyslogLogic.h"
#include "ui/kit/ConfigDialog.h"

#include <QList>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace kx {
class GridListView;
class IpAddressEdit;
}

class CSyslogHostDlg : public kx::ConfigDialog
{
    Q_OBJECT

public:
    explicit CSyslogHostDlg(QWidget* parent = nullptr);

private:
    void Refresh();
    void EnableInputs(bool enabled);
    void OnApply();

    // The sessions: one reads, one writes; closed in this order.
    std::shared_ptr<CCommonSNMP> m_cCommonSNMP = addSession(QStringLiteral("m_cCommonSNMP"));
    std::shared_ptr<CCommonSNMP> m_cCommonSNMPSet = addSession(QStringLiteral("m_cCommonSNMPSet"));

    kx::GridListView* m_list = nullptr;
    QCheckBox* m_enable = nullptr;
    kx::IpAddressEdit* m_server = nullptr;
    QLineEdit* m_port = nullptr;
    QComboBox* m_facility = nullptr;
    QComboBox* m_severity = nullptr;
    QList<QWidget*> m_inputs;
    QPushButton* m_apply = nullptr;
    QPushButton* m_refresh = nullptr;
};
