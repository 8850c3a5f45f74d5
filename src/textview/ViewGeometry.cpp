#include "textview/ViewGeometry.h"

#include <algorithm>

namespace corvane {

int ViewGeometry::linesPerPage() const
{
    return std::max(0, (clientHeight - topMargin) / std::max(1, lineHeight));
}

int ViewGeometry::rowsShown() const
{
    const int h = std::max(0, clientHeight - topMargin);
    const int lh = std::max(1, lineHeight);
    return (h + lh - 1) / lh;
}

int gutterDigits(int lineCount)
{
    int digits = 1;
    for (int n = lineCount; n >= 10; n /= 10)
        ++digits;
    return digits;
}

std::string gutterSample(int lineCount)
{
    return std::string(static_cast<std::size_t>(gutterDigits(lineCount) - 1), '0') + "8";
}

ByteOffset contentEnd(SjisView text, ByteOffset lineStart, ByteOffset lineEnd)
{
    ByteOffset end = lineEnd;
    if (end > lineStart && text[static_cast<std::size_t>(end - 1)] == '\n' && end - 1 > lineStart &&
        text[static_cast<std::size_t>(end - 2)] == '\r')
        end -= 2;
    else if (end > lineStart && text[static_cast<std::size_t>(end - 1)] == '\r')
        end -= 1;
    return end;
}

int widthOfBytes(SjisView text, ByteOffset from, ByteOffset to, CharWidthTable& widths)
{
    int w = 0;
    const auto end = static_cast<std::size_t>(to);
    for (auto i = static_cast<std::size_t>(from); i < end;) {
        const SjisChar c = sjisCharAt(text.data(), i, end);
        w += widths.width(c.code);
        i += static_cast<std::size_t>(c.byteLength);
    }
    return w;
}

VisibleBytes visibleBytes(const KeyTable& keys, const ViewGeometry& g)
{
    VisibleBytes v;
    const int count = keys.lineCount();
    if (count <= 0 || g.firstLine >= count) {
        v.first = v.last = count > 0 ? keys.lineStart(count) : 0;
        return v;
    }
    const int first = std::max(0, g.firstLine);
    const int rows = std::max(1, g.rowsShown());
    v.lastRow = std::min(count, first + rows) - 1;
    v.first = keys.lineStart(first);
    v.last = keys.lineEnd(v.lastRow);
    return v;
}

std::optional<ClientPoint> positionToPoint(ByteOffset byteOffset, SjisView text,
                                           const KeyTable& keys, CharWidthTable& widths,
                                           const ViewGeometry& g)
{
    if (keys.lineCount() == 0) {
        // An empty document: the caret sits at the start of the first line.
        if (byteOffset != 0 || g.firstLine != 0)
            return std::nullopt;
        return ClientPoint{g.textLeft() - g.horizontalPosition, g.topMargin + g.lineHeight};
    }
    const VisibleBytes v = visibleBytes(keys, g);
    if (v.lastRow < 0 || byteOffset < v.first || byteOffset > v.last)
        return std::nullopt;
    int line = keys.lineOfByte(byteOffset);
    if (line > v.lastRow)
        line = v.lastRow;
    const ByteOffset start = keys.lineStart(line);
    const ByteOffset end = contentEnd(text, start, keys.lineEnd(line));
    const int x = widthOfBytes(text, start, std::min(byteOffset, end), widths);
    return ClientPoint{g.textLeft() + x - g.horizontalPosition,
                       g.topMargin + (line - g.firstLine + 1) * g.lineHeight};
}

std::optional<ByteOffset> pointToOffset(int x, int y, SjisView text, const KeyTable& keys,
                                        CharWidthTable& widths, const ViewGeometry& g)
{
    if (y - g.topMargin < 0)
        return std::nullopt;
    const int xs = g.horizontalPosition + x - g.textLeft();
    const int line = g.firstLine + (y - g.topMargin) / std::max(1, g.lineHeight);
    if (line < 0 || line >= keys.lineCount() || xs < 0)
        return std::nullopt;
    const ByteOffset start = keys.lineStart(line);
    const auto end = static_cast<std::size_t>(contentEnd(text, start, keys.lineEnd(line)));
    int left = 0; // left edge of the character at i
    std::size_t i = static_cast<std::size_t>(start);
    // Boundary before the character at i owns [left - previous width / 2, left + width / 2).
    int previousHalf = 0;
    while (i < end) {
        const SjisChar c = sjisCharAt(text.data(), i, end);
        const int w = widths.width(c.code);
        if (xs >= left - previousHalf && xs < left + w / 2)
            return static_cast<ByteOffset>(i);
        previousHalf = w - w / 2;
        left += w;
        i += static_cast<std::size_t>(c.byteLength);
    }
    return std::nullopt;
}

ScrollPosition scrollToCaret(ByteOffset caret, SjisView text, const KeyTable& keys,
                             CharWidthTable& widths, const ViewGeometry& g, bool wordWrap,
                             int horizontalRange)
{
    ScrollPosition s{g.firstLine, wordWrap ? 0 : g.horizontalPosition};
    const int line = keys.lineOfByte(caret);
    if (line < 0)
        return s;
    const int perPage = std::max(1, g.linesPerPage());
    if (line < s.firstLine)
        s.firstLine = line;
    else if (line >= s.firstLine + perPage)
        s.firstLine = line - perPage + 1;
    if (wordWrap)
        return s;

    const ByteOffset start = keys.lineStart(line);
    const ByteOffset end = contentEnd(text, start, keys.lineEnd(line));
    const int x = g.textLeft() + widthOfBytes(text, start, std::min(caret, end), widths) -
                  s.horizontalPosition;
    const int leftLimit = 80 + g.gutterWidth;
    const int rightLimit = g.clientWidth - 80;
    if (x > rightLimit)
        s.horizontalPosition =
            std::min(s.horizontalPosition + (x - rightLimit), std::max(0, horizontalRange));
    else if (x < leftLimit)
        s.horizontalPosition = std::max(0, s.horizontalPosition - (leftLimit - x));
    return s;
}

} // namespace corvane
