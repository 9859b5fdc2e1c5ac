#pragma once

// "Bridge Config" (" STP Configuration "): the bridge's spanning tree state,
// RSTP on or off, the protocol version, the bridge priority and the three
// bridge timers. "Port Setting" opens the port table (CStpPortTableDlg).

#include "ui/kit/ConfigDialog.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class CStpBridgeDlg : public kx::ConfigDialog
{
    Q_OBJECT

public:
    explicit CStpBridgeDlg(QWidget* parent = nullptr);

    // A combo that shows `text`: its entry when it has one, else the text alone
    // (no entry chosen). NumberOf() gives back what it shows.
    static void ShowText(QComboBox* combo, const QString& text);
    static QString NumberOf(const QComboBox* combo);

private:
    void Refresh();
    void OnApply();
    void OnPortSetting();
    // The settings RSTP governs follow the tick.
    void EnableSettings(bool enabled);

    std::shared_ptr<CCommonSNMP> m_cCommonSNMP = addSession(QStringLiteral("m_cCommonSNMP"));
    std::shared_ptr<CCommonSNMP> m_cCommonSNMPSet = addSession(QStringLiteral("m_cCommonSNMPSet"));

    // The RSTP state of the last read: "1" on, "0" otherwise.
    QString m_rstpStateText;

    QLabel* m_topologyChangeTime = nullptr;
    QLabel* m_topologyChanges = nullptr;
    QLabel* m_designatedRoot = nullptr;
    QLabel* m_rootPort = nullptr;
    QLabel* m_currentHello = nullptr;
    QLabel* m_holdTime = nullptr;
    QLabel* m_currentDelay = nullptr;
    QComboBox* m_priority = nullptr;
    QCheckBox* m_rstp = nullptr;
    QComboBox* m_version = nullptr;
    QLineEdit* m_maxAge = nullptr;
    QLineEdit* m_hello = nullptr;
    QLineEdit* m_delay = nullptr;
    QPushButton* m_portSetting = nullptr;
    QPushButton* m_refresh = nullptr;
    QPushButton* m_apply = nullptr;
};
