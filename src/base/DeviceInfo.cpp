#include "base/DeviceInfo.h"

#include "base/TextNumber.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>

namespace {

DeviceInfo& Storage()
{
    static DeviceInfo info;
    return info;
}

// QSettings splits unquoted values at commas, but a User.ini value is one text
// up to the end of its line (a model name may hold a comma), so it is put back
// together.
QString ReadText(const QSettings& ini, const char* key)
{
    const QVariant v = ini.value(key);
    if (v.typeId() == QMetaType::QStringList)
        return v.toStringList().join(QLatin1Char(','));
    return v.toString();
}

bool ReadYes(const QSettings& ini, const char* key)
{
    const QString text = ReadText(ini, key);
    return text == QLatin1String("Y") || text == QLatin1String("y");
}

} // namespace

QString UserIniPath()
{
    QString dir = QCoreApplication::instance() ? QCoreApplication::applicationDirPath()
                                                : QDir::currentPath();
    return QDir(dir).filePath(QStringLiteral("User.ini"));
}

DeviceInfo ReadUserIni(const QString& path)
{
    DeviceInfo info;
    // Only a regular file: opening a FIFO or a device would block start-up for
    // ever, as the layout loader knows too.
    if (!QFileInfo(path).isFile())
        return info;
    QSettings ini(path, QSettings::IniFormat);
    ini.beginGroup(QStringLiteral("DeviceInfo"));
    info.DeviceName = ReadText(ini, "DeviceName").left(259);
    if (ini.contains(QStringLiteral("DevicePortNum")))
        info.DevicePortNum = kx::LeadingDecimal(ReadText(ini, "DevicePortNum"));
    info.XMLName = ReadText(ini, "XMLName");
    info.IsAllGiga = ReadYes(ini, "IsAllGiga");
    info.IsHasFan = ReadYes(ini, "IsHasFan");
    return info;
}

const DeviceInfo& GetDeviceInfo()
{
    return Storage();
}

void InstallDeviceInfo(const DeviceInfo& info)
{
    Storage() = info;
}
