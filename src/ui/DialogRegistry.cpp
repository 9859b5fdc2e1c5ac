#include "ui/DialogRegistry.h"

#include "common/SessionSettings.h"
#include "core/maintenance/MibViewers.h"
#include "ui/dot1x/CDot1xGlobalDlg.h"
#include "ui/dot1x/CDot1xPortDlg.h"
#include "ui/kit/CTableViewerDlg.h"
#include "ui/l2/CBandwidthDlg.h"
#include "ui/l2/CIgmpSnoopingDlg.h"
#include "ui/l2/CIgmpVlanDlg.h"
#include "ui/l2/CMulticastEntryDlg.h"
#include "ui/l2/CMulticastFilterDlg.h"
#include "ui/l2/CPortMirrorDlg.h"
#include "ui/l2/CPortSettingDlg.h"
#include "ui/l2/CStormControlDlg.h"
#include "ui/l2/CStpBridgeDlg.h"
#include "ui/l2/CStpPortConfigDlg.h"
#include "ui/l2/CStpPortTableDlg.h"
#include "ui/l2/CTrunkConfigDlg.h"
#include "ui/l2/CTrunkMemberDlg.h"
#include "ui/lldp/CLldpGlobalDlg.h"
#include "ui/lldp/CLldpRemoteDlg.h"
#include "ui/maintenance/CFirmwareUpgradeDlg.h"
#include "ui/maintenance/CForwardingTableDlg.h"
#include "ui/maintenance/CSystemInfoDlg.h"
#include "ui/poe/CPoeConfigDlg.h"
#include "ui/poe/CPoeGlobalDlg.h"
#include "ui/poe/CTimeProfileDlg.h"
#include "ui/security/CArpSpoofingAddDlg.h"
#include "ui/security/CArpSpoofingDlg.h"
#include "ui/security/CDhcpScreeningDlg.h"
#include "ui/security/CImpbBindingDlg.h"
#include "ui/security/CImpbListDlgs.h"
#include "ui/security/CImpbSettingsDlg.h"
#include "ui/security/CTrafficSegmentationDlg.h"
#include "ui/snmpadmin/CSnmpCommunityDlg.h"
#include "ui/snmpadmin/CSnmpEngineIdDlg.h"
#include "ui/snmpadmin/CSnmpGlobalStateDlg.h"
#include "ui/snmpadmin/CSnmpGroupTableDlg.h"
#include "ui/snmpadmin/CSnmpHostDlg.h"
#include "ui/snmpadmin/CSnmpTrapConfigDlg.h"
#include "ui/snmpadmin/CSnmpUserTableDlg.h"
#include "ui/snmpadmin/CSnmpViewTableDlg.h"
#include "ui/system/CPowerSavingDlg.h"
#include "ui/system/CSyslogHostDlg.h"
#include "ui/vlan/CAutoSurveillanceDlg.h"
#include "ui/vlan/CManagementVlanDlg.h"
#include "ui/vlan/CPvidConfigDlg.h"
#include "ui/vlan/CVlanConfigDlg.h"
#include "ui/vlan/CVlanEditDlg.h"

#include <QDialog>

namespace kx {

void DialogRegistry::add(const QString& entryText, const QString& title, DialogFactory factory)
{
    m_dialogs[entryText] = {title, false, std::move(factory), {}};
}

void DialogRegistry::add(const QString& entryText, std::function<QString()> title, DialogFactory factory)
{
    m_dialogs[entryText] = {QString(), false, std::move(factory), std::move(title)};
}

void DialogRegistry::addSubDialog(const QString& key, const QString& title, DialogFactory factory)
{
    m_dialogs[key] = {title, true, std::move(factory), {}};
}

DialogFactory DialogRegistry::find(const QString& key) const
{
    const RegisteredDialog* e = entry(key);
    return e ? e->factory : DialogFactory();
}

const RegisteredDialog* DialogRegistry::entry(const QString& key) const
{
    const auto it = m_dialogs.find(key);
    return it == m_dialogs.end() || !it->second.factory ? nullptr : &it->second;
}

bool DialogRegistry::contains(const QString& key) const
{
    return entry(key) != nullptr;
}

QStringList DialogRegistry::entries() const
{
    QStringList list;
    for (const auto& [key, dialog] : m_dialogs)
        if (dialog.factory)
            list << key;
    return list;
}

template<class D>
static DialogFactory Make()
{
    return [](QWidget* parent) -> QDialog* { return new D(parent); };
}

// A read-only table that lists and does nothing more.
static DialogFactory Viewer(TableDescriptor (*describe)())
{
    return [describe](QWidget* parent) -> QDialog* { return new CTableViewerDlg(describe(), parent); };
}

void RegisterProgramDialogs(DialogRegistry& r)
{
    // One line per dialog, keyed by the exact menu entry text.
    r.add(QStringLiteral("Trunk Configuration..."), QStringLiteral("Trunk Configuration"), Make<CTrunkConfigDlg>());
    r.add(QStringLiteral("VLAN Configuration..."), QStringLiteral("802.1Q VLAN Configuration"), Make<CVlanConfigDlg>());
    r.add(QStringLiteral("802.1Q Management VLAN"), QStringLiteral("IEEE 802.1Q Management VLAN Configuration"),
          Make<CManagementVlanDlg>());
    r.add(QStringLiteral("Traffic Segmentation Settings"), QStringLiteral("Traffic Segmentation Settings "),
          Make<CTrafficSegmentationDlg>());
    r.add(QStringLiteral("Bandwidth Control"), QStringLiteral("BandWidth Control"), Make<CBandwidthDlg>());
    r.add(QStringLiteral("Storm Control Settings"), QStringLiteral("Storm Control"), Make<CStormControlDlg>());
    r.add(QStringLiteral("Port Mirroring Settings"), QStringLiteral("PortMirroringConfiguration"),
          Make<CPortMirrorDlg>());
    r.add(QStringLiteral("SNMP User Table"), QStringLiteral("SNMP User Table "), Make<CSnmpUserTableDlg>());
    r.add(QStringLiteral("SNMP Group Table"), QStringLiteral("SNMP Group Table Info"), Make<CSnmpGroupTableDlg>());
    r.add(QStringLiteral("SNMP View Table"), QStringLiteral("SNMP View Table Configuration"),
          Make<CSnmpViewTableDlg>());
    r.add(QStringLiteral("SNMP Community Table"), QStringLiteral("SNMP Community Table Configuration"),
          Make<CSnmpCommunityDlg>());
    r.add(QStringLiteral("SNMP Host Table"), QStringLiteral("SNMP Host Table"), Make<CSnmpHostDlg>());
    r.add(QStringLiteral("SNMP Engine ID"), QStringLiteral("SNMP Engine ID"), Make<CSnmpEngineIdDlg>());
    r.add(QStringLiteral("SNMP Global State"), QStringLiteral("SNMP Global State Settings"),
          Make<CSnmpGlobalStateDlg>());
    r.add(QStringLiteral("SNMP Trap Configuration"), QStringLiteral("SNMP Trap Configuration"),
          Make<CSnmpTrapConfigDlg>());
    r.add(QStringLiteral("ARP Spoofing Prevention Setting..."), QStringLiteral("ARP Spoofing Prevention Setting"),
          Make<CArpSpoofingDlg>());
    r.add(QStringLiteral("DHCP Server Screening Settings"), QStringLiteral("DHCP Server Screening Settings  "),
          Make<CDhcpScreeningDlg>());
    r.add(QStringLiteral("Smart Binding Settings"), QStringLiteral("Smart Binding Settings"), Make<CImpbSettingsDlg>());
    r.add(QStringLiteral("Smart Binding"), QStringLiteral("Smart Binding"), Make<CImpbBindingDlg>());
    r.add(QStringLiteral("White List"), QStringLiteral("White List"), Make<CImpbWhiteListDlg>());
    r.add(QStringLiteral("Black List"), QStringLiteral("Black List"), Make<CImpbBlackListDlg>());
    r.add(QStringLiteral("Auto Surveillance VLAN Setting"), QStringLiteral("Auto Surveillance VLAN Settings"),
          Make<CAutoSurveillanceDlg>());
    r.add(QStringLiteral("Port Configuration..."), QStringLiteral("Port Configuration"), Make<CPortSettingDlg>());
    r.add(QStringLiteral("Spanning Tree Configuration"), QStringLiteral(" STP Configuration "), Make<CStpBridgeDlg>());
    r.add(QStringLiteral("IGMP Snooping Configuration"), QStringLiteral("IGMP Snooping Configuration"),
          Make<CIgmpSnoopingDlg>());
    r.add(QStringLiteral("Multicast Filtering Mode configuration..."),
          QStringLiteral("Multicast Filtering Mode Configuration"), Make<CMulticastFilterDlg>());
    r.add(QStringLiteral("802.1X Configuration..."), QStringLiteral("802.1X Config Information"),
          Make<CDot1xGlobalDlg>());
    r.add(QStringLiteral("Syslog Host Configuration..."), QStringLiteral("Syslog Host Configuration"),
          Make<CSyslogHostDlg>());
    r.add(QStringLiteral("System Information..."), QStringLiteral("System Information"), Make<CSystemInfoDlg>());
    r.add(QStringLiteral("Interface Table..."), QStringLiteral("Interface Table"), Viewer(&maintenance::InterfaceTable));
    r.add(QStringLiteral("IP Table..."),
          [] { return maintenance::IpTable(QString::fromStdString(GetSessionSettings().DeviceAddress)).title; },
          [](QWidget* parent) -> QDialog* {
              return new CTableViewerDlg(
                  maintenance::IpTable(QString::fromStdString(GetSessionSettings().DeviceAddress)), parent);
          });
    r.add(QStringLiteral("Forwarding Table..."), QStringLiteral("Forwarding Table"), Make<CForwardingTableDlg>());
    r.add(QStringLiteral("TCP Service..."), QStringLiteral("TCP Service"), Viewer(&maintenance::TcpServiceTable));
    r.add(QStringLiteral("UDP Service..."), QStringLiteral("UDP Service"), Viewer(&maintenance::UdpServiceTable));
    r.add(QStringLiteral("Firmware and Configuration Upgrade/Backup..."),
          QStringLiteral("Firmware and Configuration Upgrade/Backup"), Make<CFirmwareUpgradeDlg>());
    r.add(QStringLiteral("PoE Global Settings"), QStringLiteral("PoE Global Settings"), Make<CPoeGlobalDlg>());
    r.add(QStringLiteral("PoE Port Config"), QStringLiteral("PoE Configuration"), Make<CPoeConfigDlg>());
    r.add(QStringLiteral("Time Profile Settings"), QStringLiteral("Time Profile Info"), Make<CTimeProfileDlg>());
    r.add(QStringLiteral("LLDP Global Setting"), QStringLiteral("LLDP Global Settings"), Make<CLldpGlobalDlg>());
    r.add(QStringLiteral("LLDP Remote Port Information"), QStringLiteral("LLDP Remote Port Information"),
          Make<CLldpRemoteDlg>());
    r.add(QStringLiteral("Power Saving Settings"), QStringLiteral("Power Saving Settings "), Make<CPowerSavingDlg>());

    // Opened from the dialogs above; here with what the device holds, so that
    // kxgallery and the tests reach them alone.
    r.addSubDialog(QStringLiteral("Trunk member"), QStringLiteral("Trunk member"),
                   [](QWidget* parent) -> QDialog* { return CTrunkMemberDlg::ForDeviceGroup(1, parent); });
    r.addSubDialog(QStringLiteral("Add VLAN"), QStringLiteral("Add VLAN"),
                   [](QWidget* parent) -> QDialog* { return CVlanEditDlg::ForDevice(0, parent); });
    r.addSubDialog(QStringLiteral("Edit VLAN"), QStringLiteral("Edit VLAN"),
                   [](QWidget* parent) -> QDialog* { return CVlanEditDlg::ForDevice(1, parent); });
    r.addSubDialog(QStringLiteral("PVID Configuration"), QStringLiteral("PVID Configuration"),
                   [](QWidget* parent) -> QDialog* { return CPvidConfigDlg::ForDevice(parent); });
    r.addSubDialog(QStringLiteral("Add ARP Spoofing Prevention Entry"), QStringLiteral("Add ARP Spoofing Prevention Entry"),
                   [](QWidget* parent) -> QDialog* { return CArpSpoofingAddDlg::ForDevice(parent); });
    r.addSubDialog(QStringLiteral("Spanning Tree Table"), QStringLiteral("Spanning Tree Table"),
                   Make<CStpPortTableDlg>());
    r.addSubDialog(QStringLiteral("Port Config"), QStringLiteral(" Port STP Configuration"),
                   [](QWidget* parent) -> QDialog* { return CStpPortConfigDlg::ForDevice(parent); });
    r.addSubDialog(QStringLiteral("The VLAN Settings of IGMP snooping"), QStringLiteral("The VLAN Settings of IGMP snooping "),
                   Make<CIgmpVlanDlg>());
    r.addSubDialog(QStringLiteral("Multicast Entry Table"), QStringLiteral("Multicast Entry Table"),
                   Make<CMulticastEntryDlg>());
    r.addSubDialog(QStringLiteral("802.1X Port Configuration"), QStringLiteral("802.1X Port Configuration"),
                   [](QWidget* parent) -> QDialog* { return CDot1xPortDlg::ForDevice(parent); });
}

const DialogRegistry& ProgramDialogs()
{
    static const DialogRegistry registry = [] {
        DialogRegistry r;
        RegisterProgramDialogs(r);
        return r;
    }();
    return registry;
}

const QStringList& DialogsNotBuiltYet()
{
    static const QStringList entries = {
        QStringLiteral("LLDP MED Setting"),
    };
    return entries;
}

} // namespace kx
