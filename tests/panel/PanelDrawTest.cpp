#include "core/panel/PanelLayout.h"
#include "tests/panel/PanelTestSupport.h"
#include "tests/support/TestSupport.h"

#include <QDataStream>
#include <QDir>
#include <QPainter>
#include <gtest/gtest.h>
#include <sys/stat.h>

using kxpaneltest::Panel;
using kxpaneltest::Pixel;
using kxpaneltest::WriteBitmap;

namespace {

constexpr QRgb kRed = 0xff0000;
constexpr QRgb kBlue = 0x0000ff;
constexpr QRgb kGreen = 0x00ff00;
constexpr QRgb kYellow = 0xffff00;
constexpr QRgb kWhite = 0xffffff;

class PanelDraw : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QImage bg(2, 2, QImage::Format_RGB32);
        bg.setPixel(0, 0, 0xffff0000);
        bg.setPixel(0, 1, 0xffff0000);
        bg.setPixel(1, 0, 0xff0000ff);
        bg.setPixel(1, 1, 0xff0000ff);
        ASSERT_TRUE(bg.save(QString::fromStdString(m_dir.file("bg.bmp")), "BMP"));
        ASSERT_TRUE(WriteBitmap(m_dir.file("green.bmp"), {10, 10}, Qt::green));
        ASSERT_TRUE(WriteBitmap(m_dir.file("yellow.bmp"), {10, 10}, Qt::yellow));
        ASSERT_TRUE(WriteBitmap(m_dir.file("white.bmp"), {100, 50}, Qt::white));
    }

    // Loads through a file, so that bitmap names resolve against its folder.
    void load(const QByteArray& items, const QByteArray& root = "WIDTH=\"100\" HEIGHT=\"50\" "
                                                                "BMP=\"bg.bmp\"")
    {
        ASSERT_TRUE(kxpaneltest::WriteFile(m_dir.file("panel.xml"), Panel(items, root)));
        ASSERT_TRUE(m_layout.load(QString::fromStdString(m_dir.file("panel.xml"))));
    }

    QImage frame()
    {
        QImage image(m_layout.panelSize(), QImage::Format_RGB32);
        image.fill(Qt::black);
        QPainter p(&image);
        m_layout.draw(p, image.rect());
        return image;
    }

    kxtest::TempDir m_dir;
    PanelLayout m_layout;
};

TEST_F(PanelDraw, BackgroundIsStretchedOverTheClientArea)
{
    load("");
    EXPECT_EQ(m_layout.background().size(), QSize(2, 2));
    const QImage image = frame();
    EXPECT_EQ(Pixel(image, 1, 1), kRed);
    EXPECT_EQ(Pixel(image, 49, 49), kRed);
    EXPECT_EQ(Pixel(image, 50, 0), kBlue);
    EXPECT_EQ(Pixel(image, 99, 49), kBlue);
}

TEST_F(PanelDraw, PortsShowTheBitmapOfTheirStateInTheBitmapsOwnSize)
{
    load("<PORT LEFT=\"60\" TOP=\"5\" WIDTH=\"30\" HEIGHT=\"30\" STATUS=\"PORTENABLE\" "
         "BMP=\"white.bmp\" BMPENABLE=\"green.bmp\" BMPLINK10=\"yellow.bmp\" "
         "BMPEMPTY=\"missing.bmp\"/>");
    CPort* port = m_layout.nthPort(0);
    const struct
    {
        int state;
        QRgb atCorner; // (60, 5)
    } cases[] = {
        {PortEnabled, kGreen},
        {PortLinkTopSpeed, kYellow},
        {PortEmpty, kBlue},
        {PortLinkLowerSpeed, kBlue}, // no BMPLINK100 named
        {9, kBlue},                  // not a port state: neither the main bitmap
    };
    for (const auto& c : cases) {
        port->setState(c.state);
        const QImage image = frame();
        EXPECT_EQ(Pixel(image, 60, 5), c.atCorner) << "state " << c.state;
        EXPECT_EQ(Pixel(image, 69, 14), c.atCorner) << "state " << c.state;
        EXPECT_EQ(Pixel(image, 70, 15), kBlue) << "beyond the bitmap, inside the item";
        EXPECT_FALSE(port->isChanged());
    }
}

TEST_F(PanelDraw, ItemsDrawInDescriptionOrderWithTheirChildren)
{
    load("<SLOT LEFT=\"0\" TOP=\"0\" BMP=\"green.bmp\"/>"
         "<SLOT LEFT=\"5\" TOP=\"5\" BMP=\"yellow.bmp\"/>"
         "<MODULE LEFT=\"50\" TOP=\"20\" BMP=\"white.bmp\">"
         "<PORT LEFT=\"80\" TOP=\"30\" STATUS=\"PORTENABLE\" BMPENABLE=\"green.bmp\"/></MODULE>"
         "<LED LEFT=\"0\" TOP=\"40\" BMP=\"white.bmp\" BMP3=\"yellow.bmp\"/>");
    QImage image = frame();
    EXPECT_EQ(Pixel(image, 2, 2), kGreen);
    EXPECT_EQ(Pixel(image, 6, 6), kYellow) << "the later item covers the earlier";
    EXPECT_EQ(Pixel(image, 55, 25), kWhite);
    EXPECT_EQ(Pixel(image, 85, 35), kGreen) << "a module's port is drawn over the module";
    EXPECT_EQ(Pixel(image, 2, 42), kWhite) << "an LED without a digit shows its main bitmap";
    m_layout.nthItem("CLed", 0)->setState(3);
    image = frame();
    EXPECT_EQ(Pixel(image, 2, 42), kYellow);
}

TEST_F(PanelDraw, BitmapsTallerThanThePanelOrBeyondTheBudgetAreRefused)
{
    ASSERT_TRUE(WriteBitmap(m_dir.file("tall.bmp"), {10, 51}, Qt::green));
    PanelLayoutLimits limits;
    limits.maxImageBytes = 2 * 10 * 10 * 4; // green and yellow, not white
    m_layout.setLimits(limits);
    load("<SLOT LEFT=\"0\" BMP=\"tall.bmp\"/><SLOT LEFT=\"20\" BMP=\"green.bmp\"/>"
         "<SLOT LEFT=\"30\" BMP=\"white.bmp\"/><SLOT LEFT=\"40\" BMP=\"yellow.bmp\"/>");
    for (int paint = 0; paint < 2; ++paint) {
        const QImage image = frame();
        EXPECT_EQ(Pixel(image, 2, 2), kRed) << "taller than the panel";
        EXPECT_EQ(Pixel(image, 22, 2), kGreen);
        EXPECT_EQ(Pixel(image, 55, 2), kBlue) << "beyond the budget";
        EXPECT_EQ(Pixel(image, 42, 2), kYellow);
        EXPECT_EQ(m_layout.images().keptBytes(), limits.maxImageBytes);
    }
}

TEST_F(PanelDraw, ItemsWithoutReadableBitmapsDrawNothing)
{
    ASSERT_EQ(::mkfifo(m_dir.file("fifo.bmp").c_str(), 0600), 0);
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(m_dir.file("dir.bmp"))));
    ASSERT_TRUE(kxpaneltest::WriteFile(m_dir.file("text.bmp"), "not a picture"));
    // A bitmap header that claims 100000 x 100000 pixels.
    QByteArray header;
    QDataStream s(&header, QIODevice::WriteOnly);
    s.setByteOrder(QDataStream::LittleEndian);
    s.writeRawData("BM", 2);
    s << quint32(54 + 12) << quint32(0) << quint32(54) << quint32(40) << qint32(100000)
      << qint32(100000) << quint16(1) << quint16(24) << quint32(0) << quint32(12) << qint32(0)
      << qint32(0) << quint32(0) << quint32(0) << quint32(0) << quint32(0) << quint32(0);
    ASSERT_TRUE(kxpaneltest::WriteFile(m_dir.file("huge.bmp"), header));
    ASSERT_TRUE(WriteBitmap(m_dir.file("wide.bmp"), {kx::kMaxBitmapExtent + 1, 1}, Qt::green));

    load("<SLOT BMP=\"fifo.bmp\"/><SLOT BMP=\"dir.bmp\"/><SLOT BMP=\"text.bmp\"/>"
         "<SLOT BMP=\"huge.bmp\"/><SLOT BMP=\"wide.bmp\"/><SLOT BMP=\"/dev/zero\"/>"
         "<SLOT BMP=\"\"/>",
         "WIDTH=\"100\" HEIGHT=\"50\" BMP=\"missing.bmp\"");
    EXPECT_TRUE(m_layout.background().isNull());
    const QImage image = frame();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ASSERT_EQ(Pixel(image, x, y), 0u) << x << "," << y;
    EXPECT_EQ(m_layout.images().keptBytes(), 0);
}

} // namespace
