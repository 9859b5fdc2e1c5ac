// kxsnmp: get, get-next, walk and set through the module's own SNMP session
// class, with net-snmp's flag names, so it can stand beside snmpget/snmpwalk.

#include "common/SessionSettings.h"
#include "snmp/CCommonSNMP.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
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
    "  -t SECONDS      time-out of each request (default 3)\n"
    "set types: i INTEGER, u Unsigned32, s STRING, x hex STRING, a IpAddress\n"
    "Output: one binding a line, OID = TYPE: value, with numeric OIDs.\n";

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

bool Printable(const std::string& s)
{
    for (unsigned char c : s)
        if (!(std::isprint(c) || c == '\n' || c == '\r' || c == '\t'))
            return false;
    return true;
}

void PrintBinding(const SnmpBinding& b)
{
    std::string line = "." + b.oid + " = ";
    switch (b.type) {
    case SnmpType::Integer:
        line += "INTEGER: " + b.value;
        break;
    case SnmpType::OctetString:
    case SnmpType::Opaque:
        if (Printable(b.value)) {
            line += (b.type == SnmpType::Opaque ? "OPAQUE: \"" : "STRING: \"") + b.value + "\"";
        } else {
            line += "Hex-STRING: ";
            char hex[4];
            for (unsigned char c : b.value) {
                std::snprintf(hex, sizeof hex, "%02X ", c);
                line += hex;
            }
        }
        break;
    case SnmpType::ObjectId:
        line += "OID: ." + b.value;
        break;
    case SnmpType::IpAddress:
        line += "IpAddress: " + b.value;
        break;
    case SnmpType::Counter32:
        line += "Counter32: " + b.value;
        break;
    case SnmpType::Unsigned32:
        line += "Gauge32: " + b.value;
        break;
    case SnmpType::TimeTicks:
        line += "Timeticks: (" + b.value + ")";
        break;
    case SnmpType::Counter64:
        line += "Counter64: " + b.value;
        break;
    case SnmpType::NoSuchObject:
        line += "No Such Object available on this agent at this OID";
        break;
    case SnmpType::NoSuchInstance:
        line += "No Such Instance currently exists at this OID";
        break;
    case SnmpType::EndOfMibView:
        line += "No more variables left in this MIB View (It is past the end of the MIB tree)";
        break;
    default:
        line += "NULL";
        break;
    }
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), stdout);
}

bool PrintResponse(const CSnmp& response)
{
    int status = 0;
    int index = 0;
    response.getErrorInfo(status, index);
    if (status != 0) {
        std::fprintf(stderr, "Error in packet.\nReason: %s (index %d)\n", ErrorName(status), index);
        return false;
    }
    for (const SnmpBinding& b : response.getBindings())
        PrintBinding(b);
    return true;
}

struct Options
{
    std::string command;
    SessionSettings settings;
    bool communityGiven = false;
    std::string host;
    std::vector<std::string> rest;
};

bool ParseArguments(int argc, char** argv, Options& o, std::string& error)
{
    if (argc < 2) {
        error = "missing command";
        return false;
    }
    o.command = argv[1];
    o.settings.SnmpPort = "161";
    int timeoutSeconds = 3;
    std::string level = "noAuthNoPriv";
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
            o.communityGiven = true;
            break;
        case 'u':
            o.settings.SecurityName = value;
            break;
        case 'l':
            level = value;
            break;
        case 'a':
            o.settings.AuthProtocol = AuthProtocolCode(value);
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
            if (o.settings.PrivProtocol.empty()) {
                error = "unknown privacy protocol " + value;
                return false;
            }
            break;
        case 'X':
            o.settings.PrivPassword = value;
            break;
        case 't':
            timeoutSeconds = std::atoi(value.c_str());
            if (timeoutSeconds <= 0) {
                error = "bad time-out " + value;
                return false;
            }
            break;
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
    o.settings.SessionTimeout = std::to_string(timeoutSeconds * 1000);
    if (i >= argc) {
        error = "missing agent";
        return false;
    }
    const std::string agent = argv[i++];
    const auto colon = agent.rfind(':');
    if (colon != std::string::npos && agent.find(':') == colon) {
        o.settings.DeviceAddress = agent.substr(0, colon);
        o.settings.SnmpPort = agent.substr(colon + 1);
    } else {
        o.settings.DeviceAddress = agent;
    }
    for (; i < argc; ++i)
        o.rest.emplace_back(argv[i]);
    if (o.rest.empty()) {
        error = "missing OID";
        return false;
    }
    return true;
}

int DoGet(CCommonSNMP& s, const std::vector<std::string>& oids, int pduType)
{
    if (!s.Open(pduType))
        return 1;
    for (const auto& oid : oids)
        if (s.addValue(oid, SnmpType::Null, nullptr) != 0) {
            std::fprintf(stderr, "kxsnmp: bad OID %s\n", oid.c_str());
            return 1;
        }
    std::unique_ptr<CSnmp> response;
    if (s.send(response, 0) != 0 || !response) {
        std::fprintf(stderr, "Timeout: No Response from %s.\n", s.AgentAddress().c_str());
        return 1;
    }
    return PrintResponse(*response) ? 0 : 2;
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

int DoSet(CCommonSNMP& s, const std::vector<std::string>& args)
{
    if (args.size() % 3 != 0) {
        std::fprintf(stderr, "kxsnmp: set needs OID TYPE VALUE triples\n");
        return 1;
    }
    if (!s.Open(SnmpPdu::Set))
        return 1;
    for (std::size_t i = 0; i < args.size(); i += 3) {
        const std::string& oid = args[i];
        const std::string& type = args[i + 1];
        const std::string& value = args[i + 2];
        int rc = -1;
        if (type == "i")
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
            std::fprintf(stderr, "kxsnmp: bad binding %s %s %s\n", oid.c_str(), type.c_str(),
                         value.c_str());
            return 1;
        }
    }
    std::unique_ptr<CSnmp> response;
    if (s.send(response, 0) != 0 || !response) {
        std::fprintf(stderr, "Timeout: No Response from %s.\n", s.AgentAddress().c_str());
        return 1;
    }
    return PrintResponse(*response) ? 0 : 2;
}

struct WalkState
{
    CCommonSNMP* session = nullptr;
    long rows = 0;
    int status = 0;
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
    for (const SnmpBinding& b : response->getBindings())
        PrintBinding(b);
    ++w->rows;
    w->session->getNext(WalkStep, w, 0);
}

int DoWalk(CCommonSNMP& s, const std::string& oid)
{
    if (!s.Open(SnmpPdu::GetNext) || s.addValue(oid, SnmpType::Null, nullptr) != 0) {
        std::fprintf(stderr, "kxsnmp: bad OID %s\n", oid.c_str());
        return 1;
    }
    WalkState w;
    w.session = &s;
    if (s.getNext(WalkStep, &w, 0) != 0)
        return 1;
    s.WaitWalkDone(-1);
    if (w.status != SnmpResult::EndOfTable) {
        std::fprintf(stderr, "Timeout: No Response from %s.\n", s.AgentAddress().c_str());
        return 1;
    }
    if (w.rows == 0) {
        // Like snmpwalk: an OID with nothing below it may be an object itself.
        std::unique_ptr<CSnmp> response;
        if (!s.Open(SnmpPdu::Get) || s.addValue(oid, SnmpType::Null, nullptr) != 0 ||
            s.send(response, 0) != 0 || !response)
            return 1;
        int type = 0;
        std::string value;
        int errorStatus = 0;
        int errorIndex = 0;
        response->getErrorInfo(errorStatus, errorIndex);
        if (errorStatus == 0 && response->getValue(0, type, value) == 0 &&
            type != SnmpType::NoSuchObject && type != SnmpType::NoSuchInstance)
            PrintResponse(*response);
        else
            std::printf("%s = No Such Object available on this agent at this OID\n", oid.c_str());
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(kUsage, stdout);
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
        rc = DoGet(session, o.rest, SnmpPdu::Get);
    else if (o.command == "next")
        rc = DoGet(session, o.rest, SnmpPdu::GetNext);
    else if (o.command == "walk" && o.rest.size() == 1)
        rc = DoWalk(session, o.rest[0]);
    else if (o.command == "set")
        rc = DoSet(session, o.rest);
    else
        std::fprintf(stderr, "kxsnmp: unknown command %s\n%s", o.command.c_str(), kUsage);
    session.Close();
    std::fflush(stdout);
    return rc;
}
