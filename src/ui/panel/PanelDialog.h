#pragma once

// The program's only top-level window: the switch's front panel with lamps that
// follow the device, and the menu that opens every other window.
//
// The polling thread and the walk callbacks never reach this class directly:
// each ended walk arrives here as one PanelStatusSnapshot through a queued call
// (guarded by a QPointer), is applied on the UI thread and repainted.

#include "core/panel/CPanelDeviceThread.h"
#include "base/DeviceInfo.h"
#include "core/panel/PanelMenu.h"
#include "core/panel/PanelStatus.h"
#include "core/panel/PanelBitmapCache.h"
#include "core/panel/PanelLayout.h"

#include <QBasicTimer>
#include <QDialog>
#include <QHash>
#include <QImage>

#include <functional>
#include <memory>
#include <thread>

class QAction;
class QMenu;
class QMenuBar;

namespace kx {

class DialogRegistry;
class PanelDevice;
class PanelDialog;

// The front-panel picture. It shows the panel's drawing surface; a screen
// reader gets the lamp states from its accessible description.
class PanelView : public QWidget
{
    Q_OBJECT
public:
    explicit PanelView(PanelDialog* panel);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    PanelDialog* m_panel;
};

struct PanelDialogOptions
{
    QString userIniPath;                   // empty: User.ini beside the program
    QString resourceDirectory;             // empty: kx::ResourceDirectory()
    const DialogRegistry* dialogs = nullptr; // null: the program's dialogs
    PanelPollTiming pollTiming;            // stepMs 0: by SessionSettings.SnmpVersion
};

class PanelDialog : public QDialog
{
    Q_OBJECT
public:
    // The blink timer: 200 ms, (re)started whenever a walk has been evaluated.
    static constexpr int kBlinkTimerId = 2052;
    static constexpr int kBlinkIntervalMs = 200;

    explicit PanelDialog(PanelDialogOptions options = {}, QWidget* parent = nullptr);
    ~PanelDialog() override;

    // The entry of the menu bar with this text (as the menu table gives it), or null.
    QAction* menuAction(const QString& entryText) const;
    QAction* systemAboutAction() const { return m_systemAbout; }
    QMenuBar* menuBar() const { return m_menuBar; }
    PanelView* panelView() const { return m_view; }

    // What the panel shows: the drawing surface and the status it was drawn from.
    const QImage& surface() const { return m_surface; }
    const PanelStatusSnapshot& status() const { return m_status; }
    const PanelLayout& layout() const { return m_layout; }
    bool blinkPhase() const { return m_blinkPhase; }
    bool blinkTimerActive() const { return m_blinkTimer.isActive(); }
    // The lamp states as lines of text ("Port 1: link 100M, PoE powered").
    QStringList lampTexts() const;

    PanelDevice& device() { return *m_device; }
    CPanelDeviceThread& pollingThread() { return m_thread; }
    // A device command's request is under way.
    bool commandRunning() const { return m_commandWorker.joinable(); }
    bool isDialogOpen() const;
    bool initialised() const { return m_initialised; }

    // Shows the panel normally, raises and activates it (another start for the
    // same device asked for it); a menu dialog that runs is raised above it.
    void bringToFront();

    // Stops the polling thread and waits for it (closing does this first).
    void stopPolling();

signals:
    // A snapshot was applied: evaluated (true) or a failed walk (false).
    void statusApplied(bool evaluated);
    // The panel was painted on screen with lamps from an evaluated walk (once).
    void evaluatedFramePainted();

protected:
    void closeEvent(QCloseEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    friend class PanelView;

    void buildMenu();
    void initialise();
    void applyStatus(const PanelStatusSnapshot& snapshot);
    void redrawSurface();
    void drawLamps(QPainter& painter);
    void blinkTick();
    void updateDescription();
    void onMenuEntry(const PanelMenuEntry& entry);
    // The pattern of every menu window: made, panel hidden, polling paused,
    // panel minimised, window run modally, polling resumed, panel shown normally.
    // A device command's request off the UI thread, the panel disabled under the
    // wait cursor meanwhile; `then` runs on the UI thread once it has answered.
    void runCommand(std::function<void()> work, std::function<void()> then);
    void runHidden(const std::function<void()>& body);
    void runMenuDialog(const std::function<QDialog*(QWidget*)>& factory);
    void saveConfiguration();
    void telnet();
    void web();
    void reboot();
    void showAbout(bool hidePanel);
    void paintedOnScreen();

    PanelDialogOptions m_options;
    const DialogRegistry* m_dialogs;
    DeviceInfo m_info;
    bool m_initialised = false;
    bool m_lampOrderFlag = false;

    QMenuBar* m_menuBar = nullptr;
    PanelView* m_view = nullptr;
    QAction* m_systemAbout = nullptr;
    QHash<QString, QAction*> m_actions;

    PanelLayout m_layout;
    PanelBitmapCache m_cache;
    QImage m_surface;
    PanelStatusSnapshot m_status;
    bool m_blinkPhase = false;
    QBasicTimer m_blinkTimer;
    bool m_surfaceEvaluated = false;
    bool m_reportedEvaluatedFrame = false;

    std::unique_ptr<PanelDevice> m_device;
    CPanelDeviceThread m_thread;
    bool m_pollingStopped = false;
    std::thread m_commandWorker;
};

} // namespace kx
