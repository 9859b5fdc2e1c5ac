#pragma once

// net-snmp's command-line tools (a client nobody here wrote) run against kxsim:
// argument lists, numeric output, no MIBs, no user configuration.

#include "tests/support/KxSimFixture.h"

#include <string>
#include <vector>

namespace kxtest {

struct Varbind
{
    std::string oid;   // numeric, no leading dot
    std::string type;  // INTEGER, STRING, Hex-STRING, Gauge32, Counter32, Timeticks, IpAddress, OID,
                       // NoSuchObject, NoSuchInstance, EndOfMibView ("" for an empty string)
    std::string value; // STRING unquoted, Hex-STRING as upper-case hex without blanks, Timeticks
                       // as the number of ticks, OID without a leading dot
};

struct ToolResult
{
    int exitCode = -1;
    std::vector<Varbind> varbinds;
    std::string err; // standard error
    // The error status the tool reported ("wrongValue", "noSuchName", ...), "timeout", or "".
    std::string status() const;
    std::string failedObject() const;
    // Value of the first varbind (or of the one with this OID).
    std::string value(const std::string& oid = "") const;
};

// Access arguments.
std::vector<std::string> V1(const std::string& community = KxSimFixture::kReadCommunity);
std::vector<std::string> V2c(const std::string& community = KxSimFixture::kReadCommunity);
std::vector<std::string> V1Write();
std::vector<std::string> V2cWrite();
std::vector<std::string> V3(const SnmpdUser& user);

// tool: snmpget, snmpgetnext, snmpwalk, snmpbulkwalk, snmpbulkget, snmpset.
ToolResult RunSnmp(const std::string& tool, const std::vector<std::string>& access, const std::string& peer,
                   const std::vector<std::string>& args, double timeoutSeconds = 2, int retries = 0);

// Shorthands against a fixture, v2c with the read or the write community.
ToolResult Get(KxSimFixture& sim, const std::vector<std::string>& oids,
               const std::vector<std::string>& access = V2c(), double timeoutSeconds = 2);
// triples: OID TYPE VALUE ...
ToolResult Set(KxSimFixture& sim, const std::vector<std::string>& triples,
               const std::vector<std::string>& access = V2cWrite());
ToolResult Walk(KxSimFixture& sim, const std::string& subtree, const std::vector<std::string>& access = V2c());

// "1.3.6.1.4.1.99999.10.75.13." + tail
std::string Pv(const std::string& tail);

// Expects each object's value as the control channel reads it, "<absent>" for none.
void ExpectValues(KxSimFixture& sim, const std::vector<std::pair<std::string, std::string>>& expected);

} // namespace kxtest
