#include "textview/TextDocument.h"

#include "base/Sjis.h"
#include "model/Bookmarks.h"
#include "model/FixedText.h"
#include "model/ObjectTable.h"
#include "model/ProjectStatus.h"
#include "res/MessageCatalogue.h"
#include "res/MessageNumbers.h"
#include "textview/CharMotion.h"

#include <algorithm>
#include <climits>

namespace corvane {

namespace {

constexpr SjisView kUndoFileContext = "UndoFile\n";
/// As the store: byte offsets are int32, with room left for an insertion.
constexpr std::int64_t kMaxDocumentBytes = INT_MAX / 2;

} // namespace

TextDocument::TextDocument(ProjectData& project, Services& services, SjisString relativePath,
                           std::size_t undoTextLimitBytes)
    : p_(project), s_(services), relativePath_(std::move(relativePath)), store_(services.messages),
      undo_(undoTextLimitBytes)
{
}

bool TextDocument::open(const std::string& diskPath, const std::string& workFolder)
{
    undo_.clear();
    if (!store_.open(diskPath, workFolder))
        return false;
    if (widths_)
        keys_.build(store_.text(), *widths_, breakWidth_);
    return true;
}

void TextDocument::moved(SjisString newRelativePath, const std::string& newDiskPath)
{
    relativePath_ = std::move(newRelativePath);
    store_.documentMoved(newDiskPath);
}

void TextDocument::setLayout(CharWidthTable* widths, int breakWidthE)
{
    widths_ = widths;
    breakWidth_ = breakWidthE;
    if (widths_)
        keys_.build(store_.text(), *widths_, breakWidth_);
}

EditResult TextDocument::replace(ByteOffset from, ByteOffset to, SjisView bytes)
{
    const SjisView text = store_.text();
    if (from < 0 || to < from || to > length() || !motion::isCaretPosition(text, from) ||
        !motion::isCaretPosition(text, to))
        return {EditStatus::Invalid, from};
    if (from == to && bytes.empty())
        return {EditStatus::Nothing, from};
    if (std::int64_t(length()) - (to - from) + std::int64_t(bytes.size()) > kMaxDocumentBytes) {
        showMessage(s_.messages, msg::kMemoryFailed, {}, style::error);
        return {EditStatus::Failed, from};
    }

    const TextEdit edit{from, to - from, static_cast<std::int32_t>(bytes.size())};
    const MarkerCheck check = checkMarkers(p_, relativePath_, edit);
    if (check.refused) {
        showMessage(s_.messages, msg::kInsideMarker, {}, style::error);
        return {EditStatus::Refused, from};
    }
    if (!check.covered.empty() &&
        showMessage(s_.messages, msg::kRangeHoldsMarkers, {}, style::yesNo) != Answer::Yes)
        return {EditStatus::Cancelled, from};

    SjisString removed;
    if (!commit(edit, bytes, check.covered, BookmarkRule::ClearInRange, &removed))
        return {EditStatus::Failed, from};
    if (!removed.empty())
        undo_.record({EditRecord::Kind::Deleted, from, std::move(removed)});
    if (!bytes.empty())
        undo_.record({EditRecord::Kind::Inserted, from, SjisString(bytes)});
    return {EditStatus::Done, from + edit.insertedBytes};
}

EditResult TextDocument::deleteForward(ByteOffset caret)
{
    const motion::ByteRange range = motion::deleteForwardRange(store_.text(), caret);
    if (range.empty())
        return {EditStatus::Nothing, caret};
    return erase(range.begin, range.end);
}

EditResult TextDocument::deleteBackward(ByteOffset caret)
{
    const motion::ByteRange range = motion::backspaceRange(store_.text(), caret);
    if (range.empty())
        return {EditStatus::Nothing, caret};
    return erase(range.begin, range.end);
}

EditResult TextDocument::undo()
{
    if (!undo_.canUndo())
        return {};
    const EditResult result = replay(undo_.nextUndo(), true);
    if (result.status == EditStatus::Done)
        undo_.undone();
    return result;
}

EditResult TextDocument::redo()
{
    if (!undo_.canRedo())
        return {};
    const EditResult result = replay(undo_.nextRedo(), false);
    if (result.status == EditStatus::Done)
        undo_.redone();
    return result;
}

EditResult TextDocument::replay(const EditRecord& r, bool undoing)
{
    const auto size = static_cast<std::int32_t>(r.text.size());
    // Undoing an insertion removes its text; redoing it inserts it again; a deletion the other
    // way round.
    const bool inserts = (r.kind == EditRecord::Kind::Inserted) != undoing;
    const TextEdit edit = inserts ? TextEdit{r.position, 0, size} : TextEdit{r.position, size, 0};
    if (r.position < 0 || std::int64_t(r.position) + edit.removedBytes > length()) {
        showMessage(s_.messages, msg::kReadSizeDiffers, kUndoFileContext, style::error);
        return {EditStatus::Failed, 0};
    }
    const MarkerCheck check = checkMarkers(p_, relativePath_, edit);
    if (check.refused || !check.covered.empty()) {
        showMessage(s_.messages, msg::kInsideMarker, {}, style::error);
        return {EditStatus::Refused, 0};
    }
    const SjisView inserted = inserts ? SjisView(r.text) : SjisView();
    if (!commit(edit, inserted, {}, BookmarkRule::MoveToEditPoint, nullptr))
        return {EditStatus::Failed, 0};
    // An undo leaves the caret where the text changed, a redo after what it put back.
    const ByteOffset at = undoing ? edit.at : edit.at + edit.insertedBytes;
    return {EditStatus::Done, motion::snapToCaretPosition(store_.text(), at)};
}

bool TextDocument::commit(const TextEdit& edit, SjisView inserted,
                          const std::vector<ObjectId>& covered, BookmarkRule rule,
                          SjisString* removedOut)
{
    const ByteOffset oldLength = length();
    SjisString removed(store_.text().substr(static_cast<std::size_t>(edit.at),
                                            static_cast<std::size_t>(edit.removedBytes)));
    if (!store_.replaceBytes(edit.at, edit.removedBytes, inserted))
        return false;

    // The text changed; from here on nothing can fail.
    removeCoveredMarkers(p_, s_, relativePath_, covered);
    const bool markersMoved = shiftMarkers(p_, relativePath_, edit);
    const std::vector<int> cleared = shiftBookmarks(p_, relativePath_, edit, oldLength, rule);
    bool bookmarksMoved = !cleared.empty();
    for (int slot = 0; slot < kBookmarkCount && !bookmarksMoved; ++slot)
        bookmarksMoved = fixedText(p_.textView.bookmarkPath[slot]) == relativePath_ &&
                         p_.textView.bookmarkPosition[slot] >= edit.at;
    if (markersMoved || bookmarksMoved)
        setModified(p_);
    for (int slot : cleared)
        s_.refresh.bookmarkCleared(slot);

    changed(edit, removed);
    if (removedOut)
        *removedOut = std::move(removed);
    return true;
}

void TextDocument::changed(const TextEdit& edit, SjisView removedBytes)
{
    store_.setModified();
    if (widths_)
        keys_.update(store_.text(), *widths_, breakWidth_, edit.at, removedBytes,
                     edit.insertedBytes);
    // A copy: a watcher may stop watching from inside its notification.
    const std::vector<TextDocumentWatcher*> watchers = watchers_;
    for (TextDocumentWatcher* w : watchers)
        w->textChanged(*this, edit);
}

bool TextDocument::convertCase(ByteOffset from, ByteOffset to, bool upper)
{
    const SjisView text = store_.text();
    if (from < 0 || to <= from || to > length() || !motion::isCaretPosition(text, from) ||
        !motion::isCaretPosition(text, to))
        return false;
    const SjisString before(
        text.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from)));
    const SjisString after = upper ? sjis::toUpperAscii(before) : sjis::toLowerAscii(before);
    if (after == before || !store_.overwriteBytes(from, after))
        return false;

    // Markers keep their places; their stored text follows the new case.
    bool markersChanged = false;
    for (int i = 0; i < p_.objectCount; ++i) {
        ObjectRecord& r = p_.objects[i];
        if (r.type != ObjectType::Marker || fixedText(r.document) != relativePath_ ||
            std::int64_t(r.position) >= to || std::int64_t(r.position) + r.length <= from ||
            r.position < 0 || std::int64_t(r.position) + r.length > length())
            continue;
        setFixedText(r.secondText, store_.text().substr(static_cast<std::size_t>(r.position),
                                                        static_cast<std::size_t>(r.length)));
        markersChanged = true;
    }
    if (markersChanged) {
        setModified(p_);
        s_.refresh.rebuildMarkerList();
        if (p_.chartShown)
            s_.refresh.redrawChart();
    }
    // Widths of the new letters differ: lay the range out again as a same-length replacement.
    changed(TextEdit{from, to - from, to - from}, before);
    return true;
}

bool TextDocument::savesWithProject() const
{
    if (!isModified())
        return false;
    return countMarkersIn(p_, relativePath_) > 0 || bookmarks::anyIn(p_, relativePath_);
}

void TextDocument::addWatcher(TextDocumentWatcher* watcher)
{
    if (std::find(watchers_.begin(), watchers_.end(), watcher) == watchers_.end())
        watchers_.push_back(watcher);
}

void TextDocument::removeWatcher(TextDocumentWatcher* watcher)
{
    watchers_.erase(std::remove(watchers_.begin(), watchers_.end(), watcher), watchers_.end());
}

} // namespace corvane
