#pragma once

// One running instance per device. The first start for an instance name holds
// a lock file and listens on a local socket, both named after the name's
// InstanceKey(); a later start finds the lock taken, asks the holder through
// the socket to come to the front, and ends. Taking the lock is atomic, so of
// two starts at the same moment exactly one runs.

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>

#include <memory>

namespace kx {

class SingleInstance : public QObject
{
    Q_OBJECT
public:
    enum class Result
    {
        First,         // this process serves the device
        OtherNotified, // another one does, and was asked to come to the front
        OtherBusy,     // another one holds the lock but did not answer in time
    };

    // `directory`: where the lock and the socket live; empty for DefaultDirectory().
    // Without a directory to trust, acquire() always answers First: the process
    // runs without the guard rather than trusting a folder another user controls.
    explicit SingleInstance(const QString& instanceName, const QString& directory = {});
    ~SingleInstance() override;

    // Takes the lock, or notifies its holder; waits at most `waitMs` for a
    // holder that is still starting.
    Result acquire(int waitMs = 5000);

    // Empty when running without the guard.
    QString lockPath() const;
    QString socketPath() const;

    // $XDG_RUNTIME_DIR when set, else a private folder "kxmodule-<uid>" in the
    // temporary directory, made when missing. Empty (with a trace line) when that
    // folder is not a folder of this user with mode 0700.
    static QString DefaultDirectory();

signals:
    // Another start for the same device asked this one to come to the front.
    void activationRequested();

private:
    void onNewConnection();

    QString m_directory;
    QString m_key;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer m_server;
};

} // namespace kx
