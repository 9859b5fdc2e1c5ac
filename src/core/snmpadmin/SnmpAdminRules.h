#pragma once

// The checks of the SNMP administration dialogs' "&Apply", in their order and
// with their texts, and what an accepted add writes. Each check takes what the
// fields hold and what the list shows, and returns the first refusal (with the
// field that then gets the focus) or the row to write.

#include "core/snmpadmin/SnmpAdminTables.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace kx::snmpadmin {

// The most rows each list takes before "&Apply" refuses.
constexpr int kMaxUsers = 50;
constexpr int kMaxGroups = 50;
constexpr int kMaxViews = 50;

constexpr int kMaxCommunities = 10;
constexpr int kMaxHosts = 10;

enum class Field
{
    None,
    AuthPassword,
    PrivPassword,
    HostAddress,
};

template<class Entry>
struct Checked
{
    QString refusal; // empty: accepted
    Field field = Field::None;
    Entry entry;

    bool accepted() const { return refusal.isEmpty(); }
};

// ---- users

// What the user dialog's fields hold.
struct UserInput
{
    QString name;
    QString group;
    QString version;      // "V1", "V2c", "V3"
    bool encrypted = false;
    QString authProtocol; // "MD5", "SHA"
    QString authPassword;
    QString privProtocol; // "DES", "None"
    QString privPassword;
};

// What an accepted user row writes: names and passwords trimmed, the protocols
// "None" unless "encrypted" was ticked.
struct UserEntry
{
    QString name;
    QString version;
    QString group;
    QString authProtocol; // "None", "MD5", "SHA"
    QString authPassword;
    QString privProtocol; // "None", "DES"
    QString privPassword;
};

// `listed`: the rows the list shows (active ones only).
Checked<UserEntry> CheckUser(const UserInput& input, const std::vector<UserRow>& listed);

// ---- groups

struct GroupEntry
{
    QString name; // as typed: the group dialog does not trim
    QString model; // "v1", "v2c", "v3"
    QString level; // "NoAuthNoPriv", "AuthNoPriv", "AuthPriv"
    QString readView;
    QString writeView;
    QString notifyView;
};

Checked<GroupEntry> CheckGroup(const GroupEntry& input, const std::vector<GroupRow>& listed);

// ---- views

struct ViewInput
{
    QString name;
    QString subtree;
    QString mask;
    QString type; // "Included", "Excluded"
};

struct ViewEntry
{
    QString name;
    QString subtree;
    QByteArray mask; // one octet 0 or 1 per mask part
    QString type;
};

Checked<ViewEntry> CheckView(const ViewInput& input, const std::vector<ViewRow>& listed);

// ---- communities

// The community name, trimmed, is the entry.
Checked<QString> CheckCommunity(const QString& name, const std::vector<CommunityRow>& listed);

// The "User Name (View Policy)" list: V1 and V2c users that are active, each
// name once, in walk order, added to `names`.
void AddViewPolicyUser(const UserRow& user, QStringList& names);

// ---- notification hosts

struct HostInput
{
    int filledFields = 0; // of the address control, 0 ... 4
    QString address;      // dotted
    int versionPosition = 0; // in the "SNMP Version" list
    QString name;
};

struct HostEntry
{
    QString address;
    int version = 1; // the list position + 1
    QString name;    // trimmed
};

Checked<HostEntry> CheckHost(const HostInput& input, const std::vector<HostRow>& listed);

// ---- engine ID

// What "&Default" writes.
inline const QString kDefaultEngineId = QStringLiteral("8000081c044653");
// "ID length is 10-64", "the accepted character is from 0 to F", or empty.
QString EngineIdRefusal(const QString& hex);
// The octets of an accepted text; an odd length reads with a leading zero.
QByteArray EngineIdOctets(const QString& hex);

// ---- trap switches

struct TrapSwitch
{
    QString oid;   // the scalar, ".0" included
    QString label; // what the switch sends
};

// The switches the model has: the last three only on PoE models.
std::vector<TrapSwitch> TrapSwitches(const QString& deviceName);

// ---- "&Delete"

// With no row selected.
QString UserOrGroupDeleteRefusal(); // "Please select the item would be delete!\n" (communities too)
QString ViewDeleteRefusal();        // "Please Selecte the Item you would delete" (hosts too)

} // namespace kx::snmpadmin
