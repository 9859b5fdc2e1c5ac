#pragma once

#include <QColor>
#include <QImage>
#include <QString>
#include <string>

class PanelLayout;

namespace kxpaneltest {

// Writes `text` to `path` (bytes as they are); false when it cannot.
bool WriteFile(const std::string& path, const QByteArray& bytes);

// A BMP file of one colour.
bool WriteBitmap(const std::string& path, QSize size, QColor colour);

// A description with a DEVICEPANEL around `items`.
QByteArray Panel(const QByteArray& items, const QByteArray& rootAttributes = {});

QRgb Pixel(const QImage& image, int x, int y);

} // namespace kxpaneltest
