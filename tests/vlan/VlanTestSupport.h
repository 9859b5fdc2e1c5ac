#pragma once

// What the VLAN dialog suites share: putting VLAN and PVID rows into the
// simulated switch, and counting dialogs that must not open.

#include "sim/ControlClient.h"
#include "tests/support/DialogHarness.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

#include <string>
#include <vector>

namespace kxtest::vlan {

using kxtest::SetBindings;

inline const std::string P = "1.3.6.1.4.1.99999.10.75.13";

inline std::string Column(int column, int vid)
{
    return P + ".7.6.1." + std::to_string(column) + "." + std::to_string(vid);
}

// A row of the static VLAN table as the device would hold it. Port lists are
// hex octets ("C0000000"), ALL or NONE.
inline void PutVlan(KxSimFixture& sim, int vid, const std::string& name, const std::string& egress,
                    const std::string& untagged, int rowStatus = 1)
{
    sim.control("set " + Column(1, vid) + " s C " + kxsim::QuoteWord(name));
    sim.control("set " + Column(2, vid) + " pl C " + egress);
    sim.control("set " + Column(3, vid) + " pl C NONE");
    sim.control("set " + Column(4, vid) + " pl C " + untagged);
    sim.control("set " + Column(5, vid) + " i C " + std::to_string(rowStatus));
}

inline void PutPvid(KxSimFixture& sim, int port, int pvid)
{
    sim.control("set " + P + ".7.7.1.1." + std::to_string(port) + " u W " + std::to_string(pvid));
}

// Runs `action`, and closes (and counts) every modal dialog of type D that opens
// within `ms` milliseconds of it: for actions that must open nothing.
template<class D, class F>
int ModalsOpenedBy(F action, int ms = 300)
{
    int opened = 0;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* d = qobject_cast<D*>(w); d && d->isVisible()) {
                ++opened;
                d->reject();
            }
    });
    watch.start(10);
    action();
    QTest::qWait(ms);
    return opened;
}

} // namespace kxtest::vlan
