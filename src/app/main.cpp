// kxmodule: the management module of one switch, started by the console with
// the switch's address and SNMP credentials on the command line.

#include "base/DeviceInfo.h"
#include "ui/panel/PanelDialog.h"
#include "base/Prompter.h"
#include "common/SessionSettings.h"
#include "core/panel/SingleInstance.h"
#include "base/Startup.h"
#include "base/Trace.h"
#include "ui/kit/MessageBoxPrompter.h"

#include <QApplication>
#include <QPixmap>

#include <cstdio>

namespace {

// KX_DEMO_SCREENSHOT=<file>: once the panel shows lamps of an evaluated status
// walk, save the window to <file> (PNG), print its path and the lamp states,
// and close. KX_PANEL_REPORT=1: only print a line when that frame was painted.
void ReportFirstPanel(kx::PanelDialog& panel)
{
    const QString shot = qEnvironmentVariable("KX_DEMO_SCREENSHOT");
    if (shot.isEmpty() && !qEnvironmentVariableIsSet("KX_PANEL_REPORT"))
        return;
    QObject::connect(&panel, &kx::PanelDialog::evaluatedFramePainted, &panel, [&panel, shot] {
        std::printf("kxmodule: evaluated panel painted\n");
        if (!shot.isEmpty()) {
            if (panel.grab().save(shot, "PNG"))
                std::printf("kxmodule: screenshot %s\n", qPrintable(shot));
            else
                std::printf("kxmodule: cannot write %s\n", qPrintable(shot));
            for (const QString& line : panel.lampTexts())
                std::printf("  %s\n", qPrintable(line));
        }
        std::fflush(stdout);
        if (!shot.isEmpty())
            panel.close();
    });
}

} // namespace

int main(int argc, char** argv)
{
    kx::InstallQtTraceSink();
    // The console's line belongs to the module: Qt sees only the program name.
    const std::string line = JoinArguments(argc, argv);
    if (const std::string info = InfoOptionText(line); !info.empty()) {
        std::fputs(info.c_str(), stdout);
        return 0;
    }
    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr};
    QApplication app(qtArgc, qtArgv);
    QApplication::setApplicationName(QStringLiteral("kxmodule"));
    // The panel hides itself while a menu window runs; only closing it ends the program.
    QApplication::setQuitOnLastWindowClosed(false);
    kx::MessageBoxPrompter prompter;
    kx::ScopedPrompter prompterScope(&prompter);

    if (const QString refusal = kx::StartupRefusal(kx::NetworkStackAvailable(), line.empty());
        !refusal.isEmpty()) {
        kx::GetPrompter().message(refusal);
        return 1;
    }

    SessionSettings settings;
    ParseCommandLine(line, settings);
    // Every request, Telnet and the browser go to this address. A name would be
    // looked up by the system's resolver, which can hold the program for as long
    // as a silent name server makes it wait: such a line is refused. (A line
    // without an address still starts, and its requests fail at once.)
    if (!settings.DeviceAddress.empty() && !IsDottedIpv4(settings.DeviceAddress)) {
        kx::Trace("The device address is not a dotted IPv4 address: " + settings.DeviceAddress);
        return 1;
    }
    InstallSessionSettings(settings);

    const QString deviceName = ReadUserIni(UserIniPath()).DeviceName;
    kx::SingleInstance instance(
        kx::InstanceName(deviceName, QString::fromStdString(settings.DeviceAddress)));
    if (instance.acquire() != kx::SingleInstance::Result::First)
        return 0;

    kx::PanelDialog panel;
    QObject::connect(&instance, &kx::SingleInstance::activationRequested, &panel,
                     &kx::PanelDialog::bringToFront);
    QObject::connect(&panel, &QDialog::finished, &app, &QCoreApplication::quit);
    ReportFirstPanel(panel);
    panel.show();
    return app.exec();
}
