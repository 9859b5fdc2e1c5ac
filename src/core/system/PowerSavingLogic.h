#pragma once

// Power saving: LED shut-off, port shut-off, port standby and system
// hibernation, each on or off with two time profiles and (but hibernation) a
// port set; on most models two global detection switches as well.

#include "core/kit/SnmpRequests.h"
#include "core/kit/SnmpValue.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace kx::powersaving {

inline const QString kPowerSaving = QStringLiteral("1.3.6.1.4.1.99999.10.75.13.31");
inline const QString kCableLength = Scalar(kPowerSaving + QStringLiteral(".5"));
inline const QString kLinkStatus = Scalar(kPowerSaving + QStringLiteral(".6"));

enum Function
{
    LedShutoff = 1,
    PortShutoff = 2,
    PortStandby = 3,
    SystemHibernation = 4,
};

inline const QString kInvalidPortlist = QStringLiteral("Invalid Portlist");
inline const QString kNotFiber = QStringLiteral("Not support fiber Port.");
inline const QString kNone = QStringLiteral("None");
inline const QString kAllPort = QStringLiteral("All Port");

// Model names compare with runs of blanks collapsed: "KX-E1  R2" is "KX-E1 R2".
bool SameModel(const QString& a, const QString& b);
// The functions the Type box offers, in box order.
QStringList TypeTexts(const QString& model);
// The type code of a Type box position (0 -> 1, 1 -> 2, 2 -> 4, 3 -> 3); 0 outside.
int TypeAt(int position);
int PositionOf(int type);
bool HasGlobalSettings(const QString& model);

// "<base>.<function>.<object>.0"
QString FunctionOid(int type, int object);

// One request: LED shut-off and port shut-off (ports, state, profile 1,
// profile 2), hibernation (state, profiles), then, on the model that reads
// them, port standby and the two global switches.
QStringList ReadOids(const QString& model);

struct Row
{
    int type = 0;
    QString state; // "1" enabled
    QString ports; // a port range text; "All Port" for hibernation
    QString profile1, profile2; // "" for none
    bool enabled() const { return state == QLatin1String("1"); }
};

struct Reading
{
    std::vector<Row> rows;
    std::optional<bool> cableLength, linkStatus;
};
Reading FromAnswer(const GetResult& answer, const QString& model, int portCount);

// "Type", "State", "Time Profile 1 ", "Time Profile 2", "Port ".
QStringList SummaryLine(const Row& row);

struct ApplyInput
{
    int position = 0; // in the Type box
    bool enabled = false;
    QString ports;
    QString profile1, profile2; // as the boxes show them ("None" included)
};

struct ApplyDecision
{
    QString refusal;
    std::vector<SetBinding> bindings;
};
// The Apply's checks and its one set, in the order the device expects.
ApplyDecision DecideApply(const ApplyInput& input, const QString& model, int portCount);

std::vector<SetBinding> GlobalBindings(bool cableLength, bool linkStatus);

} // namespace kx::powersaving
