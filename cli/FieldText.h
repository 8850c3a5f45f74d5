// Fixed Shift-JIS text fields <-> UTF-8 for the JSON dump, without loss: a byte that is not part of
// a character that converts both ways (a cut character, an unassigned code, one of CP932's
// duplicate codes) is written as the private-use character U+F700 + byte, and read back as that
// byte. So dump followed by build gives back the same bytes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace corvane::cli {

/// The text of a field up to its first zero (or its end), as UTF-8.
std::string fieldToUtf8(const char* field, std::size_t fieldBytes);
/// Shift-JIS bytes as UTF-8 with the escapes above.
std::string sjisToUtf8Lossless(std::string_view sjis);
/// UTF-8 with the escapes above back to Shift-JIS; false (with a reason) when a character has no
/// Shift-JIS code.
bool utf8ToSjisLossless(std::string_view utf8, std::string& sjis, std::string& error);
/// Fills the field: text, zero terminator, zeros to the end. False when the text does not convert
/// or is longer than fieldBytes - 1.
bool utf8ToField(std::string_view utf8, char* field, std::size_t fieldBytes, std::string& error);

} // namespace corvane::cli
