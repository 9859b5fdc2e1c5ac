#include "tests/support/SnmpdFixture.h"

#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <thread>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kxtest {

namespace {

// A v1 get of sysUpTime.0 answered means the agent is up.
bool Answers(int port)
{
    static const unsigned char request[] = {
        0x30, 0x27, 0x02, 0x01, 0x00, 0x04, 0x06, 'q',  'o',  'l',  'v',  'a',  't',  0xa0,
        0x1a, 0x02, 0x02, 0x12, 0x34, 0x02, 0x01, 0x00, 0x02, 0x01, 0x00, 0x30, 0x0e, 0x30,
        0x0c, 0x06, 0x08, 0x2b, 0x06, 0x01, 0x02, 0x01, 0x01, 0x03, 0x00, 0x05, 0x00};
    const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    if (fd < 0)
        return false;
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<uint16_t>(port));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bool ok = false;
    if (::sendto(fd, request, sizeof request, 0, reinterpret_cast<sockaddr*>(&a), sizeof a) > 0) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, 200) > 0) {
            unsigned char buf[512];
            ok = ::recv(fd, buf, sizeof buf, 0) > 0;
        }
    }
    ::close(fd);
    return ok;
}

} // namespace

SessionSettings SessionSettingsFor(int port, const std::string& user, int timeoutMs)
{
    SessionSettings s;
    s.DeviceAddress = "127.0.0.1";
    s.SnmpPort = std::to_string(port);
    s.SessionTimeout = std::to_string(timeoutMs);
    if (user.empty())
        return s;
    const SnmpdUser& u = SnmpdFixture::user(user);
    s.SnmpVersion.assign(1, '3'); // not = "3": GCC 12 at -O3 warns falsely (-Wrestrict) about the literal
    s.SecurityName = u.name;
    s.SecurityLevel = SecurityLevelCode(u.level);
    if (!u.auth.empty())
        s.AuthProtocol = AuthProtocolCode(u.auth);
    s.AuthPassword = u.authPass;
    if (!u.priv.empty())
        s.PrivProtocol = PrivProtocolCode(u.priv);
    s.PrivPassword = u.privPass;
    return s;
}

const std::vector<SnmpdUser>& SnmpdFixture::users()
{
    static const std::vector<SnmpdUser> list = {
        {"noauth", "noAuthNoPriv", "", "", "", ""},
        {"md5user", "authNoPriv", "MD5", "md5password", "", ""},
        {"shauser", "authNoPriv", "SHA", "shapassword", "", ""},
        {"md5des", "authPriv", "MD5", "md5password", "DES", "despassword"},
        {"shades", "authPriv", "SHA", "shapassword", "DES", "despassword"},
        {"sha256aes", "authPriv", "SHA-256", "sha256password", "AES", "aespassword"},
    };
    return list;
}

const SnmpdUser& SnmpdFixture::user(const std::string& name)
{
    for (const auto& u : users())
        if (u.name == name)
            return u;
    throw std::invalid_argument("no test user " + name);
}

SnmpdFixture::SnmpdFixture(int rows) : m_rows(rows) {}

SnmpdFixture::~SnmpdFixture()
{
    stop();
}

bool SnmpdFixture::start()
{
    for (int attempt = 0; attempt < 5; ++attempt) {
        m_port = FreeUdpPort();
        const std::string conf = m_dir.file("snmpd.conf");
        {
            std::ofstream out(conf);
            out << "agentAddress udp:127.0.0.1:" << m_port << "\n"
                << "rocommunity qolvat 127.0.0.1\n"
                << "rwcommunity merudos 127.0.0.1\n";
            for (const auto& u : users()) {
                out << "createUser " << u.name;
                if (!u.auth.empty())
                    out << " " << u.auth << " " << u.authPass;
                if (!u.priv.empty())
                    out << " " << u.priv << " " << u.privPass;
                out << "\n";
                const char* level = u.level == "authPriv"     ? "priv"
                                    : u.level == "authNoPriv" ? "auth"
                                                              : "noauth";
                out << "rwuser -s usm " << u.name << " " << level << "\n";
            }
            out << "override -rw .1.3.6.1.4.1.99999.1.1.0 integer 5\n"
                << "override -rw .1.3.6.1.4.1.99999.1.2.0 uinteger 7\n"
                << "override -rw .1.3.6.1.4.1.99999.1.3.0 octet_str hello\n";
            for (int r = 1; r <= m_rows; ++r)
                out << "override .1.3.6.1.4.1.99999.1.4." << r << ".0 integer " << r << "\n";
            out << "[snmp] persistentDir " << m_dir.path() << "/persist\n";
        }
        const std::string persist = m_dir.path() + "/persist";
        ::mkdir(persist.c_str(), 0700);
        if (!m_process.start({"/usr/sbin/snmpd", "-f", "-Lf", m_dir.file("snmpd.log"), "-C", "-c",
                              conf, "-I", "-smux", "-p", m_dir.file("snmpd.pid")},
                             {{"SNMP_PERSISTENT_DIR", persist}, {"MIBS", ""}}))
            return false;
        if (WaitFor([this] { return Answers(m_port); }, std::chrono::seconds(10)))
            return true;
        m_process.stop();
    }
    return false;
}

void SnmpdFixture::stop()
{
    if (m_process.running())
        m_process.stop();
}

} // namespace kxtest
