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

struct Job;
// Run by the engine thread when a synchronous job has been answered, before its
// sender is woken.
using JobChain = std::function<void(const std::shared_ptr<Job>& done)>;

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
    int version = 1;
    int pduType = SnmpPdu::Get;
    std::vector<SnmpBinding> bindings;
    std::string community;
    V3Params v3;
    std::string host;
    int port = 161;
    int timeoutMs = 3000;
    // The engine's key of the net-snmp session for this agent and these
    // credentials, made from the job itself when it is made.
    std::string sessionKey;

    std::atomic<int> state{Waiting};
    int status = SnmpResult::Failed;
    std::unique_ptr<CSnmp> response;

    bool async = false;
    // Set once for a synchronous send. An event, not a semaphore: the library's
    // semaphore spins with sched_yield before it sleeps, and a walk's waiting
    // thread then competes for the processor with the agent it talks to.
    kx::ManualResetEvent done{false};
    SnmpResponseCallback callback;
    JobChain chain;

    // Gives up a job that has not been completed; true when this call did it.
    bool abandon();
};


bool ParseSigned(std::string_view text, long long min, long long max, long long& out);
bool ParseIpv4(std::string_view text);
// "host", "host:port" or "[v6]:port"; the port defaults to 161.
bool SplitAgent(const std::string& agent, std::string& host, int& port);
// The key of the engine's net-snmp session for a job's agent and credentials.
std::string SessionKey(const Job& job);

// Hands a job to the engine thread. False when the engine cannot take it (the
// job is then completed with -1 by the caller's path).
bool Submit(const std::shared_ptr<Job>& job);
// Waits for a synchronous job; true when it completed (not abandoned).
bool WaitForJob(const std::shared_ptr<Job>& job);

// A synchronous send in two halves, so that a caller can have it on its way
// while it does something else (the table's read-ahead).
std::shared_ptr<Job> StartSend(const std::shared_ptr<CSnmp::State>& state, const std::string& agent,
                               int timeoutMs, JobChain chain = {});
// The same request for other OIDs, under a new id (read-ahead).
std::shared_ptr<Job> CloneJobFor(const Job& done, const std::vector<std::string>& oids);
// Lets CSnmp::abort() reach a job made for the request outside send().
void TrackJob(CSnmp::State& state, const std::shared_ptr<Job>& job);
int FinishSend(const std::shared_ptr<Job>& job, std::unique_ptr<CSnmp>& response);

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
    std::vector<std::weak_ptr<kx::snmpengine::Job>> inflight;
};

std::unique_ptr<CSnmp> MakeSnmpResponse(int version);

// Fills a response object; used by the engine thread.
void FillSnmpResponse(CSnmp& response, int requestId, int errorStatus, int errorIndex,
                      std::vector<SnmpBinding> bindings);
