#include "core/kit/CFeatureModel.h"

#include "common/TraceCore.h"
#include "core/kit/SnmpRequests.h"

CFeatureModel::CFeatureModel(int portCount, QObject* parent)
    : QObject(parent),
      m_portCount(portCount),
      m_hasArray(portCount > 0),
      m_groups(m_hasArray ? portCount : 0)
{
}

CFeatureModel::~CFeatureModel()
{
    // Every walk of this object stops before any part of it goes. The window
    // traces its own sessions; these close quietly.
    m_sessions.close(false);
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

QString CFeatureModel::RowStatusRefusal(const QString& status)
{
    if (status == QLatin1String("1") || status == QLatin1String("4") || status == QLatin1String("5") ||
        status == QLatin1String("6"))
        return {};
    return QStringLiteral("error status value!");
}

int CFeatureModel::SetRowStatus(const QString& oidWithInstance, const QString& status, QString* refusal)
{
    const QString refused = RowStatusRefusal(status);
    if (refusal)
        *refusal = refused;
    if (!refused.isEmpty())
        return 0;
    const kx::SetResult result =
        kx::SetValues(*m_cCommonSNMPSet, {kx::SetBinding::Integer(oidWithInstance, status)});
    return result.answered() ? 1 : 0;
}

kx::ReadPlan CFeatureModel::LoadAggregationGroups()
{
    kx::ReadPlan plan;
    plan.walk(m_cCommonSNMPTable, {kx::kLaPortChannelMemberList}, [this](const kx::WalkResult& result) {
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
    });
    return plan;
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

std::shared_ptr<CCommonSNMP> CFeatureModel::AddSession(const QString& memberName)
{
    return m_sessions.add(memberName);
}

kx::ReadPlan CFeatureModel::RowWalk(const std::shared_ptr<CCommonSNMP>& session, const QStringList& columns,
                                    RowFormat format)
{
    kx::ReadPlan plan;
    plan.walk(session, columns, [this](const kx::WalkResult& result) { emit tableWalked(result); })
        .rows([this, format = std::move(format)](const kx::WalkRow& row) {
            QStringList texts;
            if (format) {
                texts = format(row);
            } else {
                for (const kx::SnmpValue& v : row.values)
                    texts << v.text();
            }
            emit rowArrived(texts);
        });
    return plan;
}

kx::ReadPlan CFeatureModel::RecordRead(const std::shared_ptr<CCommonSNMP>& session, const QStringList& oids,
                                       RecordFormat format)
{
    kx::ReadPlan plan;
    plan.get(session, oids, [this, format = std::move(format)](const kx::GetResult& answer) {
        if (!answer.ok())
            return;
        QStringList texts;
        if (format) {
            texts = format(answer);
        } else {
            for (const kx::SnmpValue& v : answer.values)
                texts << v.text();
        }
        emit recordArrived(texts);
    });
    return plan;
}

std::function<kx::SetResult()> CFeatureModel::SetObjects(std::vector<kx::SetBinding> bindings) const
{
    return [session = m_cCommonSNMP, bindings = std::move(bindings)] { return kx::SetValues(*session, bindings); };
}

std::function<int()> CFeatureModel::SetSequence(std::shared_ptr<CCommonSNMP> session,
                                                std::vector<std::vector<kx::SetBinding>> requests)
{
    return [session = std::move(session), requests = std::move(requests)] {
        int answered = 0;
        for (const std::vector<kx::SetBinding>& request : requests) {
            if (!kx::SetValues(*session, request).answered())
                break;
            ++answered;
        }
        return answered;
    };
}
