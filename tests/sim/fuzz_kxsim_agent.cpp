// Raw datagrams into the agent's request path (parse, USM, access, handlers,
// SET phases) through a transport without a socket.

#include "sim/Agent.h"

#include <cstdint>
#include <cstdlib>

namespace {

struct Harness
{
    kxsim::EventLoop loop;
    kxsim::Device device{kxsim::DeviceConfig{}, loop};
    kxsim::RequestLog log{1000};
    kxsim::Faults faults;
    kxsim::Agent agent{device, loop, log, faults};

    Harness()
    {
        if (!device.load().empty())
            std::abort();
        kxsim::AgentOptions options;
        options.quiet = true;
        std::string err;
        options.users.push_back(*kxsim::ParseUserArgument("noauth:noAuthNoPriv::::", err));
        options.users.push_back(
            *kxsim::ParseUserArgument("shades:authPriv:SHA:shapassword:DES:despassword", err));
        if (!agent.startDetached(options).empty())
            std::abort();
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static Harness* h = new Harness(); // one agent per process, kept to the end
    h->agent.feed(data, size);
    // Keep state from growing without bound across inputs, and do not sit out
    // a reboot's downtime.
    if (h->log.size() > 500)
        h->log.clear();
    if (h->device.rebooting())
        h->device.reset();
    return 0;
}
