#include "doclist/SourceEncoding.h"

#include "base/Codec.h"

#include <string>

namespace corvane::doclist {

namespace {

/// UTF-16 code units of bytes (after the byte-order mark); an odd final byte is dropped. Lone
/// surrogates are left for the codec, which writes them as "〓".
std::u16string utf16Units(std::string_view bytes, bool littleEndian)
{
    std::u16string units;
    units.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto a = static_cast<unsigned char>(bytes[i]);
        const auto b = static_cast<unsigned char>(bytes[i + 1]);
        units.push_back(littleEndian ? char16_t(a | (b << 8)) : char16_t((a << 8) | b));
    }
    return units;
}

/// The byte order of a UTF-16 text without a byte-order mark, judged by where its NUL bytes are:
/// 1 little-endian, 2 big-endian, 0 not UTF-16 by this rule.
int unmarkedUtf16Order(std::string_view bytes)
{
    if (bytes.size() < 2 || bytes.size() % 2 != 0)
        return 0;
    bool nulAtEven = false, nulAtOdd = false;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\0')
            (i % 2 == 0 ? nulAtEven : nulAtOdd) = true;
    }
    if (nulAtEven == nulAtOdd)
        return 0;
    return nulAtOdd ? 1 : 2;
}

SjisString encoded(codec::Encoded e, std::size_t* replacedCharacters)
{
    if (replacedCharacters)
        *replacedCharacters = e.unrepresentable.size();
    return std::move(e.text);
}

} // namespace

bool isValidUtf8(std::string_view bytes, bool* hasNonAscii)
{
    bool nonAscii = false;
    const std::size_t n = bytes.size();
    std::size_t i = 0;
    while (i < n) {
        const auto b0 = static_cast<unsigned char>(bytes[i]);
        if (b0 < 0x80) {
            ++i;
            continue;
        }
        nonAscii = true;
        const std::size_t len = b0 < 0xC2 ? 0 : b0 < 0xE0 ? 2 : b0 < 0xF0 ? 3 : b0 < 0xF5 ? 4 : 0;
        if (len == 0 || i + len > n)
            return false;
        const auto b1 = static_cast<unsigned char>(bytes[i + 1]);
        if ((b1 & 0xC0) != 0x80)
            return false;
        // Second-byte ranges that exclude overlong forms, surrogates and code points > U+10FFFF.
        if ((b0 == 0xE0 && b1 < 0xA0) || (b0 == 0xED && b1 > 0x9F) || (b0 == 0xF0 && b1 < 0x90) ||
            (b0 == 0xF4 && b1 > 0x8F))
            return false;
        for (std::size_t k = 2; k < len; ++k)
            if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80)
                return false;
        i += len;
    }
    if (hasNonAscii)
        *hasNonAscii = nonAscii;
    return true;
}

SourceEncoding detectSourceEncoding(std::string_view bytes)
{
    if (bytes.starts_with("\xEF\xBB\xBF"))
        return SourceEncoding::Utf8Bom;
    if (bytes.starts_with("\xFF\xFE"))
        return SourceEncoding::Utf16Le;
    if (bytes.starts_with("\xFE\xFF"))
        return SourceEncoding::Utf16Be;
    if (const int order = unmarkedUtf16Order(bytes); order != 0)
        return order == 1 ? SourceEncoding::Utf16LeNoMark : SourceEncoding::Utf16BeNoMark;
    bool nonAscii = false;
    if (isValidUtf8(bytes, &nonAscii) && nonAscii)
        return SourceEncoding::Utf8;
    return SourceEncoding::ShiftJis;
}

SjisString sourceToSjis(std::string_view bytes, std::size_t* replacedCharacters)
{
    if (replacedCharacters)
        *replacedCharacters = 0;
    switch (detectSourceEncoding(bytes)) {
    case SourceEncoding::ShiftJis:
        break;
    case SourceEncoding::Utf8:
        return encoded(codec::fromUtf8(bytes), replacedCharacters);
    case SourceEncoding::Utf8Bom:
        return encoded(codec::fromUtf8(bytes.substr(3)), replacedCharacters);
    case SourceEncoding::Utf16Le:
        return encoded(codec::fromUtf16(utf16Units(bytes.substr(2), true)), replacedCharacters);
    case SourceEncoding::Utf16Be:
        return encoded(codec::fromUtf16(utf16Units(bytes.substr(2), false)), replacedCharacters);
    case SourceEncoding::Utf16LeNoMark:
        return encoded(codec::fromUtf16(utf16Units(bytes, true)), replacedCharacters);
    case SourceEncoding::Utf16BeNoMark:
        return encoded(codec::fromUtf16(utf16Units(bytes, false)), replacedCharacters);
    }
    return SjisString(bytes);
}

SjisString takeSourceAsSjis(std::string&& bytes, std::size_t* replacedCharacters)
{
    if (detectSourceEncoding(bytes) == SourceEncoding::ShiftJis) {
        if (replacedCharacters)
            *replacedCharacters = 0;
        return std::move(bytes);
    }
    return sourceToSjis(std::string_view(bytes), replacedCharacters);
}

} // namespace corvane::doclist
