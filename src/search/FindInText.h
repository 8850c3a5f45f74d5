// Find next and previous in one open document: the search matcher without its 100-byte window,
// so a phrase of any length matches only when all its bytes do, candidates start only at
// character boundaries and the selection covers the whole matched span, line breaks included.
#pragma once

#include "base/Types.h"
#include "search/Matcher.h"

#include <optional>

namespace corvane::search {

enum class FindDirection
{
    Forward,
    Backward
};

struct FindRequest
{
    SjisView phrase; ///< as typed, without CR and LF
    bool caseSensitive = false;
    FindDirection direction = FindDirection::Forward;
    ByteOffset caretByte = 0;
    ByteOffset selectionStart = 0; ///< [selectionStart, selectionEnd): the view's selection
    ByteOffset selectionEnd = 0;
};

struct FindResult
{
    enum class Status
    {
        Invalid,   ///< the phrase is empty or not well-formed Shift-JIS
        NotInText, ///< the matcher finds the phrase nowhere in the text (30105)
        Searched,
    };
    Status status = Status::Invalid;
    /// The hit of the scan from the caret; when absent, the wrap question is asked.
    std::optional<Hit> hit;
    /// The hit the rescan from the other end would select (forward: from the start, backward:
    /// from the end); absent when there is none.
    std::optional<Hit> wrapped;
};

/// True when the selected bytes of text, CR and LF removed, equal the phrase after case folding
/// (so find previous moves on from a selection that differs from the phrase only in case).
bool selectionEqualsPhrase(SjisView text, ByteOffset selectionStart, ByteOffset selectionEnd,
                           SjisView phrase, bool caseSensitive);

/// Forward: the first hit at or after the caret. Backward: the last hit before the selection's
/// start when the selection equals the phrase, else the last hit starting at or before the caret.
FindResult findInText(SjisView text, const FindRequest& request);

} // namespace corvane::search
