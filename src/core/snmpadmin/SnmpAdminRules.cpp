#include "core/snmpadmin/SnmpAdminRules.h"

#include "base/DeviceModels.h"
#include "core/kit/ValueCodecs.h"
#include "core/snmpadmin/CSnmpAdminModel.h"

namespace kx::snmpadmin {

namespace {

template<class Entry>
Checked<Entry> Refuse(const char* text, Field field = Field::None)
{
    Checked<Entry> c;
    c.refusal = QString::fromLatin1(text);
    c.field = field;
    return c;
}

} // namespace

Checked<UserEntry> CheckUser(const UserInput& in, const std::vector<UserRow>& listed)
{
    using R = Checked<UserEntry>;
    UserEntry e;
    e.name = in.name.trimmed();
    e.group = in.group.trimmed();
    e.version = in.version;
    if (e.name.isEmpty())
        return Refuse<UserEntry>("Please enter valid User Name ");
    if (!CSnmpAdminModel::IsValidName(e.name))
        return Refuse<UserEntry>("Invalid User Name .");
    if (e.group.isEmpty())
        return Refuse<UserEntry>("Please enter valid Group Name ");
    if (!CSnmpAdminModel::IsValidName(e.group))
        return Refuse<UserEntry>("Invalid Group Name.");
    for (const UserRow& row : listed)
        if (row.name == e.name && row.version == e.version)
            return Refuse<UserEntry>("This User Entry already exists.");
    if (listed.size() >= kMaxUsers)
        return Refuse<UserEntry>("Maximum number of User Entry is 50.");

    e.authProtocol = e.privProtocol = QStringLiteral("None");
    if (in.encrypted) {
        e.authProtocol = in.authProtocol;
        e.authPassword = in.authPassword.trimmed();
        if (e.authPassword.isEmpty())
            return Refuse<UserEntry>("Auth-Protocol Password can't be empty.");
        if (e.authProtocol == QLatin1String("MD5") && e.authPassword.size() > 32)
            return Refuse<UserEntry>(" MD5 Max. Password length is 32.", Field::AuthPassword);
        if (e.authProtocol == QLatin1String("SHA") && e.authPassword.size() > 40)
            return Refuse<UserEntry>(" SHA Max. Password length is 40.", Field::AuthPassword);
        e.privProtocol = in.privProtocol;
        if (e.privProtocol == QLatin1String("DES")) {
            e.privPassword = in.privPassword.trimmed();
            if (e.privPassword.isEmpty())
                return Refuse<UserEntry>("Priv-Protocol Password can't be empty.");
            if (e.privPassword.size() > 32)
                return Refuse<UserEntry>(" DES Max. Password length is 32.", Field::PrivPassword);
        }
    }
    R accepted;
    accepted.entry = e;
    return accepted;
}

Checked<GroupEntry> CheckGroup(const GroupEntry& in, const std::vector<GroupRow>& listed)
{
    if (in.name.isEmpty())
        return Refuse<GroupEntry>("Please enter valid group name!");
    if (!CSnmpAdminModel::IsValidName(in.name))
        return Refuse<GroupEntry>("Invalid Group Name.");
    for (const GroupRow& row : listed)
        if (row.name == in.name && row.model == in.model)
            return Refuse<GroupEntry>("This Group Entry already exists.");
    if (listed.size() >= kMaxGroups)
        return Refuse<GroupEntry>("Maximum number of Group Entry is 50.");
    Checked<GroupEntry> accepted;
    accepted.entry = in;
    return accepted;
}

namespace {

// The subtree's parts, or the refusal. A leading dot or a sub-identifier
// beyond 32 bits would make an index no agent can take: refused like an
// empty part.
QString SubtreeRefusal(const QString& subtree, qsizetype& parts)
{
    for (QChar c : subtree)
        if ((c < QLatin1Char('0') || c > QLatin1Char('9')) && c != QLatin1Char('.'))
            return QStringLiteral("Please enter valid subtree OID");
    const QStringList split = subtree.split(QLatin1Char('.'));
    for (const QString& part : split) {
        bool ok = false;
        if (part.isEmpty() || (part.toUInt(&ok), !ok))
            return QStringLiteral("Please enter valid subtree OID .");
    }
    parts = split.size();
    return {};
}

} // namespace

Checked<ViewEntry> CheckView(const ViewInput& in, const std::vector<ViewRow>& listed)
{
    ViewEntry e;
    e.name = in.name.trimmed();
    e.subtree = in.subtree;
    e.type = in.type;
    if (e.name.isEmpty())
        return Refuse<ViewEntry>("Please enter valid view name.");
    if (!CSnmpAdminModel::IsValidName(e.name))
        return Refuse<ViewEntry>("Invalid View Name.");
    qsizetype subtreeParts = 0;
    if (const QString refusal = SubtreeRefusal(e.subtree, subtreeParts); !refusal.isEmpty()) {
        Checked<ViewEntry> c;
        c.refusal = refusal;
        return c;
    }
    const QString mask = in.mask.trimmed();
    if (mask.isEmpty())
        return Refuse<ViewEntry>("Please enter valid OID Mask.");
    const QStringList maskParts = mask.split(QLatin1Char('.'));
    for (const QString& part : maskParts) {
        if (part == QLatin1String("0") || part == QLatin1String("00"))
            e.mask.append('\0');
        else if (part == QLatin1String("1") || part == QLatin1String("01"))
            e.mask.append('\1');
        else
            return Refuse<ViewEntry>("Please enter valid OID Mask.");
    }
    if (maskParts.size() > subtreeParts)
        return Refuse<ViewEntry>("Invalid  OID length");
    for (const ViewRow& row : listed)
        if (row.name == e.name && row.subtree == e.subtree)
            return Refuse<ViewEntry>("This View Entry already exist.");
    if (listed.size() >= kMaxViews)
        return Refuse<ViewEntry>("Maximum number of View Entry is 50.");
    Checked<ViewEntry> accepted;
    accepted.entry = e;
    return accepted;
}

Checked<QString> CheckCommunity(const QString& name, const std::vector<CommunityRow>& listed)
{
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty())
        return Refuse<QString>("Please enter valid Community Name !");
    if (!CSnmpAdminModel::IsValidName(trimmed))
        return Refuse<QString>("Invalid Community Name.");
    for (const CommunityRow& row : listed)
        if (row.name == trimmed)
            return Refuse<QString>("This Community Entry already exists.");
    if (listed.size() >= kMaxCommunities)
        return Refuse<QString>("Maximum number of Community Entry is 10.");
    Checked<QString> accepted;
    accepted.entry = trimmed;
    return accepted;
}

void AddViewPolicyUser(const UserRow& user, QStringList& names)
{
    if (user.version != QLatin1String("V3") && user.version != QLatin1String("v3") && IsActive(user) &&
        !names.contains(user.name))
        names << user.name;
}

Checked<HostEntry> CheckHost(const HostInput& in, const std::vector<HostRow>& listed)
{
    if (in.filledFields != 4)
        return Refuse<HostEntry>("Invalid Host IP.", Field::HostAddress);
    // A network, broadcast, loopback or class D/E address, 0.0.0.0 and first or
    // last numbers 0 or 255 included.
    if (!ClassifyHostIp(in.address))
        return Refuse<HostEntry>("Invalid Host IP.");
    for (const HostRow& row : listed)
        if (row.address == in.address)
            return Refuse<HostEntry>("This IP Address has used,please enter other IP Address");
    HostEntry e{in.address, in.versionPosition + 1, in.name.trimmed()};
    if (e.name.isEmpty())
        return Refuse<HostEntry>("The Community String or SNMPv3 User Name can not be empty.");
    if (!CSnmpAdminModel::IsValidName(e.name))
        return Refuse<HostEntry>("Invalid Community String/SNMPv3 User Name. ");
    if (listed.size() >= kMaxHosts)
        return Refuse<HostEntry>("Maximum number of Host Entry is 10.");
    Checked<HostEntry> accepted;
    accepted.entry = e;
    return accepted;
}

QString EngineIdRefusal(const QString& hex)
{
    if (hex.size() < 10 || hex.size() > 64)
        return QStringLiteral("ID length is 10-64");
    for (QChar c : hex) {
        const char l = c.toLatin1();
        if (!((l >= '0' && l <= '9') || (l >= 'a' && l <= 'f') || (l >= 'A' && l <= 'F')))
            return QStringLiteral("the accepted character is from 0 to F");
    }
    return {};
}

QByteArray EngineIdOctets(const QString& hex)
{
    const QString even = hex.size() % 2 ? QLatin1Char('0') + hex : hex;
    QByteArray octets;
    HexToOctets(even, octets, even.size() / 2);
    return octets;
}

std::vector<TrapSwitch> TrapSwitches(const QString& deviceName)
{
    // Named after what kxsim's device model says each switch sends.
    static const char* const labels[] = {"Cold Start",         "Warm Start",           "Link Up/Down",
                                         "Authentication Failure", "Topology Change", "PoE Port Power On/Off",
                                         "PoE Power Budget Exceeded", "PoE Port Fault"};
    const int count = kx::IsPoeModel(deviceName) ? 8 : 5;
    std::vector<TrapSwitch> switches;
    for (int i = 0; i < count; ++i)
        switches.push_back({kTraps + QStringLiteral(".%1.0").arg(i + 1), QString::fromLatin1(labels[i])});
    return switches;
}

QString UserOrGroupDeleteRefusal()
{
    return QStringLiteral("Please select the item would be delete!\n");
}

QString ViewDeleteRefusal()
{
    return QStringLiteral("Please Selecte the Item you would delete");
}

} // namespace kx::snmpadmin
