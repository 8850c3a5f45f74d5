// Replacement dictionaries: Shift-JIS text files of "before TAB after" lines in the project's
// "dic" folder, applied in line order.
#pragma once

#include "base/Types.h"
#include "search/Replace.h"

#include <optional>
#include <string>
#include <vector>

namespace corvane::search {

/// Only this many lines of a dictionary file are read.
inline constexpr int kMaxDictionaryPairs = 500;

/// The pairs of a dictionary file's bytes: the first 500 lines (CR LF or LF ends), lines without
/// a tab ignored, the before-phrase everything before the first tab. Bytes that are not
/// Shift-JIS but valid UTF-8 (what Linux editors write) are converted first.
std::vector<ReplacePair> parseDictionary(SjisView bytes);
/// The file's bytes: one "before TAB after CR LF" line per pair.
SjisString formatDictionary(const std::vector<ReplacePair>& pairs);

/// Reads the dictionary file at path (UTF-8 disk path); nullopt when it cannot be read (30096).
std::optional<std::vector<ReplacePair>> readDictionary(const std::string& path);
/// Writes it through the safe writer; false on failure.
bool writeDictionary(const std::string& path, const std::vector<ReplacePair>& pairs);

/// The pairs with before and after swapped (the reverse run).
std::vector<ReplacePair> reversed(std::vector<ReplacePair> pairs);

/// Where a new pair goes: just before the first stored pair whose before-phrase occurs inside
/// the new before-phrase (a longer phrase is applied before one it contains), else at the end.
std::size_t insertPosition(const std::vector<ReplacePair>& pairs, SjisView before);

} // namespace corvane::search
