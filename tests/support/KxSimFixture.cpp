#include "tests/support/KxSimFixture.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <sstream>

namespace kxtest {

KxSimFixture::KxSimFixture() : KxSimFixture(Options{}) {}

KxSimFixture::KxSimFixture(std::vector<std::string> extraArgs) : KxSimFixture(Options{std::move(extraArgs)}) {}

KxSimFixture::KxSimFixture(Options options) : m_options(std::move(options)) {}

KxSimFixture::~KxSimFixture()
{
    stop();
}

bool KxSimFixture::start()
{
    if (running())
        return true;
    // A restart comes back on the port the device had.
    std::vector<std::string> argv = {BinDir() + "/kxsim", "--listen", "127.0.0.1:" + std::to_string(m_port),
                                     "--control", controlPath(), "--quiet"};
    if (m_options.timeScale != 1) {
        std::ostringstream scale;
        scale << m_options.timeScale;
        argv.insert(argv.end(), {"--time-scale", scale.str()});
    }
    if (m_options.stateFile)
        argv.insert(argv.end(), {"--state", stateFile()});
    if (m_options.testUsers)
        for (const auto& u : users())
            argv.insert(argv.end(), {"--user", u.name + ":" + u.level + ":" + u.auth + ":" + u.authPass + ":" +
                                                   u.priv + ":" + u.privPass});
    argv.insert(argv.end(), m_options.args.begin(), m_options.args.end());
    if (!m_process.start(argv))
        return false;
    // The first line is the bound address; the agent answers from then on.
    std::string line;
    if (!m_process.readLine(line, std::chrono::seconds(10))) {
        m_process.stop(SIGKILL);
        return false;
    }
    const auto colon = line.rfind(':');
    m_port = colon == std::string::npos ? 0 : std::atoi(line.c_str() + colon + 1);
    if (m_port <= 0) {
        m_process.stop(SIGKILL);
        return false;
    }
    return WaitFor([this] { return kxsim::ControlClient(controlPath()).send("ping", 500).ok; },
                   std::chrono::seconds(5));
}

void KxSimFixture::stop()
{
    if (m_process.running())
        m_process.stop(SIGTERM, std::chrono::seconds(5));
}

bool KxSimFixture::restart()
{
    stop();
    return start();
}

bool KxSimFixture::restart(std::vector<std::string> extraArgs)
{
    m_options.args = std::move(extraArgs);
    return restart();
}

kxsim::ControlReply KxSimFixture::tryControl(const std::string& command)
{
    return kxsim::ControlClient(controlPath()).send(command);
}

std::string KxSimFixture::control(const std::string& command)
{
    const kxsim::ControlReply reply = tryControl(command);
    EXPECT_TRUE(reply.ok) << "kxsim refused \"" << command << "\": " << reply.error;
    std::string out;
    for (const auto& l : reply.lines) {
        if (!out.empty())
            out += '\n';
        out += l;
    }
    return out;
}

namespace {

// The reply's lines through `parse`; a line it cannot read fails the test.
template<class Parse>
auto ParseLines(const kxsim::ControlReply& reply, Parse parse)
{
    EXPECT_TRUE(reply.ok) << reply.error;
    std::vector<typename decltype(parse(std::string()))::value_type> out;
    for (const auto& l : reply.lines) {
        auto parsed = parse(l);
        EXPECT_TRUE(parsed.has_value()) << "unreadable line: " << l;
        if (parsed)
            out.push_back(std::move(*parsed));
    }
    return out;
}

} // namespace

std::vector<kxsim::LoggedRequest> KxSimFixture::requestLog()
{
    return ParseLines(tryControl("log"), kxsim::ParseLogLine);
}

void KxSimFixture::clearLog()
{
    control("log clear");
}

std::vector<kxsim::ObjectText> KxSimFixture::dump(const std::string& subtree)
{
    return ParseLines(tryControl(subtree.empty() ? "dump" : "dump " + subtree), kxsim::ParseDumpLine);
}

std::optional<std::string> KxSimFixture::value(const std::string& oid)
{
    const kxsim::ControlReply reply = tryControl("get " + oid);
    if (!reply.ok || reply.lines.empty())
        return std::nullopt;
    auto o = kxsim::ParseDumpLine(reply.lines.front());
    if (!o)
        return std::nullopt;
    return o->value;
}

} // namespace kxtest
