#include "core/l2/CPortMirrorModel.h"

#include "core/kit/ValueCodecs.h"

#include <algorithm>

namespace kx::l2 {

SnifferMode SnifferModeOfColumn(int column)
{
    switch (column) {
    case 0:
        return SnifferMode::TX;
    case 1:
        return SnifferMode::RX;
    case 2:
        return SnifferMode::Both;
    default:
        return SnifferMode::None;
    }
}

int ColumnOfSnifferMode(SnifferMode mode)
{
    switch (mode) {
    case SnifferMode::TX:
        return 0;
    case SnifferMode::RX:
        return 1;
    case SnifferMode::Both:
        return 2;
    case SnifferMode::None:
        break;
    }
    return 3;
}

QStringList MirrorOids()
{
    return {kMirrorState, kMirrorTarget, kMirrorRxPorts, kMirrorTxPorts};
}

QStringList MirrorRecordTexts(const GetResult& answer)
{
    return {answer.value(0).text(), answer.value(1).text(), QString::fromLatin1(answer.value(2).octets.toHex()),
            QString::fromLatin1(answer.value(3).octets.toHex())};
}

MirrorRecord ReadMirrorRecord(const QStringList& texts, int portCount)
{
    MirrorRecord record;
    record.state = texts.value(0);
    record.target = texts.value(1);
    const PortFlags rx = PortListToFlags(QByteArray::fromHex(texts.value(2).toLatin1()), portCount);
    const PortFlags tx = PortListToFlags(QByteArray::fromHex(texts.value(3).toLatin1()), portCount);
    for (int i = 0; i < std::max(portCount, 0); ++i) {
        const bool r = rx[static_cast<std::size_t>(i)] != 0;
        const bool t = tx[static_cast<std::size_t>(i)] != 0;
        record.modes.push_back(r && t ? SnifferMode::Both : r ? SnifferMode::RX : t ? SnifferMode::TX : SnifferMode::None);
    }
    return record;
}

MirrorDecision DecideMirror(bool enabled, int targetPort, const std::vector<SnifferMode>& modes,
                            const QString& lastState, const TrunkMembership& groups, int portCount)
{
    MirrorDecision decision;
    if (!enabled) {
        decision.sets.push_back({SetBinding::Integer(kMirrorState, 2)});
        return decision;
    }
    if (groups.group(targetPort) != 0) {
        decision.refusal = QStringLiteral("Target Port is Trunking Port!");
        return decision;
    }
    if (std::all_of(modes.begin(), modes.end(), [](SnifferMode m) { return m == SnifferMode::None; })) {
        decision.refusal = QStringLiteral("Must at least select one source port.");
        decision.refreshAfterRefusal = true;
        return decision;
    }
    std::vector<int> values;
    for (SnifferMode m : modes)
        values.push_back(static_cast<int>(m));
    // A port left at None counts too: a link is mirrored whole or not at all.
    if (!groups.membersAgree(values)) {
        decision.refusal =
            QStringLiteral("Must select whole ports of the aggregated link with the same Sniffer Mode to source port.");
        decision.refreshAfterRefusal = true;
        return decision;
    }

    PortFlags tx(static_cast<std::size_t>(std::max(portCount, 0)), 0);
    PortFlags rx(tx.size(), 0);
    for (std::size_t i = 0; i < modes.size() && i < tx.size(); ++i) {
        tx[i] = modes[i] == SnifferMode::TX || modes[i] == SnifferMode::Both ? 1 : 0;
        rx[i] = modes[i] == SnifferMode::RX || modes[i] == SnifferMode::Both ? 1 : 0;
    }
    // Emptied first, so that the new target is nobody's source meanwhile.
    if (lastState == QLatin1String("1")) {
        const QByteArray none = PortFlagsToPortList({}, portCount);
        decision.sets.push_back({SetBinding::Octets(kMirrorTxPorts, none), SetBinding::Octets(kMirrorRxPorts, none)});
    }
    decision.sets.push_back({SetBinding::Integer(kMirrorTarget, targetPort)});
    decision.sets.push_back({SetBinding::Octets(kMirrorTxPorts, PortFlagsToPortList(tx, portCount)),
                             SetBinding::Octets(kMirrorRxPorts, PortFlagsToPortList(rx, portCount))});
    decision.sets.push_back({SetBinding::Integer(kMirrorState, 1)});
    return decision;
}

} // namespace kx::l2

CPortMirrorModel::CPortMirrorModel(int portCount, QObject* parent) : CFeatureModel(portCount, parent) {}

kx::ReadPlan CPortMirrorModel::Refresh()
{
    kx::ReadPlan plan = LoadAggregationGroups();
    plan.add(RecordRead(m_cCommonSNMP, kx::l2::MirrorOids(), &kx::l2::MirrorRecordTexts));
    return plan;
}

std::function<int()> CPortMirrorModel::Write(std::vector<std::vector<kx::SetBinding>> sets) const
{
    return SetSequence(m_cCommonSNMPMirrorSet, std::move(sets));
}
