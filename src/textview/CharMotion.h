// Character-level walks over a document's text for the caret, the selection and the keys that
// delete: a two-byte character and a CR LF are one step each; the caret never stops inside a
// two-byte character or between a CR and its LF. Also the word selection of a Ctrl+click.
//
// Offsets are byte offsets into the whole text; text.size() (after the last character) is a
// valid caret position.
#pragma once

#include "base/Types.h"

#include <optional>

namespace corvane::motion {

/// Byte range [begin, end) of a selection or of the bytes a key deletes.
struct ByteRange
{
    ByteOffset begin = 0;
    ByteOffset end = 0;
    bool empty() const { return end <= begin; }
};

/// True when a caret may stand at byteOffset: 0 <= byteOffset <= size, not on the trail byte of
/// a two-byte character, not on the LF of a CR LF.
bool isCaretPosition(SjisView text, ByteOffset byteOffset);

/// The caret position one step right of byteOffset (clamped to the end of the text).
ByteOffset nextCaretPosition(SjisView text, ByteOffset byteOffset);
/// The caret position one step left of byteOffset (0 at the start).
ByteOffset previousCaretPosition(SjisView text, ByteOffset byteOffset);
/// The nearest caret position at or before byteOffset, for offsets that came from elsewhere
/// (a stale record, a click): clamped into the text, moved off a trail byte or an LF of CR LF.
ByteOffset snapToCaretPosition(SjisView text, ByteOffset byteOffset);

/// Bytes the Delete key removes at the caret: the character there, both bytes of a CR LF, the
/// last character of the text too; empty at the end of the text.
ByteRange deleteForwardRange(SjisView text, ByteOffset caret);
/// Bytes Backspace removes before the caret: the character before it, both bytes of a CR LF
/// (only a CR followed by LF is taken as a pair); empty at offset 0.
ByteRange backspaceRange(SjisView text, ByteOffset caret);

/// Character class of the word selection. One-byte: 1 ASCII letters and "-", 2 digits, 0 the
/// rest. Two-byte by code: 1 katakana (0x8340-0x8396 except 0x837F), 2 hiragana
/// (0x829F-0x82F1), 3 symbols (0x8141-0x81AC except 0x817F), 0 the rest (kanji and others).
int wordClass(SjisView text, ByteOffset byteOffset);

/// The word of a Ctrl+click at byteOffset: the run of characters of the same width and class
/// around it, stopped by a delimiter (":", ")", " ", "(", ";", "?", "<", ">", ",", ".", "　",
/// "、", "。"), a line end, a character of the other width or the ends of the text. A one-byte
/// word hyphenated across a line end ("-" then CR LF) is taken whole. nullopt when there is no
/// character at byteOffset or it is a delimiter or a line end: the click is then a plain click.
std::optional<ByteRange> wordAt(SjisView text, ByteOffset byteOffset);

} // namespace corvane::motion
