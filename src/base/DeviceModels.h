#pragma once

#include <QString>

// Model-specific behaviour is keyed by the model name (DeviceName of User.ini).
namespace kx {

// Whether the model delivers Power over Ethernet: its name carries "p" or "P",
// or it is one of the models whose front panel draws a PoE budget lamp. The
// KX-A1 R2 is an 8-port PoE switch although its name has no "p"; asking only
// for the letter would drop its PoE port dialog and LLDP entries and never poll
// its power budget. Every "is this a PoE model" decision asks here.
bool IsPoeModel(const QString& deviceName);

// The models whose panel draws the power lamp at (35, 64) and the PoE budget
// lamp at (38, 89).
bool IsA1Model(const QString& deviceName);

// The model whose panel draws its power, mode, PoE budget and fan lamps itself.
bool IsC1Model(const QString& deviceName);

} // namespace kx
