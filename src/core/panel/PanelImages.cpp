#include "core/panel/PanelImages.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>

namespace kx {

QString ProgramDirectory()
{
    return QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QString();
}

QStringList InstallSearchPath()
{
    QStringList dirs;
    const QString program = ProgramDirectory();
    if (!program.isEmpty())
        dirs << program;
    dirs << QDir::currentPath();
    return dirs;
}

QString ResolveInstallFile(const QString& name, const QStringList& directories)
{
    if (name.isEmpty())
        return {};
    if (QDir::isAbsolutePath(name))
        return QFileInfo(name).isFile() ? QDir::cleanPath(name) : QString();
    for (const QString& dir : directories) {
        if (dir.isEmpty())
            continue;
        const QString candidate = QDir(dir).filePath(name);
        // isFile() also keeps devices and pipes out: reading one could block the
        // user-interface thread for ever.
        if (QFileInfo(candidate).isFile())
            return QDir::cleanPath(candidate);
    }
    return {};
}

QImage LoadBitmapFile(const QString& path, QSize maxSize, qint64 maxBytes)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isFile() || info.size() > kMaxBitmapFileBytes)
        return {};
    maxSize = maxSize.boundedTo({kMaxBitmapExtent, kMaxBitmapExtent});
    // Both formats kept below take four bytes a pixel.
    auto fits = [&](QSize size) {
        return size.isValid() && size.width() <= maxSize.width() &&
               size.height() <= maxSize.height() &&
               qint64(size.width()) * size.height() * 4 <= maxBytes;
    };
    QImageReader reader(path);
    // Formats that cannot tell their size up front are refused too.
    if (!fits(reader.size()))
        return {};
    QImage image;
    if (!reader.read(&image) || !fits(image.size()))
        return {};
    // The formats QPainter copies fastest; the pixels stay what the file holds.
    return image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                         : QImage::Format_RGB32);
}

PanelImageStore::PanelImageStore(QStringList searchDirectories)
    : m_directories(std::move(searchDirectories))
{}

void PanelImageStore::setSearchDirectories(QStringList directories)
{
    m_directories = std::move(directories);
    clear();
}

void PanelImageStore::setLimits(QSize maxSize, qint64 budgetBytes)
{
    m_maxSize = maxSize;
    m_budgetBytes = budgetBytes;
}

const QImage* PanelImageStore::image(const QString& name)
{
    if (name.isEmpty())
        return nullptr;
    auto it = m_images.constFind(name);
    if (it != m_images.constEnd())
        return it->isNull() ? nullptr : &*it;

    QImage loaded = LoadBitmapFile(ResolveInstallFile(name, m_directories), m_maxSize,
                                   m_budgetBytes - m_keptBytes);
    m_keptBytes += loaded.sizeInBytes();
    it = m_images.insert(name, std::move(loaded));
    return it->isNull() ? nullptr : &*it;
}

void PanelImageStore::clear()
{
    m_images.clear();
    m_keptBytes = 0;
}

} // namespace kx
