#include "WidgetTestSupport.h"

#include "ui/kit/Accessibility.h"
#include "ui/kit/GridListView.h"
#include "ui/kit/IpAddressEdit.h"

#include <QHeaderView>
#include <QImage>
#include <QLineEdit>

namespace {

using kxtest::WidgetTest;

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
        const QRect r = list->visualItemRect(list->topLevelItem(row));
        return QRect(list->header()->sectionViewportPosition(column), r.top(), list->columnWidth(column),
                     r.height());
    }

    kx::GridListView* list = nullptr;
};

TEST_F(ListView, AClickOnAnyCellSelectsTheWholeRow)
{
    EXPECT_EQ(kx::FindControl<kx::GridListView>(&window, "OUI list"), list);
    EXPECT_EQ(list->accessibleName(), "OUI list");
    EXPECT_FALSE(list->rootIsDecorated());
    EXPECT_EQ(list->headerItem()->text(1), "  Host IP                ");
    EXPECT_EQ(list->selectedRow(), -1);

    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell(1, 2).center());
    EXPECT_EQ(list->selectedRow(), 1);
    EXPECT_TRUE(list->selectionModel()->isRowSelected(1, QModelIndex()));
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(list->cellText(list->selectedRow(), 0), "3");
    list->clearRows();
    EXPECT_EQ(list->selectedRow(), -1);
    EXPECT_EQ(list->columnCount(), 3);
}

TEST_F(ListView, GridLinesAreDrawnAndTheSelectedRowStaysVisible)
{
    list->selectRow(0);
    const QImage image = list->viewport()->grab().toImage();
    const qreal dpr = image.devicePixelRatio();
    auto rgb = [&](QPoint p) { return image.pixelColor(QPoint(p.x() * dpr, p.y() * dpr)).rgb(); };
    const QRgb line = kx::GridLineDelegate::LineColor(list->palette()).rgb();

    // The current row wears the focus frame over its edges; the others show the grid.
    for (int row : {1, 2}) {
        for (int column : {0, 2}) {
            const QRect c = cell(row, column);
            EXPECT_EQ(rgb({c.right(), c.center().y()}), line) << row << "/" << column;
            EXPECT_EQ(rgb({c.center().x(), c.bottom()}), line) << row << "/" << column;
        }
    }
    // The empty "Note" cells: row 0's is painted as selected, row 2's is not.
    EXPECT_NE(rgb(cell(0, 2).center()), rgb(cell(2, 2).center()));
    EXPECT_EQ(rgb(cell(2, 2).center()), list->palette().color(QPalette::Base).rgb());
}

class IpAddress : public WidgetTest
{
protected:
    void SetUp() override
    {
        ip = new kx::IpAddressEdit(&window);
        ip->setGeometry(10, 10, 200, 26);
        WidgetTest::SetUp();
    }
    kx::IpAddressEdit* ip = nullptr;
};

TEST_F(IpAddress, TypingFillsTheFieldsTheWayUsersExpect)
{
    struct Case { const char* keys; const char* text; int filled; };
    const Case cases[] = {
        {"192.168.0.1", "192.168.0.1", 4},
        {"1921680.1", "192.168.0.1", 4},  // a third digit moves on by itself
        {"10..5", "10.5.0.0", 2},         // "." in an empty field stays put
        {"300", "30.0.0.0", 1},           // 300 is never taken
        {"a-b c", "0.0.0.0", 0},
        {"255.255.255.255.7", "255.255.255.255", 4},
    };
    for (const Case& c : cases) {
        ip->clear();
        ip->setFocus();
        TypeIntoFocus(QString::fromLatin1(c.keys));
        EXPECT_EQ(ip->text(), QLatin1String(c.text)) << c.keys;
        EXPECT_EQ(ip->filledFieldCount(), c.filled) << c.keys;
    }

    // Backspace at the start of a field and the arrows at its ends cross borders.
    ip->clear();
    ip->setFocus();
    TypeIntoFocus("1.2");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
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
    EXPECT_TRUE(ip->setText("192.168.0.1"));
    EXPECT_EQ(ip->address(), 0xC0A80001u);
    ip->setAddress(0x0A000102u);
    EXPECT_EQ(ip->text(), "10.0.1.2");
    EXPECT_FALSE(ip->setText("1.2.3"));
    EXPECT_EQ(ip->filledFieldCount(), 3);
    EXPECT_FALSE(ip->setText("256.1.x.1"));
    EXPECT_EQ(ip->text(), "0.1.0.1");
    EXPECT_EQ(ip->filledFieldCount(), 2);
    ip->clear();
    EXPECT_TRUE(ip->isBlank());
}

TEST_F(IpAddress, ItsLabelNamesItAndItsMnemonicAndTabReachTheFields)
{
    auto* other = new QLineEdit(&window);
    QLabel* label = kx::MakeBuddyLabel(QStringLiteral("Host IP:"), ip, &window);
    label->move(220, 10);
    other->move(10, 50);
    label->show();
    other->show();
    other->setFocus();

    EXPECT_EQ(ip->accessibleName(), "Host IP:");
    EXPECT_EQ(ip->fieldEdit(3)->accessibleName(), "Host IP, field 4 of 4");
    QTest::keyClick(&window, Qt::Key_H, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), ip->fieldEdit(0));
    for (int i = 1; i <= 4; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), i < 4 ? ip->fieldEdit(i) : other) << i;
    }
}

} // namespace
