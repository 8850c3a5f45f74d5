// The encoding of a source file at the import boundary. Documents are Shift-JIS, but most text
// files on Linux are UTF-8 (and some tools write UTF-16, with or without a byte-order mark), so the
// import converts those and takes everything else as Shift-JIS bytes.
#pragma once

#include "base/Types.h"

#include <string>
#include <string_view>

namespace corvane::doclist {

enum class SourceEncoding
{
    ShiftJis, ///< taken as it is
    Utf8,     ///< valid UTF-8 holding at least one non-ASCII character, no byte-order mark
    Utf8Bom,
    Utf16Le,       ///< byte-order mark FF FE
    Utf16Be,       ///< byte-order mark FE FF
    Utf16LeNoMark, ///< no byte-order mark; NUL bytes only at odd offsets
    Utf16BeNoMark, ///< no byte-order mark; NUL bytes only at even offsets
};

/// A byte-order mark decides; else an even number of bytes holding NUL bytes, all at odd offsets
/// or all at even offsets, is UTF-16 (the high byte of ASCII characters such as line breaks is
/// NUL, which Shift-JIS and UTF-8 text never hold); else valid UTF-8 with a non-ASCII character
/// is UTF-8; else Shift-JIS (pure ASCII is the same in both).
SourceEncoding detectSourceEncoding(std::string_view bytes);

/// True when bytes are well-formed UTF-8 (no overlong forms, no surrogates, at most U+10FFFF).
/// hasNonAscii, when given, tells whether any byte was 0x80 or above.
bool isValidUtf8(std::string_view bytes, bool* hasNonAscii = nullptr);

/// A source file's bytes in Shift-JIS by the rule of detectSourceEncoding; a byte-order mark is
/// dropped and a character CP932 cannot hold becomes "〓". Shift-JIS input is returned unchanged.
/// replacedCharacters, when given, receives how many characters became "〓".
SjisString sourceToSjis(std::string_view bytes, std::size_t* replacedCharacters = nullptr);
/// The same, taking the bytes over: Shift-JIS input is moved, not copied.
SjisString takeSourceAsSjis(std::string&& bytes, std::size_t* replacedCharacters = nullptr);

} // namespace corvane::doclist
