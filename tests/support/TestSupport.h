#pragma once

#include <chrono>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include <sys/types.h>

namespace kxtest {

// A UDP port on 127.0.0.1 that was free a moment ago.
int FreeUdpPort();

// Where the build put the programs (KX_BIN_DIR).
std::string BinDir();

// A fresh directory under $TMPDIR, removed with everything in it on destruction.
class TempDir
{
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return m_path; }
    std::string file(const std::string& name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

// A child process started from an argument list (never a shell). Standard output
// is captured line by line; standard error goes to the test's.
class ChildProcess
{
public:
    ChildProcess() = default;
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Standard error goes to `errPath` when one is given.
    bool start(const std::vector<std::string>& argv,
               const std::map<std::string, std::string>& extraEnv = {}, const std::string& errPath = {});
    // Reads one line of standard output; false on time-out or end of output.
    bool readLine(std::string& line, std::chrono::milliseconds timeout);
    // Sends `signal`, waits up to `timeout` and kills it after that. Returns the exit status.
    int stop(int signal = 15, std::chrono::milliseconds timeout = std::chrono::seconds(5));
    bool running() const { return m_pid > 0; }
    pid_t pid() const { return m_pid; }

private:
    pid_t m_pid = -1;
    int m_stdout = -1;
    std::string m_buffer;
};

// A program run to its end: its output by line, what it wrote on standard error
// and its exit status (-1 when it could not start or was ended by a signal).
struct ToolRun
{
    std::vector<std::string> out;
    std::string err;
    int exit = -1;
};
ToolRun RunTool(const std::vector<std::string>& argv, const std::map<std::string, std::string>& env,
                std::chrono::milliseconds limit);

// Waits until `condition` is true or the time is up, polling every few milliseconds.
bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds timeout);

// Captures the program's trace lines (category kx.trace) while it lives.
class TraceCapture
{
public:
    TraceCapture();
    ~TraceCapture();
    TraceCapture(const TraceCapture&) = delete;
    TraceCapture& operator=(const TraceCapture&) = delete;

    std::vector<std::string> lines() const;
    // The lines that begin with `prefix`, in order (the "=====...Close" banners, say).
    std::vector<std::string> linesStartingWith(const std::string& prefix) const;
    bool contains(const std::string& line) const;
    void clear();
};

} // namespace kxtest
