#include "core/vlan/AutoSurveillance.h"

#include "base/DeviceModels.h"
#include "base/TextNumber.h"
#include "core/vlan/VlanTable.h"

#include <algorithm>

namespace kx::vlan {

namespace {

const QString kDefaultOui1 = QStringLiteral("02-A5-11-0X-XX-XX");
const QString kDefaultOui2 = QStringLiteral("02-A5-12-XX-XX-XX");

QString Digits(const QString& mac)
{
    QString digits = mac;
    digits.remove(QLatin1Char('-'));
    return digits;
}

// Neither of the maker's two: the first seven digits of its listed text.
bool IsUserDefined(const QString& macText)
{
    const QString seven = Digits(macText).left(7);
    return seven != QLatin1String("02A5110") && seven != QLatin1String("02A512X");
}

SurveillanceApply Refusal(const QString& text, SurveillanceApply::Field field, bool refresh)
{
    SurveillanceApply a;
    a.refusal = text;
    a.field = field;
    a.refresh = refresh;
    return a;
}

} // namespace

QStringList SurveillanceGlobalOids()
{
    return {kSurveillanceVlanState, kSurveillanceVlanId, kSurveillancePriority, kSurveillancePorts};
}

QStringList PriorityTexts()
{
    return {QStringLiteral("Highest"), QStringLiteral("High"), QStringLiteral("Medium"), QStringLiteral("Low")};
}

QStringList ComponentTypeTexts()
{
    return {QStringLiteral("Video Management Server"),      QStringLiteral("VMS client/Remote viewer"),
            QStringLiteral("Video Encoder"),                QStringLiteral("Network Storage"),
            QStringLiteral("Other IP Surveillance Devices"), QStringLiteral("Norlek Surveillance Device")};
}

QString ComponentTypeText(const QString& code)
{
    bool ok = false;
    const int n = code.toInt(&ok);
    const QStringList texts = ComponentTypeTexts();
    return ok && n >= 0 && n < texts.size() ? texts[n] : code;
}

QStringList OuiRowTexts(const kx::WalkRow& row)
{
    const QByteArray address = row.value(2).octets;
    QString mac = kx::MacOctetsToText(address);
    if (address == QByteArray::fromHex("02A511000000"))
        mac = kDefaultOui1;
    else if (address == QByteArray::fromHex("02A512000000"))
        mac = kDefaultOui2;
    QString description;
    Utf8ToText(row.value(1).octets, description);
    return {ComponentTypeText(row.value(0).text()), description, mac};
}

bool IsDefaultOuiText(const QString& macText)
{
    return macText == kDefaultOui1 || macText == kDefaultOui2;
}

VoiceOui VoiceOuiOf(const kx::WalkRow& row)
{
    // Only the octets that came: a short address gives a short prefix.
    return {QString::fromLatin1(row.value(0).octets.toHex().toUpper()).left(6), row.value(1).text()};
}

SurveillanceApply DecideSurveillanceApply(const SurveillanceInput& input, const SurveillanceRead& read,
                                          const QString& deviceName, int portCount,
                                          const std::function<bool(const kx::PortFlags&)>& membersAgree)
{
    using F = SurveillanceApply::Field;
    if (read.asymmetric == 1)
        return Refusal(QStringLiteral("Auto Surveillance Vlan can not support in Asymmetric VLAN mode."), F::None,
                       true);
    const int vid = LeadingDecimal(input.vlanIdText);
    if (vid == 1)
        return Refusal(QStringLiteral("Default VLAN cannot be set as Auto Surveillance VLAN."), F::VlanId, true);
    if (vid < 2 || vid > 4094)
        return Refusal(QStringLiteral("The VLAN ID value range is 2 - 4094"), F::VlanId, true);
    if (read.voiceState == 1 && vid == read.voiceVid)
        return Refusal(QStringLiteral("The VLAN ID already is voice VLAN ID."), F::VlanId, true);
    if (!CheckPortTextChars(input.portText))
        return Refusal(QStringLiteral("Invalid Portlist"), F::Ports, false);
    kx::PortFlags ports(static_cast<std::size_t>(std::max(0, portCount)), 0);
    QString portRefusal;
    if (!ParsePortRangeText(input.portText, ports, portCount, &portRefusal))
        return Refusal(portRefusal, F::Ports, true);
    if (membersAgree && !membersAgree(ports))
        return Refusal(QStringLiteral("If Link Aggregation member port is selected, it must have the same port list "
                                      "as Auto Surveillance VLAN Tagged Uplink/Downlink Port."),
                       F::Ports, true);

    SurveillanceApply a;
    const QString state = input.enabled ? QStringLiteral("1") : QStringLiteral("2");
    if (input.enabled) {
        if (read.vlanIds.contains(QString::number(vid)))
            a.question = QStringLiteral("The VLAN ID %1 already exists, still apply? \nIf yes, the original setting "
                                        "of VLAN %1 members will be removed.")
                             .arg(vid);
        if (read.state == QLatin1String("2") && kx::IsPoeModel(deviceName))
            a.notice = QStringLiteral("Switch will automatically turn on PoE function to all the member ports of "
                                      "surveillance VLAN, \nplease ensure all the member ports of surveillance VLAN "
                                      "connected to PoE power devices.");
        a.bindings.push_back(kx::SetBinding::Integer(kSurveillanceVlanId, vid));
        a.bindings.push_back(kx::SetBinding::Integer(kSurveillancePriority, input.priority));
        a.bindings.push_back(kx::SetBinding::Octets(kSurveillancePorts, kx::PortFlagsToPortList(ports, portCount)));
    }
    a.bindings.push_back(kx::SetBinding::Integer(kSurveillanceVlanState, state));
    return a;
}

OuiAdd DecideOuiAdd(int componentType, bool ouiMode, const QString& address, const QString& description,
                    const std::vector<VoiceOui>& voiceOuis, const QStringList& listedMacs)
{
    OuiAdd add;
    const QString mac = ouiMode ? address + QStringLiteral("-00-00-00") : address;
    if (!CheckNameChars(description)) {
        add.refusal = QStringLiteral("Invalid Description.");
        return add;
    }
    if (!CheckMacText(mac, false, &add.refusal))
        return add;
    const QString digits = Digits(mac);
    for (const VoiceOui& voice : voiceOuis)
        if (voice.marker == QLatin1String("1") && digits.left(6).compare(voice.prefix, Qt::CaseInsensitive) == 0) {
            add.refusal = QStringLiteral("The OUI is already exist at Voice Vlan OUI Table!");
            return add;
        }
    static const QStringList kDefaultPrefixes = {QStringLiteral("02A5110"), QStringLiteral("02A5120"),
                                                 QStringLiteral("02A5121"), QStringLiteral("02A5122"),
                                                 QStringLiteral("02A5123")};
    if (kDefaultPrefixes.contains(digits.left(7).toUpper())) {
        add.refusal = QStringLiteral("This OUI is default, please select the default mode!");
        return add;
    }
    int userDefined = 0;
    for (const QString& listed : listedMacs) {
        if (Digits(listed).compare(digits, Qt::CaseInsensitive) == 0) {
            add.refusal = QStringLiteral("The OUI is already exist!");
            return add;
        }
        userDefined += IsUserDefined(listed);
    }
    if (userDefined >= kMaxUserOuis) {
        add.refusal = QStringLiteral("OUI Table is full,Maximum user defined OUI is 5.");
        return add;
    }

    const QString index = MacToOidIndex(mac);
    add.create.push_back(kx::SetBinding::Integer(kOuiRowStatus + index, 4)); // createAndGo
    QByteArray utf8;
    TextToUtf8(description, utf8, 128);
    add.details.push_back(kx::SetBinding::Octets(kOuiDescription + index, utf8));
    add.details.push_back(kx::SetBinding::Integer(kOuiType + index, componentType));
    if (ouiMode)
        add.details.push_back(kx::SetBinding::Octets(kOuiMask + index, QByteArray::fromHex("ffffff000000")));
    return add;
}

QString DecideOuiDelete(const QString& macText, const QString& instance, kx::SetBinding& binding)
{
    if (macText.isEmpty())
        return QStringLiteral("Please Selecte the OUI Entry you would to delete");
    if (IsDefaultOuiText(macText))
        return QStringLiteral("The default Surveillance OUI can not be deleted.");
    // The row's own instance: a listed address shorter than six octets still
    // names its row.
    binding = kx::SetBinding::Integer(kx::Oid(kOuiRowStatus, instance), 6);
    return {};
}

} // namespace kx::vlan
