#include "sim/RequestLog.h"

#include <cstdio>

namespace kxsim {

namespace {

// Names can hold anything; keep the line's tabs and newlines unambiguous.
std::string Escape(const std::string& s)
{
    std::string out;
    for (unsigned char c : s) {
        if (c == '\\')
            out += "\\\\";
        else if (c < 0x20 || c == 0x7f) {
            char buf[5];
            std::snprintf(buf, sizeof buf, "\\x%02X", c);
            out += buf;
        } else
            out += static_cast<char>(c);
    }
    return out;
}

} // namespace

LogRecord& RequestLog::append()
{
    if (m_capacity && m_records.size() >= m_capacity)
        m_records.pop_front();
    m_records.emplace_back();
    m_records.back().seq = m_next++;
    return m_records.back();
}

LogRecord* RequestLog::find(std::uint64_t seq)
{
    if (m_records.empty() || seq < m_records.front().seq || seq > m_records.back().seq)
        return nullptr;
    return &m_records[static_cast<std::size_t>(seq - m_records.front().seq)];
}

void RequestLog::clear()
{
    m_records.clear();
}

std::string RequestLog::format(const LogRecord& r)
{
    char ms[32];
    std::snprintf(ms, sizeof ms, "%.0f", r.time * 1000.0);
    std::string line = std::to_string(r.seq) + "\t" + ms + "\t" + r.pdu + "\t" + r.version + "\t" +
                       Escape(r.name) + "\t" + r.status;
    for (const auto& b : r.bindings) {
        const Notation n = NaturalNotation(b.value);
        line += '\t';
        line += FormatOid(b.oid);
        line += ' ';
        line += NotationCode(n);
        line += ' ';
        line += FormatValue(b.value, n);
    }
    return line;
}

std::vector<std::string> RequestLog::lines(std::uint64_t afterSeq) const
{
    std::vector<std::string> out;
    for (const auto& r : m_records)
        if (r.seq > afterSeq)
            out.push_back(format(r));
    return out;
}

} // namespace kxsim
