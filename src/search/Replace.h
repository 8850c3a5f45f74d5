// Batch replace: one document's new text is built in memory from the matcher's hits, with the
// marker rules deciding hit by hit, and then written once: an open document through its
// TextDocument, a closed one through the safe writer. Markers and bookmarks move only after the
// text is in place.
#pragma once

#include "base/MessageSink.h"
#include "base/Types.h"
#include "model/MarkerShift.h"
#include "model/ProjectData.h"
#include "search/Matcher.h"
#include "search/SearchRun.h"

#include <cstdint>
#include <string>
#include <vector>

namespace corvane::search {

struct MarkerSpan
{
    ByteOffset position = 0;
    std::int32_t length = 0;
};

/// One document rewritten in memory.
struct Rewrite
{
    SjisString text;                 ///< the new text
    std::vector<TextEdit> edits;     ///< in order, each in the text as the earlier ones left it
    std::int64_t hits = 0;           ///< every hit, refused ones included
    std::int64_t refused = 0;        ///< length-changing hits touching a marker, and the mends'
    std::int64_t refusedOther = 0;   ///< of refused: hits across a line break, split characters
    bool equalLengthTouched = false; ///< an equal-length replacement touched a marker
    bool changed() const { return !edits.empty(); }
};

/// Rewrites raw: every hit of matcher becomes replacement unless
/// - its span holds CR or LF (rewriting it would destroy the line break);
/// - replacement has another length and the hit touches a marker: the hit's start q or end
///   q + n lies within a marker, or a marker lies inside q to q + n;
/// - replacement has the same length and would leave a marker's start or end inside one of its
///   two-byte characters.
/// markers: this document's markers (positions in raw); they are moved as hits are replaced
/// and hold their positions in the new text afterwards.
Rewrite rewrite(SjisView raw, const Matcher& matcher, SjisView replacement,
                std::vector<MarkerSpan>& markers);

/// The markers of the document in the records.
std::vector<MarkerSpan> markersOf(const ProjectData& project, SjisView relativePath);

/// Moves markers and bookmarks of the document for the edits (a bookmark inside a replaced hit
/// moves to its start) and, when reread, reads every marker's text of the document again from
/// newText. Sets the project's modified flag when anything changed.
void applyToRecords(ProjectData& project, SjisView relativePath, const Rewrite& rewrite,
                    std::int32_t oldLength, bool reread);

/// Counters of a replace run (the Part's meanings: documents searched, documents in which the
/// phrase occurs, hits, refused).
struct ReplaceTotals
{
    int documentsSearched = 0;
    int documentsContaining = 0;
    std::int64_t hits = 0;
    std::int64_t refused = 0;
    std::int64_t refusedOther = 0;
    int documentsWritten = 0;
    int pairsRun = 0;
    bool cancelled = false;
    /// The message number of the failure that stopped the run (0: none) and the path it names.
    int failure = 0;
    std::string failedPath;
};

struct ReplacePair
{
    SjisString before;
    SjisString after;
};

/// Runs the pairs over docs in one pass: each document is read once, every pair is applied to
/// it in order in memory (later pairs see earlier pairs' output) and it is written once.
/// Closed documents go through the safe writer (documents stay read-only); open ones are
/// rewritten in their open text. Stops at the first failure (30027 read, 30073 temporary file,
/// 30018 write or rename), keeping what was already written. Pairs with an empty before-phrase
/// are skipped.
ReplaceTotals runReplace(ProjectData& project, const std::vector<TargetDocument>& docs,
                         const std::vector<ReplacePair>& pairs, bool caseSensitive,
                         Progress* progress = nullptr);

/// The summary text of a replace run (Shift-JIS), with the note lines for refusals.
SjisString replaceSummary(const ReplaceTotals& totals);

} // namespace corvane::search
