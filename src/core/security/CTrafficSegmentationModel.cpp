#include "core/security/CTrafficSegmentationModel.h"

namespace kx::security {

QStringList ForwardingRecord(const WalkRow& row, int portCount)
{
    const QByteArray& octets = row.value(1).octets;
    QString range;
    PortListToRangeText(octets, range, portCount);
    // The set belongs to the instance its own column answered.
    return {row.indexOf(1), row.value(0).text(), range, QString::fromLatin1(octets.toHex())};
}

ForwardingRow ReadForwardingRecord(const QStringList& record, int portCount)
{
    ForwardingRow row;
    bool ok = false;
    const int port = record.value(0).toInt(&ok);
    row.sourcePort = ok && port >= 1 && port <= portCount ? port : 0;
    row.portText = record.value(1);
    row.rangeText = record.value(2);
    row.hex = record.value(3);
    return row;
}

PortFlags ForwardingFlags(const QString& hex, int portCount)
{
    QByteArray octets;
    HexToOctets(hex, octets, PortListOctetCount(portCount));
    return PortListToFlags(octets, portCount);
}

QString AggregatedMemberRefusal()
{
    return QStringLiteral("The link aggregation member port can not be configured.");
}

SetBinding SegmentationStateBinding(bool enabled)
{
    return SetBinding::Integer(kSegmentationState, enabled ? 1 : 2);
}

SetBinding ForwardingBinding(int sourcePort, const PortFlags& flags, int portCount)
{
    return SetBinding::Octets(Oid(kSegmentationForwarding, sourcePort), PortFlagsToPortList(flags, portCount));
}

} // namespace kx::security

CTrafficSegmentationModel::CTrafficSegmentationModel(int portCount, QObject* parent)
    : CFeatureModel(portCount, parent)
{
}

kx::ReadPlan CTrafficSegmentationModel::Refresh()
{
    const int ports = PortCount();
    kx::ReadPlan plan = RecordRead(m_cCommonSNMP, {kx::security::kSegmentationState});
    plan.add(RowWalk(m_cCommonSNMPWalk, {kx::security::kSegmentationPort, kx::security::kSegmentationForwarding},
                     [ports](const kx::WalkRow& row) { return kx::security::ForwardingRecord(row, ports); }));
    plan.add(LoadAggregationGroups());
    return plan;
}

std::function<kx::SetResult()> CTrafficSegmentationModel::WriteForwarding(int sourcePort,
                                                                           const kx::PortFlags& flags) const
{
    return [session = m_cCommonSNMPPortSet,
            binding = kx::security::ForwardingBinding(sourcePort, flags, PortCount())] {
        return kx::SetValues(*session, {binding});
    };
}
