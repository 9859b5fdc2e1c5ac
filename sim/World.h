#pragma once

// The physical world around the switch: what is plugged into each port, what
// the switch has learnt, which hosts an address scan can find. Profile "sim"
// lines and control commands change it with the same words.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace kxsim {

enum class Cable : std::uint8_t { None, M10, M100 };

struct PoweredDevice
{
    int powerClass = 0;   // 0..4
    int tenthsWatt = 0;   // what it draws when powered
};

struct Neighbour
{
    int port = 0;
    int index = 1;                // the remote index within the port
    int chassisSubtype = 4;
    std::string chassisId;        // octets
    int portSubtype = 5;
    std::string portId;           // octets
    std::string portDesc;
    std::string sysName;
    std::string sysDesc;
};

struct FdbEntry
{
    enum Status : int { Learned = 3, Self = 4, Static = 5 };
    int vid = 1;
    std::string mac;      // six octets
    int port = 0;
    int status = Learned;
    bool flushed = false; // forgotten until the port links up again
};

struct Host
{
    std::uint32_t ip = 0;
    std::string mac;      // six octets
    int port = 0;
    int vid = 1;
};

class World
{
public:
    explicit World(int ports = 8);

    int ports() const { return m_ports; }
    // Applies one "sim" line or control command, given as words. Returns an
    // error text, empty on success.
    std::string apply(const std::vector<std::string>& words);

    Cable cable(int port) const;
    void setCable(int port, Cable c);

    std::map<int, PoweredDevice> devices;  // by port
    std::vector<Neighbour> neighbours;
    std::vector<FdbEntry> fdb;
    std::vector<Host> hosts;

    // Bumped on every change of the forwarding entries.
    std::uint64_t fdbVersion = 0;
    // Forgets learnt forwarding entries (until each port links up again).
    void flushLearned();
    void relearn(int port);

private:
    int m_ports;
    std::vector<Cable> m_cables; // index port-1
};

// key=value words (values already unquoted by the tokenizer).
std::map<std::string, std::string> KeyValues(const std::vector<std::string>& words, std::size_t from);

// Splits a line into words; "quoted text" with C escapes is one word (also
// after key=). Returns false on an unterminated quote.
bool SplitWords(std::string_view line, std::vector<std::string>& words);

} // namespace kxsim
