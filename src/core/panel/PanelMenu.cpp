#include "core/panel/PanelMenu.h"

#include "base/DeviceModels.h"

namespace kx {

namespace {

std::vector<PanelMenuEntry> BuildTable()
{
    const QString dm = QStringLiteral("Device Manager");
    std::vector<PanelMenuEntry> t;
    // The mnemonics are the design's: entries it writes without one get none.
    auto add = [&](QStringList path, const char* text, PanelCommand command = PanelCommand::OpenDialog) {
        t.push_back({std::move(path), QString::fromLatin1(text), command});
    };
    add({dm, "System"}, "&Port Configuration...");
    add({dm, "System"}, "Syslog Host Configuration...");
    add({dm, "System"}, "Time Profile Settings");
    add({dm, "System"}, "Power Saving Settings");
    add({dm, "VLAN"}, "&VLAN Configuration...");
    add({dm, "VLAN"}, "802.1Q Management VLAN");
    add({dm, "VLAN"}, "Auto Surveillance VLAN Setting");
    add({dm, "L2 Function"}, "Port Mirroring Settings");
    add({dm, "L2 Function"}, "&Spanning Tree Configuration");
    add({dm, "L2 Function"}, "&Trunk Configuration...");
    add({dm, "L2 Function"}, "&Multicast Filtering Mode configuration...");
    add({dm, "L2 Function"}, "IGMP Snooping Configuration");
    add({dm, "Qos"}, "Bandwidth Control");
    add({dm, "Security"}, "ARP Spoofing Prevention Setting...");
    add({dm, "Security"}, "DHCP Server Screening Settings");
    add({dm, "Security"}, "Traffic Segmentation Settings");
    add({dm, "Security"}, "Storm Control Settings");
    add({dm, "Security", "Smart Binding"}, "Smart Binding Settings");
    add({dm, "Security", "Smart Binding"}, "Smart Binding");
    add({dm, "Security", "Smart Binding"}, "White List");
    add({dm, "Security", "Smart Binding"}, "Black List");
    add({dm, "AAA"}, "802.1X Configuration...");
    add({dm, "SNMP Setting"}, "SNMP Global State");
    add({dm, "SNMP Setting"}, "SNMP User Table");
    add({dm, "SNMP Setting"}, "SNMP Group Table");
    add({dm, "SNMP Setting"}, "SNMP View Table");
    add({dm, "SNMP Setting"}, "SNMP Community Table");
    add({dm, "SNMP Setting"}, "SNMP Host Table");
    add({dm, "SNMP Setting"}, "SNMP Engine ID");
    add({dm, "SNMP Setting"}, "SNMP Trap Configuration");
    add({dm, "LLDP"}, "LLDP Global Setting");
    add({dm, "LLDP"}, "LLDP Remote Port Information");
    add({dm, "LLDP"}, "LLDP MED Setting");
    add({dm, "POE"}, "PoE Global Settings");
    add({dm, "POE"}, "PoE Port Config");
    const QString mib = QStringLiteral("Public MIB");
    add({mib}, "System Information...");
    add({mib}, "Interface Table...");
    add({mib}, "IP Table...");
    add({mib}, "Forwarding Table...");
    add({mib}, "TCP Service...");
    add({mib}, "UDP Service...");
    const QString tools = QStringLiteral("Tools");
    add({tools}, "Save Configuration...", PanelCommand::SaveConfiguration);
    add({tools}, "Firmware and Configuration Upgrade/Backup...");
    add({tools}, "Telnet...", PanelCommand::Telnet);
    add({tools}, "Web...", PanelCommand::Web);
    add({tools}, "Reboot", PanelCommand::Reboot);
    add({QStringLiteral("About")}, "About...", PanelCommand::About);
    return t;
}

} // namespace

const std::vector<PanelMenuEntry>& PanelMenuTable()
{
    static const std::vector<PanelMenuEntry> table = BuildTable();
    return table;
}

QString AboutMenuEntryText()
{
    return QStringLiteral("About...");
}

QString AboutMenuEntryTextFor(const QString& deviceName)
{
    return QStringLiteral("About ") + deviceName + QStringLiteral("...");
}

QString SystemAboutEntryText()
{
    return QStringLiteral("&About KX-A1 Module...");
}

QStringList PanelMenuEntriesRemoved(const QString& deviceName)
{
    QStringList removed{QStringLiteral("LLDP MED Setting")};
    if (!IsPoeModel(deviceName))
        removed << QStringLiteral("PoE Port Config") << QStringLiteral("LLDP Global Setting")
                << QStringLiteral("LLDP Remote Port Information");
    return removed;
}

} // namespace kx
