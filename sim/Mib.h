#pragma once

// KX-SWITCH-MIB: the SMIv2 module that names the device's private objects, so
// that net-snmp's tools and monitoring systems show names instead of numbers.
// It is written from the device profile, so it describes exactly what kxsim
// serves: types and ranges, access, table indexes, row status and creation
// defaults. Names and descriptions come from a list in Mib.cpp; an object the
// list does not name, or a name without an object, is an error, not a gap.

#include "sim/Device.h"

#include <string>

namespace kxsim {

inline constexpr const char* kMibModuleName = "KX-SWITCH-MIB";

// Writes the module for every object and table of the profile under the
// private arc into `out`. Returns an error text, empty on success.
std::string WriteMib(const Profile& profile, std::string& out);
// The same for the profile a kxsim command line names (the built-in one by default).
std::string WriteMib(const DeviceConfig& config, std::string& out);

} // namespace kxsim
