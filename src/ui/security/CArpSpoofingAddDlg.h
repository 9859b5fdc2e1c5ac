#pragma once

#include "core/security/ArpSpoofingLogic.h"
#include "ui/kit/ConfigDialog.h"

#include <QSize>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace kx {
class IpAddressEdit;
class PortCheckGrid;
} // namespace kx

// "Add ARP Spoofing Prevention Entry": a gateway's address and MAC and the ports
// that enforce it. Apply writes one entry and leaves the dialog open for the
// next; Cancel closes it.
class CArpSpoofingAddDlg : public kx::ConfigDialog
{
    Q_OBJECT

public:
    // `rows`: every row the list dialog walked, active or not.
    CArpSpoofingAddDlg(const kx::security::ArpRows& rows, QWidget* parent = nullptr);

    // The dialog with the rows the device holds now, without the list dialog
    // (kxgallery).
    static CArpSpoofingAddDlg* ForDevice(QWidget* parent = nullptr);

    const kx::security::ArpAddModel& model() const { return m_model; }

    // The window's size for a port count: 480 by 250 for eight ports, a row of
    // port boxes more for every further eight.
    static QSize WindowSize(int portCount);

private:
    CArpSpoofingAddDlg(const kx::security::ArpRows& rows, bool readRows, QWidget* parent);
    void OnApply();

    std::shared_ptr<CCommonSNMP> m_cCommonSNMPSet = addSession(QStringLiteral("m_cCommonSNMPSet"));
    std::shared_ptr<CCommonSNMP> m_cCommonSNMPTable =
        addSession(QStringLiteral("m_cCommonSNMPTable"));

    kx::security::ArpAddModel m_model;
    kx::IpAddressEdit* m_ip = nullptr;
    QLineEdit* m_mac = nullptr;
    kx::PortCheckGrid* m_ports = nullptr;
    QCheckBox* m_allPorts = nullptr;
    QPushButton* m_apply = nullptr;
};
