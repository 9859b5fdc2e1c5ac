// kxsnmp: get, get-next, walk and set through the module's own SNMP session
// class, with net-snmp's flag names, so it can stand beside snmpget/snmpwalk:
// the same numeric output as their -On, line for line.

#include "common/SessionSettings.h"
#include "snmp/CCommonSNMP.h"

#include <arpa/inet.h>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

const char* const kUsage =
    "usage: kxsnmp get|next|walk|set [FLAGS] HOST[:PORT] OID [TYPE VALUE]...\n"
    "  -v 1|3          SNMP version (default 1)\n"
    "  -c COMMUNITY    community (default: qolvat for reads, merudos for set)\n"
    "  -u USER         SNMPv3 user name\n"
    "  -l LEVEL        noAuthNoPriv | authNoPriv | authPriv\n"
    "  -a PROTOCOL     MD5 | SHA | SHA-224 | SHA-256 | SHA-384 | SHA-512\n"
    "  -A PASSPHRASE   authentication pass phrase\n"
    "  -x PROTOCOL     DES | AES\n"
    "  -X PASSPHRASE   privacy pass phrase\n"
    "  -t SECONDS      time-out of each request, more than 0 and at most 2147 (default 3)\n"
    "HOST is a dotted IPv4 address; names are not looked up.\n"
    "OIDs are numeric (a leading dot is optional; iso, ccitt and joint-iso-ccitt may\n"
    "name the first arc); a walk of \".\" covers everything.\n"
    "set types: i INTEGER, u Unsigned32, s STRING, x hex STRING, a IpAddress\n"
    "Output: one binding a line as snmpget/snmpwalk -On print it.\n";

// net-snmp counts a time-out in microseconds in an int on some paths: longer
// ones would wrap round.
constexpr double kMaxTimeoutSeconds = 2147;

const char* ErrorName(int status)
{
    static const char* const names[] = {
        "noError",         "tooBig",         "noSuchName",          "badValue",
        "readOnly",        "genErr",         "noAccess",            "wrongType",
        "wrongLength",     "wrongEncoding",  "wrongValue",          "noCreation",
        "inconsistentValue", "resourceUnavailable", "commitFailed", "undoFailed",
        "authorizationError", "notWritable", "inconsistentName"};
    if (status >= 0 && status < static_cast<int>(sizeof names / sizeof *names))
        return names[status];
    return "unknown error";
}

// ---------------------------------------------------------------- OIDs

using Arcs = std::vector<std::uint32_t>;

// An OID as net-snmp's tools read one without MIB files: numeric arcs with an
// optional leading dot (leading zeros allowed), the first arc also by its name;
// "." alone is the empty OID, the root of everything.
std::optional<Arcs> ParseOid(std::string text)
{
    static const std::pair<const char*, std::uint32_t> kRoots[] = {
        {"ccitt", 0}, {"iso", 1}, {"joint-iso-ccitt", 2}};
    Arcs arcs;
    for (const auto& [name, arc] : kRoots) {
        const std::size_t n = std::strlen(name);
        if (text.compare(0, n, name) == 0 && (text.size() == n || text[n] == '.')) {
            arcs.push_back(arc);
            text.erase(0, n);
            break;
        }
    }
    if (arcs.empty()) {
        if (text.empty())
            return std::nullopt;
        if (text[0] == '.')
            text.erase(0, 1);
    } else if (!text.empty()) {
        text.erase(0, 1);
        if (text.empty())
            return std::nullopt; // "iso."
    }
    if (text.empty())
        return arcs;
    std::size_t pos = 0;
    for (;;) {
        const std::size_t dot = text.find('.', pos);
        const std::string part = text.substr(pos, dot == std::string::npos ? std::string::npos : dot - pos);
        if (part.empty() || part.size() > 20 || part.find_first_not_of("0123456789") != std::string::npos)
            return std::nullopt;
        const unsigned long long v = std::strtoull(part.c_str(), nullptr, 10);
        if (v > 0xffffffffULL || arcs.size() >= 128)
            return std::nullopt;
        arcs.push_back(static_cast<std::uint32_t>(v));
        if (dot == std::string::npos)
            return arcs;
        pos = dot + 1;
    }
}

std::string OidText(const Arcs& arcs)
{
    std::string out;
    for (std::size_t i = 0; i < arcs.size(); ++i) {
        if (i)
            out += '.';
        out += std::to_string(arcs[i]);
    }
    return out;
}

// What goes on the wire: BER has no OID of fewer than two arcs, and net-snmp
// sends one arc X as 0.X and the empty OID as 0.0.
std::string WireOid(const Arcs& arcs)
{
    if (arcs.size() >= 2)
        return OidText(arcs);
    return "0." + std::to_string(arcs.empty() ? 0 : arcs[0]);
}

bool Inside(const std::string& oid, const Arcs& root)
{
    const std::optional<Arcs> arcs = ParseOid(oid);
    return arcs && arcs->size() >= root.size() && std::equal(root.begin(), root.end(), arcs->begin());
}

// -1, 0 or 1, in the order SNMP walks.
int CompareOids(const std::string& a, const std::string& b)
{
    const Arcs x = ParseOid(a).value_or(Arcs{});
    const Arcs y = ParseOid(b).value_or(Arcs{});
    if (x == y)
        return 0;
    return std::lexicographical_compare(x.begin(), x.end(), y.begin(), y.end()) ? -1 : 1;
}

bool IsException(int type)
{
    return type == SnmpType::NoSuchObject || type == SnmpType::NoSuchInstance ||
           type == SnmpType::EndOfMibView;
}

// ---------------------------------------------------------------- values as net-snmp prints them

// Upper-case octets each followed by a blank, sixteen to a line.
std::string HexOctets(const std::string& octets)
{
    std::string out;
    char hex[4];
    for (std::size_t i = 0; i < octets.size(); ++i) {
        if (i && i % 16 == 0)
            out += '\n';
        std::snprintf(hex, sizeof hex, "%02X ", static_cast<unsigned char>(octets[i]));
        out += hex;
    }
    return out;
}

std::string OctetString(const std::string& octets)
{
    if (octets.empty())
        return "\"\"";
    for (unsigned char c : octets)
        if (!std::isprint(c) && !std::isspace(c))
            return "Hex-STRING: " + HexOctets(octets);
    std::string out = "STRING: \"";
    for (char c : octets) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + '"';
}

std::string Timeticks(const std::string& text)
{
    unsigned long ticks = std::strtoul(text.c_str(), nullptr, 10);
    const unsigned long centis = ticks % 100;
    ticks /= 100;
    const unsigned long days = ticks / 86400;
    ticks %= 86400;
    char buf[96];
    if (days == 0)
        std::snprintf(buf, sizeof buf, "%lu:%02lu:%02lu.%02lu", ticks / 3600, ticks % 3600 / 60, ticks % 60,
                      centis);
    else
        std::snprintf(buf, sizeof buf, "%lu %s, %lu:%02lu:%02lu.%02lu", days, days == 1 ? "day" : "days",
                      ticks / 3600, ticks % 3600 / 60, ticks % 60, centis);
    return "Timeticks: (" + text + ") " + buf;
}

std::string ValueText(const SnmpBinding& b)
{
    switch (b.type) {
    case SnmpType::Integer: return "INTEGER: " + b.value;
    case SnmpType::OctetString: return OctetString(b.value);
    case SnmpType::Opaque: return "OPAQUE: " + HexOctets(b.value);
    case SnmpType::ObjectId: return "OID: ." + b.value;
    case SnmpType::IpAddress: return "IpAddress: " + b.value;
    case SnmpType::Counter32: return "Counter32: " + b.value;
    case SnmpType::Unsigned32: return "Gauge32: " + b.value;
    case SnmpType::TimeTicks: return Timeticks(b.value);
    case SnmpType::Counter64: return "Counter64: " + b.value;
    case SnmpType::NoSuchObject: return "No Such Object available on this agent at this OID";
    case SnmpType::NoSuchInstance: return "No Such Instance currently exists at this OID";
    case SnmpType::EndOfMibView: return "No more variables left in this MIB View (It is past the end of the MIB tree)";
    default: return "NULL";
    }
}

// A walk prints a line per step: the common types go into the stream's buffer in
// pieces, without building the line. Only one thread prints at a time (the
// walk's callbacks, then the main thread after the walk), so unlocked.
void Put(std::string_view text)
{
    fwrite_unlocked(text.data(), 1, text.size(), stdout);
}

void PrintBinding(const SnmpBinding& b)
{
    Put(".");
    Put(b.oid);
    Put(" = ");
    switch (b.type) {
    case SnmpType::Integer: Put("INTEGER: "); Put(b.value); break;
    case SnmpType::Counter32: Put("Counter32: "); Put(b.value); break;
    case SnmpType::Unsigned32: Put("Gauge32: "); Put(b.value); break;
    case SnmpType::Counter64: Put("Counter64: "); Put(b.value); break;
    case SnmpType::IpAddress: Put("IpAddress: "); Put(b.value); break;
    default: Put(ValueText(b)); break;
    }
    Put("\n");
}

void PrintError(const std::vector<SnmpBinding>& bindings, int status, int index, const char* heading)
{
    std::fprintf(stderr, "%s\nReason: %s\n", heading, ErrorName(status));
    if (index >= 1 && index <= static_cast<int>(bindings.size()))
        std::fprintf(stderr, "Failed object: .%s\n", bindings[static_cast<std::size_t>(index - 1)].oid.c_str());
}

// ---------------------------------------------------------------- the command line

struct Options
{
    std::string command;
    SessionSettings settings;
    std::string host; // as typed, for messages
    std::vector<std::string> rest;
};

bool PassPhraseOk(const std::string& phrase)
{
    // The USM's shortest pass phrase: net-snmp makes no key from a shorter one,
    // and the request would never leave.
    return phrase.size() >= 8;
}

bool ParseArguments(int argc, char** argv, Options& o, std::string& error)
{
    if (argc < 2) {
        error = "missing command";
        return false;
    }
    o.command = argv[1];
    o.settings.SnmpPort = "161";
    double timeoutSeconds = 3;
    std::string level = "noAuthNoPriv";
    bool authGiven = false;
    bool privGiven = false;
    int i = 2;
    for (; i < argc && argv[i][0] == '-' && argv[i][1] != '\0'; ++i) {
        const std::string flag = argv[i];
        if (flag.size() != 2 || i + 1 >= argc) {
            error = "bad flag " + flag;
            return false;
        }
        const std::string value = argv[++i];
        switch (flag[1]) {
        case 'v':
            if (value != "1" && value != "3") {
                error = "version must be 1 or 3";
                return false;
            }
            o.settings.SnmpVersion = value;
            break;
        case 'c':
            o.settings.ReadCommunity = o.settings.WriteCommunity = value;
            break;
        case 'u':
            o.settings.SecurityName = value;
            break;
        case 'l':
            level = value;
            break;
        case 'a':
            o.settings.AuthProtocol = AuthProtocolCode(value);
            authGiven = true;
            if (o.settings.AuthProtocol.empty()) {
                error = "unknown authentication protocol " + value;
                return false;
            }
            break;
        case 'A':
            o.settings.AuthPassword = value;
            break;
        case 'x':
            o.settings.PrivProtocol = PrivProtocolCode(value);
            privGiven = true;
            if (o.settings.PrivProtocol.empty()) {
                error = "unknown privacy protocol " + value;
                return false;
            }
            break;
        case 'X':
            o.settings.PrivPassword = value;
            break;
        case 't': {
            char* end = nullptr;
            timeoutSeconds = std::strtod(value.c_str(), &end);
            // Written so that NaN fails too.
            if (value.empty() || *end || !(timeoutSeconds > 0 && timeoutSeconds <= kMaxTimeoutSeconds) ||
                std::lround(timeoutSeconds * 1000) < 1) {
                error = "bad time-out " + value + " (seconds, more than 0 and at most 2147)";
                return false;
            }
            break;
        }
        default:
            error = "unknown flag " + flag;
            return false;
        }
    }
    o.settings.SecurityLevel = SecurityLevelCode(level);
    if (o.settings.SecurityLevel.empty()) {
        error = "unknown security level " + level;
        return false;
    }
    if (o.settings.SnmpVersion == "3") {
        const bool auth = o.settings.SecurityLevel != "1";
        const bool priv = o.settings.SecurityLevel == "3";
        if (o.settings.SecurityName.empty()) {
            error = "SNMPv3 needs a user name (-u)";
            return false;
        }
        if (auth && (!authGiven || !PassPhraseOk(o.settings.AuthPassword))) {
            error = level + " needs -a PROTOCOL and an authentication pass phrase (-A) of at least 8 characters";
            return false;
        }
        if (priv && (!privGiven || !PassPhraseOk(o.settings.PrivPassword))) {
            error = level + " needs -x PROTOCOL and a privacy pass phrase (-X) of at least 8 characters";
            return false;
        }
    }
    o.settings.SessionTimeout = std::to_string(std::lround(timeoutSeconds * 1000));
    if (i >= argc) {
        error = "missing agent";
        return false;
    }
    o.host = argv[i++];
    std::string address = o.host;
    const auto colon = address.rfind(':');
    if (colon != std::string::npos && address.find(':') == colon) {
        const std::string port = address.substr(colon + 1);
        char* end = nullptr;
        const long p = std::strtol(port.c_str(), &end, 10);
        if (port.empty() || *end || p < 1 || p > 65535) {
            error = "bad port in " + o.host;
            return false;
        }
        o.settings.SnmpPort = port;
        address.erase(colon);
    }
    in_addr v4{};
    if (address.find_first_not_of("0123456789.") != std::string::npos ||
        ::inet_pton(AF_INET, address.c_str(), &v4) != 1) {
        error = o.host + " is not a dotted IPv4 address (names are not looked up)";
        return false;
    }
    o.settings.DeviceAddress = address;
    for (; i < argc; ++i)
        o.rest.emplace_back(argv[i]);
    if (o.rest.empty()) {
        error = "missing OID";
        return false;
    }
    return true;
}

// ---------------------------------------------------------------- requests

void ReportNoAnswer(const Options& o)
{
    std::fprintf(stderr, "Timeout: No Response from %s.\n", o.host.c_str());
    if (o.settings.SnmpVersion == "3")
        std::fprintf(stderr, "kxsnmp: (with SNMPv3 also an unknown user, a wrong pass phrase or protocol)\n");
}

// The bindings answer the request: as many as asked, the same OIDs for a get or
// a set, later ones (or the end of the MIB view) for a get-next.
bool Matches(const std::vector<std::string>& asked, const std::vector<SnmpBinding>& answered, int pduType)
{
    if (answered.size() != asked.size()) {
        std::fprintf(stderr, "kxsnmp: the answer has %zu bindings for %zu asked\n", answered.size(), asked.size());
        return false;
    }
    for (std::size_t i = 0; i < asked.size(); ++i) {
        const int order = CompareOids(answered[i].oid, asked[i]);
        const bool ok = pduType == SnmpPdu::GetNext
                            ? order > 0 || answered[i].type == SnmpType::EndOfMibView
                            : order == 0;
        if (!ok) {
            std::fprintf(stderr, "kxsnmp: the answer names .%s for .%s\n", answered[i].oid.c_str(),
                         asked[i].c_str());
            return false;
        }
    }
    return true;
}

// Sends the request built on `s` (its bindings `asked`); 0 with the response,
// else the exit status, with the reason written.
int Exchange(CCommonSNMP& s, const Options& o, const std::vector<std::string>& asked, int pduType,
             std::unique_ptr<CSnmp>& response)
{
    if (s.send(response, 0) != 0 || !response) {
        ReportNoAnswer(o);
        return 1;
    }
    int status = 0;
    int index = 0;
    response->getErrorInfo(status, index);
    const std::vector<SnmpBinding> bindings = response->getBindings();
    if (status != 0) {
        PrintError(bindings, status, index, "Error in packet");
        return 2;
    }
    return Matches(asked, bindings, pduType) ? 0 : 1;
}

int DoGet(CCommonSNMP& s, const Options& o, int pduType)
{
    std::vector<std::string> asked;
    for (const auto& text : o.rest) {
        const std::optional<Arcs> arcs = ParseOid(text);
        if (!arcs) {
            std::fprintf(stderr, "kxsnmp: bad OID %s\n", text.c_str());
            return 1;
        }
        asked.push_back(WireOid(*arcs));
    }
    if (!s.Open(pduType))
        return 1;
    for (const auto& oid : asked)
        if (s.addValue(oid, SnmpType::Null, nullptr) != 0)
            return 1;
    std::unique_ptr<CSnmp> response;
    if (const int rc = Exchange(s, o, asked, pduType, response))
        return rc;
    for (const SnmpBinding& b : response->getBindings())
        PrintBinding(b);
    return 0;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

int DoSet(CCommonSNMP& s, const Options& o)
{
    const std::vector<std::string>& args = o.rest;
    if (args.size() % 3 != 0) {
        std::fprintf(stderr, "kxsnmp: set needs OID TYPE VALUE triples\n");
        return 1;
    }
    if (!s.Open(SnmpPdu::Set))
        return 1;
    std::vector<std::string> asked;
    for (std::size_t i = 0; i < args.size(); i += 3) {
        const std::optional<Arcs> arcs = ParseOid(args[i]);
        const std::string oid = arcs ? WireOid(*arcs) : std::string();
        const std::string& type = args[i + 1];
        const std::string& value = args[i + 2];
        int rc = -1;
        if (!arcs)
            rc = -1;
        else if (type == "i")
            rc = s.addValue(oid, SnmpType::Integer, value.c_str());
        else if (type == "u")
            rc = s.addValue(oid, SnmpType::Unsigned32, value.c_str());
        else if (type == "s")
            rc = s.addValue(oid, SnmpType::OctetString, value.data(), static_cast<int>(value.size()));
        else if (type == "a")
            rc = s.addValue(oid, SnmpType::IpAddress, value.c_str());
        else if (type == "x") {
            std::string octets;
            std::string digits;
            for (char c : value)
                if (c != ' ' && c != ':' && c != '-')
                    digits.push_back(c);
            bool ok = digits.size() % 2 == 0;
            for (std::size_t d = 0; ok && d < digits.size(); d += 2) {
                const int hi = HexDigit(digits[d]);
                const int lo = HexDigit(digits[d + 1]);
                ok = hi >= 0 && lo >= 0;
                octets.push_back(static_cast<char>(hi * 16 + lo));
            }
            if (ok)
                rc = s.addValue(oid, SnmpType::OctetString, octets.data(), static_cast<int>(octets.size()));
        }
        if (rc != 0) {
            std::fprintf(stderr, "kxsnmp: bad binding %s %s %s\n", args[i].c_str(), type.c_str(), value.c_str());
            return 1;
        }
        asked.push_back(oid);
    }
    std::unique_ptr<CSnmp> response;
    if (const int rc = Exchange(s, o, asked, SnmpPdu::Set, response))
        return rc;
    for (const SnmpBinding& b : response->getBindings())
        PrintBinding(b);
    return 0;
}

// ---------------------------------------------------------------- walks

struct WalkState
{
    CCommonSNMP* session = nullptr;
    long rows = 0;
    int status = 0;
    std::string last; // the OID of the latest row
};

void WalkStep(std::unique_ptr<CSnmp> response, int requestId, void* context, int status)
{
    auto* w = static_cast<WalkState*>(context);
    if (!w->session->TakePending(requestId))
        return;
    if (status != 0) {
        w->status = status;
        w->session->SetWalkDone();
        return;
    }
    const std::vector<SnmpBinding> bindings = response->getBindings();
    for (const SnmpBinding& b : bindings)
        PrintBinding(b);
    w->last = bindings.at(0).oid;
    ++w->rows;
    w->session->getNext(WalkStep, w, 0);
}

// One get-next of `oid`, outside the walk's own steps.
struct NextAnswer
{
    bool answered = false;
    int errorStatus = 0;
    int errorIndex = 0;
    std::vector<SnmpBinding> bindings;
};

NextAnswer GetNext(CCommonSNMP& s, const std::string& oid)
{
    NextAnswer a;
    std::unique_ptr<CSnmp> response;
    if (!s.Open(SnmpPdu::GetNext) || s.addValue(oid, SnmpType::Null, nullptr) != 0 || s.send(response, 0) != 0 ||
        !response)
        return a;
    a.answered = true;
    response->getErrorInfo(a.errorStatus, a.errorIndex);
    a.bindings = response->getBindings();
    return a;
}

// A walk as snmpwalk makes it. The session walks a subtree of two arcs or more
// and ends it without saying how; the answer that ended it is asked for again,
// to show what snmpwalk shows at the end and to tell why a walk failed.
class Walk
{
public:
    Walk(CCommonSNMP& s, const Options& o, Arcs root) : m_s(s), m_o(o), m_root(std::move(root)) {}

    int run()
    {
        if (m_root.size() >= 2) {
            const std::string root = OidText(m_root);
            const int rc = walk(root);
            return rc != kGoOn ? rc : settle(m_last.empty() ? root : m_last, nullptr);
        }
        // A shorter root is walked one subtree of two arcs after another.
        std::string from = WireOid(m_root);
        for (;;) {
            std::string subtree;
            int rc = settle(from, &subtree);
            if (rc == kGoOn)
                rc = walk(subtree);
            if (rc != kGoOn)
                return rc;
            if (m_last.empty() || m_last == from) {
                std::fprintf(stderr, "kxsnmp: the walk does not get past .%s\n", from.c_str());
                return 1;
            }
            from = m_last;
        }
    }

private:
    static constexpr int kGoOn = -1;

    // Walks `subtree` through the session: kGoOn when it ended regularly.
    int walk(const std::string& subtree)
    {
        WalkState w;
        w.session = &m_s;
        if (!m_s.Open(SnmpPdu::GetNext) || m_s.addValue(subtree, SnmpType::Null, nullptr) != 0)
            return 1;
        if (m_s.getNext(WalkStep, &w, 0) == 0)
            m_s.WaitWalkDone(-1);
        else
            w.status = SnmpResult::Failed;
        m_printed += w.rows;
        if (!w.last.empty())
            m_last = w.last;
        if (w.status == SnmpResult::EndOfTable)
            return kGoOn;
        return settle(w.last.empty() ? subtree : w.last, nullptr);
    }

    // Judges the answer to a get-next of `from`. Where the walk goes on (only
    // when `subtree` is given) it gets the subtree of two arcs to walk next, and
    // kGoOn; else the exit status, with what snmpwalk prints at that point.
    int settle(const std::string& from, std::string* subtree)
    {
        const NextAnswer a = GetNext(m_s, from);
        if (!a.answered) {
            // snmpwalk leaves the full stop out.
            std::fprintf(stderr, "Timeout: No Response from %s\n", m_o.host.c_str());
            return 1;
        }
        if (a.errorStatus == kNoSuchName) {
            std::fputs("End of MIB\n", stdout);
            return finish();
        }
        if (a.errorStatus != 0) {
            PrintError(a.bindings, a.errorStatus, a.errorIndex, "Error in packet.");
            return 2;
        }
        if (a.bindings.size() != 1) {
            std::fprintf(stderr, "kxsnmp: the answer has %zu bindings for 1 asked\n", a.bindings.size());
            return 1;
        }
        const SnmpBinding& b = a.bindings[0];
        if (!Inside(b.oid, m_root))
            return finish();
        if (IsException(b.type)) {
            print(b);
            return finish();
        }
        if (CompareOids(b.oid, from) <= 0) {
            std::fprintf(stderr, "Error: OID not increasing: .%s\n >= .%s\n", from.c_str(), b.oid.c_str());
            return 1;
        }
        if (!subtree) {
            // A row the session would not take.
            std::fprintf(stderr, "kxsnmp: the walk failed after .%s\n", from.c_str());
            return 1;
        }
        const Arcs arcs = *ParseOid(b.oid);
        *subtree = OidText(Arcs(arcs.begin(), arcs.begin() + 2));
        if (arcs.size() == 2) {
            print(b); // its subtree's walk starts after it
            m_last = b.oid;
        }
        return kGoOn;
    }

    // A walk that showed nothing shows what a get of its root answers: an
    // object with nothing below it is itself.
    int finish()
    {
        if (m_printed > 0)
            return 0;
        std::unique_ptr<CSnmp> response;
        if (m_s.Open(SnmpPdu::Get) && m_s.addValue(WireOid(m_root), SnmpType::Null, nullptr) == 0 &&
            m_s.send(response, 0) == 0 && response) {
            int status = 0;
            int index = 0;
            response->getErrorInfo(status, index);
            if (status == 0)
                for (const SnmpBinding& b : response->getBindings())
                    PrintBinding(b);
        }
        return 0;
    }

    void print(const SnmpBinding& b)
    {
        PrintBinding(b);
        ++m_printed;
    }

    static constexpr int kNoSuchName = 2;

    CCommonSNMP& m_s;
    const Options& m_o;
    Arcs m_root;
    long m_printed = 0;
    std::string m_last; // the latest OID shown
};

int DoWalk(CCommonSNMP& s, const Options& o)
{
    const std::optional<Arcs> root = ParseOid(o.rest[0]);
    if (!root) {
        std::fprintf(stderr, "kxsnmp: bad OID %s\n", o.rest[0].c_str());
        return 1;
    }
    return Walk(s, o, *root).run();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::fputs("kxsnmp " KX_VERSION_TEXT "\n", stdout);
        return 0;
    }
    static char outBuffer[1 << 16];
    std::setvbuf(stdout, outBuffer, _IOFBF, sizeof outBuffer);

    Options o;
    std::string error;
    if (!ParseArguments(argc, argv, o, error)) {
        std::fprintf(stderr, "kxsnmp: %s\n%s", error.c_str(), kUsage);
        return 1;
    }
    CCommonSNMP session(o.settings);
    int rc = 1;
    if (o.command == "get")
        rc = DoGet(session, o, SnmpPdu::Get);
    else if (o.command == "next")
        rc = DoGet(session, o, SnmpPdu::GetNext);
    else if (o.command == "walk" && o.rest.size() == 1)
        rc = DoWalk(session, o);
    else if (o.command == "set")
        rc = DoSet(session, o);
    else
        std::fprintf(stderr, "kxsnmp: unknown command %s\n%s", o.command.c_str(), kUsage);
    session.Close();
    std::fflush(stdout);
    return rc;
}
