#include "snmp/engine/EngineInternal.h"

namespace {

// v1 error status noSuchName: the v1 agent's way of saying "nothing follows".
constexpr int kNoSuchName = 2;

bool InsideColumn(const std::string& oid, const std::string& column)
{
    return oid.size() > column.size() + 1 && oid.compare(0, column.size(), column) == 0 &&
           oid[column.size()] == '.';
}

const CSnmp::State* ResponseState(const CSnmp& response);

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

// Judges one answered step and, for a row, moves the request on to the OIDs
// just answered so that the caller's next step continues from there.
int Evaluate(CSnmp::State& request, const Snapshot& snap, const CSnmp* response, int status)
{
    if (status != SnmpResult::Ok || !response)
        return status == SnmpResult::Ok ? SnmpResult::Failed : status;
    if (snap.pduType != SnmpPdu::GetNext)
        return SnmpResult::Ok;

    // A response is complete and no longer changes: read it in place.
    const CSnmp::State& answer = *ResponseState(*response);
    std::vector<std::string> oids;
    {
        std::lock_guard lock(answer.mutex);
        if (answer.errorStatus == kNoSuchName && answer.version == 1)
            return SnmpResult::EndOfTable;
        if (answer.errorStatus != 0)
            return SnmpResult::Failed;
        const std::vector<SnmpBinding>& answered = answer.bindings;
        if (answered.empty() || snap.columns.empty())
            return SnmpResult::Failed;
        if (answered[0].type == SnmpType::EndOfMibView ||
            !InsideColumn(answered[0].oid, snap.columns[0]))
            return SnmpResult::EndOfTable;
        oids.reserve(answered.size());
        for (const SnmpBinding& b : answered)
            oids.push_back(b.oid);
    }

    std::lock_guard lock(request.mutex);
    if (request.generation == snap.generation && request.bindings.size() == oids.size()) {
        for (std::size_t i = 0; i < oids.size(); ++i)
            request.bindings[i].oid = std::move(oids[i]);
    }
    return SnmpResult::Ok;
}

} // namespace

namespace {

const CSnmp::State* ResponseState(const CSnmp& response)
{
    return CSnmpTable::StateOf(response);
}

} // namespace

CSnmpTable::CSnmpTable(CSnmp* request) : m_request(request) {}

int CSnmpTable::getNext(const std::string& agent, std::unique_ptr<CSnmp>& response, int timeoutMs)
{
    response.reset();
    if (!m_request)
        return SnmpResult::Failed;
    const Snapshot snap = TakeSnapshot(*m_request->m_state);
    std::unique_ptr<CSnmp> answer;
    int status = m_request->send(agent, answer, timeoutMs);
    status = Evaluate(*m_request->m_state, snap, answer.get(), status);
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
