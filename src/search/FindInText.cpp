#include "search/FindInText.h"

#include "base/Sjis.h"

#include <algorithm>

namespace corvane::search {

bool selectionEqualsPhrase(SjisView text, ByteOffset selectionStart, ByteOffset selectionEnd,
                           SjisView phrase, bool caseSensitive)
{
    const auto size = static_cast<ByteOffset>(text.size());
    const ByteOffset start = std::clamp<ByteOffset>(selectionStart, 0, size);
    const ByteOffset end = std::clamp<ByteOffset>(selectionEnd, start, size);
    if (end == start)
        return false;
    SjisString selected;
    selected.reserve(static_cast<std::size_t>(end - start));
    for (ByteOffset i = start; i < end; ++i)
        if (text[static_cast<std::size_t>(i)] != '\r' && text[static_cast<std::size_t>(i)] != '\n')
            selected += text[static_cast<std::size_t>(i)];
    if (caseSensitive)
        return selected == phrase;
    return sjis::toUpperAscii(selected) == sjis::toUpperAscii(phrase);
}

FindResult findInText(SjisView text, const FindRequest& r)
{
    FindResult result;
    const Matcher matcher(r.phrase, r.caseSensitive, 0);
    if (!matcher.valid())
        return result;
    // The matcher folds case while comparing: no 20 MB copy per key press.
    const SjisView prepared = text;
    const std::optional<Hit> first = matcher.next(prepared, 0);
    if (!first) {
        result.status = FindResult::Status::NotInText;
        return result;
    }
    result.status = FindResult::Status::Searched;
    const auto size = static_cast<ByteOffset>(text.size());
    // The view keeps its caret on a character boundary (a replace puts it on one, too).
    const ByteOffset caret = std::clamp<ByteOffset>(r.caretByte, 0, size);
    if (r.direction == FindDirection::Forward) {
        result.hit = matcher.next(prepared, static_cast<std::size_t>(caret));
        if (!result.hit)
            result.wrapped = first;
        return result;
    }
    const bool onPhrase =
        selectionEqualsPhrase(text, r.selectionStart, r.selectionEnd, r.phrase, r.caseSensitive);
    const ByteOffset bound = onPhrase ? std::clamp<ByteOffset>(r.selectionStart, 0, size)
                                      : std::min<ByteOffset>(caret + 1, size);
    result.hit = matcher.previous(prepared, static_cast<std::size_t>(bound));
    if (!result.hit)
        result.wrapped = matcher.previous(prepared, text.size());
    return result;
}

} // namespace corvane::search
