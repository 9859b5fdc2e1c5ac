#pragma once

// What the link aggregation widget tests share: the simulator's objects by their
// short names, the sets of the request log, and the user's moves in the two
// dialogs.

#include "ui/kit/GridListView.h"
#include "ui/l2/CTrunkMemberDlg.h"
#include "ui/kit/PortCheckGrid.h"
#include "tests/support/DialogHarness.h"

#include <QCheckBox>
#include <QTest>

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

// Failures show texts as texts.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace l2test {

// "P.8.1.2.0" -> the private arc's OID; other text is left alone.
inline std::string Expand(const std::string& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 2, "P.") == 0 && (i == 0 || text[i - 1] == ' ')) {
            out += kxtest::KxSimFixture::kPrivateArc;
            out += '.';
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

inline void Control(kxtest::DialogHarness& h, const std::vector<std::string>& commands)
{
    for (const std::string& c : commands)
        h.sim().control(Expand(c));
}

inline std::string Value(kxtest::DialogHarness& h, const std::string& shortOid)
{
    return h.sim().value(Expand(shortOid)).value_or("<none>");
}

// Ticks or clears the boxes of `ports` with the mouse.
inline void ClickPorts(QWidget* dialog, std::initializer_list<int> ports)
{
    for (int p : ports)
        kxtest::DialogHarness::click(dialog, QStringLiteral("Port %1").arg(p));
}

inline QCheckBox* PortBox(QWidget* dialog, int port)
{
    return kxtest::DialogHarness::find<QCheckBox>(dialog, QStringLiteral("Port %1").arg(port));
}

inline void ClickRow(kx::GridListView* list, int row)
{
    ASSERT_LT(row, list->rowCount());
    const QRect r = list->visualItemRect(list->topLevelItem(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
}

// The member dialog of `group` once its loads have ended.
inline std::unique_ptr<CTrunkMemberDlg> OpenMembers(kxtest::DialogHarness& h, const QString& group,
                                                    const QString& mode, const QString& members)
{
    auto dlg = h.open<CTrunkMemberDlg>(group, mode, members);
    EXPECT_TRUE(kxtest::DialogHarness::waitFirstRead(*dlg));
    return dlg;
}

} // namespace l2test
