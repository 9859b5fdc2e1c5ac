#pragma once

// "Storm Control" without its widgets: the three device-wide objects, the
// threshold unit of the model, how the record shows, and what Apply writes of
// what the user changed.

#include "core/kit/CFeatureModel.h"
#include "core/kit/SnmpRequests.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace kx::l2 {

inline const QString kStormState = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.13.3.1.0");
inline const QString kStormType = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.13.3.2.0");
inline const QString kStormThreshold = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.13.3.3.0");

// The type combo's entries: position + 1 is the value.
inline const QStringList kStormTypeTexts = {QStringLiteral("Broadcast Only"),
                                            QStringLiteral("Multicast & Broadcast"),
                                            QStringLiteral("Multicast & Broadcast & Unknown Unicast")};
constexpr int kMinStormN = 1;
constexpr int kMaxStormN = 16000;

// Kbit/s of one threshold step: 63 on the KX-A1 R2 and KX-C1 R2, 64 elsewhere.
int StormUnit(const QString& deviceName);
QString StormUnitLabel(int unit); // "63Kbps  "

// The texts of the three objects: last read, or chosen.
struct StormValues
{
    QString state;
    QString type;
    QString threshold;
};

// What the controls show for a record.
struct StormDisplay
{
    bool enabled = false;
    int typeIndex = -1; // no choice for a value outside 1..3
    QString threshold;
    QString n;
};
StormDisplay ShowStorm(const StormValues& record, int unit);

// unit x N while typing, empty when N is.
QString StormResultText(const QString& nText, int unit);

struct StormDecision
{
    QString refusal;
    std::vector<SetBinding> bindings; // one set; empty: nothing to write
};

// Apply: N within its range, then only what changed against `lastRead`. A type
// position of -1 (the user chose none) leaves the type as it was read.
StormDecision DecideStorm(const StormValues& lastRead, bool ticked, int typeIndex, const QString& nText, int unit);

} // namespace kx::l2

// The storm control feature object: the record of the three objects comes from
// one get on the base's first session, and so does the one set of Apply.
class CStormControlModel : public CFeatureModel
{
    Q_OBJECT

public:
    explicit CStormControlModel(int portCount, QObject* parent = nullptr);

    // recordArrived() with state, type and threshold.
    kx::ReadPlan Refresh();
};
