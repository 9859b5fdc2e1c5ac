#include "tests/sim/SnmpTools.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

namespace kxtest {

namespace {

std::string Trim(std::string s)
{
    while (!s.empty() && (s.back() == ' ' || s.back() == '\n'))
        s.pop_back();
    return s;
}

// ".1.3.6 = TYPE: value" (or "= value" for an empty string, or an exception text).
Varbind ParseLine(const std::string& line)
{
    Varbind v;
    const auto eq = line.find(" = ");
    v.oid = line.substr(0, eq);
    if (!v.oid.empty() && v.oid[0] == '.')
        v.oid.erase(0, 1);
    std::string rest = eq == std::string::npos ? std::string() : line.substr(eq + 3);
    if (rest.rfind("No Such Object", 0) == 0) {
        v.type = "NoSuchObject";
        return v;
    }
    if (rest.rfind("No Such Instance", 0) == 0) {
        v.type = "NoSuchInstance";
        return v;
    }
    if (rest.rfind("No more variables", 0) == 0) {
        v.type = "EndOfMibView";
        return v;
    }
    const auto colon = rest.find(": ");
    if (rest.rfind("\"", 0) == 0 || colon == std::string::npos) {
        v.value = rest.size() >= 2 ? rest.substr(1, rest.size() - 2) : rest;
        return v;
    }
    v.type = rest.substr(0, colon);
    v.value = Trim(rest.substr(colon + 2));
    if (v.type == "STRING" && v.value.size() >= 2 && v.value.front() == '"')
        v.value = v.value.substr(1, v.value.size() - 2);
    else if (v.type == "Hex-STRING")
        v.value.erase(std::remove(v.value.begin(), v.value.end(), ' '), v.value.end());
    else if (v.type == "Timeticks" && v.value.size() > 1 && v.value[0] == '(')
        v.value = v.value.substr(1, v.value.find(')') - 1);
    else if (v.type == "OID" && !v.value.empty() && v.value[0] == '.')
        v.value.erase(0, 1);
    return v;
}

} // namespace

std::string ToolResult::status() const
{
    if (err.find("Timeout") != std::string::npos)
        return "timeout";
    const auto r = err.find("Reason: ");
    if (r == std::string::npos)
        return exitCode == 0 ? "" : "error";
    std::string word = err.substr(r + 8);
    if (!word.empty() && word[0] == '(')
        word = word.substr(1, word.find(')') - 1);
    else
        word = word.substr(0, word.find_first_of(" \n"));
    return word == "genError" ? "genErr" : word;
}

std::string ToolResult::failedObject() const
{
    const auto f = err.find("Failed object: ");
    if (f == std::string::npos)
        return {};
    std::string o = err.substr(f + 15);
    o = o.substr(0, o.find('\n'));
    return !o.empty() && o[0] == '.' ? o.substr(1) : o;
}

std::string ToolResult::value(const std::string& oid) const
{
    for (const auto& v : varbinds)
        if (oid.empty() || v.oid == oid)
            return v.value;
    return {};
}

std::vector<std::string> V1(const std::string& community)
{
    return {"-v1", "-c", community};
}

std::vector<std::string> V2c(const std::string& community)
{
    return {"-v2c", "-c", community};
}

std::vector<std::string> V1Write()
{
    return V1(KxSimFixture::kWriteCommunity);
}

std::vector<std::string> V2cWrite()
{
    return V2c(KxSimFixture::kWriteCommunity);
}

std::vector<std::string> V3(const SnmpdUser& u)
{
    std::vector<std::string> a = {"-v3", "-u", u.name, "-l", u.level};
    if (!u.auth.empty())
        a.insert(a.end(), {"-a", u.auth, "-A", u.authPass});
    if (!u.priv.empty())
        a.insert(a.end(), {"-x", u.priv, "-X", u.privPass});
    return a;
}

ToolResult RunSnmp(const std::string& tool, const std::vector<std::string>& access, const std::string& peer,
                   const std::vector<std::string>& args, double timeoutSeconds, int retries)
{
    static TempDir home; // the tools' persistent files and (empty) configuration
    std::vector<std::string> argv = {tool, "-On", "-Oe", "-m", "", "-t", std::to_string(timeoutSeconds), "-r",
                                     std::to_string(retries)};
    argv.insert(argv.end(), access.begin(), access.end());
    argv.push_back(peer);
    argv.insert(argv.end(), args.begin(), args.end());

    const auto limit = std::chrono::milliseconds(static_cast<int>((timeoutSeconds * (retries + 1) + 20) * 1000));
    const ToolRun run =
        RunTool(argv, {{"MIBS", ""}, {"SNMP_PERSISTENT_DIR", home.path()}, {"SNMPCONFPATH", home.path()}}, limit);
    ToolResult r;
    for (const auto& line : run.out)
        if (!line.empty() && line[0] == '.') // not "End of MIB" and the like
            r.varbinds.push_back(ParseLine(line));
    r.exitCode = run.exit;
    r.err = run.err;
    return r;
}

ToolResult Get(KxSimFixture& sim, const std::vector<std::string>& oids, const std::vector<std::string>& access,
               double timeoutSeconds)
{
    return RunSnmp("snmpget", access, sim.peer(), oids, timeoutSeconds);
}

ToolResult Set(KxSimFixture& sim, const std::vector<std::string>& triples, const std::vector<std::string>& access)
{
    return RunSnmp("snmpset", access, sim.peer(), triples);
}

ToolResult Walk(KxSimFixture& sim, const std::string& subtree, const std::vector<std::string>& access)
{
    return RunSnmp("snmpwalk", access, sim.peer(), {subtree});
}

std::string Pv(const std::string& tail)
{
    return std::string(KxSimFixture::kPrivateArc) + "." + tail;
}

void ExpectValues(KxSimFixture& sim, const std::vector<std::pair<std::string, std::string>>& expected)
{
    for (const auto& [oid, value] : expected)
        EXPECT_EQ(sim.value(oid).value_or("<absent>"), value) << oid;
}

} // namespace kxtest
