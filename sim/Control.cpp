#include "sim/Control.h"

#include "sim/model/Model.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <poll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace kxsim {

namespace {

const char* const kHelp[] = {
    "ping                                   answers pong",
    "dump [SUBTREE]                         objects as OID TYPE ACCESS VALUE",
    "get OID                                one object",
    "set OID TYPE ACCESS VALUE              writes an object, bypassing the rules",
    "erase OID                              removes an object",
    "log [SEQ] | log clear                  the requests after SEQ (all)",
    "scenario NAME | scenario list          applies a named variation",
    "cable PORT none|10M|100M               plugs or pulls a port's cable",
    "pd PORT class=C watts=W | pd PORT none attaches or detaches a powered device",
    "neighbour PORT chassis=.. port=.. ... | neighbour PORT none",
    "fdb VID MAC PORT learned|static|self | fdb VID MAC none",
    "host IP MAC PORT VID | host IP none    a host an address scan finds",
    "clock [YYYY-MM-DD HH:MM[:SS]]          shows or sets the simulated clock",
    "transfer [mode MODE | abort | reboot on|off]   MODE: success fail stuck4 stuck3 silent garbage",
    "fault add SUBTREE error STATUS|drop|delay MS|duplicate MS [count=N]",
    "fault list | fault clear [SUBTREE]",
    "unreachable SECONDS                    answers nothing for a while (0 ends it)",
    "status                                 engine boots, reboot, transfer",
    "save | reboot | reset | stop",
};

// Numbers separated by `sep`, each within its range, as many as there are (at
// most one a range); nullopt for anything else.
std::optional<std::vector<int>> Fields(const std::string& text, char sep,
                                       std::initializer_list<std::pair<int, int>> ranges)
{
    std::vector<int> out;
    std::size_t start = 0;
    for (const auto& [lo, hi] : ranges) {
        if (start > text.size())
            break;
        const auto end = std::min(text.find(sep, start), text.size());
        const std::string part = text.substr(start, end - start);
        const auto v = !part.empty() && part[0] != '-' ? ParseInt(part, lo, hi) : std::nullopt;
        if (!v)
            return std::nullopt;
        out.push_back(static_cast<int>(*v));
        start = end + 1;
    }
    if (start <= text.size())
        return std::nullopt; // more fields than asked for
    return out;
}

// "YYYY-MM-DD" and "HH:MM[:SS]" as a local time; nullopt for a date or time
// that does not exist (mktime would quietly roll 9999-99-99 over).
std::optional<std::time_t> ParseClock(const std::string& date, const std::string& time)
{
    const auto d = Fields(date, '-', {{1970, 9999}, {1, 12}, {1, 31}});
    const auto hm = Fields(time, ':', {{0, 23}, {0, 59}, {0, 59}});
    if (!d || d->size() != 3 || !hm || hm->size() < 2)
        return std::nullopt;
    std::tm tm{};
    tm.tm_isdst = -1;
    tm.tm_year = (*d)[0] - 1900;
    tm.tm_mon = (*d)[1] - 1;
    tm.tm_mday = (*d)[2];
    tm.tm_hour = (*hm)[0];
    tm.tm_min = (*hm)[1];
    tm.tm_sec = hm->size() > 2 ? (*hm)[2] : 0;
    const std::time_t t = std::mktime(&tm);
    if (t == static_cast<std::time_t>(-1) || tm.tm_mday != (*d)[2] || tm.tm_mon != (*d)[1] - 1)
        return std::nullopt; // the 31st of a shorter month
    return t;
}

} // namespace

Commands::Commands(Device& device, Agent& agent, RequestLog& log, Faults& faults, std::function<void()> stop)
    : m_device(device), m_agent(agent), m_log(log), m_faults(faults), m_stop(std::move(stop))
{
}

CommandResult Commands::run(const std::string& line)
{
    CommandResult r;
    std::vector<std::string> w;
    if (!SplitWords(line, w)) {
        r.error = "unterminated quote";
        return r;
    }
    if (w.empty()) {
        r.error = "empty command";
        return r;
    }
    const std::string& verb = w[0];
    auto usage = [&](const char* text) {
        r.error = std::string("usage: ") + text;
        return r;
    };

    if (verb == "ping") {
        r.lines.push_back("pong");
    } else if (verb == "help") {
        for (const char* h : kHelp)
            r.lines.push_back(h);
    } else if (verb == "dump") {
        Oid prefix;
        if (w.size() > 2)
            return usage("dump [SUBTREE]");
        if (w.size() == 2) {
            auto o = ParseOid(w[1]);
            if (!o)
                return usage("dump [SUBTREE]");
            prefix = *o;
        }
        r.lines = m_device.dump(prefix);
    } else if (verb == "get") {
        auto o = w.size() == 2 ? ParseOid(w[1]) : std::nullopt;
        if (!o)
            return usage("get OID");
        const Entry* e = m_device.get(*o);
        if (!e) {
            r.error = "no object " + FormatOid(*o);
            return r;
        }
        r.lines = m_device.dump(*o);
        r.lines.resize(1);
    } else if (verb == "set") {
        r.error = m_device.forceSet(std::vector<std::string>(w.begin() + 1, w.end()));
    } else if (verb == "erase") {
        auto o = w.size() == 2 ? ParseOid(w[1]) : std::nullopt;
        if (!o)
            return usage("erase OID");
        r.error = m_device.forceErase(*o);
    } else if (verb == "log") {
        if (w.size() == 2 && w[1] == "clear") {
            m_log.clear();
        } else if (w.size() <= 2) {
            std::uint64_t after = 0;
            if (w.size() == 2) {
                auto n = ParseInt(w[1], 0, 2147483647L);
                if (!n)
                    return usage("log [SEQ] | log clear");
                after = static_cast<std::uint64_t>(*n);
            }
            r.lines = m_log.lines(after);
        } else {
            return usage("log [SEQ] | log clear");
        }
    } else if (verb == "scenario") {
        if (w.size() == 2 && w[1] == "list")
            r.lines = m_device.scenarioNames();
        else if (w.size() == 2)
            r.error = m_device.applyScenario(w[1]);
        else
            return usage("scenario NAME | scenario list");
    } else if (verb == "cable" || verb == "pd" || verb == "neighbour" || verb == "fdb" || verb == "host") {
        r.error = m_device.worldCommand(w);
    } else if (verb == "clock") {
        if (w.size() == 1) {
            const std::time_t t = m_device.clock();
            std::tm tm{};
            localtime_r(&t, &tm);
            char buf[32];
            std::strftime(buf, sizeof buf, "%Y-%m-%d %H:%M:%S %a", &tm);
            r.lines.push_back(buf);
        } else if (w.size() == 3) {
            const auto t = ParseClock(w[1], w[2]);
            if (!t)
                return usage("clock YYYY-MM-DD HH:MM[:SS]");
            m_device.setClock(*t);
        } else {
            return usage("clock [YYYY-MM-DD HH:MM[:SS]]");
        }
    } else if (verb == "transfer") {
        if (w.size() == 1) {
            r.lines.push_back(std::string("mode ") + TransferModeName(m_device.transferMode) +
                              (m_device.transfer.running ? " running" : " idle") +
                              (m_device.upgradeReboots ? " reboot on" : " reboot off"));
        } else if (w.size() == 3 && w[1] == "mode") {
            auto m = ParseTransferMode(w[2]);
            if (!m)
                return usage("transfer mode success|fail|stuck4|stuck3|silent|garbage");
            m_device.transferMode = *m;
        } else if (w.size() == 2 && w[1] == "abort") {
            AbortTransfer(m_device);
        } else if (w.size() == 3 && w[1] == "reboot" && (w[2] == "on" || w[2] == "off")) {
            m_device.upgradeReboots = w[2] == "on";
        } else {
            return usage("transfer [mode MODE | abort | reboot on|off]");
        }
    } else if (verb == "fault") {
        if (w.size() == 2 && w[1] == "list") {
            r.lines = m_faults.describe();
        } else if (w.size() <= 3 && w.size() >= 2 && w[1] == "clear") {
            Oid prefix;
            if (w.size() == 3) {
                auto o = ParseOid(w[2]);
                if (!o)
                    return usage("fault clear [SUBTREE]");
                prefix = *o;
            }
            r.lines.push_back(std::to_string(m_faults.clear(prefix)) + " cleared");
        } else if (w.size() >= 4 && w[1] == "add") {
            auto o = ParseOid(w[2]);
            Fault f;
            std::size_t next = 4;
            const char* text = "fault add SUBTREE error STATUS|drop|delay MS|duplicate MS [count=N]";
            if (!o)
                return usage(text);
            f.subtree = *o;
            if (w[3] == "drop") {
                f.kind = Fault::Kind::Drop;
            } else if (w[3] == "error" && w.size() > 4) {
                auto e = ParseErrName(w[4]);
                if (!e || *e == Err::NoError)
                    return usage(text);
                f.kind = Fault::Kind::Error;
                f.error = *e;
                next = 5;
            } else if ((w[3] == "delay" || w[3] == "duplicate") && w.size() > 4) {
                auto ms = ParseInt(w[4], 1, 3600000);
                if (!ms)
                    return usage(text);
                f.kind = w[3] == "delay" ? Fault::Kind::Delay : Fault::Kind::Duplicate;
                f.ms = static_cast<int>(*ms);
                next = 5;
            } else {
                return usage(text);
            }
            if (next < w.size()) {
                if (next + 1 != w.size() || w[next].rfind("count=", 0) != 0)
                    return usage(text);
                auto n = ParseInt(w[next].substr(6), 1, 1000000);
                if (!n)
                    return usage(text);
                f.remaining = static_cast<int>(*n);
            }
            m_faults.add(f);
        } else {
            return usage("fault add ... | fault list | fault clear [SUBTREE]");
        }
    } else if (verb == "unreachable") {
        auto s = w.size() == 2 ? ParseInt(w[1], 0, 86400) : std::nullopt;
        if (!s)
            return usage("unreachable SECONDS");
        m_agent.setUnreachable(static_cast<double>(*s));
    } else if (verb == "status") {
        r.lines.push_back("boots " + std::to_string(m_agent.engineBoots()));
        r.lines.push_back(std::string("rebooting ") + (m_device.rebooting() ? "yes" : "no"));
        r.lines.push_back("uptime " + std::to_string(static_cast<long>(m_device.now() - m_device.bootTime)));
        r.lines.push_back("unreachable " + std::to_string(m_agent.unreachableFor()));
        r.lines.push_back(std::string("transfer ") + TransferModeName(m_device.transferMode) +
                          (m_device.transfer.running ? " running" : " idle"));
    } else if (verb == "save") {
        r.error = m_device.saveConfiguration();
    } else if (verb == "reboot") {
        m_device.reboot();
    } else if (verb == "reset") {
        m_faults.clear();
        m_log.clear();
        m_agent.setUnreachable(0);
        m_device.transferMode = TransferMode::Success;
        m_device.upgradeReboots = false;
        r.error = m_device.reset();
    } else if (verb == "stop") {
        m_stop();
    } else {
        r.error = "unknown command " + verb + " (try help)";
    }
    return r;
}

ControlServer::ControlServer(EventLoop& loop, std::function<CommandResult(const std::string&)> handler)
    : m_loop(loop), m_handler(std::move(handler))
{
}

ControlServer::~ControlServer()
{
    if (m_retry)
        m_loop.cancel(m_retry);
    while (!m_buffers.empty())
        close(m_buffers.begin()->first);
    if (m_listen >= 0) {
        m_loop.unwatch(m_listen);
        ::close(m_listen);
        ::unlink(m_path.c_str());
    }
}

std::string ControlServer::listen(const std::string& path)
{
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    if (path.empty() || path.size() >= sizeof addr.sun_path)
        return "control path empty or too long: " + path;
    // A socket left behind by a run that was killed is replaced; other files are not.
    struct stat st{};
    if (::lstat(path.c_str(), &st) == 0) {
        if (!S_ISSOCK(st.st_mode))
            return path + " exists and is not a socket";
        ::unlink(path.c_str());
    }
    m_listen = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (m_listen < 0)
        return std::string("socket: ") + std::strerror(errno);
    std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
    // Whoever may connect may change the device and stop the simulator: the
    // socket is made for the owner only, whatever the umask.
    const mode_t umask = ::umask(0077);
    const bool bound = ::bind(m_listen, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
    ::umask(umask);
    if (!bound || ::chmod(path.c_str(), 0600) != 0 || ::listen(m_listen, 16) != 0) {
        const std::string err = std::strerror(errno);
        ::close(m_listen);
        m_listen = -1;
        return "control " + path + ": " + err;
    }
    m_path = path;
    m_loop.watch(m_listen, [this] { accept(); });
    return {};
}

void ControlServer::accept()
{
    for (;;) {
        const int fd = ::accept4(m_listen, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0 && (errno == EMFILE || errno == ENFILE || errno == ENOBUFS || errno == ENOMEM)) {
            backOff();
            return;
        }
        if (fd < 0)
            return;
        // The agent needs a few descriptors of its own for every request (its
        // access check reads /etc/hosts.allow): a connection that would leave it
        // fewer is closed again.
        rlimit limit{};
        if (::getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY &&
            static_cast<rlim_t>(fd) + kReservedDescriptors >= limit.rlim_cur) {
            ::close(fd);
            backOff();
            return;
        }
        m_buffers[fd];
        m_loop.watch(fd, [this, fd] { readable(fd); });
    }
}

void ControlServer::backOff()
{
    // A pending connection keeps the listener readable: left watched, the loop
    // would spin on it and starve the agent. Look again once descriptors may
    // have been freed.
    m_loop.unwatch(m_listen);
    m_retry = m_loop.after(kAcceptRetrySeconds, [this] {
        m_retry = 0;
        m_loop.watch(m_listen, [this] { accept(); });
    });
}

void ControlServer::readable(int fd)
{
    char chunk[4096];
    const ssize_t n = ::recv(fd, chunk, sizeof chunk, MSG_DONTWAIT);
    if (n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR)) {
        close(fd);
        return;
    }
    if (n < 0)
        return;
    std::string& buf = m_buffers[fd];
    buf.append(chunk, static_cast<std::size_t>(n));
    if (buf.size() > (1u << 20)) {
        close(fd);
        return;
    }
    std::size_t nl;
    while ((nl = buf.find('\n')) != std::string::npos) {
        std::string line = buf.substr(0, nl);
        buf.erase(0, nl + 1);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        CommandResult result = m_handler(line);
        std::string out;
        for (const auto& l : result.lines)
            out += l + "\n";
        out += result.error.empty() ? std::string("ok\n") : "error: " + result.error + "\n";
        for (std::size_t sent = 0; sent < out.size();) {
            const ssize_t s = ::send(fd, out.data() + sent, out.size() - sent, MSG_NOSIGNAL);
            if (s <= 0) {
                if (s < 0 && errno == EINTR)
                    continue;
                if (s < 0 && errno == EAGAIN) {
                    pollfd p{fd, POLLOUT, 0};
                    ::poll(&p, 1, 1000);
                    continue;
                }
                close(fd);
                return;
            }
            sent += static_cast<std::size_t>(s);
        }
        if (!m_buffers.count(fd))
            return;
    }
}

void ControlServer::close(int fd)
{
    m_loop.unwatch(fd);
    m_buffers.erase(fd);
    ::close(fd);
}

} // namespace kxsim
