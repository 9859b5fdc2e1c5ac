#pragma once

// The simulator's command line.

#include "sim/Agent.h"

#include <string>
#include <vector>

namespace kxsim {

struct Options
{
    AgentOptions agent;
    DeviceConfig device;
    std::string controlPath;
    std::size_t logSize = 100000;
    bool help = false;
    bool version = false;
    bool printMib = false; // write KX-SWITCH-MIB for the profile and stop
};

// Returns an error text, empty on success.
std::string ParseOptions(const std::vector<std::string>& args, Options& out);
const char* UsageText();

} // namespace kxsim
