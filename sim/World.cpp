#include "sim/World.h"

#include "sim/Value.h"

#include <algorithm>

namespace kxsim {

namespace {

// The world keeps its ports, VLANs and counts as ints.
std::optional<int> Int(const std::string& s, int lo, int hi)
{
    if (auto v = ParseInt(s, lo, hi))
        return static_cast<int>(*v);
    return std::nullopt;
}

std::optional<std::string> Mac(const std::string& s)
{
    auto o = ParseHexOctets(s);
    if (!o || o->size() != 6)
        return std::nullopt;
    return o;
}

std::optional<Cable> ParseCable(const std::string& s)
{
    if (s == "none")
        return Cable::None;
    if (s == "10M")
        return Cable::M10;
    if (s == "100M")
        return Cable::M100;
    return std::nullopt;
}

// Octets for an LLDP identifier: MAC-looking text becomes six octets.
std::string IdOctets(const std::string& s)
{
    if (auto mac = Mac(s))
        return *mac;
    return s;
}

} // namespace

bool SplitWords(std::string_view line, std::vector<std::string>& words)
{
    words.clear();
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
            ++i;
        if (i >= line.size())
            break;
        std::string word;
        bool quoted = false;
        while (i < line.size() && (quoted || (line[i] != ' ' && line[i] != '\t'))) {
            const char c = line[i];
            if (c == '"') {
                // Collect the quoted run and decode it.
                std::size_t j = i + 1;
                while (j < line.size() && line[j] != '"') {
                    if (line[j] == '\\')
                        ++j;
                    ++j;
                }
                if (j >= line.size())
                    return false;
                auto text = UnquoteText(line.substr(i, j - i + 1));
                if (!text)
                    return false;
                word += *text;
                quoted = false;
                i = j + 1;
                continue;
            }
            word += c;
            ++i;
        }
        words.push_back(std::move(word));
    }
    return true;
}

std::map<std::string, std::string> KeyValues(const std::vector<std::string>& words, std::size_t from)
{
    std::map<std::string, std::string> out;
    for (std::size_t i = from; i < words.size(); ++i) {
        const auto eq = words[i].find('=');
        if (eq == std::string::npos)
            out[words[i]] = "";
        else
            out[words[i].substr(0, eq)] = words[i].substr(eq + 1);
    }
    return out;
}

World::World(int ports) : m_ports(ports), m_cables(static_cast<std::size_t>(ports), Cable::None) {}

Cable World::cable(int port) const
{
    if (port < 1 || port > m_ports)
        return Cable::None;
    return m_cables[static_cast<std::size_t>(port - 1)];
}

void World::setCable(int port, Cable c)
{
    if (port < 1 || port > m_ports)
        return;
    const bool linkUp = m_cables[static_cast<std::size_t>(port - 1)] == Cable::None && c != Cable::None;
    m_cables[static_cast<std::size_t>(port - 1)] = c;
    if (linkUp)
        relearn(port);
}

void World::flushLearned()
{
    for (auto& e : fdb)
        if (e.status == FdbEntry::Learned)
            e.flushed = true;
    ++fdbVersion;
}

void World::relearn(int port)
{
    for (auto& e : fdb)
        if (e.port == port)
            e.flushed = false;
    ++fdbVersion;
}

std::string World::apply(const std::vector<std::string>& w)
{
    if (w.empty())
        return "empty command";
    const std::string& verb = w[0];
    auto port = [&](std::size_t i) { return i < w.size() ? Int(w[i], 1, m_ports) : std::nullopt; };
    // A port number the device does not have (a profile written for more ports).
    for (std::size_t i : {std::size_t(1), std::size_t(3)})
        if (((i == 1 && (verb == "cable" || verb == "pd" || verb == "neighbour")) ||
             (i == 3 && (verb == "fdb" || verb == "host"))) &&
            i < w.size() && Int(w[i], 1, 1000000) && !Int(w[i], 0, m_ports))
            return "no port " + w[i];

    if (verb == "cable") {
        auto p = port(1);
        auto c = w.size() == 3 ? ParseCable(w[2]) : std::nullopt;
        if (!p || !c)
            return "usage: cable PORT none|10M|100M";
        setCable(*p, *c);
        return {};
    }
    if (verb == "pd") {
        auto p = port(1);
        if (!p)
            return "usage: pd PORT class=0..4 watts=W | pd PORT none";
        if (w.size() == 3 && w[2] == "none") {
            devices.erase(*p);
            return {};
        }
        auto kv = KeyValues(w, 2);
        auto cls = Int(kv["class"], 0, 4);
        auto tenths = ParseTenths(kv["watts"]);
        if (!cls || !tenths || *tenths > 300)
            return "usage: pd PORT class=0..4 watts=W (at most 30.0)";
        devices[*p] = PoweredDevice{*cls, static_cast<int>(*tenths)};
        return {};
    }
    if (verb == "neighbour") {
        auto p = port(1);
        if (!p)
            return "usage: neighbour PORT key=value... | neighbour PORT none";
        if (w.size() == 3 && w[2] == "none") {
            neighbours.erase(std::remove_if(neighbours.begin(), neighbours.end(),
                                            [&](const Neighbour& n) { return n.port == *p; }),
                             neighbours.end());
            return {};
        }
        auto kv = KeyValues(w, 2);
        Neighbour n;
        n.port = *p;
        int highest = 0;
        for (const auto& other : neighbours)
            if (other.port == *p)
                highest = std::max(highest, other.index);
        n.index = highest + 1;
        if (kv.count("index")) {
            auto i = Int(kv["index"], 1, 65535);
            if (!i)
                return "neighbour: index must be 1..65535";
            n.index = *i;
            neighbours.erase(std::remove_if(neighbours.begin(), neighbours.end(),
                                            [&](const Neighbour& o) {
                                                return o.port == n.port && o.index == n.index;
                                            }),
                             neighbours.end());
        }
        auto cs = Int(kv.count("chassis-subtype") ? kv["chassis-subtype"] : "4", 1, 7);
        auto ps = Int(kv.count("port-subtype") ? kv["port-subtype"] : "5", 1, 7);
        if (!cs || !ps)
            return "neighbour: subtypes must be 1..7";
        n.chassisSubtype = *cs;
        n.portSubtype = *ps;
        n.chassisId = IdOctets(kv["chassis"]);
        n.portId = IdOctets(kv["port"]);
        n.portDesc = kv["port-desc"];
        n.sysName = kv["name"];
        n.sysDesc = kv["desc"];
        neighbours.push_back(std::move(n));
        return {};
    }
    if (verb == "fdb") {
        // fdb VID MAC PORT learned|static|self   or   fdb VID MAC none
        auto vid = w.size() > 1 ? Int(w[1], 1, 4094) : std::nullopt;
        auto mac = w.size() > 2 ? Mac(w[2]) : std::nullopt;
        if (!vid || !mac)
            return "usage: fdb VID MAC PORT learned|static|self | fdb VID MAC none";
        fdb.erase(std::remove_if(fdb.begin(), fdb.end(),
                                 [&](const FdbEntry& e) { return e.vid == *vid && e.mac == *mac; }),
                  fdb.end());
        ++fdbVersion;
        if (w.size() == 4 && w[3] == "none")
            return {};
        auto p = w.size() > 3 ? Int(w[3], 0, m_ports) : std::nullopt;
        if (!p || w.size() != 5)
            return "usage: fdb VID MAC PORT learned|static|self";
        int status = w[4] == "learned" ? FdbEntry::Learned
                     : w[4] == "static" ? FdbEntry::Static
                     : w[4] == "self"   ? FdbEntry::Self
                                        : 0;
        if (!status)
            return "fdb: status must be learned, static or self";
        fdb.push_back(FdbEntry{*vid, *mac, *p, status, false});
        return {};
    }
    if (verb == "fdbfill") {
        // fdbfill COUNT VID learned|static: generated entries 02-00-00-xx-xx-xx over all ports
        auto count = w.size() > 1 ? Int(w[1], 1, 1000000) : std::nullopt;
        auto vid = w.size() > 2 ? Int(w[2], 1, 4094) : std::nullopt;
        if (!count || !vid || w.size() != 4 || (w[3] != "learned" && w[3] != "static"))
            return "usage: fdbfill COUNT VID learned|static";
        for (int i = 1; i <= *count; ++i) {
            std::string mac = {'\x02', '\0', '\0', static_cast<char>((i >> 16) & 255),
                               static_cast<char>((i >> 8) & 255), static_cast<char>(i & 255)};
            fdb.push_back(FdbEntry{*vid, mac, (i - 1) % m_ports + 1,
                                   w[3] == "learned" ? FdbEntry::Learned : FdbEntry::Static, false});
        }
        ++fdbVersion;
        return {};
    }
    if (verb == "host") {
        // host IP MAC PORT VID   or   host IP none
        auto ip = w.size() > 1 ? ParseIp(w[1]) : std::nullopt;
        if (!ip)
            return "usage: host IP MAC PORT VID | host IP none";
        hosts.erase(std::remove_if(hosts.begin(), hosts.end(), [&](const Host& h) { return h.ip == *ip; }),
                    hosts.end());
        if (w.size() == 3 && w[2] == "none")
            return {};
        auto mac = w.size() > 2 ? Mac(w[2]) : std::nullopt;
        auto p = port(3);
        auto vid = w.size() > 4 ? Int(w[4], 1, 4094) : std::nullopt;
        if (!mac || !p || !vid || w.size() != 5)
            return "usage: host IP MAC PORT VID";
        hosts.push_back(Host{*ip, *mac, *p, *vid});
        return {};
    }
    return "unknown world command: " + verb;
}

} // namespace kxsim
