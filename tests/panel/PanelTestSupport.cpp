#include "tests/panel/PanelTestSupport.h"

#include <QFile>
#include <QGuiApplication>
#include <gtest/gtest.h>

namespace {

// The panel code reads the program's directory and draws with QtGui: one
// application object for the whole run.
class GuiEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "panel_test";
        static char* argv[] = {name, nullptr};
        m_app = new QGuiApplication(argc, argv);
    }
    void TearDown() override { delete m_app; }

private:
    QGuiApplication* m_app = nullptr;
};

[[maybe_unused]] const auto* const g_environment =
    ::testing::AddGlobalTestEnvironment(new GuiEnvironment);

} // namespace

namespace kxpaneltest {

bool WriteFile(const std::string& path, const QByteArray& bytes)
{
    QFile f(QString::fromStdString(path));
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

bool WriteBitmap(const std::string& path, QSize size, QColor colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image.save(QString::fromStdString(path), "BMP");
}

QByteArray Panel(const QByteArray& items, const QByteArray& rootAttributes)
{
    return "<?xml version=\"1.0\"?>\n<DEVICEPANEL " + rootAttributes + ">\n" + items +
           "</DEVICEPANEL>\n";
}

QRgb Pixel(const QImage& image, int x, int y)
{
    return image.pixel(x, y) & 0xffffffu;
}

} // namespace kxpaneltest
