#include "ui/DialogRegistry.h"

#include "ui/l2/CTrunkConfigDlg.h"
#include "ui/l2/CTrunkMemberDlg.h"
#include "ui/vlan/CManagementVlanDlg.h"
#include "ui/vlan/CPvidConfigDlg.h"
#include "ui/vlan/CVlanConfigDlg.h"
#include "ui/vlan/CVlanEditDlg.h"

#include <QDialog>

namespace kx {

void DialogRegistry::add(const QString& entryText, DialogFactory factory)
{
    m_factories[entryText] = std::move(factory);
}

DialogFactory DialogRegistry::find(const QString& entryText) const
{
    const auto it = m_factories.find(entryText);
    return it == m_factories.end() ? DialogFactory() : it->second;
}

bool DialogRegistry::contains(const QString& entryText) const
{
    const auto it = m_factories.find(entryText);
    return it != m_factories.end() && it->second;
}

QStringList DialogRegistry::entries() const
{
    QStringList list;
    for (const auto& [text, factory] : m_factories)
        if (factory)
            list << text;
    return list;
}

void RegisterProgramDialogs(DialogRegistry& registry)
{
    // One line per dialog, keyed by the exact menu entry text, e.g.
    //   registry.add(QStringLiteral("Trunk Configuration..."),
    //                [](QWidget* parent) -> QDialog* { return new CTrunkConfigDlg(parent); });
    // "SNMP Trap Configuration" has no dialog: its entry stays disabled.
    registry.add(QStringLiteral("Trunk Configuration..."),
                 [](QWidget* parent) -> QDialog* { return new CTrunkConfigDlg(parent); });
    // Not on the menu: lets kxgallery show the member dialog of group 1.
    registry.add(QStringLiteral("Trunk member"),
                 [](QWidget* parent) -> QDialog* { return CTrunkMemberDlg::ForDeviceGroup(1, parent); });
    registry.add(QStringLiteral("VLAN Configuration..."),
                 [](QWidget* parent) -> QDialog* { return new CVlanConfigDlg(parent); });
    registry.add(QStringLiteral("802.1Q Management VLAN"),
                 [](QWidget* parent) -> QDialog* { return new CManagementVlanDlg(parent); });
    // Not on the menu: let kxgallery show the dialogs "VLAN Configuration..." opens.
    registry.add(QStringLiteral("Add VLAN"),
                 [](QWidget* parent) -> QDialog* { return CVlanEditDlg::ForDevice(0, parent); });
    registry.add(QStringLiteral("Edit VLAN"),
                 [](QWidget* parent) -> QDialog* { return CVlanEditDlg::ForDevice(1, parent); });
    registry.add(QStringLiteral("PVID Configuration"),
                 [](QWidget* parent) -> QDialog* { return CPvidConfigDlg::ForDevice(parent); });
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

} // namespace kx
