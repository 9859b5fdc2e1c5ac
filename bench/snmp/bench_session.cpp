// Latency of a synchronous get through CCommonSNMP, memory over many requests,
// and the helpers of bench/snmp/run.
// Usage: bench_session --free-port
//        bench_session --measure OUTPUT COMMAND [ARGS...]
//            runs COMMAND with its standard output in OUTPUT and prints its wall
//            time and its CPU time (user + system, its own and its children's) in
//            microseconds
//        bench_session --spin
//            keeps one processor busy until it is killed
//        bench_session PORT [REQUESTS]

#include "snmp/CCommonSNMP.h"

#include <algorithm>
#include <atomic>
#include <arpa/inet.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <netinet/in.h>
#include <string>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
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

long long Micros(const timeval& t)
{
    return static_cast<long long>(t.tv_sec) * 1000000 + t.tv_usec;
}

// wait4() gives the child's CPU time to the microsecond; time(1) rounds to 10 ms.
int Measure(const char* output, char** command)
{
    const int out = ::open(output, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (out < 0) {
        std::perror(output);
        return 2;
    }
    const auto t0 = std::chrono::steady_clock::now();
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(out, STDOUT_FILENO);
        ::execvp(command[0], command);
        std::perror(command[0]);
        ::_exit(127);
    }
    ::close(out);
    int status = 0;
    rusage usage{};
    if (pid < 0 || ::wait4(pid, &status, 0, &usage) != pid)
        return 2;
    const auto wall = std::chrono::duration_cast<std::chrono::microseconds>(
                          std::chrono::steady_clock::now() - t0)
                          .count();
    std::printf("%lld %lld\n", static_cast<long long>(wall),
                Micros(usage.ru_utime) + Micros(usage.ru_stime));
    return WIFEXITED(status) ? WEXITSTATUS(status) : 2;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], "--free-port") == 0) {
        std::printf("%d\n", FreePort());
        return 0;
    }
    if (argc >= 4 && std::strcmp(argv[1], "--measure") == 0)
        return Measure(argv[2], argv + 3);
    if (argc == 2 && std::strcmp(argv[1], "--spin") == 0) {
        std::atomic<unsigned long> n{0};
        for (;;)
            n.fetch_add(1, std::memory_order_relaxed);
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
