#pragma once

// What the suites of the feature-object dialogs share: the simulator's objects
// by short names ("P.13.3.1.0"), and the sets it received, one line a request.

#include "tests/support/DialogHarness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace qostest {

inline const std::string P = kxtest::KxSimFixture::kPrivateArc;

inline std::string Expand(const std::string& shortOid)
{
    return shortOid.rfind("P.", 0) == 0 ? P + shortOid.substr(1) : shortOid;
}

inline std::string Value(kxtest::DialogHarness& h, const std::string& shortOid)
{
    std::string v = h.sim().value(Expand(shortOid)).value_or("<none>");
    v.erase(std::remove(v.begin(), v.end(), '-'), v.end());
    return v;
}

// Each set request as "<oid after P>=<value> ..." in binding order; octets as
// upper-case hex without separators; a refused request ends in " !<status>".
inline std::vector<std::string> Sets(kxtest::DialogHarness& h)
{
    std::vector<std::string> out;
    for (const auto& r : h.sets()) {
        std::string line;
        for (const auto& b : r.bindings) {
            std::string oid = b.oid.rfind(P + ".", 0) == 0 ? b.oid.substr(P.size() + 1) : b.oid;
            std::string value = b.value;
            value.erase(std::remove(value.begin(), value.end(), '-'), value.end());
            line += (line.empty() ? "" : " ") + oid + "=" + value;
        }
        out.push_back(line + (r.status == "noError" ? "" : " !" + r.status));
    }
    return out;
}

} // namespace qostest
