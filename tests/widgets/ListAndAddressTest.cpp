#include "WidgetTestSupport.h"

#include "dialogs/common/Accessibility.h"
#include "dialogs/common/GridListView.h"
#include "dialogs/common/IpAddressEdit.h"

#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <QSignalSpy>
#include <QVBoxLayout>

namespace {

using kxtest::WidgetTest;

// --- list view -------------------------------------------------------------------------

class ListView : public WidgetTest
{
protected:
    void SetUp() override
    {
        list = new kx::GridListView(QStringLiteral("OUI list"), &window);
        list->setGeometry(0, 0, 420, 200);
        list->setColumns({{QStringLiteral("ID"), 50, Qt::AlignHCenter},
                          {QStringLiteral("  Host IP                "), 190},
                          {QStringLiteral("Note"), 120}});
        list->addRow({QStringLiteral("1"), QStringLiteral("192.168.0.1")});
        list->addRow({QStringLiteral("2"), QStringLiteral("10.0.0.1"), QStringLiteral("x")});
        list->addRow({QStringLiteral("3")});
        WidgetTest::SetUp();
    }

    QRect cell(int row, int column) const
    {
        return list->visualItemRect(list->topLevelItem(row))
            .intersected(QRect(list->header()->sectionViewportPosition(column), 0,
                               list->columnWidth(column), 10000));
    }

    QImage shot() const { return list->viewport()->grab().toImage(); }

    kx::GridListView* list = nullptr;
};

TEST_F(ListView, IsAFlatNamedListWithTheGivenColumns)
{
    EXPECT_EQ(list->accessibleName(), "OUI list");
    EXPECT_EQ(kx::FindControl<kx::GridListView>(&window, "OUI list"), list);
    EXPECT_FALSE(list->rootIsDecorated());
    EXPECT_EQ(list->headerItem()->text(1), "  Host IP                ");
    EXPECT_EQ(list->columnWidth(1), 190);
    EXPECT_EQ(list->cellText(0, 2), "");
    EXPECT_EQ(list->cellText(1, 2), "x");
    EXPECT_EQ(list->cellText(7, 0), "");
    EXPECT_EQ(list->topLevelItem(0)->textAlignment(0) & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(list->selectedRow(), -1);
}

TEST_F(ListView, AClickOnAnyCellSelectsTheWholeRowAndKeysMoveIt)
{
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell(1, 2).center());
    EXPECT_EQ(list->selectedRow(), 1);
    EXPECT_TRUE(list->selectionModel()->isRowSelected(1, QModelIndex()));
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(list->selectedRow(), 2);
    list->clearRows();
    EXPECT_EQ(list->rowCount(), 0);
    EXPECT_EQ(list->selectedRow(), -1);
    EXPECT_EQ(list->columnCount(), 3);
}

TEST_F(ListView, GridLinesAreDrawnAndTheSelectedRowStaysVisible)
{
    list->selectRow(0);
    const QImage image = shot();
    const QColor line = kx::GridLineDelegate::LineColor(list->palette());
    const qreal dpr = image.devicePixelRatio();
    auto pixel = [&](QPoint p) { return image.pixelColor(QPoint(p.x() * dpr, p.y() * dpr)); };

    // The current row wears the focus frame over its edges; the others show the grid.
    for (int row : {1, 2}) {
        for (int column : {0, 2}) {
            const QRect c = cell(row, column);
            EXPECT_EQ(pixel({c.right(), c.center().y()}).rgb(), line.rgb()) << row << "/" << column;
            EXPECT_EQ(pixel({c.center().x(), c.bottom()}).rgb(), line.rgb()) << row << "/" << column;
        }
    }
    // Row 0's empty "Note" cell is painted as selected; row 2's is not.
    const QColor selected = pixel(cell(0, 2).center());
    const QColor plain = pixel(cell(2, 2).center());
    EXPECT_NE(selected.rgb(), plain.rgb());
    EXPECT_EQ(plain.rgb(), list->palette().color(QPalette::Base).rgb());
}

// --- IP address control --------------------------------------------------------------------

class IpAddress : public WidgetTest
{
protected:
    void SetUp() override
    {
        ip = new kx::IpAddressEdit(&window);
        ip->setGeometry(10, 10, 200, 26);
        WidgetTest::SetUp();
        ip->setFocus();
    }

    kx::IpAddressEdit* ip = nullptr;
};

TEST_F(IpAddress, TypingFillsTheFieldsTheWayUsersExpect)
{
    struct Case
    {
        const char* keys;
        const char* text;
        int filled;
    } const cases[] = {
        {"192.168.0.1", "192.168.0.1", 4},
        {"1921680.1", "192.168.0.1", 4},  // a third digit moves on by itself
        {"10..5", "10.5.0.0", 2},         // "." in an empty field stays put
        {"300", "30.0.0.0", 1},           // 300 is never taken
        {"1.2.3", "1.2.3.0", 3},
        {"a-b c", "0.0.0.0", 0},
        {"255.255.255.255.7", "255.255.255.255", 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        ip->clear();
        ip->setFocus();
        TypeIntoFocus(QString::fromLatin1(c.keys));
        EXPECT_EQ(ip->text(), QLatin1String(c.text));
        EXPECT_EQ(ip->filledFieldCount(), c.filled);
    }
}

TEST_F(IpAddress, BackspaceAndArrowsCrossFieldBorders)
{
    TypeIntoFocus("1.2");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);  // deletes the 2
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);  // back to the 1
    EXPECT_EQ(QApplication::focusWidget(), ip->fieldEdit(0));
    TypeIntoFocus("5");
    EXPECT_EQ(ip->text(), "15.0.0.0");
    EXPECT_EQ(ip->filledFieldCount(), 1);

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    EXPECT_EQ(QApplication::focusWidget(), ip->fieldEdit(1));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
    EXPECT_EQ(QApplication::focusWidget(), ip->fieldEdit(0));
}

TEST_F(IpAddress, TextAndNumberRoundTrip)
{
    QSignalSpy changed(ip, &kx::IpAddressEdit::addressChanged);
    EXPECT_TRUE(ip->setText("192.168.0.1"));
    EXPECT_EQ(ip->address(), 0xC0A80001u);
    EXPECT_GT(changed.count(), 0);
    ip->setAddress(0x0A000102u);
    EXPECT_EQ(ip->text(), "10.0.1.2");
    EXPECT_EQ(ip->filledFieldCount(), 4);

    EXPECT_FALSE(ip->setText("1.2.3"));
    EXPECT_EQ(ip->filledFieldCount(), 3);
    EXPECT_FALSE(ip->setText("256.1.x.1"));
    EXPECT_EQ(ip->field(0), -1);
    EXPECT_EQ(ip->field(2), -1);
    EXPECT_EQ(ip->text(), "0.1.0.1");
    ip->clear();
    EXPECT_TRUE(ip->isBlank());
    EXPECT_EQ(ip->address(), 0u);
}

TEST_F(IpAddress, ItsLabelNamesItAndItsMnemonicReachesTheFirstField)
{
    auto* other = new QLineEdit(&window);
    other->setGeometry(10, 50, 100, 24);
    QLabel* label = kx::MakeBuddyLabel(QStringLiteral("Host IP:"), ip, &window);
    label->setGeometry(220, 10, 80, 24);
    label->show();
    other->setFocus();

    EXPECT_EQ(ip->accessibleName(), "Host IP:");
    EXPECT_EQ(ip->fieldEdit(3)->accessibleName(), "Host IP, field 4 of 4");
    QTest::keyClick(&window, Qt::Key_H, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), ip->fieldEdit(0));
}

} // namespace
