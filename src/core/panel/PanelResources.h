#pragma once

// The program's own pictures, by resource id. They are installation data: the
// build draws them (resources/kxpaint) into a folder "res" beside the program,
// one file per id, named "<id>.bmp" for bitmaps and "<id>.png" (plus
// "<id>_<size>.png" for small sizes) for the application icon.

#include <QIcon>
#include <QString>
#include <array>

namespace kx::res {

// Lamp bitmaps the panel draws itself.
inline constexpr int kC1PowerLamp = 158;        // green power lamp
inline constexpr int kC1ModeLampOn = 215;       // green mode lamp
inline constexpr int kC1PoeBudgetLamp = 216;    // red lamp
inline constexpr int kC1FanFaultLamp = 219;     // red lamp
inline constexpr int kC1ModeLampOff = 225;      // dark mode lamp
inline constexpr int kPortLampOff = 227;        // dark port lamp
inline constexpr int kPortLampOn = 228;         // green port lamp
inline constexpr int kPortLampFault = 229;      // amber port lamp (PoE fault)
inline constexpr int kA1PoeBudgetLampOn = 232;  // red round lamp
inline constexpr int kA1PowerLamp = 234;        // green power lamp
inline constexpr int kA1PoeBudgetLampOff = 237; // dark round lamp

// Where the KX-A1 models' panel draws its power and PoE budget lamps.
inline constexpr int kA1PowerLampLeft = 35;
inline constexpr int kA1PowerLampTop = 64;
inline constexpr int kA1PoeBudgetLampLeft = 38;
inline constexpr int kA1PoeBudgetLampTop = 89;

// Every bitmap the panel loads into its cache, in the order it loads them.
inline constexpr std::array<int, 19> kPanelBitmapIds = {
    160, 159, 161, 162, 158, 163, 164, 190, 191, 215, 216, 219, 225, 232, 229, 228, 227, 234, 237};

// The application icon.
inline constexpr int kApplicationIcon = 447;
// Sizes drawn apart from the large picture, which is kApplicationIconSize square.
inline constexpr std::array<int, 3> kApplicationIconSmallSizes = {16, 32, 48};
inline constexpr int kApplicationIconSize = 256;

} // namespace kx::res

namespace kx {

// The folder "res" in the program's directory (or in the current directory
// before the application object exists).
QString ResourceDirectory();

// "<directory>/<id>.bmp".
QString BitmapResourcePath(const QString& directory, int id);

// The application icon from the resource folder, in every size drawn for it;
// a null icon when none was found.
QIcon ApplicationIcon(const QString& directory = ResourceDirectory());

} // namespace kx
