#pragma once

// "Auto Surveillance VLAN Settings": the surveillance VLAN (state, VLAN ID,
// priority, tagged uplink/downlink ports) and the table of surveillance OUIs
// (two of the maker's, up to five of the user's). The rules of Apply, Add and
// Delete as functions of what the dialog last read; no widgets.

#include "core/kit/SnmpRequests.h"
#include "core/kit/SnmpValue.h"
#include "core/kit/ValueCodecs.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace kx::vlan {

inline const QString kSurveillanceArc = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.26.");
inline const QString kSurveillancePriority = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.26.1.3.0");
inline const QString kSurveillancePorts = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.26.1.4.0");
// The OUI table's columns; the instance is the entry's address as six numbers.
inline const QString kOuiAddress = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.26.2.1.1.1");
inline const QString kOuiDescription = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.26.2.1.1.2");
inline const QString kOuiMask = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.26.2.1.1.3");
inline const QString kOuiType = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.26.2.1.1.4");
inline const QString kOuiRowStatus = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.26.2.1.1.5");
// The voice VLAN's OUIs: address, and "1" for an entry that counts.
inline const QString kVoiceOuiAddress = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.21.2.1.1.1");
inline const QString kVoiceOuiMarker = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.21.2.1.1.4");

inline constexpr int kMaxUserOuis = 5;
inline constexpr int kOuiDescriptionLength = 20;
inline constexpr int kMacTextLength = 17;
inline constexpr int kOuiTextLength = 8;
// The pause the switch gets after a write before it is read again.
inline constexpr int kSettleMs = 50;

QStringList SurveillanceGlobalOids(); // state, VLAN ID, priority, ports
QStringList PriorityTexts();          // by priority value 0 ... 3
inline constexpr int kDefaultPriority = 2;
// Code 0 ... 5; the list for new entries offers the first five.
QStringList ComponentTypeTexts();
QString ComponentTypeText(const QString& code);

// One row of the OUI list as the walk of type, description, address and row
// status brings it: "Component Type", "Description", "MAC Address". The two
// default addresses read as their X-digit texts; an address shorter than six
// octets is shown as it came.
QStringList OuiRowTexts(const kx::WalkRow& row);
bool IsDefaultOuiText(const QString& macText);

// A voice VLAN OUI: its first six hexadecimal digits (upper case) and marker.
struct VoiceOui
{
    QString prefix;
    QString marker;
};
VoiceOui VoiceOuiOf(const kx::WalkRow& row);

// What the dialog read last, as Apply judges it.
struct SurveillanceRead
{
    QString state = QStringLiteral("2"); // the switch's, as read
    int asymmetric = 2;
    int voiceState = 2;
    int voiceVid = 0;
    QStringList vlanIds; // the existing VLANs
};

struct SurveillanceInput
{
    bool enabled = false;
    QString vlanIdText;
    int priority = kDefaultPriority;
    QString portText;
};

struct SurveillanceApply
{
    enum Field
    {
        None,
        VlanId,
        Ports,
    };
    QString refusal;
    Field field = None;
    bool refresh = false;  // the refusal is followed by a re-read
    QString question;      // OK/Cancel; Cancel re-reads
    QString notice;        // shown before the write
    std::vector<kx::SetBinding> bindings;
};

// `membersAgree` is the aggregated-link agreement of the checked ports.
SurveillanceApply DecideSurveillanceApply(const SurveillanceInput& input, const SurveillanceRead& read,
                                          const QString& deviceName, int portCount,
                                          const std::function<bool(const kx::PortFlags&)>& membersAgree);

struct OuiAdd
{
    QString refusal;
    std::vector<kx::SetBinding> create;  // createAndGo, alone
    std::vector<kx::SetBinding> details; // then, in one request
};

// `listedMacs`: the "MAC Address" texts of the listed entries.
OuiAdd DecideOuiAdd(int componentType, bool ouiMode, const QString& address, const QString& description,
                    const std::vector<VoiceOui>& voiceOuis, const QStringList& listedMacs);

// Delete of the listed entry `macText` whose row instance is `instance`
// (empty `macText`: nothing selected). The binding destroys the row.
QString DecideOuiDelete(const QString& macText, const QString& instance, kx::SetBinding& binding);

} // namespace kx::vlan
