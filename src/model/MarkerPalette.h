// The seven marker colours offered by the marker commands, in menu order, as 0x00BBGGRR.
#pragma once

#include "base/Types.h"

#include <array>
#include <cstddef>
#include <optional>

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

/// The colour a new or changed marker gets: one of the palette's seven (in palette order, so an
/// enumerator's value is its palette index), one picked in the colour dialog, or the initial
/// colour MARKER/refDef. The widgets map their colour commands to it.
enum class MarkerColourChoice
{
    Palette1,
    Palette2,
    Palette3,
    Palette4,
    Palette5,
    Palette6,
    Palette7,
    Dialog,
    Initial,
};
static_assert(static_cast<std::size_t>(MarkerColourChoice::Palette7) + 1 == kMarkerPalette.size());

/// The palette colour at index (below kMarkerPalette.size()).
constexpr MarkerColourChoice paletteColourChoice(std::size_t index)
{
    return static_cast<MarkerColourChoice>(index);
}

/// The palette index of a palette choice; nullopt for the dialog and the initial colour.
constexpr std::optional<std::size_t> paletteIndexOf(MarkerColourChoice choice)
{
    const auto index = static_cast<std::size_t>(choice);
    return index < kMarkerPalette.size() ? std::optional<std::size_t>(index) : std::nullopt;
}

} // namespace corvane
