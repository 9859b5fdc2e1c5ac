#include "core/kit/CFeatureModel.h"

#include "base/DeviceInfo.h"
#include "base/Prompter.h"
#include "base/Trace.h"
#include "core/kit/SnmpRequests.h"

CFeatureModel::CFeatureModel(QObject* parent)
    : QObject(parent),
      m_cCommonSNMP(std::make_shared<CCommonSNMP>()),
      m_cCommonSNMPSet(std::make_shared<CCommonSNMP>()),
      m_cCommonSNMPTable(std::make_shared<CCommonSNMP>()),
      m_portCount(DevicePortCount()),
      m_hasArray(m_portCount > 0),
      m_groups(m_portCount)
{
    m_sessions = {m_cCommonSNMP, m_cCommonSNMPSet, m_cCommonSNMPTable};
    m_groupWalker = new kx::TableWalker(m_cCommonSNMPTable, this);
    connect(m_groupWalker, &kx::TableWalker::finished, this, &CFeatureModel::OnGroupsWalked);
}

CFeatureModel::~CFeatureModel()
{
    // Every walk of this object stops before any part of it goes.
    for (auto& session : m_sessions)
        session->Close();
}

int CFeatureModel::SetOwner(QObject* owner)
{
    if (!owner)
        return 0;
    m_owner = owner;
    return 1;
}

void CFeatureModel::GetScalar(const QString& oid, QByteArray& value)
{
    const kx::GetResult result = kx::GetValues(*m_cCommonSNMP, {oid});
    if (result.ok() && !result.values.empty())
        value = result.values[0].octets;
}

int CFeatureModel::SetRowStatus(const QString& oidWithInstance, const QString& status)
{
    if (status != QLatin1String("1") && status != QLatin1String("4") &&
        status != QLatin1String("5") && status != QLatin1String("6")) {
        kx::GetPrompter().message(QStringLiteral("error status value!"));
        return 0;
    }
    const kx::SetResult result =
        kx::SetValues(*m_cCommonSNMPSet, {kx::SetBinding::Integer(oidWithInstance, status)});
    return result.answered() ? 1 : 0;
}

void CFeatureModel::LoadAggregationGroups()
{
    m_groupsLoaded = false;
    m_groupWalker->start({kx::kLaPortChannelMemberList});
}

bool CFeatureModel::AggregationGroupsLoading() const
{
    return m_groupWalker->isRunning();
}

void CFeatureModel::OnGroupsWalked(const kx::WalkResult& result)
{
    // A failed walk leaves "not loaded": the agreement check then lets every
    // value pass, as it does before any answer.
    if (m_hasArray && !result.failed()) {
        m_groups = kx::TrunkMembership::FromRows(result.rows, m_portCount);
        m_groupsLoaded = !result.rows.empty();
    } else {
        m_groups = kx::TrunkMembership(m_hasArray ? m_portCount : 0);
        m_groupsLoaded = false;
    }
    emit aggregationGroupsLoaded();
}

const std::vector<int>* CFeatureModel::AggregationGroups() const
{
    return m_hasArray ? &m_groups.groups() : nullptr;
}

int CFeatureModel::MembersAgree(const std::vector<int>& values) const
{
    if (!m_groupsLoaded || !m_hasArray)
        return 1;
    const std::vector<int>& groups = m_groups.groups();
    for (std::size_t i = 0; i < groups.size(); ++i)
        kx::TraceF("m_TrunkPorts[%d] = %d", static_cast<int>(i), groups[i]);
    return m_groups.membersAgree(values) ? 1 : 0;
}

std::shared_ptr<CCommonSNMP> CFeatureModel::AddSession()
{
    auto session = std::make_shared<CCommonSNMP>();
    m_sessions.push_back(session);
    return session;
}

kx::TableWalker* CFeatureModel::StartRowWalk(const std::shared_ptr<CCommonSNMP>& session,
                                             int message, const QStringList& columns,
                                             RowFormat format)
{
    kx::TableWalker* walker = nullptr;
    for (kx::TableWalker* w : m_rowWalkers)
        if (&w->session() == session.get())
            walker = w;
    if (!walker) {
        walker = new kx::TableWalker(session, this);
        m_rowWalkers.push_back(walker);
    }
    walker->disconnect(this);
    connect(walker, &kx::TableWalker::rowArrived, this, [this, message, format](const kx::WalkRow& row) {
        QStringList texts;
        if (format) {
            texts = format(row);
        } else {
            for (const kx::SnmpValue& v : row.values)
                texts << v.text();
        }
        emit rowMessage(message, kx::RowParam::Row, texts);
    });
    connect(walker, &kx::TableWalker::finished, this, [this, message](const kx::WalkResult&) {
        emit rowMessage(message, kx::RowParam::EndOfWalk, {});
    });
    walker->start(columns);
    return walker;
}
