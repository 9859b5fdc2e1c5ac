#pragma once

// "Trunk member": the member ports of one aggregation group, one box per port.
// OK refuses fewer than two or more than four members, then lets the validator
// judge the set (dialog stays open on a refusal), writes it and closes.

#include "ui/kit/ConfigDialog.h"
#include "core/l2/CTrunkValidator.h"

class QLineEdit;
class QPushButton;

namespace kx {
class PortCheckGrid;
}

class CTrunkMemberDlg : public kx::ConfigDialog
{
    Q_OBJECT

public:
    // `currentMembers` are the group's present members as a port list text ("7,8").
    CTrunkMemberDlg(const QString& groupText, const QString& modeText, const QString& currentMembers,
                    QWidget* parent = nullptr);

    // The dialog for group `group` as the device holds it when it opens (its
    // first read); lets kxgallery show the dialog without the list in front of it.
    static CTrunkMemberDlg* ForDeviceGroup(int group, QWidget* parent = nullptr);

private:
    CTrunkMemberDlg(const QString& groupText, const QString& modeText, const QString& currentMembers,
                    bool readGroup, QWidget* parent);
    void ShowGroup();
    void OnOK();

    const QString m_groupText;
    QString m_modeText;
    QString m_CurrentMembers;
    const int m_portCount;

    CTrunkValidator* m_validator;
    QLineEdit* m_trunkId = nullptr;
    QLineEdit* m_mode = nullptr;
    kx::PortCheckGrid* m_ports = nullptr;
    QPushButton* m_ok = nullptr;
};
