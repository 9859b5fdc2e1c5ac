#include "core/kit/ReadPlan.h"

#include <QTimer>

namespace kx {

ReadPlan& ReadPlan::get(std::shared_ptr<CCommonSNMP> session, QStringList oids,
                        std::function<void(const GetResult&)> fold)
{
    Load load;
    load.kind = Load::Kind::Get;
    load.session = std::move(session);
    load.oids = std::move(oids);
    load.onGet = std::move(fold);
    return add(std::move(load));
}

ReadPlan& ReadPlan::walk(std::shared_ptr<CCommonSNMP> session, QStringList columns,
                         std::function<void(const WalkResult&)> fold)
{
    Load load;
    load.kind = Load::Kind::Walk;
    load.session = std::move(session);
    load.oids = std::move(columns);
    load.onWalk = std::move(fold);
    return add(std::move(load));
}

ReadPlan& ReadPlan::add(Load load)
{
    Q_ASSERT(load.session);
    m_loads.push_back(std::move(load));
    return *this;
}

ReadPlan& ReadPlan::add(const ReadPlan& other)
{
    for (const Load& load : other.m_loads)
        m_loads.push_back(load);
    return *this;
}

ReadPlan& ReadPlan::then(const ReadPlan& other)
{
    const std::size_t first = m_loads.size();
    add(other);
    if (first > 0 && first < m_loads.size())
        m_loads[first].afterPrevious = true;
    return *this;
}

Load& ReadPlan::last()
{
    Q_ASSERT(!m_loads.empty());
    return m_loads.back();
}

ReadPlan& ReadPlan::rows(std::function<void(const WalkRow&)> each)
{
    last().onRow = std::move(each);
    return *this;
}

ReadPlan& ReadPlan::timeout(int firstMs, int nextMs)
{
    last().timeout = firstMs;
    last().nextTimeout = nextMs;
    return *this;
}

ReadPlan& ReadPlan::delay(int milliseconds)
{
    last().delayMs = milliseconds;
    return *this;
}

ReadPlan& ReadPlan::afterPrevious()
{
    last().afterPrevious = true;
    return *this;
}

ReadPlan& ReadPlan::objectsAtStart(std::function<QStringList()> decide)
{
    last().objectsAtStart = std::move(decide);
    return *this;
}

ReadPlan& ReadPlan::stopWhen(TableWalker::StopRule rule)
{
    last().stopRule = std::move(rule);
    return *this;
}

Reader::Reader(QObject* parent) : QObject(parent) {}

Reader::~Reader()
{
    // The walkers and gets are children: they close their sessions as they go.
    m_closed = true;
    ++m_generation;
}

TableWalker* Reader::walkerFor(const std::shared_ptr<CCommonSNMP>& session)
{
    TableWalker*& walker = m_walkers[session.get()];
    if (!walker)
        walker = new TableWalker(session, this);
    return walker;
}

AsyncGet* Reader::getFor(const std::shared_ptr<CCommonSNMP>& session)
{
    AsyncGet*& get = m_gets[session.get()];
    if (!get)
        get = new AsyncGet(session, this);
    return get;
}

void Reader::run(ReadPlan plan)
{
    if (m_closed)
        return;
    const bool wasRunning = running();
    stopLoads();
    m_loads = plan.loads();
    m_ended.assign(m_loads.size(), false);
    m_delayPassed.assign(m_loads.size(), false);
    m_next = 0;
    m_failed = 0;
    m_running = static_cast<int>(m_loads.size());
    if (m_loads.empty()) {
        if (wasRunning)
            emit runningChanged(false);
        // A plan without loads has ended at once, as seen from the event loop.
        const quint64 g = m_generation;
        QTimer::singleShot(0, this, [this, g] {
            if (g == m_generation && !m_closed)
                emit finished();
        });
        return;
    }
    if (!wasRunning)
        emit runningChanged(true);
    advance();
}

void Reader::advance()
{
    const quint64 g = m_generation;
    while (m_next < m_loads.size()) {
        const std::size_t i = m_next;
        const Load& load = m_loads[i];
        if (load.afterPrevious && i > 0 && !m_ended[i - 1])
            return; // ended() goes on
        if (load.delayMs > 0 && !m_delayPassed[i]) {
            QTimer::singleShot(load.delayMs, this, [this, g, i] {
                if (g != m_generation)
                    return;
                m_delayPassed[i] = true;
                advance();
            });
            return;
        }
        m_next = i + 1;
        startOne(i);
        if (g != m_generation)
            return; // a fold ran another plan
    }
}

void Reader::startOne(std::size_t index)
{
    Load& load = m_loads[index];
    const quint64 g = m_generation;
    QStringList oids = load.oids;
    if (load.objectsAtStart) {
        oids = load.objectsAtStart();
        if (oids.isEmpty()) {
            // Skipped: ended without a request, after the caller's stack unwinds.
            QTimer::singleShot(0, this, [this, g, index] { ended(g, index, false); });
            return;
        }
    }
    if (load.kind == Load::Kind::Walk) {
        TableWalker* walker = walkerFor(load.session);
        walker->disconnect(this);
        walker->setStopRule(load.stopRule);
        if (load.onRow)
            connect(walker, &TableWalker::rowArrived, this, [this, g, index](const WalkRow& row) {
                if (g == m_generation)
                    m_loads[index].onRow(row);
            });
        connect(walker, &TableWalker::finished, this, [this, g, index](const WalkResult& result) {
            if (g != m_generation)
                return;
            if (m_loads[index].onWalk)
                m_loads[index].onWalk(result);
            ended(g, index, result.failed());
        });
        walker->start(oids, load.timeout, load.nextTimeout);
    } else {
        AsyncGet* get = getFor(load.session);
        get->disconnect(this);
        connect(get, &AsyncGet::finished, this, [this, g, index](const GetResult& result) {
            if (g != m_generation)
                return;
            if (m_loads[index].onGet)
                m_loads[index].onGet(result);
            ended(g, index, result.status != 0);
        });
        get->start(oids, load.timeout);
    }
}

void Reader::ended(quint64 generation, std::size_t index, bool failed)
{
    if (generation != m_generation || m_ended[index])
        return;
    m_ended[index] = true;
    if (failed)
        ++m_failed;
    // A load that waited for this one goes now.
    if (m_next == index + 1 && m_next < m_loads.size() && m_loads[m_next].afterPrevious)
        advance();
    if (generation != m_generation)
        return;
    if (--m_running == 0) {
        emit runningChanged(false);
        if (generation == m_generation)
            emit finished();
    }
}

void Reader::stopLoads()
{
    ++m_generation;
    for (auto& [session, walker] : m_walkers)
        if (walker->isRunning())
            walker->cancel();
    for (auto& [session, get] : m_gets)
        if (get->isRunning())
            get->cancel();
}

int Reader::plannedPauseMs() const
{
    int total = 0;
    for (const Load& load : m_loads)
        total += load.delayMs;
    return total;
}

void Reader::cancel()
{
    stopLoads();
    if (m_running > 0) {
        m_running = 0;
        emit runningChanged(false);
    }
}

void Reader::close()
{
    cancel();
    m_closed = true;
}

} // namespace kx
