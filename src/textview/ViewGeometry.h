// Where things are in a text view: byte offset to client point and back, the gutter width, and
// the scroll that brings the caret into view. Pure arithmetic over the key table and the
// character widths, so markers, editing and the widgets all agree on one mapping.
#pragma once

#include "base/Types.h"
#include "textview/CharWidthTable.h"
#include "textview/KeyTable.h"

#include <optional>

namespace corvane {

struct ClientPoint
{
    int x = 0;
    int y = 0;
    bool operator==(const ClientPoint&) const = default;
};

/// The numbers that place the text surface in the client area. Client coordinates have their
/// origin at the top left of the view's drawing area.
struct ViewGeometry
{
    int lineHeight = 1;  ///< font height + line spacing; invariant: >= 1
    int lineSpacing = 0; ///< pixels; half of it lies above the character cells
    int leftMargin = 0;
    int topMargin = 0;
    int gutterWidth = 0; ///< 0 while line numbers are hidden
    int clientWidth = 0;
    int clientHeight = 0;
    int firstLine = 0;          ///< first display line shown
    int horizontalPosition = 0; ///< pixels scrolled to the right (0 with word wrap)

    /// Whole display lines that fit below the top margin (truncated).
    int linesPerPage() const;
    /// Display lines at least partly shown (the truncated count plus a cut-off last row).
    int rowsShown() const;
    /// Client x of column 0 of the text (before horizontal scrolling).
    int textLeft() const { return leftMargin + gutterWidth; }
};

/// Digits the gutter is sized for: floor(log10(lineCount)) + 1, or 1 without lines.
int gutterDigits(int lineCount);
/// The text the gutter width is measured on: digits - 1 zeros and an "8" (99 lines: "08").
std::string gutterSample(int lineCount);

/// End of the characters of display line [lineStart, lineEnd): before its CR LF (or a lone CR).
ByteOffset contentEnd(SjisView text, ByteOffset lineStart, ByteOffset lineEnd);

/// The bytes shown: [first visible byte, last visible byte], the start of the first shown line
/// and the end of the last shown one.
struct VisibleBytes
{
    ByteOffset first = 0;
    ByteOffset last = 0;
    int lastRow = -1; ///< display line of the last shown row, -1 when nothing is shown
};
VisibleBytes visibleBytes(const KeyTable& keys, const ViewGeometry& g);

/// Client point of the character at byteOffset: x at its left edge, y at the bottom edge of its
/// display line. nullopt when the offset lies outside the shown bytes. An offset at the boundary
/// of two display lines belongs to the later line, except past the last shown row.
std::optional<ClientPoint> positionToPoint(ByteOffset byteOffset, SjisView text,
                                           const KeyTable& keys, CharWidthTable& widths,
                                           const ViewGeometry& g);

/// Byte offset at a client point. The first character of the display line owns the first half of
/// its cell and gives the line start; after that each character boundary owns the points nearer
/// to it than to any other: from the middle of the character before it to the middle of the
/// character after it, and gives the offset of that boundary. The right half of the last
/// character, points left of the text, above the top margin and below the last line give none.
std::optional<ByteOffset> pointToOffset(int x, int y, SjisView text, const KeyTable& keys,
                                        CharWidthTable& widths, const ViewGeometry& g);

/// Scroll positions after making the caret's display line visible and, without word wrap,
/// scrolling horizontally so the caret stays 80 pixels (+ gutter) inside the left edge and 80
/// pixels inside the right edge, within 0 ... horizontalRange.
struct ScrollPosition
{
    int firstLine = 0;
    int horizontalPosition = 0;
    bool operator==(const ScrollPosition&) const = default;
};
ScrollPosition scrollToCaret(ByteOffset caret, SjisView text, const KeyTable& keys,
                             CharWidthTable& widths, const ViewGeometry& g, bool wordWrap,
                             int horizontalRange);

/// Pixel width of the characters in [from, to) of one display line.
int widthOfBytes(SjisView text, ByteOffset from, ByteOffset to, CharWidthTable& widths);

} // namespace corvane
