#pragma once

// Bitmap files of the installation: where a relative name is found, how a file
// is read without trusting it, and the images a panel layout draws from.

#include <QHash>
#include <QImage>
#include <QString>
#include <QStringList>

namespace kx {

// Bitmaps larger than this in either direction, or files larger than
// kMaxBitmapFileBytes, are refused: a panel is a few hundred pixels wide, and a
// hostile file must not make the program allocate gigabytes.
inline constexpr int kMaxBitmapExtent = 4096;
inline constexpr qint64 kMaxBitmapFileBytes = qint64(64) << 20;
// The lamps the panel draws itself are a few pixels across; one larger than
// this is refused like a corrupt file.
inline constexpr int kMaxLampExtent = 256;

// The running program's directory (empty before the application object exists).
QString ProgramDirectory();

// Where the installation's relative file names are looked for: the program's
// directory, then the current directory.
QStringList InstallSearchPath();

// An absolute `name` is returned as it is when it names a regular file. A
// relative one is tried in each directory in order; the first regular file found
// wins. Empty when nothing was found (or `name` is empty).
QString ResolveInstallFile(const QString& name, const QStringList& directories);

// Reads an image file as it is (BMP or any format Qt reads). Only regular files
// within the size limits are read: no larger than `maxSize` and, decoded, no
// more than `maxBytes`. Anything else gives a null image, and a picture too
// large is refused from its header, before its pixels are allocated.
QImage LoadBitmapFile(const QString& path, QSize maxSize = {kMaxBitmapExtent, kMaxBitmapExtent},
                      qint64 maxBytes = qint64(kMaxBitmapExtent) * kMaxBitmapExtent * 4);

// The bitmap files a panel layout names, each read at most once: an image
// larger than the limit size, or one that would take the images kept beyond the
// memory budget, is refused like a corrupt file, so that painting never decodes.
// Not thread-safe: the user-interface thread owns it.
class PanelImageStore
{
public:
    static constexpr qint64 kBudgetBytes = qint64(64) << 20;

    explicit PanelImageStore(QStringList searchDirectories = InstallSearchPath());

    // Relative names are looked for in these directories, in order.
    void setSearchDirectories(QStringList directories);
    const QStringList& searchDirectories() const { return m_directories; }
    // Limits for the images read from now on.
    void setLimits(QSize maxSize, qint64 budgetBytes);

    // The image of a file named by the layout; null when the name is empty or
    // the file cannot be read or is refused. The pointer stays valid until the
    // next call.
    const QImage* image(const QString& name);

    void clear();
    qint64 keptBytes() const { return m_keptBytes; }

private:
    QStringList m_directories;
    QHash<QString, QImage> m_images; // a null image remembers a file that failed
    qint64 m_keptBytes = 0;
    QSize m_maxSize{kMaxBitmapExtent, kMaxBitmapExtent};
    qint64 m_budgetBytes = kBudgetBytes;
};

} // namespace kx
