// kxsim: a simulated KX-A1 R2 switch on a loopback UDP port, and the client of
// its control channel.

#include "sim/Control.h"
#include "sim/ControlClient.h"
#include "sim/Mib.h"
#include "sim/Options.h"

#include <csignal>
#include <cstdio>
#include <iostream>

namespace {

kxsim::Agent* g_agent = nullptr;

void OnSignal(int)
{
    if (g_agent)
        g_agent->requestStop();
}

int RunControl(int argc, char** argv)
{
    if (argc < 4) {
        std::cerr << "usage: kxsim ctl PATH COMMAND...\n";
        return 2;
    }
    std::string command;
    for (int i = 3; i < argc; ++i) {
        if (i > 3)
            command += ' ';
        command += kxsim::QuoteWord(argv[i]);
    }
    const kxsim::ControlReply reply = kxsim::ControlClient(argv[2]).send(command);
    for (const auto& line : reply.lines)
        std::cout << line << '\n';
    if (!reply.ok) {
        std::cerr << "kxsim ctl: " << reply.error << '\n';
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 2 && std::string(argv[1]) == "ctl")
        return RunControl(argc, argv);

    kxsim::Options options;
    std::string err = kxsim::ParseOptions(std::vector<std::string>(argv + 1, argv + argc), options);
    if (!err.empty()) {
        std::cerr << "kxsim: " << err << " (see kxsim --help)\n";
        return 2;
    }
    if (options.help) {
        std::cout << kxsim::UsageText();
        return 0;
    }
    if (options.version) {
        std::cout << "kxsim " KX_VERSION_TEXT "\n";
        return 0;
    }
    if (options.printMib) {
        std::string mib;
        err = kxsim::WriteMib(options.device, mib);
        if (!err.empty()) {
            std::cerr << "kxsim: " << err << '\n';
            return 1;
        }
        std::cout << mib;
        return 0;
    }
    std::string transport;
    err = kxsim::ParseListen(options.agent, transport, options.device.agentIp);
    if (!err.empty()) {
        std::cerr << "kxsim: " << err << '\n';
        return 2;
    }

    kxsim::EventLoop loop;
    kxsim::Device device(options.device, loop);
    err = device.load();
    if (!err.empty()) {
        std::cerr << "kxsim: " << err << '\n';
        return 1;
    }
    kxsim::RequestLog log(options.logSize);
    kxsim::Faults faults;
    kxsim::Agent agent(device, loop, log, faults);
    err = agent.start(options.agent);
    if (!err.empty()) {
        std::cerr << "kxsim: " << err << '\n';
        return 1;
    }
    g_agent = &agent;

    kxsim::Commands commands(device, agent, log, faults, [&agent] { agent.requestStop(); });
    std::unique_ptr<kxsim::ControlServer> control;
    if (!options.controlPath.empty()) {
        control = std::make_unique<kxsim::ControlServer>(
            loop, [&commands](const std::string& line) { return commands.run(line); });
        err = control->listen(options.controlPath);
        if (!err.empty()) {
            std::cerr << "kxsim: " << err << '\n';
            return 1;
        }
    }

    // A hang-up or an interrupt ends the run like a termination: the saved
    // configuration is only ever written by an explicit save.
    struct sigaction sa{};
    sa.sa_handler = OnSignal;
    sigemptyset(&sa.sa_mask);
    for (int sig : {SIGTERM, SIGINT, SIGHUP})
        sigaction(sig, &sa, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    // The first line tells callers (and port 0 users) where the agent listens.
    std::cout << agent.boundAddress() << std::endl;
    if (!options.agent.quiet)
        std::cerr << "kxsim: " << options.device.model << ", " << options.device.ports << " ports, listening on "
                  << agent.boundAddress() << '\n';

    agent.run();
    g_agent = nullptr;
    control.reset();
    agent.shutdown();
    return 0;
}
