#pragma once

// The SNMP agent: net-snmp's master agent serving the device's registrations,
// with community and USM access, the request log, injected faults and the
// reboot downtime. net-snmp keeps process-wide state, so there is one Agent
// per process. Nothing of net-snmp leaks into this header.

#include "sim/Device.h"
#include "sim/EventLoop.h"
#include "sim/Faults.h"
#include "sim/RequestLog.h"

#include <optional>
#include <string>

namespace kxsim {

struct V3User
{
    std::string name;
    std::string level; // noAuthNoPriv, authNoPriv, authPriv
    std::string auth;  // MD5, SHA, SHA-224, SHA-256, SHA-384, SHA-512 (empty without)
    std::string authPass;
    std::string priv;  // DES, AES (empty without)
    std::string privPass;
};
// NAME:LEVEL:AUTH:AUTHPASS:PRIV:PRIVPASS
std::optional<V3User> ParseUserArgument(std::string_view argument, std::string& error);

struct AgentOptions
{
    std::string listen = "127.0.0.1:16100"; // ADDR:PORT or [ADDR]:PORT; port 0 picks one
    bool allowRemote = false;
    std::string readCommunity = "qolvat";
    std::string writeCommunity = "merudos";
    std::vector<V3User> users;
    std::string engineId; // octets; empty: the default
    bool quiet = false;
    bool honourGlobalState = false;
};

// Checks a listen address and returns the transport string net-snmp opens and the
// IPv4 address the device reports as its own.
std::string ParseListen(const AgentOptions& o, std::string& transport, std::uint32_t& agentIp);

class Agent
{
public:
    Agent(Device& device, EventLoop& loop, RequestLog& log, Faults& faults);
    ~Agent();
    Agent(const Agent&) = delete;
    Agent& operator=(const Agent&) = delete;

    // Opens the UDP endpoint and starts serving. Returns an error text.
    std::string start(const AgentOptions& options);
    // The same agent without a socket: datagrams come from feed() (fuzzing).
    std::string startDetached(const AgentOptions& options);
    std::string boundAddress() const { return m_bound; }

    void run();
    // Safe from a signal handler.
    void requestStop();
    void shutdown();

    // Processes one datagram as if it had arrived; returns how many answers
    // the agent produced.
    std::size_t feed(const std::uint8_t* data, std::size_t size);

    // Answers nothing at all (not even engine discovery) for a while.
    void setUnreachable(double seconds);
    double unreachableFor() const;
    unsigned long engineBoots() const;

private:
    std::string init(const AgentOptions& options);

    Device& m_device;
    EventLoop& m_loop;
    RequestLog& m_log;
    Faults& m_faults;
    std::string m_bound;
    std::string m_persistentDir;
    int m_wakePipe[2] = {-1, -1};
    bool m_started = false;
};

} // namespace kxsim
