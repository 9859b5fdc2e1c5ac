#pragma once

// The panel's menu as data: every entry with the menu it sits in and what it
// does, and the entries a model does not get.

#include <QString>
#include <QStringList>

#include <vector>

namespace kx {

enum class PanelCommand
{
    OpenDialog,        // a dialog from the dialog registry, keyed by the entry text
    SaveConfiguration,
    Telnet,
    Web,
    Reboot,
    About,
};

struct PanelMenuEntry
{
    QStringList menuPath; // e.g. {"Device Manager", "Security", "Smart Binding"}
    QString text;         // the entry as shown, its mnemonic marked: "&Trunk Configuration..."
    PanelCommand command = PanelCommand::OpenDialog;

    // The entry without its mnemonic marker: how dialogs and tests name it.
    QString key() const { return QString(text).remove(QLatin1Char('&')); }
};

// Every entry in menu order. The About menu's entry reads "About..." until the
// panel names it after the model.
const std::vector<PanelMenuEntry>& PanelMenuTable();

// The entry the panel renames to "About " + DeviceName + "...".
QString AboutMenuEntryText();
QString AboutMenuEntryTextFor(const QString& deviceName);
// The entry of the panel's window menu that shows the About box in place.
QString SystemAboutEntryText();

// The entries the panel removes for a model: always "LLDP MED Setting"; for a
// model without PoE also "PoE Port Config", "LLDP Global Setting" and
// "LLDP Remote Port Information".
QStringList PanelMenuEntriesRemoved(const QString& deviceName);

} // namespace kx
