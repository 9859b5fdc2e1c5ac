// Fuzz target: the panel layout reader, then everything the panel does with
// what it read (queries, the failed-walk reset, drawing a frame).
#include "core/panel/PanelLayout.h"

#include <QByteArray>
#include <QImage>
#include <QPainter>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    PanelLayout layout;
    // Bitmap names resolve against a folder that does not exist; names that are
    // absolute still reach the file reader.
    layout.loadFromData(
        QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)),
        QStringLiteral("/nonexistent-kx-fuzz"));
    for (int n = 0; n < 60; ++n) {
        if (CPort* port = layout.nthPort(n)) {
            port->setState(n % 6);
            for (int k = 0; k < 4; ++k)
                if (const CLamp* lamp = port->lamp(k))
                    (void)lamp->itemRect();
        }
    }
    (void)layout.nthItem("CModule", 0);
    layout.resetPortsAfterFailedWalk();
    layout.root().mouseEvent(QPoint(1, 1));

    // A small frame keeps each run cheap; drawing still walks every item.
    QImage frame(64, 32, QImage::Format_RGB32);
    QPainter painter(&frame);
    layout.draw(painter, frame.rect());
    return 0;
}
