#pragma once

// "PortMirroringConfiguration": the mirror target port and, per source port,
// which direction of its traffic is copied to it (four radio columns built for
// the device's ports).

#include "core/l2/CPortMirrorModel.h"
#include "ui/kit/ConfigDialog.h"

#include <vector>

class QButtonGroup;
class QComboBox;
class QPushButton;
class QRadioButton;

class CPortMirrorDlg : public kx::ConfigDialog
{
    Q_OBJECT

public:
    explicit CPortMirrorDlg(QWidget* parent = nullptr);

    // The radio button of `port` (1-based) in column `column` (0 TX ... 3 None).
    QRadioButton* modeButton(int port, int column) const;

private:
    void Refresh();
    void Show(const QStringList& texts);
    void ShowMode(int port, kx::l2::SnifferMode mode);
    // The target's own buttons are disabled and at None; every other port's
    // are usable while mirroring is enabled.
    void FollowTarget();
    void FollowState();
    void SelectColumn(int column);
    void OnApply();
    int TargetPort() const;
    std::vector<kx::l2::SnifferMode> Modes() const;

    const int m_portCount;
    CPortMirrorModel* m_model; // a child: it goes after the dialog's write has ended
    QString m_lastState;       // the state text last read

    QRadioButton* m_enabled = nullptr;
    QRadioButton* m_disabled = nullptr;
    QComboBox* m_target = nullptr;
    std::vector<QButtonGroup*> m_portModes; // one exclusive group a port
    std::vector<QPushButton*> m_all;        // one a column
    QPushButton* m_refresh = nullptr;
    QPushButton* m_apply = nullptr;
};
