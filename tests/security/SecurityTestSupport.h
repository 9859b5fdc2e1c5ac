#pragma once

// What the security dialog suites share: rows put into the simulated switch,
// and the bindings the dialogs wrote, read back from the request log.

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

// Every binding of the sets since the log was cleared, as "<OID after P>=<value>"
// (octets as plain lowercase hex), in order; a refused set's bindings end in
// " <status>".
inline std::vector<std::string> SetBindings(KxSimFixture& sim)
{
    std::vector<std::string> out;
    for (const auto& r : sim.requestLog()) {
        if (r.pdu != "set")
            continue;
        for (const auto& b : r.bindings) {
            std::string oid = b.oid.rfind(P + ".", 0) == 0 ? b.oid.substr(P.size() + 1) : b.oid;
            std::string value = b.value;
            if (b.type == "x" || b.type == "pl") {
                value.erase(std::remove(value.begin(), value.end(), '-'), value.end());
                std::transform(value.begin(), value.end(), value.begin(),
                               [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
            }
            out.push_back(oid + "=" + value + (r.status == "noError" ? "" : " " + r.status));
        }
    }
    return out;
}

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
