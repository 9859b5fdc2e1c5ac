#pragma once

#include <QString>

// The per-installation facts of User.ini, section DeviceInfo.
struct DeviceInfo
{
    QString DeviceName;       // model name, e.g. "KX-A1 R2"; at most 259 characters
    int DevicePortNum = 28;   // front-panel ports; every dialog that iterates ports uses it
    QString XMLName;          // panel layout file
    bool IsAllGiga = false;   // every port's top speed is 1 Gbit/s
    bool IsHasFan = false;    // the fan status is polled
};

// User.ini beside the running executable.
QString UserIniPath();

// Reads the DeviceInfo section of an INI file. A missing file or key leaves the
// default, and so does anything that is not a regular file (a FIFO, a folder); a DevicePortNum that is not a number reads as its leading digits (0 if none).
DeviceInfo ReadUserIni(const QString& path);

// The process-wide copy. Start-up and the panel install it; tests install their own.
const DeviceInfo& GetDeviceInfo();
void InstallDeviceInfo(const DeviceInfo& info);

// The device's port count as every port loop uses it.
inline int DevicePortCount()
{
    return GetDeviceInfo().DevicePortNum;
}
