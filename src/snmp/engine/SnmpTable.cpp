#include "snmp/engine/EngineInternal.h"

namespace {

// v1 error status noSuchName: the v1 agent's way of saying "nothing follows".
constexpr int kNoSuchName = 2;

bool InsideColumn(const std::string& oid, const std::string& column)
{
    return oid.size() > column.size() + 1 && oid.compare(0, column.size(), column) == 0 &&
           oid[column.size()] == '.';
}

struct Snapshot
{
    int pduType = SnmpPdu::Get;
    std::uint64_t generation = 0;
    std::vector<std::string> columns;
};

Snapshot TakeSnapshot(CSnmp::State& s)
{
    std::lock_guard lock(s.mutex);
    return {s.pduType, s.generation, s.columns};
}

// Whether a get-next answer is a row of the walk over `columns`, and if so the
// OIDs it continues with. Ok, EndOfTable or Failed.
int JudgeRow(const CSnmp& response, const std::vector<std::string>& columns,
             std::vector<std::string>& oids)
{
    // A response is complete and no longer changes: read it in place.
    const CSnmp::State& answer = *CSnmpTable::StateOf(response);
    std::lock_guard lock(answer.mutex);
    if (answer.errorStatus == kNoSuchName && answer.version == 1)
        return SnmpResult::EndOfTable;
    if (answer.errorStatus != 0)
        return SnmpResult::Failed;
    const std::vector<SnmpBinding>& answered = answer.bindings;
    // An answer of another size than asked cannot move the walk on: the same step
    // would be sent again for ever.
    if (columns.empty() || answered.size() != columns.size())
        return SnmpResult::Failed;
    if (answered[0].type == SnmpType::EndOfMibView || !InsideColumn(answered[0].oid, columns[0]))
        return SnmpResult::EndOfTable;
    oids.clear();
    oids.reserve(answered.size());
    for (const SnmpBinding& b : answered)
        oids.push_back(b.oid);
    return SnmpResult::Ok;
}

// Judges one answered step and, for a row, moves the request on to the OIDs
// just answered so that the caller's next step continues from there.
int Evaluate(CSnmp::State& request, const Snapshot& snap, const CSnmp* response, int status)
{
    if (status != SnmpResult::Ok || !response)
        return status == SnmpResult::Ok ? SnmpResult::Failed : status;
    if (snap.pduType != SnmpPdu::GetNext)
        return SnmpResult::Ok;
    std::vector<std::string> oids;
    const int verdict = JudgeRow(*response, snap.columns, oids);
    if (verdict != SnmpResult::Ok)
        return verdict;
    std::lock_guard lock(request.mutex);
    if (request.generation == snap.generation && request.bindings.size() == oids.size()) {
        for (std::size_t i = 0; i < oids.size(); ++i)
            request.bindings[i].oid = std::move(oids[i]);
    }
    return SnmpResult::Ok;
}

} // namespace

// The step sent ahead. The engine thread fills it the moment an answer of the
// walk arrives (before the waiting thread is even woken); the walking thread
// takes it when its next step asks for exactly those OIDs. At most one at a time.
struct CSnmpTable::ReadAhead
{
    std::mutex mutex;
    bool enabled = false;
    std::shared_ptr<kx::snmpengine::Job> job;
    std::vector<std::string> oids;
    std::uint64_t generation = 0;
    std::string agent;
    int timeoutMs = 0;
};

namespace {

using kx::snmpengine::Job;

// The OIDs a get-next answer continues with, when it is a row of the walk.
bool NextOids(const Job& done, const std::vector<std::string>& columns, std::vector<std::string>& oids)
{
    return done.status == SnmpResult::Ok && done.response &&
           JudgeRow(*done.response, columns, oids) == SnmpResult::Ok;
}

std::vector<std::string> CurrentOids(CSnmp::State& s)
{
    std::lock_guard lock(s.mutex);
    std::vector<std::string> oids;
    oids.reserve(s.bindings.size());
    for (const SnmpBinding& b : s.bindings)
        oids.push_back(b.oid);
    return oids;
}

} // namespace

CSnmpTable::CSnmpTable(CSnmp* request)
    : m_request(request), m_readAhead(std::make_shared<ReadAhead>())
{
}

CSnmpTable::~CSnmpTable()
{
    setReadAhead(false);
}

void CSnmpTable::setReadAhead(bool on)
{
    std::lock_guard lock(m_readAhead->mutex);
    m_readAhead->enabled = on;
    if (!on && m_readAhead->job) {
        m_readAhead->job->abandon();
        m_readAhead->job.reset();
    }
}

int CSnmpTable::getNext(const std::string& agent, std::unique_ptr<CSnmp>& response, int timeoutMs)
{
    response.reset();
    if (!m_request)
        return SnmpResult::Failed;
    const std::shared_ptr<CSnmp::State>& state = m_request->m_state;
    const Snapshot snap = TakeSnapshot(*state);
    const bool walking = snap.pduType == SnmpPdu::GetNext;

    std::shared_ptr<Job> job;
    bool enabled = false;
    {
        const std::vector<std::string> oids = walking ? CurrentOids(*state) : std::vector<std::string>();
        std::lock_guard lock(m_readAhead->mutex);
        enabled = m_readAhead->enabled && walking;
        if (m_readAhead->job && enabled && m_readAhead->generation == snap.generation &&
            m_readAhead->oids == oids && m_readAhead->agent == agent &&
            m_readAhead->timeoutMs == timeoutMs) {
            job = std::move(m_readAhead->job);
        } else if (m_readAhead->job) {
            m_readAhead->job->abandon();
            m_readAhead->job.reset();
        }
    }
    if (!job) {
        kx::snmpengine::JobChain chain;
        if (enabled) {
            // Runs on the engine thread when an answer of this walk arrives.
            std::weak_ptr<ReadAhead> slotRef = m_readAhead;
            std::weak_ptr<CSnmp::State> stateRef = state;
            const std::vector<std::string> columns = snap.columns;
            const std::uint64_t generation = snap.generation;
            chain = [slotRef, stateRef, columns, generation, agent,
                     timeoutMs](const std::shared_ptr<Job>& done) {
                auto slot = slotRef.lock();
                auto requestState = stateRef.lock();
                std::vector<std::string> oids;
                if (!slot || !requestState || !NextOids(*done, columns, oids))
                    return;
                std::shared_ptr<Job> next;
                {
                    std::lock_guard lock(slot->mutex);
                    if (!slot->enabled || slot->job)
                        return;
                    next = kx::snmpengine::CloneJobFor(*done, oids);
                    slot->job = next;
                    slot->oids = oids;
                    slot->generation = generation;
                    slot->agent = agent;
                    slot->timeoutMs = timeoutMs;
                }
                kx::snmpengine::TrackJob(*requestState, next);
                kx::snmpengine::Submit(next);
            };
        }
        job = kx::snmpengine::StartSend(state, agent, timeoutMs, std::move(chain));
    }
    std::unique_ptr<CSnmp> answer;
    int status = kx::snmpengine::FinishSend(job, answer);
    status = Evaluate(*state, snap, answer.get(), status);
    if (status == SnmpResult::Ok)
        response = std::move(answer);
    return status;
}

int CSnmpTable::getNext(const std::string& agent, SnmpResponseCallback callback, int timeoutMs)
{
    if (!m_request || !callback)
        return SnmpResult::Failed;
    std::shared_ptr<CSnmp::State> state = m_request->m_state;
    Snapshot snap = TakeSnapshot(*state);
    auto step = [state, snap = std::move(snap), callback = std::move(callback)](
                    std::unique_ptr<CSnmp> answer, int requestId, int status) {
        status = Evaluate(*state, snap, answer.get(), status);
        if (status != SnmpResult::Ok)
            answer.reset();
        callback(std::move(answer), requestId, status);
    };
    return m_request->sendAsync(agent, std::move(step), timeoutMs);
}

int CSnmpTable::getSuffix(int index, const CSnmp* response, std::string& suffix) const
{
    suffix.clear();
    if (!m_request || !response)
        return SnmpResult::Failed;
    std::string column;
    {
        std::lock_guard lock(m_request->m_state->mutex);
        if (index < 0 || index >= static_cast<int>(m_request->m_state->columns.size()))
            return SnmpResult::Failed;
        column = m_request->m_state->columns[static_cast<std::size_t>(index)];
    }
    std::string oid;
    if (response->getOid(index, oid) != 0 || !InsideColumn(oid, column))
        return SnmpResult::Failed;
    suffix = oid.substr(column.size());
    return SnmpResult::Ok;
}
