#pragma once

#include <QString>

namespace kx {

// Whether the process can open an IPv4 datagram socket: the check start-up makes
// before anything else ("Failed to initialize communication port !" otherwise).
bool NetworkStackAvailable();

// What start-up says before anything else, or an empty text: the network stack
// is checked first, then that the console gave a line at all.
QString StartupRefusal(bool networkStackAvailable, bool commandLineEmpty);

// "Module:" + DeviceName + DeviceAddress, with no separator between the last two.
QString InstanceName(const QString& deviceName, const QString& deviceAddress);

// A file-name-safe key for an instance name: its letters, digits, '.' and '-'
// (others as '_', at most 24 characters) followed by a digest of the whole name,
// so that two names never share a key and every key fits a socket path.
QString InstanceKey(const QString& instanceName);

} // namespace kx
