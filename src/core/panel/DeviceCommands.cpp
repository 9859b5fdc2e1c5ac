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
    for (const Terminal& t : kTerminals) {
        const QString path = findExecutable(QString::fromLatin1(t.name));
        if (path.isEmpty())
            continue;
        ProcessCommand c{path, {QString::fromLatin1(t.commandOption), QStringLiteral("telnet")}};
        if (!address.isEmpty() && !address.startsWith(QLatin1Char('-')))
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
