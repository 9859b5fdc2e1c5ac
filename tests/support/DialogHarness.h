#pragma once

// Drives a dialog the way a user does, against the simulated switch:
//
//   kxtest::DialogHarness h;                 // kxsim on a free port, v1
//   h.sim().control("scenario trunk78");
//   auto dlg = h.open<CTrunkConfigDlg>();    // shown offscreen, not exec()'d
//   ASSERT_TRUE(h.waitFirstRead(*dlg));
//   h.click(dlg.get(), "&Refresh");
//   EXPECT_EQ(h.prompter().last(), "...");
//   EXPECT_EQ(h.sim().value("1.3.6...."), "...");
//
// The harness installs the module's settings (SessionSettings pointing at the
// simulator, User.ini facts of an 8-port KX-A1 R2) and a RecordingPrompter that
// keeps every message shown and answers questions from a script. Add
// tests/support/QtTestMain.cpp to the suite for the QApplication.

#include "base/DeviceInfo.h"
#include "base/Prompter.h"
#include "common/SessionSettings.h"
#include "tests/support/KxSimFixture.h"

#include <QApplication>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace kx {
class ConfigDialog;
}

namespace kxtest {

class DialogHarness
{
public:
    struct Options
    {
        KxSimFixture::Options sim;
        std::string v3User;         // empty: SNMPv1 with the default communities
        QString deviceName = QStringLiteral("KX-A1 R2");
        int portCount = 8;
        int sessionTimeoutMs = 1500; // short, so that failure paths are quick
    };

    DialogHarness();
    explicit DialogHarness(Options options);
    ~DialogHarness();

    KxSimFixture& sim() { return *m_sim; }
    // The set requests the simulator logged since its log was cleared, in order.
    std::vector<kxsim::LoggedRequest> sets();
    kx::RecordingPrompter& prompter() { return m_prompter; }
    // Settings pointing at the simulator, as installed; sessions constructed
    // afterwards use them.
    SessionSettings settings() const;
    // Back to the start of a test: the simulator at its start-up state (no
    // faults, reachable, log empty), SNMPv1 on the default device, no messages.
    void resetForTest();
    // Re-installs the settings for another user (empty = v1) or device facts.
    void useVersion3(const std::string& user);
    void useDevice(const QString& name, int portCount);
    // Sessions constructed from now on wait this long for an answer.
    void useSessionTimeout(int milliseconds);

    // Constructs the dialog and shows it (not modal-exec'd, so the test keeps
    // control).
    template<class D, class... Args>
    std::unique_ptr<D> open(Args&&... args)
    {
        auto dialog = std::make_unique<D>(std::forward<Args>(args)...);
        dialog->show();
        return dialog;
    }

    // Waits for the dialog's first read to end.
    static bool waitFirstRead(kx::ConfigDialog& dialog, int timeoutMs = 15000);
    // Processes events until `condition` holds.
    static bool waitUntil(const std::function<bool()>& condition, int timeoutMs = 15000);

    // Controls by objectName or accessible name (the text the design names,
    // mnemonic included or not).
    static QWidget* find(QWidget* root, const QString& name);
    template<class W>
    static W* find(QWidget* root, const QString& name)
    {
        return qobject_cast<W*>(find(root, name));
    }
    // Clicks a button (fails the test when there is none, or it is disabled) and
    // waits until the reads and writes the click started have ended.
    static void click(QWidget* root, const QString& name);
    // Clicks and returns at once.
    static void press(QWidget* root, const QString& name);
    // Waits until no read, write or pending refresh of the dialog is under way.
    static bool waitIdle(kx::ConfigDialog& dialog, int timeoutMs = 30000);
    // Replaces a line edit's text by typing it.
    static void type(QWidget* root, const QString& name, const QString& text);
    // Picks a combo box entry by its text.
    static void choose(QWidget* root, const QString& name, const QString& text);

    // Runs `action` on the first modal dialog of type D that opens (inside the
    // nested event loop of its exec()); the action must close it.
    template<class D>
    static void whenModalOpens(std::function<void(D*)> action, int timeoutMs = 15000)
    {
        watchModal([action](QWidget* w) {
            if (auto* d = qobject_cast<D*>(w)) {
                action(d);
                return true;
            }
            return false;
        }, timeoutMs);
    }

private:
    static void watchModal(std::function<bool(QWidget*)> action, int timeoutMs);
    void install();

    Options m_options;
    std::unique_ptr<KxSimFixture> m_sim;
    kx::RecordingPrompter m_prompter;
    std::unique_ptr<kx::ScopedPrompter> m_scopedPrompter;
    SessionSettings m_previousSettings;
    DeviceInfo m_previousDevice;
};

// The usual suite of dialog tests: one simulator for all of them, and
// resetForTest() before each. `Base` is ::testing::Test or a TestWithParam<T>.
//
//   class TrunkDialog : public kxtest::SimSuite<> {};
//   TEST_F(TrunkDialog, ...) { auto dlg = harness->open<CTrunkConfigDlg>(); ... }
template<class Base = ::testing::Test>
class SimSuite : public Base
{
protected:
    static void SetUpTestSuite() { harness = new DialogHarness; }
    static void TearDownTestSuite()
    {
        delete harness;
        harness = nullptr;
    }
    void SetUp() override { harness->resetForTest(); }

    inline static DialogHarness* harness = nullptr;
};

} // namespace kxtest
