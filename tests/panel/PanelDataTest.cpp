// The installation data the build draws for the KX-A1 R2, as the panel will
// use it: User.ini, the layout it names, the pictures and the lamp resources.
#include "base/DeviceInfo.h"
#include "core/panel/PanelBitmapCache.h"
#include "core/panel/PanelLayout.h"
#include "core/panel/PanelResources.h"
#include "tests/panel/PanelTestSupport.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

// How a lamp reads at a glance: the mean colour of its lens (the area inside
// its one-pixel bed).
const char* LookOf(const QImage& image, const QRect& lamp)
{
    const QRect lens = lamp.adjusted(1, 1, -1, -1);
    long r = 0, g = 0, b = 0;
    for (int y = lens.top(); y <= lens.bottom(); ++y)
        for (int x = lens.left(); x <= lens.right(); ++x) {
            const QRgb c = image.pixel(x, y);
            r += qRed(c);
            g += qGreen(c);
            b += qBlue(c);
        }
    const long n = std::max<long>(1, long(lens.width()) * lens.height());
    r /= n;
    g /= n;
    b /= n;
    if (std::max({r, g, b}) < 90)
        return "dark";
    if (g > 160 && g > r + 40 && g > b + 40)
        return "green";
    if (r > 200 && g > 110 && g < 210 && b < 100)
        return "amber";
    if (r > 180 && g < 110 && b < 110)
        return "red";
    return "other";
}

QPoint Centre(const QRect& r)
{
    return QPoint(r.left() + r.width() / 2, r.top() + r.height() / 2);
}

class InstalledPanel : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_bin = QDir(QString::fromStdString(kxtest::BinDir()));
        ASSERT_FALSE(kxtest::BinDir().empty());
        m_info = ReadUserIni(m_bin.filePath(QStringLiteral("User.ini")));
        ASSERT_FALSE(m_info.XMLName.isEmpty());
        ASSERT_TRUE(m_layout.load(m_bin.filePath(m_info.XMLName)));
        m_cache = std::make_unique<PanelBitmapCache>(m_bin.filePath(QStringLiteral("res")));
        for (int id : kx::res::kPanelBitmapIds)
            ASSERT_TRUE(m_cache->load(id)) << id;
    }

    QRect lampRect(const CLamp& lamp, int id) const
    {
        return QRect(QPoint(lamp.left(), lamp.top()), m_cache->size(id));
    }

    QImage frame()
    {
        QImage image(m_layout.panelSize(), QImage::Format_RGB32);
        image.fill(Qt::magenta);
        QPainter p(&image);
        m_layout.draw(p, image.rect());
        return image;
    }

    QDir m_bin;
    DeviceInfo m_info;
    PanelLayout m_layout;
    std::unique_ptr<PanelBitmapCache> m_cache;
};

TEST_F(InstalledPanel, UserIniDescribesTheEightPortPoeModel)
{
    EXPECT_EQ(m_info.DeviceName, QStringLiteral("KX-A1 R2"));
    EXPECT_EQ(m_info.DevicePortNum, 8);
    EXPECT_FALSE(m_info.IsAllGiga);
    EXPECT_FALSE(m_info.IsHasFan);
    EXPECT_FALSE(kx::ApplicationIcon(m_bin.filePath("res")).isNull());
}

TEST_F(InstalledPanel, LayoutHasEightPortsWithLinkPoeAndSecondLinkLamps)
{
    ASSERT_EQ(m_layout.topLevelPortCount(), m_info.DevicePortNum);
    EXPECT_EQ(m_layout.panelSize(), m_layout.background().size()) << "drawn 1:1, not stretched";
    const QRect panel(QPoint(0, 0), m_layout.panelSize());

    std::vector<QRect> lamps = {
        QRect(QPoint(kx::res::kA1PowerLampLeft, kx::res::kA1PowerLampTop),
              m_cache->size(kx::res::kA1PowerLamp)),
        QRect(QPoint(kx::res::kA1PoeBudgetLampLeft, kx::res::kA1PoeBudgetLampTop),
              m_cache->size(kx::res::kA1PoeBudgetLampOn)),
    };
    std::vector<QRect> ports;
    for (int i = 0; i < m_info.DevicePortNum; ++i) {
        const CPort* port = m_layout.nthPort(i);
        ASSERT_NE(port, nullptr);
        ASSERT_EQ(port->lamps().size(), 3u) << "port " << i + 1;
        EXPECT_EQ(port->lamp(0)->name(), QStringLiteral("LINK"));
        EXPECT_EQ(port->lamp(1)->name(), QStringLiteral("PoE"));
        EXPECT_NE(port->lamp(2)->left(), 0) << "the second link lamp is there";
        for (int k = 0; k < 3; ++k)
            lamps.push_back(lampRect(*port->lamp(k), kx::res::kPortLampOn));
        for (int s = 0; s < kPortStateCount; ++s) {
            const QImage* picture = m_layout.images().image(port->stateBitmapName(s));
            ASSERT_NE(picture, nullptr) << "port " << i + 1 << " state " << s;
            EXPECT_EQ(picture->size(), port->rect().size());
        }
        EXPECT_TRUE(panel.contains(port->rect()));
        ports.push_back(port->rect());
    }
    EXPECT_EQ(m_cache->size(kx::res::kPortLampOff), m_cache->size(kx::res::kPortLampOn));
    EXPECT_EQ(m_cache->size(kx::res::kPortLampFault), m_cache->size(kx::res::kPortLampOn));
    EXPECT_EQ(m_cache->size(kx::res::kA1PoeBudgetLampOff),
              m_cache->size(kx::res::kA1PoeBudgetLampOn));
    for (std::size_t a = 0; a < lamps.size(); ++a) {
        EXPECT_TRUE(panel.contains(lamps[a]));
        for (std::size_t b = a + 1; b < lamps.size(); ++b)
            EXPECT_FALSE(lamps[a].intersects(lamps[b])) << a << " and " << b;
    }
    for (std::size_t a = 0; a < ports.size(); ++a)
        for (std::size_t b = a + 1; b < ports.size(); ++b)
            EXPECT_FALSE(ports[a].intersects(ports[b]));
    EXPECT_FALSE(lamps[0].intersects(ports.front()) || lamps[1].intersects(ports.front()));
}

TEST_F(InstalledPanel, LampResourcesReadAsLitOrDarkAtAGlance)
{
    const struct
    {
        int id;
        const char* look;
    } cases[] = {
        {158, "green"}, {159, "dark"},  {160, "green"}, {161, "dark"},
        {162, "amber"}, {163, "red"},   {164, "dark"},  {190, "green"},
        {191, "dark"},  {215, "green"}, {216, "red"},   {219, "red"},
        {225, "dark"},  {227, "dark"},  {228, "green"}, {229, "amber"},
        {232, "red"},   {234, "green"}, {237, "dark"},
    };
    for (const auto& c : cases) {
        const QImage* bitmap = m_cache->find(c.id);
        ASSERT_NE(bitmap, nullptr) << c.id;
        EXPECT_STREQ(LookOf(*bitmap, bitmap->rect()), c.look) << c.id;
        EXPECT_FALSE(bitmap->hasAlphaChannel()) << "copied straight onto the panel";
    }
}

// Every port enabled without a link is what the background shows, to the pixel,
// and the background's unlit lamps are the dark lamp bitmaps: whatever the
// panel does not redraw still looks right.
TEST_F(InstalledPanel, PicturesAgreeWithTheBackground)
{
    const QImage background = m_layout.background().convertToFormat(QImage::Format_RGB32);
    for (int i = 0; i < m_layout.topLevelPortCount(); ++i)
        m_layout.nthPort(i)->setState(PortEnabled);
    EXPECT_TRUE(frame() == background);

    auto sameAs = [&](const QImage& image, int id, QPoint at) {
        const QImage* bitmap = m_cache->find(id);
        return bitmap && image.copy(QRect(at, bitmap->size())) ==
                             bitmap->convertToFormat(QImage::Format_RGB32);
    };
    for (int i = 0; i < m_layout.topLevelPortCount(); ++i)
        for (int k = 0; k < 3; ++k) {
            const CLamp* lamp = m_layout.nthPort(i)->lamp(k);
            EXPECT_TRUE(sameAs(background, kx::res::kPortLampOff, {lamp->left(), lamp->top()}))
                << "port " << i + 1 << " lamp " << k;
        }
    EXPECT_TRUE(sameAs(background, kx::res::kA1PoeBudgetLampOff,
                       {kx::res::kA1PoeBudgetLampLeft, kx::res::kA1PoeBudgetLampTop}));
}

// The lamps' looks are the bitmaps' own (above); the port pictures must tell a
// plugged port from an open one where the plug goes.
TEST_F(InstalledPanel, RenderedFrameShowsThePorts)
{
    CPort* linked = m_layout.nthPort(0);
    CPort* idle = m_layout.nthPort(2);
    linked->setState(PortLinkTopSpeed);
    m_layout.nthPort(1)->setState(PortDisabled);
    const QImage image = frame();
    const QRgb plugged = image.pixel(Centre(linked->rect()) + QPoint(0, 5));
    const QRgb disabled = image.pixel(Centre(m_layout.nthPort(1)->rect()) + QPoint(0, 5));
    const QRgb open = image.pixel(Centre(idle->rect()) + QPoint(0, 5));
    EXPECT_NE(plugged, open);
    EXPECT_NE(disabled, open);
    EXPECT_GT(qBlue(plugged), qRed(plugged) + 40) << "a blue patch cable";
    EXPECT_LT(std::max({qRed(open), qGreen(open), qBlue(open)}), 40) << "an empty RJ-45 opening";
}

} // namespace
