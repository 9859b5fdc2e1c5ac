#pragma once

// The switch agent's own administration tables as the SNMP administration
// dialogs read and write them: where each column lives, the row records the
// walks produce, and how a walked row reads. No sessions and no widgets.

#include "core/kit/SnmpValue.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace kx::snmpadmin {

inline const QString kAdmin = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.25");
inline const QString kGlobalState = kAdmin + QStringLiteral(".1.0");
inline const QString kUserEntry = kAdmin + QStringLiteral(".2.1.1");
inline const QString kGroupEntry = kAdmin + QStringLiteral(".3.1.1");
inline const QString kViewEntry = kAdmin + QStringLiteral(".4.1.1");
inline const QString kCommunityEntry = kAdmin + QStringLiteral(".5.1.1");
inline const QString kHostEntry = kAdmin + QStringLiteral(".6.1.1");
inline const QString kEngineId = kAdmin + QStringLiteral(".7.0");
inline const QString kTraps = kAdmin + QStringLiteral(".8");

// "<entry>.<column>"
inline QString Column(const QString& entry, int column)
{
    return entry + QLatin1Char('.') + QString::number(column);
}

// Row-status columns.
constexpr int kUserStatus = 8;
constexpr int kGroupStatus = 7;
constexpr int kViewStatus = 5;
constexpr int kCommunityStatus = 3;
constexpr int kHostStatus = 4;

using rowstatus::kActive;
using rowstatus::kCreateAndWait;
using rowstatus::kDestroy;

// The code tables of the coded columns, entry i - 1 for code i.
const QStringList& UserVersions();    // "V1", "V2c", "V3"
const QStringList& AuthProtocols();   // "None", "MD5", "SHA"
const QStringList& PrivProtocols();   // "None", "DES_CBC"
const QStringList& SecurityModels();  // "v1", "v2c", "v3"
const QStringList& SecurityLevels();  // "NoAuthNoPriv", "AuthNoPriv", "AuthPriv"
const QStringList& ViewTypes();       // "Included", "Excluded"
const QStringList& HostVersions();    // "V1", "V2c", "V3-NoAuthNoPriv", "V3-AuthNoPriv", "V3-AuthPriv"

// A code's text; a code outside the table reads as received.
QString CodeText(const SnmpValue& value, const QStringList& table);

// Row records, every field a text, in the order the dialogs take them.
struct UserRow
{
    QString name, group, version, authProtocol, authPassword, privProtocol, privPassword, rowStatus;
};
struct GroupRow
{
    QString name, readView, writeView, notifyView, model, level, rowStatus;
};
struct ViewRow
{
    QString name, subtree, mask, type, rowStatus;
};
struct CommunityRow
{
    QString name, user, rowStatus;
};
struct HostRow
{
    QString address, version, name, rowStatus;
};

// Only active rows are listed.
template<class Row>
bool IsActive(const Row& row)
{
    return row.rowStatus == kActive;
}

// The walks' columns, in the order they are walked.
QStringList UserColumns();      // .1 ... .8
QStringList GroupColumns();     // .1 ... .7
QStringList ViewColumns();      // .1, .3, .4, .5
QStringList CommunityColumns(); // .1, .2, .3
QStringList HostColumns();      // .2, .1, .3, .4

// One walked row as its record: names decoded from UTF-8, codes as their texts,
// the rest as received.
UserRow UserRowOf(const WalkRow& row);
GroupRow GroupRowOf(const WalkRow& row);
CommunityRow CommunityRowOf(const WalkRow& row);
HostRow HostRowOf(const WalkRow& row);
// The subtree comes from the row's instance (name length, name, subtree length,
// subtree) and the mask shows as many octets as the subtree has parts, as
// decimal numbers joined by ".". A mask shorter than that shows what it has; an
// instance that does not read that way shows as its subtree, as received.
ViewRow ViewRowOf(const WalkRow& row);

// Octets as lowercase hex pairs without blanks: the engine ID as shown.
QString OctetsToLowerHex(const QByteArray& octets);

} // namespace kx::snmpadmin
