#pragma once

// What the security dialog suites share: typing addresses, and (the VLAN
// suites') counting windows that must not open.

#include "tests/vlan/VlanTestSupport.h"
#include "ui/kit/IpAddressEdit.h"

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

using kxtest::vlan::ModalsOpenedBy;

} // namespace kxtest::security
