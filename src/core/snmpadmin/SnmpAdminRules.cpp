#include "core/snmpadmin/SnmpAdminRules.h"

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

QString UserOrGroupDeleteRefusal()
{
    return QStringLiteral("Please select the item would be delete!\n");
}

QString ViewDeleteRefusal()
{
    return QStringLiteral("Please Selecte the Item you would delete");
}

} // namespace kx::snmpadmin
