#include "snmp/CCommonSNMP.h"

#include "common/TraceCore.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>

// State shared with callbacks in flight. A callback holds it (not the session),
// so an answer that arrives after the session is gone finds a stale epoch and is
// dropped without touching the session.
struct CCommonSNMP::Core
{
    std::mutex mutex;
    std::condition_variable cv;
    // Bumped by Open and Close: steps started under an older epoch are stale.
    std::uint64_t epoch = 0;
    int inCallback = 0;
    bool cancelled = false;
    std::vector<int> pending;
};

namespace {

// Which session's callback this thread is running, and under which epoch: a
// callback that re-arms after its session was re-opened by another thread must
// not start a step on the new request.
thread_local const CCommonSNMP::Core* t_callbackCore = nullptr;
thread_local std::uint64_t t_callbackEpoch = 0;

class CallbackScope
{
public:
    CallbackScope(const CCommonSNMP::Core* core, std::uint64_t epoch)
        : m_core(t_callbackCore), m_epoch(t_callbackEpoch)
    {
        t_callbackCore = core;
        t_callbackEpoch = epoch;
    }
    ~CallbackScope()
    {
        t_callbackCore = m_core;
        t_callbackEpoch = m_epoch;
    }

private:
    const CCommonSNMP::Core* m_core;
    std::uint64_t m_epoch;
};

int ToInt(const std::string& text, int fallback)
{
    char* end = nullptr;
    const long v = std::strtol(text.c_str(), &end, 10);
    if (end == text.c_str())
        return fallback;
    return static_cast<int>(v);
}

std::string AgentFor(const SessionSettings& s)
{
    // The console's port: a standard line says "161", so behaviour is unchanged
    // there, while the simulator and tests run on unprivileged ports.
    const int port = ToInt(s.SnmpPort, 0);
    if (s.DeviceAddress.empty() || port <= 0 || port > 65535)
        return s.DeviceAddress;
    return s.DeviceAddress + ":" + std::to_string(port);
}

int AuthArithFor(const std::string& protocol)
{
    if (protocol == "2")
        return SnmpAuth::Md5;
    if (protocol == "3")
        return SnmpAuth::Sha;
    if (protocol == "4")
        return SnmpAuth::Sha224;
    if (protocol == "5")
        return SnmpAuth::Sha256;
    if (protocol == "6")
        return SnmpAuth::Sha384;
    if (protocol == "7")
        return SnmpAuth::Sha512;
    return -1;
}

int PrivArithFor(const std::string& protocol)
{
    if (protocol == "2")
        return SnmpPriv::Des;
    if (protocol == "4")
        return SnmpPriv::Aes128;
    return -1;
}

} // namespace

CCommonSNMP::CCommonSNMP() : CCommonSNMP(GetSessionSettings()) {}

CCommonSNMP::CCommonSNMP(const SessionSettings& s)
    : m_version(ToInt(s.SnmpVersion, 0)),
      m_agent(AgentFor(s)),
      m_defaultTimeout(ToInt(s.SessionTimeout, 3000)),
      m_readCommunity(s.ReadCommunity),
      m_writeCommunity(s.WriteCommunity),
      m_securityLevel(s.SecurityLevel),
      m_authProtocol(s.AuthProtocol),
      m_privProtocol(s.PrivProtocol),
      m_securityName(s.SecurityName),
      m_authPassword(s.AuthPassword),
      m_privPassword(s.PrivPassword),
      m_core(std::make_shared<Core>())
{
    kx::snmpengine::StartEngine();
}

CCommonSNMP::~CCommonSNMP()
{
    Close();
    // Give a step that still holds the session the time the design allows, then
    // go on: the step's answer is dropped by the epoch check either way.
    const bool idle = m_idle.tryAcquireFor(m_defaultTimeout + 1000);
    m_table.reset();
    m_request.reset();
    if (idle)
        m_idle.release();
}

bool CCommonSNMP::Open(int pduType)
{
    {
        std::lock_guard lock(m_core->mutex);
        ++m_core->epoch;
        if (t_callbackCore == m_core.get())
            t_callbackEpoch = m_core->epoch; // re-opened by its own callback: that one may go on
        if (m_request)
            m_request->abort();
    }
    kx::IdleGuard idle(m_idle);
    std::lock_guard lock(m_core->mutex);
    m_table.reset();
    m_request.reset();

    // A session asks and sets; a response PDU is nothing it could send.
    if (pduType != SnmpPdu::Get && pduType != SnmpPdu::GetNext && pduType != SnmpPdu::Set)
        return false;
    if (m_version == 1) {
        auto request = std::make_unique<CSnmpV1>(0);
        request->setType(pduType);
        request->clearVarBindList();
        request->setCommunity(pduType == SnmpPdu::Set ? m_writeCommunity : m_readCommunity);
        m_request = std::move(request);
    } else if (m_version == 3) {
        auto request = std::make_unique<CSnmpV3>(0);
        request->setType(pduType);
        request->clearVarBindList();
        SetUpSecurity(*request);
        m_request = std::move(request);
    } else {
        return false;
    }
    m_table = std::make_unique<CSnmpTable>(m_request.get());
    m_core->cancelled = false;
    return true;
}

void CCommonSNMP::SetUpSecurity(CSnmpV3& r)
{
    r.setMsgMaxSize(1024);
    r.setMsgSecurityModel(3);
    r.setUserName(m_securityName);

    auto setUpAuth = [&] {
        const int arith = AuthArithFor(m_authProtocol);
        if (arith >= 0) {
            r.setAuthArith(arith);
            r.setAuthPwd(m_authPassword.data(), static_cast<int>(m_authPassword.size()));
        } else {
            r.setMsgFlags(SnmpMsgFlags::NoAuthNoPriv);
        }
    };

    if (m_securityLevel == "2") {
        r.setMsgFlags(SnmpMsgFlags::AuthNoPriv);
        setUpAuth();
    } else if (m_securityLevel == "3") {
        r.setMsgFlags(SnmpMsgFlags::AuthPriv);
        setUpAuth();
        const int arith = PrivArithFor(m_privProtocol);
        if (arith >= 0) {
            r.setPriArith(arith);
            r.setPriPwd(m_privPassword.data(), static_cast<int>(m_privPassword.size()));
        } else {
            r.setMsgFlags(SnmpMsgFlags::AuthNoPriv);
        }
    } else {
        r.setMsgFlags(SnmpMsgFlags::NoAuthNoPriv);
    }
}

int CCommonSNMP::addValue(std::string oid, int type, const char* value)
{
    kx::IdleGuard idle(m_idle);
    if (!m_request)
        return -1;
    return m_request->addValue(oid, type, value);
}

int CCommonSNMP::addValue(std::string oid, int type, const char* value, int length)
{
    kx::IdleGuard idle(m_idle);
    if (!m_request)
        return -1;
    return m_request->addValue(oid, type, value, length);
}

int CCommonSNMP::send(std::unique_ptr<CSnmp>& response, int timeout)
{
    response.reset();
    kx::IdleGuard idle(m_idle);
    if (!m_request || !m_table || m_request->getValuesCount() == 0)
        return -1;
    return m_request->send(m_agent, response, timeout ? timeout : m_defaultTimeout);
}

int CCommonSNMP::getNext(std::unique_ptr<CSnmp>& response, int timeout)
{
    response.reset();
    kx::IdleGuard idle(m_idle);
    if (!m_request || !m_table || m_request->getValuesCount() == 0)
        return -1;
    return m_table->getNext(m_agent, response, timeout ? timeout : m_defaultTimeout);
}

int CCommonSNMP::getSuffix(int index, const CSnmp* response, std::string& suffix)
{
    suffix.clear();
    kx::IdleGuard idle(m_idle);
    if (!m_request || !m_table || m_request->getValuesCount() == 0)
        return -1;
    return m_table->getSuffix(index, response, suffix);
}

int CCommonSNMP::getNext(WalkCallback callback, void* context, int timeout)
{
    if (!callback)
        return -1;
    kx::IdleGuard idle(m_idle);
    return StartStep(std::move(callback), context, timeout);
}

int CCommonSNMP::StartStep(WalkCallback callback, void* context, int timeout)
{
    Core& core = *m_core;
    std::unique_lock lock(core.mutex);
    if (t_callbackCore == &core && t_callbackEpoch != core.epoch)
        return -1; // a stale callback re-arming after its session was re-opened
    if (core.cancelled || !m_request || !m_table || m_request->getValuesCount() == 0) {
        m_walkDone.set();
        return -1;
    }
    if (timeout == 0)
        timeout = m_defaultTimeout;

    // Both versions step asynchronously and call back on the engine's thread: a
    // walk's next step leaves from its callback without any thread hand-over, so a
    // step costs what it costs net-snmp's own tools. The SNMPv3 trace lines stay
    // where a step begins and where its answer is handed on.
    const bool traced = m_version == 3;
    m_walkDone.reset();
    std::shared_ptr<Core> shared = m_core;
    const std::uint64_t epoch = core.epoch;
    auto step = [shared, epoch, traced, callback = std::move(callback), context](
                    std::unique_ptr<CSnmp> response, int requestId, int status) {
        {
            std::lock_guard l(shared->mutex);
            if (shared->epoch != epoch)
                return;
            ++shared->inCallback;
        }
        if (traced)
            kx::Trace("getNext end");
        {
            CallbackScope scope(shared.get(), epoch);
            callback(std::move(response), requestId, context, status);
        }
        {
            std::lock_guard l(shared->mutex);
            --shared->inCallback;
        }
        shared->cv.notify_all();
    };
    if (traced)
        kx::Trace("getNext begin");
    // The id is known, and entered as pending, before the answer can be handled:
    // the callback needs this lock to get in.
    const int rc = m_table->getNext(m_agent, std::move(step), timeout);
    if (rc != 0) {
        m_walkDone.set();
        return rc;
    }
    core.pending.push_back(m_request->getRequestID());
    return 0;
}

bool CCommonSNMP::TakePending(int requestId)
{
    std::lock_guard lock(m_core->mutex);
    auto it = std::find(m_core->pending.begin(), m_core->pending.end(), requestId);
    if (it == m_core->pending.end())
        return false;
    m_core->pending.erase(it);
    return true;
}

void CCommonSNMP::SetWalkDone()
{
    m_walkDone.set();
}

void CCommonSNMP::Close()
{
    Core& core = *m_core;
    std::unique_lock lock(core.mutex);
    core.cancelled = true;
    core.pending.clear();
    ++core.epoch;
    if (m_request)
        m_request->abort();
    // Wait for a callback that is running right now, unless it is the caller.
    const int own = t_callbackCore == &core ? 1 : 0;
    core.cv.wait_for(lock, std::chrono::milliseconds(m_defaultTimeout + 1000),
                     [&] { return core.inCallback <= own; });
    lock.unlock();
    m_walkDone.set();
}
