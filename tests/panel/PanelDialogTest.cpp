// The panel window against the simulated switch, offscreen, driven as a user
// drives it: the lamps in rendered frames, the menu and its dispatch, the
// device commands and closing.

#include "ui/panel/AboutDialog.h"
#include "core/panel/DeviceCommands.h"
#include "core/panel/PanelDevice.h"
#include "ui/panel/PanelDialog.h"
#include "base/Prompter.h"
#include "ui/DialogRegistry.h"
#include "core/panel/PanelResources.h"
#include "tests/panel/AppTestSupport.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTimer>

#include <fstream>
#include <set>

using namespace std::chrono_literals;
using kx::PanelDialog;

namespace {

constexpr int kOn = kx::res::kPortLampOn;
constexpr int kOff = kx::res::kPortLampOff;
constexpr int kAmber = kx::res::kPortLampFault;
constexpr int kBudgetOn = kx::res::kA1PoeBudgetLampOn;
constexpr int kBudgetOff = kx::res::kA1PoeBudgetLampOff;

// Records what would have been started instead of starting it.
class RecordingLauncher : public kx::DesktopLauncher
{
public:
    bool startDetached(const QString& program, const QStringList& arguments) override
    {
        started.push_back({program, arguments});
        return true;
    }
    bool openUrl(const QUrl& url) override
    {
        opened.push_back(url);
        return browserAvailable;
    }
    QString findExecutable(const QString& name) override
    {
        return name == u"xterm" ? QStringLiteral("/usr/bin/xterm") : QString();
    }

    std::vector<kx::ProcessCommand> started;
    std::vector<QUrl> opened;
    bool browserAvailable = true;
};

class PanelWindow : public ::testing::Test
{
protected:
    void TearDown() override
    {
        panel.reset();
        InstallSessionSettings(SessionSettings{});
    }

    // Starts the simulator (unless `withSimulator` is false: then nothing
    // answers) and a panel for `deviceName` polling it with a short cycle.
    void open(std::vector<std::string> simArgs = {}, const QString& deviceName = "KX-A1 R2",
              bool withSimulator = true, const char* xmlName = nullptr)
    {
        if (withSimulator) {
            sim = std::make_unique<kxtest::KxSimFixture>(std::move(simArgs));
            ASSERT_TRUE(sim->start());
        }
        InstallSessionSettings(kxtest::SessionSettingsFor(withSimulator ? sim->port() : kxtest::FreeUdpPort()));
        writeUserIni(deviceName, xmlName ? xmlName : (kxtest::BinDir() + "/KXA1R2.xml").c_str());
        kx::PanelDialogOptions options;
        options.userIniPath = QString::fromStdString(dir.file("User.ini"));
        options.resourceDirectory = QString::fromStdString(kxtest::BinDir() + "/res");
        options.dialogs = &registry;
        options.pollTiming = {50, 20};
        panel = std::make_unique<PanelDialog>(options);
        QObject::connect(panel.get(), &PanelDialog::statusApplied, panel.get(),
                         [this](bool evaluated) { (evaluated ? evaluatedCount : failedCount)++; });
        panel->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(panel.get()));
    }

    void writeUserIni(const QString& deviceName, const std::string& xml)
    {
        std::ofstream ini(dir.file("User.ini"));
        ini << "[DeviceInfo]\n";
        if (!deviceName.isEmpty())
            ini << "DeviceName=" << deviceName.toStdString() << "\n";
        ini << "DevicePortNum=8\n";
        if (!xml.empty())
            ini << "XMLName=" << xml << "\n";
        ini << "IsAllGiga=N\nIsHasFan=N\n";
    }

    // Waits for `n` more evaluated walks.
    bool waitEvaluated(int n = 1, int ms = 10000)
    {
        const int target = evaluatedCount + n;
        return QTest::qWaitFor([&] { return evaluatedCount >= target; }, ms);
    }

    // The panel as the screen shows it.
    QImage frame() const
    {
        return panel->panelView()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

    // Which lamp bitmap the frame shows at (x, y); 0 for none of them.
    int lampAt(const QImage& image, int x, int y)
    {
        if (bitmaps.count() == 0)
            for (int id : kx::res::kPanelBitmapIds)
                bitmaps.load(id);
        for (int id : {kOn, kOff, kAmber, kBudgetOn, kBudgetOff, int(kx::res::kA1PowerLamp)}) {
            const QImage want = bitmaps.find(id)->convertToFormat(QImage::Format_RGB32);
            if (image.copy(x, y, want.width(), want.height()) == want)
                return id;
        }
        return 0;
    }

    // Lamp `k` (0 link, 1 PoE, 2 second link) of port `port` (from 1).
    int portLamp(const QImage& image, int port, int k)
    {
        const CPort* item = panel->layout().nthPort(port - 1);
        const CLamp* lamp = item ? item->lamp(k) : nullptr;
        EXPECT_NE(lamp, nullptr) << "port " << port << " lamp " << k;
        return lamp ? lampAt(image, lamp->left(), lamp->top()) : -1;
    }

    int budgetLamp(const QImage& image)
    {
        return lampAt(image, kx::res::kA1PoeBudgetLampLeft, kx::res::kA1PoeBudgetLampTop);
    }

    // The bitmaps a lamp shows over `ms` of blinking.
    std::set<int> lampOverTime(int port, int k, int ms = 1200)
    {
        std::set<int> seen;
        for (int t = 0; t < ms; t += 50) {
            seen.insert(portLamp(frame(), port, k));
            QTest::qWait(50);
        }
        return seen;
    }

    kxtest::TempDir dir;
    std::unique_ptr<kxtest::KxSimFixture> sim;
    kx::DialogRegistry registry;
    kx::RecordingPrompter prompter;
    kx::ScopedPrompter prompterScope{&prompter};
    std::unique_ptr<PanelDialog> panel;
    PanelBitmapCache bitmaps{QString::fromStdString(kxtest::BinDir() + "/res")};
    int evaluatedCount = 0;
    int failedCount = 0;
};

TEST_F(PanelWindow, LampsFollowTheDevice)
{
    open();
    ASSERT_TRUE(waitEvaluated());
    QImage f = frame();
    EXPECT_EQ(lampAt(f, kx::res::kA1PowerLampLeft, kx::res::kA1PowerLampTop), kx::res::kA1PowerLamp);
    EXPECT_EQ(budgetLamp(f), kBudgetOff);
    EXPECT_EQ(portLamp(f, 1, 0), kOn);
    EXPECT_EQ(portLamp(f, 1, 1), kOn);
    EXPECT_EQ(portLamp(f, 5, 0), kOff);
    EXPECT_EQ(portLamp(f, 5, 1), kOff);
    EXPECT_EQ(portLamp(f, 5, 2), kOff);
    // ... and screen readers hear the same.
    QAccessibleInterface* view = QAccessible::queryAccessibleInterface(panel->panelView());
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->text(QAccessible::Name), "Front panel");
    const QString description = view->text(QAccessible::Description);
    EXPECT_TRUE(description.contains("Port 1: link 100M, PoE powered")) << description.toStdString();
    EXPECT_TRUE(description.contains("Port 3: link below 100M, PoE off")) << description.toStdString();
    EXPECT_TRUE(description.contains("PoE budget: available")) << description.toStdString();
    EXPECT_TRUE(panel->panelView()->actions().contains(panel->systemAboutAction()));
    EXPECT_EQ(panel->panelView()->contextMenuPolicy(), Qt::ActionsContextMenu);

    // Cables and powered devices change, and the next walk shows it.
    sim->control("cable 5 100M");
    sim->control("cable 1 none");
    sim->control("pd 4 class=4 watts=20");
    ASSERT_TRUE(waitEvaluated(2));
    f = frame();
    EXPECT_EQ(portLamp(f, 5, 0), kOn);
    EXPECT_EQ(portLamp(f, 1, 0), kOff);
    EXPECT_EQ(portLamp(f, 1, 2), kOff);
    EXPECT_EQ(panel->layout().nthPort(4)->state(), PortLinkTopSpeed);
    EXPECT_EQ(panel->layout().nthPort(0)->state(), PortEnabled);

    // Blinking reaches the screen (which lamp blinks how is PanelLogic's): the
    // PoE fault in amber, a 10M link's second lamp, a 100M link's steady lamp 0.
    EXPECT_EQ(lampOverTime(4, 1), (std::set<int>{kAmber, kOff}));
    EXPECT_EQ(lampOverTime(3, 2), (std::set<int>{kOn, kOff}));
    EXPECT_EQ(lampOverTime(2, 0), (std::set<int>{kOn}));
    EXPECT_TRUE(panel->blinkTimerActive());
}

TEST_F(PanelWindow, ALostDeviceShowsThePanelAsItStarted)
{
    open({"--scenario", "budget"});
    const QImage initial = frame();
    ASSERT_TRUE(waitEvaluated());
    ASSERT_NE(frame(), initial);
    EXPECT_EQ(budgetLamp(frame()), kBudgetOn); // 7.0 W left; the threshold is PanelPolling's
    sim->control("unreachable 60");
    ASSERT_TRUE(QTest::qWaitFor([&] { return failedCount > 0; }, 30000));
    const QImage lost = frame();
    EXPECT_EQ(lost, initial);
    EXPECT_EQ(budgetLamp(lost), kBudgetOff);
    for (int port = 1; port <= 8; ++port)
        for (int k = 0; k < 3; ++k)
            EXPECT_EQ(portLamp(lost, port, k), kOff) << "port " << port << " lamp " << k;
    // ... and lights again once the device answers.
    sim->control("unreachable 0");
    ASSERT_TRUE(waitEvaluated(1, 30000));
    EXPECT_EQ(portLamp(frame(), 1, 0), kOn);
}

TEST_F(PanelWindow, PollingPausesWhileAMenuDialogIsOpen)
{
    bool checked = false;
    registry.add("Trunk Configuration...", "Trunk Configuration", [&](QWidget* parent) {
        auto* dialog = new QDialog(parent);
        dialog->setWindowTitle("Trunk Configuration");
        QTimer::singleShot(0, dialog, [&, dialog] {
            EXPECT_FALSE(panel->isVisible());
            EXPECT_TRUE(panel->windowState() & Qt::WindowMinimized);
            EXPECT_TRUE(panel->isDialogOpen());
            // A walk that was running when the dialog opened may finish.
            QTest::qWait(500);
            sim->clearLog();
            const int evaluated = evaluatedCount;
            QTest::qWait(1500); // several polling cycles
            EXPECT_TRUE(sim->requestLog().empty()) << "polled while a dialog was open";
            EXPECT_EQ(evaluatedCount, evaluated);
            checked = true;
            dialog->accept();
        });
        return dialog;
    });
    open();
    ASSERT_TRUE(waitEvaluated());

    QAction* trunk = panel->menuAction("Trunk Configuration...");
    ASSERT_NE(trunk, nullptr);
    EXPECT_TRUE(trunk->isEnabled());
    EXPECT_FALSE(panel->menuAction("SNMP Trap Configuration")->isEnabled());
    EXPECT_FALSE(panel->menuAction("VLAN Configuration...")->isEnabled());
    for (const char* command : {"Save Configuration...", "Telnet...", "Web...", "Reboot", "About KX-A1 R2..."})
        EXPECT_TRUE(panel->menuAction(command) && panel->menuAction(command)->isEnabled()) << command;

    trunk->trigger();
    EXPECT_TRUE(checked);
    EXPECT_TRUE(panel->isVisible());
    EXPECT_FALSE(panel->windowState() & Qt::WindowMinimized);
    EXPECT_FALSE(panel->isDialogOpen());
    sim->clearLog();
    ASSERT_TRUE(waitEvaluated());
    EXPECT_FALSE(sim->requestLog().empty());
}

TEST_F(PanelWindow, SaveReportsWhatTheDeviceAnsweredRebootShowsNothingMore)
{
    open();
    ASSERT_TRUE(waitEvaluated());
    const QString save = "Do you want to save the configuration?", reboot = "Do you want to reboot the device?";
    const struct
    {
        const char* command;
        const char* fault; // on the command's object, or null
        bool confirm;
        QStringList texts;
    } cases[] = {
        {"Save Configuration...", nullptr, true, {save, "Success!"}},
        {"Save Configuration...", nullptr, false, {save}},
        // The agent refuses inside a response, or does not answer: not a success.
        {"Save Configuration...", "error genErr", true, {save, "Failed!"}},
        {"Save Configuration...", "drop", true, {save, "Failed!"}},
        // The accepted reboot last: it reboots the simulator.
        {"Reboot", nullptr, false, {reboot}},
        {"Reboot", "error genErr", true, {reboot}},
        {"Reboot", nullptr, true, {reboot}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.command) + " " + (c.fault ? c.fault : "") + (c.confirm ? "" : " cancelled"));
        const std::string object =
            std::string(kxtest::KxSimFixture::kPrivateArc) + (c.texts[0] == save ? ".1.10" : ".1.9");
        sim->control("fault clear");
        if (c.fault)
            sim->control("fault add " + object + " " + c.fault);
        sim->clearLog();
        prompter.clear();
        prompter.answerNext(c.confirm);
        panel->menuAction(c.command)->trigger();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !panel->commandRunning(); }, 15000));
        EXPECT_EQ(prompter.texts(), c.texts);
        std::vector<std::string> sets;
        for (const auto& r : sim->requestLog())
            if (r.pdu == "set")
                sets.push_back(kxapptest::Oids(r) + "=" + r.bindings.at(0).value);
        EXPECT_EQ(sets, c.confirm ? std::vector<std::string>{object + ".0=1"} : std::vector<std::string>{});
        EXPECT_TRUE(panel->isVisible());
        EXPECT_FALSE(panel->windowState() & Qt::WindowMinimized);
        EXPECT_FALSE(panel->isDialogOpen());
    }
    EXPECT_NE(sim->control("status").find("rebooting yes"), std::string::npos);
}

TEST_F(PanelWindow, TelnetAndWebStartProgramsOnTheAddress)
{
    RecordingLauncher launcher;
    kx::InstallLauncher(&launcher);
    // Uninstalled also when an assertion ends the test early.
    const std::unique_ptr<RecordingLauncher, void (*)(RecordingLauncher*)> uninstall(
        &launcher, [](RecordingLauncher*) { kx::InstallLauncher(nullptr); });
    open({}, "KX-A1 R2", false);

    prompter.answerNext(true);
    panel->menuAction("Telnet...")->trigger();
    ASSERT_EQ(launcher.started.size(), 1u);
    EXPECT_EQ(launcher.started[0], (kx::ProcessCommand{"/usr/bin/xterm", {"-e", "telnet", "127.0.0.1"}}));
    prompter.answerNext(false);
    panel->menuAction("Telnet...")->trigger();
    EXPECT_EQ(launcher.started.size(), 1u);

    prompter.answerNext(true);
    panel->menuAction("Web...")->trigger();
    ASSERT_EQ(launcher.opened.size(), 1u);
    EXPECT_EQ(launcher.opened[0].toString(), "http://127.0.0.1/");
    launcher.browserAvailable = false;
    prompter.answerNext(true);
    panel->menuAction("Web...")->trigger();
    EXPECT_EQ(prompter.texts(),
              (QStringList{"Do you want to TELNET this device?", "Do you want to TELNET this device?",
                           "Do you want to access this device with browser?",
                           "Do you want to access this device with browser?", "Failed to get IE path !"}));
}

TEST_F(PanelWindow, ClosingStopsPollingThenClosesTheSixSessionsInOrder)
{
    kxtest::TraceCapture trace;
    open();
    ASSERT_TRUE(waitEvaluated());
    panel->close();
    EXPECT_TRUE(panel->pollingThread().waitExited(0));
    panel.reset();
    std::vector<std::string> closing;
    for (const std::string& line : trace.lines())
        if (line.find("DestroyWindow") != std::string::npos || line.find(".Close") != std::string::npos)
            closing.push_back(line);
    EXPECT_EQ(closing, (std::vector<std::string>{
                           "==================DestroyWindow===============",
                           "==================m_cCommonSNMP.Close===============",
                           "==================m_cCommonSNMPset.Close===============",
                           "==================m_cCommonSNMPFan.Close===============",
                           "==================m_cCommonSNMPPoe.Close===============",
                           "==================m_cCommonSNMPDevStat.Close===============",
                           "==================m_cCommonSNMPPoeStat.Close===============",
                       }));
}

TEST_F(PanelWindow, MenuEntriesFollowTheModel)
{
    const struct
    {
        const char* name;
        bool poe;
    } cases[] = {{"KX-A1 R2", true}, {"KX-A1", true}, {"KX-F1P", true}, {"KX-D1 R2", false}, {"KX-G1", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        panel.reset();
        open({}, c.name, false);
        EXPECT_EQ(panel->windowTitle(), QString(c.name) + ": 127.0.0.1");
        EXPECT_EQ(panel->menuAction("LLDP MED Setting"), nullptr);
        for (const char* entry : {"PoE Port Config", "LLDP Global Setting", "LLDP Remote Port Information"})
            EXPECT_EQ(panel->menuAction(entry) != nullptr, c.poe) << entry;
        EXPECT_NE(panel->menuAction("PoE Global Settings"), nullptr);
        QAction* about = panel->menuAction(QString("About ") + c.name + "...");
        ASSERT_NE(about, nullptr);
        EXPECT_TRUE(about->isEnabled());
        // A menu left without entries is not shown.
        QMenu* lldp = panel->menuBar()->findChild<QMenu*>("LLDP");
        ASSERT_NE(lldp, nullptr);
        EXPECT_EQ(lldp->menuAction()->isVisible(), c.poe);
    }
}

TEST_F(PanelWindow, AboutShowsTheModel)
{
    open({}, "KX-A1 R2", false);
    std::vector<QString> titles;
    auto closeBox = [&](bool panelHidden) {
        QTimer::singleShot(0, [&, panelHidden] {
            EXPECT_TRUE(QTest::qWaitFor([] { return QApplication::activeModalWidget() != nullptr; }, 5000));
            auto* box = qobject_cast<kx::AboutDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            titles.push_back(box->windowTitle());
            EXPECT_EQ(box->moduleLabel()->text(), "KX-A1 R2 Management Module");
            EXPECT_EQ(panel->isVisible(), !panelHidden);
            box->accept();
        });
    };
    closeBox(true);
    panel->menuAction("About KX-A1 R2...")->trigger();
    closeBox(false);
    ASSERT_NE(panel->systemAboutAction(), nullptr);
    EXPECT_EQ(panel->systemAboutAction()->text(), "&About KX-A1 Module...");
    panel->systemAboutAction()->trigger();
    EXPECT_EQ(titles, (std::vector<QString>{"KX-A1 R2 Module", "KX-A1 R2 Module"}));
    EXPECT_TRUE(panel->isVisible());
}

TEST_F(PanelWindow, AnUnreadableUserIniLeavesAnEmptyPanelWithItsMenu)
{
    for (const char* name : {"", "KX-A1 R2"}) {
        SCOPED_TRACE(*name ? "no XMLName" : "no DeviceName");
        panel.reset();
        prompter.clear();
        open({}, name, false, *name ? "" : nullptr);
        EXPECT_EQ(prompter.texts(), QStringList{"Read User.ini Error !"});
        EXPECT_FALSE(panel->initialised());
        QTest::qWait(300);
        EXPECT_EQ(panel->pollingThread().cyclesStarted(), 0);
        EXPECT_NE(panel->menuAction("Save Configuration..."), nullptr);
        EXPECT_EQ(panel->panelView()->size(), QSize(800, 160));
    }
}

} // namespace
