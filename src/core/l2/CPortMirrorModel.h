#pragma once

// "PortMirroringConfiguration" without its widgets: the four objects, how the
// record reads into per-port sniffer modes, Apply's refusals in their order and
// its write sequence.

#include "core/kit/CFeatureModel.h"
#include "core/kit/SnmpRequests.h"
#include "core/kit/SnmpValue.h"
#include "core/kit/TrunkMembership.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace kx::l2 {

inline const QString kMirrorState = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.18.1.0");
inline const QString kMirrorTarget = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.18.2.0");
inline const QString kMirrorRxPorts = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.18.3.0");
inline const QString kMirrorTxPorts = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.18.4.0");

// The radio columns, left to right; the values also serve the agreement check,
// where None (0) is a port left alone.
enum class SnifferMode
{
    None = 0,
    TX = 1,
    RX = 2,
    Both = 3,
};
// Column c (0 TX, 1 RX, 2 Both, 3 None) and its title.
inline const QStringList kSnifferColumnTitles = {QStringLiteral("TX"), QStringLiteral("RX"), QStringLiteral("Both"),
                                                 QStringLiteral("None")};
SnifferMode SnifferModeOfColumn(int column);
int ColumnOfSnifferMode(SnifferMode mode);
// The first control number of each column; one a port upward.
constexpr int kSnifferFirstId[4] = {8001, 8101, 8201, 8301};

struct MirrorRecord
{
    QString state;
    QString target;
    std::vector<SnifferMode> modes; // port 1 first
};

QStringList MirrorOids();
// The record's texts as they travel: state, target, and the receive and
// transmit lists as hexadecimal text.
QStringList MirrorRecordTexts(const GetResult& answer);
// The texts as the dialog shows them: per port both lists = Both, receive only
// = RX, transmit only = TX, neither = None.
MirrorRecord ReadMirrorRecord(const QStringList& texts, int portCount);

struct MirrorDecision
{
    QString refusal;
    bool refreshAfterRefusal = false;
    // Each one set, in order.
    std::vector<std::vector<SetBinding>> sets;
};

// Apply. With mirroring enabled: the target port in no aggregated link, one
// source port at least, every aggregated link whole in one mode; then, when it
// was enabled before, both lists emptied first, the target, the lists, and the
// state last. Disabled writes only the state.
MirrorDecision DecideMirror(bool enabled, int targetPort, const std::vector<SnifferMode>& modes,
                            const QString& lastState, const TrunkMembership& groups, int portCount);

} // namespace kx::l2

// The mirroring feature object: the record comes from one get on the base's
// first session, the aggregation groups from the base's walk, the sets go out
// on a session of its own.
class CPortMirrorModel : public CFeatureModel
{
    Q_OBJECT

public:
    explicit CPortMirrorModel(int portCount, QObject* parent = nullptr);

    // The aggregation groups, and recordArrived() with MirrorRecordTexts().
    kx::ReadPlan Refresh();
    // The steps' sets in order (the base's SetSequence()).
    std::function<int()> Write(std::vector<std::vector<kx::SetBinding>> sets) const;

private:
    std::shared_ptr<CCommonSNMP> m_cCommonSNMPMirrorSet = AddSession(QStringLiteral("m_cCommonSNMPMirrorSet"));
};
