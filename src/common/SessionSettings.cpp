#include "common/SessionSettings.h"

#include <iterator>
#include <mutex>

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

// Reads one token from `pos` to the next '/' or the end, dropping blanks, and
// leaves `pos` on the '/' (or at the end).
std::string ReadToken(std::string_view line, std::size_t& pos)
{
    std::string token;
    while (pos < line.size() && line[pos] != '/') {
        if (!IsBlank(line[pos]))
            token.push_back(line[pos]);
        ++pos;
    }
    return token;
}

// Cuts a token to the capacity of its field without splitting a UTF-8 sequence.
std::string Fit(const std::string& token, std::size_t capacity)
{
    if (token.size() < capacity)
        return token;
    std::size_t n = capacity - 1;
    while (n > 0 && (static_cast<unsigned char>(token[n]) & 0xC0) == 0x80)
        --n;
    return token.substr(0, n);
}

void StoreIfNotEmpty(std::string& field, const std::string& token, std::size_t capacity)
{
    if (!token.empty())
        field = Fit(token, capacity);
}

SessionSettings& Storage()
{
    static SessionSettings settings;
    return settings;
}

} // namespace

bool ParseCommandLine(std::string_view line, SessionSettings& s)
{
    // The console writes a slash and an option letter first; they are never examined.
    std::size_t pos = line.size() < 2 ? line.size() : 2;
    const bool hasI = line.find("/I") != std::string_view::npos;

    for (int index = 1; index <= 16; ++index) {
        const std::string token = ReadToken(line, pos);
        switch (index) {
        case 1:
            s.LeadToken = Fit(token, SessionSettings::kLeadTokenCap);
            if (pos >= line.size())
                return true;
            if (!hasI)
                return false;
            break;
        case 2:
            s.DeviceAddress = Fit(token, SessionSettings::kDeviceAddressCap);
            if (token.empty())
                return false;
            break;
        case 3:
            StoreIfNotEmpty(s.ReadCommunity, token, SessionSettings::kCommunityCap);
            break;
        case 4:
            StoreIfNotEmpty(s.WriteCommunity, token, SessionSettings::kCommunityCap);
            break;
        case 5:
            s.WriteEnabled = token == "TRUE" || token == "true";
            break;
        case 6:
            StoreIfNotEmpty(s.SnmpVersion, token, SessionSettings::kShortCap);
            break;
        case 7:
            StoreIfNotEmpty(s.SnmpPort, token, SessionSettings::kShortCap);
            if (pos < line.size() && s.SnmpVersion == "1")
                return true;
            break;
        case 8:
        case 9:
            break;
        case 10:
            StoreIfNotEmpty(s.ReservedToken, token, SessionSettings::kShortCap);
            break;
        case 11:
            StoreIfNotEmpty(s.SecurityLevel, token, SessionSettings::kShortCap);
            break;
        case 12:
            StoreIfNotEmpty(s.SecurityName, token, SessionSettings::kSecurityTextCap);
            break;
        case 13:
            StoreIfNotEmpty(s.AuthPassword, token, SessionSettings::kSecurityTextCap);
            break;
        case 14:
            StoreIfNotEmpty(s.PrivPassword, token, SessionSettings::kSecurityTextCap);
            break;
        case 15:
            StoreIfNotEmpty(s.AuthProtocol, token, SessionSettings::kShortCap);
            break;
        case 16:
            StoreIfNotEmpty(s.PrivProtocol, token, SessionSettings::kShortCap);
            return true;
        }
        if (pos >= line.size())
            return true;
        pos = pos + 2 > line.size() ? line.size() : pos + 2;
    }
    return true;
}

bool IsDottedIpv4(std::string_view text)
{
    int parts = 0;
    int digits = 0;
    int value = 0;
    for (const char c : text) {
        if (c == '.') {
            if (digits == 0 || ++parts == 4)
                return false;
            digits = 0;
            value = 0;
        } else if (c >= '0' && c <= '9') {
            if (digits == 1 && value == 0)
                return false; // a leading zero, which some programs read as octal
            value = value * 10 + (c - '0');
            if (++digits > 3 || value > 255)
                return false;
        } else {
            return false;
        }
    }
    return parts == 3 && digits > 0;
}

std::string JoinArguments(int argc, const char* const* argv)
{
    std::string line;
    for (int i = 1; i < argc; ++i) {
        if (i > 1)
            line.push_back(' ');
        line += argv[i];
    }
    return line;
}

const SessionSettings& GetSessionSettings()
{
    return Storage();
}

void InstallSessionSettings(const SessionSettings& settings)
{
    Storage() = settings;
}

std::string InfoOptionText(std::string_view line)
{
    if (line == "--version")
        return "kxmodule " KX_VERSION_TEXT "\n";
    if (line == "--help")
        return "usage: kxmodule /<letter><lead>/I<address>/<letter><read community>"
               "/<letter><write community>/<letter><TRUE|false>/<letter><1|3>/<letter><port>"
               "[/<letter>/<letter>/<letter><reserved>/<letter><level 1-3>/<letter><user>"
               "/<letter><auth pass phrase>/<letter><privacy pass phrase>"
               "/<letter><auth protocol>/<letter><privacy protocol>]\n"
               "Started by the network-management console, one process per switch.\n"
               "Positions decide, letters are free; only \"/I\" must occur. Blanks are dropped.\n"
               "SNMPv3 auth protocol: 2 MD5, 3 SHA, 4 SHA-224, 5 SHA-256, 6 SHA-384, 7 SHA-512;\n"
               "privacy protocol: 2 DES, 4 AES-128; level: 1 noAuthNoPriv, 2 authNoPriv, 3 authPriv.\n"
               "Example: kxmodule /Lkx /I127.0.0.1 /Rqolvat /Wmerudos /Ftrue /V1 /P16100\n";
    return {};
}

std::string AuthProtocolCode(std::string_view name)
{
    static constexpr std::string_view kNames[] = {"MD5", "SHA", "SHA-224", "SHA-256", "SHA-384", "SHA-512"};
    for (std::size_t i = 0; i < std::size(kNames); ++i)
        if (name == kNames[i])
            return std::to_string(i + 2);
    return {};
}

std::string PrivProtocolCode(std::string_view name)
{
    if (name == "DES")
        return "2";
    if (name == "AES" || name == "AES-128")
        return "4";
    return {};
}

std::string SecurityLevelCode(std::string_view level)
{
    if (level == "noAuthNoPriv")
        return "1";
    if (level == "authNoPriv")
        return "2";
    if (level == "authPriv")
        return "3";
    return {};
}
