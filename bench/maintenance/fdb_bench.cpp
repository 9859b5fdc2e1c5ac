// The time from opening the Forwarding Table viewer to the end of its walk of
// 10,000 entries (every row listed), against snmpwalk of the same three columns
// (the whole entry) and of one column (as many requests as the viewer makes,
// one binding each), on the same kxsim, runs interleaved; v1 and v3 authPriv.
// Prints the medians and the ratios; the target is a ratio of at most 1.2
// against snmpwalk of the same columns.
//
// Usage: kx_fdb_bench KXSIM-BINARY [RUNS]

#include "bench/support/BenchSupport.h"
#include "base/Prompter.h"
#include "core/kit/SnmpLoads.h"
#include "core/maintenance/MibViewers.h"
#include "ui/DialogRegistry.h"
#include "ui/kit/CTableViewerDlg.h"
#include "ui/kit/TableListView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace kxbench;

namespace {

const char* const kEntry = "1.3.6.1.2.1.17.7.1.2.2.1";
const char* const kPortColumn = "1.3.6.1.2.1.17.7.1.2.2.1.2";
constexpr int kRows = 10000;

// Milliseconds from opening the viewer to every row listed; -1 when it failed.
double Viewer()
{
    QElapsedTimer clock;
    clock.start();
    std::unique_ptr<QDialog> dialog(kx::ProgramDialogs().find(QStringLiteral("Forwarding Table..."))(nullptr));
    auto* viewer = qobject_cast<kx::CTableViewerDlg*>(dialog.get());
    if (!viewer)
        return -1;
    QEventLoop loop;
    QObject::connect(viewer, &kx::ConfigDialog::firstReadFinished, &loop, &QEventLoop::quit);
    QTimer::singleShot(120000, &loop, &QEventLoop::quit);
    viewer->show();
    loop.exec();
    const double ms = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    const int rows = viewer->list()->rowCount();
    viewer->reject();
    return viewer->firstReadDone() && rows >= kRows ? ms : -1;
}

// Milliseconds of the viewer's walk alone, without a window: what the
// listing adds is the viewer's time less this.
double WalkAlone()
{
    auto session = std::make_shared<CCommonSNMP>();
    kx::TableWalker walker(session);
    QEventLoop loop;
    std::size_t rows = 0;
    QObject::connect(&walker, &kx::TableWalker::finished, &loop, [&](const kx::WalkResult& r) {
        rows = r.rows.size();
        loop.quit();
    });
    QElapsedTimer clock;
    clock.start();
    walker.start(kx::maintenance::ForwardingTable().oids());
    loop.exec();
    const double ms = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    return rows >= kRows ? ms : -1;
}

// Milliseconds of one snmpwalk; -1 when it failed.
double Snmpwalk(const QString& port, bool v3, const char* oid)
{
    QStringList args;
    if (v3)
        args << "-v3" << "-u" << "bench" << "-l" << "authPriv" << "-a" << "SHA" << "-A" << "benchauth1" << "-x"
             << "DES" << "-X" << "benchpriv1";
    else
        args << "-v1" << "-c" << "qolvat";
    args << "-On" << "-m" << "" << "127.0.0.1:" + port << oid;
    QProcess walk;
    walk.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer clock;
    clock.start();
    walk.start(QStringLiteral("snmpwalk"), args);
    if (!walk.waitForFinished(120000) || walk.exitCode() != 0)
        return -1;
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: kx_fdb_bench KXSIM [RUNS]\n");
        return 2;
    }
    const int runs = argc > 2 ? std::max(1, atoi(argv[2])) : 5;
    Sim sim;
    if (!sim.start(QString::fromLocal8Bit(argv[1]), {"--scenario", "fdb10000"})) {
        std::fprintf(stderr, "kxsim did not start\n");
        return 1;
    }
    kx::RecordingPrompter prompter;
    kx::ScopedPrompter scope(&prompter);
    InstallA1Device();

    bool met = true;
    std::printf("Forwarding Table, %d entries from kxsim, median of %d interleaved runs (ms):\n", kRows, runs);
    for (bool v3 : {false, true}) {
        Install(sim.port, v3);
        std::vector<double> viewer, alone, entry, column;
        for (int r = 0; r < runs; ++r) {
            // Alternate who goes first, so that neither always finds the agent warm.
            if (r % 2) {
                entry.push_back(Snmpwalk(sim.port, v3, kEntry));
                column.push_back(Snmpwalk(sim.port, v3, kPortColumn));
                alone.push_back(WalkAlone());
                viewer.push_back(Viewer());
            } else {
                viewer.push_back(Viewer());
                alone.push_back(WalkAlone());
                entry.push_back(Snmpwalk(sim.port, v3, kEntry));
                column.push_back(Snmpwalk(sim.port, v3, kPortColumn));
            }
        }
        if (std::count(viewer.begin(), viewer.end(), -1.0) || std::count(alone.begin(), alone.end(), -1.0) || std::count(entry.begin(), entry.end(), -1.0) ||
            std::count(column.begin(), column.end(), -1.0)) {
            std::fprintf(stderr, "a run failed (v%d)\n", v3 ? 3 : 1);
            return 1;
        }
        const double v = Median(viewer), a = Median(alone), e = Median(entry), c = Median(column);
        std::printf("  v%d: viewer %.0f (its walk alone %.0f), snmpwalk of the three columns %.0f "
                    "(ratio %.2f, target <= 1.2), snmpwalk of one column %.0f (ratio %.2f)\n",
                    v3 ? 3 : 1, v, a, e, v / e, c, v / c);
        met = met && v / e <= 1.2;
    }
    return met ? 0 : 1;
}
