#pragma once

// Faults injected through the control channel: per OID subtree an error
// status, a dropped request, a late answer or a late second copy of the answer.

#include "sim/Value.h"

#include <optional>
#include <string>
#include <vector>

namespace kxsim {

struct Fault
{
    enum class Kind { Error, Drop, Delay, Duplicate };
    Oid subtree;
    Kind kind = Kind::Drop;
    Err error = Err::GenErr; // Error
    int ms = 0;              // Delay, Duplicate
    int remaining = -1;      // requests it still applies to; -1 = all
};

class Faults
{
public:
    void add(Fault f) { m_faults.push_back(std::move(f)); }
    // Removes the faults under prefix (all when empty); returns how many.
    std::size_t clear(const Oid& prefix = {});
    // The first fault whose subtree holds one of the OIDs; counts it down.
    // index receives the 1-based position of the matching OID.
    std::optional<Fault> take(const std::vector<Oid>& oids, int& index);
    std::vector<std::string> describe() const;

private:
    std::vector<Fault> m_faults;
};

const char* FaultKindName(Fault::Kind k);

} // namespace kxsim
