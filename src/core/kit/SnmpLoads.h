#pragma once

// Walks and asynchronous gets whose results reach the UI thread by value.
//
// The session's callbacks run on an engine or worker thread. A TableWalker
// collects the rows there, in a buffer only that walk touches, and hands the UI
// thread each row and then the complete result as queued calls on the walker
// itself: a walker (or its dialog) that has gone simply receives nothing. A rule
// that needs the loaded data reads the WalkResult of finished(), never a buffer
// that a worker is still writing.
//
// Destroying a walker, or calling cancel(), cancels its walk: the session is
// closed, so no callback runs afterwards.

#include "snmp/CCommonSNMP.h"
#include "core/kit/SnmpRequests.h"
#include "core/kit/SnmpValue.h"

#include <QObject>
#include <QPointer>
#include <QStringList>

#include <functional>
#include <memory>

namespace kx {

class TableWalker : public QObject
{
    Q_OBJECT

public:
    // Decides on the walk's thread whether a row ends the walk early (the row is
    // then not kept, and finished() reports status 0).
    using StopRule = std::function<bool(const WalkRow& row)>;

    explicit TableWalker(std::shared_ptr<CCommonSNMP> session, QObject* parent = nullptr);
    ~TableWalker() override;

    // Walks `columns` side by side. `timeout` is the first step's time-out and
    // `nextTimeout` every later step's (0 = the session's default). Returns false
    // when the walk could not start; finished() is then still emitted, with -1.
    bool start(const QStringList& columns, int timeout = 0, int nextTimeout = 0);
    void setStopRule(StopRule rule) { m_stopRule = std::move(rule); }
    // Cancels the walk in progress: no row and no finished() of it arrive any more.
    void cancel();
    bool isRunning() const { return m_running; }
    CCommonSNMP& session() { return *m_session; }

signals:
    void rowArrived(const kx::WalkRow& row);
    // Every walk ends with exactly one finished(), unless it is cancelled.
    void finished(const kx::WalkResult& result);

private:
    struct State;
    void deliverRow(quint64 generation, const WalkRow& row);
    void deliverEnd(quint64 generation, const WalkResult& result);

    std::shared_ptr<CCommonSNMP> m_session;
    std::shared_ptr<State> m_state;
    StopRule m_stopRule;
    quint64 m_generation = 0;
    bool m_running = false;
};

// One asynchronous get: the values come back by value on the UI thread.
class AsyncGet : public QObject
{
    Q_OBJECT

public:
    explicit AsyncGet(std::shared_ptr<CCommonSNMP> session, QObject* parent = nullptr);
    ~AsyncGet() override;

    bool start(const QStringList& oids, int timeout = 0);
    void cancel();
    bool isRunning() const { return m_running; }

signals:
    void finished(const kx::GetResult& result);

private:
    struct State;
    void deliver(quint64 generation, const GetResult& result);

    std::shared_ptr<CCommonSNMP> m_session;
    std::shared_ptr<State> m_state;
    quint64 m_generation = 0;
    bool m_running = false;
};

// One asynchronous set: the outcome comes back by value on the UI thread. For
// the sets the design sends without waiting (a file transfer's), whose window
// goes on counting while the switch answers; write() would hold the whole
// dialog disabled meanwhile.
class AsyncSet : public QObject
{
    Q_OBJECT

public:
    explicit AsyncSet(std::shared_ptr<CCommonSNMP> session, QObject* parent = nullptr);
    ~AsyncSet() override;

    // False when the request could not go out; finished() still comes, unanswered.
    bool start(const std::vector<SetBinding>& bindings, int timeout = 0);
    void cancel();
    bool isRunning() const { return m_running; }

signals:
    void finished(const kx::SetResult& result);

private:
    struct State;
    void deliver(quint64 generation, const SetResult& result);

    std::shared_ptr<CCommonSNMP> m_session;
    std::shared_ptr<State> m_state;
    quint64 m_generation = 0;
    bool m_running = false;
};

} // namespace kx
