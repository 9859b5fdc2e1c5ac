// kxpaint: draws the installation data of the KX-A1 R2 panel.
//
//   kxpaint --out <directory>
//
// writes, into <directory> (the folder of the programs):
//   User.ini                     the device facts, naming the layout below
//   KXA1R2.xml                   the front-panel layout
//   KXA1R2/front.bmp             the panel's background
//   KXA1R2/port_*.bmp            one jack picture per port state
//   res/<id>.bmp                 the lamp bitmaps the panel draws itself
//   res/447.png, res/447_<n>.png the application icon (256 px and small sizes)
//   res/kxmodule.svg             the same icon as a vector picture
//
// Everything is drawn from the constants below, so the layout's positions and the
// pictures always agree. Output is the same on every run with the same Qt and
// fonts (DejaVu Sans, as Debian installs it).

#include "core/panel/PanelResources.h"

#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontInfo>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTextStream>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

// ---------------------------------------------------------------- geometry

constexpr char kDeviceName[] = "KX-A1 R2";
constexpr char kLayoutName[] = "KXA1R2.xml";
constexpr char kPictureFolder[] = "KXA1R2";
constexpr int kPortCount = 8;

constexpr int kPanelWidth = 640;
constexpr int kPanelHeight = 120;

constexpr int kJackWidth = 40;
constexpr int kJackHeight = 34;
constexpr int kJackTop = 54;
constexpr int kFirstJackLeft = 200;
constexpr int kJackPitch = 50;
constexpr int kGroupGap = 16; // between ports 4 and 5

// Port lamps (resources 227/228/229) and where they sit.
constexpr int kPortLampWidth = 10;
constexpr int kPortLampHeight = 8;
constexpr int kLinkRowTop = 14;    // lamp 0
constexpr int kPoeRowTop = 28;     // lamp 1
constexpr QPoint kActInJack{5, 4}; // lamp 2, inside the jack's LED window

constexpr int kPowerLampSize = 14; // resources 158, 159, 234
constexpr int kSmallLampSize = 8;  // resources 164, 190, 191, 232, 237

int JackLeft(int port)
{
    return kFirstJackLeft + port * kJackPitch + (port >= 4 ? kGroupGap : 0);
}

QRect JackRect(int port)
{
    return QRect(JackLeft(port), kJackTop, kJackWidth, kJackHeight);
}

QPoint LinkLamp(int port)
{
    return QPoint(JackLeft(port) + (kJackWidth - kPortLampWidth) / 2, kLinkRowTop);
}

QPoint PoeLamp(int port)
{
    return QPoint(JackLeft(port) + (kJackWidth - kPortLampWidth) / 2, kPoeRowTop);
}

QPoint ActLamp(int port)
{
    return JackRect(port).topLeft() + kActInJack;
}

const QPoint kPowerLamp{kx::res::kA1PowerLampLeft, kx::res::kA1PowerLampTop};
const QPoint kBudgetLamp{kx::res::kA1PoeBudgetLampLeft, kx::res::kA1PoeBudgetLampTop};

// ---------------------------------------------------------------- colours

const QColor kLampBed(0x13, 0x14, 0x16); // behind every lamp: the bitmaps are opaque
const QColor kJackBody(0x19, 0x1a, 0x1c);
const QColor kPrint(0xdc, 0xdf, 0xe2); // legends printed on the front
const QColor kPrintDim(0xa3, 0xa8, 0xae);
const QColor kEngrave(0x1b, 0x1c, 0x1f);

enum class Hue
{
    Green,
    Amber,
    Red
};
enum class Shape
{
    Bar,
    Round
};

struct LampLook
{
    int id;
    Shape shape;
    int size; // width of a round lamp; bars are kPortLampWidth x kPortLampHeight
    Hue hue;
    bool lit;
};

// Every lamp resource the panel loads. The ones the panel draws for the KX-A1
// models and for the port lamps come first; the rest complete the set the
// panel's cache loads.
const std::vector<LampLook> kLamps = {
    {227, Shape::Bar, 0, Hue::Green, false},
    {228, Shape::Bar, 0, Hue::Green, true},
    {229, Shape::Bar, 0, Hue::Amber, true},
    {234, Shape::Round, kPowerLampSize, Hue::Green, true},
    {232, Shape::Round, kSmallLampSize, Hue::Red, true},
    {237, Shape::Round, kSmallLampSize, Hue::Red, false},
    {158, Shape::Round, kPowerLampSize, Hue::Green, true},
    {159, Shape::Round, kPowerLampSize, Hue::Green, false},
    {160, Shape::Bar, 0, Hue::Green, true},
    {161, Shape::Bar, 0, Hue::Green, false},
    {162, Shape::Bar, 0, Hue::Amber, true},
    {163, Shape::Bar, 0, Hue::Red, true},
    {164, Shape::Round, kSmallLampSize, Hue::Green, false},
    {190, Shape::Round, kSmallLampSize, Hue::Green, true},
    {191, Shape::Round, kSmallLampSize, Hue::Green, false},
    {215, Shape::Bar, 0, Hue::Green, true},
    {216, Shape::Bar, 0, Hue::Red, true},
    {219, Shape::Bar, 0, Hue::Red, true},
    {225, Shape::Bar, 0, Hue::Green, false},
};

struct HueColours
{
    QColor hot;  // centre of a lit lens
    QColor core; // body of a lit lens
    QColor rim;  // edge of a lit lens
    QColor cold; // an unlit lens
};

HueColours ColoursOf(Hue hue)
{
    switch (hue) {
    case Hue::Green:
        return {QColor(0xe4, 0xff, 0xd8), QColor(0x4c, 0xf0, 0x3c), QColor(0x1c, 0x9a, 0x22),
                QColor(0x2b, 0x33, 0x2c)};
    case Hue::Amber:
        return {QColor(0xff, 0xf3, 0xc8), QColor(0xff, 0xae, 0x18), QColor(0xb8, 0x62, 0x00),
                QColor(0x36, 0x30, 0x26)};
    case Hue::Red:
        return {QColor(0xff, 0xd8, 0xd0), QColor(0xff, 0x3a, 0x2a), QColor(0xa8, 0x10, 0x0c),
                QColor(0x36, 0x27, 0x27)};
    }
    return {};
}

// ---------------------------------------------------------------- lamps

QSize LampSize(const LampLook& look)
{
    return look.shape == Shape::Bar ? QSize(kPortLampWidth, kPortLampHeight)
                                    : QSize(look.size, look.size);
}

// A lamp on its bed, filling `area` (the bitmap's rectangle).
void DrawLamp(QPainter& p, const QRectF& area, const LampLook& look)
{
    const HueColours c = ColoursOf(look.hue);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(area, kLampBed);

    const QRectF lens = area.adjusted(1, 1, -1, -1);
    QPainterPath shape;
    if (look.shape == Shape::Bar)
        shape.addRoundedRect(lens, 1.5, 1.5);
    else
        shape.addEllipse(lens);

    if (look.lit) {
        // The glow spills onto the bed, so a lit lamp reads as lit at a glance.
        QColor halo = c.core;
        halo.setAlpha(90);
        p.fillRect(area, halo);
        // The hot spot sits up and to the left, as light from inside a domed
        // lens does; most of the lens shows the lamp's own colour.
        const QPointF focal = lens.center() - QPointF(lens.width() * 0.2, lens.height() * 0.22);
        QRadialGradient g(lens.center(), std::max(lens.width(), lens.height()) * 0.62, focal);
        g.setColorAt(0.0, c.hot);
        g.setColorAt(0.28, c.core);
        g.setColorAt(0.8, c.core);
        g.setColorAt(1.0, c.rim);
        p.fillPath(shape, g);
    } else {
        QLinearGradient g(lens.topLeft(), lens.bottomLeft());
        g.setColorAt(0.0, c.cold.lighter(135));
        g.setColorAt(1.0, c.cold.darker(130));
        p.fillPath(shape, g);
        // The unlit lens still catches a little light at its top.
        QColor shine(255, 255, 255, 34);
        p.setClipPath(shape);
        p.fillRect(QRectF(lens.left(), lens.top(), lens.width(), lens.height() * 0.4), shine);
    }
    p.restore();
}

QImage LampBitmap(const LampLook& look)
{
    QImage image(LampSize(look), QImage::Format_RGB32);
    QPainter p(&image);
    DrawLamp(p, QRectF(QPointF(0, 0), QSizeF(image.size())), look);
    return image;
}

const LampLook& Lamp(int id)
{
    for (const LampLook& l : kLamps)
        if (l.id == id)
            return l;
    std::fprintf(stderr, "kxpaint: no lamp %d\n", id);
    std::exit(2);
}

// The recess a lamp sits in; the lamp bitmap covers its inside exactly.
void DrawLampBezel(QPainter& p, const QRect& lamp, bool round)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF outer = QRectF(lamp).adjusted(-1.5, -1.5, 1.5, 1.5);
    QPainterPath path;
    if (round)
        path.addEllipse(outer);
    else
        path.addRoundedRect(outer, 2, 2);
    p.fillPath(path, kLampBed);
    p.setPen(QPen(QColor(0x5a, 0x5e, 0x64), 1.0));
    p.drawArc(outer.adjusted(-0.5, -0.5, 0.5, 0.5), 200 * 16, 140 * 16);
    p.restore();
}

// ---------------------------------------------------------------- the front

// Brushed dark-grey metal. The grain runs along the panel and depends on the
// row only, so a jack picture cut from any column matches every other column.
QImage Face()
{
    QImage image(kPanelWidth, kPanelHeight, QImage::Format_RGB32);
    quint32 seed = 0x4b58a1u;
    for (int y = 0; y < kPanelHeight; ++y) {
        seed = seed * 1664525u + 1013904223u;
        const int grain = static_cast<int>((seed >> 24) % 7) - 3;
        const double t = double(y) / (kPanelHeight - 1);
        int level = static_cast<int>(0x44 - 14 * t) + grain;
        if (y < 2)
            level += 30 - 12 * y; // upper bevel catches the light
        if (y >= kPanelHeight - 2)
            level -= 18;
        const QRgb row = qRgb(level, level + 2, level + 5);
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < kPanelWidth; ++x)
            line[x] = row;
    }
    // Rounded-off ends of the case.
    QPainter p(&image);
    for (int i = 0; i < 3; ++i) {
        p.setPen(QColor(255, 255, 255, 28 - i * 8));
        p.drawLine(i, 0, i, kPanelHeight - 1);
        p.setPen(QColor(0, 0, 0, 90 - i * 25));
        p.drawLine(kPanelWidth - 1 - i, 0, kPanelWidth - 1 - i, kPanelHeight - 1);
    }
    return image;
}

enum class JackLook
{
    Open,
    Plugged,
    Disabled,
    Blanked
};

QPainterPath JackOpening()
{
    // The RJ-45 opening with the latch slot at the bottom.
    QPainterPath path;
    path.moveTo(8, 15);
    path.lineTo(32, 15);
    path.lineTo(32, 27);
    path.lineTo(26.5, 27);
    path.lineTo(26.5, 30.5);
    path.lineTo(13.5, 30.5);
    path.lineTo(13.5, 27);
    path.lineTo(8, 27);
    path.closeSubpath();
    return path;
}

// One jack in its 40 x 34 cell, origin at the cell's top-left.
void DrawJack(QPainter& p, JackLook look)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);

    if (look == JackLook::Blanked) {
        // No port fitted: a cover plate with a dust plug.
        QPainterPath plate;
        plate.addRoundedRect(QRectF(1.5, 1.5, 37, 31), 2, 2);
        p.fillPath(plate, QColor(0x2e, 0x31, 0x35));
        p.setPen(QPen(QColor(0x1a, 0x1b, 0x1e), 1));
        p.drawPath(plate);
        p.setPen(QPen(QColor(0x55, 0x59, 0x5f), 1));
        p.drawLine(QPointF(3, 32.5), QPointF(37, 32.5));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x4a, 0x4d, 0x52));
        p.drawRoundedRect(QRectF(10, 13, 20, 12), 2, 2);
        p.setBrush(QColor(0x3a, 0x3d, 0x41));
        p.drawRect(QRectF(12, 18, 16, 2));
        p.restore();
        return;
    }

    // Metal shield.
    QPainterPath shield;
    shield.addRoundedRect(QRectF(0.5, 0.5, 39, 33), 2.5, 2.5);
    QLinearGradient steel(0, 0, 0, 34);
    steel.setColorAt(0.0, QColor(0xb4, 0xb8, 0xbd));
    steel.setColorAt(0.5, QColor(0x8c, 0x91, 0x97));
    steel.setColorAt(1.0, QColor(0x62, 0x66, 0x6c));
    p.fillPath(shield, steel);
    p.setPen(QPen(QColor(0x24, 0x26, 0x29), 1));
    p.drawPath(shield);

    // Plastic body.
    QPainterPath body;
    body.addRoundedRect(QRectF(2.5, 2.5, 35, 29), 1.5, 1.5);
    p.fillPath(body, kJackBody);

    // LED window; lamp 2 sits in it.
    const QRect window(kActInJack, QSize(kPortLampWidth, kPortLampHeight));
    p.fillRect(window.adjusted(-1, -1, 1, 1), kLampBed);
    p.restore();
    DrawLamp(p, window, Lamp(kx::res::kPortLampOff));
    p.save();
    p.setRenderHint(QPainter::Antialiasing);

    // Opening and contacts.
    const QPainterPath opening = JackOpening();
    QLinearGradient deep(0, 15, 0, 31);
    deep.setColorAt(0.0, QColor(0x02, 0x02, 0x03));
    deep.setColorAt(1.0, QColor(0x10, 0x11, 0x13));
    p.fillPath(opening, deep);
    p.setPen(QPen(QColor(0x3a, 0x3c, 0x40), 0.8));
    p.drawPath(opening);
    p.setPen(QPen(QColor(0xd4, 0xaa, 0x2c), 1.0));
    for (int k = 0; k < 8; ++k) {
        const double x = 10.6 + k * 2.7;
        p.drawLine(QPointF(x, 16.0), QPointF(x, 19.5));
    }

    if (look == JackLook::Plugged) {
        // A patch cable seen end-on: the boot covers the opening.
        QPainterPath boot;
        boot.addRoundedRect(QRectF(6.5, 14, 27, 17.5), 3, 3);
        QLinearGradient blue(0, 14, 0, 31.5);
        blue.setColorAt(0.0, QColor(0x5b, 0x9a, 0xe0));
        blue.setColorAt(1.0, QColor(0x1f, 0x58, 0x9c));
        p.fillPath(boot, blue);
        p.setPen(QPen(QColor(0x12, 0x33, 0x5c), 1));
        p.drawPath(boot);
        QRadialGradient cable(QPointF(19, 21.5), 6);
        cable.setColorAt(0.0, QColor(0x3d, 0x7c, 0xc4));
        cable.setColorAt(1.0, QColor(0x17, 0x44, 0x7c));
        p.setBrush(cable);
        p.setPen(QPen(QColor(0x10, 0x2c, 0x50), 0.8));
        p.drawEllipse(QPointF(20, 22.5), 5.5, 5.5);
    } else if (look == JackLook::Disabled) {
        // Shut down by the administrator: a red no-entry sign over the opening.
        p.setPen(QPen(QColor(0xe8, 0x3a, 0x2e), 2.2));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(20, 22), 6.5, 6.5);
        p.drawLine(QPointF(15.4, 26.6), QPointF(24.6, 17.4));
    }
    p.restore();
}

QFont LegendFont(int pixelSize, bool bold = false, bool condensed = false)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    if (condensed)
        f.setStretch(QFont::SemiCondensed);
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    f.setHintingPreference(QFont::PreferFullHinting);
    return f;
}

// Printed legend with a faint engraving below it.
void Print(QPainter& p, const QRect& box, int flags, const QString& text, const QFont& font,
           const QColor& colour = kPrint)
{
    p.save();
    p.setFont(font);
    p.setPen(kEngrave);
    p.drawText(box.translated(0, 1), flags, text);
    p.setPen(colour);
    p.drawText(box, flags, text);
    p.restore();
}

QImage Background(const QImage& face)
{
    QImage image = face.copy();
    QPainter p(&image);
    p.setRenderHint(QPainter::TextAntialiasing);

    // Model and legend on the left.
    Print(p, QRect(18, 9, 130, 22), Qt::AlignLeft | Qt::AlignVCenter,
          QString::fromLatin1(kDeviceName), LegendFont(18, true));
    Print(p, QRect(19, 32, 130, 12), Qt::AlignLeft | Qt::AlignVCenter,
          QStringLiteral("8-Port 10/100 PoE Switch"), LegendFont(9, false, true), kPrintDim);

    // A groove between the status area and the ports.
    p.setPen(QColor(0x22, 0x24, 0x27));
    p.drawLine(156, 10, 156, kPanelHeight - 11);
    p.setPen(QColor(0x5c, 0x60, 0x66));
    p.drawLine(157, 10, 157, kPanelHeight - 11);

    // Power and PoE budget lamps, drawn by the panel over these beds.
    DrawLampBezel(p, QRect(kPowerLamp, QSize(kPowerLampSize, kPowerLampSize)), true);
    DrawLamp(p, QRect(kPowerLamp, QSize(kPowerLampSize, kPowerLampSize)), Lamp(159));
    DrawLampBezel(p, QRect(kBudgetLamp, QSize(kSmallLampSize, kSmallLampSize)), true);
    DrawLamp(p, QRect(kBudgetLamp, QSize(kSmallLampSize, kSmallLampSize)),
             Lamp(kx::res::kA1PoeBudgetLampOff));
    const QFont label = LegendFont(9, true);
    Print(p, QRect(58, kPowerLamp.y(), 80, kPowerLampSize), Qt::AlignLeft | Qt::AlignVCenter,
          QStringLiteral("PWR"), label);
    Print(p, QRect(58, kBudgetLamp.y() - 3, 80, kSmallLampSize + 6),
          Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("PoE MAX"), label);

    // Lamp rows: link on top, PoE below, one column per port.
    Print(p, QRect(160, kLinkRowTop - 3, 44, kPortLampHeight + 6),
          Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("LINK"), label);
    Print(p, QRect(160, kPoeRowTop - 3, 44, kPortLampHeight + 6), Qt::AlignRight | Qt::AlignVCenter,
          QStringLiteral("PoE"), label);
    const QSize bar(kPortLampWidth, kPortLampHeight);
    const QFont number = LegendFont(10, true);
    for (int port = 0; port < kPortCount; ++port) {
        for (const QPoint& at : {LinkLamp(port), PoeLamp(port)}) {
            DrawLampBezel(p, QRect(at, bar), false);
            DrawLamp(p, QRect(at, bar), Lamp(kx::res::kPortLampOff));
        }
        const QRect jack = JackRect(port);
        Print(p, QRect(jack.left(), 40, jack.width(), 12), Qt::AlignCenter,
              QString::number(port + 1), number);
    }

    // Ports, as the jack pictures show them when enabled without a link.
    for (int port = 0; port < kPortCount; ++port) {
        p.save();
        p.translate(JackRect(port).topLeft());
        DrawJack(p, JackLook::Open);
        p.restore();
    }

    // Under the ports: what they are.
    const int portsLeft = JackLeft(0);
    const int portsRight = JackRect(kPortCount - 1).right();
    Print(p, QRect(portsLeft, 94, portsRight - portsLeft + 1, 14), Qt::AlignCenter,
          QStringLiteral("10/100BASE-TX   \u00b7   PoE 802.3af/at"), LegendFont(9, false, true),
          kPrintDim);

    // Ventilation slots at the right end.
    p.setRenderHint(QPainter::Antialiasing);
    for (int k = 0; k < 4; ++k) {
        const QRectF slot(614.5 + k * 5, 22.5, 2.5, 76);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x0c, 0x0d, 0x0e));
        p.drawRoundedRect(slot, 1.2, 1.2);
        p.setPen(QPen(QColor(0x66, 0x6a, 0x70), 0.8));
        p.drawLine(slot.bottomLeft() + QPointF(0.4, 0.6), slot.bottomRight() + QPointF(-0.4, 0.6));
    }
    return image;
}

QImage JackBitmap(const QImage& face, JackLook look)
{
    QImage image = face.copy(JackRect(0));
    QPainter p(&image);
    DrawJack(p, look);
    return image;
}

// ---------------------------------------------------------------- icon

// The icon as a handful of shapes in a 64-unit square, drawn by QPainter for
// the PNG sizes and written out as SVG.
struct IconShape
{
    enum Kind
    {
        RoundRect,
        Polygon
    } kind;
    QRectF rect;
    double radius;
    std::vector<QPointF> points;
    QColor top;
    QColor bottom;
    QColor stroke; // invalid: none
};

std::vector<IconShape> IconShapes()
{
    std::vector<IconShape> s;
    s.push_back({IconShape::RoundRect,
                 QRectF(2, 2, 60, 60),
                 12,
                 {},
                 QColor(0x4a, 0x51, 0x5a),
                 QColor(0x1d, 0x21, 0x26),
                 {}});
    s.push_back({IconShape::RoundRect,
                 QRectF(5, 28, 54, 24),
                 3,
                 {},
                 QColor(0x78, 0x7e, 0x86),
                 QColor(0x4c, 0x51, 0x58),
                 QColor(0x12, 0x14, 0x17)});
    for (int k = 0; k < 4; ++k) {
        const double x = 9 + k * 12;
        s.push_back({IconShape::RoundRect,
                     QRectF(x, 38, 10, 10),
                     1,
                     {},
                     QColor(0x06, 0x07, 0x08),
                     QColor(0x16, 0x17, 0x1a),
                     QColor(0xa8, 0xad, 0xb3)});
        const QColor led = k == 2 ? QColor(0x2a, 0x30, 0x2b) : QColor(0x5c, 0xff, 0x48);
        s.push_back({IconShape::RoundRect, QRectF(x + 2.5, 32, 5, 3), 1, {}, led, led, {}});
    }
    // PoE: a lightning bolt.
    s.push_back({IconShape::Polygon,
                 {},
                 0,
                 {{48, 2}, {39, 15}, {45, 15}, {41, 25.5}, {54, 10}, {48, 10}, {52, 2}},
                 QColor(0xff, 0xd0, 0x3a),
                 QColor(0xff, 0x9a, 0x10),
                 QColor(0x6a, 0x3a, 0x00)});
    return s;
}

QImage IconImage(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);
    for (const IconShape& shape : IconShapes()) {
        QPainterPath path;
        if (shape.kind == IconShape::RoundRect) {
            path.addRoundedRect(shape.rect, shape.radius, shape.radius);
        } else {
            path.moveTo(shape.points.front());
            for (std::size_t i = 1; i < shape.points.size(); ++i)
                path.lineTo(shape.points[i]);
            path.closeSubpath();
        }
        const QRectF box = path.boundingRect();
        QLinearGradient g(box.topLeft(), box.bottomLeft());
        g.setColorAt(0, shape.top);
        g.setColorAt(1, shape.bottom);
        p.fillPath(path, g);
        if (shape.stroke.isValid()) {
            p.setPen(QPen(shape.stroke, 64.0 / std::max(size, 32) * 0.8));
            p.drawPath(path);
        }
    }
    return image;
}

QString IconSvg()
{
    QString defs;
    QString body;
    QTextStream d(&defs);
    QTextStream b(&body);
    int n = 0;
    for (const IconShape& shape : IconShapes()) {
        const QString id = QStringLiteral("g%1").arg(n++);
        d << "    <linearGradient id=\"" << id << "\" x1=\"0\" y1=\"0\" x2=\"0\" y2=\"1\">"
          << "<stop offset=\"0\" stop-color=\"" << shape.top.name() << "\"/>"
          << "<stop offset=\"1\" stop-color=\"" << shape.bottom.name() << "\"/>"
          << "</linearGradient>\n";
        const QString stroke =
            shape.stroke.isValid()
                ? QStringLiteral(" stroke=\"%1\" stroke-width=\"0.8\"").arg(shape.stroke.name())
                : QString();
        if (shape.kind == IconShape::RoundRect) {
            b << "  <rect x=\"" << shape.rect.x() << "\" y=\"" << shape.rect.y() << "\" width=\""
              << shape.rect.width() << "\" height=\"" << shape.rect.height() << "\" rx=\""
              << shape.radius << "\" fill=\"url(#" << id << ")\"" << stroke << "/>\n";
        } else {
            b << "  <polygon points=\"";
            for (const QPointF& pt : shape.points)
                b << pt.x() << ',' << pt.y() << ' ';
            b << "\" fill=\"url(#" << id << ")\"" << stroke << "/>\n";
        }
    }
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                          "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" "
                          "viewBox=\"0 0 64 64\">\n  <defs>\n") +
           defs + QStringLiteral("  </defs>\n") + body + QStringLiteral("</svg>\n");
}

// ---------------------------------------------------------------- text files

QString LayoutXml()
{
    const QString folder = QString::fromLatin1(kPictureFolder) + QLatin1Char('/');
    QString xml;
    QTextStream out(&xml);
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<!-- Front panel of the " << kDeviceName
        << ": eight copper ports with PoE. Drawn by kxpaint; regenerate, do not edit. -->\n"
        << "<DEVICEPANEL ID=\"" << kDeviceName << "\" LEFT=\"0\" TOP=\"0\" WIDTH=\"" << kPanelWidth
        << "\" HEIGHT=\"" << kPanelHeight << "\" BMP=\"" << folder << "front.bmp\">\n";
    auto lamp = [&](const char* id, const char* name, const char* type, QPoint at, QSize size) {
        out << "<LAMP ID=\"" << id << "\" NAME=\"" << name << "\" TYPE=\"" << type
            << "\" STATUS=\"LAMPOFF\" LEFT=\"" << at.x() << "\" TOP=\"" << at.y() << "\" WIDTH=\""
            << size.width() << "\" HEIGHT=\"" << size.height() << "\"/>\n";
    };
    out << "  <!-- Drawn by the panel itself from its lamp resources. -->\n";
    out << "  ";
    lamp("PWR", "PWR", "POWER", kPowerLamp, QSize(kPowerLampSize, kPowerLampSize));
    out << "  ";
    lamp("POEMAX", "PoE MAX", "POWER", kBudgetLamp, QSize(kSmallLampSize, kSmallLampSize));
    const QSize bar(kPortLampWidth, kPortLampHeight);
    for (int port = 0; port < kPortCount; ++port) {
        const QRect jack = JackRect(port);
        const int n = port + 1;
        out << "  <PORT ID=\"" << n << "\" LEFT=\"" << jack.left() << "\" TOP=\"" << jack.top()
            << "\" WIDTH=\"" << jack.width() << "\" HEIGHT=\"" << jack.height()
            << "\" STATUS=\"PORTENABLE\" BMP=\"" << folder << "port_enabled.bmp\"\n"
            << "        BMPLINK100=\"" << folder << "port_link.bmp\" BMPLINK10=\"" << folder
            << "port_link.bmp\" BMPDISABLE=\"" << folder << "port_disabled.bmp\"\n"
            << "        BMPENABLE=\"" << folder << "port_enabled.bmp\" BMPEMPTY=\"" << folder
            << "port_empty.bmp\">\n";
        const QByteArray link = QStringLiteral("%1.LINK").arg(n).toLatin1();
        const QByteArray poe = QStringLiteral("%1.POE").arg(n).toLatin1();
        const QByteArray act = QStringLiteral("%1.ACT").arg(n).toLatin1();
        out << "    ";
        lamp(link.constData(), "LINK", "LINK", LinkLamp(port), bar);
        out << "    ";
        lamp(poe.constData(), "PoE", "POWER", PoeLamp(port), bar);
        out << "    ";
        lamp(act.constData(), "ACT", "LINK", ActLamp(port), bar);
        out << "  </PORT>\n";
    }
    out << "</DEVICEPANEL>\n";
    return xml;
}

QString UserIni()
{
    return QStringLiteral("[DeviceInfo]\r\nDeviceName=%1\r\nDevicePortNum=%2\r\nXMLName=%3\r\n"
                          "IsAllGiga=N\r\nIsHasFan=N\r\n")
        .arg(QString::fromLatin1(kDeviceName))
        .arg(kPortCount)
        .arg(QString::fromLatin1(kLayoutName));
}

// ---------------------------------------------------------------- output

bool g_failed = false;

void Fail(const QString& what)
{
    std::fprintf(stderr, "kxpaint: cannot write %s\n", qPrintable(what));
    g_failed = true;
}

void SaveImage(const QImage& image, const QString& path, const char* format)
{
    if (!image.save(path, format))
        Fail(path);
}

void SaveText(const QString& text, const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(text.toUtf8()) < 0)
        Fail(path);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const QStringList args = app.arguments();
    const qsizetype at = args.indexOf(QStringLiteral("--out"));
    if (at < 0 || at + 1 >= args.size()) {
        std::fprintf(stderr, "usage: kxpaint --out <directory>\n");
        return 2;
    }
    const QDir out(args[at + 1]);
    if (!out.mkpath(QStringLiteral(".")) || !out.mkpath(QString::fromLatin1(kPictureFolder)) ||
        !out.mkpath(QStringLiteral("res"))) {
        Fail(out.path());
        return 1;
    }
    if (!QFontInfo(LegendFont(10)).family().startsWith(QStringLiteral("DejaVu")))
        std::fprintf(stderr, "kxpaint: DejaVu Sans not found; the legends use \"%s\"\n",
                     qPrintable(QFontInfo(LegendFont(10)).family()));

    const QImage face = Face();
    const QString pictures = QString::fromLatin1(kPictureFolder) + QLatin1Char('/');
    SaveImage(Background(face), out.filePath(pictures + QStringLiteral("front.bmp")), "BMP");
    SaveImage(JackBitmap(face, JackLook::Open), out.filePath(pictures + "port_enabled.bmp"), "BMP");
    SaveImage(JackBitmap(face, JackLook::Plugged), out.filePath(pictures + "port_link.bmp"), "BMP");
    SaveImage(JackBitmap(face, JackLook::Disabled), out.filePath(pictures + "port_disabled.bmp"),
              "BMP");
    SaveImage(JackBitmap(face, JackLook::Blanked), out.filePath(pictures + "port_empty.bmp"),
              "BMP");

    for (int id : kx::res::kPanelBitmapIds)
        SaveImage(LampBitmap(Lamp(id)), out.filePath(QStringLiteral("res/%1.bmp").arg(id)), "BMP");

    const QString icon = QString::number(kx::res::kApplicationIcon);
    SaveImage(IconImage(kx::res::kApplicationIconSize), out.filePath("res/" + icon + ".png"),
              "PNG");
    for (int size : kx::res::kApplicationIconSmallSizes)
        SaveImage(IconImage(size),
                  out.filePath(QStringLiteral("res/%1_%2.png").arg(icon).arg(size)), "PNG");
    SaveText(IconSvg(), out.filePath(QStringLiteral("res/kxmodule.svg")));

    SaveText(LayoutXml(), out.filePath(QString::fromLatin1(kLayoutName)));
    SaveText(UserIni(), out.filePath(QStringLiteral("User.ini")));
    return g_failed ? 1 : 0;
}
