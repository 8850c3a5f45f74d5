// The one byte matcher of search, the count pass, batch replace and find in the text view. It
// works on Shift-JIS bytes: a hit starts only at a character boundary (never on a trail byte, so
// "@" 0x40 is never found inside "　" 0x81 0x40), never at CR or LF, and CR and LF inside the text
// are skipped while comparing, so a phrase is found across a line break. Case is folded for ASCII
// letters only; full-width letters always compare exactly.
#pragma once

#include "base/Types.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace corvane::search {

/// The longest span (line breaks included) a search or replace hit may cover. Find in the text
/// view has no such window.
inline constexpr std::int32_t kSearchWindow = 100;

struct Hit
{
    ByteOffset offset = 0;
    /// Bytes the hit covers in the text: the phrase length plus the line-break bytes inside it.
    std::int32_t span = 0;
};

class Matcher
{
public:
    /// phrase: Shift-JIS bytes without CR or LF (the caller removes them). window: the longest
    /// span a hit may cover, or 0 for no limit.
    Matcher(SjisView phrase, bool caseSensitive, std::int32_t window = kSearchWindow);

    /// False for an empty phrase, one that is not well-formed Shift-JIS, or one that holds CR
    /// or LF: such a phrase would never find anything or never advance.
    bool valid() const { return valid_; }
    bool caseSensitive() const { return caseSensitive_; }
    const SjisString& pattern() const { return pattern_; }

    /// The text as the matcher compares it: the same bytes. Case is folded while comparing, so
    /// no walk needs a folded copy of a document; kept for callers that prepare a text first.
    SjisString prepare(SjisView text) const { return SjisString(text); }

    /// The first hit at or after from in prepared text (from must be a character boundary).
    std::optional<Hit> next(SjisView prepared, std::size_t from) const;
    /// True when a hit starts at p (a candidate found by its first byte, any place of text).
    bool hitsAt(SjisView text, std::size_t p) const;
    /// The bytes a hit may start with: the first byte, and its lower case for a folded letter.
    char firstByte() const { return first_; }
    char otherFirstByte() const { return firstOther_; }
    /// A hit starts with a single-byte character, so its first byte is rare in Japanese text
    /// and the places of that byte are few.
    bool startsWithSingleByte() const;
    /// The last hit that starts before `before` (a character boundary), walking hits from the
    /// start as next() finds them, so previous and next agree on the same hits.
    std::optional<Hit> previous(SjisView prepared, std::size_t before) const;

    /// Calls onHit(const Hit&) for each non-overlapping hit in order; onHit returns false to stop.
    /// Returns the number of hits reported.
    template <typename F> std::int64_t forEach(SjisView prepared, F&& onHit) const
    {
        std::int64_t count = 0;
        std::size_t from = 0;
        while (auto hit = next(prepared, from)) {
            ++count;
            if (!onHit(*hit))
                break;
            from = static_cast<std::size_t>(hit->offset) + static_cast<std::size_t>(hit->span);
        }
        return count;
    }
    std::int64_t count(SjisView prepared) const
    {
        return forEach(prepared, [](const Hit&) { return true; });
    }

private:
    /// next() for a phrase compared byte for byte (no folded letters): the whole phrase by
    /// memmem, and the few places before each line break where a hit split by it may start.
    std::optional<Hit> nextByWhole(SjisView text, std::size_t from) const;
    /// next() for a phrase starting with a two-byte character and holding a kanji once: the
    /// places of that kanji's trail byte.
    std::optional<Hit> nextByTrail(SjisView text, std::size_t from) const;
    /// Span of a hit at p, or 0 when the phrase does not match there.
    std::int32_t matchAt(SjisView text, std::size_t p) const;

    SjisString pattern_;
    /// foldAt_[k]: pattern byte k is a single-byte ASCII letter (upper case) of a phrase searched
    /// without case, so the text byte it meets is folded before comparing. A text byte there is
    /// a single-byte character too, as the candidate starts at a character boundary and the
    /// phrase's characters line up with the text's.
    std::vector<bool> foldAt_;
    bool anyFold_ = false;
    /// A phrase starting with a two-byte character is found whole (memmem): its lead byte is
    /// common in Japanese text, so stopping at every copy of it costs more. A phrase starting
    /// with a single-byte character is found by its first byte (memchr), rare there.
    bool byWhole_ = false;
    bool byTrail_ = false;
    /// byTrail_: where the kanji found by its trail byte starts in the phrase.
    std::size_t anchor_ = 0;
    /// breakAllowed_[k]: pattern byte k starts a character other than the first, so line breaks
    /// may stand before it in a hit (never between a lead byte and its trail byte).
    std::vector<bool> breakAllowed_;
    /// endsPrefix_[b]: b ends one of the phrase's characters but the last, so a hit split by a
    /// line break may have b just before that break.
    std::array<bool, 256> endsPrefix_{};
    /// The bytes of endsPrefix_ when there are at most four of them (breakFilterCount_ > 0).
    std::array<char, 4> breakFilter_{};
    int breakFilterCount_ = 0;
    /// The first byte of a hit: pattern_[0], and its lower case when it is a folded letter.
    char first_ = 0;
    char firstOther_ = 0;
    bool twoFirsts_ = false;
    bool caseSensitive_ = true;
    std::int32_t window_ = kSearchWindow;
    bool valid_ = false;
};

} // namespace corvane::search
