// Latency of a synchronous get through CCommonSNMP, and memory over many requests.
// Usage: bench_session --free-port
//        bench_session PORT [REQUESTS]

#include "snmp/CCommonSNMP.h"

#include <algorithm>
#include <arpa/inet.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <netinet/in.h>
#include <string>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

namespace {

long RssKb()
{
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::atol(line.c_str() + 6);
    return -1;
}

int FreePort()
{
    const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
    socklen_t len = sizeof a;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len);
    ::close(fd);
    return ntohs(a.sin_port);
}

bool GetOnce(CCommonSNMP& s)
{
    if (!s.Open(SnmpPdu::Get) || s.addValue("1.3.6.1.2.1.1.5.0", SnmpType::Null, nullptr) != 0)
        return false;
    std::unique_ptr<CSnmp> response;
    return s.send(response, 0) == 0 && response;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], "--free-port") == 0) {
        std::printf("%d\n", FreePort());
        return 0;
    }
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_session PORT [REQUESTS]\n");
        return 2;
    }
    const int requests = argc > 2 ? std::atoi(argv[2]) : 100000;
    SessionSettings settings;
    settings.DeviceAddress = "127.0.0.1";
    settings.SnmpPort = argv[1];
    CCommonSNMP session(settings);

    for (int i = 0; i < 1000; ++i)
        if (!GetOnce(session)) {
            std::fprintf(stderr, "no answer from the agent\n");
            return 1;
        }
    std::vector<double> latencies;
    for (int i = 0; i < 2000; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        GetOnce(session);
        latencies.push_back(
            std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - t0).count());
    }
    std::sort(latencies.begin(), latencies.end());
    std::printf("get latency median: %.1f us (p90 %.1f us)\n", latencies[latencies.size() / 2],
                latencies[latencies.size() * 9 / 10]);

    const long before = RssKb();
    int failures = 0;
    for (int i = 0; i < requests; ++i)
        failures += GetOnce(session) ? 0 : 1;
    const long after = RssKb();
    std::printf("memory: %ld kB resident after warm-up, %ld kB after %d more requests "
                "(growth %ld kB, %d failed)\n",
                before, after, requests, after - before, failures);
    return failures ? 1 : 0;
}
