#include "core/kit/SessionSet.h"

#include "common/TraceCore.h"

namespace kx {

std::shared_ptr<CCommonSNMP> SessionSet::add(const QString& memberName)
{
    Q_ASSERT(!find(memberName));
    auto session = std::make_shared<CCommonSNMP>();
    m_sessions.push_back({memberName, session});
    return session;
}

std::shared_ptr<CCommonSNMP> SessionSet::find(const QString& memberName) const
{
    for (const Named& s : m_sessions)
        if (s.name == memberName)
            return s.session;
    return nullptr;
}

QStringList SessionSet::names() const
{
    QStringList list;
    for (const Named& s : m_sessions)
        list << s.name;
    return list;
}

void SessionSet::close(bool trace)
{
    if (m_closed)
        return;
    m_closed = true;
    for (const Named& s : m_sessions) {
        s.session->Close();
        if (trace)
            TraceSessionClosed(s.name.toStdString());
    }
}

} // namespace kx
