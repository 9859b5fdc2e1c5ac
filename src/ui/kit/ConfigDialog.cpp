#include "ui/kit/ConfigDialog.h"

#include "base/Trace.h"
#include "core/panel/PanelResources.h"

#include <QTimer>
#include <QWidget>

namespace kx {

ConfigDialog::ConfigDialog(const QString& title, QWidget* parent)
    : QDialog(parent), m_firstRead(new LoadSet(this))
{
    setWindowTitle(title);
    setModal(true);
    // Top-most, without moving or resizing.
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    setWindowIcon(ApplicationIcon());
    connect(m_firstRead, &LoadSet::allFinished, this, &ConfigDialog::markFirstReadDone);
}

ConfigDialog::~ConfigDialog()
{
    closeSessions();
}

std::shared_ptr<CCommonSNMP> ConfigDialog::addSession(const QString& memberName)
{
    auto session = std::make_shared<CCommonSNMP>();
    m_sessions.push_back({memberName, session});
    return session;
}

void ConfigDialog::closeSessions()
{
    if (m_sessionsClosed)
        return;
    m_sessionsClosed = true;
    kx::TraceDestroyWindow();
    for (const NamedSession& s : m_sessions) {
        s.session->Close();
        kx::TraceSessionClosed(s.name.toStdString());
    }
}

void ConfigDialog::done(int result)
{
    closeSessions();
    QDialog::done(result);
}

void ConfigDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!m_firstReadDone && m_firstRead->allEnded())
        QTimer::singleShot(0, this, [this] {
            if (m_firstRead->allEnded())
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

void ConfigDialog::startWalk(TableWalker* walker, const QStringList& columns,
                             const QList<QWidget*>& widgets, int timeout)
{
    QList<QPointer<QWidget>> guarded;
    for (QWidget* w : widgets) {
        w->setEnabled(false);
        guarded << w;
    }
    auto connection = std::make_shared<QMetaObject::Connection>();
    *connection = connect(walker, &TableWalker::finished, this, [guarded, connection] {
        QObject::disconnect(*connection);
        for (const QPointer<QWidget>& w : guarded)
            if (w)
                w->setEnabled(true);
    });
    walker->start(columns, timeout);
}

void ConfigDialog::refreshAfter(int milliseconds, std::function<void()> refresh)
{
    QTimer::singleShot(milliseconds, this, [this, refresh = std::move(refresh)] {
        if (isVisible())
            refresh();
    });
}

void ConfigDialog::gateOnLoads(LoadSet* loads, const QList<QWidget*>& widgets)
{
    QList<QPointer<QWidget>> guarded;
    for (QWidget* w : widgets) {
        guarded << w;
        w->setEnabled(loads->allEnded());
    }
    connect(loads, &LoadSet::runningChanged, this, [guarded](bool anyRunning) {
        for (const QPointer<QWidget>& w : guarded)
            if (w)
                w->setEnabled(!anyRunning);
    });
}

} // namespace kx
