#pragma once

// The base of every configuration dialog: modal, kept on top, the application
// icon; it owns the dialog's SNMP sessions and closes them, in the order they
// were added, when the dialog ends ("==================DestroyWindow===============",
// then one "==================<member>.Close===============" line a session).
//
// A dialog names its sessions after their members:
//
//     CCommonSNMP& m_cCommonSNMP = *addSession("m_cCommonSNMP");
//     kx::TableWalker m_walker{addSession("m_cCommonSNMPTable"), this};
//
// Callbacks never reach the dialog directly: walks and gets deliver their
// results by value on the UI thread (snmp/SnmpLoads.h).

#include "base/Prompter.h"
#include "core/kit/SnmpLoads.h"

#include <QDialog>
#include <QList>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

namespace kx {

class ConfigDialog : public QDialog
{
    Q_OBJECT

public:
    explicit ConfigDialog(const QString& title, QWidget* parent = nullptr);
    ~ConfigDialog() override;

    // The loads of the dialog's first read; firstReadFinished() is emitted once
    // all of them have ended (at once after showing when there are none).
    LoadSet* firstRead() { return m_firstRead; }
    bool firstReadDone() const { return m_firstReadDone; }

signals:
    void firstReadFinished();

protected:
    std::shared_ptr<CCommonSNMP> addSession(const QString& memberName);

    // Closes every session once, with the trace lines. Runs when the dialog
    // ends; a derived destructor may call it earlier.
    void closeSessions();

    // The Refresh pattern: `widgets` are disabled while the walk runs and come
    // back when it ends, whatever the end.
    void startWalk(TableWalker* walker, const QStringList& columns,
                   const QList<QWidget*>& widgets, int timeout = 0);

    // `widgets` stay disabled while any load of `loads` runs.
    void gateOnLoads(LoadSet* loads, const QList<QWidget*>& widgets);

    // Runs `refresh` once the device has had `milliseconds` to settle after a
    // write, without holding up the UI thread meanwhile. A dialog closed in the
    // meantime reads nothing more.
    void refreshAfter(int milliseconds, std::function<void()> refresh);

    Prompter& prompter() const { return GetPrompter(); }

    void done(int result) override;
    void showEvent(QShowEvent* event) override;

private:
    void markFirstReadDone();

    struct NamedSession
    {
        QString name;
        std::shared_ptr<CCommonSNMP> session;
    };
    std::vector<NamedSession> m_sessions;
    bool m_sessionsClosed = false;
    LoadSet* m_firstRead;
    bool m_firstReadDone = false;
};

} // namespace kx
