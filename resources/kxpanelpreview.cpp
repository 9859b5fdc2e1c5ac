// kxpanelpreview: draws the installed panel with a mix of port and PoE states
// and saves it as a PNG, two blink phases one above the other.
//
//   kxpanelpreview [--data <folder with User.ini>] [--out <file.png>] [--scale <n>]
//
// The states shown per port: 1 link at top speed / PoE on, 2 link at top speed,
// 3 link at lower speed / PoE on, 4 no link, 5 disabled, 6 link at top speed /
// PoE fault, 7 no link, 8 link at lower speed. The PoE budget lamp is lit.

#include "base/DeviceInfo.h"
#include "core/panel/PanelStatus.h"
#include "core/panel/PanelBitmapCache.h"
#include "core/panel/PanelLayout.h"
#include "core/panel/PanelResources.h"

#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <array>
#include <cstdio>

namespace {

constexpr std::array<int, 8> kPortStates = {1, 1, 0, 3, 2, 1, 3, 0};
constexpr std::array<int, 8> kPoeStates = {0, 1, 0, 3, 3, 2, 1, 3};

// The lamps as the panel draws them in one blink phase, by the panel's own rules.
void DrawLamps(QPainter& p, const PanelLayout& layout, const PanelBitmapCache& cache, bool phase)
{
    for (const kx::FixedLampDraw& d : kx::ModelLampDraws(QStringLiteral("KX-A1 R2"), true, true, true,
                                                         kx::FanNormal))
        cache.draw(p, d.bitmap, d.x, d.y);
    for (int i = 0; i < static_cast<int>(kPortStates.size()); ++i) {
        const CPort* port = layout.nthPort(i);
        if (!port)
            continue;
        const CLamp* second = port->lamp(2);
        for (const kx::LampDraw& d :
             kx::PortLampDraws(kPortStates[static_cast<std::size_t>(i)],
                               kPoeStates[static_cast<std::size_t>(i)], phase, second != nullptr,
                               second && second->left() != 0))
            if (const CLamp* lamp = port->lamp(d.lamp))
                cache.draw(p, d.bitmap, lamp->left(), lamp->top());
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    auto option = [&](const char* name, const QString& fallback) {
        const qsizetype at = args.indexOf(QLatin1StringView(name));
        return at >= 0 && at + 1 < args.size() ? args[at + 1] : fallback;
    };
    const QDir data(option("--data", QCoreApplication::applicationDirPath() + "/../bin"));
    const QString outFile = option("--out", QStringLiteral("panel-preview.png"));
    const int scale = std::clamp(option("--scale", QStringLiteral("1")).toInt(), 1, 8);

    const DeviceInfo info = ReadUserIni(data.filePath(QStringLiteral("User.ini")));
    PanelLayout layout;
    if (!layout.load(data.filePath(info.XMLName))) {
        std::fprintf(stderr, "kxpanelpreview: cannot read the layout in %s\n",
                     qPrintable(data.path()));
        return 1;
    }
    for (int i = 0; i < static_cast<int>(kPortStates.size()); ++i)
        if (CPort* port = layout.nthPort(i))
            port->setState(kPortStates[static_cast<std::size_t>(i)]);

    PanelBitmapCache cache(data.filePath(QStringLiteral("res")));
    for (int id : kx::res::kPanelBitmapIds)
        cache.load(id);

    const QSize size = layout.panelSize();
    QImage frame(size, QImage::Format_RGB32);
    frame.fill(Qt::black);
    QImage sheet(size.width(), size.height() * 2 + 4, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    {
        QPainter p(&frame);
        layout.draw(p, frame.rect());
        DrawLamps(p, layout, cache, false);
    }
    QPainter(&sheet).drawImage(0, 0, frame);
    {
        QPainter p(&frame);
        DrawLamps(p, layout, cache, true);
    }
    QPainter(&sheet).drawImage(0, size.height() + 4, frame);

    const QImage out = scale == 1 ? sheet : sheet.scaled(sheet.size() * scale);
    if (!out.save(outFile)) {
        std::fprintf(stderr, "kxpanelpreview: cannot write %s\n", qPrintable(outFile));
        return 1;
    }
    std::printf("%s\n", qPrintable(outFile));
    return 0;
}
