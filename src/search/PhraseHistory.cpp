#include "search/PhraseHistory.h"

#include "base/SettingsKeys.h"
#include "search/SearchRun.h"

namespace corvane::search {

namespace {

constexpr int kMostEntries = 100;

const char* sectionOf(PhraseHistory kind)
{
    return kind == PhraseHistory::RibbonSearch ? section::SearchGoku : section::Search;
}

std::string nameOf(PhraseHistory kind, int index1)
{
    switch (kind) {
    case PhraseHistory::SearchPhrase:
        return searchGokuName("1", index1);
    case PhraseHistory::ReplacePhrase:
        return searchGokuName("2", index1);
    case PhraseHistory::RibbonSearch:
        break;
    }
    return ribbonGokuName(index1);
}

} // namespace

std::vector<SjisString> loadPhraseHistory(const SettingsStore& settings, PhraseHistory kind)
{
    const int n = phraseHistoryCount(settings);
    std::vector<SjisString> out;
    out.reserve(static_cast<std::size_t>(n));
    for (int i = 1; i <= n; ++i)
        out.push_back(settings.readString(sectionOf(kind), nameOf(kind, i), ""));
    return out;
}

void storePhraseHistory(SettingsStore& settings, PhraseHistory kind, SjisView phrase)
{
    if (phrase.empty())
        return;
    const std::vector<SjisString> stored =
        storePhrase(loadPhraseHistory(settings, kind), phrase, phraseHistoryCount(settings));
    for (std::size_t i = 0; i < stored.size(); ++i)
        settings.writeString(sectionOf(kind), nameOf(kind, static_cast<int>(i) + 1), stored[i]);
}

void clearPhraseHistory(SettingsStore& settings, PhraseHistory kind)
{
    for (int i = 1; i <= kMostEntries; ++i)
        if (!settings.readString(sectionOf(kind), nameOf(kind, i), "").empty())
            settings.writeString(sectionOf(kind), nameOf(kind, i), "");
}

} // namespace corvane::search
