// The walk over a search target and the texts the results lists show. A document that is open is
// read from its open text (unsaved edits are searched), every other one from disk, whatever the
// target; documents are walked in the document list's order.
#pragma once

#include "base/Types.h"
#include "search/Matcher.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace corvane {
class OpenDocuments;
class TextDocument;
} // namespace corvane

namespace corvane::search {

/// The hit limit of a search run (the count pass has none).
inline constexpr std::int64_t kHitLimit = 1000;
/// The largest document a walk reads from disk.
inline constexpr std::size_t kMaxDocumentBytes = 0x7FFFFFFF;

struct TargetKey
{
    enum class Kind
    {
        All,     ///< "<0>": every document at any depth
        Open,    ///< "<1>": the open documents in opening order
        Current, ///< "<2>": the current document
        Folder,  ///< the documents directly inside one top-level folder
    };
    Kind kind = Kind::All;
    SjisString folder; ///< Kind::Folder: the folder's name
};

struct TargetDocument
{
    SjisString relativePath;
    std::string diskPath;
    TextDocument* open = nullptr; ///< not owned; set when the document is open
};

/// The documents of target. docFolder: the project's doc folder (UTF-8); open: the open
/// documents (may be null); current: the current document's relative path (Kind::Current).
/// nullopt when a folder target names no top-level folder.
std::optional<std::vector<TargetDocument>> targetDocuments(const std::string& docFolder,
                                                           const OpenDocuments* open,
                                                           SjisView current, const TargetKey& key);

/// The names of the folders directly inside the doc folder, in the document list's order.
std::vector<SjisString> topLevelFolders(const std::string& docFolder);

/// Long runs report here between documents; returning false cancels the run there.
class Progress
{
public:
    virtual ~Progress() = default;
    virtual bool step(int done, int total) = 0;
    /// Runs change where the project's records may be changed. A run off the user-interface
    /// thread hands it over to that thread and waits, so no window reads a record while it
    /// moves; by default it runs at once.
    virtual void changeRecords(const std::function<void()>& change) { change(); }
};

struct HitRow
{
    SjisString relativePath;
    ByteOffset offset = 0;
    std::int32_t span = 0;
    std::int32_t line = 0; ///< 0-based line (LF count before the hit)
    SjisString excerpt;    ///< up to 100 bytes from the hit, CR and LF left out
};

struct SearchResult
{
    int documentsSearched = 0;
    std::int64_t hits = 0;
    std::vector<HitRow> rows;
    bool limitReached = false; ///< 30050: the run stopped at the hit limit
    bool cancelled = false;
};

/// Searches docs. hitLimit 0: no limit; withRows false: count only (the count pass).
SearchResult runSearch(const Matcher& matcher, const std::vector<TargetDocument>& docs,
                       std::int64_t hitLimit, bool withRows, Progress* progress = nullptr);

/// Reads a target document's text: the open text, or the file. False when it cannot be read.
bool readDocument(const TargetDocument& doc, SjisString& out);

/// The excerpt of a hit: up to 100 bytes of text from offset without CR and LF, cut at a
/// character boundary.
SjisString excerptAt(SjisView text, ByteOffset offset);

/// "%04ld " + excerpt + "<" + path + ">" + "<offset-span>".
SjisString hitRowText(std::int64_t number, const HitRow& row);
/// Reads path, offset and span back from a hit row's tail; nullopt for other rows.
struct HitAddress
{
    SjisString relativePath;
    ByteOffset offset = 0;
    std::int32_t span = 0;
};
std::optional<HitAddress> parseHitRow(SjisView row);

/// The condition sentence of a run (Shift-JIS). replacement: replace mode's phrase (nullopt in
/// search mode).
SjisString conditionSentence(SjisView targetItemText, SjisView phrase,
                             const std::optional<SjisString>& replacement, bool caseSensitive);
/// The condition sentence of a dictionary run.
SjisString dictionaryConditionSentence(SjisView targetItemText, SjisView dictionaryName,
                                       bool caseSensitive);
/// The target list's item texts: "文献リスト内の全文献" and "『" + folder + "』内の全文献".
SjisString allDocumentsItemText();
SjisString folderItemText(SjisView folder);
/// "検索文献数 %d件、ヒット数 %ld件".
SjisString searchSummary(int documentsSearched, std::int64_t hits);

/// Removes every CR and LF from a phrase (the phrase boxes hold one line).
SjisString withoutLineBreaks(SjisView phrase);

/// The setting "SaveCnt" clamped to 5-100.
int clampSaveCount(int saveCount);
/// The phrase history after storing phrase: phrase first, then the older entries that differ
/// from it, at most saveCount in all; an empty phrase leaves the history as it is.
std::vector<SjisString> storePhrase(const std::vector<SjisString>& history, SjisView phrase,
                                    int saveCount);

} // namespace corvane::search
