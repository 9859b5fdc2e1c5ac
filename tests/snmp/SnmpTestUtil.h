#pragma once

#include "common/SessionSettings.h"
#include "snmp/CCommonSNMP.h"
#include "tests/support/SnmpdFixture.h"

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <vector>

namespace kxtest {

inline const char* const kTestInteger = "1.3.6.1.4.1.99999.1.1.0";
inline const char* const kTestGauge = "1.3.6.1.4.1.99999.1.2.0";
inline const char* const kTestString = "1.3.6.1.4.1.99999.1.3.0";
inline const char* const kTestColumn = "1.3.6.1.4.1.99999.1.4";

// Opens `s` for `pdu` with a NULL binding for `oid`; false when the session refuses either.
inline bool Arm(CCommonSNMP& s, int pdu, const std::string& oid = "1.3.6.1.2.1.1.5.0")
{
    return s.Open(pdu) && s.addValue(oid, SnmpType::Null, nullptr) == 0;
}

// A get of sysName.0: the send's result, -100 when it could not be armed.
inline int GetSysName(CCommonSNMP& s)
{
    std::unique_ptr<CSnmp> response;
    return Arm(s, SnmpPdu::Get) ? s.send(response, 0) : -100;
}

inline std::string ValueOf(const CSnmp& response, int index)
{
    int type = 0;
    std::string value;
    response.getValue(index, type, value);
    return value;
}

// Collects a walk the way a dialog's callback does.
struct WalkCollector
{
    CCommonSNMP* session = nullptr;
    std::mutex mutex;
    std::vector<std::vector<std::string>> rows;      // values per row
    std::vector<std::vector<std::string>> suffixes;  // row index per binding
    std::atomic<int> endStatus{1};
    std::atomic<int> calls{0};
    std::atomic<int> stale{0};

    static void Step(std::unique_ptr<CSnmp> response, int requestId, void* context, int status)
    {
        auto* w = static_cast<WalkCollector*>(context);
        ++w->calls;
        if (!w->session->TakePending(requestId)) {
            ++w->stale;
            return;
        }
        if (status != 0) {
            w->endStatus = status;
            w->session->SetWalkDone();
            return;
        }
        std::vector<std::string> values;
        std::vector<std::string> sufs;
        for (int i = 0; i < response->getValuesCount(); ++i) {
            values.push_back(ValueOf(*response, i));
            std::string suffix;
            w->session->getSuffix(i, response.get(), suffix);
            sufs.push_back(suffix);
        }
        {
            std::lock_guard lock(w->mutex);
            w->rows.push_back(std::move(values));
            w->suffixes.push_back(std::move(sufs));
        }
        w->session->getNext(&WalkCollector::Step, w, 0);
    }

    // Walks `columns` side by side and waits for the end.
    int walk(CCommonSNMP& s, const std::vector<std::string>& columns, int waitMs = 30000)
    {
        session = &s;
        rows.clear();
        suffixes.clear();
        endStatus = 1;
        if (!s.Open(SnmpPdu::GetNext))
            return -100;
        for (const auto& c : columns)
            s.addValue(c, SnmpType::Null, nullptr);
        s.getNext(&WalkCollector::Step, this, 0);
        if (!s.WaitWalkDone(waitMs))
            return -101;
        return endStatus;
    }
};

inline long long ElapsedMs(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                 since)
        .count();
}

} // namespace kxtest
