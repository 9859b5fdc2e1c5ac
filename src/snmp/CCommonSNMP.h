#pragma once

#include "common/SessionSettings.h"
#include "snmp/SyncPrimitives.h"
#include "snmp/engine/Snmp.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

// One SNMP session with the managed switch: the one way every window talks to it.
//
// A session carries one request at a time; a window owns one per concurrent
// activity (gets, sets, each walk). Every operation answers with an integer
// (0 = success) or a boolean and never shows anything to the user.
//
// Walks: getNext() with a callback starts one step; the callback receives
// (response, request id, context, status), calls TakePending(id) first and drops
// the answer when that is false, and for status 0 stores the row and re-arms with
// getNext(callback, context, 0). Status -2 is the regular end of the table; any
// other non-zero status an error or time-out. Callbacks run on the engine's
// thread, never on the UI thread: they must not touch widgets, must not wait for
// another thread, and hand results to the UI thread by value.
//
// Once Close() (or the destructor) has returned, no callback of this session runs
// again; once Open() has returned, no answer of an earlier walk reaches a callback.
class CCommonSNMP
{
public:
    using WalkCallback =
        std::function<void(std::unique_ptr<CSnmp> response, int requestId, void* context, int status)>;

    // Copies the process-wide SessionSettings.
    CCommonSNMP();
    explicit CCommonSNMP(const SessionSettings& settings);
    virtual ~CCommonSNMP();

    CCommonSNMP(const CCommonSNMP&) = delete;
    CCommonSNMP& operator=(const CCommonSNMP&) = delete;

    // Prepares an empty request: 0 get, 1 get-next, 3 set. False for any other
    // type or SNMP version; the session then stays idle and usable.
    bool Open(int pduType);

    // Appends a binding (type codes of SnmpType: 1, 2, 4, 8, 10). 0, or -1 when
    // there is no request or the OID or value is malformed.
    int addValue(std::string oid, int type, const char* value);
    int addValue(std::string oid, int type, const char* value, int length);

    // Sends and waits; timeout 0 = the default (SessionTimeout). 0 with a
    // response the caller owns, or non-zero with none.
    int send(std::unique_ptr<CSnmp>& response, int timeout);
    // The same through the table object: one get-next step (or a get or set).
    int getNext(std::unique_ptr<CSnmp>& response, int timeout);
    // Starts one asynchronous step of a walk (on an Open(0) request: one
    // asynchronous get). 0 when started, -1 when not (walk-done is then signalled).
    int getNext(WalkCallback callback, void* context, int timeout);

    // Row index of binding `index` of a walk answer, e.g. ".5". 0 or -1.
    int getSuffix(int index, const CSnmp* response, std::string& suffix);

    bool TakePending(int requestId);
    void SetWalkDone();

    // Cancels: no walk starts until the next Open, the running step is abandoned,
    // and a callback that is running is waited for.
    void Close();

    // For tests and tools.
    bool WaitWalkDone(int milliseconds) const { return m_walkDone.wait(milliseconds); }
    bool IsWalkDone() const { return m_walkDone.isSet(); }
    int DefaultTimeout() const { return m_defaultTimeout; }
    const std::string& AgentAddress() const { return m_agent; }

    struct Core;

private:
    void SetUpSecurity(CSnmpV3& request);
    int StartStep(WalkCallback callback, void* context, int timeout);

    int m_version;
    std::unique_ptr<CSnmp> m_request;
    std::unique_ptr<CSnmpTable> m_table;
    std::string m_agent;
    int m_defaultTimeout;
    kx::ManualResetEvent m_walkDone{true};
    kx::IdleGate m_idle;
    std::string m_readCommunity;
    std::string m_writeCommunity;
    std::string m_securityLevel;
    std::string m_authProtocol;
    std::string m_privProtocol;
    std::string m_securityName;
    std::string m_authPassword;
    std::string m_privPassword;
    std::shared_ptr<Core> m_core;
};
