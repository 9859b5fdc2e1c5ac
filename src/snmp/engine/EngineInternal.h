#pragma once

// Shared between the data side (Snmp.cpp) and the engine thread (SnmpEngine.cpp).
// Still free of net-snmp headers.

#include "snmp/SyncPrimitives.h"
#include "snmp/engine/Snmp.h"

#include <atomic>
#include <mutex>
#include <string_view>

namespace kx::snmpengine {

struct V3Params
{
    int msgMaxSize = 65507;
    int securityModel = 3;
    std::string userName;
    int msgFlags = SnmpMsgFlags::NoAuthNoPriv;
    int authArith = -1;
    std::string authPassword;
    int privArith = -1;
    std::string privPassword;
};

// Where a request goes and as whom. Made when a request object is first sent to
// an agent and kept until its credentials or the agent change, so that a send
// shares it instead of copying credentials and building the session key anew.
struct Target
{
    int version = 1;
    std::string community;
    V3Params v3;
    // A numeric IPv4 or IPv6 address; empty when the agent address is anything
    // else. Host names are never resolved: a silent name server would hold up
    // the one engine thread and every session with it.
    std::string host;
    int port = 161;
    // The engine's key of the net-snmp session for this agent and these
    // credentials (every community shares the session of its agent).
    std::string sessionKey;
};

// One send on its way through the engine.
struct Job
{
    enum : int
    {
        Waiting = 0,
        Completed = 1,
        Abandoned = 2,
        Delivering = 3,
    };

    int requestId = 0;
    int pduType = SnmpPdu::Get;
    std::vector<SnmpBinding> bindings;
    std::shared_ptr<const Target> target;
    int timeoutMs = 3000;

    std::atomic<int> state{Waiting};
    int status = SnmpResult::Failed;
    std::unique_ptr<CSnmp> response;

    bool async = false;
    // Set once for a synchronous send. An event, not a semaphore: the library's
    // semaphore spins with sched_yield before it sleeps, and a walk's waiting
    // thread then competes for the processor with the agent it talks to.
    kx::ManualResetEvent done{false};
    SnmpResponseCallback callback;

    // Gives up a job that has not been completed; true when this call did it.
    bool abandon();
};


bool ParseSigned(std::string_view text, long long min, long long max, long long& out);
bool ParseIpv4(std::string_view text);
// "host", "host:port" or "[v6]:port"; the port defaults to 161.
bool SplitAgent(const std::string& agent, std::string& host, int& port);
// A dotted IPv4 address or an IPv6 literal; nothing that needs a resolver.
bool NumericHost(const std::string& host);
std::shared_ptr<const Target> MakeTarget(int version, const std::string& community, const V3Params& v3,
                                         const std::string& agent);

// Hands a job to the engine thread. False when the engine cannot take it (the
// job is then completed with -1 by the caller's path).
bool Submit(const std::shared_ptr<Job>& job);
// Waits for a synchronous job; true when it completed (not abandoned).
bool WaitForJob(const std::shared_ptr<Job>& job);

} // namespace kx::snmpengine

struct CSnmp::State
{
    mutable std::mutex mutex;
    int version = 1;
    int pduType = SnmpPdu::Get;
    std::vector<SnmpBinding> bindings;
    // The OIDs as the caller added them: the columns a table walk stays inside.
    std::vector<std::string> columns;
    // Bumped whenever the caller changes the bindings, so a step that completes
    // late does not move OIDs of a request that was rebuilt meanwhile.
    std::uint64_t generation = 0;
    int requestId = 0;
    int errorStatus = 0;
    int errorIndex = 0;
    std::string community;
    kx::snmpengine::V3Params v3;
    // The target of the latest send and the agent text it was made for; dropped
    // whenever a credential changes.
    std::string targetAgent;
    std::shared_ptr<const kx::snmpengine::Target> target;
    std::vector<std::weak_ptr<kx::snmpengine::Job>> inflight;
};

std::unique_ptr<CSnmp> MakeSnmpResponse(int version);

// Fills a response object; used by the engine thread.
void FillSnmpResponse(CSnmp& response, int requestId, int errorStatus, int errorIndex,
                      std::vector<SnmpBinding> bindings);
