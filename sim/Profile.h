#pragma once

// Reads a device profile (the format is in sim/README.md) into the schema, the
// factory-default objects, the simulated world and the named scenarios.

#include "sim/Store.h"
#include "sim/World.h"

#include <map>
#include <string>
#include <vector>

namespace kxsim {

struct ProfileContext
{
    int ports = 8;
    std::size_t portListLen = 4;
    std::uint32_t agentIp = 0x7f000001;
    std::string readCommunity = "qolvat";
    std::string writeCommunity = "merudos";
};

struct ObjectLine
{
    Oid oid;
    Entry entry;
};

struct Scenario
{
    std::vector<ObjectLine> objects;
    std::vector<std::vector<std::string>> world;
};

struct Profile
{
    Schema schema;
    std::vector<ObjectLine> objects;
    std::vector<std::vector<std::string>> world;
    std::map<std::string, Scenario> scenarios;
};

// Returns an error text ("line N: ...") or empty on success.
std::string LoadProfile(std::string_view text, const ProfileContext& ctx, Profile& out);

// The profile shipped with the simulator (compiled in).
std::string_view BuiltinProfile();

// Reads a whole file into `out`. Only a regular file of at most `maxBytes` is
// read: a folder reads as nothing, and a FIFO or a device may block or never
// end. Returns an error text, empty on success.
std::string ReadRegularFile(const std::string& path, std::size_t maxBytes, std::string& out);

// Parses one "OID TYPE ACCESS VALUE" line of a dump or saved state (numeric OIDs).
std::string ParseObjectLine(std::string_view line, Schema& schema, const ProfileContext& ctx,
                            ObjectLine& out);
std::string FormatObjectLine(const Oid& oid, const Entry& entry);

// Builds an entry from the words of an object line; a bare type inside a table
// takes its column's constraint.
std::string MakeEntry(const Oid& oid, const std::string& typeText, const std::string& accessText,
                      const std::string& valueText, Schema& schema, const ProfileContext& ctx,
                      Entry& out);

} // namespace kxsim
