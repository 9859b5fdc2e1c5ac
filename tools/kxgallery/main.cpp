// kxgallery: opens any dialog of the module against an agent, for developers to
// look at their dialog and for reviewers to see every one.
//
//   kxgallery --list
//   kxgallery [--agent HOST:PORT] [SNMP flags] [--screenshot FILE] DIALOG
//
// DIALOG is the menu entry text ("Trunk Configuration..."), the window title or
// the class name. With --screenshot the dialog is saved as PNG once its first
// read has finished, and the program ends.

#include "base/DeviceInfo.h"
#include "common/SessionSettings.h"
#include "base/Trace.h"
#include "ui/DialogRegistry.h"
#include "ui/kit/ConfigDialog.h"
#include "ui/kit/MessageBoxPrompter.h"
#include "ui/example/CExampleSystemDlg.h"

#include <QApplication>
#include <QDialog>
#include <QFileInfo>
#include <QPixmap>
#include <QTimer>

#include <cstdio>
#include <memory>

namespace {

const char* const kUsage =
    "usage: kxgallery --list\n"
    "       kxgallery [--agent HOST:PORT] [-v 1|3] [-c COMMUNITY] [-w COMMUNITY]\n"
    "                 [-u USER -l LEVEL -a AUTH -A PASS -x PRIV -X PASS]\n"
    "                 [--device NAME] [--ports N] [--screenshot FILE] DIALOG\n"
    "DIALOG: menu entry text, window title or class name.\n";

struct Gallery
{
    QString name;
    kx::DialogFactory factory;
};

std::vector<Gallery> AllDialogs()
{
    std::vector<Gallery> all;
    const kx::DialogRegistry& registry = kx::ProgramDialogs();
    for (const QString& entry : registry.entries())
        all.push_back({entry, registry.find(entry)});
    all.push_back({QStringLiteral("Example"),
                   [](QWidget* parent) -> QDialog* { return new CExampleSystemDlg(parent); }});
    return all;
}

QDialog* Make(const QString& wanted)
{
    const auto all = AllDialogs();
    for (const Gallery& g : all)
        if (g.name == wanted)
            return g.factory(nullptr);
    // By title or class: only dialogs not found by entry text are built to compare.
    for (const Gallery& g : all) {
        QDialog* d = g.factory(nullptr);
        if (d->windowTitle() == wanted || QString::fromLatin1(d->metaObject()->className()) == wanted)
            return d;
        delete d;
    }
    return nullptr;
}

} // namespace

int main(int argc, char** argv)
{
    // Without a display (a build machine, CI) the dialogs are drawn offscreen.
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    kx::InstallQtTraceSink();
    QStringList args = app.arguments().mid(1);
    SessionSettings s;
    s.DeviceAddress = "127.0.0.1";
    s.SnmpPort = "16100";
    QString screenshot;
    QString dialogName;
    DeviceInfo device = ReadUserIni(UserIniPath());
    if (device.DeviceName.isEmpty()) {
        device.DeviceName = QStringLiteral("KX-A1 R2");
        device.DevicePortNum = 8;
    }
    for (int i = 0; i < args.size(); ++i) {
        const QString a = args[i];
        auto next = [&]() -> QString {
            if (i + 1 >= args.size()) {
                std::fprintf(stderr, "kxgallery: %s needs a value\n%s", qPrintable(a), kUsage);
                std::exit(2);
            }
            return args[++i];
        };
        if (a == "--list") {
            for (const Gallery& g : AllDialogs())
                std::printf("%s\n", qPrintable(g.name));
            return 0;
        } else if (a == "--help" || a == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (a == "--agent") {
            const QString agent = next();
            s.DeviceAddress = agent.section(':', 0, 0).toStdString();
            if (agent.contains(':'))
                s.SnmpPort = agent.section(':', 1).toStdString();
        } else if (a == "--screenshot") {
            screenshot = next();
        } else if (a == "--device") {
            device.DeviceName = next();
        } else if (a == "--ports") {
            device.DevicePortNum = next().toInt();
        } else if (a == "-v") {
            s.SnmpVersion = next().toStdString();
        } else if (a == "-c") {
            s.ReadCommunity = next().toStdString();
        } else if (a == "-w") {
            s.WriteCommunity = next().toStdString();
        } else if (a == "-u") {
            s.SecurityName = next().toStdString();
        } else if (a == "-l") {
            s.SecurityLevel = SecurityLevelCode(next().toStdString());
        } else if (a == "-a") {
            s.AuthProtocol = AuthProtocolCode(next().toStdString());
        } else if (a == "-A") {
            s.AuthPassword = next().toStdString();
        } else if (a == "-x") {
            s.PrivProtocol = PrivProtocolCode(next().toStdString());
        } else if (a == "-X") {
            s.PrivPassword = next().toStdString();
        } else if (dialogName.isEmpty()) {
            dialogName = a;
        } else {
            std::fprintf(stderr, "kxgallery: unexpected %s\n%s", qPrintable(a), kUsage);
            return 2;
        }
    }
    if (dialogName.isEmpty()) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    InstallSessionSettings(s);
    InstallDeviceInfo(device);
    kx::MessageBoxPrompter prompter;
    kx::ScopedPrompter scoped(&prompter);

    std::unique_ptr<QDialog> dialog(Make(dialogName));
    if (!dialog) {
        std::fprintf(stderr, "kxgallery: no dialog %s (try --list)\n", qPrintable(dialogName));
        return 2;
    }
    if (screenshot.isEmpty())
        return dialog->exec() >= 0 ? 0 : 1;

    int status = 1;
    auto save = [&] {
        const QPixmap image = dialog->grab();
        if (image.save(screenshot, "PNG")) {
            std::printf("%s\n", qPrintable(QFileInfo(screenshot).absoluteFilePath()));
            status = 0;
        }
        app.quit();
    };
    dialog->show();
    if (auto* config = qobject_cast<kx::ConfigDialog*>(dialog.get())) {
        QObject::connect(config, &kx::ConfigDialog::firstReadFinished, &app,
                         [&] { QTimer::singleShot(100, &app, save); });
        if (config->firstReadDone())
            QTimer::singleShot(100, &app, save);
    } else {
        QTimer::singleShot(500, &app, save);
    }
    QTimer::singleShot(30000, &app, [&] {
        std::fprintf(stderr, "kxgallery: the first read did not end within 30 s\n");
        save();
        status = 1;
    });
    app.exec();
    return status;
}
