#include "textview/CharMotion.h"

#include "base/Sjis.h"

#include <algorithm>

namespace corvane::motion {

namespace {

bool isLineEndByte(char c)
{
    return c == '\r' || c == '\n';
}

/// Bytes of the character at i: 2 for a lead byte with a following byte that is not a line end
/// (a stray lead byte never swallows a line break, as in the layout), else 1.
std::size_t charBytes(SjisView text, std::size_t i)
{
    return sjis::isLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() &&
                   !isLineEndByte(text[i + 1])
               ? 2
               : 1;
}

/// A character boundary at or before limit: just after the last CR or LF before limit, or 0.
/// CR and LF are never trail bytes, so the byte after one always starts a character.
std::size_t boundaryBefore(SjisView text, std::size_t limit)
{
    for (std::size_t i = limit; i > 0; --i)
        if (isLineEndByte(text[i - 1]))
            return i;
    return 0;
}

bool isCrLfAt(SjisView text, std::size_t i)
{
    return i + 1 < text.size() && text[i] == '\r' && text[i + 1] == '\n';
}

std::uint16_t codeAt(SjisView text, std::size_t i)
{
    const auto b = static_cast<unsigned char>(text[i]);
    if (charBytes(text, i) == 2)
        return static_cast<std::uint16_t>(b << 8 | static_cast<unsigned char>(text[i + 1]));
    return b;
}

/// Delimiters end a word and a click on one is a plain click; so do line ends.
bool isWordStop(SjisView text, std::size_t i)
{
    const std::uint16_t code = codeAt(text, i);
    switch (code) {
    case ':':
    case ')':
    case ' ':
    case '(':
    case ';':
    case '?':
    case '<':
    case '>':
    case ',':
    case '.':
    case '\r':
    case '\n':
    case 0x8140: // "　"
    case 0x8141: // "、"
    case 0x8142: // "。"
        return true;
    default:
        return false;
    }
}

int classOfCode(std::uint16_t code, std::size_t bytes)
{
    if (bytes == 1) {
        if ((code >= 'A' && code <= 'Z') || (code >= 'a' && code <= 'z') || code == '-')
            return 1;
        return code >= '0' && code <= '9' ? 2 : 0;
    }
    if (code >= 0x8340 && code <= 0x8396 && code != 0x837F)
        return 1;
    if (code >= 0x829F && code <= 0x82F1)
        return 2;
    if (code >= 0x8141 && code <= 0x81AC && code != 0x817F)
        return 3;
    return 0;
}

} // namespace

bool isCaretPosition(SjisView text, ByteOffset byteOffset)
{
    if (byteOffset < 0 || static_cast<std::size_t>(byteOffset) > text.size())
        return false;
    const auto at = static_cast<std::size_t>(byteOffset);
    if (at > 0 && isCrLfAt(text, at - 1))
        return false;
    std::size_t i = boundaryBefore(text, at);
    while (i < at)
        i += charBytes(text, i);
    return i == at;
}

ByteOffset nextCaretPosition(SjisView text, ByteOffset byteOffset)
{
    if (byteOffset < 0)
        return 0;
    const auto at = static_cast<std::size_t>(byteOffset);
    if (at >= text.size())
        return static_cast<ByteOffset>(text.size());
    return static_cast<ByteOffset>(at + (isCrLfAt(text, at) ? 2 : charBytes(text, at)));
}

ByteOffset previousCaretPosition(SjisView text, ByteOffset byteOffset)
{
    if (byteOffset <= 0)
        return 0;
    const std::size_t at = std::min(static_cast<std::size_t>(byteOffset), text.size());
    if (at >= 2 && isCrLfAt(text, at - 2))
        return static_cast<ByteOffset>(at - 2);
    std::size_t i = boundaryBefore(text, at - 1);
    std::size_t previous = i;
    while (i < at) {
        previous = i;
        i += charBytes(text, i);
    }
    return static_cast<ByteOffset>(previous);
}

ByteOffset snapToCaretPosition(SjisView text, ByteOffset byteOffset)
{
    if (byteOffset <= 0)
        return 0;
    const std::size_t at = std::min(static_cast<std::size_t>(byteOffset), text.size());
    std::size_t i = boundaryBefore(text, at);
    while (i < at && i + charBytes(text, i) <= at)
        i += charBytes(text, i);
    if (i > 0 && isCrLfAt(text, i - 1))
        --i;
    return static_cast<ByteOffset>(i);
}

ByteRange deleteForwardRange(SjisView text, ByteOffset caret)
{
    if (caret < 0 || static_cast<std::size_t>(caret) >= text.size())
        return {caret, caret};
    return {caret, nextCaretPosition(text, caret)};
}

ByteRange backspaceRange(SjisView text, ByteOffset caret)
{
    if (caret <= 0 || static_cast<std::size_t>(caret) > text.size())
        return {caret, caret};
    return {previousCaretPosition(text, caret), caret};
}

int wordClass(SjisView text, ByteOffset byteOffset)
{
    const auto i = static_cast<std::size_t>(byteOffset);
    return classOfCode(codeAt(text, i), charBytes(text, i));
}

std::optional<ByteRange> wordAt(SjisView text, ByteOffset byteOffset)
{
    if (byteOffset < 0 || static_cast<std::size_t>(byteOffset) >= text.size())
        return std::nullopt;
    const auto at = static_cast<std::size_t>(snapToCaretPosition(text, byteOffset));
    if (at >= text.size() || isWordStop(text, at))
        return std::nullopt;
    const std::size_t width = charBytes(text, at);
    const int cls = classOfCode(codeAt(text, at), width);
    const bool hyphenates = width == 1 && cls == 1;
    const auto sameKind = [&](std::size_t i) {
        return !isWordStop(text, i) && charBytes(text, i) == width &&
               classOfCode(codeAt(text, i), width) == cls;
    };

    std::size_t end = at + width;
    while (end < text.size()) {
        // "-" at a line end: the word goes on at the start of the next line.
        if (hyphenates && text[end - 1] == '-' && isCrLfAt(text, end) && end + 2 < text.size() &&
            sameKind(end + 2)) {
            end += 2;
            continue;
        }
        if (!sameKind(end))
            break;
        end += width;
    }

    std::size_t begin = at;
    while (begin > 0) {
        if (hyphenates && begin >= 3 && isCrLfAt(text, begin - 2) && text[begin - 3] == '-') {
            begin -= 2;
            continue;
        }
        const auto previous =
            static_cast<std::size_t>(previousCaretPosition(text, static_cast<ByteOffset>(begin)));
        if (!sameKind(previous))
            break;
        begin = previous;
    }
    return ByteRange{static_cast<ByteOffset>(begin), static_cast<ByteOffset>(end)};
}

} // namespace corvane::motion
