#pragma once

// "BandWidth Control" without its widgets: the per-port rate table, how a row
// reads, what Apply refuses and the sets it makes. The feature object walks the
// table and writes the rates; the dialog moves values between its controls and
// these functions.

#include "core/kit/CFeatureModel.h"
#include "core/kit/SnmpRequests.h"
#include "core/kit/SnmpValue.h"
#include "core/kit/TrunkMembership.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

namespace kx::l2 {

inline const QString kBandwidthPort = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.13.1.2.1.1");
inline const QString kBandwidthTxRate = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.13.1.2.1.2");
inline const QString kBandwidthRxRate = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.13.1.2.1.3");

// Kbit/s: the device keeps rates in steps of the resolution.
constexpr int kRateResolution = 63;
constexpr int kMinRate = 63;
constexpr int kMaxRate = 100000;

// The "Type" combo's entries, in this order.
enum class RateDirection
{
    Rx,
    Tx,
    Both,
};
inline const QStringList kRateDirectionTexts = {QStringLiteral("Rx"), QStringLiteral("Tx"), QStringLiteral("Both")};
// The "No Limit" combo's entries, in this order.
inline const QStringList kNoLimitTexts = {QStringLiteral("Enabled"), QStringLiteral("Disabled")};

QString RateRangeLabel();     // "Rate(63-100000)"
QString ResolutionNote();     // the note under the rate
QString SmallerToPortMessage();

// A rate row of the list: port, transmit, receive; a rate of "0" reads "No Limit".
QStringList BandwidthListRow(const WalkRow& row);

struct BandwidthRequest
{
    int fromPort = 1;
    int toPort = 1;
    RateDirection direction = RateDirection::Rx;
    bool noLimit = false;
    QString rateText; // as typed
};

struct BandwidthDecision
{
    QString refusal;
    bool rateRefused = false; // the refusal is about the rate edit
    // One set a port, From to To.
    std::vector<std::vector<SetBinding>> sets;
};

// Apply's checks in their order (the rate, then aggregated ports in the range)
// and its sets.
BandwidthDecision DecideBandwidth(const BandwidthRequest& request, const TrunkMembership& groups);

} // namespace kx::l2

// The bandwidth feature object: its own walk and set sessions beside the base's
// (whose third walks the aggregation groups).
class CBandwidthModel : public CFeatureModel
{
    Q_OBJECT

public:
    explicit CBandwidthModel(int portCount, QObject* parent = nullptr);

    // The rate table for the dialog's read: rowArrived() with the list texts.
    kx::ReadPlan Refresh();
    // One set a port, in order (the base's SetSequence()).
    std::function<int()> WriteRates(std::vector<std::vector<kx::SetBinding>> sets) const;

private:
    std::shared_ptr<CCommonSNMP> m_cCommonSNMPWalk = AddSession(QStringLiteral("m_cCommonSNMPWalk"));
    std::shared_ptr<CCommonSNMP> m_cCommonSNMPRateSet = AddSession(QStringLiteral("m_cCommonSNMPRateSet"));
};
