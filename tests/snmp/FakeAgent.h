#pragma once

// A UDP responder on 127.0.0.1 that misbehaves on purpose: it answers a v1
// request by echoing it back as a response (so the client decodes its own
// encoding), or answers garbage, a wrong request id, twice, late, or not at all.

#include <algorithm>
#include <arpa/inet.h>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace kxtest {

class FakeAgent
{
public:
    enum class Mode
    {
        Echo,     // the request, turned into a response
        Garbage,  // bytes that are no SNMP message
        WrongId,  // a response with another request id
        Twice,    // the response twice
        Silent,   // nothing
        ErrorStatus, // the request with error status set to `errorStatus`
        OneBinding,  // a response with only the first binding, its OID moved on by ".1"
        RepeatOid,   // always the first OID it was asked for, with ".1" appended
        ReverseOid,  // the first OID it was asked for with ".9", then ".8", ".7", ...
    };

    explicit FakeAgent(Mode mode) : m_mode(mode)
    {
        m_fd = ::socket(AF_INET, SOCK_DGRAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(m_fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
        socklen_t len = sizeof a;
        ::getsockname(m_fd, reinterpret_cast<sockaddr*>(&a), &len);
        m_port = ntohs(a.sin_port);
        m_thread = std::thread([this] { run(); });
    }

    ~FakeAgent()
    {
        m_stop = true;
        m_thread.join();
        ::close(m_fd);
    }

    int port() const { return m_port; }
    int received() const { return m_received.load(); }
    void setDelay(std::chrono::milliseconds d) { m_delayMs = static_cast<int>(d.count()); }
    void setErrorStatus(int status) { m_errorStatus = status; }
    std::vector<unsigned char> lastRequest() const
    {
        std::lock_guard lock(m_mutex);
        return m_last;
    }

private:
    // Reads one BER header at `pos`; returns false on anything malformed.
    static bool Header(const std::vector<unsigned char>& m, std::size_t& pos, unsigned char& tag,
                       std::size_t& length)
    {
        if (pos + 2 > m.size())
            return false;
        tag = m[pos++];
        std::size_t l = m[pos++];
        if (l & 0x80) {
            const std::size_t n = l & 0x7f;
            if (n == 0 || n > 3 || pos + n > m.size())
                return false;
            l = 0;
            for (std::size_t i = 0; i < n; ++i)
                l = (l << 8) | m[pos++];
        }
        length = l;
        return pos + length <= m.size();
    }

    // Finds the PDU tag and the request id value of a v1/v2c message.
    static bool Locate(const std::vector<unsigned char>& m, std::size_t& pduTagAt,
                       std::size_t& reqIdAt, std::size_t& reqIdLen, std::size_t& errorAt)
    {
        std::size_t pos = 0;
        unsigned char tag = 0;
        std::size_t len = 0;
        if (!Header(m, pos, tag, len) || tag != 0x30)
            return false;
        if (!Header(m, pos, tag, len) || tag != 0x02)
            return false;
        pos += len;
        if (!Header(m, pos, tag, len) || tag != 0x04)
            return false;
        pos += len;
        pduTagAt = pos;
        if (!Header(m, pos, tag, len) || (tag & 0xe0) != 0xa0)
            return false;
        if (!Header(m, pos, tag, len) || tag != 0x02)
            return false;
        reqIdAt = pos;
        reqIdLen = len;
        pos += len;
        if (!Header(m, pos, tag, len) || tag != 0x02 || len != 1)
            return false;
        errorAt = pos;
        return true;
    }

    static void AppendTlv(std::vector<unsigned char>& out, unsigned char tag,
                          const std::vector<unsigned char>& content)
    {
        out.push_back(tag);
        const std::size_t n = content.size();
        if (n < 0x80) {
            out.push_back(static_cast<unsigned char>(n));
        } else {
            out.push_back(0x82);
            out.push_back(static_cast<unsigned char>(n >> 8));
            out.push_back(static_cast<unsigned char>(n));
        }
        out.insert(out.end(), content.begin(), content.end());
    }

    // Where the BER content of the request's first OID lies.
    static bool FirstOidAt(const std::vector<unsigned char>& m, std::size_t& at, std::size_t& len)
    {
        std::size_t pduTagAt = 0, reqIdAt = 0, reqIdLen = 0;
        unsigned char tag = 0;
        if (!Locate(m, pduTagAt, reqIdAt, reqIdLen, at))
            return false;
        at += 4; // past the error status and the error index
        return Header(m, at, tag, len) && tag == 0x30 && Header(m, at, tag, len) && tag == 0x30 &&
               Header(m, at, tag, len) && tag == 0x06;
    }

    // A v1/v2c response that answers only the request's first binding, with an
    // OID one level below the one asked for (a row of the first column), or below
    // `base` (the BER content of an OID) when that is given.
    static bool OneBindingAnswer(const std::vector<unsigned char>& m, std::vector<unsigned char>& answer,
                                 const std::vector<unsigned char>* base = nullptr, unsigned char last = 1)
    {
        std::size_t pduTagAt = 0, reqIdAt = 0, reqIdLen = 0, errorAt = 0, at = 0, len = 0;
        if (!Locate(m, pduTagAt, reqIdAt, reqIdLen, errorAt) || !FirstOidAt(m, at, len))
            return false;
        std::size_t pos = 0, messageLen = 0;
        unsigned char tag = 0;
        Header(m, pos, tag, messageLen); // pos is at the message's version now
        const std::vector<unsigned char> versionAndCommunity(m.begin() + static_cast<long>(pos),
                                                             m.begin() + static_cast<long>(pduTagAt));
        std::vector<unsigned char> oid = base ? *base
                                              : std::vector<unsigned char>(m.begin() + static_cast<long>(at),
                                                                           m.begin() + static_cast<long>(at + len));
        oid.push_back(last);
        std::vector<unsigned char> binding;
        AppendTlv(binding, 0x06, oid);
        binding.insert(binding.end(), {0x05, 0x00});
        std::vector<unsigned char> list;
        AppendTlv(list, 0x30, binding);
        std::vector<unsigned char> pdu(m.begin() + static_cast<long>(reqIdAt - 2),
                                       m.begin() + static_cast<long>(reqIdAt + reqIdLen));
        pdu.insert(pdu.end(), {0x02, 0x01, 0x00, 0x02, 0x01, 0x00});
        AppendTlv(pdu, 0x30, list);
        std::vector<unsigned char> message = versionAndCommunity;
        AppendTlv(message, 0xa2, pdu);
        answer.clear();
        AppendTlv(answer, 0x30, message);
        return true;
    }

    void run()
    {
        while (!m_stop) {
            pollfd p{m_fd, POLLIN, 0};
            if (::poll(&p, 1, 50) <= 0)
                continue;
            std::vector<unsigned char> buf(65536);
            sockaddr_in from{};
            socklen_t fromLen = sizeof from;
            const ssize_t n = ::recvfrom(m_fd, buf.data(), buf.size(), 0,
                                         reinterpret_cast<sockaddr*>(&from), &fromLen);
            if (n <= 0)
                continue;
            buf.resize(static_cast<std::size_t>(n));
            ++m_received;
            {
                std::lock_guard lock(m_mutex);
                m_last = buf;
            }
            if (m_mode == Mode::Silent)
                continue;
            if (m_delayMs > 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(m_delayMs));
            std::vector<unsigned char> answer = buf;
            std::size_t pduTagAt = 0, reqIdAt = 0, reqIdLen = 0, errorAt = 0;
            if (m_mode == Mode::OneBinding) {
                if (!OneBindingAnswer(buf, answer))
                    continue;
            } else if (m_mode == Mode::RepeatOid || m_mode == Mode::ReverseOid) {
                std::size_t at = 0, len = 0;
                if (m_firstOid.empty() && FirstOidAt(buf, at, len))
                    m_firstOid.assign(buf.begin() + static_cast<long>(at), buf.begin() + static_cast<long>(at + len));
                if (m_firstOid.empty())
                    continue;
                const int n = m_received.load();
                const auto last = static_cast<unsigned char>(m_mode == Mode::RepeatOid ? 1 : std::max(1, 10 - n));
                if (!OneBindingAnswer(buf, answer, &m_firstOid, last))
                    continue;
            } else if (m_mode == Mode::Garbage) {
                answer.assign({0x30, 0x82, 0xff, 0xff, 0x02, 0x01, 0x00, 0x13, 0x37});
            } else if (Locate(answer, pduTagAt, reqIdAt, reqIdLen, errorAt)) {
                answer[pduTagAt] = 0xa2;
                if (m_mode == Mode::WrongId)
                    answer[reqIdAt + reqIdLen - 1] ^= 0x5a;
                if (m_mode == Mode::ErrorStatus) {
                    answer[errorAt] = static_cast<unsigned char>(m_errorStatus.load());
                    answer[errorAt + 3] = 1; // error index 1
                }
            }
            const int times = m_mode == Mode::Twice ? 2 : 1;
            for (int i = 0; i < times; ++i)
                ::sendto(m_fd, answer.data(), answer.size(), 0, reinterpret_cast<sockaddr*>(&from),
                         fromLen);
        }
    }

    Mode m_mode;
    int m_fd = -1;
    int m_port = 0;
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_received{0};
    std::atomic<int> m_delayMs{0};
    std::atomic<int> m_errorStatus{5};
    mutable std::mutex m_mutex;
    std::vector<unsigned char> m_last;
    std::vector<unsigned char> m_firstOid; // the agent thread's own
    std::thread m_thread;
};

} // namespace kxtest
