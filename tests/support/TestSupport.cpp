#include "tests/support/TestSupport.h"

#include "base/Trace.h"

#include <QtGlobal>

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <netinet/in.h>
#include <poll.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace kxtest {

int FreeUdpPort()
{
    int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    if (fd < 0)
        return -1;
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int port = -1;
    socklen_t len = sizeof a;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 &&
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len) == 0)
        port = ntohs(a.sin_port);
    ::close(fd);
    return port;
}

std::string BinDir()
{
    const char* d = std::getenv("KX_BIN_DIR");
    return d ? d : "";
}

TempDir::TempDir()
{
    const char* base = std::getenv("TMPDIR");
    std::string templ = std::string(base && *base ? base : "/tmp") + "/kxtest.XXXXXX";
    std::vector<char> buf(templ.begin(), templ.end());
    buf.push_back('\0');
    if (::mkdtemp(buf.data()))
        m_path = buf.data();
}

TempDir::~TempDir()
{
    if (!m_path.empty()) {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
}

ChildProcess::~ChildProcess()
{
    if (m_pid > 0)
        stop(SIGKILL, std::chrono::seconds(2));
    if (m_stdout >= 0)
        ::close(m_stdout);
}

bool ChildProcess::start(const std::vector<std::string>& argv,
                         const std::map<std::string, std::string>& extraEnv, const std::string& errPath)
{
    if (argv.empty())
        return false;
    int pipefd[2];
    if (::pipe2(pipefd, O_CLOEXEC) != 0)
        return false;

    std::vector<std::string> envStrings;
    for (char** e = environ; *e; ++e) {
        std::string entry(*e);
        const std::string key = entry.substr(0, entry.find('='));
        if (!extraEnv.count(key))
            envStrings.push_back(entry);
    }
    for (const auto& [k, v] : extraEnv)
        envStrings.push_back(k + "=" + v);
    const auto pointers = [](std::vector<std::string>& strings) {
        std::vector<char*> out;
        for (auto& s : strings)
            out.push_back(s.data());
        out.push_back(nullptr);
        return out;
    };
    std::vector<std::string> args = argv;
    std::vector<char*> envp = pointers(envStrings), cargv = pointers(args);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipefd[1], 1);
    if (!errPath.empty())
        posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    pid_t pid = -1;
    const int rc = ::posix_spawnp(&pid, cargv[0], &actions, nullptr, cargv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipefd[1]);
    if (rc != 0) {
        ::close(pipefd[0]);
        return false;
    }
    m_pid = pid;
    m_stdout = pipefd[0];
    return true;
}

bool ChildProcess::readLine(std::string& line, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        const auto nl = m_buffer.find('\n');
        if (nl != std::string::npos) {
            line = m_buffer.substr(0, nl);
            m_buffer.erase(0, nl + 1);
            return true;
        }
        if (m_stdout < 0)
            return false;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return false;
        pollfd p{m_stdout, POLLIN, 0};
        if (::poll(&p, 1, static_cast<int>(left.count())) <= 0)
            return false;
        char chunk[4096];
        const ssize_t n = ::read(m_stdout, chunk, sizeof chunk);
        if (n <= 0) {
            ::close(m_stdout);
            m_stdout = -1;
            if (m_buffer.empty())
                return false;
            line = m_buffer;
            m_buffer.clear();
            return true;
        }
        m_buffer.append(chunk, static_cast<std::size_t>(n));
    }
}

int ChildProcess::stop(int signal, std::chrono::milliseconds timeout)
{
    if (m_pid <= 0)
        return -1;
    ::kill(m_pid, signal);
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    int status = 0;
    for (;;) {
        const pid_t r = ::waitpid(m_pid, &status, WNOHANG);
        if (r == m_pid)
            break;
        if (std::chrono::steady_clock::now() >= deadline) {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, &status, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    m_pid = -1;
    return status;
}

ToolRun RunTool(const std::vector<std::string>& argv, const std::map<std::string, std::string>& env,
                std::chrono::milliseconds limit)
{
    static TempDir dir;
    const std::string errPath = dir.file("stderr");
    ToolRun r;
    ChildProcess child;
    if (!child.start(argv, env, errPath))
        return r;
    std::string line;
    while (child.readLine(line, limit))
        r.out.push_back(line);
    const int status = child.stop(SIGTERM, std::chrono::seconds(5));
    r.exit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream in(errPath);
    r.err.assign(std::istreambuf_iterator<char>(in), {});
    return r;
}

bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

namespace {

std::mutex g_traceMutex;
std::vector<std::string> g_traceLines;
QtMessageHandler g_previousHandler = nullptr;

void CaptureHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (context.category && std::strcmp(context.category, "kx.trace") == 0) {
        std::lock_guard lock(g_traceMutex);
        g_traceLines.push_back(message.toStdString());
        return;
    }
    if (g_previousHandler)
        g_previousHandler(type, context, message);
}

} // namespace

TraceCapture::TraceCapture()
{
    kx::InstallQtTraceSink();
    {
        std::lock_guard lock(g_traceMutex);
        g_traceLines.clear();
    }
    const_cast<QLoggingCategory&>(lcKxTrace()).setEnabled(QtDebugMsg, true);
    g_previousHandler = qInstallMessageHandler(CaptureHandler);
}

TraceCapture::~TraceCapture()
{
    qInstallMessageHandler(g_previousHandler);
    const_cast<QLoggingCategory&>(lcKxTrace()).setEnabled(QtDebugMsg, false);
}

std::vector<std::string> TraceCapture::lines() const
{
    std::lock_guard lock(g_traceMutex);
    return g_traceLines;
}

std::vector<std::string> TraceCapture::linesStartingWith(const std::string& prefix) const
{
    std::vector<std::string> found;
    for (const auto& l : lines())
        if (l.rfind(prefix, 0) == 0)
            found.push_back(l);
    return found;
}

bool TraceCapture::contains(const std::string& line) const
{
    const auto all = lines();
    return std::find(all.begin(), all.end(), line) != all.end();
}

void TraceCapture::clear()
{
    std::lock_guard lock(g_traceMutex);
    g_traceLines.clear();
}

} // namespace kxtest
