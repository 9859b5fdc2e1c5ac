#pragma once

#include "ui/kit/ConfigDialog.h"
#include "core/vlan/VlanModel.h"

#include <QRect>
#include <QSize>

#include <array>
#include <vector>

class QButtonGroup;
class QLineEdit;
class QPushButton;
class QRadioButton;

// "Add VLAN" / "Edit VLAN": the VLAN's name and VID, and for every port a column
// of three buttons: tagged, untagged, not a member.
class CVlanEditDlg : public kx::ConfigDialog
{
    Q_OBJECT

public:
    // `asymmetricMode` 1 enabled, 2 disabled; `vid` is the edited VLAN (edit mode).
    CVlanEditDlg(VlanModel::Mode mode, int vid, int asymmetricMode, const VlanEntries& entries,
                 QWidget* parent = nullptr);

    // The dialog for VLAN `vid` (0: a new one) with what the device holds now,
    // without the list dialog (kxgallery).
    static CVlanEditDlg* ForDevice(int vid, QWidget* parent = nullptr);

    const VlanModel& model() const { return m_model; }
    QRadioButton* radio(int port, VlanModel::PortChoice choice) const;

    // Where the dialog goes and how large it is, for a port count.
    static QRect WindowGeometry(int portCount);

signals:
    // OK's write failed and was undone; the dialog stays open.
    void deviceChanged();

private:
    CVlanEditDlg(VlanModel::Mode mode, int vid, int asymmetricMode, const VlanEntries& entries, bool readContext,
                 QWidget* parent);
    // The name, VID and port choices of the model.
    void ShowModel();
    void OnChoice(int port, VlanModel::PortChoice choice);
    void ShowChoice(int port);
    void OnOk();

    std::shared_ptr<CCommonSNMP> m_cCommonSNMPSet = addSession(QStringLiteral("m_cCommonSNMPSet"));
    std::shared_ptr<CCommonSNMP> m_cCommonSNMPTableTrunk = addSession(QStringLiteral("m_cCommonSNMPTableTrunk"));

    VlanModel m_model;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_vid = nullptr;
    QPushButton* m_ok = nullptr;
    // Per port: Tag, Untag, Not Member.
    std::vector<std::array<QRadioButton*, 3>> m_radios;
    std::vector<QButtonGroup*> m_groups;
    bool m_showing = false;
};
