#include "core/l2/CTrunkValidator.h"

#include "core/l2/TrunkLogic.h"

using namespace kx::l2;

namespace {

// Beyond this no port loop or per-port array is made (User.ini may say anything).
constexpr int kMaxPortCount = 1024;

// The sessions after the first two, in the order they close.
const QStringList kLoadSessions = {
    QStringLiteral("m_cCommonSNMPMirror"),         QStringLiteral("m_cCommonSNMPTableACL"),
    QStringLiteral("m_cCommonSNMPPoint"),          QStringLiteral("m_cCommonSNMPTableVlan"),
    QStringLiteral("m_cCommonSNMPTableTrunk"),     QStringLiteral("m_cCommonSNMPTableStaticPor"),
    QStringLiteral("m_cCommonSNMPTableGetVlanTrunk"), QStringLiteral("m_cCommonSNMPTableArp"),
    QStringLiteral("m_cCommonSNMPTableCamera"),    QStringLiteral("m_cCommonSNMPTableRstp"),
    QStringLiteral("m_cCommonSNMPDhcp"),
};

} // namespace

CTrunkValidator::CTrunkValidator(QObject* parent) : QObject(parent)
{
    for (const QString& name : kLoadSessions)
        m_sessions.add(name);
}

int CTrunkValidator::Init(int portCount, kx::ReadPlan& loads)
{
    if (portCount < 1 || portCount > kMaxPortCount)
        return 0;
    m_portCount = portCount;
    m_snapshot = TrunkSnapshot(portCount);
    for (const TrunkLoad& load : TrunkLoadPlan()) {
        const std::shared_ptr<CCommonSNMP> session = m_sessions.find(load.session);
        Q_ASSERT(session);
        if (load.kind == TrunkLoad::Kind::Walk)
            loads.walk(session, load.oids,
                       [this, fold = load.foldWalk](const kx::WalkResult& result) { fold(result, m_snapshot); });
        else
            loads.get(session, load.oids,
                      [this, fold = load.foldGet](const kx::GetResult& result) { fold(result, m_snapshot); });
        if (load.delayMs > 0)
            loads.delay(load.delayMs);
    }
    return 1;
}

std::function<CTrunkValidator::Judgement()> CTrunkValidator::Judge(const kx::PortFlags& CandidateSet,
                                                                   const QString& CurrentMembers,
                                                                   const QString& group,
                                                                   const QString& modeValue) const
{
    return [snapshot = m_snapshot, CandidateSet, CurrentMembers, group, modeValue, portCount = m_portCount,
            get = m_cCommonSNMP, set = m_cCommonSNMPSet] {
        Judgement judgement;
        auto readAgain = [&]() -> std::optional<TrunkGlobalStates> {
            TrunkGlobalStates states = snapshot.globals;
            if (ReadGlobalStates(kx::GetValues(*get, GlobalStateOids()), states))
                judgement.reread = states;
            return judgement.reread;
        };
        judgement.verdict = CheckTrunkMembers(snapshot, CandidateSet, CurrentMembers, readAgain);
        if (judgement.verdict.passed()) {
            kx::SetValues(*set, MemberWriteBindings(CandidateSet, portCount, group, modeValue));
            judgement.written = true;
        }
        return judgement;
    };
}

void CTrunkValidator::Remember(const Judgement& judgement)
{
    if (judgement.reread)
        m_snapshot.globals = *judgement.reread;
}
