#include "tests/support/DialogHarness.h"

#include "ui/kit/Accessibility.h"
#include "ui/kit/ConfigDialog.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QElapsedTimer>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>

namespace kxtest {

DialogHarness::DialogHarness() : DialogHarness(Options()) {}

DialogHarness::DialogHarness(Options options)
    : m_options(std::move(options)),
      m_sim(std::make_unique<KxSimFixture>(m_options.sim)),
      m_previousSettings(GetSessionSettings()),
      m_previousDevice(GetDeviceInfo())
{
    EXPECT_TRUE(m_sim->start()) << "kxsim did not start";
    m_scopedPrompter = std::make_unique<kx::ScopedPrompter>(&m_prompter);
    install();
}

std::vector<kxsim::LoggedRequest> DialogHarness::sets()
{
    std::vector<kxsim::LoggedRequest> sets;
    for (const auto& r : m_sim->requestLog())
        if (r.pdu == "set")
            sets.push_back(r);
    return sets;
}

std::string PlainHex(std::string text)
{
    text.erase(std::remove(text.begin(), text.end(), '-'), text.end());
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

std::vector<std::string> SetBindings(KxSimFixture& sim)
{
    const std::string arc = std::string(KxSimFixture::kPrivateArc) + ".";
    std::vector<std::string> out;
    for (const auto& r : sim.requestLog()) {
        if (r.pdu != "set")
            continue;
        for (const auto& b : r.bindings) {
            const std::string oid = b.oid.rfind(arc, 0) == 0 ? b.oid.substr(arc.size()) : b.oid;
            const bool octets = b.type == "x" || b.type == "pl";
            out.push_back(oid + "=" + (octets ? PlainHex(b.value) : b.value) +
                          (r.status == "noError" ? "" : " " + r.status));
        }
    }
    return out;
}

DialogHarness::~DialogHarness()
{
    m_scopedPrompter.reset();
    InstallSessionSettings(m_previousSettings);
    InstallDeviceInfo(m_previousDevice);
}

SessionSettings DialogHarness::settings() const
{
    SessionSettings s = SessionSettingsFor(m_sim->port(), m_options.v3User, m_options.sessionTimeoutMs);
    s.LeadToken = "kxtest";
    s.DeviceAddress = m_sim->address();
    return s;
}

void DialogHarness::install()
{
    InstallSessionSettings(settings());
    DeviceInfo info;
    info.DeviceName = m_options.deviceName;
    info.DevicePortNum = m_options.portCount;
    info.XMLName = QStringLiteral("KXA1R2.xml");
    InstallDeviceInfo(info);
}

void DialogHarness::resetForTest()
{
    Options defaults;
    defaults.sim = m_options.sim;
    m_options = defaults;
    install();
    m_sim->control("reset");
    m_prompter.clear();
}

void DialogHarness::useVersion3(const std::string& user)
{
    m_options.v3User = user;
    install();
}

void DialogHarness::useSessionTimeout(int milliseconds)
{
    m_options.sessionTimeoutMs = milliseconds;
    install();
}

void DialogHarness::useDevice(const QString& name, int portCount)
{
    m_options.deviceName = name;
    m_options.portCount = portCount;
    install();
}

bool DialogHarness::waitFirstRead(kx::ConfigDialog& dialog, int timeoutMs)
{
    return QTest::qWaitFor([&] { return dialog.firstReadDone(); }, timeoutMs);
}

bool DialogHarness::waitUntil(const std::function<bool()>& condition, int timeoutMs)
{
    return QTest::qWaitFor(condition, timeoutMs);
}

QWidget* DialogHarness::find(QWidget* root, const QString& name)
{
    if (!root)
        return nullptr;
    const QString plain = kx::StripMnemonic(name);
    const auto widgets = root->findChildren<QWidget*>();
    for (QWidget* w : widgets)
        if (w->objectName() == name)
            return w;
    for (QWidget* w : widgets)
        if (kx::StripMnemonic(w->accessibleName()) == plain || kx::StripMnemonic(w->objectName()) == plain)
            return w;
    for (QWidget* w : widgets)
        if (auto* b = qobject_cast<QAbstractButton*>(w); b && kx::StripMnemonic(b->text()) == plain)
            return w;
    return nullptr;
}

void DialogHarness::click(QWidget* root, const QString& name)
{
    // What the click starts (a write, the reads after it) runs off the UI
    // thread; the user sees its outcome when the window has settled, and so does
    // the test.
    auto* button = find<QAbstractButton>(root, name);
    QPointer<kx::ConfigDialog> dialog = button ? qobject_cast<kx::ConfigDialog*>(button->window()) : nullptr;
    press(root, name);
    if (dialog)
        waitIdle(*dialog);
}

void DialogHarness::press(QWidget* root, const QString& name)
{
    auto* button = find<QAbstractButton>(root, name);
    ASSERT_NE(button, nullptr) << "no button " << name.toStdString();
    ASSERT_TRUE(button->isEnabled()) << "button disabled: " << name.toStdString();
    QTest::mouseClick(button, Qt::LeftButton);
}

bool DialogHarness::waitIdle(kx::ConfigDialog& dialog, int timeoutMs)
{
    QPointer<kx::ConfigDialog> guarded(&dialog);
    return QTest::qWaitFor([&] { return !guarded || !guarded->busy(); }, timeoutMs);
}

void DialogHarness::type(QWidget* root, const QString& name, const QString& text)
{
    auto* edit = find<QLineEdit>(root, name);
    ASSERT_NE(edit, nullptr) << "no edit " << name.toStdString();
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

void DialogHarness::choose(QWidget* root, const QString& name, const QString& text)
{
    auto* combo = find<QComboBox>(root, name);
    ASSERT_NE(combo, nullptr) << "no combo box " << name.toStdString();
    const int index = combo->findText(text);
    ASSERT_GE(index, 0) << "no entry " << text.toStdString();
    combo->setCurrentIndex(index);
    emit combo->activated(index);
    if (auto* dialog = qobject_cast<kx::ConfigDialog*>(combo->window()))
        waitIdle(*dialog);
}

void DialogHarness::watchModal(std::function<bool(QWidget*)> action, int timeoutMs)
{
    auto* timer = new QTimer;
    auto deadline = std::make_shared<QElapsedTimer>();
    deadline->start();
    QObject::connect(timer, &QTimer::timeout, timer, [timer, action, deadline, timeoutMs] {
        QWidget* modal = QApplication::activeModalWidget();
        const auto tops = QApplication::topLevelWidgets();
        QList<QWidget*> candidates;
        if (modal)
            candidates << modal;
        candidates += tops;
        for (QWidget* w : candidates) {
            if (w->isVisible() && action(w)) {
                timer->stop();
                timer->deleteLater();
                return;
            }
        }
        if (deadline->elapsed() > timeoutMs) {
            timer->stop();
            timer->deleteLater();
            ADD_FAILURE() << "the expected dialog did not open";
        }
    });
    timer->start(20);
}

} // namespace kxtest
