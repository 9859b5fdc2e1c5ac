#pragma once

#include "core/kit/DeviceValues.h"
#include "ui/snmpadmin/CSnmpAdminDlg.h"

// "SNMP Trap Configuration": which notifications the agent sends, one switch a
// kind; the three PoE switches only on PoE models.
class CSnmpTrapConfigDlg : public CSnmpAdminDlg
{
    Q_OBJECT

public:
    explicit CSnmpTrapConfigDlg(QWidget* parent = nullptr);

private:
    void Refresh();
    void OnApply();

    kx::DeviceValues m_switches;
    QList<QWidget*> m_gated;
};
