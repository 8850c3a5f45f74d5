// Adding many sub-subjects at once from clipboard text: one "main title<TAB>title" pair per line,
// where a comma counts as a tab, so a spreadsheet's copied cells and a CSV file both work.
#pragma once

#include "base/Services.h"
#include "model/ProjectData.h"

#include <optional>
#include <vector>

namespace corvane {

struct SubjectPair
{
    SjisString mainTitle;
    SjisString title;
};

/// The text with "\n\r", "\r\n" and "\r" (in that order) made "\n" and every "," made "\t".
/// None of these bytes can be the second byte of a Shift-JIS character, so a byte-wise
/// replacement never splits one.
SjisString normaliseBatchText(SjisView text);

struct BatchText
{
    int lineFeeds = 0; ///< line feeds of the normalised text
    /// Lines that hold a tab: the text before the first tab and the rest. A last line without a
    /// line feed after it is taken too. Texts are not cut here.
    std::vector<SubjectPair> pairs;
};
BatchText parseBatchText(SjisView text);

/// The first ten pairs as "main<TAB>title\n" lines, then "…　以下省略。全 %d件\n" with the
/// number of pairs when there are more than ten.
SjisString batchPreview(const std::vector<SubjectPair>& pairs);

class BatchAdd
{
public:
    BatchAdd(ProjectData& project, Services& services) : p_(project), s_(services) {}

    /// Runs the batch add over clipboard text (nullopt: the clipboard held no text, 30042).
    /// A single line with a tab is added without a question; several lines are shown in a preview
    /// first (30078), after 30074 when they would pass the object limit. Each text is cut to 100
    /// bytes at a character boundary. Returns the number of sub-subjects added; the caller
    /// rebuilds the subject list when it is above zero.
    int run(const std::optional<SjisString>& clipboard);

    /// Appends the pairs in order without questions, stopping at the object limit (after its
    /// message). Sets modified, redraws the chart when shown and rewrites the status counts once.
    int addPairs(const std::vector<SubjectPair>& pairs);

private:
    ProjectData& p_;
    Services& s_;
};

} // namespace corvane
