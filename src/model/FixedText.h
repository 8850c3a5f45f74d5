// Reading and writing the zero-terminated text fields of the records. A field is written cut at a
// character boundary so that a two-byte character is never split, and read only up to its end, so
// a damaged record without a terminating zero cannot make a reader run into the next field.
#pragma once

#include "base/Types.h"

#include <cstddef>

namespace corvane {

/// Stores text in a field of fieldBytes bytes (terminating zero included): at most fieldBytes - 1
/// bytes, cut at a character boundary; the rest of the field is zero-filled. Returns the number of
/// text bytes stored.
std::size_t setFixedText(char* field, std::size_t fieldBytes, SjisView text);

/// The text of a field: up to the first zero byte, or the whole field when it has none.
SjisView fixedText(const char* field, std::size_t fieldBytes);

/// True when text fits a field of fieldBytes bytes whole, with its terminating zero.
constexpr bool fitsFixedField(SjisView text, std::size_t fieldBytes)
{
    return text.size() < fieldBytes;
}

template <std::size_t N> std::size_t setFixedText(char (&field)[N], SjisView text)
{
    return setFixedText(field, N, text);
}

template <std::size_t N> SjisView fixedText(const char (&field)[N])
{
    return fixedText(field, N);
}

} // namespace corvane
