#pragma once

// The framework's worked example, the pattern every configuration dialog
// follows: a logic class that decides (what to read, how rows read, what is
// refused, what is written) and that tests drive without widgets, under a thin
// dialog (CExampleSystemDlg) that moves values between controls and this class.
// It edits the agent's system name, contact and location and lists its
// interfaces. It is not on the panel's menu.

#include "core/kit/SnmpRequests.h"
#include "core/kit/SnmpValue.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace kx::example {

inline const QString kSysContact = QStringLiteral("1.3.6.1.2.1.1.4.0");
inline const QString kSysName = QStringLiteral("1.3.6.1.2.1.1.5.0");
inline const QString kSysLocation = QStringLiteral("1.3.6.1.2.1.1.6.0");
inline const QString kIfIndex = QStringLiteral("1.3.6.1.2.1.2.2.1.1");
inline const QString kIfDescr = QStringLiteral("1.3.6.1.2.1.2.2.1.2");
inline const QString kIfOperStatus = QStringLiteral("1.3.6.1.2.1.2.2.1.8");

struct SystemIdentity
{
    QString name;
    QString contact;
    QString location;
};

class ExampleSystemLogic
{
public:
    // What the first read gets, and how its answer reads.
    static QStringList IdentityOids() { return {kSysName, kSysContact, kSysLocation}; }
    static bool ReadIdentity(const GetResult& answer, SystemIdentity& identity);

    // The interface walk: its columns, and the texts of one list row.
    static QStringList InterfaceColumns() { return {kIfIndex, kIfDescr, kIfOperStatus}; }
    static QStringList InterfaceRow(const WalkRow& row);

    // The refusal for what the user typed, or an empty text when it may be written.
    static QString Check(const SystemIdentity& typed);

    // Only the objects that differ from what was last read, in one set.
    static std::vector<SetBinding> Changes(const SystemIdentity& lastRead, const SystemIdentity& typed);
};

} // namespace kx::example
