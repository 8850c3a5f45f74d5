#include "textview/KeyTable.h"

#include <algorithm>
#include <cstring>

namespace corvane {

int breakWidthFor(int breakInputA, int scrollBarWidthS, bool wordWrap)
{
    return wordWrap ? breakInputA - scrollBarWidthS - 20 : breakInputA - 3 * scrollBarWidthS;
}

KeyTable::KeyTable()
{
    keys_.reserve(1000);
    keys_.push_back(0);
}

void KeyTable::build(SjisView text, CharWidthTable& widths, int breakWidthE)
{
    keys_.clear();
    keys_.push_back(0);
    widestLine_ = 0;
    logicalLines_ = 0;

    const char* const p = text.data();
    const std::size_t size = text.size();
    std::size_t pos = 0;
    while (pos < size) {
        const void* cr = std::memchr(p + pos, '\r', size - pos);
        const std::size_t lineEnd =
            cr ? static_cast<std::size_t>(static_cast<const char*>(cr) - p) : size;
        // The next line starts after the CR and its LF. A CR that is not followed by an LF (a
        // damaged file) ends its line alone, so the byte after it is never swallowed.
        std::size_t next = size;
        if (cr)
            next = lineEnd + ((lineEnd + 1 < size && p[lineEnd + 1] == '\n') ? 2 : 1);
        ++logicalLines_;

        // An empty logical line (CR LF alone, also as the last two bytes of the text) is one
        // display line of its own.
        if (lineEnd > pos) {
            int pieceWidth = 0; // width of the current display line so far
            int lineWidth = 0;
            std::size_t pieceStart = pos;
            std::size_t i = pos;
            while (i < lineEnd) {
                const SjisChar c = sjisCharAt(p, i, lineEnd);
                const int w = widths.width(c.code);
                const bool lastChar = i + static_cast<std::size_t>(c.byteLength) >= lineEnd;
                // Cut before this character when it would make the piece wider than E; never
                // before the first character of a piece, nor before the line's last character.
                if (pieceWidth + w > breakWidthE && i != pieceStart && !lastChar) {
                    keys_.push_back(static_cast<ByteOffset>(i));
                    pieceStart = i;
                    pieceWidth = 0;
                }
                pieceWidth += w;
                lineWidth += w;
                i += static_cast<std::size_t>(c.byteLength);
            }
            widestLine_ = std::max(widestLine_, lineWidth);
        }
        keys_.push_back(static_cast<ByteOffset>(next));
        pos = next;
    }
}

int KeyTable::lineOfByte(ByteOffset byteOffset) const
{
    if (lineCount() <= 0 || byteOffset < 0)
        return -1;
    const auto it = std::upper_bound(keys_.begin(), keys_.end(), byteOffset);
    const int line = static_cast<int>(it - keys_.begin()) - 1;
    return std::min(line, lineCount() - 1);
}

bool KeyTable::isConsistent(SjisView text) const
{
    if (keys_.empty() || keys_.front() != 0 || keys_.back() != static_cast<ByteOffset>(text.size()))
        return false;
    for (std::size_t i = 1; i < keys_.size(); ++i)
        if (keys_[i] <= keys_[i - 1])
            return false;
    return true;
}

int countLogicalLines(SjisView text)
{
    int count = 0;
    const char* p = text.data();
    const char* const end = p + text.size();
    while (p < end) {
        const void* cr = std::memchr(p, '\r', static_cast<std::size_t>(end - p));
        ++count;
        if (!cr)
            break;
        p = static_cast<const char*>(cr) + 1;
        if (p < end && *p == '\n')
            ++p;
    }
    return count;
}

} // namespace corvane
