#pragma once

// "LLDP Global Settings": LLDP on or off, the four transmit timers, and the
// switch's own LLDP system information.

#include "ui/kit/ConfigDialog.h"

#include <array>

class QCheckBox;
class QLineEdit;
class QPushButton;

class CLldpGlobalDlg : public kx::ConfigDialog
{
    Q_OBJECT

public:
    explicit CLldpGlobalDlg(QWidget* parent = nullptr);

private:
    void Read();
    void EnableTimers(bool enabled);
    void OnStateApply();
    void OnTimersApply();
    void Send(std::vector<kx::SetBinding> bindings);

    std::shared_ptr<CCommonSNMP> m_cCommonSNMP = addSession(QStringLiteral("m_cCommonSNMP"));
    std::shared_ptr<CCommonSNMP> m_cCommonSNMPSet = addSession(QStringLiteral("m_cCommonSNMPSet"));

    QCheckBox* m_enable = nullptr;
    QPushButton* m_stateApply = nullptr;
    std::array<QLineEdit*, 4> m_timers{};
    QPushButton* m_timersApply = nullptr;
    std::array<QLineEdit*, 4> m_system{};
};
