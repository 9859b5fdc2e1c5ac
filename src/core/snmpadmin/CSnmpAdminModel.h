#pragma once

// The data object of the SNMP administration dialogs (users, groups, views,
// communities, hosts, engine ID, global state, traps). One lives inside each
// such dialog, as its child, and owns the dialog's four sessions.
//
// Reads are loads of the dialog's ReadPlan: each walked row reaches the dialog
// by value, as its row record, on the UI thread; a dialog that closes cancels
// the walk and receives nothing more. The writes (SetRowStatus, AddUser,
// AddGroup, AddView and the whole add and delete sequences) are synchronous
// requests on m_cCommonSNMPSet and belong in the dialog's write sequences, off
// the UI thread; they touch nothing but that session.

#include "core/kit/ReadPlan.h"
#include "core/kit/SessionSet.h"
#include "core/kit/SnmpRequests.h"
#include "core/snmpadmin/SnmpAdminRules.h"
#include "core/snmpadmin/SnmpAdminTables.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class CSnmpAdminModel : public QObject
{
    Q_OBJECT

public:
    explicit CSnmpAdminModel(QObject* parent = nullptr);
    ~CSnmpAdminModel() override;

    kx::SessionSet& Sessions() { return m_sessions; }

    // ".<length in octets>.<octet>..." of the text's UTF-8 octets: ab gives .2.97.98.
    static QString NameIndex(const QString& text);
    // NameIndex(name), then .1, .2 or .3 for the version "v1"/"V1", "v2c"/"V2c",
    // "v3"/"V3"; nothing more for another version or an empty name.
    static QString NameModelIndex(const QString& name, const QString& version);
    // False when the text holds one of ~`!@#$%^&*{}[]|\:;"'<>,.?/
    static bool IsValidName(const QString& text);

    // The row indexes.
    static QString UserIndex(const QString& name, const QString& version);
    static QString GroupIndex(const QString& name, const QString& model, const QString& level);
    static QString ViewIndex(const QString& name, const QString& subtree);

    // "error istatus value!" for a status other than "1", "5" and "6", else empty.
    static QString RowStatusRefusal(const QString& status);
    // Writes the row status on m_cCommonSNMPSet; a refused status text sends
    // nothing and returns 0 with RowStatusRefusal() in `refusal`. 1 when sent.
    int SetRowStatus(const QString& oidWithIndex, const QString& status, QString* refusal = nullptr);

    // The walks, as loads for the dialog's read: `each` gets every row, active
    // or not, `end` the walk's end.
    template<class Row>
    using RowSink = std::function<void(const Row&)>;
    using EndSink = std::function<void(const kx::WalkResult&)>;
    kx::ReadPlan WalkUsers(RowSink<kx::snmpadmin::UserRow> each, EndSink end = {});
    kx::ReadPlan WalkGroups(RowSink<kx::snmpadmin::GroupRow> each, EndSink end = {});
    kx::ReadPlan WalkViews(RowSink<kx::snmpadmin::ViewRow> each, EndSink end = {});
    kx::ReadPlan WalkCommunities(RowSink<kx::snmpadmin::CommunityRow> each, EndSink end = {});
    kx::ReadPlan WalkHosts(RowSink<kx::snmpadmin::HostRow> each, EndSink end = {});
    // Single values: `show` gets an answered value only; a failed read shows nothing.
    kx::ReadPlan ReadEngineId(std::function<void(const QString& lowerHex)> show);
    kx::ReadPlan ReadGlobalState(std::function<void(int state)> show);

    // The column requests of an accepted row, each one set, in order (without
    // the row statuses around them).
    static std::vector<std::vector<kx::SetBinding>> UserRequests(const kx::snmpadmin::UserEntry& user);
    static std::vector<std::vector<kx::SetBinding>> GroupRequests(const kx::snmpadmin::GroupEntry& group);
    static std::vector<std::vector<kx::SetBinding>> ViewRequests(const kx::snmpadmin::ViewEntry& view);

    void AddUser(const kx::snmpadmin::UserEntry& user);
    void AddGroup(const kx::snmpadmin::GroupEntry& group);
    void AddView(const kx::snmpadmin::ViewEntry& view);

    // createAndWait, the columns, active: a whole add.
    void CreateUser(const kx::snmpadmin::UserEntry& user);
    void CreateGroup(const kx::snmpadmin::GroupEntry& group);
    void CreateView(const kx::snmpadmin::ViewEntry& view);
    void CreateCommunity(const QString& name, const QString& user);
    void CreateHost(const kx::snmpadmin::HostEntry& host);

    kx::SetResult SetEngineId(const QByteArray& octets);
    kx::SetResult SetGlobalState(bool enabled);

private:
    template<class Row>
    kx::ReadPlan Walk(const std::shared_ptr<CCommonSNMP>& session, const QStringList& columns,
                      Row (*decode)(const kx::WalkRow&), RowSink<Row> each, EndSink end);
    void Send(const std::vector<std::vector<kx::SetBinding>>& requests);
    void Create(const QString& statusColumn, const QString& index,
                const std::vector<std::vector<kx::SetBinding>>& requests);

    kx::SessionSet m_sessions;

public:
    // The sessions, named after their members; closed in this order.
    const std::shared_ptr<CCommonSNMP> m_cCommonSNMP = m_sessions.add(QStringLiteral("m_cCommonSNMP"));
    const std::shared_ptr<CCommonSNMP> m_cCommonSNMPSet = m_sessions.add(QStringLiteral("m_cCommonSNMPSet"));
    const std::shared_ptr<CCommonSNMP> m_cCommonSNMPTable = m_sessions.add(QStringLiteral("m_cCommonSNMPTable"));
    const std::shared_ptr<CCommonSNMP> m_cCommonSNMPGetUse = m_sessions.add(QStringLiteral("m_cCommonSNMPGetUse"));
};
