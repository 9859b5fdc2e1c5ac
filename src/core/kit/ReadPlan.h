#pragma once

// Reads declared as data. A dialog (or a data object) says which session reads
// which objects or columns and what becomes of the answer; a Reader runs the
// plan and hands every answer over by value on the UI thread.
//
//     kx::ReadPlan plan;
//     plan.get(m_cCommonSNMP, {kState}, [this](const kx::GetResult& r) { m_values.fold(r); })
//         .walk(m_cCommonSNMPTable, Columns(), [this](const kx::WalkResult& r) { m_rows = ...; })
//         .rows([this](const kx::WalkRow& row) { m_list->addRow(...); });
//
// Loads start in the order they are declared, at once unless one says otherwise:
// delay() starts a load that long after the one before it started, afterPrevious()
// when the one before it has ended (its answer may decide what the load reads:
// objectsAtStart()). The loads after it follow it, so the requests go out in the
// order the plan gives. A failed load counts as ended; its fold still runs with
// the failure, so that a plan's folds always see an end.

#include "core/kit/SnmpLoads.h"

#include <QObject>
#include <QStringList>

#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace kx {

struct Load
{
    enum class Kind
    {
        Get,
        Walk,
    };
    Kind kind = Kind::Get;
    std::shared_ptr<CCommonSNMP> session;
    QStringList oids;
    // When set, decides the objects as the load starts; an empty list skips the
    // load (no request, no fold).
    std::function<QStringList()> objectsAtStart;
    int timeout = 0; // the first step's, 0 = the session's
    int nextTimeout = 0; // a walk's later steps
    int delayMs = 0;
    bool afterPrevious = false;
    TableWalker::StopRule stopRule;
    std::function<void(const WalkRow&)> onRow;
    std::function<void(const WalkResult&)> onWalk;
    std::function<void(const GetResult&)> onGet;
};

class ReadPlan
{
public:
    ReadPlan& get(std::shared_ptr<CCommonSNMP> session, QStringList oids,
                  std::function<void(const GetResult&)> fold);
    ReadPlan& walk(std::shared_ptr<CCommonSNMP> session, QStringList columns,
                   std::function<void(const WalkResult&)> fold = {});
    ReadPlan& add(Load load);
    ReadPlan& add(const ReadPlan& other);
    // Appends `other`, its first load waiting for the load declared last to end.
    ReadPlan& then(const ReadPlan& other);

    // Modifiers of the load declared last.
    ReadPlan& rows(std::function<void(const WalkRow&)> each);
    ReadPlan& timeout(int firstMs, int nextMs = 0);
    ReadPlan& delay(int milliseconds);
    ReadPlan& afterPrevious();
    ReadPlan& objectsAtStart(std::function<QStringList()> decide);
    ReadPlan& stopWhen(TableWalker::StopRule rule);

    const std::vector<Load>& loads() const { return m_loads; }
    bool empty() const { return m_loads.empty(); }

private:
    Load& last();
    std::vector<Load> m_loads;
};

// Runs one plan at a time. Running a plan while another runs cancels the
// other: nothing of it arrives any more.
class Reader : public QObject
{
    Q_OBJECT

public:
    explicit Reader(QObject* parent = nullptr);
    ~Reader() override;

    void run(ReadPlan plan);
    bool running() const { return m_running > 0; }
    // Loads of the plan last run that failed or timed out so far.
    int failedLoads() const { return m_failed; }
    // The delays of the plan last run, added up.
    int plannedPauseMs() const;

    // Nothing of the running plan arrives any more.
    void cancel();
    // cancel(), and no plan starts from now on (its window has closed).
    void close();
    bool closed() const { return m_closed; }

signals:
    // Whenever the reader starts or stops having loads under way.
    void runningChanged(bool anyRunning);
    // Every load of the plan has ended.
    void finished();

private:
    TableWalker* walkerFor(const std::shared_ptr<CCommonSNMP>& session);
    AsyncGet* getFor(const std::shared_ptr<CCommonSNMP>& session);
    void advance();
    void stopLoads();
    void startOne(std::size_t index);
    void ended(quint64 generation, std::size_t index, bool failed);

    std::vector<Load> m_loads;
    std::vector<bool> m_ended;
    std::vector<bool> m_delayPassed;
    std::size_t m_next = 0; // the first load not started yet
    int m_running = 0;      // loads not ended (those not started yet included)
    int m_failed = 0;
    quint64 m_generation = 0;
    bool m_closed = false;
    std::map<CCommonSNMP*, TableWalker*> m_walkers;
    std::map<CCommonSNMP*, AsyncGet*> m_gets;
};

} // namespace kx
