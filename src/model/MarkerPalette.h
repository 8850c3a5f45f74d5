// The seven marker colours offered by the marker commands, in menu order, as 0x00BBGGRR.
#pragma once

#include "base/Types.h"

#include <array>

namespace corvane {

inline constexpr std::array<Colour, 7> kMarkerPalette = {
    0xC9AEFF, // light pink
    0x0EAEFF, // light orange
    0xB0E4EF, // light yellow
    0x1DE6B5, // light green
    0xEAD999, // light cyan
    0xBE9270, // light navy
    0xE7BFC8, // light violet
};

/// The palette's labels in the user interface (UTF-8), in the same order.
inline constexpr std::array<const char*, 7> kMarkerPaletteLabels = {
    "薄桃色(LightPink)", "薄橙色(LightOrange)", "薄黄色(LightYellow)", "薄緑色(LightGreen)",
    "薄水色(LightCyan)", "薄紺色(LightNavy)",   "薄紫色(LightViolet)",
};

/// Colour choices of add marker besides the palette indexes 0-6.
inline constexpr int kColourChoiceDialog = 9; ///< ask the colour dialog
inline constexpr int kColourChoiceInitial =
    -1; ///< the initial colour (MARKER/refDef); any other value works too

} // namespace corvane
