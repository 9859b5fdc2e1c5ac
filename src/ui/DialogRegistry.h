#pragma once

// The dialogs the panel's menu opens, by the text of the menu entry that opens
// them ("Trunk Configuration...", "SNMP User Table", ...), with the window title
// each must show. The panel enables an entry exactly when the registry has a
// factory for it. Sub-dialogs (opened from another dialog) are registered too,
// marked as such, so that tools and the policy tests reach every window.
//
// RegisterProgramDialogs() is the one list of every dialog of the program: a
// dialog that lands adds one line there. There is no self-registration from
// static objects, because the linker drops objects of a static library that
// nothing refers to.

#include <QString>
#include <QStringList>

#include <functional>
#include <map>

class QDialog;
class QWidget;

namespace kx {

// Makes the dialog, not yet shown, with `parent` as its parent; the caller runs
// it modally and deletes it.
using DialogFactory = std::function<QDialog*(QWidget* parent)>;

struct RegisteredDialog
{
    QString title; // the window title, exactly
    bool subDialog = false;
    DialogFactory factory;
    // A title made of session values ("IP Table : " + the device's address),
    // asked for when needed: the registry may be filled before the settings are.
    std::function<QString()> titleNow;

    QString currentTitle() const { return titleNow ? titleNow() : title; }
};

class DialogRegistry
{
public:
    // A dialog the menu entry `entryText` opens.
    void add(const QString& entryText, const QString& title, DialogFactory factory);
    void add(const QString& entryText, std::function<QString()> title, DialogFactory factory);
    // A dialog another dialog opens, under a key of its own.
    void addSubDialog(const QString& key, const QString& title, DialogFactory factory);
    // The factory, or an empty function.
    DialogFactory find(const QString& key) const;
    const RegisteredDialog* entry(const QString& key) const;
    bool contains(const QString& key) const;
    // Every key, menu entries and sub-dialogs.
    QStringList entries() const;

private:
    std::map<QString, RegisteredDialog> m_dialogs;
};

// Fills `registry` with every dialog of the program.
void RegisterProgramDialogs(DialogRegistry& registry);

// The program's registry, filled by RegisterProgramDialogs() on first use.
const DialogRegistry& ProgramDialogs();

// The menu entries that open a dialog not built yet: they stay disabled.
const QStringList& DialogsNotBuiltYet();

} // namespace kx
