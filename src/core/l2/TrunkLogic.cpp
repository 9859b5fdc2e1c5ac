#include "core/l2/TrunkLogic.h"

#include "base/TextNumber.h"

#include <algorithm>
#include <limits>

namespace kx::l2 {

QStringList TrunkGroupRow::listTexts() const
{
    return {QString::number(group), modeText, memberText};
}

QStringList TrunkGroupColumns()
{
    return {kLaPortChannelMemberList, kLaPortChannelMode};
}

QString ChannelModeText(const SnmpValue& mode)
{
    if (mode.octets == "1")
        return kChannelModeTexts[0];
    if (mode.octets == "2")
        return kChannelModeTexts[1];
    return kChannelModeTexts[2];
}

TrunkGroupRow DecodeTrunkGroupRow(const WalkRow& row, int portCount)
{
    TrunkGroupRow out;
    out.group = TrunkMembership::GroupOf(row);
    out.modeText = ChannelModeText(row.value(1));
    PortListToNumberText(row.value(0).octets, out.memberText, portCount);
    return out;
}

std::optional<TrunkGroupRow> FindTrunkGroup(const std::vector<TrunkGroupRow>& rows, int group)
{
    // A device that answers a group twice is taken at its last answer, as the list shows it last.
    const auto it = std::find_if(rows.rbegin(), rows.rend(),
                                 [group](const TrunkGroupRow& r) { return r.group == group; });
    if (it == rows.rend())
        return std::nullopt;
    return *it;
}

std::optional<bool> ReadTrunkState(const GetResult& answer)
{
    if (!answer.ok() || answer.values.empty())
        return std::nullopt;
    return answer.value(0).isEnabled();
}

SetBinding TrunkStateBinding(bool enabled)
{
    return SetBinding::Integer(kLinkAggregationState, enabled ? 1 : 2);
}

ChannelModeDecision DecideChannelMode(const QString& trunkIdText, int modeIndex,
                                      const std::vector<TrunkGroupRow>& rows)
{
    using Action = ChannelModeDecision::Action;
    ChannelModeDecision decision;
    if (trunkIdText.isEmpty())
        return decision;
    const int group = kx::LeadingDecimal(trunkIdText);
    if (group < 1 || group > kTrunkGroupCount) {
        decision.action = Action::RefuseGroup;
        decision.message = QStringLiteral("Invliad VLAN ID, VLAN ID should be (1-8) !");
        return decision;
    }
    const QString modeText = modeIndex >= 0 && modeIndex < kChannelModeTexts.size()
                                 ? kChannelModeTexts[modeIndex]
                                 : QString();
    const std::optional<TrunkGroupRow> row = FindTrunkGroup(rows, group);
    if (row && row->modeText == modeText)
        return decision;
    // A group the device did not answer has no members either.
    if (!row || row->memberText.isEmpty()) {
        decision.action = Action::Refuse;
        decision.message = QStringLiteral("Please configure the PortMember first");
        return decision;
    }
    decision.action = Action::Write;
    decision.binding = SetBinding::Integer(Oid(kLaPortChannelMode, group),
                                           modeIndex == 0 ? 1 : modeIndex == 1 ? 2 : 3);
    return decision;
}

PortMemberRequest RequestPortMembers(const QString& trunkIdText, const QString& modeText,
                                     const std::vector<TrunkGroupRow>& rows)
{
    PortMemberRequest request;
    if (trunkIdText.isEmpty()) {
        request.refusal = QStringLiteral("Please select the Trunk !");
        return request;
    }
    if (modeText == kChannelModeTexts[2]) {
        request.refusal = QStringLiteral("Link Aggregation State is disable.");
        return request;
    }
    request.groupText = trunkIdText;
    request.modeText = modeText;
    // The members of the group being edited, whichever row was clicked last:
    // the member rule against ports of another group lets exactly these stay.
    if (const auto row = FindTrunkGroup(rows, kx::LeadingDecimal(trunkIdText)))
        request.currentMembers = row->memberText;
    return request;
}

std::vector<SetBinding> MemberWriteBindings(const PortFlags& members, int portCount,
                                            const QString& groupText, const QString& modeValue)
{
    const QString group = QString::number(kx::LeadingDecimal(groupText));
    return {
        SetBinding::Octets(Oid(kLaPortChannelMemberList, group), PortFlagsToPortList(members, portCount)),
        SetBinding::Integer(Oid(kLaPortChannelMode, group), modeValue),
    };
}

QString MemberModeValue(const QString& modeText)
{
    return modeText == kChannelModeTexts[0] ? QStringLiteral("1") : QStringLiteral("2");
}

QString CheckMemberCount(int ticked)
{
    if (ticked < kMinTrunkMembers)
        return QStringLiteral("The mininum port members for an aggregated link is 2 !");
    if (ticked > kMaxTrunkMembers)
        return QStringLiteral("The maxinum port member for an aggregated link is exceeded !");
    return {};
}

namespace {

constexpr int kBoxLeft = 55;
constexpr int kBoxTop = 125;
constexpr int kBoxWidth = 17;
constexpr int kBoxHeight = 15;
constexpr int kLabelTop = 140;
constexpr int kLabelWidth = 20;
constexpr int kLabelHeight = 20;
constexpr int kRowStep = 45;

} // namespace

QRect MemberDialogGeometry::boxRect(int portIndex) const
{
    const int row = perRow > 0 ? portIndex / perRow : 0;
    const int column = perRow > 0 ? portIndex % perRow : portIndex;
    return QRect(kBoxLeft + column * (kBoxWidth + gap), kBoxTop + row * kRowStep, kBoxWidth,
                 kBoxHeight);
}

QRect MemberDialogGeometry::labelRect(int portIndex) const
{
    const QRect box = boxRect(portIndex);
    return QRect(box.x(), kLabelTop + (box.y() - kBoxTop), kLabelWidth, kLabelHeight);
}

MemberDialogGeometry MemberGeometry(int portCount)
{
    struct Known
    {
        int ports;
        QSize size;
        int gap;
        int perRow; // 0: all in one row
    };
    static const Known kKnown[] = {
        {8, {500, 250}, 35, 0},  {10, {520, 275}, 25, 0}, {16, {447, 275}, 4, 0},
        {24, {550, 275}, 0, 0},  {28, {580, 275}, 0, 0},  {48, {520, 330}, 0, 24},
        {52, {560, 330}, 0, 26},
    };
    const int ports = std::max(portCount, 1);
    // Counts without a geometry of their own take the next larger one's.
    for (const Known& k : kKnown) {
        if (ports <= k.ports) {
            const int perRow = k.perRow > 0 ? k.perRow : ports;
            return {k.size, k.gap, perRow};
        }
    }
    const int perRow = (ports + 1) / 2;
    const int width = std::max(560, 2 * kBoxLeft + perRow * kBoxWidth);
    return {QSize(width, 330), 0, perRow};
}

} // namespace kx::l2
