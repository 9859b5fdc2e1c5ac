#pragma once

// The SNMP engine: request objects, responses and table stepping over net-snmp.
//
// net-snmp keeps global state without locks (USM users, engine-time cache,
// request ids), so every net-snmp call happens on one engine thread. The classes
// here are plain data plus a hand-over to that thread; any thread may use them,
// one request object at a time. No net-snmp header is included here: it defines
// macros (READ, WRITE, FREE, ...) that would leak into every user.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// Value type codes of addValue() and getValue().
namespace SnmpType {
enum : int
{
    Integer = 1,
    OctetString = 2,
    Null = 4,
    ObjectId = 5,
    IpAddress = 8,
    Counter32 = 9,
    Unsigned32 = 10, // also Gauge32: the same tag on the wire
    TimeTicks = 11,
    Opaque = 12,
    Counter64 = 13,
    NoSuchObject = 14,
    NoSuchInstance = 15,
    EndOfMibView = 16,
};
}

// PDU type codes of setType(): the SNMP PDU tag numbers.
namespace SnmpPdu {
enum : int
{
    Get = 0,
    GetNext = 1,
    Response = 2,
    Set = 3,
};
}

// Results of send() and getNext().
namespace SnmpResult {
enum : int
{
    Ok = 0,
    Failed = -1,     // time-out, unreachable agent, refused credentials, bad request
    EndOfTable = -2, // a get-next step has left the columns it was given
};
}

// The security levels of setMsgFlags().
namespace SnmpMsgFlags {
enum : int
{
    NoAuthNoPriv = 0,
    AuthNoPriv = 1,
    AuthPriv = 3,
};
}

// setAuthArith(): 0 HMAC-MD5-96, 1 HMAC-SHA-96 (RFC 3414), 2..5 HMAC-SHA-224/256/384/512 (RFC 7860).
// setPriArith(): 0 CBC-DES, 1 CFB-AES-128 (RFC 3826).
namespace SnmpAuth {
enum : int
{
    Md5 = 0,
    Sha = 1,
    Sha224 = 2,
    Sha256 = 3,
    Sha384 = 4,
    Sha512 = 5,
};
}
namespace SnmpPriv {
enum : int
{
    Des = 0,
    Aes128 = 1,
};
}

struct SnmpBinding
{
    std::string oid;   // dotted numeric text
    int type = SnmpType::Null;
    std::string value; // see CSnmp::getValue
};

class CSnmp;

// Completion of an asynchronous send: the response (null unless status is 0),
// the request id the send was given, and the status (SnmpResult).
using SnmpResponseCallback =
    std::function<void(std::unique_ptr<CSnmp> response, int requestId, int status)>;

class CSnmp
{
public:
    virtual ~CSnmp();
    CSnmp(const CSnmp&) = delete;
    CSnmp& operator=(const CSnmp&) = delete;

    int getVersion() const;

    // PDU type (SnmpPdu). Returns 0, or -1 for a type that is not a request.
    int setType(int pduType);
    int getType() const;
    void clearVarBindList();

    // Appends one binding. `value` is decimal text (Integer, Unsigned32), dotted
    // text (IpAddress), NUL-terminated text (OctetString) or null (Null); the form
    // with a length takes raw octets. 0, or -1 for a malformed OID or value.
    int addValue(const std::string& oid, int type, const char* value);
    int addValue(const std::string& oid, int type, const char* value, int length);

    int getValuesCount() const;
    // Binding `index` of a response: integer-like types as decimal text, OCTET
    // STRING and Opaque as raw octets, IpAddress and OBJECT IDENTIFIER as dotted
    // text, the exceptions (noSuchObject, ...) and NULL as empty text. 0, or -1
    // for an index out of range.
    int getValue(int index, int& type, std::string& value) const;
    int getValue(int index, int& type, std::string& value, int& length) const;
    int getOid(int index, std::string& oid) const;
    // Error status and index of a response (0, 0 for a request).
    int getErrorInfo(int& errorStatus, int& errorIndex) const;
    // The id of this object's latest send (a response carries its request's id).
    int getRequestID() const;

    std::vector<SnmpBinding> getBindings() const;

    // Sends the request to `agent` ("host", "host:port" or "[v6]:port"; the port
    // defaults to 161) and waits for the answer. The host is a dotted IPv4
    // address or an IPv6 literal; a name fails like an unreachable agent, without
    // a look-up. 0 with the response, or -1 with none. A response with an error
    // status is still 0.
    int send(const std::string& agent, std::unique_ptr<CSnmp>& response, int timeoutMs);

    // Starts the send and returns at once: 0 when it was started, -1 when not
    // (then the callback never runs). The callback runs on the engine's callback
    // thread, never inside this call, exactly once unless the send is aborted.
    int sendAsync(const std::string& agent, SnmpResponseCallback callback, int timeoutMs);

    // Ends every send of this object that has not completed: a waiting send()
    // returns -1 at once and the callbacks of asynchronous ones never run.
    void abort();

    struct State;

protected:
    explicit CSnmp(int version);
    std::shared_ptr<State> m_state;

    friend class CSnmpTable;
    friend std::unique_ptr<CSnmp> MakeSnmpResponse(int version);
    friend void FillSnmpResponse(CSnmp& response, int requestId, int errorStatus, int errorIndex,
                                 std::vector<SnmpBinding> bindings);
};

class CSnmpV1 : public CSnmp
{
public:
    explicit CSnmpV1(int reserved = 0);
    int setCommunity(const std::string& community);
};

class CSnmpV3 : public CSnmp
{
public:
    explicit CSnmpV3(int reserved = 0);
    int setMsgMaxSize(int size);
    int setMsgSecurityModel(int model);
    int setUserName(const std::string& name);
    int setMsgFlags(int flags);
    int setAuthArith(int algorithm);
    int setAuthPwd(const char* password, int length);
    int setPriArith(int algorithm);
    int setPriPwd(const char* password, int length);
};

// Walks columns side by side with get-next steps on a request it is bound to
// (not owned). The columns are the OIDs the request holds when its bindings were
// last added; each step continues from the OIDs the previous one answered.
class CSnmpTable
{
public:
    explicit CSnmpTable(CSnmp* request);
    ~CSnmpTable();
    CSnmpTable(const CSnmpTable&) = delete;
    CSnmpTable& operator=(const CSnmpTable&) = delete;

    // One step. On a get-next request: 0 with the row (all bindings in column
    // order), -2 when binding 0 has left its column, a version-1 agent answered
    // noSuchName or binding 0 is endOfMibView, -1 on a time-out, an answer whose
    // OIDs are not past the ones asked for, or any other error. On another PDU
    // type it is a plain send.
    int getNext(const std::string& agent, std::unique_ptr<CSnmp>& response, int timeoutMs);

    // The same step, asynchronously; the request's getRequestID() is the step's
    // id as soon as this returns. 0 when started, -1 when not.
    int getNext(const std::string& agent, SnmpResponseCallback callback, int timeoutMs);

    // The part of binding `index`'s OID in `response` after the column OID asked
    // for, beginning with "." (".5" for row 5). 0, or -1 when the binding is not
    // inside that column.
    int getSuffix(int index, const CSnmp* response, std::string& suffix) const;

    // For the table's own evaluation of an answer.
    static const CSnmp::State* StateOf(const CSnmp& response) { return response.m_state.get(); }

private:
    CSnmp* m_request;
};

namespace kx::snmpengine {

// The next process-wide request id: positive, and after two billion requests
// 1 again.
int NextRequestId();

// Starts the engine now. Anything that outlives main() and sends (a static
// session, say) calls it first, so the engine is torn down after it.
void StartEngine();

} // namespace kx::snmpengine
