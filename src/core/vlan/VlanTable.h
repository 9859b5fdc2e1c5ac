#pragma once

// The switch's static 802.1Q VLAN table as the "802.1Q VLAN Configuration"
// dialog reads it, and the rules of that dialog's buttons: what is refused, in
// which order, what is asked and what is written. No widgets: the dialog moves
// values between its controls and these functions.

#include "base/PromptIcon.h"
#include "core/kit/SnmpRequests.h"
#include "core/kit/SnmpValue.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace kx::vlan {

inline const QString kDot1qVlanStaticName = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.7.6.1.1");
inline const QString kDot1qVlanStaticEgressPorts = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.7.6.1.2");
inline const QString kDot1qVlanStaticUntaggedPorts = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.7.6.1.4");
inline const QString kDot1qVlanStaticRowState = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.7.6.1.5");
inline const QString kDot1qVlanPvid = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.7.7.1.1");
inline const QString kAsymmetricVlanState = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.7.5.0");
inline const QString kVoiceVlanState = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.21.1.2.0");
inline const QString kVoiceVlanId = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.21.1.3.0");
inline const QString kSurveillanceVlanState = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.26.1.1.0");
inline const QString kSurveillanceVlanId = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.26.1.2.0");

// Row status values written to the table.
inline const QString kRowActive = QStringLiteral("1");
inline const QString kRowNotInService = QStringLiteral("2");
inline const QString kRowCreateAndWait = QStringLiteral("5");
inline const QString kRowDestroy = QStringLiteral("6");

} // namespace kx::vlan

// One active static VLAN as the list dialog last read it. The list dialog keeps
// them in walk order, rebuilds them on every refresh and hands a copy to the
// add/edit and PVID dialogs.
struct VlanEntry
{
    int vid = 0;
    QString name;
    QString egressList;   // member ports as "1,2,5"
    QString untaggedList; // untagged member ports, the same way
    int egressCount = 0;
    int untaggedCount = 0;
};
using VlanEntries = std::vector<VlanEntry>;

namespace kx::vlan {

// The voice and surveillance VLAN objects the list dialog protects.
struct VoiceSurveillance
{
    int voiceState = 2; // 1 enabled, 2 anything else
    int voiceVid = 0;
    int surveillanceState = 2;
    int surveillanceVid = 0;
};

// What a button does after its checks.
struct Decision
{
    enum Kind
    {
        Go,     // go on (with `vid`)
        Refuse, // show `text` with `icon`, stop
        Stop,   // stop without a word
        Ask,    // ask `text` (OK/Cancel); OK goes on with `vid`
    };
    Kind kind = Go;
    QString text;
    PromptIcon icon = PromptIcon::Warning;
    int vid = 0;

    static Decision Refusal(const QString& text, PromptIcon icon = PromptIcon::Warning)
    {
        return {Refuse, text, icon, 0};
    }
};

class VlanTableLogic
{
public:
    // The VLAN walk: name, egress, untagged, row status, side by side.
    static QStringList VlanColumns();
    // The VLAN of an answered row when its row status is "1" (only active VLANs
    // are listed); false for any other row.
    static bool ActiveEntry(const WalkRow& row, VlanEntry& entry, int portCount);
    static VlanEntries ActiveEntries(const std::vector<WalkRow>& rows, int portCount);
    // The texts of the list row: VID, name, port count, egress and untagged ports.
    static QStringList ListRow(const VlanEntry& entry);

    static QStringList VoiceSurveillanceOids();
    static bool ReadVoiceSurveillance(const GetResult& answer, VoiceSurveillance& out);

    // Asymmetric VLAN "Apply": the refusal, or empty when the question may be asked.
    static QString AsymmetricRefusal(const VoiceSurveillance& vs);
    static QString AsymmetricQuestion();
    static SetBinding AsymmetricBinding(bool enabled);

    // "&Add": the refusal at the VLAN limit, or empty.
    static QString AddRefusal(int rowCount);
    // "&Edit" on the row `selectedRow` (-1 none) whose first column is `vidText`.
    static Decision EditDecision(int rowCount, int selectedRow, const QString& vidText,
                                 const VoiceSurveillance& vs);
    // "&Delete": the checks in their order; Ask means the last question, whose
    // Cancel refreshes.
    static Decision DeleteDecision(int rowCount, int selectedRow, const QString& vidText,
                                   bool asymmetricChecked, const std::vector<int>& pvids,
                                   const VoiceSurveillance& vs);
    static SetBinding DeleteBinding(int vid);

    static constexpr int kMaxVlans = 256;
};

} // namespace kx::vlan
