#include "core/l2/CBandwidthModel.h"

#include "base/TextNumber.h"

namespace kx::l2 {

QString RateRangeLabel()
{
    return QStringLiteral("Rate(%1-%2)").arg(kMinRate).arg(kMaxRate);
}

QString ResolutionNote()
{
    return QStringLiteral("Note:The multiple of %1 Kbits/sec will be set automatically because \r\n"
                          "the resolution of Tx and Rx bandwidth control is %2 Kbits/sec.")
        .arg(kRateResolution)
        .arg(kRateResolution);
}

QString SmallerToPortMessage()
{
    return QStringLiteral(" \"To port\"cannot be smaller than \"From Port\" ");
}

QStringList BandwidthListRow(const WalkRow& row)
{
    QStringList texts;
    for (std::size_t column = 0; column < 3; ++column) {
        const QString text = row.value(column).text();
        texts << (column > 0 && text == QLatin1String("0") ? QStringLiteral("No Limit") : text);
    }
    return texts;
}

BandwidthDecision DecideBandwidth(const BandwidthRequest& request, const TrunkMembership& groups)
{
    BandwidthDecision decision;
    QString rate = QStringLiteral("0");
    if (!request.noLimit) {
        const int typed = LeadingDecimal(request.rateText);
        if (request.rateText.isEmpty() || typed < kMinRate || typed > kMaxRate) {
            decision.refusal = QStringLiteral("Invalid Rate.");
            decision.rateRefused = true;
            return decision;
        }
        // Sent as typed: the device rounds down to its resolution.
        rate = QString::number(typed);
    }

    QStringList aggregated;
    for (int p = request.fromPort; p <= request.toPort; ++p)
        if (groups.group(p) != 0)
            aggregated << QString::number(p);
    if (!aggregated.isEmpty()) {
        decision.refusal = QStringLiteral("You can't set the rate of Ports:") + aggregated.join(QLatin1Char(',')) +
                           QStringLiteral(".because they are in aggregated link.");
        return decision;
    }

    const bool rx = request.direction != RateDirection::Tx;
    const bool tx = request.direction != RateDirection::Rx;
    for (int p = request.fromPort; p <= request.toPort; ++p) {
        std::vector<SetBinding> set;
        if (rx)
            set.push_back(SetBinding::Integer(Oid(kBandwidthRxRate, p), rate));
        if (tx)
            set.push_back(SetBinding::Integer(Oid(kBandwidthTxRate, p), rate));
        decision.sets.push_back(std::move(set));
    }
    return decision;
}

} // namespace kx::l2

CBandwidthModel::CBandwidthModel(int portCount, QObject* parent) : CFeatureModel(portCount, parent) {}

kx::ReadPlan CBandwidthModel::Refresh()
{
    return RowWalk(m_cCommonSNMPWalk, {kx::l2::kBandwidthPort, kx::l2::kBandwidthTxRate, kx::l2::kBandwidthRxRate},
                   &kx::l2::BandwidthListRow);
}

std::function<int()> CBandwidthModel::WriteRates(std::vector<std::vector<kx::SetBinding>> sets) const
{
    return SetSequence(m_cCommonSNMPRateSet, std::move(sets));
}
