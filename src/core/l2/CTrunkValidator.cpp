#include "core/l2/CTrunkValidator.h"

#include "base/Prompter.h"
#include "base/Trace.h"
#include "core/l2/TrunkLogic.h"
#include "core/kit/SnmpRequests.h"

#include <QTimer>

using namespace kx::l2;

namespace {

// Beyond this no port loop or per-port array is made (User.ini may say anything).
constexpr int kMaxPortCount = 1024;

} // namespace

CTrunkValidator::CTrunkValidator(QObject* parent)
    : QObject(parent)
{
}

CTrunkValidator::~CTrunkValidator()
{
    Close();
}

std::shared_ptr<CCommonSNMP> CTrunkValidator::addSession(const QString& memberName)
{
    auto session = std::make_shared<CCommonSNMP>();
    m_sessions.push_back({memberName, session});
    return session;
}

CCommonSNMP* CTrunkValidator::sessionNamed(const QString& memberName) const
{
    for (const NamedSession& s : m_sessions)
        if (s.name == memberName)
            return s.session.get();
    return nullptr;
}

int CTrunkValidator::Init(int portCount, kx::LoadSet* loads)
{
    if (portCount < 1 || portCount > kMaxPortCount)
        return 0;
    if (m_started)
        return 1;
    m_started = true;
    m_snapshot = TrunkSnapshot(portCount);
    m_loads = loads;
    for (const TrunkLoad& load : TrunkLoadPlan())
        startLoad(load);
    return 1;
}

void CTrunkValidator::startLoad(const TrunkLoad& load)
{
    std::shared_ptr<CCommonSNMP> session;
    for (const NamedSession& s : m_sessions)
        if (s.name == load.session)
            session = s.session;
    Q_ASSERT(session);

    // The fold is connected before the load set hears of the end, so whoever
    // waits for the loads finds the snapshot complete.
    if (load.kind == TrunkLoad::Kind::Walk) {
        auto* walker = new kx::TableWalker(session, this);
        connect(walker, &kx::TableWalker::finished, this,
                [this, fold = load.foldWalk](const kx::WalkResult& result) { fold(result, m_snapshot); });
        m_loads->track(walker);
        // A closed validator starts nothing more.
        auto start = [this, walker, columns = load.oids] {
            if (!m_closed)
                walker->start(columns);
        };
        if (load.delayMs > 0)
            QTimer::singleShot(load.delayMs, walker, start);
        else
            start();
    } else {
        auto* get = new kx::AsyncGet(session, this);
        connect(get, &kx::AsyncGet::finished, this,
                [this, fold = load.foldGet](const kx::GetResult& result) { fold(result, m_snapshot); });
        m_loads->track(get);
        auto start = [this, get, oids = load.oids] {
            if (!m_closed)
                get->start(oids);
        };
        if (load.delayMs > 0)
            QTimer::singleShot(load.delayMs, get, start);
        else
            start();
    }
}

int CTrunkValidator::Validate(const kx::PortFlags& CandidateSet, const QString& CurrentMembers)
{
    std::optional<TrunkGlobalStates> reread;
    auto readAgain = [this, &reread]() -> std::optional<TrunkGlobalStates> {
        TrunkGlobalStates states = m_snapshot.globals;
        if (ReadGlobalStates(kx::GetValues(*m_cCommonSNMP, GlobalStateOids()), states))
            reread = states;
        return reread;
    };
    const TrunkVerdict verdict = CheckTrunkMembers(m_snapshot, CandidateSet, CurrentMembers, readAgain);
    if (reread)
        m_snapshot.globals = *reread;
    if (verdict.passed())
        return 1;
    kx::GetPrompter().message(verdict.message);
    return 0;
}

void CTrunkValidator::WriteMembers(const kx::PortFlags& members, int portCount, const QString& group,
                                   const QString& modeValue)
{
    kx::SetValues(*m_cCommonSNMPSet, MemberWriteBindings(members, portCount, group, modeValue));
}

void CTrunkValidator::Close()
{
    if (m_closed)
        return;
    m_closed = true;
    for (const NamedSession& s : m_sessions) {
        s.session->Close();
        kx::TraceSessionClosed(s.name.toStdString());
    }
}
