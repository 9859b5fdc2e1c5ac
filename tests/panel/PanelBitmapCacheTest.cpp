#include "core/panel/PanelBitmapCache.h"

#include "core/panel/PanelImages.h"
#include "core/panel/PanelResources.h"
#include "tests/panel/PanelTestSupport.h"
#include "tests/support/TestSupport.h"

#include <QPainter>
#include <gtest/gtest.h>

using kxpaneltest::Pixel;

namespace {

class BitmapCache : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // 300: 3 x 2, a distinct colour per pixel, half transparent in one corner.
        QImage picture(3, 2, QImage::Format_ARGB32);
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x)
                picture.setPixel(x, y, qRgba(10 + x, 20 + y, 30, 255));
        picture.setPixel(2, 1, qRgba(200, 0, 0, 128));
        // Stored as PNG (under the .bmp name) to keep its alpha: files are read
        // by their content.
        ASSERT_TRUE(picture.save(resource(300), "PNG"));
        ASSERT_TRUE(kxpaneltest::WriteBitmap(resource(301).toStdString(), {4, 4}, Qt::green));
        ASSERT_TRUE(kxpaneltest::WriteFile(resource(302).toStdString(), "garbage"));
        // A valid picture, but no lamp is that large.
        ASSERT_TRUE(kxpaneltest::WriteBitmap(resource(303).toStdString(),
                                             {kx::kMaxLampExtent + 1, 1}, Qt::green));
    }

    QString resource(int id) const
    {
        return kx::BitmapResourcePath(QString::fromStdString(m_dir.path()), id);
    }

    QImage canvas() const
    {
        QImage image(10, 10, QImage::Format_ARGB32);
        image.fill(qRgba(1, 2, 3, 255));
        return image;
    }

    kxtest::TempDir m_dir;
};

TEST_F(BitmapCache, LoadsResourcesByIdCopiesThemStraightAndReleasesThem)
{
    PanelBitmapCache cache(QString::fromStdString(m_dir.path()));
    EXPECT_STREQ(cache.runtimeClassName(), "CMyBitmapApp");
    EXPECT_TRUE(cache.load(300));
    EXPECT_TRUE(cache.load(301));
    EXPECT_TRUE(cache.load(300));
    EXPECT_EQ(cache.count(), 2) << "an id is loaded once";
    EXPECT_FALSE(cache.load(302)) << "not a picture";
    EXPECT_FALSE(cache.load(303)) << "too large for a lamp";
    EXPECT_FALSE(cache.load(999)) << "no such resource";
    EXPECT_EQ(cache.count(), 2);
    EXPECT_EQ(cache.size(300), QSize(3, 2));
    EXPECT_FALSE(cache.size(999).isValid());

    QImage image = canvas();
    {
        QPainter p(&image);
        cache.draw(p, 300, 4, 5);
        cache.draw(p, 999, 0, 0);
        cache.draw(p, 302, 0, 0);
    }
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 10; ++x) {
            if (x == 6 && y == 6)
                continue;
            const bool inside = x >= 4 && x < 7 && y >= 5 && y < 7;
            EXPECT_EQ(image.pixel(x, y),
                      inside ? qRgba(10 + x - 4, 20 + y - 5, 30, 255) : qRgba(1, 2, 3, 255))
                << x << "," << y;
        }
    }
    // A straight copy: the half-transparent pixel replaces the canvas's, it is
    // not blended with it.
    EXPECT_EQ(qAlpha(image.pixel(6, 6)), 128);
    EXPECT_NEAR(qRed(image.pixel(6, 6)), 200, 1);

    cache.releaseAll();
    EXPECT_EQ(cache.count(), 0);
    EXPECT_FALSE(cache.contains(301));
    image = canvas();
    QPainter p(&image);
    cache.draw(p, 301, 0, 0);
    p.end();
    EXPECT_EQ(image.pixel(0, 0), qRgba(1, 2, 3, 255));
    EXPECT_TRUE(cache.load(301)) << "and can load again";
}

} // namespace
