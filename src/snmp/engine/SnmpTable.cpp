#include "snmp/engine/EngineInternal.h"

#include <algorithm>
#include <charconv>

namespace {

// v1 error status noSuchName: the v1 agent's way of saying "nothing follows".
constexpr int kNoSuchName = 2;

bool InsideColumn(const std::string& oid, const std::string& column)
{
    return oid.size() > column.size() + 1 && oid.compare(0, column.size(), column) == 0 &&
           oid[column.size()] == '.';
}

// Dotted numeric OIDs in SNMP order: sub-identifier by sub-identifier, a prefix
// first. Both are well formed (the engine wrote one, the caller's was checked).
bool OidGreater(const std::string& a, const std::string& b)
{
    // Steps of a walk share most of their text: compare numbers only from the
    // sub-identifier where the two first differ.
    const std::size_t common = std::min(a.size(), b.size());
    std::size_t start = 0;
    while (start < common && a[start] == b[start])
        ++start;
    if (start == a.size())
        return false; // equal, or a prefix of b
    if (start == b.size())
        return true; // b is a prefix of a: a goes on below it or has a longer number
    while (start > 0 && a[start - 1] != '.')
        --start;
    const char* pa = a.data() + start;
    const char* const ea = a.data() + a.size();
    const char* pb = b.data() + start;
    const char* const eb = b.data() + b.size();
    while (pa < ea && pb < eb) {
        unsigned long va = 0;
        unsigned long vb = 0;
        pa = std::from_chars(pa, ea, va).ptr;
        pb = std::from_chars(pb, eb, vb).ptr;
        if (va != vb)
            return va > vb;
        if (pa < ea)
            ++pa;
        if (pb < eb)
            ++pb;
    }
    return pa < ea;
}

bool IsException(int type)
{
    return type == SnmpType::NoSuchObject || type == SnmpType::NoSuchInstance ||
           type == SnmpType::EndOfMibView;
}

// Judges one answered get-next step of the walk `request` holds and, for a row,
// moves the request on to the OIDs just answered, so that the next step continues
// from there. Ok, EndOfTable or Failed.
int JudgeStep(CSnmp::State& request, std::uint64_t generation, const CSnmp& response)
{
    // A response is complete and no longer changes: read it in place.
    const CSnmp::State& answer = *CSnmpTable::StateOf(response);
    std::lock_guard answerLock(answer.mutex);
    if (answer.errorStatus == kNoSuchName && answer.version == 1)
        return SnmpResult::EndOfTable;
    if (answer.errorStatus != 0)
        return SnmpResult::Failed;
    const std::vector<SnmpBinding>& answered = answer.bindings;

    std::lock_guard lock(request.mutex);
    // The request was rebuilt while the step was out: the answer is not for it.
    if (request.generation != generation)
        return SnmpResult::Failed;
    const std::vector<std::string>& columns = request.columns;
    std::vector<SnmpBinding>& asked = request.bindings;
    // An answer of another size than asked cannot move the walk on: the same step
    // would be sent again for ever.
    if (columns.empty() || answered.size() != columns.size() || asked.size() != columns.size())
        return SnmpResult::Failed;
    if (answered[0].type == SnmpType::EndOfMibView || !InsideColumn(answered[0].oid, columns[0]))
        return SnmpResult::EndOfTable;
    // An agent that answers an OID it was already past would walk in a circle
    // for ever: like net-snmp's tools, end such a walk as an error.
    for (std::size_t i = 0; i < answered.size(); ++i)
        if (!IsException(answered[i].type) && !OidGreater(answered[i].oid, asked[i].oid))
            return SnmpResult::Failed;
    for (std::size_t i = 0; i < answered.size(); ++i)
        asked[i].oid = answered[i].oid;
    return SnmpResult::Ok;
}

struct Snapshot
{
    int pduType = SnmpPdu::Get;
    std::uint64_t generation = 0;
};

Snapshot TakeSnapshot(CSnmp::State& s)
{
    std::lock_guard lock(s.mutex);
    return {s.pduType, s.generation};
}

int Evaluate(CSnmp::State& request, const Snapshot& snap, const CSnmp* response, int status)
{
    if (status != SnmpResult::Ok || !response)
        return status == SnmpResult::Ok ? SnmpResult::Failed : status;
    if (snap.pduType != SnmpPdu::GetNext)
        return SnmpResult::Ok;
    return JudgeStep(request, snap.generation, *response);
}

} // namespace

CSnmpTable::CSnmpTable(CSnmp* request) : m_request(request) {}

CSnmpTable::~CSnmpTable() = default;

int CSnmpTable::getNext(const std::string& agent, std::unique_ptr<CSnmp>& response, int timeoutMs)
{
    response.reset();
    if (!m_request)
        return SnmpResult::Failed;
    const std::shared_ptr<CSnmp::State>& state = m_request->m_state;
    const Snapshot snap = TakeSnapshot(*state);
    std::unique_ptr<CSnmp> answer;
    int status = m_request->send(agent, answer, timeoutMs);
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
    const Snapshot snap = TakeSnapshot(*state);
    auto step = [state = std::move(state), snap, callback = std::move(callback)](
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
