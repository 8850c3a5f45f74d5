// The byte-level rules a document's text obeys once it belongs to a project: only text bytes,
// CR LF line ends, no TAB bytes, no final CR LF. The import applies them in memory, in this order:
// text check (only for files of unknown kind), line-end normalisation, tab expansion.
#pragma once

#include "base/Types.h"

#include <string>
#include <string_view>

namespace corvane::doclist {

/// True when every byte is TAB, LF, CR or at least 0x20. Bytes 0x80-0xFF pass, which admits any
/// Shift-JIS text; NUL and the other control bytes fail.
bool passesTextCheck(std::string_view bytes);

/// Two passes: first every LF CR pair becomes CR LF; then a CR not followed by LF and an LF not
/// preceded by CR each become CR LF. x CR y LF z LF CR w gives x CR LF y CR LF z CR LF w.
std::string normaliseLineEnds(std::string_view bytes);

/// Drops one final CR LF, then writes every TAB byte as four spaces (a fixed four, not to the
/// next tab stop). A TAB is never the trail byte of a two-byte character, so no character split
/// is possible. Lines of any length are kept whole.
std::string expandTabs(std::string_view bytes);

/// Every TAB byte written as four spaces, nothing else changed (the tab half of expandTabs; paste
/// uses it too, since a document holds no TAB bytes).
std::string tabsToSpaces(std::string_view bytes);

} // namespace corvane::doclist
