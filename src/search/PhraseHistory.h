// The phrase histories in the settings store: the search pane's two phrase boxes ("Search" /
// "Goku1_%d" and "Goku2_%d") and the ribbon's search box ("SearchGoku" / "Goku%d"), entry 1 the
// newest, N entries where N is "SaveCnt" clamped to 5-100.
#pragma once

#include "base/Settings.h"
#include "base/Types.h"

#include <vector>

namespace corvane::search {

enum class PhraseHistory
{
    SearchPhrase,  ///< the pane's "検索語句：" box
    ReplacePhrase, ///< the pane's "置換語句：" box
    RibbonSearch,  ///< the ribbon's search box
};

/// Entries 1 to N in order; an unset entry gives an empty string.
std::vector<SjisString> loadPhraseHistory(const SettingsStore& settings, PhraseHistory kind);
/// Stores phrase as entry 1, the older entries that differ from it after it; an empty phrase
/// changes nothing.
void storePhraseHistory(SettingsStore& settings, PhraseHistory kind, SjisView phrase);
/// Empties every non-empty entry from 1 up to 100 (the ribbon's 535).
void clearPhraseHistory(SettingsStore& settings, PhraseHistory kind);

} // namespace corvane::search
