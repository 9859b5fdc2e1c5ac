// The engine thread: the only place that calls net-snmp.
//
// Requests arrive as jobs on a queue. The thread keeps one net-snmp session per
// agent and set of credentials (so SNMPv3 discovery happens once, not per
// request), sends every job asynchronously, and waits in one epoll over the
// sessions' sockets and a wake-up descriptor. Answers are turned into response
// objects here; synchronous senders are woken directly. Asynchronous callbacks
// run on this thread too, but outside net-snmp's call stack: a walk step that
// re-arms from its callback is sent at once, without any thread hand-over, which
// is what makes a walk as fast and as cheap as the agent allows. Callbacks must
// therefore be short and must not wait for other threads; a synchronous send
// from a callback is served by a nested turn of the loop.

#include "snmp/engine/EngineInternal.h"

#include "common/TraceCore.h"

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>
#include <net-snmp/library/large_fd_set.h>
#include <net-snmp/library/snmpUDPBaseDomain.h>

#include <atomic>
#include <cerrno>
#include <charconv>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <future>
#include <map>
#include <sys/epoll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace kx::snmpengine {

namespace {

// Numeric dotted text into `out` (room for MAX_OID_LEN); the count, or 0 when malformed.
std::size_t ParseOidText(const std::string& text, oid* out)
{
    std::size_t count = 0;
    const char* p = text.data();
    const char* const end = p + text.size();
    while (p < end) {
        if (count == MAX_OID_LEN)
            return 0;
        unsigned long v = 0;
        auto [next, ec] = std::from_chars(p, end, v);
        if (ec != std::errc() || next == p || v > 0xffffffffUL)
            return 0;
        out[count++] = static_cast<oid>(v);
        p = next;
        if (p < end) {
            if (*p != '.' || p + 1 == end)
                return 0;
            ++p;
        }
    }
    return count >= 2 ? count : 0;
}

std::string OidToText(const oid* name, std::size_t length)
{
    char buf[MAX_OID_LEN * 11];
    char* p = buf;
    char* const end = buf + sizeof buf;
    for (std::size_t i = 0; i < length && i < MAX_OID_LEN; ++i) {
        if (i)
            *p++ = '.';
        p = std::to_chars(p, end, static_cast<unsigned long>(name[i])).ptr;
    }
    return std::string(buf, static_cast<std::size_t>(p - buf));
}

SnmpBinding ToBinding(const netsnmp_variable_list* v)
{
    SnmpBinding b;
    b.oid = OidToText(v->name, v->name_length);
    switch (v->type) {
    case ASN_INTEGER:
        b.type = SnmpType::Integer;
        b.value = std::to_string(static_cast<int32_t>(*v->val.integer));
        break;
    case ASN_OCTET_STR:
        b.type = SnmpType::OctetString;
        if (v->val.string && v->val_len)
            b.value.assign(reinterpret_cast<const char*>(v->val.string), v->val_len);
        break;
    case ASN_OPAQUE:
        b.type = SnmpType::Opaque;
        if (v->val.string && v->val_len)
            b.value.assign(reinterpret_cast<const char*>(v->val.string), v->val_len);
        break;
    case ASN_OBJECT_ID:
        b.type = SnmpType::ObjectId;
        b.value = OidToText(v->val.objid, v->val_len / sizeof(oid));
        break;
    case ASN_IPADDRESS:
        b.type = SnmpType::IpAddress;
        if (v->val.string && v->val_len == 4) {
            char buf[20];
            std::snprintf(buf, sizeof buf, "%u.%u.%u.%u", v->val.string[0], v->val.string[1],
                          v->val.string[2], v->val.string[3]);
            b.value = buf;
        } else if (v->val.string) {
            // An address of the wrong size is passed on as received.
            b.value.assign(reinterpret_cast<const char*>(v->val.string), v->val_len);
        }
        break;
    case ASN_COUNTER:
        b.type = SnmpType::Counter32;
        b.value = std::to_string(static_cast<uint32_t>(*v->val.integer));
        break;
    case ASN_GAUGE:
        b.type = SnmpType::Unsigned32;
        b.value = std::to_string(static_cast<uint32_t>(*v->val.integer));
        break;
    case ASN_TIMETICKS:
        b.type = SnmpType::TimeTicks;
        b.value = std::to_string(static_cast<uint32_t>(*v->val.integer));
        break;
    case ASN_COUNTER64: {
        b.type = SnmpType::Counter64;
        const unsigned long long c = (static_cast<unsigned long long>(v->val.counter64->high) << 32) |
                                     (v->val.counter64->low & 0xffffffffULL);
        b.value = std::to_string(c);
        break;
    }
    case SNMP_NOSUCHOBJECT:
        b.type = SnmpType::NoSuchObject;
        break;
    case SNMP_NOSUCHINSTANCE:
        b.type = SnmpType::NoSuchInstance;
        break;
    case SNMP_ENDOFMIBVIEW:
        b.type = SnmpType::EndOfMibView;
        break;
    case ASN_NULL:
    default:
        b.type = SnmpType::Null;
        break;
    }
    return b;
}

bool AddBinding(netsnmp_pdu* pdu, const SnmpBinding& b)
{
    oid name[MAX_OID_LEN];
    const std::size_t nameLength = ParseOidText(b.oid, name);
    if (!nameLength)
        return false;
    switch (b.type) {
    case SnmpType::Null:
        return snmp_add_null_var(pdu, name, nameLength) != nullptr;
    case SnmpType::Integer: {
        long value = std::strtol(b.value.c_str(), nullptr, 10);
        return snmp_pdu_add_variable(pdu, name, nameLength, ASN_INTEGER, &value,
                                     sizeof value) != nullptr;
    }
    case SnmpType::Unsigned32:
    case SnmpType::Counter32:
    case SnmpType::TimeTicks: {
        u_long value = std::strtoul(b.value.c_str(), nullptr, 10);
        const u_char t = b.type == SnmpType::Unsigned32 ? ASN_GAUGE
                         : b.type == SnmpType::Counter32 ? ASN_COUNTER
                                                         : ASN_TIMETICKS;
        return snmp_pdu_add_variable(pdu, name, nameLength, t, &value, sizeof value) !=
               nullptr;
    }
    case SnmpType::OctetString:
        return snmp_pdu_add_variable(pdu, name, nameLength, ASN_OCTET_STR,
                                     b.value.data(), b.value.size()) != nullptr;
    case SnmpType::IpAddress: {
        unsigned a = 0, c = 0, d = 0, e = 0;
        if (std::sscanf(b.value.c_str(), "%u.%u.%u.%u", &a, &c, &d, &e) != 4)
            return false;
        const u_char bytes[4] = {static_cast<u_char>(a), static_cast<u_char>(c),
                                 static_cast<u_char>(d), static_cast<u_char>(e)};
        return snmp_pdu_add_variable(pdu, name, nameLength, ASN_IPADDRESS, bytes, 4) !=
               nullptr;
    }
    case SnmpType::ObjectId: {
        oid value[MAX_OID_LEN];
        const std::size_t valueLength = ParseOidText(b.value, value);
        if (!valueLength)
            return false;
        return snmp_pdu_add_variable(pdu, name, nameLength, ASN_OBJECT_ID, value,
                                     valueLength * sizeof(oid)) != nullptr;
    }
    default:
        return false;
    }
}

// net-snmp's UDP receive asks the kernel for the socket's own address after every
// datagram, for its debugging output only: one system call per answer, a quarter
// of a walk step's. This one is the same receive without it; the address pair it
// hands on is the library's own type, with the sender filled in.
int ReceiveDatagram(netsnmp_transport* t, void* buf, int size, void** opaque, int* olength)
{
    *opaque = nullptr;
    *olength = 0;
    if (!t || t->sock < 0)
        return -1;
    auto* pair = static_cast<netsnmp_indexed_addr_pair*>(std::calloc(1, sizeof(netsnmp_indexed_addr_pair)));
    if (!pair)
        return -1;
    ssize_t n = -1;
    do {
        socklen_t fromLength = sizeof pair->remote_addr;
        n = ::recvfrom(t->sock, buf, static_cast<std::size_t>(size), MSG_DONTWAIT, &pair->remote_addr.sa,
                       &fromLength);
    } while (n < 0 && errno == EINTR);
    *opaque = pair;
    *olength = sizeof(netsnmp_indexed_addr_pair);
    return static_cast<int>(n);
}

struct AuthProtocol
{
    const oid* id;
    std::size_t length;
};

AuthProtocol AuthProtocolFor(int algorithm)
{
    switch (algorithm) {
    case SnmpAuth::Md5:
        return {usmHMACMD5AuthProtocol, OID_LENGTH(usmHMACMD5AuthProtocol)};
    case SnmpAuth::Sha:
        return {usmHMACSHA1AuthProtocol, OID_LENGTH(usmHMACSHA1AuthProtocol)};
    case SnmpAuth::Sha224:
        return {usmHMAC128SHA224AuthProtocol, OID_LENGTH(usmHMAC128SHA224AuthProtocol)};
    case SnmpAuth::Sha256:
        return {usmHMAC192SHA256AuthProtocol, OID_LENGTH(usmHMAC192SHA256AuthProtocol)};
    case SnmpAuth::Sha384:
        return {usmHMAC256SHA384AuthProtocol, OID_LENGTH(usmHMAC256SHA384AuthProtocol)};
    case SnmpAuth::Sha512:
        return {usmHMAC384SHA512AuthProtocol, OID_LENGTH(usmHMAC384SHA512AuthProtocol)};
    default:
        return {nullptr, 0};
    }
}

class Engine
{
public:
    static Engine& instance()
    {
        static Engine engine;
        return engine;
    }

    bool submit(const std::shared_ptr<Job>& job)
    {
        if (onEngineThread()) {
            // A walk's next step, sent from its callback: it goes out now, with
            // no queue and no wake-up. Callbacks run outside net-snmp's calls, so
            // the library may be entered here.
            {
                std::lock_guard lock(m_queueMutex);
                if (!m_running)
                    return false;
            }
            start(job);
            return true;
        }
        {
            std::lock_guard lock(m_queueMutex);
            if (!m_running)
                return false;
            m_queue.push_back(job);
        }
        m_queued.fetch_add(1);
        // Only a sleeping engine needs the descriptor; see poll().
        if (m_sleeping.load())
            wake();
        return true;
    }

    bool onEngineThread() const { return std::this_thread::get_id() == m_threadId; }

    // A synchronous send issued by a callback on this thread: turn the loop here
    // until that job is done. Callbacks that become ready meanwhile wait for the
    // outer loop, so callbacks never nest.
    void runNested(const std::shared_ptr<Job>& job)
    {
        while (job->state.load() == Job::Waiting) {
            takeQueued();
            if (job->state.load() != Job::Waiting)
                break;
            poll();
        }
    }

private:
    struct Session
    {
        void* handle = nullptr;
        std::string user; // SNMPv3 user name, empty for community sessions
        // An SNMPv3 request of this session went unanswered or was told that
        // the agent's engine or its time is not what the session knows: the
        // agent may have restarted or been replaced. The next request discovers
        // the engine again on a new session.
        bool stale = false;
    };

    // A request that went out and has not been answered, with the token its
    // callback gets: a handful at a time, so they are kept in a plain list (no
    // node to allocate per request).
    struct Sent
    {
        std::uintptr_t token = 0;
        std::shared_ptr<Job> job;
        void* session = nullptr;
    };

    Engine()
    {
        m_wakeFd = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
        m_epollFd = ::epoll_create1(EPOLL_CLOEXEC);
        if (m_wakeFd >= 0 && m_epollFd >= 0) {
            epoll_event e{};
            e.events = EPOLLIN;
            e.data.ptr = nullptr; // the wake-up descriptor; sessions carry their handle
            m_running = ::epoll_ctl(m_epollFd, EPOLL_CTL_ADD, m_wakeFd, &e) == 0;
        }
        if (m_running) {
            // The library is initialised before the constructor returns: OpenSSL
            // registers its exit-time clean-up while net-snmp starts, and that
            // must run after this object's destructor has stopped the thread (exit
            // handlers run in the reverse order of their registration).
            std::promise<std::thread::id> started;
            auto id = started.get_future();
            m_thread = std::thread([this, &started] {
                initNetSnmp();
                started.set_value(std::this_thread::get_id());
                run();
            });
            m_threadId = id.get();
        }
    }

    ~Engine()
    {
        {
            std::lock_guard lock(m_queueMutex);
            m_running = false;
        }
        wake();
        if (m_thread.joinable())
            m_thread.join();
        if (m_wakeFd >= 0)
            ::close(m_wakeFd);
        if (m_epollFd >= 0)
            ::close(m_epollFd);
    }

    void wake()
    {
        const uint64_t one = 1;
        [[maybe_unused]] ssize_t n = ::write(m_wakeFd, &one, sizeof one);
    }

    static std::string PersistentDirectory()
    {
        const char* cache = std::getenv("XDG_CACHE_HOME");
        const char* home = std::getenv("HOME");
        std::string base = cache && *cache ? cache
                           : home && *home ? std::string(home) + "/.cache"
                                           : "/tmp/kx-" + std::to_string(::getuid());
        ::mkdir(base.c_str(), 0700);
        std::string dir = base + "/kx-snmp";
        ::mkdir(dir.c_str(), 0700);
        return dir;
    }

    void initNetSnmp()
    {
        // No MIB files: every OID is numeric, and a missing MIB would otherwise
        // print a line each. No configuration files and no persistent state of the
        // system's: the module must not read or write /var/lib/snmp.
        ::setenv("MIBS", "", 1);
        netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DONT_READ_CONFIGS, 1);
        netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DISABLE_PERSISTENT_LOAD, 1);
        netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DISABLE_PERSISTENT_SAVE, 1);
        netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DONT_LOAD_HOST_FILES, 1);
        const std::string dir = PersistentDirectory();
        set_persistent_directory(dir.c_str());
        // The library's messages go to the program's trace, never to the terminal.
        snmp_disable_log();
        snmp_register_callback(SNMP_CALLBACK_LIBRARY, SNMP_CALLBACK_LOGGING, &Engine::OnLog, nullptr);
        netsnmp_register_loghandler(NETSNMP_LOGHANDLER_CALLBACK, LOG_DEBUG);
        init_snmp("kxmodule");
    }

    // Starts what was submitted; false once the engine is stopping.
    bool takeQueued()
    {
        {
            std::lock_guard lock(m_queueMutex);
            if (!m_running)
                return false;
            m_queued.store(0);
            if (m_queue.empty())
                return true;
            m_batch.swap(m_queue);
        }
        for (auto& job : m_batch)
            start(job);
        m_batch.clear();
        return true;
    }

    void run()
    {
        for (;;) {
            if (!takeQueued())
                break;
            // Callbacks first: their re-armed steps go out in the same turn.
            if (!m_ready.empty()) {
                runReadyCallbacks();
                continue;
            }
            poll();
        }
        // Whatever is still open fails now rather than waiting forever.
        for (Sent& sent : m_inflight)
            complete(sent.job, SnmpResult::Failed, nullptr);
        m_inflight.clear();
        {
            std::lock_guard lock(m_queueMutex);
            for (auto& job : m_queue)
                complete(job, SnmpResult::Failed, nullptr);
            m_queue.clear();
        }
        runReadyCallbacks();
        for (auto& [key, s] : m_sessions)
            closeSession(s.handle);
        m_sessions.clear();
        for (const Session& s : m_retired)
            closeSession(s.handle);
        m_retired.clear();
        snmp_shutdown("kxmodule");
    }

    void poll()
    {
        // net-snmp says when its next time-out is due; which socket has an answer
        // is left to epoll, where each session's socket is registered once:
        // select() would look at every descriptor, the wake-up one too, on each
        // step of a walk.
        timeval wait{1, 0};
        netsnmp_large_fd_set unused;
        netsnmp_large_fd_set_init(&unused, FD_SETSIZE);
        auto dueIn = [&](const Session& s) {
            int numfds = 0;
            timeval tv{3600, 0};
            int block = 1;
            snmp_sess_select_info2(s.handle, &numfds, &unused, &tv, &block);
            if (!block && timercmp(&tv, &wait, <))
                wait = tv;
        };
        for (auto& [key, s] : m_sessions)
            dueIn(s);
        for (const Session& s : m_retired)
            dueIn(s);
        netsnmp_large_fd_set_cleanup(&unused);
        // Announce the sleep before the last look at the queue; submit() reads the
        // flag after queueing, so one of the two always sees the other.
        m_sleeping.store(true);
        if (m_queued.load() != 0)
            wait = {0, 0};
        const int waitMs = static_cast<int>(wait.tv_sec * 1000 + (wait.tv_usec + 999) / 1000);
        epoll_event events[8];
        const int n = ::epoll_wait(m_epollFd, events, 8, waitMs);
        m_sleeping.store(false);
        for (int i = 0; i < n; ++i) {
            void* const handle = events[i].data.ptr;
            if (!handle) {
                uint64_t count = 0;
                [[maybe_unused]] ssize_t r = ::read(m_wakeFd, &count, sizeof count);
                continue;
            }
            netsnmp_large_fd_set ready;
            netsnmp_large_fd_set_init(&ready, FD_SETSIZE);
            NETSNMP_LARGE_FD_SET(SocketOf(handle), &ready);
            snmp_sess_read2(handle, &ready);
            netsnmp_large_fd_set_cleanup(&ready);
        }
        for (auto& [key, s] : m_sessions)
            snmp_sess_timeout(s.handle);
        for (const Session& s : m_retired)
            snmp_sess_timeout(s.handle);
        closeIdleRetired();
    }

    static int SocketOf(void* handle)
    {
        const netsnmp_transport* t = snmp_sess_transport(handle);
        return t ? t->sock : -1;
    }

    void watch(void* handle)
    {
        epoll_event e{};
        e.events = EPOLLIN;
        e.data.ptr = handle;
        ::epoll_ctl(m_epollFd, EPOLL_CTL_ADD, SocketOf(handle), &e);
    }

    void closeSession(void* handle)
    {
        ::epoll_ctl(m_epollFd, EPOLL_CTL_DEL, SocketOf(handle), nullptr);
        snmp_sess_close(handle);
    }

    // A stale session stops taking requests; what it has out may still be
    // answered (a set with a long time-out, say), so it is closed once that is done.
    void retire(std::map<std::string, Session>::iterator it)
    {
        netsnmp_session* session = snmp_sess_session(it->second.handle);
        if (session && session->securityEngineIDLen) {
            // Forget what this engine's clock said, as a new process knows
            // nothing of it: an agent restarted under the same engine ID counts
            // its boots from 1 again, and net-snmp refuses for ever a time older
            // than the one it remembers.
            free_enginetime(session->securityEngineID, session->securityEngineIDLen);
        }
        kx::Trace("SNMP engine: discovering the agent's engine again");
        m_retired.push_back(std::move(it->second));
        m_sessions.erase(it);
    }

    bool busy(void* handle) const
    {
        for (const Sent& sent : m_inflight)
            if (sent.session == handle)
                return true;
        return false;
    }

    void closeIdleRetired()
    {
        if (m_retired.empty())
            return;
        std::erase_if(m_retired, [this](const Session& s) {
            if (busy(s.handle))
                return false;
            closeSession(s.handle);
            return true;
        });
    }

    void markStale(void* handle)
    {
        for (auto& [key, s] : m_sessions)
            if (s.handle == handle)
                s.stale = true;
    }

    // Reports that say the session's idea of the agent's engine is out of date.
    static bool EngineChanged(const netsnmp_pdu* report)
    {
        static const oid unknownEngineIds[] = {1, 3, 6, 1, 6, 3, 15, 1, 1, 4};
        static const oid notInTimeWindows[] = {1, 3, 6, 1, 6, 3, 15, 1, 1, 2};
        const netsnmp_variable_list* v = report->variables;
        if (!v)
            return false;
        return snmp_oidtree_compare(unknownEngineIds, OID_LENGTH(unknownEngineIds), v->name, v->name_length) == 0 ||
               snmp_oidtree_compare(notInTimeWindows, OID_LENGTH(notInTimeWindows), v->name, v->name_length) == 0;
    }

    // Removes every USM user of that name, so the next session of the name
    // installs its own keys: the user list is keyed by engine ID and name only.
    static void DropUsmUser(const std::string& name)
    {
        usmUser* u = usm_get_userList();
        while (u) {
            usmUser* next = u->next;
            if (u->name && name == u->name) {
                usm_remove_user(u);
                usm_free_user(u);
            }
            u = next;
        }
    }

    void* openSession(const Target& target, int timeoutMs)
    {
        const std::string& key = target.sessionKey;
        auto it = m_sessions.find(key);
        if (it != m_sessions.end()) {
            if (!it->second.stale)
                return it->second.handle;
            retire(it);
        }

        if (target.version == 3) {
            // Another set of credentials of the same user name: its keys would
            // be mixed up with ours in the library's user list.
            auto current = m_userKeys.find(target.v3.userName);
            if (current != m_userKeys.end() && current->second != key) {
                closeSessionsOfUser(target.v3.userName);
                DropUsmUser(target.v3.userName);
            }
        }

        netsnmp_session s;
        snmp_sess_init(&s);
        std::string peer = "udp:";
        if (target.host.find(':') != std::string::npos)
            peer = "udp6:[" + target.host + "]";
        else
            peer += target.host;
        peer += ':';
        peer += std::to_string(target.port);
        s.peername = peer.data();
        s.retries = 0;
        s.timeout = static_cast<long>(timeoutMs) * 1000L;
        std::string community = target.community;
        std::string user = target.v3.userName;
        if (target.version == 1) {
            s.version = SNMP_VERSION_1;
            s.community = reinterpret_cast<u_char*>(community.data());
            s.community_len = community.size();
        } else if (target.version == 3) {
            s.version = SNMP_VERSION_3;
            s.securityModel = target.v3.securityModel;
            s.securityName = user.data();
            s.securityNameLen = user.size();
            s.rcvMsgMaxSize = static_cast<size_t>(target.v3.msgMaxSize);
            const int flags = target.v3.msgFlags;
            s.securityLevel = flags == SnmpMsgFlags::AuthPriv     ? SNMP_SEC_LEVEL_AUTHPRIV
                              : flags == SnmpMsgFlags::AuthNoPriv ? SNMP_SEC_LEVEL_AUTHNOPRIV
                                                                  : SNMP_SEC_LEVEL_NOAUTH;
            if (flags != SnmpMsgFlags::NoAuthNoPriv) {
                const AuthProtocol auth = AuthProtocolFor(target.v3.authArith);
                if (!auth.id)
                    return nullptr;
                s.securityAuthProto = const_cast<oid*>(auth.id);
                s.securityAuthProtoLen = auth.length;
                s.securityAuthKeyLen = USM_AUTH_KU_LEN;
                if (generate_Ku(auth.id, static_cast<u_int>(auth.length),
                                reinterpret_cast<const u_char*>(target.v3.authPassword.data()),
                                target.v3.authPassword.size(), s.securityAuthKey,
                                &s.securityAuthKeyLen) != SNMPERR_SUCCESS)
                    return nullptr;
                if (flags == SnmpMsgFlags::AuthPriv) {
                    if (target.v3.privArith == SnmpPriv::Des) {
                        s.securityPrivProto = usmDESPrivProtocol;
                        s.securityPrivProtoLen = OID_LENGTH(usmDESPrivProtocol);
                    } else if (target.v3.privArith == SnmpPriv::Aes128) {
                        s.securityPrivProto = usmAESPrivProtocol;
                        s.securityPrivProtoLen = OID_LENGTH(usmAESPrivProtocol);
                    } else {
                        return nullptr;
                    }
                    s.securityPrivKeyLen = USM_PRIV_KU_LEN;
                    if (generate_Ku(auth.id, static_cast<u_int>(auth.length),
                                    reinterpret_cast<const u_char*>(target.v3.privPassword.data()),
                                    target.v3.privPassword.size(), s.securityPrivKey,
                                    &s.securityPrivKeyLen) != SNMPERR_SUCCESS)
                        return nullptr;
                }
            }
        } else {
            return nullptr;
        }

        void* handle = snmp_sess_open(&s);
        if (!handle)
            return nullptr;
        netsnmp_transport* transport = snmp_sess_transport(handle);
        if (transport && transport->f_recv == &netsnmp_udpbase_recv)
            transport->f_recv = &ReceiveDatagram;
        watch(handle);
        m_sessions.emplace(key, Session{handle, target.version == 3 ? target.v3.userName : std::string()});
        if (target.version == 3)
            m_userKeys[target.v3.userName] = key;
        return handle;
    }

    void closeSessionsOfUser(const std::string& user)
    {
        std::erase_if(m_retired, [&](const Session& s) {
            if (s.user != user)
                return false;
            failJobsOf(s.handle);
            closeSession(s.handle);
            return true;
        });
        for (auto it = m_sessions.begin(); it != m_sessions.end();) {
            if (it->second.user == user) {
                failJobsOf(it->second.handle);
                closeSession(it->second.handle);
                it = m_sessions.erase(it);
            } else {
                ++it;
            }
        }
    }

    void failJobsOf(void* handle)
    {
        std::vector<Sent> failed;
        std::erase_if(m_inflight, [&](Sent& sent) {
            if (sent.session != handle)
                return false;
            failed.push_back(std::move(sent));
            return true;
        });
        for (Sent& sent : failed)
            complete(sent.job, SnmpResult::Failed, nullptr);
    }

    void start(const std::shared_ptr<Job>& job)
    {
        if (job->state.load() != Job::Waiting)
            return; // given up before it went out
        const Target& target = *job->target;
        void* handle = target.host.empty() ? nullptr : openSession(target, job->timeoutMs);
        if (!handle) {
            complete(job, SnmpResult::Failed, nullptr);
            return;
        }
        const int command = job->pduType == SnmpPdu::GetNext ? SNMP_MSG_GETNEXT
                            : job->pduType == SnmpPdu::Set   ? SNMP_MSG_SET
                                                             : SNMP_MSG_GET;
        netsnmp_pdu* pdu = snmp_pdu_create(command);
        if (target.version != 3) {
            // Always the job's own community, also an empty one: the session is
            // shared by every community, and the library would send its own.
            pdu->community = static_cast<u_char*>(std::malloc(target.community.size() + 1));
            std::memcpy(pdu->community, target.community.data(), target.community.size());
            pdu->community_len = target.community.size();
        }
        for (const SnmpBinding& b : job->bindings) {
            if (!AddBinding(pdu, b)) {
                snmp_free_pdu(pdu);
                complete(job, SnmpResult::Failed, nullptr);
                return;
            }
        }
        netsnmp_session* session = snmp_sess_session(handle);
        session->timeout = static_cast<long>(job->timeoutMs) * 1000L;
        session->retries = 0;

        const std::uintptr_t token = ++m_nextToken;
        m_inflight.push_back(Sent{token, job, handle});
        const int rc = snmp_sess_async_send(handle, pdu, &Engine::OnResponse,
                                            reinterpret_cast<void*>(token));
        if (rc == 0) {
            // Not sent; the library has not taken the PDU. (With SNMPv3 a failed
            // discovery may already have called back: complete() runs once only.)
            snmp_free_pdu(pdu);
            Sent sent;
            if (takeSent(token, sent))
                complete(sent.job, SnmpResult::Failed, nullptr);
        }
    }

    bool takeSent(std::uintptr_t token, Sent& out)
    {
        for (Sent& sent : m_inflight) {
            if (sent.token == token) {
                out = std::move(sent);
                if (&sent != &m_inflight.back())
                    sent = std::move(m_inflight.back());
                m_inflight.pop_back();
                return true;
            }
        }
        return false;
    }

    static int OnLog(int, int, void* serverArg, void*)
    {
        const auto* message = static_cast<const snmp_log_message*>(serverArg);
        if (message && message->msg) {
            std::string line = "net-snmp: ";
            line += message->msg;
            while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
                line.pop_back();
            kx::Trace(line);
        }
        return 0;
    }

    static int OnResponse(int operation, netsnmp_session*, int, netsnmp_pdu* pdu, void* magic)
    {
        instance().onResponse(operation, pdu, reinterpret_cast<std::uintptr_t>(magic));
        return 1;
    }

    void onResponse(int operation, netsnmp_pdu* pdu, std::uintptr_t token)
    {
        Sent sent;
        if (!takeSent(token, sent))
            return;
        std::shared_ptr<Job> job = std::move(sent.job);
        void* const session = sent.session;

        if (job->target->version == 3 &&
            (operation != NETSNMP_CALLBACK_OP_RECEIVED_MESSAGE || !pdu ||
             (pdu->command == SNMP_MSG_REPORT && EngineChanged(pdu))))
            markStale(session);
        if (operation != NETSNMP_CALLBACK_OP_RECEIVED_MESSAGE || !pdu ||
            pdu->command == SNMP_MSG_REPORT) {
            // Time-outs, send failures and USM reports (unknown user, wrong
            // digest, ...) are all just failures to the caller.
            complete(job, SnmpResult::Failed, nullptr);
            return;
        }
        std::vector<SnmpBinding> bindings;
        for (netsnmp_variable_list* v = pdu->variables; v; v = v->next_variable)
            bindings.push_back(ToBinding(v));
        std::unique_ptr<CSnmp> response = MakeSnmpResponse(job->target->version);
        FillSnmpResponse(*response, job->requestId, static_cast<int>(pdu->errstat),
                         static_cast<int>(pdu->errindex), std::move(bindings));
        complete(job, SnmpResult::Ok, std::move(response));
    }

    void complete(const std::shared_ptr<Job>& job, int status, std::unique_ptr<CSnmp> response)
    {
        int expected = Job::Waiting;
        if (!job->state.compare_exchange_strong(expected, Job::Completed))
            return; // abandoned, or completed already
        job->status = status;
        job->response = std::move(response);
        if (!job->async) {
            job->done.set();
            return;
        }
        m_ready.push_back(job);
    }

    void runReadyCallbacks()
    {
        if (m_inCallbacks)
            return; // a nested turn: the outer loop delivers them
        m_inCallbacks = true;
        while (!m_ready.empty()) {
            std::shared_ptr<Job> job = std::move(m_ready.front());
            m_ready.pop_front();
            int expected = Job::Completed;
            if (!job->state.compare_exchange_strong(expected, Job::Delivering))
                continue; // aborted after it completed
            SnmpResponseCallback callback = std::move(job->callback);
            callback(std::move(job->response), job->requestId, job->status);
        }
        m_inCallbacks = false;
    }

    int m_wakeFd = -1;
    int m_epollFd = -1;
    std::thread m_thread;
    std::thread::id m_threadId;

    std::mutex m_queueMutex;
    bool m_running = false;
    std::vector<std::shared_ptr<Job>> m_queue;
    std::atomic<int> m_queued{0};
    std::atomic<bool> m_sleeping{false};

    // Engine thread only.
    std::vector<std::shared_ptr<Job>> m_batch; // kept to reuse its storage
    std::deque<std::shared_ptr<Job>> m_ready;
    bool m_inCallbacks = false;
    std::map<std::string, Session> m_sessions;
    std::vector<Session> m_retired; // stale, closed once nothing of theirs is out
    std::map<std::string, std::string> m_userKeys;
    // What went out and has not been answered (see Sent).
    std::vector<Sent> m_inflight;
    std::uintptr_t m_nextToken = 0;
};

} // namespace

bool Submit(const std::shared_ptr<Job>& job)
{
    return Engine::instance().submit(job);
}

bool WaitForJob(const std::shared_ptr<Job>& job)
{
    Engine& engine = Engine::instance();
    if (engine.onEngineThread())
        engine.runNested(job);
    else
        job->done.wait(-1);
    return job->state.load() == Job::Completed;
}

void StartEngine()
{
    Engine::instance();
}

} // namespace kx::snmpengine
