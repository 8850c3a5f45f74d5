// Where a document's bytes land in a word-processor text, and which stretches of it a marker
// shades. A word processor counts a CR LF pair as one paragraph mark and a two-byte character as
// one character, so byte offsets are mapped before spans are handed to any output.
#pragma once

#include "base/Types.h"
#include "model/ProjectData.h"

#include <cstdint>
#include <vector>

namespace corvane::output {

/// The character index of every byte of text, plus one entry for the end of the text, so a span
/// ending at the last byte maps too (size is text.size() + 1). A running counter from 0: an LF
/// takes the counter without advancing it; both bytes of a two-byte character take the counter,
/// which then advances by one; every other byte (CR included) takes it and advances by one.
std::vector<std::int32_t> buildCharIndexMap(SjisView text);

/// A half-open byte span [begin, end) of the text.
struct BytePiece
{
    ByteOffset begin = 0;
    ByteOffset end = 0;
    bool operator==(const BytePiece&) const = default;
};

/// The pieces of the marker span [position, position + length), clamped to the text: cut at each
/// CR inside it, each piece running from the span's start or from the byte after a CR (and its
/// LF) up to the CR or the span's end. Empty pieces are left out, so a paragraph mark is never
/// shaded.
std::vector<BytePiece> markerPieces(SjisView text, ByteOffset position, std::int32_t length);

/// A stretch of text drawn on one background colour.
struct ColourRun
{
    ByteOffset begin = 0;
    ByteOffset end = 0;
    Colour colour = 0; ///< 0x00BBGGRR
    bool operator==(const ColourRun&) const = default;
};

/// The shading of the document named relativePath (Shift-JIS, "\" separated): the pieces of its
/// markers in object-table order, flattened so that where markers overlap the later one's colour
/// shows (a word processor shading them one after another leaves the last colour). Sorted,
/// non-overlapping, never empty runs; one run per stretch that one piece shows through, so
/// adjacent pieces of one colour stay apart.
std::vector<ColourRun> documentShading(const ProjectData& project, SjisView relativePath,
                                       SjisView text);

} // namespace corvane::output
