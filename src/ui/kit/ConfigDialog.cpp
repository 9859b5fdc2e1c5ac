#include "ui/kit/ConfigDialog.h"

#include "common/TraceCore.h"
#include "core/panel/PanelResources.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLineEdit>
#include <QTimer>
#include <QWidget>

namespace kx {

ConfigDialog::ConfigDialog(const QString& title, QWidget* parent)
    : QDialog(parent), m_reader(new Reader(this))
{
    setWindowTitle(title);
    setModal(true);
    // Top-most, without moving or resizing.
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    setWindowIcon(ApplicationIcon());
    connect(m_reader, &Reader::finished, this, [this] {
        for (const QPointer<QWidget>& w : std::exchange(m_gated, {}))
            if (w)
                w->setEnabled(true);
        if (auto then = std::exchange(m_afterRead, {}))
            then();
        // The first read ends with checkIdle(): what its `then` started belongs to it.
        checkIdle();
    });
}

ConfigDialog::~ConfigDialog()
{
    closeSessions();
}

QStringList ConfigDialog::sessionNames() const
{
    QStringList names = m_sessions.names();
    for (const SessionSet* adopted : m_adopted)
        names << adopted->names();
    return names;
}

std::shared_ptr<CCommonSNMP> ConfigDialog::addSession(const QString& memberName)
{
    return m_sessions.add(memberName);
}

bool ConfigDialog::busy() const
{
    return m_reader->running() || m_writing || m_pendingRefreshes > 0;
}

void ConfigDialog::read(ReadPlan plan, const QList<QWidget*>& gated, std::function<void()> then)
{
    if (m_sessions.closed())
        return;
    if (!m_firstReadStarted) {
        m_firstReadStarted = true;
        m_firstReadPending = true;
    }
    for (QWidget* w : gated) {
        w->setEnabled(false);
        m_gated << w;
    }
    m_afterRead = std::move(then);
    m_reader->run(std::move(plan));
}

bool ConfigDialog::refuse(const QString& refusal, QWidget* field)
{
    if (refusal.isEmpty())
        return false;
    prompter().message(refusal);
    if (field) {
        field->setFocus();
        if (auto* edit = qobject_cast<QLineEdit*>(field))
            edit->selectAll();
    }
    return true;
}

void ConfigDialog::write(std::shared_ptr<CCommonSNMP> session, std::vector<SetBinding> bindings,
                         std::function<void(const SetResult&)> then, int timeout)
{
    writeSequence<SetResult>(
        [session, bindings = std::move(bindings), timeout] { return SetValues(*session, bindings, timeout); },
        std::move(then));
}

void ConfigDialog::runInBackground(std::function<void()> work, std::function<void()> then)
{
    Q_ASSERT(!m_writing);
    if (m_sessions.closed())
        return;
    if (m_worker.joinable())
        m_worker.join();
    m_writing = true;
    m_focusBeforeWrite = QApplication::focusWidget();
    setEnabled(false);
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    m_worker = std::thread([this, work = std::move(work), then = std::move(then)]() mutable {
        work();
        // Queued to the dialog: a dialog that has gone receives nothing.
        QMetaObject::invokeMethod(
            this,
            [this, then = std::move(then)] {
                m_worker.join();
                m_writing = false;
                QGuiApplication::restoreOverrideCursor();
                setEnabled(true);
                if (m_focusBeforeWrite)
                    m_focusBeforeWrite->setFocus();
                then();
                checkIdle();
            },
            Qt::QueuedConnection);
    });
}

void ConfigDialog::refreshAfter(int milliseconds, std::function<void()> refresh)
{
    ++m_pendingRefreshes;
    QTimer::singleShot(milliseconds, this, [this, refresh = std::move(refresh)] {
        --m_pendingRefreshes;
        if (isVisible() && !m_sessions.closed())
            refresh();
        checkIdle();
    });
}

void ConfigDialog::closeSessions()
{
    // A write sequence still running finishes its request first: its sessions
    // must not close under it.
    if (m_worker.joinable())
        m_worker.join();
    if (m_sessions.closed())
        return;
    m_reader->close();
    TraceDestroyWindow();
    m_sessions.close();
    for (SessionSet* adopted : m_adopted)
        adopted->close();
}

void ConfigDialog::done(int result)
{
    // The window stays while a write sequence runs: its outcome decides.
    if (m_writing)
        return;
    closeSessions();
    QDialog::done(result);
}

void ConfigDialog::reject()
{
    if (m_writing)
        return;
    QDialog::reject();
}

void ConfigDialog::closeEvent(QCloseEvent* event)
{
    if (m_writing) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void ConfigDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // A dialog without a read of its own is ready once shown.
    if (!m_firstReadStarted && !m_firstReadDone)
        QTimer::singleShot(0, this, [this] {
            if (!m_firstReadStarted)
                markFirstReadDone();
        });
}

void ConfigDialog::markFirstReadDone()
{
    if (m_firstReadDone)
        return;
    m_firstReadDone = true;
    emit firstReadFinished();
}

void ConfigDialog::checkIdle()
{
    if (busy())
        return;
    if (m_firstReadPending) {
        m_firstReadPending = false;
        markFirstReadDone();
    }
    emit idle();
}

} // namespace kx
