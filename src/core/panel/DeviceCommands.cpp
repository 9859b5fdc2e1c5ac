#include "core/panel/DeviceCommands.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>

#include <atomic>

namespace kx {

namespace {

class SystemLauncher : public DesktopLauncher
{
public:
    bool startDetached(const QString& program, const QStringList& arguments) override
    {
        return QProcess::startDetached(program, arguments);
    }
    bool openUrl(const QUrl& url) override { return QDesktopServices::openUrl(url); }
    QString findExecutable(const QString& name) override
    {
        return QStandardPaths::findExecutable(name);
    }
};

SystemLauncher& DefaultLauncher()
{
    static SystemLauncher launcher;
    return launcher;
}

std::atomic<DesktopLauncher*> g_launcher{nullptr};

struct Terminal
{
    const char* name;
    const char* commandOption; // what precedes the command and its arguments
};

// x-terminal-emulator is the Debian alternative the user chose; the rest are
// tried in order when it is missing.
constexpr Terminal kTerminals[] = {
    {"x-terminal-emulator", "-e"}, {"xterm", "-e"},          {"gnome-terminal", "--"},
    {"konsole", "-e"},             {"xfce4-terminal", "-x"}, {"mate-terminal", "-x"},
};

// Four decimal parts of 0..255 without leading zeros: a terminal's telnet would
// read "010" as octal, and anything else could be taken for a host name or an
// option.
bool IsDottedIpv4(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char('.'));
    if (parts.size() != 4)
        return false;
    for (const QString& part : parts) {
        if (part.isEmpty() || part.size() > 3 || (part.size() > 1 && part[0] == u'0'))
            return false;
        for (QChar c : part)
            if (c < u'0' || c > u'9')
                return false;
        if (part.toInt() > 255)
            return false;
    }
    return true;
}

} // namespace

DesktopLauncher& GetLauncher()
{
    DesktopLauncher* l = g_launcher.load();
    return l ? *l : DefaultLauncher();
}

DesktopLauncher* InstallLauncher(DesktopLauncher* launcher)
{
    return g_launcher.exchange(launcher);
}

std::optional<ProcessCommand> TelnetCommand(const QString& address,
                                            const std::function<QString(const QString&)>& findExecutable)
{
    if (!address.isEmpty() && !IsDottedIpv4(address))
        return std::nullopt;
    for (const Terminal& t : kTerminals) {
        const QString path = findExecutable(QString::fromLatin1(t.name));
        if (path.isEmpty())
            continue;
        ProcessCommand c{path, {QString::fromLatin1(t.commandOption), QStringLiteral("telnet")}};
        if (!address.isEmpty())
            c.arguments << address;
        return c;
    }
    return std::nullopt;
}

QUrl DeviceWebUrl(const QString& address)
{
    if (address.isEmpty())
        return QUrl(QStringLiteral("about:blank"));
    QUrl url;
    url.setScheme(QStringLiteral("http"));
    url.setHost(address, QUrl::StrictMode);
    if (url.host().isEmpty())
        return QUrl(); // not a host name or address: nothing to open
    url.setPath(QStringLiteral("/"));
    return url;
}

} // namespace kx
