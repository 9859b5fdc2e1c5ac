#pragma once

// The control channel: a local stream socket speaking the line protocol of
// ControlClient.h, and the commands it offers (see sim/README.md).

#include "sim/Agent.h"

#include <functional>
#include <map>
#include <sys/resource.h>
#include <string>
#include <vector>

namespace kxsim {

struct CommandResult
{
    std::vector<std::string> lines;
    std::string error; // empty: ok
};

class Commands
{
public:
    Commands(Device& device, Agent& agent, RequestLog& log, Faults& faults, std::function<void()> stop);
    CommandResult run(const std::string& line);

private:
    Device& m_device;
    Agent& m_agent;
    RequestLog& m_log;
    Faults& m_faults;
    std::function<void()> m_stop;
};

class ControlServer
{
public:
    ControlServer(EventLoop& loop, std::function<CommandResult(const std::string&)> handler);
    ~ControlServer();
    ControlServer(const ControlServer&) = delete;
    ControlServer& operator=(const ControlServer&) = delete;

    std::string listen(const std::string& path);

private:
    void accept();
    void backOff();
    void readable(int fd);
    void close(int fd);

    static constexpr double kAcceptRetrySeconds = 0.2;
    static constexpr rlim_t kReservedDescriptors = 8;

    EventLoop& m_loop;
    std::function<CommandResult(const std::string&)> m_handler;
    std::string m_path;
    int m_listen = -1;
    std::uint64_t m_retry = 0; // timer that watches the listener again
    std::map<int, std::string> m_buffers;
};

} // namespace kxsim
