#pragma once

#include "common/SessionSettings.h"
#include "tests/support/TestSupport.h"

#include <string>
#include <vector>

namespace kxtest {

// One SNMPv3 user of the test agent.
struct SnmpdUser
{
    std::string name;
    std::string level;    // noAuthNoPriv, authNoPriv, authPriv
    std::string auth;     // MD5, SHA, SHA-256, ... (empty at noAuthNoPriv)
    std::string authPass;
    std::string priv;     // DES, AES (empty below authPriv)
    std::string privPass;
};

// The module's settings for an agent on 127.0.0.1:`port`: SNMPv1 with the default
// communities when `user` is empty, else SNMPv3 as one of the users below.
SessionSettings SessionSettingsFor(int port, const std::string& user = "", int timeoutMs = 3000);

// net-snmp's own snmpd on a free 127.0.0.1 port with a configuration of ours in a
// temporary directory: communities "qolvat" (read) and "merudos" (write), the
// users below, and writable test objects under 1.3.6.1.4.1.99999.1:
//   .1.0 INTEGER 5, .2.0 Gauge32 7, .3.0 OCTET STRING "hello",
//   .4.<1..rows>.0 a column of `rows` INTEGER rows (value = row number).
class SnmpdFixture
{
public:
    explicit SnmpdFixture(int rows = 20);
    ~SnmpdFixture();

    bool start();
    void stop();
    bool running() const { return m_process.running(); }

    int port() const { return m_port; }

    static const std::vector<SnmpdUser>& users();
    static const SnmpdUser& user(const std::string& name);

private:
    int m_rows;
    int m_port = 0;
    TempDir m_dir;
    ChildProcess m_process;
};

} // namespace kxtest
