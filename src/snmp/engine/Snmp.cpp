#include "snmp/engine/EngineInternal.h"

#include "common/SessionSettings.h"

#include <algorithm>
#include <arpa/inet.h>
#include <charconv>
#include <cstring>

using kx::snmpengine::Job;

namespace kx::snmpengine {

namespace {

std::atomic<int> g_requestIds{0};

} // namespace

bool ParseSigned(std::string_view text, long long min, long long max, long long& out)
{
    if (text.empty())
        return false;
    const char* begin = text.data();
    const char* end = begin + text.size();
    if (*begin == '+')
        ++begin;
    long long v = 0;
    auto [ptr, ec] = std::from_chars(begin, end, v);
    if (ec != std::errc() || ptr != end || v < min || v > max)
        return false;
    out = v;
    return true;
}

bool ParseIpv4(std::string_view text)
{
    int parts = 0;
    std::size_t pos = 0;
    while (parts < 4) {
        const std::size_t dot = text.find('.', pos);
        const std::string_view part =
            text.substr(pos, dot == std::string_view::npos ? std::string_view::npos : dot - pos);
        long long v = 0;
        if (part.empty() || part.size() > 3 || part[0] == '+' || !ParseSigned(part, 0, 255, v))
            return false;
        ++parts;
        if (dot == std::string_view::npos)
            break;
        pos = dot + 1;
    }
    return parts == 4 && std::count(text.begin(), text.end(), '.') == 3;
}

int NextRequestId()
{
    // Ids stay positive; a wrap after two billion requests starts again at 1.
    int id = g_requestIds.fetch_add(1, std::memory_order_relaxed) + 1;
    if (id <= 0) {
        g_requestIds.store(1);
        id = 1;
    }
    return id;
}

bool Job::abandon()
{
    int expected = Waiting;
    if (state.compare_exchange_strong(expected, Abandoned)) {
        status = SnmpResult::Failed;
        if (!async)
            done.set();
        return true;
    }
    expected = Completed;
    return state.compare_exchange_strong(expected, Abandoned);
}

// "host", "host:port" or "[v6]:port". False when there is no host.
bool SplitAgent(const std::string& agent, std::string& host, int& port)
{
    port = 161;
    std::string_view a(agent);
    if (a.empty())
        return false;
    if (a.front() == '[') {
        const auto close = a.find(']');
        if (close == std::string_view::npos)
            return false;
        host = std::string(a.substr(1, close - 1));
        a = a.substr(close + 1);
        if (!a.empty()) {
            long long p = 0;
            if (a.front() != ':' || !ParseSigned(a.substr(1), 1, 65535, p))
                return false;
            port = static_cast<int>(p);
        }
        return !host.empty();
    }
    const auto colon = a.rfind(':');
    if (colon != std::string_view::npos && a.find(':') == colon) {
        long long p = 0;
        if (!ParseSigned(a.substr(colon + 1), 1, 65535, p))
            return false;
        port = static_cast<int>(p);
        a = a.substr(0, colon);
    }
    host = std::string(a);
    return !host.empty();
}

bool NumericHost(const std::string& host)
{
    if (IsDottedIpv4(host))
        return true;
    in6_addr address{};
    return host.find(':') != std::string::npos && ::inet_pton(AF_INET6, host.c_str(), &address) == 1;
}

std::shared_ptr<const Target> MakeTarget(int version, const std::string& community, const V3Params& v3,
                                         const std::string& agent)
{
    auto t = std::make_shared<Target>();
    t->version = version;
    t->community = community;
    t->v3 = v3;
    if (!SplitAgent(agent, t->host, t->port) || !NumericHost(t->host))
        t->host.clear();
    t->sessionKey = std::to_string(version) + '\x1f' + t->host + '\x1f' + std::to_string(t->port);
    if (version == 3) {
        const V3Params& v = t->v3;
        t->sessionKey += '\x1f' + v.userName + '\x1f' + std::to_string(v.msgFlags) + '\x1f' +
                         std::to_string(v.authArith) + '\x1f' + v.authPassword + '\x1f' +
                         std::to_string(v.privArith) + '\x1f' + v.privPassword + '\x1f' +
                         std::to_string(v.msgMaxSize) + '\x1f' + std::to_string(v.securityModel);
    }
    return t;
}
} // namespace kx::snmpengine

namespace {

bool ValidOid(std::string_view text)
{
    if (!text.empty() && text.front() == '.')
        text.remove_prefix(1);
    if (text.empty())
        return false;
    int count = 0;
    std::size_t pos = 0;
    for (;;) {
        const std::size_t dot = text.find('.', pos);
        const std::string_view part =
            text.substr(pos, dot == std::string_view::npos ? std::string_view::npos : dot - pos);
        if (part.empty() || part.size() > 10)
            return false;
        unsigned long long v = 0;
        auto [ptr, ec] = std::from_chars(part.data(), part.data() + part.size(), v);
        if (ec != std::errc() || ptr != part.data() + part.size() || v > 0xffffffffULL)
            return false;
        if (++count > 128)
            return false;
        if (dot == std::string_view::npos)
            break;
        pos = dot + 1;
    }
    return count >= 2;
}

std::string CanonicalOid(std::string_view text)
{
    if (!text.empty() && text.front() == '.')
        text.remove_prefix(1);
    return std::string(text);
}

} // namespace

CSnmp::CSnmp(int version) : m_state(std::make_shared<State>())
{
    m_state->version = version;
}

CSnmp::~CSnmp()
{
    // A send still on its way keeps its own copy of the request; nothing of this
    // object is referenced after it is gone.
}

int CSnmp::getVersion() const
{
    return m_state->version;
}

int CSnmp::setType(int pduType)
{
    if (pduType != SnmpPdu::Get && pduType != SnmpPdu::GetNext && pduType != SnmpPdu::Set &&
        pduType != SnmpPdu::Response)
        return -1;
    std::lock_guard lock(m_state->mutex);
    m_state->pduType = pduType;
    return 0;
}

int CSnmp::getType() const
{
    std::lock_guard lock(m_state->mutex);
    return m_state->pduType;
}

void CSnmp::clearVarBindList()
{
    std::lock_guard lock(m_state->mutex);
    m_state->bindings.clear();
    m_state->columns.clear();
    ++m_state->generation;
}

int CSnmp::addValue(const std::string& oid, int type, const char* value)
{
    if (type == SnmpType::Null || value == nullptr)
        return addValue(oid, type, value, 0);
    return addValue(oid, type, value, static_cast<int>(std::strlen(value)));
}

int CSnmp::addValue(const std::string& oid, int type, const char* value, int length)
{
    if (!ValidOid(oid) || length < 0)
        return -1;
    SnmpBinding b;
    b.oid = CanonicalOid(oid);
    b.type = type;
    const std::string_view text = value ? std::string_view(value, static_cast<std::size_t>(length))
                                        : std::string_view();
    switch (type) {
    case SnmpType::Null:
        break;
    case SnmpType::OctetString:
        if (!value && length > 0)
            return -1;
        b.value.assign(text);
        break;
    case SnmpType::Integer: {
        long long v = 0;
        if (!value || !kx::snmpengine::ParseSigned(text, -2147483648LL, 2147483647LL, v))
            return -1;
        b.value = std::to_string(v);
        break;
    }
    case SnmpType::Unsigned32:
    case SnmpType::Counter32:
    case SnmpType::TimeTicks: {
        long long v = 0;
        if (!value || !kx::snmpengine::ParseSigned(text, 0, 4294967295LL, v))
            return -1;
        b.value = std::to_string(v);
        break;
    }
    case SnmpType::IpAddress:
        if (!value || !kx::snmpengine::ParseIpv4(text))
            return -1;
        b.value.assign(text);
        break;
    case SnmpType::ObjectId:
        if (!value || !ValidOid(text))
            return -1;
        b.value = CanonicalOid(text);
        break;
    default:
        return -1;
    }
    std::lock_guard lock(m_state->mutex);
    m_state->columns.push_back(b.oid);
    m_state->bindings.push_back(std::move(b));
    ++m_state->generation;
    return 0;
}

int CSnmp::getValuesCount() const
{
    std::lock_guard lock(m_state->mutex);
    return static_cast<int>(m_state->bindings.size());
}

int CSnmp::getValue(int index, int& type, std::string& value) const
{
    std::lock_guard lock(m_state->mutex);
    if (index < 0 || index >= static_cast<int>(m_state->bindings.size()))
        return -1;
    type = m_state->bindings[static_cast<std::size_t>(index)].type;
    value = m_state->bindings[static_cast<std::size_t>(index)].value;
    return 0;
}

int CSnmp::getValue(int index, int& type, std::string& value, int& length) const
{
    const int rc = getValue(index, type, value);
    length = rc == 0 ? static_cast<int>(value.size()) : 0;
    return rc;
}

int CSnmp::getOid(int index, std::string& oid) const
{
    std::lock_guard lock(m_state->mutex);
    if (index < 0 || index >= static_cast<int>(m_state->bindings.size()))
        return -1;
    oid = m_state->bindings[static_cast<std::size_t>(index)].oid;
    return 0;
}

int CSnmp::getErrorInfo(int& errorStatus, int& errorIndex) const
{
    std::lock_guard lock(m_state->mutex);
    errorStatus = m_state->errorStatus;
    errorIndex = m_state->errorIndex;
    return 0;
}

int CSnmp::getRequestID() const
{
    std::lock_guard lock(m_state->mutex);
    return m_state->requestId;
}

std::vector<SnmpBinding> CSnmp::getBindings() const
{
    std::lock_guard lock(m_state->mutex);
    return m_state->bindings;
}

namespace {

// Copies what the engine needs; the request object may change or go while the
// send is on its way.
std::shared_ptr<Job> MakeJob(CSnmp::State& s, const std::string& agent, int timeoutMs,
                             bool async)
{
    auto job = std::make_shared<Job>();
    std::lock_guard lock(s.mutex);
    job->requestId = kx::snmpengine::NextRequestId();
    s.requestId = job->requestId;
    job->pduType = s.pduType;
    job->bindings = s.bindings;
    if (!s.target || s.targetAgent != agent) {
        s.target = kx::snmpengine::MakeTarget(s.version, s.community, s.v3, agent);
        s.targetAgent = agent;
    }
    job->target = s.target;
    job->timeoutMs = timeoutMs > 0 ? timeoutMs : 1;
    job->async = async;
    // Forget finished sends so the list stays short on long walks.
    std::erase_if(s.inflight, [](const std::weak_ptr<Job>& w) { return w.expired(); });
    s.inflight.push_back(job);
    return job;
}

} // namespace

int CSnmp::send(const std::string& agent, std::unique_ptr<CSnmp>& response, int timeoutMs)
{
    response.reset();
    if (getValuesCount() == 0)
        return SnmpResult::Failed;
    auto job = MakeJob(*m_state, agent, timeoutMs, false);
    if (!kx::snmpengine::Submit(job))
        job->abandon();
    if (!kx::snmpengine::WaitForJob(job))
        return SnmpResult::Failed;
    response = std::move(job->response);
    return job->status;
}

int CSnmp::sendAsync(const std::string& agent, SnmpResponseCallback callback, int timeoutMs)
{
    if (getValuesCount() == 0 || !callback)
        return SnmpResult::Failed;
    auto job = MakeJob(*m_state, agent, timeoutMs, true);
    job->callback = std::move(callback);
    // An agent address that cannot be used fails like an unreachable agent: through
    // the callback, so a walk's owner learns that it ended.
    if (!kx::snmpengine::Submit(job)) {
        job->abandon();
        return SnmpResult::Failed;
    }
    return SnmpResult::Ok;
}

void CSnmp::abort()
{
    std::vector<std::weak_ptr<Job>> jobs;
    {
        std::lock_guard lock(m_state->mutex);
        jobs.swap(m_state->inflight);
    }
    for (auto& w : jobs)
        if (auto job = w.lock())
            job->abandon();
}

std::unique_ptr<CSnmp> MakeSnmpResponse(int version)
{
    std::unique_ptr<CSnmp> r(new CSnmp(version));
    r->m_state->pduType = SnmpPdu::Response;
    return r;
}

void FillSnmpResponse(CSnmp& response, int requestId, int errorStatus, int errorIndex,
                      std::vector<SnmpBinding> bindings)
{
    // Only the engine fills a response, before anyone else can see it.
    CSnmp::State* s = response.m_state.get();
    std::lock_guard lock(s->mutex);
    s->requestId = requestId;
    s->errorStatus = errorStatus;
    s->errorIndex = errorIndex;
    s->bindings = std::move(bindings);
    s->columns.clear();
}

CSnmpV1::CSnmpV1(int) : CSnmp(1) {}

int CSnmpV1::setCommunity(const std::string& community)
{
    std::lock_guard lock(m_state->mutex);
    m_state->community = community;
    m_state->target.reset();
    return 0;
}

CSnmpV3::CSnmpV3(int) : CSnmp(3) {}

int CSnmpV3::setMsgMaxSize(int size)
{
    if (size < 484)
        return -1;
    std::lock_guard lock(m_state->mutex);
    m_state->v3.msgMaxSize = size;
    m_state->target.reset();
    return 0;
}

int CSnmpV3::setMsgSecurityModel(int model)
{
    std::lock_guard lock(m_state->mutex);
    m_state->v3.securityModel = model;
    m_state->target.reset();
    return 0;
}

int CSnmpV3::setUserName(const std::string& name)
{
    std::lock_guard lock(m_state->mutex);
    m_state->v3.userName = name;
    m_state->target.reset();
    return 0;
}

int CSnmpV3::setMsgFlags(int flags)
{
    if (flags != SnmpMsgFlags::NoAuthNoPriv && flags != SnmpMsgFlags::AuthNoPriv &&
        flags != SnmpMsgFlags::AuthPriv)
        return -1;
    std::lock_guard lock(m_state->mutex);
    m_state->v3.msgFlags = flags;
    m_state->target.reset();
    return 0;
}

int CSnmpV3::setAuthArith(int algorithm)
{
    if (algorithm < SnmpAuth::Md5 || algorithm > SnmpAuth::Sha512)
        return -1;
    std::lock_guard lock(m_state->mutex);
    m_state->v3.authArith = algorithm;
    m_state->target.reset();
    return 0;
}

int CSnmpV3::setAuthPwd(const char* password, int length)
{
    if (!password || length < 0)
        return -1;
    std::lock_guard lock(m_state->mutex);
    m_state->v3.authPassword.assign(password, static_cast<std::size_t>(length));
    m_state->target.reset();
    return 0;
}

int CSnmpV3::setPriArith(int algorithm)
{
    if (algorithm != SnmpPriv::Des && algorithm != SnmpPriv::Aes128)
        return -1;
    std::lock_guard lock(m_state->mutex);
    m_state->v3.privArith = algorithm;
    m_state->target.reset();
    return 0;
}

int CSnmpV3::setPriPwd(const char* password, int length)
{
    if (!password || length < 0)
        return -1;
    std::lock_guard lock(m_state->mutex);
    m_state->v3.privPassword.assign(password, static_cast<std::size_t>(length));
    m_state->target.reset();
    return 0;
}
