// The subject list's changes of sub-subjects: adding one, retitling, deleting one, a whole main
// subject or all of them, with their questions and the refreshes of the other windows. The
// subject list itself rebuilds after each change that returns true.
#pragma once

#include "base/Services.h"
#include "model/ProjectData.h"

namespace corvane {

/// Longest main title or title in bytes (the record fields hold 100 bytes and a zero).
inline constexpr int kMaxTitleBytes = 100;

/// The subject dialog's check of its two texts before it closes.
struct TitleCheck
{
    enum class Field
    {
        None,
        MainTitle,
        Title
    };
    int message = 0; ///< 0 accepted, 30045 empty, 30044 longer than kMaxTitleBytes
    Field field = Field::None;
};
TitleCheck checkSubjectTitles(SjisView mainTitle, SjisView title);

/// "(%d/%dバイト)" with the byte count and kMaxTitleBytes, in Shift-JIS.
SjisString titleByteCounter(std::size_t bytes);

class SubjectOps
{
public:
    SubjectOps(ProjectData& project, Services& services) : p_(project), s_(services) {}

    /// The object limit check before the add dialog opens (shows the limit message).
    bool canAddOne();
    /// Appends a sub-subject (texts cut to 100 bytes at a character boundary); its index, or -1.
    int add(SjisView mainTitle, SjisView title);
    /// Stores both texts of the sub-subject; false when the ID is not a sub-subject.
    bool changeTitles(ObjectId id, SjisView mainTitle, SjisView title);
    /// Deletes the sub-subject and its links, after the question with its title when ask is set.
    bool deleteSubSubject(ObjectId id, bool ask = true);
    /// Deletes every sub-subject of the main title (and their links) after one question.
    bool deleteMainSubject(SjisView mainTitle);
    /// Deletes every sub-subject and their links after one question; markers stay, in order.
    bool deleteAll();

private:
    /// Removes the sub-subjects drop selects, with their links, and refreshes what showed them.
    template <typename Drop> int removeSubSubjects(Drop drop);

    ProjectData& p_;
    Services& s_;
};

} // namespace corvane
