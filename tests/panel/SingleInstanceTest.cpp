// One instance per device, with real kxmodule processes: a second start raises
// the first and ends, two starts at the same moment never both run, and a
// lock left by a process that died does not block the next start.

#include "ui/panel/PanelDialog.h"
#include "base/Prompter.h"
#include "common/SessionSettings.h"
#include "core/panel/SingleInstance.h"
#include "base/Startup.h"
#include "tests/support/SnmpdFixture.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QTest>

#include <memory>

namespace {

class SingleInstanceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // The lock and the socket live here, for this process and its children.
        m_previousRuntime = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(m_runtime.path()));
        m_port = kxtest::FreeUdpPort(); // nothing answers there
    }

    void TearDown() override
    {
        for (auto& p : m_processes)
            if (p->state() != QProcess::NotRunning) {
                p->kill();
                p->waitForFinished(5000);
            }
        qputenv("XDG_RUNTIME_DIR", m_previousRuntime);
    }

    // kxmodule with a console line for the device at `address` (no agent there).
    QProcess* startModule(const QString& address = "127.0.0.1")
    {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        process->setProcessEnvironment(env);
        process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process->start(QString::fromStdString(kxtest::BinDir() + "/kxmodule"),
                       {"/Lkx", "/I" + address, "/Rqolvat", "/Wmerudos", "/Ftrue", "/V1",
                        "/P" + QString::number(m_port)});
        m_processes.push_back(std::move(process));
        return m_processes.back().get();
    }

    static bool Ended(QProcess* p, int ms)
    {
        return QTest::qWaitFor([p] { return p->state() == QProcess::NotRunning; }, ms);
    }

    kxtest::TempDir m_runtime;
    QByteArray m_previousRuntime;
    int m_port = 0;
    std::vector<std::unique_ptr<QProcess>> m_processes;
};

TEST_F(SingleInstanceTest, ASecondStartRaisesTheFirstAndEndsSilently)
{
    InstallSessionSettings(kxtest::SessionSettingsFor(m_port));
    kx::RecordingPrompter prompter;
    kx::ScopedPrompter scope(&prompter);

    // This process is the first instance for the installed model at 127.0.0.1.
    kx::SingleInstance instance(kx::InstanceName("KX-A1 R2", "127.0.0.1"));
    ASSERT_EQ(instance.acquire(), kx::SingleInstance::Result::First);
    kx::PanelDialogOptions options;
    options.userIniPath = QString::fromStdString(kxtest::BinDir() + "/User.ini");
    options.resourceDirectory = QString::fromStdString(kxtest::BinDir() + "/res");
    kx::PanelDialog panel(options);
    int requests = 0;
    QObject::connect(&instance, &kx::SingleInstance::activationRequested, &panel, [&] {
        ++requests;
        panel.bringToFront();
    });
    panel.showMinimized();
    ASSERT_TRUE(QTest::qWaitFor([&] { return panel.isMinimized(); }, 5000));

    QProcess* second = startModule();
    ASSERT_TRUE(Ended(second, 15000));
    EXPECT_EQ(second->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second->exitCode(), 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return requests == 1; }, 5000));
    EXPECT_TRUE(panel.isVisible());
    EXPECT_FALSE(panel.isMinimized());
    EXPECT_TRUE(prompter.texts().isEmpty());
    InstallSessionSettings(SessionSettings{});
}

TEST_F(SingleInstanceTest, TwoStartsAtTheSameMomentNeverBothRun)
{
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        QProcess* a = startModule();
        QProcess* b = startModule();
        // Another device runs beside them.
        QProcess* other = startModule("127.0.0.2");
        QTest::qWait(3000);
        const bool aRuns = a->state() != QProcess::NotRunning;
        const bool bRuns = b->state() != QProcess::NotRunning;
        EXPECT_NE(aRuns, bRuns) << "exactly one instance serves the device";
        QProcess* gone = aRuns ? b : a;
        EXPECT_EQ(gone->exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(gone->exitCode(), 0);
        EXPECT_NE(other->state(), QProcess::NotRunning);
        for (QProcess* p : {a, b, other}) {
            p->terminate();
            EXPECT_TRUE(Ended(p, 10000));
        }
    }
}

TEST_F(SingleInstanceTest, ALockLeftByADeadProcessDoesNotBlockTheNextStart)
{
    QProcess* first = startModule();
    QTest::qWait(1500);
    ASSERT_NE(first->state(), QProcess::NotRunning);
    first->kill(); // no chance to remove its lock or socket
    ASSERT_TRUE(Ended(first, 5000));

    QProcess* next = startModule();
    QTest::qWait(1500);
    EXPECT_NE(next->state(), QProcess::NotRunning);
    // It serves the device: a third start finds it listening.
    kx::SingleInstance third(kx::InstanceName("KX-A1 R2", "127.0.0.1"));
    EXPECT_EQ(third.acquire(3000), kx::SingleInstance::Result::OtherNotified)
        << "the next start did not take over from the dead instance";
}

} // namespace
