#include "core/panel/PanelResources.h"

#include "core/panel/PanelImages.h"

#include <QDir>
#include <QFileInfo>

namespace kx {

QString ResourceDirectory()
{
    const QString program = ProgramDirectory();
    return QDir(program.isEmpty() ? QDir::currentPath() : program).filePath(QStringLiteral("res"));
}

QString BitmapResourcePath(const QString& directory, int id)
{
    return QDir(directory).filePath(QString::number(id) + QStringLiteral(".bmp"));
}

QIcon ApplicationIcon(const QString& directory)
{
    QIcon icon;
    const QDir dir(directory);
    const QString id = QString::number(res::kApplicationIcon);
    for (int size : res::kApplicationIconSmallSizes) {
        const QString file =
            dir.filePath(id + QLatin1Char('_') + QString::number(size) + QStringLiteral(".png"));
        if (QFileInfo(file).isFile())
            icon.addFile(file, QSize(size, size));
    }
    const QString large = dir.filePath(id + QStringLiteral(".png"));
    if (QFileInfo(large).isFile())
        icon.addFile(large, QSize(res::kApplicationIconSize, res::kApplicationIconSize));
    return icon;
}

} // namespace kx
