// The one client the simulator benchmark points at kxsim and at snmpd in turn:
// SNMPv2c GETs of sysDescr.0, one at a time, as fast as the agent answers.
//
//   kxsim_getrate HOST PORT [SECONDS]   prints answered GETs per second
//   kxsim_getrate --free-port           prints a UDP port on 127.0.0.1 that is free

#include <arpa/inet.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <netinet/in.h>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <unistd.h>

namespace {

std::string Tlv(unsigned char tag, const std::string& body)
{
    return std::string(1, static_cast<char>(tag)) + static_cast<char>(body.size()) + body;
}

// GET sysDescr.0 with community "qolvat" and a 4-octet request id.
std::string Request(std::uint32_t id)
{
    const std::string oid = Tlv(0x06, std::string("\x2b\x06\x01\x02\x01\x01\x01\x00", 8));
    const std::string vb = Tlv(0x30, oid + std::string("\x05\x00", 2));
    std::string reqId = {'\x02', '\x04', static_cast<char>(id >> 24), static_cast<char>(id >> 16),
                         static_cast<char>(id >> 8), static_cast<char>(id)};
    const std::string pdu = Tlv(0xa0, reqId + std::string("\x02\x01\x00\x02\x01\x00", 6) + Tlv(0x30, vb));
    return Tlv(0x30, std::string("\x02\x01\x01", 3) + Tlv(0x04, "qolvat") + pdu);
}

int FreePort()
{
    const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof a;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len) != 0)
        return -1;
    ::close(fd);
    return ntohs(a.sin_port);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], "--free-port") == 0) {
        std::printf("%d\n", FreePort());
        return 0;
    }
    if (argc < 3) {
        std::fprintf(stderr, "usage: kxsim_getrate HOST PORT [SECONDS] | --free-port\n");
        return 2;
    }
    const double seconds = argc > 3 ? std::atof(argv[3]) : 3.0;
    const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(static_cast<std::uint16_t>(std::atoi(argv[2])));
    if (::inet_pton(AF_INET, argv[1], &to.sin_addr) != 1 ||
        ::connect(fd, reinterpret_cast<sockaddr*>(&to), sizeof to) != 0) {
        std::fprintf(stderr, "bad address\n");
        return 2;
    }
    using Clock = std::chrono::steady_clock;
    // Four significant octets, so that the answer encodes the id exactly as sent.
    std::uint32_t id = 0x10000000;
    long answered = 0;
    long lost = 0;
    auto run = [&](double duration, bool count) {
        const auto end = Clock::now() + std::chrono::duration<double>(duration);
        while (Clock::now() < end) {
            const std::string req = Request(++id);
            if (::send(fd, req.data(), req.size(), 0) < 0)
                return;
            // Wait for this request's answer; stale ones are skipped.
            for (;;) {
                pollfd p{fd, POLLIN, 0};
                if (::poll(&p, 1, 1000) <= 0) {
                    lost += count;
                    break;
                }
                unsigned char buf[1500];
                const ssize_t n = ::recv(fd, buf, sizeof buf, 0);
                if (n <= 0)
                    continue;
                const std::string reply(reinterpret_cast<char*>(buf), static_cast<std::size_t>(n));
                if (reply.find(req.substr(req.find('\xa0') + 2, 6)) != std::string::npos) {
                    answered += count;
                    break;
                }
            }
        }
    };
    run(0.3, false); // warm up caches and the agent's first-request work
    const auto start = Clock::now();
    run(seconds, true);
    const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    std::printf("%.0f\n", answered / elapsed);
    if (lost)
        std::fprintf(stderr, "%ld requests unanswered\n", lost);
    return answered ? 0 : 1;
}
