#pragma once

#include "ui/snmpadmin/CSnmpAdminDlg.h"

class QCheckBox;

// "SNMP Global State Settings": the agent on or off. Switched off, the switch
// answers no more requests: every later read fails, silently, and the module
// goes on.
class CSnmpGlobalStateDlg : public CSnmpAdminDlg
{
    Q_OBJECT

public:
    explicit CSnmpGlobalStateDlg(QWidget* parent = nullptr);

private:
    void Refresh();
    void OnApply();

    QCheckBox* m_enabled = nullptr;
    QList<QWidget*> m_gated;
};
