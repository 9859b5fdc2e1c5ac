#include "core/snmpadmin/SnmpAdminTables.h"

#include "core/kit/ValueCodecs.h"

namespace kx::snmpadmin {

const QStringList& UserVersions()
{
    static const QStringList t{QStringLiteral("V1"), QStringLiteral("V2c"), QStringLiteral("V3")};
    return t;
}

const QStringList& AuthProtocols()
{
    static const QStringList t{QStringLiteral("None"), QStringLiteral("MD5"), QStringLiteral("SHA")};
    return t;
}

const QStringList& PrivProtocols()
{
    static const QStringList t{QStringLiteral("None"), QStringLiteral("DES_CBC")};
    return t;
}

const QStringList& SecurityModels()
{
    static const QStringList t{QStringLiteral("v1"), QStringLiteral("v2c"), QStringLiteral("v3")};
    return t;
}

const QStringList& SecurityLevels()
{
    static const QStringList t{QStringLiteral("NoAuthNoPriv"), QStringLiteral("AuthNoPriv"),
                               QStringLiteral("AuthPriv")};
    return t;
}

const QStringList& ViewTypes()
{
    static const QStringList t{QStringLiteral("Included"), QStringLiteral("Excluded")};
    return t;
}

const QStringList& HostVersions()
{
    static const QStringList t{QStringLiteral("V1"), QStringLiteral("V2c"), QStringLiteral("V3-NoAuthNoPriv"),
                               QStringLiteral("V3-AuthNoPriv"), QStringLiteral("V3-AuthPriv")};
    return t;
}

QString CodeText(const SnmpValue& value, const QStringList& table)
{
    bool ok = false;
    const int code = QString::fromLatin1(value.octets).toInt(&ok);
    if (ok && code >= 1 && code <= table.size())
        return table[code - 1];
    return value.text();
}

namespace {

QStringList Columns(const QString& entry, std::initializer_list<int> numbers)
{
    QStringList out;
    for (int n : numbers)
        out << Column(entry, n);
    return out;
}

QString Name(const SnmpValue& value)
{
    QString text;
    Utf8ToText(value.octets, text);
    return text;
}

} // namespace

QStringList UserColumns()
{
    return Columns(kUserEntry, {1, 2, 3, 4, 5, 6, 7, 8});
}

QStringList GroupColumns()
{
    return Columns(kGroupEntry, {1, 2, 3, 4, 5, 6, 7});
}

QStringList ViewColumns()
{
    return Columns(kViewEntry, {1, 3, 4, 5});
}

QStringList CommunityColumns()
{
    return Columns(kCommunityEntry, {1, 2, 3});
}

QStringList HostColumns()
{
    return Columns(kHostEntry, {2, 1, 3, 4});
}

UserRow UserRowOf(const WalkRow& row)
{
    UserRow r;
    r.name = Name(row.value(0));
    r.version = CodeText(row.value(1), UserVersions());
    r.group = Name(row.value(2));
    r.authProtocol = CodeText(row.value(3), AuthProtocols());
    r.authPassword = row.value(4).text();
    r.privProtocol = CodeText(row.value(5), PrivProtocols());
    r.privPassword = row.value(6).text();
    r.rowStatus = row.value(7).text();
    return r;
}

GroupRow GroupRowOf(const WalkRow& row)
{
    GroupRow r;
    r.name = Name(row.value(0));
    r.model = CodeText(row.value(1), SecurityModels());
    r.level = CodeText(row.value(2), SecurityLevels());
    r.readView = Name(row.value(3));
    r.writeView = Name(row.value(4));
    r.notifyView = Name(row.value(5));
    r.rowStatus = row.value(6).text();
    return r;
}

ViewRow ViewRowOf(const WalkRow& row)
{
    ViewRow r;
    r.name = Name(row.value(0));
    r.type = CodeText(row.value(2), ViewTypes());
    r.rowStatus = row.value(3).text();

    const QByteArray& mask = row.value(1).octets;
    qsizetype shown = mask.size();
    r.subtree = row.index;
    const QStringList parts = row.index.split(QLatin1Char('.'));
    bool ok = false;
    const qsizetype nameLength = parts.value(0).toUInt(&ok);
    if (ok && nameLength + 2 <= parts.size()) {
        const qsizetype at = 1 + nameLength;
        const qsizetype subtreeLength = parts[at].toUInt(&ok);
        if (ok) {
            r.subtree = parts.mid(at + 1).join(QLatin1Char('.'));
            shown = std::min(shown, subtreeLength);
        }
    }
    QStringList bytes;
    for (qsizetype i = 0; i < shown; ++i)
        bytes << QString::number(static_cast<unsigned char>(mask[i]));
    r.mask = bytes.join(QLatin1Char('.'));
    return r;
}

CommunityRow CommunityRowOf(const WalkRow& row)
{
    return {Name(row.value(0)), Name(row.value(1)), row.value(2).text()};
}

HostRow HostRowOf(const WalkRow& row)
{
    HostRow r;
    r.name = Name(row.value(0));
    r.address = row.value(1).text();
    r.version = CodeText(row.value(2), HostVersions());
    r.rowStatus = row.value(3).text();
    return r;
}

QString OctetsToLowerHex(const QByteArray& octets)
{
    return QString::fromLatin1(octets.toHex());
}

} // namespace kx::snmpadmin
