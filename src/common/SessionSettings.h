#pragma once

#include <string>
#include <string_view>

// The process-wide values the console passes on the command line. Filled once by
// ParseCommandLine() before any other thread exists and read-only afterwards;
// every CCommonSNMP copies what it needs when it is constructed.
struct SessionSettings
{
    // Capacities of the receiving buffers, terminator included: a longer token is
    // cut to capacity - 1 bytes.
    static constexpr std::size_t kLeadTokenCap = 20;
    static constexpr std::size_t kDeviceAddressCap = 16;
    static constexpr std::size_t kCommunityCap = 52;
    static constexpr std::size_t kWriteEnabledCap = 12;
    static constexpr std::size_t kShortCap = 8;
    static constexpr std::size_t kSecurityTextCap = 32;

    std::string LeadToken;
    std::string DeviceAddress;
    std::string ReadCommunity = "qolvat";
    std::string WriteCommunity = "merudos";
    bool WriteEnabled = true;
    std::string SnmpVersion = "1";
    std::string SnmpPort = "161";
    std::string ReservedToken = "1";
    std::string SecurityLevel = "1";
    std::string SecurityName;
    std::string AuthPassword;
    std::string PrivPassword;
    std::string AuthProtocol = "1";
    std::string PrivProtocol = "1";
    std::string SessionTimeout = "3000";
};

// Parses one console line into `settings` (which should hold the defaults).
// Returns true when the parse ended successfully; start-up ignores the result.
bool ParseCommandLine(std::string_view line, SessionSettings& settings);

// "--help" or "--version" as the whole line: the text to print (and exit 0).
// Empty for any other line; the console never sends a line that begins with "--".
std::string InfoOptionText(std::string_view line);

// The console's codes for net-snmp's names of the SNMPv3 security settings:
// "MD5" -> "2", "SHA" -> "3", "SHA-224" .. "SHA-512" -> "4" .. "7"; "DES" -> "2",
// "AES" (AES-128) -> "4"; "noAuthNoPriv" -> "1", "authNoPriv" -> "2", "authPriv" -> "3".
// Empty for a name that has no code.
std::string AuthProtocolCode(std::string_view name);
std::string PrivProtocolCode(std::string_view name);
std::string SecurityLevelCode(std::string_view level);

// Four decimal numbers 0..255 without leading zeros, separated by dots: the only
// form of DeviceAddress the module talks to. Anything else would be a name for the
// system's resolver, which may take many seconds to answer (or never), or a form
// (010.0.0.1, 127.1) that programs read differently.
bool IsDottedIpv4(std::string_view text);

// The console passes argv on Linux: argv[1..] joined with one blank.
std::string JoinArguments(int argc, const char* const* argv);

// The process-wide record. InstallSessionSettings() is called once by start-up
// (and by tests and tools before they create sessions); everything else only reads.
const SessionSettings& GetSessionSettings();
void InstallSessionSettings(const SessionSettings& settings);
