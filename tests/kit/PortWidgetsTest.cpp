#include "WidgetTestSupport.h"

#include "ui/kit/PortCheckGrid.h"
#include "ui/kit/PortRangePair.h"

#include <QCheckBox>
#include <QComboBox>
#include <QSignalSpy>

namespace {

using kxtest::WidgetTest;

TEST(PortGridGeometry, GridOrExplicitPlaces)
{
    kx::PortGridGeometry grid{{5, 6}, 4, {40, 30}, {30, 20}, {}};
    EXPECT_EQ(grid.rectFor(3), QRect(125, 6, 30, 20));
    EXPECT_EQ(grid.rectFor(5), QRect(45, 36, 30, 20));
    kx::PortGridGeometry placed;
    placed.rects = {QRect(1, 2, 3, 4), QRect(9, 9, 9, 9)};
    EXPECT_EQ(placed.rectFor(1), QRect(9, 9, 9, 9));
    EXPECT_EQ(placed.rectFor(2), QRect());
}

class PortGrid : public WidgetTest
{
protected:
    void SetUp() override
    {
        kx::PortGridGeometry geometry;
        geometry.columns = 4;
        grid = new kx::PortCheckGrid(10, geometry, &window);
        WidgetTest::SetUp();
    }
    kx::PortCheckGrid* grid = nullptr;
};

TEST_F(PortGrid, ClicksAndFlagsMeetInBothDirections)
{
    EXPECT_EQ(grid->boxForId(6003), grid->box(3));
    EXPECT_EQ(grid->box(11), nullptr);
    EXPECT_EQ(grid->box(3)->text(), "3");
    EXPECT_EQ(grid->box(3)->accessibleName(), "Port 3");

    QSignalSpy clicked(grid, &kx::PortCheckGrid::portClicked);
    QTest::mouseClick(grid->box(2), Qt::LeftButton);
    grid->box(9)->setFocus();
    QTest::keyClick(grid->box(9), Qt::Key_Space);
    ASSERT_EQ(clicked.count(), 2);
    EXPECT_EQ(clicked[1], (QVariantList{9, true}));
    EXPECT_EQ(grid->flags(7), (kx::PortFlags{0, 7, 0, 0, 0, 0, 0, 0, 7, 0}));

    grid->setFlags({1, 0, 2});  // the rest clear
    EXPECT_EQ(grid->flags(), (kx::PortFlags{1, 0, 1, 0, 0, 0, 0, 0, 0, 0}));
    grid->setAllChecked(true);
    EXPECT_EQ(grid->flags(), kx::PortFlags(10, 1));
    EXPECT_EQ(clicked.count(), 2);  // the program's changes are not clicks
}

class FromTo : public WidgetTest
{
protected:
    void SetUp() override
    {
        from = new QComboBox(&window);
        to = new QComboBox(&window);
        pair = new kx::PortRangePair(from, to, kMessage, &window);
        pair->fillPorts(8);
        WidgetTest::SetUp();
    }

    // The user picks by keyboard, which is what `activated` reports.
    static void Step(QComboBox* box, int steps)
    {
        for (int i = 0; i < std::abs(steps); ++i)
            QTest::keyClick(box, steps > 0 ? Qt::Key_Down : Qt::Key_Up);
    }

    const QString kMessage = QStringLiteral("'To Port' can not be smaller than 'From Port'");
    QComboBox* from = nullptr;
    QComboBox* to = nullptr;
    kx::PortRangePair* pair = nullptr;
};

TEST_F(FromTo, FromMovesToAndASmallerToIsRefused)
{
    EXPECT_EQ(to->itemText(7), "8");
    EXPECT_EQ(pair->toPort(), 8);
    Step(from, 3);
    EXPECT_EQ(pair->fromPort(), 4);
    EXPECT_EQ(pair->toPort(), 4);
    Step(to, 2);
    EXPECT_EQ(pair->toPort(), 6);
    EXPECT_TRUE(prompter.texts().isEmpty());

    Step(to, -3);  // 5, 4, then 3: below From
    EXPECT_EQ(prompter.texts(), QStringList{kMessage});
    EXPECT_EQ(pair->toPort(), 4);

    pair->setPorts(6, 2);  // the program is trusted
    EXPECT_EQ(prompter.texts().size(), 1);
    pair->fillPorts(52, 1);
    EXPECT_EQ(pair->fromPort(), 1);
    EXPECT_EQ(pair->toPort(), 1);
}

} // namespace
