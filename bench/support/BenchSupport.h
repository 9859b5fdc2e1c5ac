#pragma once

// What the widget benchmarks share: a kxsim on a free loopback port with the
// benchmark's SNMPv3 user, the module's session pointed at it, the KX-A1 R2
// device, and the median of a run's samples.

#include "base/DeviceInfo.h"
#include "common/SessionSettings.h"

#include <QProcess>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <vector>

namespace kxbench {

inline constexpr const char* kUser = "bench:authPriv:SHA:benchauth1:DES:benchpriv1";

struct Sim
{
    QProcess process;
    QString port;

    // `extra`: more kxsim arguments (a scenario).
    bool start(const QString& binary, const QStringList& extra = {})
    {
        process.start(binary, QStringList{"--listen", "127.0.0.1:0", "--quiet", "--user", kUser} + extra);
        if (!process.waitForStarted(5000) || !process.waitForReadyRead(10000))
            return false;
        port = QString::fromLatin1(process.readLine()).trimmed().section(QLatin1Char(':'), -1);
        return !port.isEmpty();
    }
    ~Sim()
    {
        process.terminate();
        process.waitForFinished(3000);
    }
};

// SNMPv1 with the default communities, or SNMPv3 authPriv as the benchmark's user.
inline void Install(const QString& port, bool v3)
{
    SessionSettings s;
    s.DeviceAddress = "127.0.0.1";
    s.SnmpPort = port.toStdString();
    if (v3) {
        s.SnmpVersion = "3";
        s.SecurityName = "bench";
        s.SecurityLevel = SecurityLevelCode("authPriv");
        s.AuthProtocol = AuthProtocolCode("SHA");
        s.AuthPassword = "benchauth1";
        s.PrivProtocol = PrivProtocolCode("DES");
        s.PrivPassword = "benchpriv1";
    }
    InstallSessionSettings(s);
}

inline void InstallA1Device()
{
    DeviceInfo info;
    info.DeviceName = QStringLiteral("KX-A1 R2");
    info.DevicePortNum = 8;
    InstallDeviceInfo(info);
}

inline double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? -1 : v[v.size() / 2];
}

} // namespace kxbench
