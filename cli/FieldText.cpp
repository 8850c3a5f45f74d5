#include "FieldText.h"

#include "base/Codec.h"
#include "base/Sjis.h"

#include <cstring>

namespace corvane::cli {

namespace {

constexpr char32_t kRawByteBase = 0xF700;

bool convertsBack(char32_t cp, std::string_view original)
{
    if (cp == codec::kReplacementChar)
        return false;
    std::string utf8;
    codec::appendUtf8(utf8, cp);
    const codec::Encoded back = codec::fromUtf8(utf8);
    return back.complete() && back.text == original;
}

} // namespace

std::string sjisToUtf8Lossless(std::string_view s)
{
    std::string out;
    std::size_t i = 0;
    while (i < s.size()) {
        const auto b = static_cast<unsigned char>(s[i]);
        if (b < 0x80) {
            out += char(b);
            ++i;
            continue;
        }
        const std::size_t n = sjis::charLength(s, i);
        const char32_t cp = n == 2 ? codec::decodeChar(b, static_cast<unsigned char>(s[i + 1]))
                                   : codec::decodeChar(b);
        if (convertsBack(cp, s.substr(i, n))) {
            codec::appendUtf8(out, cp);
        } else {
            for (std::size_t k = 0; k < n; ++k)
                codec::appendUtf8(out, kRawByteBase + static_cast<unsigned char>(s[i + k]));
        }
        i += n;
    }
    return out;
}

std::string fieldToUtf8(const char* field, std::size_t fieldBytes)
{
    const void* zero = std::memchr(field, 0, fieldBytes);
    const std::size_t length =
        zero != nullptr ? std::size_t(static_cast<const char*>(zero) - field) : fieldBytes;
    return sjisToUtf8Lossless(std::string_view(field, length));
}

bool utf8ToSjisLossless(std::string_view utf8, std::string& sjis, std::string& error)
{
    sjis.clear();
    std::size_t runStart = 0;
    const auto flush = [&](std::size_t end) {
        if (end <= runStart)
            return true;
        const codec::Encoded e = codec::fromUtf8(utf8.substr(runStart, end - runStart));
        if (!e.complete()) {
            error = "a character has no Shift-JIS code";
            return false;
        }
        sjis += e.text;
        return true;
    };
    std::size_t i = 0;
    while (i < utf8.size()) {
        if (i + 2 < utf8.size() && static_cast<unsigned char>(utf8[i]) == 0xEF) {
            const auto b1 = static_cast<unsigned char>(utf8[i + 1]);
            const auto b2 = static_cast<unsigned char>(utf8[i + 2]);
            if (b1 >= 0x9C && b1 <= 0x9F && b2 >= 0x80 && b2 <= 0xBF) {
                if (!flush(i))
                    return false;
                sjis += char(((b1 & 0x03) << 6) | (b2 & 0x3F));
                i += 3;
                runStart = i;
                continue;
            }
        }
        ++i;
    }
    return flush(utf8.size());
}

bool utf8ToField(std::string_view utf8, char* field, std::size_t fieldBytes, std::string& error)
{
    std::string sjis;
    if (!utf8ToSjisLossless(utf8, sjis, error))
        return false;
    if (sjis.size() > fieldBytes - 1 || sjis.find('\0') != std::string::npos) {
        error = "text longer than " + std::to_string(fieldBytes - 1) + " bytes";
        return false;
    }
    std::memset(field, 0, fieldBytes);
    std::memcpy(field, sjis.data(), sjis.size());
    return true;
}

} // namespace corvane::cli
