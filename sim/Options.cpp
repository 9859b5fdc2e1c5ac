#include "sim/Options.h"

#include "sim/Profile.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>

namespace kxsim {

namespace {

// The shipped profile is some 25 KB; this is room for any real one, not for an
// endless file.
constexpr std::size_t kMaxProfileBytes = 16u << 20;

std::optional<double> Seconds(const std::string& s)
{
    char* end = nullptr;
    const double v = std::strtod(s.c_str(), &end);
    // Written so that NaN fails too.
    if (s.empty() || *end || !(v >= 0 && v <= 86400))
        return std::nullopt;
    return v;
}

} // namespace

const char* UsageText()
{
    return "usage: kxsim [options]\n"
           "       kxsim ctl PATH COMMAND...\n"
           "\n"
           "  --listen ADDR:PORT          UDP endpoint (default 127.0.0.1:16100; port 0 picks a free one,\n"
           "                              the bound address is the first line of standard output)\n"
           "  --allow-remote              allow addresses outside 127.0.0.0/8 and ::1\n"
           "  --model NAME                device model (default \"KX-A1 R2\")\n"
           "  --ports N                   port count, 4..64 (default 8)\n"
           "  --read-community S          (default qolvat)\n"
           "  --write-community S         (default merudos)\n"
           "  --user NAME:LEVEL:AUTH:AUTHPASS:PRIV:PRIVPASS   SNMPv3 user (repeatable)\n"
           "  --engine-id HEX             the agent's snmpEngineID\n"
           "  --profile FILE              device profile instead of the built-in one\n"
           "  --scenario NAME             apply a named scenario at start (repeatable)\n"
           "  --state FILE                saved configuration (read at start, written by save)\n"
           "  --control PATH              control socket\n"
           "  --time-scale F              run the device's timed behaviours F times faster\n"
           "  --transfer-times P,F,C      preparing, firmware and configuration transfer seconds\n"
           "  --reboot-downtime S         seconds without answers after a reboot\n"
           "  --honour-global-state       stop answering while the SNMP global state is 2\n"
           "  --log-size N                requests kept in the request log (default 100000)\n"
           "  --quiet                     no diagnostics on standard error\n"
           "  --print-mib                 write the MIB module of the profile's private objects and stop\n"
           "  --version                   print the version and stop\n";
}

std::string ParseOptions(const std::vector<std::string>& args, Options& o)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& out) -> bool {
            if (i + 1 >= args.size())
                return false;
            out = args[++i];
            return true;
        };
        std::string v;
        if (a == "--help" || a == "-h") {
            o.help = true;
        } else if (a == "--version") {
            o.version = true;
        } else if (a == "--print-mib") {
            o.printMib = true;
        } else if (a == "--allow-remote") {
            o.agent.allowRemote = true;
        } else if (a == "--quiet") {
            o.agent.quiet = true;
        } else if (a == "--honour-global-state") {
            o.agent.honourGlobalState = true;
        } else if (!value(v)) {
            return a.rfind("--", 0) == 0 ? a + " needs a value (or is unknown)" : "unexpected argument " + a;
        } else if (a == "--listen") {
            o.agent.listen = v;
        } else if (a == "--model") {
            // The name goes into the saved state's header lines.
            if (std::any_of(v.begin(), v.end(), [](unsigned char c) { return c < 0x20 || c == 0x7f; }))
                return "--model must not hold control characters";
            o.device.model = v;
        } else if (a == "--ports") {
            char* end = nullptr;
            const long n = std::strtol(v.c_str(), &end, 10);
            if (*end || n < 4 || n > 64)
                return "--ports must be 4..64";
            o.device.ports = static_cast<int>(n);
        } else if (a == "--read-community") {
            o.agent.readCommunity = o.device.readCommunity = v;
        } else if (a == "--write-community") {
            o.agent.writeCommunity = o.device.writeCommunity = v;
        } else if (a == "--user") {
            std::string err;
            auto u = ParseUserArgument(v, err);
            if (!u)
                return err;
            o.agent.users.push_back(*u);
        } else if (a == "--engine-id") {
            auto octets = ParseHexOctets(v);
            if (!octets || octets->size() < 5 || octets->size() > 32)
                return "--engine-id wants 5 to 32 octets in hex";
            o.agent.engineId = *octets;
        } else if (a == "--profile") {
            std::string err = ReadRegularFile(v, kMaxProfileBytes, o.device.profileText);
            if (!err.empty())
                return "cannot read profile " + v + ": " + err;
            // An empty text would mean the built-in profile.
            if (o.device.profileText.find_first_not_of(" \t\r\n") == std::string::npos)
                return "profile " + v + " is empty";
        } else if (a == "--scenario") {
            o.device.scenarios.push_back(v);
        } else if (a == "--state") {
            o.device.stateFile = v;
        } else if (a == "--control") {
            o.controlPath = v;
        } else if (a == "--time-scale") {
            char* end = nullptr;
            const double f = std::strtod(v.c_str(), &end);
            if (*end || !(f >= 0.01 && f <= 10000))
                return "--time-scale must be 0.01..10000";
            o.device.timing.scale = f;
        } else if (a == "--transfer-times") {
            std::vector<double> t;
            std::stringstream ss(v);
            std::string part;
            while (std::getline(ss, part, ',')) {
                auto s = Seconds(part);
                if (!s)
                    return "--transfer-times wants PREPARE,FIRMWARE,CONFIG seconds";
                t.push_back(*s);
            }
            if (t.size() != 3)
                return "--transfer-times wants PREPARE,FIRMWARE,CONFIG seconds";
            o.device.timing.prepare = t[0];
            o.device.timing.firmwareRun = t[1];
            o.device.timing.configRun = t[2];
        } else if (a == "--reboot-downtime") {
            auto s = Seconds(v);
            if (!s)
                return "--reboot-downtime wants seconds";
            o.device.timing.rebootDowntime = *s;
        } else if (a == "--log-size") {
            char* end = nullptr;
            const long n = std::strtol(v.c_str(), &end, 10);
            if (*end || n < 1 || n > 10000000)
                return "--log-size must be 1..10000000";
            o.logSize = static_cast<std::size_t>(n);
        } else {
            return "unknown option " + a;
        }
    }
    return {};
}

} // namespace kxsim
