#include "base/Sjis.h"

namespace corvane::sjis {

std::size_t charLength(SjisView text, std::size_t byteIndex)
{
    if (byteIndex + 1 < text.size() && isLeadByte(static_cast<unsigned char>(text[byteIndex])))
        return 2;
    return 1;
}

std::size_t nextChar(SjisView text, std::size_t byteIndex)
{
    if (byteIndex >= text.size())
        return text.size();
    return byteIndex + charLength(text, byteIndex);
}

std::size_t previousChar(SjisView text, std::size_t byteIndex, std::size_t lineStart)
{
    if (byteIndex <= lineStart)
        return lineStart;
    std::size_t i = lineStart;
    for (;;) {
        const std::size_t next = nextChar(text, i);
        if (next >= byteIndex)
            return i;
        i = next;
    }
}

std::size_t countChars(SjisView text)
{
    std::size_t n = 0;
    for (std::size_t i = 0; i < text.size(); i = nextChar(text, i))
        ++n;
    return n;
}

std::size_t cutLength(SjisView text, std::size_t maxBytes)
{
    if (text.size() <= maxBytes)
        return text.size();
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t next = nextChar(text, i);
        if (next > maxBytes)
            break;
        i = next;
    }
    return i;
}

SjisString cut(SjisView text, std::size_t maxBytes)
{
    return SjisString(text.substr(0, cutLength(text, maxBytes)));
}

std::size_t findSingleByte(SjisView text, char c, std::size_t from)
{
    // from must be a character boundary; callers pass 0 or a position they got from a walk.
    for (std::size_t i = from; i < text.size(); i = nextChar(text, i)) {
        if (charLength(text, i) == 1 && text[i] == c)
            return i;
    }
    return SjisView::npos;
}

std::size_t findLastSingleByte(SjisView text, char c)
{
    std::size_t found = SjisView::npos;
    for (std::size_t i = 0; i < text.size(); i = nextChar(text, i)) {
        if (charLength(text, i) == 1 && text[i] == c)
            found = i;
    }
    return found;
}

namespace {
template <typename Fold> SjisString foldAscii(SjisView text, Fold fold)
{
    SjisString out(text);
    for (std::size_t i = 0; i < out.size(); i = nextChar(out, i)) {
        if (charLength(out, i) == 1)
            out[i] = fold(out[i]);
    }
    return out;
}
} // namespace

SjisString toUpperAscii(SjisView text)
{
    return foldAscii(text, [](char ch) { return (ch >= 'a' && ch <= 'z') ? char(ch - 32) : ch; });
}

SjisString toLowerAscii(SjisView text)
{
    return foldAscii(text, [](char ch) { return (ch >= 'A' && ch <= 'Z') ? char(ch + 32) : ch; });
}

bool isWellFormed(SjisView text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto b = static_cast<unsigned char>(text[i]);
        if (!isLeadByte(b))
            continue;
        if (i + 1 >= text.size())
            return false;
        const auto t = static_cast<unsigned char>(text[i + 1]);
        if (t < 0x40 || t == 0x7F || t > 0xFC)
            return false;
        ++i;
    }
    return true;
}

} // namespace corvane::sjis
