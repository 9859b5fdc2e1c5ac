#include "core/l2/CStormControlModel.h"

#include "base/TextNumber.h"

namespace kx::l2 {

int StormUnit(const QString& deviceName)
{
    return deviceName == QLatin1String("KX-C1 R2") || deviceName == QLatin1String("KX-A1 R2") ? 63 : 64;
}

QString StormUnitLabel(int unit)
{
    return QStringLiteral("%1Kbps  ").arg(unit);
}

StormDisplay ShowStorm(const StormValues& record, int unit)
{
    StormDisplay shown;
    shown.enabled = record.state == QLatin1String("1");
    const int type = LeadingDecimal(record.type);
    shown.typeIndex = type >= 1 && type <= kStormTypeTexts.size() ? type - 1 : -1;
    shown.threshold = record.threshold;
    shown.n = record.threshold == QLatin1String("0") || unit <= 0
                  ? QStringLiteral("0")
                  : QString::number(LeadingDecimal(record.threshold) / unit);
    return shown;
}

QString StormResultText(const QString& nText, int unit)
{
    if (nText.isEmpty())
        return {};
    return QString::number(static_cast<qint64>(unit) * LeadingDecimal(nText));
}

StormDecision DecideStorm(const StormValues& lastRead, bool ticked, int typeIndex, const QString& nText, int unit)
{
    StormDecision decision;
    const int n = LeadingDecimal(nText);
    if (n < kMinStormN || n > kMaxStormN) {
        decision.refusal = QStringLiteral("Invalid input of N ( input range must between 1~16000)");
        return decision;
    }
    const StormValues chosen{ticked ? QStringLiteral("1") : QStringLiteral("2"),
                             typeIndex >= 0 ? QString::number(typeIndex + 1) : lastRead.type,
                             QString::number(unit * n)};
    const bool stateChanged = chosen.state != lastRead.state;
    if (stateChanged)
        decision.bindings.push_back(SetBinding::Integer(kStormState, chosen.state));
    // Type and threshold only matter to a filter that is (or becomes) on.
    if (chosen.state != QLatin1String("1"))
        return decision;
    if (chosen.type != lastRead.type)
        decision.bindings.push_back(SetBinding::Integer(kStormType, chosen.type));
    if (chosen.threshold != lastRead.threshold)
        decision.bindings.push_back(SetBinding::Integer(kStormThreshold, chosen.threshold));
    return decision;
}

} // namespace kx::l2

CStormControlModel::CStormControlModel(int portCount, QObject* parent) : CFeatureModel(portCount, parent) {}

kx::ReadPlan CStormControlModel::Refresh()
{
    return RecordRead(m_cCommonSNMP, {kx::l2::kStormState, kx::l2::kStormType, kx::l2::kStormThreshold});
}
