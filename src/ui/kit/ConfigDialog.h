#pragma once

// The base of every configuration dialog: modal, kept on top, the application
// icon. It owns the dialog's named sessions and closes them once, in declared
// order, when the dialog ends ("==================DestroyWindow===============",
// then one "==================<member>.Close===============" line a session).
//
// Two verbs carry the dialog's traffic; neither waits for the network on the UI
// thread:
//
//  - read(plan, gated, then): runs a ReadPlan (core/kit/ReadPlan.h). `gated`
//    stay disabled until every load has ended, whatever the end; then `then`
//    runs. The dialog's first read() is its first read (firstReadFinished()):
//    it ends when that read, and whatever its `then` started (a write decided
//    by what was read, the reads after it), has ended.
//  - write(...): a refusal goes to the prompter with the focus and selection on
//    its field; otherwise one set, or a whole write sequence, runs off the UI
//    thread in the design's order while the dialog is disabled under the wait
//    cursor and still paints; its result comes back on the UI thread.
//
// A dialog declares its sessions as members named as the design names them:
//
//     std::shared_ptr<CCommonSNMP> m_cCommonSNMP = addSession(QStringLiteral("m_cCommonSNMP"));

#include "base/Prompter.h"
#include "core/kit/ReadPlan.h"
#include "core/kit/SessionSet.h"
#include "core/kit/SnmpRequests.h"

#include <QDialog>
#include <QList>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>
#include <thread>
#include <vector>

namespace kx {

class ConfigDialog : public QDialog
{
    Q_OBJECT

public:
    explicit ConfigDialog(const QString& title, QWidget* parent = nullptr);
    ~ConfigDialog() override;

    bool firstReadDone() const { return m_firstReadDone; }
    // A read, a write or a pending refresh is under way.
    bool busy() const;
    // A write is under way: the dialog is disabled until it ends.
    bool writing() const { return m_writing; }
    // Loads of the last read that failed or timed out.
    int failedLoads() const { return m_reader->failedLoads(); }
    // The sessions in the order they close, the design's member names.
    QStringList sessionNames() const;
    // The pauses the design puts into the read under way (benchmarks report
    // them apart).
    int plannedPauseMs() const { return m_reader->plannedPauseMs(); }

    // While a write runs the window stays: its outcome decides what comes next.
    void done(int result) override;
    void reject() override;

signals:
    void firstReadFinished();
    // Neither a read nor a write is under way any more.
    void idle();

protected:
    std::shared_ptr<CCommonSNMP> addSession(const QString& memberName);
    // The sessions of a data object the dialog owns: closed after the dialog's
    // own, in their order.
    void adoptSessions(SessionSet& sessions) { m_adopted.push_back(&sessions); }

    void read(ReadPlan plan, const QList<QWidget*>& gated = {}, std::function<void()> then = {});

    // Shows `refusal` and puts the focus on `field`, its text selected. True
    // when there was a refusal; an empty text refuses nothing.
    bool refuse(const QString& refusal, QWidget* field = nullptr);

    // One set of `bindings` on `session`; `then` gets the outcome.
    void write(std::shared_ptr<CCommonSNMP> session, std::vector<SetBinding> bindings,
               std::function<void(const SetResult&)> then = {}, int timeout = 0);

    // A write sequence: `sequence` makes its synchronous requests in order on a
    // worker thread and returns what `then` needs. It must touch no widget and
    // no member the dialog changes meanwhile: capture by value what it reads.
    template<class R>
    void writeSequence(std::function<R()> sequence, std::function<void(const R&)> then = {})
    {
        auto result = std::make_shared<R>();
        runInBackground([sequence = std::move(sequence), result] { *result = sequence(); },
                        [then = std::move(then), result] {
                            if (then)
                                then(*result);
                        });
    }

    // Runs `refresh` once the device has had `milliseconds` to settle after a
    // write, without holding up the UI thread meanwhile. A dialog closed in the
    // meantime reads nothing more.
    void refreshAfter(int milliseconds, std::function<void()> refresh);

    Prompter& prompter() const { return GetPrompter(); }

    // Closes every session once, with the trace lines. Runs when the dialog
    // ends; the reads stop first.
    void closeSessions();

    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void runInBackground(std::function<void()> work, std::function<void()> then);
    void markFirstReadDone();
    void checkIdle();

    SessionSet m_sessions;
    std::vector<SessionSet*> m_adopted;
    Reader* m_reader;
    QList<QPointer<QWidget>> m_gated;
    std::function<void()> m_afterRead;
    bool m_firstReadStarted = false;
    bool m_firstReadPending = false;
    bool m_firstReadDone = false;
    bool m_writing = false;
    int m_pendingRefreshes = 0;
    std::thread m_worker;
    QPointer<QWidget> m_focusBeforeWrite;
};

} // namespace kx
