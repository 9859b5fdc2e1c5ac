#pragma once

// "Port Configuration" without its widgets: the port walk and how each row
// reads, the per-port facts Apply decides on, and Apply's refusals, questions
// and bindings in their order. CPortSettingDlg moves values between its
// controls and these.

#include "core/kit/SnmpRequests.h"
#include "core/kit/SnmpValue.h"
#include "core/kit/TrunkMembership.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace kx::l2 {

inline const QString kPortControlSpeed = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.1.13.1.2");
inline const QString kPortOperMode = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.1.13.1.3");
inline const QString kPortFlowControl = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.1.13.1.5");
inline const QString kPortOperFlowControl = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.1.13.1.6");
inline const QString kPortType = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.1.13.1.7");
inline const QString kPortDefaultPriority = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.12.3.1.1.2");

// The first step of the port walk waits this long; the set of Apply this long.
constexpr int kPortWalkTimeoutMs = 6000;
constexpr int kPortSetTimeoutMs = 7000;

// The speed combo's entries; entry i writes i + 1.
inline const QStringList kSpeedComboTexts = {
    QStringLiteral("1000M-Full"), QStringLiteral("100M-Full"), QStringLiteral("100M-Half"),
    QStringLiteral("10M-Full"),   QStringLiteral("10M-Half"),  QStringLiteral("Auto"),
    QStringLiteral("Disable")};
// How the list shows the same settings, in the same order.
inline const QStringList kSpeedCellTexts = {
    QStringLiteral("1000MFull"), QStringLiteral("100MFull"), QStringLiteral("100MHalf"),
    QStringLiteral("10MFull"),   QStringLiteral("10MHalf"),  QStringLiteral("Auto"),
    QStringLiteral("Disable")};
inline const QStringList kFlowComboTexts = {QStringLiteral("Enable"), QStringLiteral("Disable")};

enum SpeedEntry
{
    Speed1000Full,
    Speed100Full,
    Speed100Half,
    Speed10Full,
    Speed10Half,
    SpeedAuto,
    SpeedDisable,
};

enum PortType
{
    CopperWithout1000M = 1,
    CopperGigabit = 2,
    Fibre100BaseX = 3,
    Fibre1000BaseX = 4,
};

// The six columns walked together, in the order the row's values come.
QStringList PortWalkColumns();
// Ports at the end of the panel whose medium the list names.
int CombinationPortCount(int portCount);

QString SpeedSettingText(int value);
QString OperModeText(int value);

// The ports as the list shows them. Each row is placed at the port its instance
// names: a device that leaves a row out or answers out of order does not move
// the others. Rows outside 1..N are listed, but nothing is kept for them.
class PortSettingsTable
{
public:
    PortSettingsTable(int portCount, bool allGiga);

    // Before a walk: nothing is listed.
    void clear();
    // One answered row: the six texts of its list line (its Index first).
    QStringList addRow(const WalkRow& row);

    int portCount() const { return m_portCount; }
    // What the list shows in PortControlSpeed for the port, "" when no row named it.
    QString speedText(int port) const;
    // The port's type, 0 until a row named it.
    int type(int port) const;

private:
    int m_portCount;
    bool m_allGiga;
    std::vector<QString> m_speed;
    std::vector<int> m_type;
};

inline const QString kForceModeQuestion =
    QStringLiteral("The speed is set to force mode. \n* The speed mode must be the same as the counterpart. ");
inline const QString kFlowControlQuestion = QStringLiteral(
    "QoS works best when Flow Control is disabled. \n* When Flow Control is enabled.QoS may not perform "
    "accurate bandwidth allocation. \n* Do you still want to enable Flow Control?. ");

struct PortApplyRequest
{
    QString portText; // the "Port ID:" text
    int port = 0;     // the port of the row last clicked
    int speedEntry = -1;
    bool flowEnable = false;
};

// What Apply does: refuse, do nothing (a port the device has not), or ask
// the questions in order and then write the bindings.
struct PortApplyDecision
{
    QString refusal;
    bool writes = false;
    bool askForceMode = false;
    bool askFlowControl = false;
    std::vector<SetBinding> bindings;
};
PortApplyDecision DecidePortApply(const PortApplyRequest& request, const PortSettingsTable& ports,
                                  const TrunkMembership& trunks, bool allGiga);

} // namespace kx::l2
