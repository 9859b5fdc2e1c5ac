#include "core/panel/SingleInstance.h"

#include "base/Startup.h"
#include "common/TraceCore.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QThread>

#include <sys/stat.h>
#include <unistd.h>

namespace kx {

namespace {

constexpr char kActivate[] = "activate\n";

} // namespace

QString SingleInstance::DefaultDirectory()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir())
        return runtime;
    const QString dir = QDir::temp().filePath(QStringLiteral("kxmodule-%1").arg(::getuid()));
    const QByteArray path = QFile::encodeName(dir);
    ::mkdir(path.constData(), 0700);
    // The temporary directory is shared: another user may have made the folder
    // first, to block this module or to hear its activations. Only a folder of
    // ours that nobody else may enter is used.
    struct stat st = {};
    if (::lstat(path.constData(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid() ||
        (st.st_mode & 07777) != 0700) {
        Trace("single instance: " + dir.toStdString() +
              " is not a private folder of this user; running without the one-instance guard");
        return {};
    }
    return dir;
}

SingleInstance::SingleInstance(const QString& instanceName, const QString& directory)
    : m_directory(directory.isEmpty() ? DefaultDirectory() : directory),
      m_key(InstanceKey(instanceName))
{
    connect(&m_server, &QLocalServer::newConnection, this, &SingleInstance::onNewConnection);
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::lockPath() const
{
    return m_directory.isEmpty() ? QString()
                                 : QDir(m_directory).filePath(m_key + QStringLiteral(".lock"));
}

QString SingleInstance::socketPath() const
{
    return m_directory.isEmpty() ? QString()
                                 : QDir(m_directory).filePath(m_key + QStringLiteral(".sock"));
}

SingleInstance::Result SingleInstance::acquire(int waitMs)
{
    if (m_directory.isEmpty())
        return Result::First; // no folder to trust: unguarded
    const QDeadlineTimer deadline(waitMs);
    for (;;) {
        auto lock = std::make_unique<QLockFile>(lockPath());
        // A lock whose holder has died is taken over; a live holder keeps it.
        if (lock->tryLock(0)) {
            m_lock = std::move(lock);
            // A socket file left by a holder that died is ours to replace.
            QLocalServer::removeServer(socketPath());
            m_server.setSocketOptions(QLocalServer::UserAccessOption);
            m_server.listen(socketPath());
            return Result::First;
        }
        QLocalSocket socket;
        socket.connectToServer(socketPath());
        if (socket.waitForConnected(250)) {
            socket.write(kActivate);
            socket.waitForBytesWritten(1000);
            socket.disconnectFromServer();
            return Result::OtherNotified;
        }
        if (deadline.hasExpired())
            return Result::OtherBusy;
        // The holder is still starting: it listens right after it took the lock.
        QThread::msleep(50);
    }
}

void SingleInstance::onNewConnection()
{
    while (QLocalSocket* socket = m_server.nextPendingConnection()) {
        auto read = [this, socket] {
            while (socket->canReadLine()) {
                if (socket->readLine(64) == kActivate)
                    emit activationRequested();
            }
            // Nobody sends more than one short line.
            if (socket->bytesAvailable() > 64)
                socket->abort();
        };
        connect(socket, &QLocalSocket::readyRead, this, read);
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        read(); // what arrived before the connection was taken
    }
}

} // namespace kx
