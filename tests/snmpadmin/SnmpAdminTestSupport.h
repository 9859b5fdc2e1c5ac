#pragma once

// What the SNMP administration suites share: rows put into the simulated
// switch's tables, and the sets the module sent, read back from its log.

#include "sim/ControlClient.h"
#include "tests/support/DialogHarness.h"

#include <algorithm>
#include <string>
#include <vector>

namespace kxtest::snmpadmin {

inline const std::string A = "1.3.6.1.4.1.99999.10.75.13.25";

// ".<length>.<octets>" of a name.
inline std::string NameIndex(const std::string& name)
{
    std::string index = "." + std::to_string(name.size());
    for (unsigned char c : name)
        index += "." + std::to_string(c);
    return index;
}

// A user row as the device holds it; `version` 1, 2 or 3.
inline void PutUser(KxSimFixture& sim, const std::string& name, int version, int status = 1)
{
    const std::string index = NameIndex(name) + "." + std::to_string(version);
    const std::string v = std::to_string(version);
    for (const std::string& cell : {"1" + index + " s C " + kxsim::QuoteWord(name), "2" + index + " i C " + v,
                                    "3" + index + " s C grp", "4" + index + " i C 1", "5" + index + " s C \"\"",
                                    "6" + index + " i C 1", "7" + index + " s C \"\"",
                                    "8" + index + " i C " + std::to_string(status)})
        sim.control("set " + A + ".2.1.1." + cell);
}

// Every binding of every set since the log was cleared, as
// "<OID below the administration subtree>=<value>" (octets as plain lower-case
// hex), in order; a refused set's bindings end in " <status>".
inline std::vector<std::string> Sets(KxSimFixture& sim)
{
    std::vector<std::string> out;
    for (const auto& r : sim.requestLog()) {
        if (r.pdu != "set")
            continue;
        for (const auto& b : r.bindings) {
            std::string value = b.value;
            if (b.type == "x") {
                value.erase(std::remove(value.begin(), value.end(), '-'), value.end());
                std::transform(value.begin(), value.end(), value.begin(),
                               [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
            }
            out.push_back(b.oid.substr(A.size() + 1) + "=" + value +
                          (r.status == "noError" ? "" : " " + r.status));
        }
    }
    return out;
}

} // namespace kxtest::snmpadmin
