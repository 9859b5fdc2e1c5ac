#include "core/kit/SnmpLoads.h"

#include <QMetaObject>

#include <utility>

namespace kx {

// What the walk's callbacks touch: set up by start() on the UI thread before the
// first step, then used only by the one thread that runs the steps.
struct TableWalker::State
{
    CCommonSNMP* session = nullptr;
    TableWalker* ownerRaw = nullptr;
    quint64 generation = 0;
    int nextTimeout = 0;
    StopRule stopRule;
    WalkResult result;

    static void Step(std::unique_ptr<CSnmp> response, int requestId, void* context, int status)
    {
        auto* s = static_cast<State*>(context);
        if (!s->session->TakePending(requestId))
            return; // stale
        if (status != 0) {
            s->session->SetWalkDone();
            s->result.status = status;
            s->finish();
            return;
        }
        WalkRow row;
        row.values = ValuesOf(*response);
        row.columnIndex.reserve(row.values.size());
        for (int i = 0; i < static_cast<int>(row.values.size()); ++i) {
            std::string suffix;
            QString instance;
            if (s->session->getSuffix(i, response.get(), suffix) == 0 && suffix.size() > 1)
                instance = QString::fromLatin1(suffix.data() + 1,
                                               static_cast<qsizetype>(suffix.size() - 1));
            row.columnIndex.push_back(instance);
        }
        if (!row.columnIndex.empty())
            row.index = row.columnIndex.front();
        if (s->stopRule && s->stopRule(row)) {
            s->session->SetWalkDone();
            s->result.status = SnmpResult::Ok;
            s->finish();
            return;
        }
        const quint64 generation = s->generation;
        TableWalker* owner = s->ownerRaw;
        QMetaObject::invokeMethod(
            owner, [owner, generation, row] { owner->deliverRow(generation, row); },
            Qt::QueuedConnection);
        s->result.rows.push_back(std::move(row));
        s->session->getNext(&State::Step, s, s->nextTimeout);
    }

    void finish()
    {
        // The queued call is the last touch of this state: once it has run, the
        // owner may start the next walk, which fills the state anew.
        TableWalker* owner = ownerRaw;
        const quint64 g = generation;
        WalkResult r = std::exchange(result, WalkResult());
        QMetaObject::invokeMethod(
            owner, [owner, g, r = std::move(r)] { owner->deliverEnd(g, r); },
            Qt::QueuedConnection);
    }
};

TableWalker::TableWalker(std::shared_ptr<CCommonSNMP> session, QObject* parent)
    : QObject(parent), m_session(std::move(session)), m_state(std::make_shared<State>())
{
    m_state->session = m_session.get();
    m_state->ownerRaw = this;
}

TableWalker::~TableWalker()
{
    // No callback may run into a walker that is going away.
    m_session->Close();
}

bool TableWalker::start(const QStringList& columns, int timeout, int nextTimeout)
{
    // A walk still running is replaced. Close waits for a step being handled right
    // now, so the state below is not shared with it.
    if (m_running)
        m_session->Close();
    ++m_generation;
    m_running = true;
    State& s = *m_state;
    s.generation = m_generation;
    s.nextTimeout = nextTimeout;
    s.stopRule = m_stopRule;
    s.result = WalkResult();

    bool ok = m_session->Open(SnmpPdu::GetNext);
    for (const QString& column : columns)
        ok = ok && m_session->addValue(column.toStdString(), SnmpType::Null, nullptr) == 0;
    ok = ok && !columns.isEmpty() && m_session->getNext(&State::Step, m_state.get(), timeout) == 0;
    if (!ok) {
        m_session->SetWalkDone();
        const quint64 g = m_generation;
        QMetaObject::invokeMethod(
            this, [this, g] { deliverEnd(g, WalkResult{SnmpResult::Failed, {}}); },
            Qt::QueuedConnection);
    }
    return ok;
}

void TableWalker::cancel()
{
    ++m_generation;
    m_running = false;
    m_session->Close();
}

void TableWalker::deliverRow(quint64 generation, const WalkRow& row)
{
    if (generation == m_generation && m_running)
        emit rowArrived(row);
}

void TableWalker::deliverEnd(quint64 generation, const WalkResult& result)
{
    if (generation != m_generation || !m_running)
        return;
    m_running = false;
    emit finished(result);
}

struct AsyncGet::State
{
    CCommonSNMP* session = nullptr;
    AsyncGet* owner = nullptr;
    quint64 generation = 0;

    static void Answer(std::unique_ptr<CSnmp> response, int requestId, void* context, int status)
    {
        auto* s = static_cast<State*>(context);
        if (!s->session->TakePending(requestId))
            return;
        s->session->SetWalkDone();
        GetResult result;
        result.status = status;
        if (status == 0 && response) {
            response->getErrorInfo(result.errorStatus, result.errorIndex);
            result.values = ValuesOf(*response);
        }
        AsyncGet* owner = s->owner;
        const quint64 g = s->generation;
        QMetaObject::invokeMethod(
            owner, [owner, g, result] { owner->deliver(g, result); }, Qt::QueuedConnection);
    }
};

AsyncGet::AsyncGet(std::shared_ptr<CCommonSNMP> session, QObject* parent)
    : QObject(parent), m_session(std::move(session)), m_state(std::make_shared<State>())
{
    m_state->session = m_session.get();
    m_state->owner = this;
}

AsyncGet::~AsyncGet()
{
    m_session->Close();
}

bool AsyncGet::start(const QStringList& oids, int timeout)
{
    if (m_running)
        m_session->Close();
    ++m_generation;
    m_running = true;
    m_state->generation = m_generation;
    bool ok = m_session->Open(SnmpPdu::Get);
    for (const QString& oid : oids)
        ok = ok && m_session->addValue(oid.toStdString(), SnmpType::Null, nullptr) == 0;
    ok = ok && !oids.isEmpty() && m_session->getNext(&State::Answer, m_state.get(), timeout) == 0;
    if (!ok) {
        const quint64 g = m_generation;
        QMetaObject::invokeMethod(
            this, [this, g] { deliver(g, GetResult{}); }, Qt::QueuedConnection);
    }
    return ok;
}

void AsyncGet::cancel()
{
    ++m_generation;
    m_running = false;
    m_session->Close();
}

void AsyncGet::deliver(quint64 generation, const GetResult& result)
{
    if (generation != m_generation || !m_running)
        return;
    m_running = false;
    emit finished(result);
}

struct AsyncSet::State
{
    CCommonSNMP* session = nullptr;
    AsyncSet* owner = nullptr;
    quint64 generation = 0;

    // Only reports: whatever comes next is sent from the UI thread, never from
    // here on the session this answer arrived on.
    static void Answer(std::unique_ptr<CSnmp> response, int requestId, void* context, int status)
    {
        auto* s = static_cast<State*>(context);
        if (!s->session->TakePending(requestId))
            return;
        s->session->SetWalkDone();
        SetResult result;
        result.status = status == 0 && !response ? SnmpResult::Failed : status;
        if (status == 0 && response)
            response->getErrorInfo(result.errorStatus, result.errorIndex);
        AsyncSet* owner = s->owner;
        const quint64 g = s->generation;
        QMetaObject::invokeMethod(
            owner, [owner, g, result] { owner->deliver(g, result); }, Qt::QueuedConnection);
    }
};

AsyncSet::AsyncSet(std::shared_ptr<CCommonSNMP> session, QObject* parent)
    : QObject(parent), m_session(std::move(session)), m_state(std::make_shared<State>())
{
    m_state->session = m_session.get();
    m_state->owner = this;
}

AsyncSet::~AsyncSet()
{
    m_session->Close();
}

bool AsyncSet::start(const std::vector<SetBinding>& bindings, int timeout)
{
    if (m_running)
        m_session->Close();
    ++m_generation;
    m_running = true;
    m_state->generation = m_generation;
    bool ok = m_session->Open(SnmpPdu::Set);
    for (const SetBinding& b : bindings)
        ok = ok && m_session->addValue(b.oid.toStdString(), b.type, b.value.constData(),
                                       static_cast<int>(b.value.size())) == 0;
    ok = ok && !bindings.empty() && m_session->getNext(&State::Answer, m_state.get(), timeout) == 0;
    if (!ok) {
        const quint64 g = m_generation;
        QMetaObject::invokeMethod(
            this, [this, g] { deliver(g, SetResult{}); }, Qt::QueuedConnection);
    }
    return ok;
}

void AsyncSet::cancel()
{
    ++m_generation;
    m_running = false;
    m_session->Close();
}

void AsyncSet::deliver(quint64 generation, const SetResult& result)
{
    if (generation != m_generation || !m_running)
        return;
    m_running = false;
    emit finished(result);
}

} // namespace kx
