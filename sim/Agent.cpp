#include "sim/Agent.h"

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>
#include <net-snmp/agent/net-snmp-agent-includes.h>
#include <net-snmp/agent/agent_callbacks.h>
#include <net-snmp/library/large_fd_set.h>
#include <net-snmp/library/lcd_time.h>
#include <net-snmp/library/vacm.h>

#include <arpa/inet.h>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <netinet/in.h>
#include <sys/select.h>
#include <sys/socket.h>
#include <unistd.h>

namespace kxsim {

namespace {

const char* const kAppName = "kxsim";
// 80 00 1F 88 04 "kxsim": a text engine ID under the net-snmp enterprise number.
const char kDefaultEngineId[] = "\x80\x00\x1f\x88\x04kxsim";

// ---------------------------------------------------------------- per-process agent state

struct PendingSet
{
    netsnmp_agent_session* asp = nullptr;
    std::uint64_t pdu = 0;
    std::vector<Write> writes;
    int version = 2;
    SetResult result;
    bool applied = false;
    bool settled = false; // committed or undone
};

struct Reply
{
    int delayMs = 0;
    int duplicateMs = 0;
};

struct State
{
    Agent* agent = nullptr;
    Device* device = nullptr;
    EventLoop* loop = nullptr;
    RequestLog* log = nullptr;
    Faults* faults = nullptr;
    netsnmp_transport* transport = nullptr;
    int (*origRecv)(netsnmp_transport*, void*, int, void**, int*) = nullptr;
    int (*origSend)(netsnmp_transport*, const void*, int, void**, int*) = nullptr;
    std::vector<std::uint64_t> pendingSends;
    std::uint64_t pduSeq = 0;
    std::uint64_t logSeq = 0; // record of the PDU in progress
    int version = 2;
    std::optional<PendingSet> tx;
    Reply reply;
    std::optional<std::pair<Err, int>> injectedError; // status, request index
    double unreachableUntil = 0;
    bool honourGlobalState = false;
    std::string writeCommunity;
    // feed(): the datagram to hand out and the answers counted
    const std::uint8_t* feedData = nullptr;
    std::size_t feedSize = 0;
    std::size_t feedAnswers = 0;
};

State g;
volatile std::sig_atomic_t g_stop = 0;
volatile int g_wakeFd = -1;

Oid ToOid(const oid* name, std::size_t len)
{
    Oid out(len);
    for (std::size_t i = 0; i < len; ++i)
        out[i] = static_cast<std::uint32_t>(name[i]);
    return out;
}

Value FromVarbind(const netsnmp_variable_list* vb)
{
    switch (vb->type) {
    case ASN_INTEGER: return Value::Int(*vb->val.integer);
    case ASN_GAUGE: return Value::Unsigned(static_cast<std::uint32_t>(*vb->val.integer));
    case ASN_COUNTER: return Value::Counter(static_cast<std::uint32_t>(*vb->val.integer));
    case ASN_TIMETICKS: return Value::Ticks(static_cast<std::uint32_t>(*vb->val.integer));
    case ASN_IPADDRESS: {
        std::uint32_t ip = 0;
        if (vb->val_len == 4)
            for (std::size_t i = 0; i < 4; ++i)
                ip = (ip << 8) | vb->val.string[i];
        return Value::Ip(ip);
    }
    case ASN_OCTET_STR:
        if (!vb->val.string || vb->val_len == 0)
            return Value::Octets({});
        return Value::Octets(std::string(reinterpret_cast<const char*>(vb->val.string), vb->val_len));
    case ASN_OBJECT_ID:
        return Value::ObjectId(vb->val.objid ? ToOid(vb->val.objid, vb->val_len / sizeof(oid)) : Oid{});
    case ASN_OPAQUE:
        return Value::Opaque(vb->val.string ? std::string(reinterpret_cast<const char*>(vb->val.string), vb->val_len)
                                            : std::string());
    case ASN_COUNTER64:
        return Value::Counter64((static_cast<std::uint64_t>(vb->val.counter64->high) << 32) |
                                (vb->val.counter64->low & 0xffffffffULL));
    default: return Value::Null();
    }
}

void SetVarbind(netsnmp_variable_list* vb, const Value& v)
{
    switch (v.type) {
    case Type::Integer: {
        long n = static_cast<long>(v.num);
        snmp_set_var_typed_value(vb, ASN_INTEGER, &n, sizeof n);
        return;
    }
    case Type::Unsigned:
    case Type::Counter32:
    case Type::TimeTicks: {
        u_long n = static_cast<u_long>(v.num);
        const u_char t = v.type == Type::Unsigned ? ASN_GAUGE : v.type == Type::Counter32 ? ASN_COUNTER : ASN_TIMETICKS;
        snmp_set_var_typed_value(vb, t, &n, sizeof n);
        return;
    }
    case Type::IpAddress: {
        const std::uint32_t ip = htonl(static_cast<std::uint32_t>(v.num));
        snmp_set_var_typed_value(vb, ASN_IPADDRESS, &ip, 4);
        return;
    }
    case Type::OctetString:
        snmp_set_var_typed_value(vb, ASN_OCTET_STR, v.bytes.data(), v.bytes.size());
        return;
    case Type::ObjectId: {
        std::vector<oid> o(v.oid.begin(), v.oid.end());
        snmp_set_var_typed_value(vb, ASN_OBJECT_ID, o.data(), o.size() * sizeof(oid));
        return;
    }
    case Type::Null: snmp_set_var_typed_value(vb, ASN_NULL, nullptr, 0); return;
    case Type::Opaque: snmp_set_var_typed_value(vb, ASN_OPAQUE, v.bytes.data(), v.bytes.size()); return;
    case Type::Counter64: {
        const auto n = static_cast<std::uint64_t>(v.num);
        counter64 c{static_cast<u_long>(n >> 32), static_cast<u_long>(n & 0xffffffffULL)};
        snmp_set_var_typed_value(vb, ASN_COUNTER64, &c, sizeof c);
        return;
    }
    }
}

int VersionOf(const netsnmp_pdu* pdu)
{
    switch (pdu->version) {
    case SNMP_VERSION_1: return 1;
    case SNMP_VERSION_3: return 3;
    default: return 2;
    }
}

LogRecord* CurrentRecord()
{
    return g.logSeq ? g.log->find(g.logSeq) : nullptr;
}

void NoteStatus(const std::string& status)
{
    if (LogRecord* r = CurrentRecord())
        r->status = status;
}

bool DropEverything()
{
    if (g.device->rebooting() || g.loop->now() < g.unreachableUntil)
        return true;
    return g.honourGlobalState && g.device->intAt(P({25, 1, 0}), 1) == 2;
}

// ---------------------------------------------------------------- transport

int RecvHook(netsnmp_transport* t, void* buf, int size, void** opaque, int* olen)
{
    int n = -1;
    if (g.feedData) {
        // A fed datagram: hand it out once.
        if (g.feedSize > static_cast<std::size_t>(size))
            return -1;
        std::memcpy(buf, g.feedData, g.feedSize);
        n = static_cast<int>(g.feedSize);
        g.feedData = nullptr;
        *opaque = nullptr;
        *olen = 0;
    } else {
        n = g.origRecv(t, buf, size, opaque, olen);
    }
    if (n < 0)
        return n;
    g.reply = Reply{};
    if (DropEverything()) {
        errno = EAGAIN;
        return -1; // the library frees what it was given and reads on
    }
    return n;
}

int RealSend(netsnmp_transport* t, const void* buf, int size, void** opaque, int* olen)
{
    if (!g.origSend) {
        ++g.feedAnswers;
        return size;
    }
    return g.origSend(t, buf, size, opaque, olen);
}

// Queues a copy of an answer for later: the late and the duplicated answers.
void SendLater(netsnmp_transport* t, const void* buf, int size, void** opaque, int* olen, int ms)
{
    auto data = std::make_shared<std::string>(static_cast<const char*>(buf), static_cast<std::size_t>(size));
    auto addr = std::make_shared<std::string>();
    if (opaque && *opaque && olen && *olen > 0)
        addr->assign(static_cast<const char*>(*opaque), static_cast<std::size_t>(*olen));
    g.pendingSends.push_back(g.loop->after(ms / 1000.0, [t, data, addr] {
        void* op = addr->empty() ? nullptr : addr->data();
        int oplen = static_cast<int>(addr->size());
        RealSend(t, data->data(), static_cast<int>(data->size()), &op, &oplen);
    }));
}

int SendHook(netsnmp_transport* t, const void* buf, int size, void** opaque, int* olen)
{
    const Reply reply = g.reply;
    g.reply = Reply{};
    if (reply.delayMs > 0) {
        SendLater(t, buf, size, opaque, olen, reply.delayMs);
        return size;
    }
    const int rc = RealSend(t, buf, size, opaque, olen);
    if (reply.duplicateMs > 0)
        SendLater(t, buf, size, opaque, olen, reply.duplicateMs);
    return rc;
}

char* FakeAddress(netsnmp_transport*, const void*, int)
{
    // The agent's access logging formats (and checks) every sender.
    return ::strdup("UDP: [127.0.0.1]:50000->[127.0.0.1]:161");
}

int FakeClose(netsnmp_transport* t)
{
    if (t->sock >= 0)
        ::close(t->sock);
    t->sock = -1;
    return 0;
}

// ---------------------------------------------------------------- access and faults

// Runs for every request after the access checks: logs it and applies faults.
int AccessHook(int, int, void* serverarg, void*)
{
    auto* view = static_cast<view_parameters*>(serverarg);
    netsnmp_pdu* pdu = view->pdu;
    ++g.pduSeq;
    g.tx.reset();
    g.injectedError.reset();
    g.logSeq = 0;
    const char* type = nullptr;
    switch (pdu->command) {
    case SNMP_MSG_GET: type = "get"; break;
    case SNMP_MSG_GETNEXT: type = "getnext"; break;
    case SNMP_MSG_GETBULK: type = "getbulk"; break;
    case SNMP_MSG_SET: type = "set"; break;
    default: return SNMPERR_SUCCESS;
    }
    g.version = VersionOf(pdu);
    LogRecord& rec = g.log->append();
    g.logSeq = rec.seq;
    rec.time = g.loop->now();
    rec.pdu = type;
    rec.version = g.version == 1 ? "1" : g.version == 2 ? "2c" : "3";
    if (g.version == 3)
        rec.name = pdu->securityName ? std::string(pdu->securityName, pdu->securityNameLen) : std::string();
    else if (pdu->community)
        rec.name.assign(reinterpret_cast<const char*>(pdu->community), pdu->community_len);
    std::vector<Oid> oids;
    for (netsnmp_variable_list* vb = pdu->variables; vb; vb = vb->next_variable) {
        oids.push_back(ToOid(vb->name, vb->name_length));
        rec.bindings.push_back(LogBinding{oids.back(), pdu->command == SNMP_MSG_SET ? FromVarbind(vb) : Value::Null()});
    }
    if (view->errorcode != VACM_SUCCESS) {
        rec.status = "refused";
        return SNMPERR_SUCCESS;
    }
    if (pdu->command == SNMP_MSG_SET && g.version != 3 && rec.name != g.writeCommunity)
        rec.status = ErrName(Err::NoAccess); // the read community cannot write

    // "silent": the transfer status objects go unanswered.
    if (g.device->transferMode == TransferMode::Silent && pdu->command == SNMP_MSG_GET)
        for (const Oid& o : oids)
            if (o == P({3, 4, 0}) || o == P({3, 8, 0})) {
                view->errorcode = VACM_NOSUCHCONTEXT; // dropped without an answer
                rec.status = "dropped";
                return SNMPERR_SUCCESS;
            }

    int index = 0;
    if (auto f = g.faults->take(oids, index)) {
        switch (f->kind) {
        case Fault::Kind::Drop:
            view->errorcode = VACM_NOSUCHCONTEXT;
            rec.status = "dropped";
            break;
        case Fault::Kind::Delay:
            g.reply.delayMs = f->ms;
            rec.status += ",delayed";
            break;
        case Fault::Kind::Duplicate:
            g.reply.duplicateMs = f->ms;
            rec.status += ",duplicated";
            break;
        case Fault::Kind::Error:
            g.injectedError = std::make_pair(f->error, index);
            rec.status = ErrName(f->error);
            break;
        }
    }
    return SNMPERR_SUCCESS;
}

// ---------------------------------------------------------------- the registrations' handler

void StartTx(netsnmp_agent_request_info* reqinfo)
{
    PendingSet tx;
    tx.asp = reqinfo->asp;
    tx.pdu = g.pduSeq;
    tx.version = g.version;
    int index = 0;
    for (netsnmp_variable_list* vb = reqinfo->asp->pdu->variables; vb; vb = vb->next_variable)
        tx.writes.push_back(Write{ToOid(vb->name, vb->name_length), FromVarbind(vb), ++index});
    if (g.injectedError)
        tx.result = SetResult{g.injectedError->first, g.injectedError->second};
    else
        tx.result = g.device->trySet(tx.writes, tx.version);
    NoteStatus(ErrName(tx.result.err));
    g.tx = std::move(tx);
}

void MarkError(netsnmp_agent_request_info* reqinfo, netsnmp_request_info* requests, const SetResult& r)
{
    if (r.err == Err::NoError)
        return;
    for (netsnmp_request_info* req = requests; req; req = req->next)
        if (req->index == r.index)
            netsnmp_set_request_error(reqinfo, req, static_cast<int>(r.err));
}

void HandleSet(netsnmp_agent_request_info* reqinfo, netsnmp_request_info* requests)
{
    switch (reqinfo->mode) {
    case MODE_SET_RESERVE1:
        // One request may span several registrations: it is checked (and later
        // applied and undone) as a whole the first time any of them is called.
        if (!g.tx || g.tx->asp != reqinfo->asp || g.tx->pdu != g.pduSeq)
            StartTx(reqinfo);
        MarkError(reqinfo, requests, g.tx->result);
        break;
    case MODE_SET_ACTION:
        if (!g.tx)
            break;
        if (!g.tx->applied) {
            g.tx->applied = true;
            g.tx->result = g.device->applySet(g.tx->writes, g.tx->version);
            if (g.tx->result.err != Err::NoError)
                NoteStatus(ErrName(g.tx->result.err));
        }
        MarkError(reqinfo, requests, g.tx->result);
        break;
    case MODE_SET_COMMIT:
        if (g.tx && g.tx->applied && !g.tx->settled) {
            g.tx->settled = true;
            g.device->commit();
        }
        break;
    case MODE_SET_UNDO:
        if (g.tx && g.tx->applied && !g.tx->settled) {
            g.tx->settled = true;
            g.device->undo();
        }
        break;
    default: break;
    }
}

int Handler(netsnmp_mib_handler*, netsnmp_handler_registration* reg, netsnmp_agent_request_info* reqinfo,
            netsnmp_request_info* requests)
{
    Device& d = *g.device;
    switch (reqinfo->mode) {
    case MODE_GET:
        for (netsnmp_request_info* req = requests; req; req = req->next) {
            if (req->processed)
                continue;
            if (g.injectedError && g.injectedError->second == req->index) {
                netsnmp_set_request_error(reqinfo, req, static_cast<int>(g.injectedError->first));
                continue;
            }
            const Oid o = ToOid(req->requestvb->name, req->requestvb->name_length);
            if (const Entry* e = d.get(o)) {
                SetVarbind(req->requestvb, d.read(o, *e));
            } else {
                snmp_set_var_typed_value(req->requestvb,
                                         d.isMissingInstance(o) ? SNMP_NOSUCHINSTANCE : SNMP_NOSUCHOBJECT,
                                         nullptr, 0);
                if (g.version == 1)
                    NoteStatus(ErrName(Err::NoSuchName));
            }
        }
        break;
    case MODE_GETNEXT: {
        const Oid root = ToOid(reg->rootoid, reg->rootoid_len);
        for (netsnmp_request_info* req = requests; req; req = req->next) {
            if (req->processed)
                continue;
            const Oid o = ToOid(req->requestvb->name, req->requestvb->name_length);
            // Only inside this registration; past its end the agent moves on to
            // the next one and finally answers endOfMibView.
            const auto* next = d.next(o, root);
            if (!next)
                continue;
            if (g.injectedError && g.injectedError->second == req->index) {
                netsnmp_set_request_error(reqinfo, req, static_cast<int>(g.injectedError->first));
                continue;
            }
            std::vector<oid> name(next->first.begin(), next->first.end());
            snmp_set_var_objid(req->requestvb, name.data(), name.size());
            SetVarbind(req->requestvb, d.read(next->first, next->second));
        }
        break;
    }
    default: HandleSet(reqinfo, requests); break;
    }
    return SNMP_ERR_NOERROR;
}

void Tick(unsigned int, void*)
{
    // Time-based objects (PoE schedules) follow the clock. Stopping does not
    // wait for this: requestStop() wakes the loop through the wake pipe.
    g.device->change([] {});
}

std::string MakeTempDir()
{
    const char* base = std::getenv("TMPDIR");
    std::string templ = std::string(base && *base ? base : "/tmp") + "/kxsim.XXXXXX";
    std::vector<char> buf(templ.begin(), templ.end());
    buf.push_back('\0');
    if (!::mkdtemp(buf.data()))
        return {};
    return buf.data();
}

bool SafeWord(const std::string& s)
{
    if (s.empty())
        return false;
    for (unsigned char c : s)
        if (c <= ' ' || c == '"' || c == '\'' || c == '\\' || c == '#' || c >= 0x7f)
            return false;
    return true;
}

void Remember(const std::string& line)
{
    std::vector<char> buf(line.begin(), line.end());
    buf.push_back('\0');
    netsnmp_config_remember(buf.data());
}

} // namespace

// ---------------------------------------------------------------- options

std::optional<V3User> ParseUserArgument(std::string_view argument, std::string& error)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (true) {
        const auto colon = argument.find(':', start);
        parts.emplace_back(argument.substr(start, colon - start));
        if (colon == std::string_view::npos)
            break;
        start = colon + 1;
    }
    if (parts.size() != 6) {
        error = "--user wants NAME:LEVEL:AUTH:AUTHPASS:PRIV:PRIVPASS";
        return std::nullopt;
    }
    V3User u{parts[0], parts[1], parts[2], parts[3], parts[4], parts[5]};
    if (!SafeWord(u.name)) {
        error = "--user: bad user name";
        return std::nullopt;
    }
    const bool auth = u.level == "authNoPriv" || u.level == "authPriv";
    const bool priv = u.level == "authPriv";
    if (!auth && u.level != "noAuthNoPriv") {
        error = "--user: level must be noAuthNoPriv, authNoPriv or authPriv";
        return std::nullopt;
    }
    static const char* const kAuth[] = {"MD5", "SHA", "SHA-224", "SHA-256", "SHA-384", "SHA-512"};
    if (auth != !u.auth.empty() || auth != !u.authPass.empty() ||
        (auth && std::none_of(std::begin(kAuth), std::end(kAuth), [&](const char* a) { return u.auth == a; }))) {
        error = "--user " + u.name + ": " +
                (auth ? "needs AUTH (MD5, SHA, SHA-224, SHA-256, SHA-384, SHA-512) and AUTHPASS"
                      : "noAuthNoPriv takes no AUTH");
        return std::nullopt;
    }
    if (priv != !u.priv.empty() || priv != !u.privPass.empty() || (priv && u.priv != "DES" && u.priv != "AES")) {
        error = "--user " + u.name + ": " + (priv ? "needs PRIV (DES or AES) and PRIVPASS" : "takes no PRIV");
        return std::nullopt;
    }
    for (const std::string* pass : {&u.authPass, &u.privPass})
        if (!pass->empty() && (pass->size() < 8 || !SafeWord(*pass))) {
            error = "--user " + u.name + ": passwords need at least 8 characters, no blanks or quotes";
            return std::nullopt;
        }
    return u;
}

std::string ParseListen(const AgentOptions& o, std::string& transport, std::uint32_t& agentIp)
{
    std::string host;
    std::string port;
    const std::string& l = o.listen;
    bool v6 = false;
    if (!l.empty() && l[0] == '[') {
        const auto close = l.find("]:");
        if (close == std::string::npos)
            return "--listen wants [ADDR]:PORT";
        host = l.substr(1, close - 1);
        port = l.substr(close + 2);
        v6 = true;
    } else {
        const auto colon = l.rfind(':');
        if (colon == std::string::npos)
            return "--listen wants ADDR:PORT";
        host = l.substr(0, colon);
        port = l.substr(colon + 1);
        v6 = host.find(':') != std::string::npos;
    }
    if (port.empty() || port.size() > 5 || port.find_first_not_of("0123456789") != std::string::npos ||
        std::stoi(port) > 65535)
        return "--listen: bad port " + port;
    agentIp = 0x7f000001;
    if (v6) {
        in6_addr a6{};
        if (::inet_pton(AF_INET6, host.c_str(), &a6) != 1)
            return "--listen: bad address " + host;
        if (!o.allowRemote && !IN6_IS_ADDR_LOOPBACK(&a6))
            return "--listen: " + host + " is not a loopback address (use --allow-remote)";
        transport = "udp6:[" + host + "]:" + port;
        return {};
    }
    auto ip = ParseIp(host);
    if (!ip)
        return "--listen: bad address " + host;
    if (!o.allowRemote && (*ip >> 24) != 127)
        return "--listen: " + host + " is not in 127.0.0.0/8 (use --allow-remote)";
    if ((*ip >> 24) == 127)
        agentIp = *ip;
    transport = "udp:" + host + ":" + port;
    return {};
}

// ---------------------------------------------------------------- Agent

Agent::Agent(Device& device, EventLoop& loop, RequestLog& log, Faults& faults)
    : m_device(device), m_loop(loop), m_log(log), m_faults(faults)
{
}

Agent::~Agent()
{
    shutdown();
}

std::string Agent::init(const AgentOptions& options)
{
    if (g.agent)
        return "only one agent per process";
    for (const std::string* c : {&options.readCommunity, &options.writeCommunity})
        if (!SafeWord(*c))
            return "communities must be non-empty, without blanks or quotes";
    g = State{};
    g.agent = this;
    g.device = &m_device;
    g.loop = &m_loop;
    g.log = &m_log;
    g.faults = &m_faults;
    g.honourGlobalState = options.honourGlobalState;
    g.writeCommunity = options.writeCommunity;

    // The agent owns its persistent directory; nothing goes to the system's.
    m_persistentDir = MakeTempDir();
    if (m_persistentDir.empty())
        return std::string("cannot create a temporary directory: ") + std::strerror(errno);
    ::setenv("MIBS", "", 1);
    ::setenv("MIBDIRS", m_persistentDir.c_str(), 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_APPLICATION_ID, NETSNMP_DS_AGENT_ROLE, 0); // master
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DONT_READ_CONFIGS, 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DISABLE_PERSISTENT_LOAD, 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DISABLE_PERSISTENT_SAVE, 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_APPLICATION_ID, NETSNMP_DS_AGENT_DONT_LOG_TCPWRAPPERS_CONNECTS, 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_APPLICATION_ID, NETSNMP_DS_AGENT_NO_CONNECTION_WARNINGS, 1);
    netsnmp_ds_set_string(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_PERSISTENT_DIR, m_persistentDir.c_str());
    // Warnings and errors to standard error; with --quiet nothing at all (with
    // no handler the library falls back to standard error).
    snmp_disable_log();
    netsnmp_register_loghandler(options.quiet ? NETSNMP_LOGHANDLER_NONE : NETSNMP_LOGHANDLER_STDERR,
                                options.quiet ? LOG_DEBUG : LOG_WARNING);

    // Without this the agent also listens for SMUX peers on TCP 0.0.0.0:199.
    static char noSmux[] = "-smux";
    add_to_init_list(noSmux);
    init_agent(kAppName);

    const std::string engine = options.engineId.empty() ? std::string(kDefaultEngineId, sizeof kDefaultEngineId - 1)
                                                        : options.engineId;
    set_exact_engineID(reinterpret_cast<const u_char*>(engine.data()), engine.size());

    // Access: the two communities, and every configured USM user read-write
    // from its own security level up.
    Remember("rocommunity " + options.readCommunity + " default");
    Remember("rocommunity6 " + options.readCommunity + " default");
    Remember("rwcommunity " + options.writeCommunity + " default");
    Remember("rwcommunity6 " + options.writeCommunity + " default");
    for (const auto& u : options.users) {
        std::string line = "createUser " + u.name;
        if (!u.auth.empty())
            line += " " + u.auth + " " + u.authPass;
        if (!u.priv.empty())
            line += " " + u.priv + " " + u.privPass;
        Remember(line);
        const char* level = u.level == "authPriv" ? "priv" : u.level == "authNoPriv" ? "auth" : "noauth";
        Remember("rwuser " + u.name + " " + level);
    }
    init_snmp(kAppName);

    snmp_register_callback(SNMP_CALLBACK_APPLICATION, SNMPD_CALLBACK_ACM_CHECK_INITIAL, AccessHook, nullptr);

    int n = 0;
    for (const Oid& root : m_device.schema().roots) {
        std::vector<oid> o(root.begin(), root.end());
        const std::string name = "kxsim-" + std::to_string(++n);
        netsnmp_handler_registration* reg =
            netsnmp_create_handler_registration(name.c_str(), Handler, o.data(), o.size(), HANDLER_CAN_RWRITE);
        if (!reg || netsnmp_register_handler(reg) != MIB_REGISTERED_OK)
            return "cannot register " + FormatOid(root);
    }

    m_device.onRebooted = [] {
        // The engine's boots counter counts the device's restarts.
        char buf[32];
        std::snprintf(buf, sizeof buf, "%lu", snmpv3_local_snmpEngineBoots());
        engineBoots_conf("engineBoots", buf);
        // USM answers time-synchronisation probes from its cache of engine
        // times: the local engine's entry has to learn the new count too.
        u_char id[32];
        const size_t len = snmpv3_get_engineID(id, sizeof id);
        set_enginetime(id, len, snmpv3_local_snmpEngineBoots(), snmpv3_local_snmpEngineTime(), TRUE);
    };
    snmp_alarm_register(1, SA_REPEAT, Tick, nullptr);
    m_started = true;
    return {};
}

std::string Agent::start(const AgentOptions& options)
{
    std::string transportAddress;
    std::uint32_t agentIp = 0;
    std::string err = ParseListen(options, transportAddress, agentIp);
    if (!err.empty())
        return err;
    err = init(options);
    if (!err.empty())
        return err;
    netsnmp_transport* t = netsnmp_transport_open_server(kAppName, transportAddress.c_str());
    if (!t)
        return "cannot listen on " + options.listen;
    g.transport = t;
    g.origRecv = t->f_recv;
    g.origSend = t->f_send;
    t->f_recv = RecvHook;
    t->f_send = SendHook;
    if (netsnmp_register_agent_nsap(t) <= 0)
        return "cannot serve " + options.listen;

    sockaddr_storage ss{};
    socklen_t len = sizeof ss;
    if (::getsockname(t->sock, reinterpret_cast<sockaddr*>(&ss), &len) == 0) {
        char host[INET6_ADDRSTRLEN] = {};
        if (ss.ss_family == AF_INET6) {
            auto* a = reinterpret_cast<sockaddr_in6*>(&ss);
            ::inet_ntop(AF_INET6, &a->sin6_addr, host, sizeof host);
            m_bound = "[" + std::string(host) + "]:" + std::to_string(ntohs(a->sin6_port));
        } else {
            auto* a = reinterpret_cast<sockaddr_in*>(&ss);
            ::inet_ntop(AF_INET, &a->sin_addr, host, sizeof host);
            m_bound = std::string(host) + ":" + std::to_string(ntohs(a->sin_port));
        }
    }

    if (::pipe2(m_wakePipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return std::string("pipe: ") + std::strerror(errno);
    g_wakeFd = m_wakePipe[1];
    m_loop.watch(m_wakePipe[0], [this] {
        char buf[64];
        while (::read(m_wakePipe[0], buf, sizeof buf) > 0) {
        }
    });
    return {};
}

std::string Agent::startDetached(const AgentOptions& options)
{
    std::string err = init(options);
    if (!err.empty())
        return err;
    auto* t = static_cast<netsnmp_transport*>(std::calloc(1, sizeof(netsnmp_transport)));
    // A real descriptor, so that the library's read path finds the session.
    t->sock = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    t->msgMaxSize = 65535;
    t->f_recv = RecvHook;
    t->f_send = SendHook;
    t->f_close = FakeClose;
    t->f_fmtaddr = FakeAddress;
    g.transport = t;
    if (netsnmp_register_agent_nsap(t) <= 0)
        return "cannot register the fake transport";
    m_bound = "detached";
    return {};
}

std::size_t Agent::feed(const std::uint8_t* data, std::size_t size)
{
    if (!g.transport || g.origRecv)
        return 0;
    static const std::uint8_t empty = 0;
    g.feedData = data ? data : &empty;
    g.feedSize = size;
    g.feedAnswers = 0;
    netsnmp_large_fd_set fds;
    netsnmp_large_fd_set_init(&fds, FD_SETSIZE);
    netsnmp_large_fd_setfd(g.transport->sock, &fds);
    snmp_read2(&fds);
    netsnmp_large_fd_set_cleanup(&fds);
    g.feedData = nullptr;
    // Late answers of injected faults go out when their time comes.
    m_loop.runDueTimers();
    return g.feedAnswers;
}

void Agent::run()
{
    while (!g_stop) {
        int maxfd = 0;
        fd_set fds;
        FD_ZERO(&fds);
        timeval tv{1, 0};
        int block = 0;
        snmp_select_info(&maxfd, &fds, &tv, &block);
        for (const auto& [fd, fn] : m_loop.watched()) {
            FD_SET(fd, &fds);
            if (fd + 1 > maxfd)
                maxfd = fd + 1;
        }
        double wait = m_loop.nextTimerIn(1.0);
        if (!block) {
            const double snmpWait = static_cast<double>(tv.tv_sec) + static_cast<double>(tv.tv_usec) / 1e6;
            if (snmpWait < wait)
                wait = snmpWait;
        }
        tv.tv_sec = static_cast<time_t>(wait);
        tv.tv_usec = static_cast<suseconds_t>((wait - static_cast<double>(tv.tv_sec)) * 1e6);
        const int n = ::select(maxfd, &fds, nullptr, nullptr, &tv);
        if (n > 0) {
            snmp_read(&fds);
            std::vector<int> ready;
            for (const auto& [fd, fn] : m_loop.watched())
                if (FD_ISSET(fd, &fds))
                    ready.push_back(fd);
            for (int fd : ready)
                m_loop.dispatch(fd);
        } else if (n == 0) {
            snmp_timeout();
        } else if (errno != EINTR) {
            break;
        }
        run_alarms();
        netsnmp_check_outstanding_agent_requests();
        m_loop.runDueTimers();
    }
}

void Agent::requestStop()
{
    g_stop = 1;
    const int fd = g_wakeFd;
    if (fd >= 0) {
        const char c = 's';
        [[maybe_unused]] auto r = ::write(fd, &c, 1);
    }
}

void Agent::shutdown()
{
    if (!m_started)
        return;
    m_started = false;
    for (std::uint64_t id : g.pendingSends)
        m_loop.cancel(id);
    g.pendingSends.clear();
    snmp_unregister_callback(SNMP_CALLBACK_APPLICATION, SNMPD_CALLBACK_ACM_CHECK_INITIAL, AccessHook, nullptr, 1);
    snmp_shutdown(kAppName);
    shutdown_agent();
    g_wakeFd = -1;
    for (int& fd : m_wakePipe) {
        if (fd >= 0) {
            m_loop.unwatch(fd);
            ::close(fd);
        }
        fd = -1;
    }
    m_device.onRebooted = nullptr;
    if (!m_persistentDir.empty()) {
        std::error_code ec;
        std::filesystem::remove_all(m_persistentDir, ec);
    }
    g = State{};
}

void Agent::setUnreachable(double seconds)
{
    g.unreachableUntil = m_loop.now() + (seconds > 0 ? seconds : 0);
}

double Agent::unreachableFor() const
{
    const double left = g.unreachableUntil - m_loop.now();
    return left > 0 ? left : 0;
}

unsigned long Agent::engineBoots() const
{
    return snmpv3_local_snmpEngineBoots();
}

} // namespace kxsim
