#pragma once

// The named SNMP sessions of one window or data object. Each is named after the
// member the design gives it ("m_cCommonSNMPSet"); closing closes them once, in
// the order they were declared, with one trace line a session.

#include "snmp/CCommonSNMP.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

namespace kx {

class SessionSet
{
public:
    SessionSet() = default;
    SessionSet(const SessionSet&) = delete;
    SessionSet& operator=(const SessionSet&) = delete;
    ~SessionSet() { close(); }

    // A new session under `memberName`; each name once.
    std::shared_ptr<CCommonSNMP> add(const QString& memberName);
    // The session of that name, or null.
    std::shared_ptr<CCommonSNMP> find(const QString& memberName) const;
    QStringList names() const;

    // Closes every session once, in declared order, each followed by its trace
    // line unless `trace` is false. Later calls do nothing.
    void close(bool trace = true);
    bool closed() const { return m_closed; }

private:
    struct Named
    {
        QString name;
        std::shared_ptr<CCommonSNMP> session;
    };
    std::vector<Named> m_sessions;
    bool m_closed = false;
};

} // namespace kx
