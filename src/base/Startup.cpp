#include "base/Startup.h"

#include <QCryptographicHash>

#include <sys/socket.h>
#include <unistd.h>

namespace kx {

bool NetworkStackAvailable()
{
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

QString StartupRefusal(bool networkStackAvailable, bool commandLineEmpty)
{
    if (!networkStackAvailable)
        return QStringLiteral("Failed to initialize communication port !");
    if (commandLineEmpty)
        return QStringLiteral("No parameter input !");
    return {};
}

QString InstanceName(const QString& deviceName, const QString& deviceAddress)
{
    return QStringLiteral("Module:") + deviceName + deviceAddress;
}

QString InstanceKey(const QString& instanceName)
{
    QString readable;
    for (QChar c : instanceName) {
        if (readable.size() >= 24)
            break;
        const bool plain = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') ||
                           (c >= u'0' && c <= u'9') || c == u'.' || c == u'-';
        readable += plain ? c : QLatin1Char('_');
    }
    const QByteArray digest =
        QCryptographicHash::hash(instanceName.toUtf8(), QCryptographicHash::Sha256).toHex().left(16);
    return readable + QLatin1Char('-') + QString::fromLatin1(digest);
}

} // namespace kx
