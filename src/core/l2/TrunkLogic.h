#pragma once

// Link aggregation as "Trunk Configuration" and its member dialog see it: how a
// row of the group table reads, what each Apply refuses and writes, how a member
// set is written to the device, and where the member dialog
// puts its port boxes. No widgets: CTrunkConfigDlg and CTrunkMemberDlg move
// values between their controls and these functions.

#include "core/kit/SnmpRequests.h"
#include "core/kit/SnmpValue.h"
#include "core/kit/TrunkMembership.h"
#include "core/kit/ValueCodecs.h"

#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace kx::l2 {

inline const QString kLinkAggregationState = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.8.1.2.0");
inline const QString kLaPortChannelMode = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.8.1.3.1.3");

// The groups a device can have; their numbers are their instances.
constexpr int kTrunkGroupCount = 8;
// No more than this many ports bundle into one link.
constexpr int kMaxTrunkMembers = 4;
constexpr int kMinTrunkMembers = 2;

// The mode combo's entries, in this order.
inline const QStringList kChannelModeTexts = {QStringLiteral("LACP"), QStringLiteral("Static"),
                                              QStringLiteral("Disable")};

// One answered row of the group table.
struct TrunkGroupRow
{
    int group = 0;       // from the row's instance
    QString modeText;    // "LACP", "Static" or "Disable"
    QString memberText;  // member ports as "7,8", empty when none

    // The three texts of the list row.
    QStringList listTexts() const;
};

// The two columns "Trunk Configuration" walks together: members, then mode.
QStringList TrunkGroupColumns();
// Mode value "1" is LACP, "2" Static, anything else Disable.
QString ChannelModeText(const SnmpValue& mode);
TrunkGroupRow DecodeTrunkGroupRow(const WalkRow& row, int portCount);

// The row of group `group`, looked up by its number: a device may answer fewer
// rows than it has groups, so list positions say nothing.
std::optional<TrunkGroupRow> FindTrunkGroup(const std::vector<TrunkGroupRow>& rows, int group);

// Whether "Enable Trunk" is ticked: nullopt when the state could not be read.
std::optional<bool> ReadTrunkState(const GetResult& answer);
SetBinding TrunkStateBinding(bool enabled);

// What the channel-mode Apply does with the typed group and the chosen mode.
struct ChannelModeDecision
{
    enum class Action
    {
        Nothing,      // no group typed, or the mode is the one the group has
        RefuseGroup,  // the typed number is not a group: message, then the typed text is selected
        Refuse,       // message only
        Write,
    };
    Action action = Action::Nothing;
    QString message;
    SetBinding binding;
};
ChannelModeDecision DecideChannelMode(const QString& trunkIdText, int modeIndex,
                                      const std::vector<TrunkGroupRow>& rows);

// What "&PortMember" opens: the typed group with the chosen mode and that
// group's own present members, or the refusal to show.
struct PortMemberRequest
{
    QString refusal;
    QString groupText;
    QString modeText;
    QString currentMembers;
};
PortMemberRequest RequestPortMembers(const QString& trunkIdText, const QString& modeText,
                                     const std::vector<TrunkGroupRow>& rows);

// The one set of the member write: the members as the PortList of a device
// with `portCount` ports, then the mode ("1" LACP, "2" otherwise).
std::vector<SetBinding> MemberWriteBindings(const PortFlags& members, int portCount,
                                            const QString& groupText, const QString& modeValue);
// The mode value the member dialog writes for its mode text.
QString MemberModeValue(const QString& modeText);

// The refusal of a member count, or an empty text.
QString CheckMemberCount(int ticked);

// Where the member dialog puts its boxes and labels, by the device's port count.
struct MemberDialogGeometry
{
    QSize dialogSize;
    int gap = 0;        // horizontal gap between boxes
    int perRow = 0;     // boxes in one row

    QRect boxRect(int portIndex) const;    // port index counted from 0
    QRect labelRect(int portIndex) const;
};
MemberDialogGeometry MemberGeometry(int portCount);

} // namespace kx::l2
