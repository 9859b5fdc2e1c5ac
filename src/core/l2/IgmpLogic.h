#pragma once

// IGMP snooping and multicast filtering without widgets: the objects the four
// dialogs read, how a walked row reads, what each Apply refuses (in its order,
// with its text) and which requests it sends, in their order. The dialogs move
// texts between their controls and these functions; CIgmpSnoopingModel carries
// the IGMP reads and writes.

#include "core/kit/SnmpRequests.h"
#include "core/kit/SnmpValue.h"
#include "core/kit/TrunkMembership.h"
#include "core/kit/ValueCodecs.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace kx::l2 {

// --- IGMP snooping, device-wide ---------------------------------------------------

// The eight objects in the order one get reads them and the dialog lists them.
enum IgmpGlobalField
{
    kIgmpState = 0,
    kIgmpRouterTimeout,
    kIgmpHostTimeout,
    kIgmpRobustness,
    kIgmpLastMemberQueryInterval,
    kIgmpQueryInterval,
    kIgmpMaxResponseTime,
    kIgmpReportToAllPorts,
    kIgmpGlobalFieldCount
};
// The scalar of each field, ".0" included.
QStringList IgmpGlobalOids();
// The time-out of the get of the eight.
constexpr int kIgmpGlobalReadTimeoutMs = 4000;

// The texts of the eight fields, IgmpGlobalField order.
using IgmpGlobalTexts = QStringList;

struct IgmpRefusal
{
    QString message;
    int field = -1; // the IgmpGlobalField whose edit takes the focus

    bool refused() const { return !message.isEmpty(); }
};
// The six range checks, host timeout first and max response time last.
IgmpRefusal CheckIgmpGlobal(const IgmpGlobalTexts& texts);

// Asked when Apply leaves snooping off; anything but OK refreshes and stops.
inline const QString kRouterPortsDeletedQuestion = QStringLiteral("All router ports will be deleted.");

// The requests of Apply, each one synchronous set, compared with what was last
// read: nothing while snooping stays off; a changed state alone first (and only
// that when it turns off); then, with snooping on, the other seven that differ
// in one request.
std::vector<std::vector<SetBinding>> IgmpGlobalRequests(const IgmpGlobalTexts& wanted,
                                                        const IgmpGlobalTexts& lastRead);

// --- IGMP snooping per VLAN ----------------------------------------------------------

inline const QString kIgmpVlanId = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.10.3.4.1.1");
inline const QString kIgmpVlanState = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.10.3.4.1.2");
inline const QString kIgmpVlanQuerier = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.10.3.4.1.4");
inline const QString kIgmpVlanRouterPorts = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.10.3.4.1.6");
inline const QString kIgmpVlanFastLeave = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.10.3.4.1.8");

inline const QString kEnabledText = QStringLiteral("Enabled");
inline const QString kDisabledText = QStringLiteral("Disabled");

// The IGMP VLAN columns walked together with the VLAN name column.
QStringList IgmpVlanColumns();

// The list row of one VLAN: ID, name, state, querier state, fast leave ("Enabled"
// for "1", else "Disabled") and the static router ports as a port range text.
// A name whose cell belongs to another VLAN (the device left a cell out) is
// not shown as this VLAN's.
enum IgmpVlanColumn
{
    kVlanColId = 0,
    kVlanColName,
    kVlanColState,
    kVlanColQuerier,
    kVlanColFastLeave,
    kVlanColRouterPorts,
};
QStringList IgmpVlanRowTexts(const WalkRow& row, int portCount);

inline const QString kVlanRouterPortsQuestion = QStringLiteral("All router ports of this VLAN will be deleted.");

// What Apply (1000) does with the VLAN ID text and the three combo positions
// (0 "Enabled", else "Disabled"); the old state comes from the listed row of that
// VLAN ("Enabled" is "1", anything else, or no row, "2").
struct IgmpVlanApply
{
    bool nothing = false; // no VLAN ID typed
    bool ask = false;     // the new state is "2": kVlanRouterPortsQuestion first
    std::vector<std::vector<SetBinding>> requests;
};
IgmpVlanApply DecideIgmpVlanApply(const QString& vlanIdText, int statePos, int querierPos, int fastLeavePos,
                                  const std::vector<QStringList>& listedRows);

// Apply (1149): the ticked ports (one flag a port) must agree within every
// aggregated link, then a VLAN must be chosen. `membersAgree` is the result of
// the agreement check. Returns the refusal, or empty with `binding` set.
QString DecideRouterPorts(const QString& vlanIdText, const PortFlags& ticked, bool membersAgree, int portCount,
                          SetBinding& binding);

// --- multicast entries ----------------------------------------------------------------

inline const QString kMcEntryVlan = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.10.3.5.1.1");
inline const QString kMcEntryGroup = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.10.3.5.1.2");
inline const QString kMcEntryMac = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.10.3.5.1.3");
inline const QString kMcEntryPorts = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.10.3.5.1.4");
QStringList MulticastEntryColumns();
// VLAN ID, group address, MAC and member ports of one row (the running "Group ID"
// is the list's): values shorter than the device should send are shown as they
// came, and ports a short member list leaves out are no members.
QStringList MulticastEntryTexts(const WalkRow& row, int portCount);

// --- multicast filtering ---------------------------------------------------------------

inline const QString kMcFilterPort = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.28.1.1.1");
inline const QString kMcFilterMode = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.28.1.1.2");
inline const QStringList kMcFilterModeTexts = {QStringLiteral("Forward Unregistered Groups"),
                                               QStringLiteral("Filtering Unregistered Groups")};
inline const QString kToPortSmallerMessage = QStringLiteral("'To Port' can not be smaller than 'From Port'");
inline const QString kFilterTrunkRefusal =
    QStringLiteral("Ports with different Multicast Filtering Mode in an aggregated link is invalid.");
// The pause between the write and the walk that shows it.
constexpr int kFilterSettleMs = 50;

QStringList MulticastFilterColumns();
// Port and mode text of one walked row.
QStringList MulticastFilterRowTexts(const WalkRow& row);

// Apply: refused as a whole when any port of the range is aggregated; otherwise
// one binding a port of the range (mode "1" for position 0, else "2").
QString DecideMulticastFilter(int fromPort, int toPort, int modePos, const TrunkMembership& trunks,
                              std::vector<SetBinding>& bindings);

} // namespace kx::l2
