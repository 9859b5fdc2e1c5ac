#include "core/snmpadmin/CSnmpAdminModel.h"

#include "core/kit/ValueCodecs.h"

using namespace kx::snmpadmin;

namespace {

// The room the device keeps for a name, its terminating NUL included.
constexpr qsizetype kNameBuffer = 128;

QByteArray Utf8Name(const QString& text)
{
    QByteArray utf8;
    TextToUtf8(text, utf8, kNameBuffer);
    return utf8;
}

} // namespace

CSnmpAdminModel::CSnmpAdminModel(QObject* parent) : QObject(parent) {}

CSnmpAdminModel::~CSnmpAdminModel()
{
    // The dialog traces these sessions when it closes; here they only stop.
    m_sessions.close(false);
}

QString CSnmpAdminModel::NameIndex(const QString& text)
{
    const QByteArray octets = text.toUtf8();
    QString index = QLatin1Char('.') + QString::number(octets.size());
    for (char c : octets)
        index += QLatin1Char('.') + QString::number(static_cast<unsigned char>(c));
    return index;
}

QString CSnmpAdminModel::NameModelIndex(const QString& name, const QString& version)
{
    QString index = NameIndex(name);
    if (name.isEmpty())
        return index;
    if (version == QLatin1String("v1") || version == QLatin1String("V1"))
        index += QLatin1String(".1");
    else if (version == QLatin1String("v2c") || version == QLatin1String("V2c"))
        index += QLatin1String(".2");
    else if (version == QLatin1String("v3") || version == QLatin1String("V3"))
        index += QLatin1String(".3");
    return index;
}

bool CSnmpAdminModel::IsValidName(const QString& text)
{
    return CheckNameChars(text) != 0;
}

QString CSnmpAdminModel::UserIndex(const QString& name, const QString& version)
{
    return NameModelIndex(name, version);
}

QString CSnmpAdminModel::GroupIndex(const QString& name, const QString& model, const QString& level)
{
    QString index = NameModelIndex(name, model);
    const qsizetype code = SecurityLevels().indexOf(level);
    if (code >= 0)
        index += QLatin1Char('.') + QString::number(code + 1);
    return index;
}

QString CSnmpAdminModel::ViewIndex(const QString& name, const QString& subtree)
{
    return NameIndex(name) + QLatin1Char('.') + QString::number(subtree.split(QLatin1Char('.')).size()) +
           QLatin1Char('.') + subtree;
}

QString CSnmpAdminModel::RowStatusRefusal(const QString& status)
{
    if (status == kActive || status == kCreateAndWait || status == kDestroy)
        return {};
    return QStringLiteral("error istatus value!");
}

int CSnmpAdminModel::SetRowStatus(const QString& oidWithIndex, const QString& status, QString* refusal)
{
    const QString refused = RowStatusRefusal(status);
    if (refusal)
        *refusal = refused;
    if (!refused.isEmpty())
        return 0;
    // The answer is not examined: the refresh after the write shows what the
    // device made of it.
    return kx::SetValues(*m_cCommonSNMPSet, {kx::SetBinding::Integer(oidWithIndex, status)}).answered() ? 1 : 0;
}

template<class Row>
kx::ReadPlan CSnmpAdminModel::Walk(const std::shared_ptr<CCommonSNMP>& session, const QStringList& columns,
                                   Row (*decode)(const kx::WalkRow&), RowSink<Row> each, EndSink end)
{
    kx::ReadPlan plan;
    plan.walk(session, columns, std::move(end)).rows([decode, each = std::move(each)](const kx::WalkRow& row) {
        if (each)
            each(decode(row));
    });
    return plan;
}

kx::ReadPlan CSnmpAdminModel::WalkUsers(RowSink<UserRow> each, EndSink end)
{
    return Walk<UserRow>(m_cCommonSNMPGetUse, UserColumns(), &UserRowOf, std::move(each), std::move(end));
}

kx::ReadPlan CSnmpAdminModel::WalkGroups(RowSink<GroupRow> each, EndSink end)
{
    return Walk<GroupRow>(m_cCommonSNMPTable, GroupColumns(), &GroupRowOf, std::move(each), std::move(end));
}

kx::ReadPlan CSnmpAdminModel::WalkViews(RowSink<ViewRow> each, EndSink end)
{
    return Walk<ViewRow>(m_cCommonSNMPTable, ViewColumns(), &ViewRowOf, std::move(each), std::move(end));
}

kx::ReadPlan CSnmpAdminModel::WalkCommunities(RowSink<CommunityRow> each, EndSink end)
{
    return Walk<CommunityRow>(m_cCommonSNMPTable, CommunityColumns(), &CommunityRowOf, std::move(each),
                              std::move(end));
}

kx::ReadPlan CSnmpAdminModel::WalkHosts(RowSink<HostRow> each, EndSink end)
{
    return Walk<HostRow>(m_cCommonSNMPTable, HostColumns(), &HostRowOf, std::move(each), std::move(end));
}

kx::ReadPlan CSnmpAdminModel::ReadEngineId(std::function<void(const QString&)> show)
{
    kx::ReadPlan plan;
    plan.get(m_cCommonSNMPTable, {kEngineId}, [show = std::move(show)](const kx::GetResult& answer) {
        if (answer.ok() && !answer.values.empty() && !answer.value(0).isException())
            show(OctetsToLowerHex(answer.value(0).octets));
    });
    return plan;
}

kx::ReadPlan CSnmpAdminModel::ReadGlobalState(std::function<void(int)> show)
{
    kx::ReadPlan plan;
    plan.get(m_cCommonSNMP, {kGlobalState}, [show = std::move(show)](const kx::GetResult& answer) {
        if (answer.ok() && !answer.values.empty() && !answer.value(0).isException())
            show(answer.value(0).toInt());
    });
    return plan;
}

std::vector<std::vector<kx::SetBinding>> CSnmpAdminModel::UserRequests(const UserEntry& user)
{
    using kx::SetBinding;
    const QString index = UserIndex(user.name, user.version);
    auto cell = [&index](int column) { return Column(kUserEntry, column) + index; };
    std::vector<std::vector<SetBinding>> requests{{SetBinding::Octets(cell(3), Utf8Name(user.group))}};
    if (user.version != QLatin1String("V3"))
        return requests;
    // A user without "encrypted" has no protocols: authentication "None", and
    // neither passwords nor a privacy protocol.
    const bool privacy = user.privProtocol != QLatin1String("None");
    const int auth = static_cast<int>(AuthProtocols().indexOf(user.authProtocol)) + 1;
    std::vector<SetBinding> protocols{SetBinding::Integer(cell(4), auth > 0 ? auth : 1)};
    if (privacy)
        protocols.push_back(SetBinding::Integer(cell(6), 2));
    requests.push_back(std::move(protocols));
    if (auth <= 1)
        return requests;
    std::vector<SetBinding> passwords{SetBinding::Octets(cell(5), user.authPassword.toUtf8())};
    if (privacy)
        passwords.push_back(SetBinding::Octets(cell(7), user.privPassword.toUtf8()));
    requests.push_back(std::move(passwords));
    return requests;
}

std::vector<std::vector<kx::SetBinding>> CSnmpAdminModel::GroupRequests(const GroupEntry& group)
{
    // The security model and level travel in the index only.
    const QString index = GroupIndex(group.name, group.model, group.level);
    std::vector<kx::SetBinding> views;
    const QString* names[] = {&group.readView, &group.writeView, &group.notifyView};
    for (int i = 0; i < 3; ++i)
        if (!names[i]->isEmpty())
            views.push_back(kx::SetBinding::Octets(Column(kGroupEntry, 4 + i) + index, Utf8Name(*names[i])));
    if (views.empty())
        return {};
    return {views};
}

std::vector<std::vector<kx::SetBinding>> CSnmpAdminModel::ViewRequests(const ViewEntry& view)
{
    const QString index = ViewIndex(view.name, view.subtree);
    return {{kx::SetBinding::Octets(Column(kViewEntry, 3) + index, view.mask),
             kx::SetBinding::Integer(Column(kViewEntry, 4) + index,
                                     view.type == QLatin1String("Included") ? 1 : 2)}};
}

void CSnmpAdminModel::Send(const std::vector<std::vector<kx::SetBinding>>& requests)
{
    for (const auto& bindings : requests)
        kx::SetValues(*m_cCommonSNMPSet, bindings);
}

void CSnmpAdminModel::AddUser(const UserEntry& user)
{
    Send(UserRequests(user));
}

void CSnmpAdminModel::AddGroup(const GroupEntry& group)
{
    Send(GroupRequests(group));
}

void CSnmpAdminModel::AddView(const ViewEntry& view)
{
    Send(ViewRequests(view));
}

void CSnmpAdminModel::Create(const QString& statusColumn, const QString& index,
                             const std::vector<std::vector<kx::SetBinding>>& requests)
{
    SetRowStatus(statusColumn + index, kCreateAndWait);
    Send(requests);
    SetRowStatus(statusColumn + index, kActive);
}

void CSnmpAdminModel::CreateUser(const UserEntry& user)
{
    Create(Column(kUserEntry, kUserStatus), UserIndex(user.name, user.version), UserRequests(user));
}

void CSnmpAdminModel::CreateGroup(const GroupEntry& group)
{
    Create(Column(kGroupEntry, kGroupStatus), GroupIndex(group.name, group.model, group.level),
           GroupRequests(group));
}

void CSnmpAdminModel::CreateView(const ViewEntry& view)
{
    Create(Column(kViewEntry, kViewStatus), ViewIndex(view.name, view.subtree), ViewRequests(view));
}

void CSnmpAdminModel::CreateCommunity(const QString& name, const QString& user)
{
    Create(Column(kCommunityEntry, kCommunityStatus), NameIndex(name),
           {{kx::SetBinding::Octets(Column(kCommunityEntry, 2) + NameIndex(name), user.toUtf8())}});
}

void CSnmpAdminModel::CreateHost(const HostEntry& host)
{
    const QString index = QLatin1Char('.') + host.address;
    Create(Column(kHostEntry, kHostStatus), index,
           {{kx::SetBinding::Octets(Column(kHostEntry, 2) + index, Utf8Name(host.name)),
             kx::SetBinding::Integer(Column(kHostEntry, 3) + index, host.version)}});
}

kx::SetResult CSnmpAdminModel::SetEngineId(const QByteArray& octets)
{
    return kx::SetValues(*m_cCommonSNMPSet, {kx::SetBinding::Octets(kEngineId, octets)});
}

kx::SetResult CSnmpAdminModel::SetGlobalState(bool enabled)
{
    return kx::SetValues(*m_cCommonSNMPSet, {kx::SetBinding::Integer(kGlobalState, enabled ? 1 : 2)});
}
