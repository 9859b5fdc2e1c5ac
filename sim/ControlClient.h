#pragma once

// Client side of the simulator's control channel, header-only so that test
// fixtures can use it without linking the simulator.
//
// Protocol: the client sends one command per line; the simulator answers with
// zero or more data lines and then a line that is exactly "ok" or starts with
// "error: ". Words are separated by blanks; "quoted words" take C escapes.

#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <optional>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <vector>

namespace kxsim {

struct ControlReply
{
    bool ok = false;
    std::vector<std::string> lines; // the data lines
    std::string error;              // when !ok: the simulator's or the transport's complaint
};

class ControlClient
{
public:
    explicit ControlClient(std::string path) : m_path(std::move(path)) {}

    // Sends one command line (one connection per command) and waits for its answer.
    ControlReply send(const std::string& command, int timeoutMs = 10000) const
    {
        ControlReply reply;
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd < 0) {
            reply.error = std::string("socket: ") + std::strerror(errno);
            return reply;
        }
        sockaddr_un addr{};
        addr.sun_family = AF_UNIX;
        if (m_path.size() >= sizeof addr.sun_path) {
            ::close(fd);
            reply.error = "control path too long";
            return reply;
        }
        std::memcpy(addr.sun_path, m_path.c_str(), m_path.size() + 1);
        if (::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
            reply.error = "connect " + m_path + ": " + std::strerror(errno);
            ::close(fd);
            return reply;
        }
        std::string out = command;
        for (char& c : out)
            if (c == '\n' || c == '\r')
                c = ' ';
        out += '\n';
        for (std::size_t sent = 0; sent < out.size();) {
            const ssize_t n = ::send(fd, out.data() + sent, out.size() - sent, MSG_NOSIGNAL);
            if (n <= 0) {
                reply.error = std::string("send: ") + std::strerror(errno);
                ::close(fd);
                return reply;
            }
            sent += static_cast<std::size_t>(n);
        }
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        std::string buffer;
        for (;;) {
            std::size_t nl;
            while ((nl = buffer.find('\n')) != std::string::npos) {
                std::string line = buffer.substr(0, nl);
                buffer.erase(0, nl + 1);
                if (line == "ok") {
                    reply.ok = true;
                    ::close(fd);
                    return reply;
                }
                if (line.rfind("error: ", 0) == 0) {
                    reply.error = line.substr(7);
                    ::close(fd);
                    return reply;
                }
                reply.lines.push_back(std::move(line));
            }
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            pollfd p{fd, POLLIN, 0};
            if (left.count() <= 0 || ::poll(&p, 1, static_cast<int>(left.count())) <= 0) {
                reply.error = "no answer from the simulator";
                break;
            }
            char chunk[8192];
            const ssize_t n = ::recv(fd, chunk, sizeof chunk, 0);
            if (n <= 0) {
                reply.error = "the simulator closed the connection";
                break;
            }
            buffer.append(chunk, static_cast<std::size_t>(n));
        }
        ::close(fd);
        return reply;
    }

private:
    std::string m_path;
};

// A word for a command line: quoted when it holds blanks, quotes or controls.
inline std::string QuoteWord(const std::string& word)
{
    bool plain = !word.empty();
    for (unsigned char c : word)
        if (c <= ' ' || c == '"' || c == '\\' || c >= 0x7f)
            plain = false;
    if (plain)
        return word;
    std::string out = "\"";
    for (unsigned char c : word) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || c >= 0x7f) {
            static const char* hex = "0123456789ABCDEF";
            out += "\\x";
            out += hex[c >> 4];
            out += hex[c & 15];
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

// Undoes the escapes of the log's name field and of quoted values.
inline std::string UnescapeText(const std::string& s)
{
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\\' || i + 1 >= s.size()) {
            out += s[i];
            continue;
        }
        const char c = s[++i];
        if (c == 'n')
            out += '\n';
        else if (c == 't')
            out += '\t';
        else if (c == 'r')
            out += '\r';
        else if (c == 'x' && i + 2 < s.size() && std::isxdigit(static_cast<unsigned char>(s[i + 1])) &&
                 std::isxdigit(static_cast<unsigned char>(s[i + 2]))) {
            out += static_cast<char>(std::stoi(s.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else
            out += c;
    }
    return out;
}

// A value as the dump and the log write it: text values come back unquoted,
// everything else as written (numbers, dotted OIDs and addresses, hex octets
// joined by "-").
inline std::string DecodeValueText(const std::string& type, const std::string& text)
{
    if (type == "s" && text.size() >= 2 && text.front() == '"' && text.back() == '"')
        return UnescapeText(text.substr(1, text.size() - 2));
    if ((type == "x" || type == "pl") && text == "\"\"")
        return {};
    return text;
}

struct ObjectText
{
    std::string oid;    // numeric, without a leading dot
    std::string type;   // i u c t a o s x pl n (with its constraint in a dump, e.g. "i(1..7)")
    std::string access; // R W C (dump only)
    std::string value;  // decoded as DecodeValueText does
};

// One line of "dump": OID TYPE ACCESS VALUE.
inline std::optional<ObjectText> ParseDumpLine(const std::string& line)
{
    const auto a = line.find(' ');
    const auto b = a == std::string::npos ? a : line.find(' ', a + 1);
    const auto c = b == std::string::npos ? b : line.find(' ', b + 1);
    if (c == std::string::npos)
        return std::nullopt;
    ObjectText o;
    o.oid = line.substr(0, a);
    o.type = line.substr(a + 1, b - a - 1);
    o.access = line.substr(b + 1, c - b - 1);
    const std::string base = o.type.substr(0, o.type.find('('));
    o.value = DecodeValueText(base, line.substr(c + 1));
    return o;
}

struct LoggedRequest
{
    std::uint64_t seq = 0;
    long long ms = 0;      // milliseconds since the simulator started
    std::string pdu;       // get, getnext, getbulk, set
    std::string version;   // 1, 2c, 3
    std::string name;      // community or user
    std::string status;    // noError, an error name, refused, dropped; ",delayed" / ",duplicated" appended
    std::vector<ObjectText> bindings; // type and value of a set's bindings; "n" / "-" otherwise
};

// One line of "log": tab-separated SEQ MS PDU VERSION NAME STATUS, then one
// "OID TYPE VALUE" field per binding.
inline std::optional<LoggedRequest> ParseLogLine(const std::string& line)
{
    std::vector<std::string> f;
    std::size_t start = 0;
    for (;;) {
        const auto tab = line.find('\t', start);
        f.push_back(line.substr(start, tab - start));
        if (tab == std::string::npos)
            break;
        start = tab + 1;
    }
    if (f.size() < 6)
        return std::nullopt;
    LoggedRequest r;
    try {
        r.seq = std::stoull(f[0]);
        r.ms = std::stoll(f[1]);
    } catch (...) {
        return std::nullopt;
    }
    r.pdu = f[2];
    r.version = f[3];
    r.name = UnescapeText(f[4]);
    r.status = f[5];
    for (std::size_t i = 6; i < f.size(); ++i) {
        const auto a = f[i].find(' ');
        const auto b = a == std::string::npos ? a : f[i].find(' ', a + 1);
        if (b == std::string::npos)
            return std::nullopt;
        ObjectText o;
        o.oid = f[i].substr(0, a);
        o.type = f[i].substr(a + 1, b - a - 1);
        o.value = DecodeValueText(o.type, f[i].substr(b + 1));
        r.bindings.push_back(std::move(o));
    }
    return r;
}

} // namespace kxsim
