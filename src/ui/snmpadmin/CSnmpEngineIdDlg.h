#pragma once

#include "ui/snmpadmin/CSnmpAdminDlg.h"

class QLineEdit;
class QPushButton;

// "SNMP Engine ID": the agent's engine ID as hexadecimal text.
class CSnmpEngineIdDlg : public CSnmpAdminDlg
{
    Q_OBJECT

public:
    explicit CSnmpEngineIdDlg(QWidget* parent = nullptr);

private:
    void Refresh();
    void OnApply();
    void OnDefault();
    void Write(const QString& hex);

    QLineEdit* m_engineId = nullptr;
    QList<QWidget*> m_gated;
};
