#pragma once

// The dialogs the panel's menu opens, by the text of the menu entry that opens
// them ("Trunk Configuration...", "SNMP User Table", ...). The panel enables an
// entry exactly when the registry has a factory for it.
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

class DialogRegistry
{
public:
    // Adds or replaces the factory for `entryText`.
    void add(const QString& entryText, DialogFactory factory);
    // The factory, or an empty function.
    DialogFactory find(const QString& entryText) const;
    bool contains(const QString& entryText) const;
    QStringList entries() const;

private:
    std::map<QString, DialogFactory> m_factories;
};

// Fills `registry` with every dialog of the program.
void RegisterProgramDialogs(DialogRegistry& registry);

// The program's registry, filled by RegisterProgramDialogs() on first use.
const DialogRegistry& ProgramDialogs();

} // namespace kx
