#pragma once

// What the security dialog suites share: rows put into the simulated switch,
// typing addresses, and counting windows that must not open.

#include "tests/support/DialogHarness.h"
#include "ui/kit/IpAddressEdit.h"

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <string>
#include <vector>

namespace kxtest::security {

inline const std::string P = "1.3.6.1.4.1.99999.10.75.13";

using kxtest::SetBindings; // the request log as "<OID after P>=<value>" lines

inline void TypeIp(QWidget* dlg, const QString& name, const QString& dotted)
{
    auto* ip = DialogHarness::find<kx::IpAddressEdit>(dlg, name);
    ASSERT_NE(ip, nullptr) << name.toStdString();
    ip->clear();
    // A part left empty stays an empty field.
    const QStringList parts = dotted.split(QLatin1Char('.'));
    for (int i = 0; i < 4 && i < parts.size(); ++i)
        if (!parts[i].isEmpty())
            ip->setField(i, parts[i].toInt());
}

// Runs `action` and closes (and counts) every window of type D that opens
// within `ms` milliseconds: for actions that must open nothing.
template <class D, class F> int ModalsOpenedBy(F action, int ms = 300)
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

} // namespace kxtest::security
