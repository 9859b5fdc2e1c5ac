#pragma once

// The kit's worked example, the pattern every configuration dialog follows: the
// dialog's own rules (what it reads, how rows read, what is refused) live here,
// where tests drive them without widgets; CExampleSystemDlg declares its reads,
// binds its fields and calls read() and write(). It edits the agent's system
// name, contact and location and lists its interfaces. It is not on the menu.

#include "core/kit/DeviceValues.h"
#include "core/kit/SnmpValue.h"

#include <QString>
#include <QStringList>

namespace kx::example {

inline const QString kSysContact = QStringLiteral("1.3.6.1.2.1.1.4.0");
inline const QString kSysName = QStringLiteral("1.3.6.1.2.1.1.5.0");
inline const QString kSysLocation = QStringLiteral("1.3.6.1.2.1.1.6.0");
inline const QString kIfIndex = QStringLiteral("1.3.6.1.2.1.2.2.1.1");
inline const QString kIfDescr = QStringLiteral("1.3.6.1.2.1.2.2.1.2");
inline const QString kIfOperStatus = QStringLiteral("1.3.6.1.2.1.2.2.1.8");

// The three objects, read in one get; Apply writes only those the user changed.
struct SystemIdentity
{
    DeviceValues values;
    DeviceValue& name = values.text(kSysName, 128);
    DeviceValue& contact = values.text(kSysContact, 128);
    DeviceValue& location = values.text(kSysLocation, 128);
};

class ExampleSystemLogic
{
public:
    // The interface walk: its columns, and the texts of one list row.
    static QStringList InterfaceColumns() { return {kIfIndex, kIfDescr, kIfOperStatus}; }
    static QStringList InterfaceRow(const WalkRow& row);

    // The refusal of the typed name, or an empty text when it may be written.
    static QString Check(const QString& name);
};

} // namespace kx::example
