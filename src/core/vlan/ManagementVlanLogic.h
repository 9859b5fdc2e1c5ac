#pragma once

// "IEEE 802.1Q Management VLAN Configuration" without its widgets: the objects it
// reads and writes, how the answers read, and the refusal of Apply.

#include "core/kit/ReadPlan.h"
#include "core/kit/SnmpRequests.h"
#include "core/kit/SnmpValue.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace kx::vlan {

inline const QString kManagementVlanState = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.7.2.0");
inline const QString kManagementVlanId = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.7.3.0");

struct ManagementVlan
{
    QString state; // "1" enabled, else disabled
    QString vid;
};

class ManagementVlanLogic
{
public:
    // The VLAN walk: name and row status side by side.
    static QStringList WalkColumns();
    static QStringList StateOids() { return {kManagementVlanState, kManagementVlanId}; }
    // False (and `out` untouched) when the get failed.
    static bool ReadState(const GetResult& answer, ManagementVlan& out);

    // Where the dialog shows the management VLAN, VLAN 1 is always "default";
    // any other VLAN's name (and every VLAN's when the user chooses it) is read
    // from the device at that moment.
    static bool IsDefaultName(const QString& vid) { return vid == QLatin1String("1"); }
    static QString DefaultName() { return QStringLiteral("default"); }
    static QString NameOid(const QString& vid);
    // The name as it comes; false (and `name` untouched) when the get failed.
    static bool ReadName(const GetResult& answer, QString& name);
    static QString EgressOid(const QString& vid);

    // Apply's member check: true when the egress list arrived and names no port.
    static bool IsEmptyVlan(const GetResult& egressAnswer, int portCount);
    static QString EmptyVlanMessage() { return QStringLiteral("Management VLAN could not be empty."); }

    // The one set of Apply: state and VID, each only when it is not empty.
    static std::vector<SetBinding> ApplyBindings(const ManagementVlan& chosen);

    // Apply's requests in their order: the member check of a VLAN other than 1
    // (a failed get does not stop the Apply), then the set.
    struct ApplyOutcome
    {
        bool emptyVlan = false; // refused: nothing was written
        SetResult set;
    };
    static ApplyOutcome Apply(CCommonSNMP& getSession, CCommonSNMP& setSession, const ManagementVlan& chosen,
                              int portCount);
};

// What the dialog shows, as its reads fold it.
struct ManagementVlanView
{
    QStringList vids;      // in walk order
    QStringList rowStates; // beside them
    ManagementVlan read;   // the state and VID last read
    QString name;
    bool walkReachedEnd = false;

    // Refresh: the VLAN walk; once it has reached its end, the state and VID;
    // then the VID's name ("default" for VLAN 1, which is not read).
    ReadPlan RefreshPlan(std::shared_ptr<CCommonSNMP> table, std::shared_ptr<CCommonSNMP> get);
    // The state, VID and name alone, read anew (after Apply).
    ReadPlan ShowPlan(std::shared_ptr<CCommonSNMP> get);
    // Only active VLANs stay listed.
    QStringList ActiveVids() const;

private:
    ReadPlan StatePlan(std::shared_ptr<CCommonSNMP> get, bool afterWalk);
};

} // namespace kx::vlan
