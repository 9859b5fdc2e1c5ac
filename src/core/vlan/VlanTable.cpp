#include "core/vlan/VlanTable.h"

#include "base/TextNumber.h"
#include "core/kit/ValueCodecs.h"

#include <limits>

namespace kx::vlan {

QStringList VlanTableLogic::VlanColumns()
{
    return {kDot1qVlanStaticName, kDot1qVlanStaticEgressPorts, kDot1qVlanStaticUntaggedPorts,
            kDot1qVlanStaticRowState};
}

bool VlanTableLogic::ActiveEntry(const WalkRow& row, VlanEntry& entry, int portCount)
{
    if (row.values.size() < 4 || row.value(3).text() != kRowActive)
        return false;
    const int vid = row.indexNumber();
    if (vid < 1)
        return false;
    entry = VlanEntry();
    entry.vid = vid;
    Utf8ToText(row.value(0).octets, entry.name);
    entry.egressCount = PortListToNumberText(row.value(1).octets, entry.egressList, portCount);
    entry.untaggedCount = PortListToNumberText(row.value(2).octets, entry.untaggedList, portCount);
    return true;
}

VlanEntries VlanTableLogic::ActiveEntries(const std::vector<WalkRow>& rows, int portCount)
{
    VlanEntries entries;
    for (const WalkRow& row : rows) {
        VlanEntry entry;
        if (ActiveEntry(row, entry, portCount))
            entries.push_back(std::move(entry));
    }
    return entries;
}

QStringList VlanTableLogic::ListRow(const VlanEntry& entry)
{
    return {QString::number(entry.vid), entry.name, QString::number(entry.egressCount),
            entry.egressList, entry.untaggedList};
}

QStringList VlanTableLogic::VoiceSurveillanceOids()
{
    return {kVoiceVlanState, kVoiceVlanId, kSurveillanceVlanState, kSurveillanceVlanId};
}

bool VlanTableLogic::ReadVoiceSurveillance(const GetResult& answer, VoiceSurveillance& out)
{
    if (!answer.ok() || answer.values.size() < 4)
        return false;
    out.voiceState = answer.value(0).isEnabled() ? 1 : 2;
    out.voiceVid = answer.value(1).toInt();
    out.surveillanceState = answer.value(2).isEnabled() ? 1 : 2;
    out.surveillanceVid = answer.value(3).toInt();
    return true;
}

QString VlanTableLogic::AsymmetricRefusal(const VoiceSurveillance& vs)
{
    if (vs.voiceState == 1)
        return QStringLiteral("Voice Vlan is enable,the vlan mode can't change to Asymmetric mode!\n"
                              "If you could disable it, please set it through the web!");
    if (vs.surveillanceState == 1)
        return QStringLiteral(
            "Auto Surveillance VLAN is enable,the vlan mode can't change to Asymmetric mode!");
    return {};
}

QString VlanTableLogic::AsymmetricQuestion()
{
    return QStringLiteral(
        "The setting of VLAN, IGMP Snooping, Management VLAN and MAC Address Table will be reset to default.");
}

SetBinding VlanTableLogic::AsymmetricBinding(bool enabled)
{
    return SetBinding::Integer(kAsymmetricVlanState, enabled ? 1 : 2);
}

QString VlanTableLogic::AddRefusal(int rowCount)
{
    if (rowCount >= kMaxVlans)
        return QStringLiteral(" Number of VLAN group is over limit");
    return {};
}

Decision VlanTableLogic::EditDecision(int rowCount, int selectedRow, const QString& vidText,
                                      const VoiceSurveillance& vs)
{
    const QString select = QStringLiteral("Please select the VLAN !");
    if (rowCount == 0)
        return Decision::Refusal(select);
    if (selectedRow < 0)
        return Decision::Refusal(select, PromptIcon::Information);
    const int vid = kx::LeadingDecimal(vidText);
    if (vid < 1)
        return Decision::Refusal(QStringLiteral("Invalid VLAN ID!"));
    if (vid == vs.surveillanceVid)
        return {Decision::Ask,
                QStringLiteral("It is Surveillance VLAN,please don't edit ports except it's Tagged "
                               "Uplink/Downlink Port."),
                PromptIcon::Question, vid};
    return {Decision::Go, {}, PromptIcon::None, vid};
}

Decision VlanTableLogic::DeleteDecision(int rowCount, int selectedRow, const QString& vidText,
                                        bool asymmetricChecked, const std::vector<int>& pvids,
                                        const VoiceSurveillance& vs)
{
    const QString select = QStringLiteral("Please select the VLAN want to be deleted!");
    if (rowCount == 0)
        return Decision::Refusal(select);
    if (selectedRow < 0)
        return Decision::Refusal(select, PromptIcon::Information);
    if (vidText == QLatin1String("1"))
        return Decision::Refusal(QStringLiteral("Can't delete the default VLAN!"));
    const int vid = kx::LeadingDecimal(vidText);
    if (vid < 1)
        return {Decision::Stop, {}, PromptIcon::None, vid};
    if (asymmetricChecked)
        for (int pvid : pvids)
            if (pvid == vid)
                return Decision::Refusal(
                    QStringLiteral("The VID is one of The PVID, so it cannot be deleted."));
    if (vs.voiceState == 1 && vid == vs.voiceVid)
        return Decision::Refusal(QStringLiteral("The VLAN ID is Voice VLAN ID."));
    if (vs.surveillanceState == 1 && vid == vs.surveillanceVid)
        return Decision::Refusal(QStringLiteral("The VLAN ID is Surveillance VLAN ID."));
    return {Decision::Ask,
            QStringLiteral("The VLAN %1 settings in IGMP Snooping and MAC Address Table maybe be "
                           "affected, continue?")
                .arg(vidText),
            PromptIcon::Question, vid};
}

SetBinding VlanTableLogic::DeleteBinding(int vid)
{
    return SetBinding::Integer(Oid(kDot1qVlanStaticRowState, vid), kRowDestroy);
}

} // namespace kx::vlan
