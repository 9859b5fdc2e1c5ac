#pragma once

// Every request the agent accepted (or refused), with its bindings, so that
// end-to-end tests can check what a dialog wrote, in which order and in how
// many requests.

#include "sim/Value.h"

#include <deque>
#include <string>
#include <vector>

namespace kxsim {

struct LogBinding
{
    Oid oid;
    Value value;
};

struct LogRecord
{
    std::uint64_t seq = 0;
    double time = 0;        // seconds since start
    std::string pdu;        // get, getnext, getbulk, set
    std::string version;    // 1, 2c, 3
    std::string name;       // community or user
    std::string status = "noError";
    std::vector<LogBinding> bindings;
};

class RequestLog
{
public:
    explicit RequestLog(std::size_t capacity = 100000) : m_capacity(capacity) {}

    LogRecord& append();
    // The record with this sequence number, if still kept.
    LogRecord* find(std::uint64_t seq);
    void clear();
    std::size_t size() const { return m_records.size(); }

    // One line per record, tab-separated: SEQ MS PDU VERSION NAME STATUS then
    // one "OID TYPE VALUE" field per binding.
    std::vector<std::string> lines(std::uint64_t afterSeq = 0) const;
    static std::string format(const LogRecord& r);

private:
    std::size_t m_capacity;
    std::uint64_t m_next = 1;
    std::deque<LogRecord> m_records;
};

} // namespace kxsim
