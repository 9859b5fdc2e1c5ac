#pragma once

// The rules of "PoE Global Settings" and "PoE Configuration": what they read,
// how the device's answers show, what Apply refuses and what it writes. The
// model name and port count come in as arguments.

#include "core/kit/SnmpRequests.h"
#include "core/kit/SnmpValue.h"
#include "core/poe/TimeProfiles.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <vector>

namespace kx::poe {

inline const QString kPoeArc = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.22");
inline const QString kPoePortTable = kPoeArc + QStringLiteral(".1.1");
inline const QString kPoeThreshold = kPoeArc + QStringLiteral(".2.0");
inline const QString kPoeSequence = kPoeArc + QStringLiteral(".3.0");

// The device's figures are decimal text ("62.0") whatever the desktop's locale:
// the leading number as the C library's decimal conversion reads it in the "C"
// locale, 0 for text that does not start with one.
double DecimalValue(const QString& text);

// ---------------------------------------------------------------- global settings

// The six objects the global dialog reads, each with its own get, in this order.
enum GlobalField
{
    Threshold,
    Sequence,
    Budget,
    Used,
    Left,
    Percent,
    GlobalFieldCount
};
QString GlobalOid(int field);

inline const QStringList kSequenceTexts = {QStringLiteral("DenyNextPort"), QStringLiteral("DenyLowPriorityPort")};

// The model bounds the threshold: the one 8-port model draws less than the others.
QString ThresholdLabel(const QString& model);
QString ThresholdRefusal(const QString& model);
bool ThresholdInRange(const QString& text, const QString& model);

// What the dialog keeps of the six objects, as the device sent them.
class PoeGlobalValues
{
public:
    // One get's answer: the text to show now, or nothing when the field stays
    // as it was (an answer whose value cannot be read). No answer at all
    // stores and shows empty text.
    std::optional<QString> fold(int field, const GetResult& answer);
    const QString& text(int field) const { return m_texts[static_cast<std::size_t>(field)]; }
    // The sequence list's position for the stored text: value - 1 (-1: none).
    int sequencePosition() const;

private:
    std::array<QString, GlobalFieldCount> m_texts;
};

// The requests of one Apply, in the order they go out. Every check runs before
// anything is sent, so that a refusal leaves the device as it was.
struct GlobalApply
{
    QString refusal;                              // shown; nothing is sent
    std::vector<std::vector<SetBinding>> requests; // empty: nothing changed
};
GlobalApply PlanGlobalApply(const PoeGlobalValues& stored, int sequencePosition, const QString& threshold,
                            const QString& model);
inline const QString kGlobalSetDone = QStringLiteral("Set succeed,Please Wait for a moment");
inline const QString kGlobalNoChange = QStringLiteral("Check the data you input");
inline constexpr int kGlobalTimeoutMs = 5000;
inline constexpr int kGlobalFirstReadDelayMs = 3000;

// ---------------------------------------------------------------- per-port settings

inline const QStringList kStateTexts = {QStringLiteral("Enable"), QStringLiteral("Disable")};
inline const QStringList kPriorityTexts = {QStringLiteral("Low"), QStringLiteral("Normal"), QStringLiteral("High")};
inline const QStringList kLimitTexts = {QStringLiteral("Auto"), QStringLiteral("Class 1"), QStringLiteral("Class 2"),
                                        QStringLiteral("Class 3"), QStringLiteral("Class 4")};
inline const QString kNoTimeRange = QStringLiteral("N/A");

// The port walk's columns, in the order one get-next request carries them.
QStringList PortWalkColumns();

// The per-port table as the walk left it: a row belongs to the port its
// instance ("1.<port>") names, whatever the answer order; other rows are dropped.
class PoePortTable
{
public:
    explicit PoePortTable(int portCount) : m_portCount(portCount) {}
    void clear() { m_rows.clear(); }
    // The port of a walked row, 0 when it names none of 1..N.
    int portOf(const WalkRow& row) const;
    // The list line of a walked row (Index is its port); empty when dropped.
    QStringList fold(const WalkRow& row, const TimeRangeList& ranges);
    // The port and state of the line at list position `row` (0 when none).
    int portAt(int row) const;
    bool enabledAt(int row) const;

private:
    struct Row
    {
        int port;
        bool enabled;
    };
    int m_portCount;
    std::vector<Row> m_rows;
};

// What the port dialog's fields hold when Apply is pressed.
struct PortSettings
{
    bool enable = true;
    int timeRange = 0;     // identifier, 0 = "N/A"
    int priority = 2;      // 1..3
    int limitClass = 1;    // 1..5
    bool userDefine = false;
    QString userLimit;     // as typed
};

// The refusal of a user-defined limit (range first, then the 0.2 W step), or "".
QString CheckUserLimit(const QString& text);
// The bindings of one port's set. A disabled port carries no time range, normal
// priority and (without a user limit) the automatic class, whatever is chosen.
std::vector<SetBinding> PortBindings(int port, const PortSettings& settings);
inline constexpr int kPortSetTimeoutMs = 20000;
inline constexpr int kPortSetPauseMs = 300;

// The sets of ports `from`..`to`, in ascending order, each waiting for the
// previous answer and the pause. Runs on a write sequence's thread.
void SendPortSettings(CCommonSNMP& session, int from, int to, const PortSettings& settings);

} // namespace kx::poe
