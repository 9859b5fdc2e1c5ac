// kxmodule's start-up with a console line whose address is not a dotted IPv4
// address: refused with a trace line, before any window and without asking the
// system's resolver (a silent name server would hold the program for seconds).

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>

namespace {

TEST(Startup, AnAddressThatIsNotDottedIpv4IsRefusedWithATraceLine)
{
    kxtest::TempDir runtime;
    for (const char* address : {"localhost", "switch.example", "10.0.0.256", "127.1", "010.0.0.5"}) {
        SCOPED_TRACE(address);
        QProcess module;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("QT_LOGGING_RULES", "kx.trace.debug=true");
        env.insert("XDG_RUNTIME_DIR", QString::fromStdString(runtime.path()));
        module.setProcessEnvironment(env);
        module.start(QString::fromStdString(kxtest::BinDir() + "/kxmodule"),
                     {"/Lkx", QStringLiteral("/I") + address, "/Rqolvat", "/Wmerudos", "/Ftrue", "/V1"});
        // A panel (or a message box) would keep it running.
        ASSERT_TRUE(module.waitForFinished(10000));
        EXPECT_EQ(module.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(module.exitCode(), 1);
        EXPECT_TRUE(module.readAllStandardError().contains(
            QByteArray("The device address is not a dotted IPv4 address: ") + address));
    }
}

} // namespace
