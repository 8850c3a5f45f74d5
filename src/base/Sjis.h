// Shift-JIS (code page 932) character rules. Every byte-level walk over stored text goes through
// these functions so that a two-byte character is never split and its trail byte is never taken
// for an ASCII character ("\" 0x5C and "|" 0x7C are valid trail bytes).
#pragma once

#include "base/Types.h"

#include <cstddef>

namespace corvane::sjis {

/// A byte in 0x81-0x9F or 0xE0-0xFE starts a two-byte character.
constexpr bool isLeadByte(unsigned char b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFE);
}

/// Bytes taken by the character starting at byteIndex: 2 for a lead byte followed by another
/// byte, else 1 (a lead byte at the very end counts as one byte so that walks always progress).
std::size_t charLength(SjisView text, std::size_t byteIndex);

/// Byte index of the character after the one at byteIndex (clamped to text.size()).
std::size_t nextChar(SjisView text, std::size_t byteIndex);

/// Byte index of the character before byteIndex, scanning forward from lineStart, which must be a
/// known character boundary (a line start or 0). Never guesses backwards from byteIndex alone.
std::size_t previousChar(SjisView text, std::size_t byteIndex, std::size_t lineStart = 0);

/// Number of characters in text.
std::size_t countChars(SjisView text);

/// Largest prefix length <= maxBytes that ends on a character boundary.
std::size_t cutLength(SjisView text, std::size_t maxBytes);

/// text cut to at most maxBytes bytes at a character boundary.
SjisString cut(SjisView text, std::size_t maxBytes);

/// Byte index of the first single-byte character c at or after from, or npos. A byte equal to c
/// that is the second byte of a two-byte character is not a match.
std::size_t findSingleByte(SjisView text, char c, std::size_t from = 0);

/// Byte index of the last single-byte character c, or npos (character-aware as above).
std::size_t findLastSingleByte(SjisView text, char c);

/// ASCII a-z folded to A-Z; two-byte characters (lead and trail byte) are left alone.
SjisString toUpperAscii(SjisView text);

/// ASCII A-Z folded to a-z; two-byte characters are left alone.
SjisString toLowerAscii(SjisView text);

/// True when every character is complete: no lead byte at the end and no trail byte outside
/// 0x40-0x7E / 0x80-0xFC.
bool isWellFormed(SjisView text);

} // namespace corvane::sjis
