#pragma once

// The "Public MIB" viewers as data: each read-only table is a TableDescriptor
// (its columns, the objects walked, how a value reads), and System Information
// is the one get and the one set of the MIB-II system group.

#include "core/kit/SnmpRequests.h"
#include "core/kit/TableDescriptor.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace kx::maintenance {

TableDescriptor InterfaceTable();
// "IP Table : " + the device's address.
TableDescriptor IpTable(const QString& deviceAddress);
TableDescriptor ForwardingTable();
TableDescriptor TcpServiceTable();
TableDescriptor UdpServiceTable();

// --- how values read ------------------------------------------------------------

// ifSpeed in bit/s as whole Mbit/s: "100000000" -> "100M".
QString SpeedText(const QString& bitsPerSecond);
QString LinkStatusText(const QString& ifOperStatus);
QString TcpStateText(const QString& tcpConnState);
// By the value's first character: "3" "Learn", "7" "7".
QString FdbStatusText(const QString& dot1qTpFdbStatus);
// The forwarding row index is the filtering database id and the six numbers of
// the MAC: "1.0.27.33.0.0.1" -> "00-1B-21-00-00-01". An index of another shape
// is shown as it came.
QString MacFromFdbIndex(const QString& index);

// The Destination Port filter: an empty filter keeps every row, else only the
// rows whose port text equals it.
bool FdbPortFilterKeeps(const QString& filter, const QString& port);
// The column of the forwarding row that holds its port.
inline constexpr std::size_t kFdbPortColumn = 2;

inline const QString kBridgeAgingTime = QStringLiteral("1.3.6.1.2.1.17.4.2.0");

// --- System Information ---------------------------------------------------------

inline const QString kSysDescr = QStringLiteral("1.3.6.1.2.1.1.1.0");
inline const QString kSysObjectId = QStringLiteral("1.3.6.1.2.1.1.2.0");
inline const QString kSysUpTime = QStringLiteral("1.3.6.1.2.1.1.3.0");
inline const QString kSysContact = QStringLiteral("1.3.6.1.2.1.1.4.0");
inline const QString kSysName = QStringLiteral("1.3.6.1.2.1.1.5.0");
inline const QString kSysLocation = QStringLiteral("1.3.6.1.2.1.1.6.0");
// Name and location go out in a buffer of this many bytes, its NUL included.
inline constexpr int kSystemTextBuffer = 128;

// The six objects of the one get, in the order the fields show them.
QStringList SystemInfoOids();
// Up-time ticks (hundredths of a second) as "H Hour M Min".
QString RuntimeText(const QString& ticks);
// The refusal of the typed name and location, checked in that order; empty
// when both may be written.
QString CheckSystemInfo(const QString& name, const QString& location);
// Name and location in one set, whether or not they changed.
std::vector<SetBinding> SystemInfoBindings(const QString& name, const QString& location);

} // namespace kx::maintenance
