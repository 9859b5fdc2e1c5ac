#include "base/DeviceModels.h"

namespace kx {

bool IsPoeModel(const QString& deviceName)
{
    if (deviceName.contains(QLatin1Char('p'), Qt::CaseInsensitive))
        return true;
    return deviceName == u"KX-A1" || deviceName == u"KX-A1 R2" || deviceName == u"KX-C1";
}

bool IsA1Model(const QString& deviceName)
{
    return deviceName == u"KX-A1" || deviceName == u"KX-A1 R2";
}

bool IsC1Model(const QString& deviceName)
{
    return deviceName == u"KX-C1";
}

} // namespace kx
