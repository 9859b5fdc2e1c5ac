#pragma once

// "Traffic Segmentation Settings " without its widgets: the global state, the
// forwarding table with one port set per source port, how a row reads, and the
// Apply of one source port's set.

#include "core/kit/CFeatureModel.h"
#include "core/kit/SnmpRequests.h"
#include "core/kit/SnmpValue.h"
#include "core/kit/ValueCodecs.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace kx::security {

inline const QString kSegmentationState = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.14.9.1.0");
inline const QString kSegmentationPort = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.14.9.2.1.1");
inline const QString kSegmentationForwarding = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.14.9.2.1.2");

// One answered row of the forwarding table as it travels: the instance, the
// port column, the forwarding set as PortRangeText, and its octets as
// hexadecimal text (empty when the device returned none).
QStringList ForwardingRecord(const WalkRow& row, int portCount);

struct ForwardingRow
{
    int sourcePort = 0; // from the row's instance; 0 when outside 1..N
    QString portText;
    QString rangeText;
    QString hex;
};
ForwardingRow ReadForwardingRecord(const QStringList& record, int portCount);

// The stored hexadecimal text of a row as one flag a port.
PortFlags ForwardingFlags(const QString& hex, int portCount);

QString AggregatedMemberRefusal(); // "The link aggregation member port can not be configured."

SetBinding SegmentationStateBinding(bool enabled);
// The forwarding set of `sourcePort` as the PortList written for this device.
SetBinding ForwardingBinding(int sourcePort, const PortFlags& flags, int portCount);

} // namespace kx::security

// The segmentation feature object: the state comes from the base's first
// session, the table from a walk session of its own, the forwarding sets go out
// on a set session of its own.
class CTrafficSegmentationModel : public CFeatureModel
{
    Q_OBJECT

public:
    explicit CTrafficSegmentationModel(int portCount, QObject* parent = nullptr);

    // The state (recordArrived() with its text), the forwarding table
    // (rowArrived() with ForwardingRecord(), then tableWalked()) and the
    // aggregation groups.
    kx::ReadPlan Refresh();
    std::function<kx::SetResult()> WriteForwarding(int sourcePort, const kx::PortFlags& flags) const;

private:
    std::shared_ptr<CCommonSNMP> m_cCommonSNMPWalk = AddSession(QStringLiteral("m_cCommonSNMPWalk"));
    std::shared_ptr<CCommonSNMP> m_cCommonSNMPPortSet = AddSession(QStringLiteral("m_cCommonSNMPPortSet"));
};
