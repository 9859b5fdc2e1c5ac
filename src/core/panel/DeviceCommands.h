#pragma once

// Telnet and Web of the Tools menu: which program starts with which arguments,
// and the seam through which it is started (replaced in tests).

#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>
#include <optional>

namespace kx {

class DesktopLauncher
{
public:
    virtual ~DesktopLauncher() = default;
    // Starts `program` with `arguments` as a detached process; never through a shell.
    virtual bool startDetached(const QString& program, const QStringList& arguments) = 0;
    // Opens `url` with the desktop's default handler.
    virtual bool openUrl(const QUrl& url) = 0;
    // The full path of an executable on PATH, or empty.
    virtual QString findExecutable(const QString& name) = 0;
};

// The installed launcher: QProcess and QDesktopServices unless a test installed one.
DesktopLauncher& GetLauncher();
// Installs `launcher` (not owned) and returns the previous one; nullptr restores the default.
DesktopLauncher* InstallLauncher(DesktopLauncher* launcher);

struct ProcessCommand
{
    QString program;
    QStringList arguments;
    bool operator==(const ProcessCommand&) const = default;
};

// A terminal emulator running "telnet <address>": the first of the known
// terminals that `findExecutable` finds, with the way it takes a command. The
// address is passed as one argument; an empty one starts telnet alone. nullopt
// when no terminal is installed or the address is not a dotted IPv4 address
// (nothing is started then, as after a failed start).
std::optional<ProcessCommand> TelnetCommand(const QString& address,
                                            const std::function<QString(const QString&)>& findExecutable);

// The address as the browser opens it: "http://<address>/"; about:blank
// without an address; an invalid URL when the address is no host.
QUrl DeviceWebUrl(const QString& address);

} // namespace kx
