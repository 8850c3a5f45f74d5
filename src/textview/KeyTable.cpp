#include "textview/KeyTable.h"

#include <algorithm>
#include <cassert>
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
    std::size_t pos = 0;
    while (pos < text.size()) {
        pos = layoutLogicalLine(text, pos, widths, breakWidthE, keys_);
        ++logicalLines_;
    }
}

std::size_t KeyTable::layoutLogicalLine(SjisView text, std::size_t pos, CharWidthTable& widths,
                                        int breakWidthE, std::vector<ByteOffset>& out)
{
    const char* const p = text.data();
    const std::size_t size = text.size();
    const void* cr = std::memchr(p + pos, '\r', size - pos);
    const std::size_t lineEnd =
        cr ? static_cast<std::size_t>(static_cast<const char*>(cr) - p) : size;
    // The next line starts after the CR and its LF. A CR that is not followed by an LF (a
    // damaged file) ends its line alone, so the byte after it is never swallowed.
    std::size_t next = size;
    if (cr)
        next = lineEnd + ((lineEnd + 1 < size && p[lineEnd + 1] == '\n') ? 2 : 1);

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
                out.push_back(static_cast<ByteOffset>(i));
                pieceStart = i;
                pieceWidth = 0;
            }
            pieceWidth += w;
            lineWidth += w;
            i += static_cast<std::size_t>(c.byteLength);
        }
        widestLine_ = std::max(widestLine_, lineWidth);
    }
    out.push_back(static_cast<ByteOffset>(next));
    return next;
}

namespace {

/// True when a logical line starts at byte pos: the text start, or just after a CR LF or after a
/// CR that no LF follows. Decided by the bytes pos - 2 .. pos alone.
bool isLogicalLineStart(SjisView text, std::size_t pos)
{
    if (pos == 0)
        return true;
    const char before = text[pos - 1];
    if (before == '\n')
        return pos >= 2 && text[pos - 2] == '\r';
    return before == '\r' && (pos >= text.size() || text[pos] != '\n');
}

std::int32_t countCarriageReturns(SjisView bytes)
{
    return static_cast<std::int32_t>(std::count(bytes.begin(), bytes.end(), '\r'));
}

/// 1 when the text ends in a logical line without CR (it counts as a line of its own), else 0.
int unterminatedTail(SjisView text)
{
    if (text.empty())
        return 0;
    if (text.back() == '\r')
        return 0;
    return text.size() >= 2 && text.back() == '\n' && text[text.size() - 2] == '\r' ? 0 : 1;
}

} // namespace

void KeyTable::update(SjisView text, CharWidthTable& widths, int breakWidthE, ByteOffset at,
                      SjisView removedBytes, std::int32_t insertedByteCount)
{
    const std::int64_t delta = std::int64_t(insertedByteCount) - std::int64_t(removedBytes.size());
    const std::size_t editEnd =
        static_cast<std::size_t>(at) + static_cast<std::size_t>(insertedByteCount);

    // The logical line count follows from the CRs that came and went, and from whether the text
    // ends in an unterminated line before and after (the old text's tail is known from its end).
    {
        const std::size_t oldSize = static_cast<std::size_t>(std::int64_t(text.size()) - delta);
        int oldTail = 0;
        if (oldSize > 0) {
            // The old text's last two bytes: from the removed bytes when the edit reached the end.
            auto oldByte = [&](std::size_t i) -> char {
                if (i < static_cast<std::size_t>(at))
                    return text[i];
                if (i < static_cast<std::size_t>(at) + removedBytes.size())
                    return removedBytes[i - static_cast<std::size_t>(at)];
                return text[static_cast<std::size_t>(std::int64_t(i) + delta)];
            };
            const char last = oldByte(oldSize - 1);
            oldTail = last == '\r' || (last == '\n' && oldSize >= 2 && oldByte(oldSize - 2) == '\r')
                          ? 0
                          : 1;
        }
        logicalLines_ +=
            countCarriageReturns(text.substr(static_cast<std::size_t>(at),
                                             static_cast<std::size_t>(insertedByteCount))) -
            countCarriageReturns(removedBytes) + unterminatedTail(text) - oldTail;
    }

    // Restart at the logical line holding the byte before the edit: an LF typed after a lone CR,
    // or a CR typed before an LF, changes where the previous line ends.
    const ByteOffset probe = std::max<ByteOffset>(at - 1, 0);
    std::size_t first = static_cast<std::size_t>(
        std::upper_bound(keys_.begin(), keys_.end(), probe) - keys_.begin() - 1);
    first = std::min(first, keys_.size() - 1);
    while (first > 0 && !isLogicalLineStart(text, static_cast<std::size_t>(keys_[first])))
        --first;

    std::vector<ByteOffset> fresh;
    std::size_t pos = static_cast<std::size_t>(keys_[first]);
    std::size_t last = keys_.size() - 1; // index of the old key that fresh's last key replaces
    while (pos < text.size()) {
        pos = layoutLogicalLine(text, pos, widths, breakWidthE, fresh);
        if (pos >= text.size())
            break;
        // Two bytes past the edit, a line start's own bytes and everything after it are as
        // before, so the old layout from there on holds, shifted by delta.
        if (pos >= editEnd + 2) {
            const ByteOffset old = static_cast<ByteOffset>(std::int64_t(pos) - delta);
            const auto it = std::lower_bound(keys_.begin() + static_cast<std::ptrdiff_t>(first),
                                             keys_.end(), old);
            assert(it != keys_.end() && *it == old);
            last = static_cast<std::size_t>(it - keys_.begin());
            break;
        }
    }

    // keys_[first + 1 .. last] are replaced by fresh; the keys after last move by delta.
    const std::size_t replacedCount = last - first;
    const std::size_t tailBegin = first + 1 + fresh.size();
    if (fresh.size() < replacedCount)
        keys_.erase(keys_.begin() + static_cast<std::ptrdiff_t>(tailBegin),
                    keys_.begin() + static_cast<std::ptrdiff_t>(first + 1 + replacedCount));
    else if (fresh.size() > replacedCount)
        keys_.insert(keys_.begin() + static_cast<std::ptrdiff_t>(first + 1 + replacedCount),
                     fresh.size() - replacedCount, 0);
    std::copy(fresh.begin(), fresh.end(), keys_.begin() + static_cast<std::ptrdiff_t>(first + 1));
    if (delta != 0)
        for (std::size_t k = tailBegin; k < keys_.size(); ++k)
            keys_[k] = static_cast<ByteOffset>(keys_[k] + delta);
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
