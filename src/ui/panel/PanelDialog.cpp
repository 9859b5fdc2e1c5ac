#include "ui/panel/PanelDialog.h"

#include "ui/panel/AboutDialog.h"
#include "core/panel/DeviceCommands.h"
#include "core/panel/PanelDevice.h"
#include "base/Prompter.h"
#include "common/SessionSettings.h"
#include "ui/DialogRegistry.h"
#include "ui/kit/Accessibility.h"
#include "core/panel/PanelResources.h"

#include <QAccessible>
#include <QApplication>
#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QTimer>
#include <QVBoxLayout>

namespace kx {

// ---------------------------------------------------------------- PanelView

PanelView::PanelView(PanelDialog* panel) : QWidget(panel), m_panel(panel)
{
    setObjectName(QStringLiteral("panelView"));
    setAccessibleName(QStringLiteral("Front panel"));
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QSize PanelView::sizeHint() const
{
    return m_panel->m_surface.size();
}

void PanelView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect area = event->rect();
    painter.drawImage(area, m_panel->m_surface, area);
    if (m_panel->m_surfaceEvaluated)
        m_panel->paintedOnScreen();
}

void PanelView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_panel->m_layout.root().mouseEvent(event->position().toPoint());
    QWidget::mousePressEvent(event);
}

void PanelView::mouseMoveEvent(QMouseEvent* event)
{
    m_panel->m_layout.root().mouseEvent(event->position().toPoint());
    QWidget::mouseMoveEvent(event);
}

// ---------------------------------------------------------------- PanelDialog

namespace {

PanelStatusSnapshot InitialStatus(int portCount)
{
    PanelStatusModel model(portCount, false);
    return model.snapshot(PanelStatusSnapshot::Kind::Failed);
}

} // namespace

PanelDialog::PanelDialog(PanelDialogOptions options, QWidget* parent)
    : QDialog(parent),
      m_options(std::move(options)),
      m_dialogs(m_options.dialogs ? m_options.dialogs : &ProgramDialogs()),
      m_cache(m_options.resourceDirectory.isEmpty() ? ResourceDirectory() : m_options.resourceDirectory),
      m_surface(PanelLayout::kDefaultPanelSize, QImage::Format_RGB32),
      m_status(InitialStatus(0)),
      m_device(std::make_unique<PanelDevice>(PanelDeviceConfig{}))
{
    setWindowTitle(QStringLiteral("KX Module"));
    m_surface.fill(palette().color(QPalette::Window));

    m_menuBar = new QMenuBar(this);
    m_menuBar->setAccessibleName(QStringLiteral("Menu"));
    m_menuBar->setNativeMenuBar(false);
    m_view = new PanelView(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(m_menuBar);
    layout->addWidget(m_view);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    buildMenu();
    initialise();
}

PanelDialog::~PanelDialog()
{
    stopPolling();
    // A command's request finishes before its session closes.
    if (m_commandWorker.joinable())
        m_commandWorker.join();
    m_device->closeSessions();
}

void PanelDialog::buildMenu()
{
    // Menus get mnemonics so that the keyboard reaches them; the entries keep
    // their texts exactly.
    QHash<QString, QMenu*> menus;
    std::map<QMenu*, MnemonicSet> mnemonics;
    MnemonicSet topMnemonics;
    for (const PanelMenuEntry& entry : PanelMenuTable()) {
        QMenu* menu = nullptr;
        QString key;
        for (const QString& title : entry.menuPath) {
            const QString parentKey = key;
            key += QLatin1Char('/') + title;
            if (QMenu* existing = menus.value(key)) {
                menu = existing;
                continue;
            }
            QMenu* parentMenu = menus.value(parentKey);
            const QString shown = parentMenu ? mnemonics[parentMenu].assign(title) : topMnemonics.assign(title);
            QMenu* created = parentMenu ? parentMenu->addMenu(shown) : m_menuBar->addMenu(shown);
            created->setObjectName(title);
            created->setAccessibleName(title);
            created->menuAction()->setObjectName(title);
            menus.insert(key, created);
            menu = created;
        }
        QAction* action = menu->addAction(entry.text);
        action->setObjectName(entry.key());
        const PanelMenuEntry copy = entry;
        connect(action, &QAction::triggered, this, [this, copy] { onMenuEntry(copy); });
        if (entry.command == PanelCommand::OpenDialog)
            action->setEnabled(m_dialogs->contains(entry.key()));
        m_actions.insert(entry.key(), action);
    }
}

QAction* PanelDialog::menuAction(const QString& entryText) const
{
    return m_actions.value(entryText);
}

bool PanelDialog::isDialogOpen() const
{
    return m_device->dialogOpen();
}

void PanelDialog::initialise()
{
    // The window menu's About entry: on this desktop it is the panel's context menu.
    m_systemAbout = new QAction(SystemAboutEntryText(), this);
    m_systemAbout->setObjectName(StripMnemonic(SystemAboutEntryText()));
    connect(m_systemAbout, &QAction::triggered, this, [this] { showAbout(false); });
    m_view->addAction(m_systemAbout);
    m_view->setContextMenuPolicy(Qt::ActionsContextMenu);

    const QIcon icon = ApplicationIcon(m_cache.resourceDirectory());
    setWindowIcon(icon);
    m_lampOrderFlag = true;

    const DeviceInfo info =
        ReadUserIni(m_options.userIniPath.isEmpty() ? UserIniPath() : m_options.userIniPath);
    if (info.DeviceName.isEmpty()) {
        GetPrompter().message(QStringLiteral("Read User.ini Error !"));
        return;
    }
    InstallDeviceInfo(info);
    m_info = info;
    if (info.XMLName.isEmpty()) {
        GetPrompter().message(QStringLiteral("Read User.ini Error !"));
        return;
    }

    m_status = InitialStatus(info.DevicePortNum);

    if (m_layout.load(info.XMLName)) {
        m_surface = QImage(m_layout.panelSize(), QImage::Format_RGB32);
        m_surface.fill(palette().color(QPalette::Window));
        m_view->updateGeometry();
    }

    for (int id : res::kPanelBitmapIds)
        m_cache.load(id);

    setWindowTitle(info.DeviceName + QStringLiteral(": ") +
                   QString::fromStdString(GetSessionSettings().DeviceAddress));

    if (QAction* about = m_actions.value(AboutMenuEntryText())) {
        about->setText(AboutMenuEntryTextFor(info.DeviceName));
        about->setObjectName(about->text());
        m_actions.insert(about->text(), about);
    }

    m_device->configure(
        PanelDeviceConfig{info.DeviceName, info.DevicePortNum, info.IsAllGiga, info.IsHasFan});
    QPointer<PanelDialog> self(this);
    m_device->setSnapshotSink([self](PanelStatusSnapshot snapshot) {
        QCoreApplication* app = QCoreApplication::instance();
        if (!app)
            return;
        QMetaObject::invokeMethod(
            app,
            [self, snapshot = std::move(snapshot)] {
                if (self)
                    self->applyStatus(snapshot);
            },
            Qt::QueuedConnection);
    });
    m_thread.setOwner(m_device.get());
    PanelPollTiming timing = m_options.pollTiming;
    if (timing.stepMs <= 0)
        timing.stepMs = PanelPollTiming::ForVersion(GetSessionSettings().SnmpVersion).stepMs;
    m_thread.setTiming(timing);
    m_thread.start();

    for (const QString& text : PanelMenuEntriesRemoved(info.DeviceName)) {
        QAction* action = m_actions.take(text);
        if (!action)
            continue;
        const QList<QObject*> owners = action->associatedObjects();
        delete action;
        // A submenu left without entries goes with them.
        for (QObject* owner : owners)
            if (auto* menu = qobject_cast<QMenu*>(owner); menu && menu->actions().isEmpty())
                menu->menuAction()->setVisible(false);
    }

    m_initialised = true;
    redrawSurface();
    updateDescription();
}

void PanelDialog::applyStatus(const PanelStatusSnapshot& snapshot)
{
    m_status = snapshot;
    const bool evaluated = snapshot.kind == PanelStatusSnapshot::Kind::Evaluated;
    if (evaluated) {
        for (int port : snapshot.evaluatedPorts)
            if (CPort* item = m_layout.nthPort(port - 1))
                item->setState(snapshot.portStates[static_cast<std::size_t>(port - 1)]);
    } else {
        m_layout.resetPortsAfterFailedWalk();
    }
    redrawSurface();
    if (evaluated) {
        m_surfaceEvaluated = true;
        m_blinkTimer.start(kBlinkIntervalMs, this);
    }
    updateDescription();
    emit statusApplied(evaluated);
}

void PanelDialog::redrawSurface()
{
    QPainter painter(&m_surface);
    painter.fillRect(m_surface.rect(), palette().color(QPalette::Window));
    m_layout.draw(painter, m_surface.rect());
    drawLamps(painter);
    painter.end();
    m_view->update();
}

void PanelDialog::drawLamps(QPainter& painter)
{
    for (const FixedLampDraw& d : ModelLampDraws(m_info.DeviceName, m_lampOrderFlag, m_status.powMax,
                                                 m_status.agentAnswered, m_status.fanStatus))
        m_cache.draw(painter, d.bitmap, d.x, d.y);
    const int ports = std::min(m_status.portCount, static_cast<int>(m_status.portStates.size()));
    for (int i = 0; i < ports; ++i) {
        const CPort* port = m_layout.nthPort(i);
        if (!port)
            continue;
        const CLamp* second = port->lamp(2);
        for (const LampDraw& d : PortLampDraws(m_status.portStates[static_cast<std::size_t>(i)],
                                               m_status.poeStates[static_cast<std::size_t>(i)], m_blinkPhase,
                                               second != nullptr, second && second->left() != 0))
            if (const CLamp* lamp = port->lamp(d.lamp))
                m_cache.draw(painter, d.bitmap, lamp->left(), lamp->top());
    }
}

void PanelDialog::blinkTick()
{
    {
        QPainter painter(&m_surface);
        drawLamps(painter);
    }
    m_view->update();
    m_blinkPhase = !m_blinkPhase;
}

void PanelDialog::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == m_blinkTimer.timerId()) {
        blinkTick();
        return;
    }
    QDialog::timerEvent(event);
}

QStringList PanelDialog::lampTexts() const
{
    const int shown = std::min(m_status.portCount, m_layout.topLevelPortCount());
    return PanelLampTexts(m_info.DeviceName, m_status, shown, m_info.IsAllGiga);
}

void PanelDialog::updateDescription()
{
    const QString text = lampTexts().join(QLatin1Char('\n'));
    if (m_view->accessibleDescription() != text)
        m_view->setAccessibleDescription(text);
}

void PanelDialog::paintedOnScreen()
{
    if (m_reportedEvaluatedFrame)
        return;
    m_reportedEvaluatedFrame = true;
    // Not from inside the paint event: a receiver may want to grab the window.
    QMetaObject::invokeMethod(this, &PanelDialog::evaluatedFramePainted, Qt::QueuedConnection);
}

void PanelDialog::bringToFront()
{
    showNormal();
    raise();
    activateWindow();
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal != this) {
        modal->raise();
        modal->activateWindow();
    }
}

void PanelDialog::stopPolling()
{
    if (m_pollingStopped)
        return;
    m_pollingStopped = true;
    m_thread.stop();
    m_thread.join();
    m_blinkTimer.stop();
}

void PanelDialog::closeEvent(QCloseEvent* event)
{
    stopPolling();
    QDialog::closeEvent(event);
}

void PanelDialog::onMenuEntry(const PanelMenuEntry& entry)
{
    switch (entry.command) {
    case PanelCommand::OpenDialog:
        if (DialogFactory factory = m_dialogs->find(entry.key()))
            runMenuDialog(factory);
        break;
    case PanelCommand::SaveConfiguration: saveConfiguration(); break;
    case PanelCommand::Telnet: telnet(); break;
    case PanelCommand::Web: web(); break;
    case PanelCommand::Reboot: reboot(); break;
    case PanelCommand::About: showAbout(true); break;
    }
}

void PanelDialog::runHidden(const std::function<void()>& body)
{
    hide();
    m_device->setDialogOpen(true);
    setWindowState(windowState() | Qt::WindowMinimized);
    body();
    m_device->setDialogOpen(false);
    showNormal();
}

void PanelDialog::runMenuDialog(const std::function<QDialog*(QWidget*)>& factory)
{
    QPointer<QDialog> dialog = factory(this);
    if (!dialog)
        return;
    runHidden([&] {
        dialog->exec();
    });
    delete dialog.data();
}

void PanelDialog::runCommand(std::function<void()> work, std::function<void()> then)
{
    if (m_commandWorker.joinable())
        m_commandWorker.join();
    setEnabled(false);
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    m_commandWorker = std::thread([this, work = std::move(work), then = std::move(then)] {
        work();
        QMetaObject::invokeMethod(
            this,
            [this, then] {
                m_commandWorker.join();
                QGuiApplication::restoreOverrideCursor();
                setEnabled(true);
                then();
            },
            Qt::QueuedConnection);
    });
}

void PanelDialog::saveConfiguration()
{
    if (!GetPrompter().question(QStringLiteral("Do you want to save the configuration?")))
        return;
    auto ok = std::make_shared<bool>(false);
    runCommand([this, ok] { *ok = m_device->saveConfiguration(); },
               [ok] {
                   GetPrompter().message(*ok ? QStringLiteral("Success!") : QStringLiteral("Failed!"),
                                         *ok ? PromptIcon::Information : PromptIcon::Warning);
               });
}

void PanelDialog::telnet()
{
    if (!GetPrompter().question(QStringLiteral("Do you want to TELNET this device?")))
        return;
    DesktopLauncher& launcher = GetLauncher();
    const auto command =
        TelnetCommand(QString::fromStdString(GetSessionSettings().DeviceAddress),
                      [&](const QString& name) { return launcher.findExecutable(name); });
    if (command)
        launcher.startDetached(command->program, command->arguments); // a failed start is silent
}

void PanelDialog::web()
{
    if (!GetPrompter().question(QStringLiteral("Do you want to access this device with browser?")))
        return;
    const QUrl url = DeviceWebUrl(QString::fromStdString(GetSessionSettings().DeviceAddress));
    if (!url.isValid() || !GetLauncher().openUrl(url))
        GetPrompter().message(QStringLiteral("Failed to get IE path !"));
}

void PanelDialog::reboot()
{
    if (!GetPrompter().question(QStringLiteral("Do you want to reboot the device?")))
        return;
    // Hidden and minimised around the request, as around a menu dialog.
    hide();
    m_device->setDialogOpen(true);
    setWindowState(windowState() | Qt::WindowMinimized);
    runCommand([] { RebootCommand().run(); },
               [this] {
                   m_device->setDialogOpen(false);
                   showNormal();
               });
}

void PanelDialog::showAbout(bool hidePanel)
{
    const QString name = m_info.DeviceName;
    if (hidePanel) {
        runMenuDialog([name](QWidget* parent) { return new AboutDialog(name, parent); });
        return;
    }
    AboutDialog box(name, this);
    box.exec();
}

} // namespace kx
