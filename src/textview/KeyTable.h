// The key table: where each display line of a document starts, in bytes. Built by the layout
// pass from the whole text and the character widths; everything that maps between byte offsets
// and lines on screen (drawing, caret, hit tests, scrolling) reads it.
#pragma once

#include "base/Types.h"
#include "textview/CharWidthTable.h"

#include <vector>

namespace corvane {

/// Break width E for the layout pass from the break width input A (pixels) and the system width S
/// of a vertical scroll bar: with word wrap E = A - S - 20; without it the view passes A = 3000 and
/// E = A - 3 S, so even unwrapped lines are cut at 3000 - 3 S pixels.
int breakWidthFor(int breakInputA, int scrollBarWidthS, bool wordWrap);

class KeyTable
{
public:
    KeyTable();

    /// Rebuilds the table for text with break width breakWidthE. A logical line (up to and
    /// including its CR LF) narrower than E is one display line; a wider one is cut after the
    /// last character that keeps the piece within E, except that the line's last character never
    /// starts a display line of its own. A CR ends a line; the LF after it belongs to that line.
    void build(SjisView text, CharWidthTable& widths, int breakWidthE);

    /// Brings the table up to date after one edit of the text it was built for, without a whole
    /// rebuild: removedBytes (the bytes that were there) were replaced at byte offset at by
    /// insertedByteCount bytes, and text is the text after the edit. Lays out again from the
    /// logical line before the edit point up to the first logical line start past the edit whose
    /// local bytes are unchanged, and shifts the keys after it. The result equals build(text) for
    /// the same widths and break width, except that widestLine() only grows until the next build.
    void update(SjisView text, CharWidthTable& widths, int breakWidthE, ByteOffset at,
                SjisView removedBytes, std::int32_t insertedByteCount);

    /// Number of display lines; 0 for an empty text.
    int lineCount() const { return static_cast<int>(keys_.size()) - 1; }
    /// Byte offset where display line i starts; lineStart(lineCount()) is the text length.
    ByteOffset lineStart(int line) const { return keys_[static_cast<std::size_t>(line)]; }
    ByteOffset lineEnd(int line) const { return keys_[static_cast<std::size_t>(line) + 1]; }
    /// The display line holding byteOffset: the last line whose start is <= byteOffset; the text
    /// length belongs to the last line. -1 when there are no lines or the offset is negative.
    int lineOfByte(ByteOffset byteOffset) const;
    /// Pixel width of the widest logical line seen by the last build.
    int widestLine() const { return widestLine_; }
    /// Number of logical lines (CR-terminated, plus a final unterminated one) of the last build.
    int logicalLineCount() const { return logicalLines_; }

    const std::vector<ByteOffset>& keys() const { return keys_; }

    /// True when the invariants below hold for text (tests call it after every build).
    bool isConsistent(SjisView text) const;

private:
    /// Appends the display-line ends of the logical line starting at byte pos (a line start) and
    /// returns the start of the next logical line (the text size at the end).
    std::size_t layoutLogicalLine(SjisView text, std::size_t pos, CharWidthTable& widths,
                                  int breakWidthE, std::vector<ByteOffset>& out);

    /// invariant: keys_[0] == 0, strictly increasing, back() == text length; one entry for an
    /// empty text (no display lines).
    std::vector<ByteOffset> keys_;
    int widestLine_ = 0;
    int logicalLines_ = 0; ///< invariant: countLogicalLines(text) for the text last laid out
};

/// Number of logical lines of text (each CR ends one; a final piece without CR is one more).
/// A fast count used to size the gutter before the first layout.
int countLogicalLines(SjisView text);

} // namespace corvane
