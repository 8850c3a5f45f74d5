// Conversion between code page 932 (Shift-JIS) and Unicode, at the user interface and file-system
// boundaries only. The mapping is glibc's iconv "CP932", captured once into two lookup tables at
// first use, so converting is a table walk and never depends on the GUI toolkit's own decoder.
#pragma once

#include "base/Types.h"

#include <string>
#include <string_view>
#include <vector>

namespace corvane::codec {

/// U+FFFD: what an invalid or unmapped Shift-JIS sequence decodes to.
inline constexpr char32_t kReplacementChar = 0xFFFD;
/// "〓" (0x81 0xAC): what a character that CP932 cannot hold is encoded as.
inline constexpr std::string_view kGetaMarkSjis = "\x81\xAC";

/// Code point of the single-byte character b (ASCII, or half-width katakana 0xA1-0xDF);
/// kReplacementChar for a lead byte or a byte CP932 does not assign (0x80, 0xA0, 0xFD-0xFF).
char32_t decodeChar(unsigned char b);

/// Code point of the two-byte character lead, trail; kReplacementChar when the pair is not a
/// CP932 character (bad trail byte, unassigned code). The text view draws with this one character
/// at a time, stepping by the rules of Sjis.h.
char32_t decodeChar(unsigned char lead, unsigned char trail);

/// Result of a decode: the text, and whether every byte was part of a valid character.
template <typename Text> struct Decoded
{
    Text text;
    bool valid = true; ///< false when at least one U+FFFD was produced for bad input
};

/// Shift-JIS to UTF-8. A lead byte followed by a byte outside the trail range gives U+FFFD for the
/// lead byte alone and the next byte is decoded on its own (so a stray lead byte never swallows a
/// line break); a lead byte at the end gives U+FFFD; an unassigned pair gives one U+FFFD.
Decoded<std::string> toUtf8(SjisView sjis);
/// As toUtf8, to UTF-16 (every CP932 character is in the Basic Multilingual Plane).
Decoded<std::u16string> toUtf16(SjisView sjis);

/// Result of an encode: the Shift-JIS text, and the characters that CP932 cannot hold, each of
/// which was written as "〓". Malformed input (bad UTF-8, lone surrogate) is reported as U+FFFD.
struct Encoded
{
    SjisString text;
    std::vector<char32_t> unrepresentable; ///< in order of appearance, repeats kept
    bool complete() const { return unrepresentable.empty(); }
};

/// UTF-8 to Shift-JIS. Besides CP932's own mapping it accepts the JIS-style code points that other
/// converters produce for the same characters (U+301C wave dash -> 0x8160, U+2016, U+2212, U+00A2,
/// U+00A3, U+00AC, U+2014), so text from such sources does not turn into "〓".
Encoded fromUtf8(std::string_view utf8);
/// UTF-16 to Shift-JIS, with the same rules.
Encoded fromUtf16(std::u16string_view utf16);

/// Appends code point cp as UTF-8 (invalid code points as U+FFFD).
void appendUtf8(std::string& out, char32_t cp);

} // namespace corvane::codec
