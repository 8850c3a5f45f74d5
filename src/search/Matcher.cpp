#include "search/Matcher.h"

#include "base/Sjis.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <string.h>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace corvane::search {

namespace {

bool isLineBreak(unsigned char b)
{
    return b == '\r' || b == '\n';
}

/// True when p starts a character. known is a character boundary at or before p. Any byte
/// outside the lead-byte range ends a character, so the run of lead-range bytes just before p
/// pairs up from there: p is a boundary when that run has even length.
bool isBoundary(SjisView text, std::size_t known, std::size_t p)
{
    std::size_t j = p;
    while (j > known && sjis::isLeadByte(static_cast<unsigned char>(text[j - 1])))
        --j;
    return (p - j) % 2 == 0;
}

/// Calls found(b) for each place b in [from, to) holding CR or LF whose byte before it is one of
/// the `count` bytes of `before` (any byte when count is 0), in order, until it returns true;
/// returns whether it did. from must be at least 1. Lines are short, so this meets every line of
/// every document searched: sixteen bytes and the sixteen before them are looked at together
/// where the processor allows, so that only the rare breaks after a byte of interest cost more.
template <typename F>
bool forEachLineBreak(const char* s, std::size_t from, std::size_t to,
                      const std::array<char, 4>& before, int count, F&& found)
{
    std::size_t i = from;
#if defined(__SSE2__)
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    __m128i wanted[4];
    for (int k = 0; k < count; ++k)
        wanted[k] = _mm_set1_epi8(before[static_cast<std::size_t>(k)]);
    for (; i + 16 <= to; i += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
        __m128i breaks = _mm_or_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(v, lf));
        if (count > 0) {
            const __m128i prev = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i - 1));
            __m128i after = _mm_cmpeq_epi8(prev, wanted[0]);
            for (int k = 1; k < count; ++k)
                after = _mm_or_si128(after, _mm_cmpeq_epi8(prev, wanted[k]));
            breaks = _mm_and_si128(breaks, after);
        }
        for (auto mask = static_cast<unsigned>(_mm_movemask_epi8(breaks)); mask != 0;
             mask &= mask - 1)
            if (found(i + static_cast<std::size_t>(std::countr_zero(mask))))
                return true;
    }
#endif
    const auto wantedBefore = [&](char b) {
        return count == 0 ||
               std::find(before.begin(), before.begin() + count, b) != before.begin() + count;
    };
    for (; i < to; ++i)
        if ((s[i] == '\r' || s[i] == '\n') && wantedBefore(s[i - 1]) && found(i))
            return true;
    return false;
}

} // namespace

Matcher::Matcher(SjisView phrase, bool caseSensitive, std::int32_t window)
    : caseSensitive_(caseSensitive), window_(window)
{
    valid_ = !phrase.empty() && sjis::isWellFormed(phrase) &&
             phrase.find_first_of("\r\n") == SjisView::npos;
    pattern_ = caseSensitive ? SjisString(phrase) : sjis::toUpperAscii(phrase);
    if (window_ > 0 && static_cast<std::int64_t>(pattern_.size()) > window_)
        valid_ = false; // can never fit the window
    if (!valid_)
        return;
    foldAt_.assign(pattern_.size(), false);
    if (!caseSensitive) {
        for (std::size_t k = 0; k < pattern_.size(); k = sjis::nextChar(pattern_, k)) {
            const char c = pattern_[k];
            if (sjis::charLength(pattern_, k) == 1 && c >= 'A' && c <= 'Z') {
                foldAt_[k] = true;
                anyFold_ = true;
            }
        }
    }
    first_ = pattern_[0];
    twoFirsts_ = foldAt_[0];
    firstOther_ = twoFirsts_ ? char(first_ + ('a' - 'A')) : first_;
    byWhole_ = !anyFold_ && sjis::isLeadByte(static_cast<unsigned char>(first_));
    breakAllowed_.assign(pattern_.size(), false);
    for (std::size_t k = sjis::nextChar(pattern_, 0); k < pattern_.size();
         k = sjis::nextChar(pattern_, k)) {
        breakAllowed_[k] = true;
        endsPrefix_[static_cast<unsigned char>(pattern_[k - 1])] = true;
    }
    // The same bytes as a short list for the line-break scan, when they are few.
    for (unsigned b = 0; b < 256; ++b) {
        if (!endsPrefix_[b])
            continue;
        if (breakFilterCount_ == static_cast<int>(breakFilter_.size())) {
            breakFilterCount_ = 0; // too many to test together: every break is looked at
            break;
        }
        breakFilter_[static_cast<std::size_t>(breakFilterCount_++)] = static_cast<char>(b);
    }
    // Every character of a hit stands unbroken in it. A kanji's trail byte (kana and symbols,
    // rows 0x81-0x83, hold the commonest characters) is rare enough to find the hits by it
    // alone: one memchr pass, no phrase search and no line-break scan. The anchor is the first
    // kanji that occurs once in the phrase, so that hits are met in the order of their starts.
    if (byWhole_) {
        for (std::size_t o = 0; o < pattern_.size(); o = sjis::nextChar(pattern_, o)) {
            if (sjis::charLength(pattern_, o) != 2 ||
                static_cast<unsigned char>(pattern_[o]) <= 0x83)
                continue;
            int copies = 0;
            for (std::size_t k = 0; k < pattern_.size(); k = sjis::nextChar(pattern_, k))
                copies += pattern_.compare(k, 2, pattern_, o, 2) == 0;
            if (copies == 1) {
                anchor_ = o;
                byTrail_ = true;
                break;
            }
        }
    }
}

std::int32_t Matcher::matchAt(SjisView text, std::size_t p) const
{
    const std::size_t n = pattern_.size();
    const std::size_t limit =
        window_ > 0 ? std::min(text.size(), p + static_cast<std::size_t>(window_)) : text.size();
    // The unbroken case first: one memcmp.
    if (!anyFold_ && p + n <= limit && std::memcmp(text.data() + p, pattern_.data(), n) == 0)
        return static_cast<std::int32_t>(n);
    std::size_t k = 0;
    std::size_t q = p;
    while (q < limit) {
        const auto b = static_cast<unsigned char>(text[q]);
        if (isLineBreak(b)) {
            if (!breakAllowed_[k]) // a break between a lead byte and its trail byte
                return 0;
            ++q;
            continue;
        }
        char t = text[q];
        if (foldAt_[k] && t >= 'a' && t <= 'z')
            t = char(t - ('a' - 'A'));
        if (t != pattern_[k])
            return 0;
        ++q;
        if (++k == n)
            return static_cast<std::int32_t>(q - p);
    }
    return 0;
}

bool Matcher::startsWithSingleByte() const
{
    return valid_ && !sjis::isLeadByte(static_cast<unsigned char>(first_));
}

bool Matcher::hitsAt(SjisView text, std::size_t p) const
{
    return valid_ && p < text.size() && (text[p] == first_ || text[p] == firstOther_) &&
           isBoundary(text, 0, p) && matchAt(text, p) > 0;
}

std::optional<Hit> Matcher::nextByWhole(SjisView text, std::size_t from) const
{
    const std::size_t size = text.size();
    const std::size_t n = pattern_.size();
    std::size_t pos = from; // a character boundary
    while (pos < size) {
        const void* whole = ::memmem(text.data() + pos, size - pos, pattern_.data(), n);
        const std::size_t u =
            whole ? static_cast<std::size_t>(static_cast<const char*>(whole) - text.data()) : size;
        // A hit split by line breaks has the phrase's first k bytes (0 < k < n) just before the
        // first break it covers, so it starts at most n - 1 bytes before a run of breaks, and
        // the byte before that run is pattern byte k - 1. Only such runs up to where the whole
        // phrase lies are looked at; a hit starting before u comes first.
        const std::size_t end = std::min(size, u + n - 1);
        std::optional<Hit> split;
        forEachLineBreak(text.data(), pos + 1, end, breakFilter_, breakFilterCount_,
                         [&](std::size_t b) {
                             const auto before = static_cast<unsigned char>(text[b - 1]);
                             if (!endsPrefix_[before]) // also skips the second byte of a CR LF
                                 return false;
                             for (std::size_t k = std::min(n - 1, b - pos); k >= 1; --k) {
                                 const std::size_t p = b - k;
                                 if (p >= u)
                                     break;
                                 if (text[p] != first_ || text[b - 1] != pattern_[k - 1] ||
                                     !isBoundary(text, pos, p))
                                     continue;
                                 if (const std::int32_t span = matchAt(text, p)) {
                                     split = Hit{static_cast<ByteOffset>(p), span};
                                     return true;
                                 }
                             }
                             return false;
                         });
        if (split)
            return split;
        if (u >= size)
            return std::nullopt;
        if (isBoundary(text, pos, u))
            return Hit{static_cast<ByteOffset>(u), static_cast<std::int32_t>(n)};
        pos = u + 1; // u is a trail byte, so its character ends with it
    }
    return std::nullopt;
}

std::optional<Hit> Matcher::nextByTrail(SjisView text, std::size_t from) const
{
    const std::size_t size = text.size();
    const char lead = pattern_[anchor_];
    const char trail = pattern_[anchor_ + 1];
    std::size_t known = from; // a character boundary at or before the candidates met so far
    for (std::size_t q = from + anchor_ + 1; q < size; ++q) {
        const void* found = std::memchr(text.data() + q, trail, size - q);
        if (!found)
            return std::nullopt;
        q = static_cast<std::size_t>(static_cast<const char*>(found) - text.data());
        if (text[q - 1] != lead)
            continue;
        // The phrase's bytes before the anchor, walked backwards over the line breaks allowed
        // between its characters, give the hit's start.
        std::size_t p = q - 1;
        std::size_t k = anchor_;
        while (k > 0 && p > from) {
            const auto b = static_cast<unsigned char>(text[p - 1]);
            if (isLineBreak(b)) {
                if (!breakAllowed_[k] || (window_ > 0 && q - p >= std::size_t(window_)))
                    break;
            } else if (text[p - 1] == pattern_[k - 1]) {
                --k;
            } else {
                break;
            }
            --p;
        }
        if (k > 0 || !isBoundary(text, p >= known ? known : from, p))
            continue;
        known = p;
        if (const std::int32_t span = matchAt(text, p))
            return Hit{static_cast<ByteOffset>(p), span};
    }
    return std::nullopt;
}

std::optional<Hit> Matcher::next(SjisView text, std::size_t from) const
{
    if (!valid_)
        return std::nullopt;
    if (byTrail_)
        return nextByTrail(text, from);
    if (byWhole_)
        return nextByWhole(text, from);
    const std::size_t size = text.size();
    // The next place of each first byte, found again only once the walk has passed it.
    const auto find = [&](char b, std::size_t at) {
        const void* found = std::memchr(text.data() + at, b, size - at);
        return found ? static_cast<std::size_t>(static_cast<const char*>(found) - text.data())
                     : size;
    };
    std::size_t nextFirst = from < size ? find(first_, from) : size;
    std::size_t nextOther = twoFirsts_ && from < size ? find(firstOther_, from) : size;
    std::size_t known = from; // a character boundary at or before every candidate below
    std::size_t p = from;
    while (p < size) {
        if (nextFirst < p)
            nextFirst = find(first_, p);
        if (twoFirsts_ && nextOther < p)
            nextOther = find(firstOther_, p);
        const std::size_t c = std::min(nextFirst, nextOther);
        if (c >= size)
            return std::nullopt;
        if (!isBoundary(text, known, c)) {
            // c is a trail byte, so the character ends with it.
            known = c + 1;
            p = c + 1;
            continue;
        }
        known = c;
        // The first pattern byte is never CR or LF, so a candidate never starts on one.
        if (const std::int32_t span = matchAt(text, c))
            return Hit{static_cast<ByteOffset>(c), span};
        p = sjis::nextChar(text, c);
        known = p;
    }
    return std::nullopt;
}

std::optional<Hit> Matcher::previous(SjisView text, std::size_t before) const
{
    std::optional<Hit> last;
    forEach(text, [&](const Hit& hit) {
        if (static_cast<std::size_t>(hit.offset) >= before)
            return false;
        last = hit;
        return true;
    });
    return last;
}

} // namespace corvane::search
