// Shared value types of the whole system: byte offsets, colours, object IDs and Shift-JIS text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace corvane {

/// A 0-based position in a document's Shift-JIS text, in bytes. Matches the int32 of the records.
using ByteOffset = std::int32_t;

/// A colour as the records store it: 0x00BBGGRR.
using Colour = std::uint32_t;

/// Unique over all objects of a project; never 0 for a live object.
using ObjectId = std::int32_t;

/// Text in code page 932 (Shift-JIS) bytes. Every stored string, path and name is one of these;
/// conversion to UTF-8 or UTF-16 happens only at the user interface and file-system boundaries.
using SjisString = std::string;
using SjisView = std::string_view;

constexpr Colour rgbColour(unsigned r, unsigned g, unsigned b)
{
    return Colour(r & 0xFF) | (Colour(g & 0xFF) << 8) | (Colour(b & 0xFF) << 16);
}
constexpr unsigned colourRed(Colour c)
{
    return c & 0xFF;
}
constexpr unsigned colourGreen(Colour c)
{
    return (c >> 8) & 0xFF;
}
constexpr unsigned colourBlue(Colour c)
{
    return (c >> 16) & 0xFF;
}

} // namespace corvane
