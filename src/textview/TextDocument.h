// One open document as logic owns it: its text (through the text store and its working copy),
// the key table kept up to date edit by edit, the undo and redo lists, the modified state, and
// the rules by which every edit checks and moves the markers and bookmarks in it. Views, search,
// replace and exports reach the text here; a view keeps only its caret, selection, scroll and
// fonts, and hears of changes as a watcher.
//
// Every edit is settled completely first (range, size, marker refusal 30094, the question 30059
// about covered markers) and only then committed to text, markers, bookmarks, undo lists and key
// table, so a refused, cancelled or failed edit changes nothing.
#pragma once

#include "base/Services.h"
#include "model/MarkerShift.h"
#include "model/ProjectData.h"
#include "textview/KeyTable.h"
#include "textview/TextStore.h"
#include "textview/UndoStore.h"

#include <string>
#include <vector>

namespace corvane {

class TextDocument;

/// A view or pane that shows a document and must follow its changes.
class TextDocumentWatcher
{
public:
    virtual ~TextDocumentWatcher() = default;
    /// The text changed by edit (byte offsets of the text before it); the key table is updated.
    virtual void textChanged(const TextDocument& document, const TextEdit& edit) = 0;
};

enum class EditStatus
{
    Done,
    Nothing,   ///< an empty edit, or no undo or redo record
    Refused,   ///< the edit would cut into a marker (30094 shown)
    Cancelled, ///< No to 30059
    Invalid,   ///< a range outside the text or off a character boundary (no message)
    Failed,    ///< too large (30001), or an undo record that does not fit the text (30114)
};

struct EditResult
{
    EditStatus status = EditStatus::Nothing;
    /// Done: where the caret goes, a character boundary inside the text (after inserted text, at
    /// a deletion's start, at an undone record's position). Otherwise unchanged callers' caret.
    ByteOffset caret = 0;
    bool done() const { return status == EditStatus::Done; }
};

class TextDocument
{
public:
    /// The document of the project whose records name it relativePath (Shift-JIS, "\" separated).
    TextDocument(ProjectData& project, Services& services, SjisString relativePath,
                 std::size_t undoTextLimitBytes = UndoStore::kDefaultTextLimit);
    TextDocument(const TextDocument&) = delete;
    TextDocument& operator=(const TextDocument&) = delete;

    /// Reads the document at diskPath and makes its working copy in workFolder (TextStore::open).
    bool open(const std::string& diskPath, const std::string& workFolder);

    const SjisString& relativePath() const { return relativePath_; }
    /// The document (or a folder above it) was renamed or moved.
    void moved(SjisString newRelativePath, const std::string& newDiskPath);

    SjisView text() const { return store_.text(); }
    ByteOffset length() const { return store_.length(); }
    TextStore& store() { return store_; }
    const TextStore& store() const { return store_; }

    /// Lays the text out for widths and the break width E (a whole build) and keeps the key table
    /// up to date from then on. The widths table must outlive the document or be detached with
    /// setLayout(nullptr, 0), after which edits leave the key table alone.
    void setLayout(CharWidthTable* widths, int breakWidthE);
    const KeyTable& keyTable() const { return keys_; }

    /// The one edit: the bytes [from, to) are replaced by bytes (already in document form: see
    /// InputText.h). Typing over a selection, paste, cut and deleting a range are all this. A
    /// deletion is recorded before the insertion (two undo records), as the keys do it.
    EditResult replace(ByteOffset from, ByteOffset to, SjisView bytes);
    EditResult insert(ByteOffset at, SjisView bytes) { return replace(at, at, bytes); }
    EditResult erase(ByteOffset from, ByteOffset to) { return replace(from, to, {}); }
    /// The Delete key at the caret (the last character of the text too).
    EditResult deleteForward(ByteOffset caret);
    /// Backspace at the caret.
    EditResult deleteBackward(ByteOffset caret);

    /// Undo and redo replay records without asking; a record that would now cut into or cover a
    /// marker (one made on the text by a route that left the lists alone) is refused with 30094.
    EditResult undo();
    EditResult redo();
    UndoStore& undoStore() { return undo_; }
    /// After a marker was made or changed on this text: older records would replay byte offsets
    /// across it.
    void emptyUndoLists() { undo_.clear(); }

    /// Case conversion of [from, to) in place: ASCII letters only, whatever the C locale says
    /// (a Latin-1 toupper turns half-width katakana into lead bytes). The length does not change,
    /// so markers stay; those that overlap the range read their stored text again. Not undoable.
    /// False when the range is invalid or nothing changed.
    bool convertCase(ByteOffset from, ByteOffset to, bool upper);

    /// A batch replace rewrote the whole text (the caller moves markers and bookmarks). The undo
    /// and redo lists are emptied: their byte offsets no longer hold. False when the store
    /// refuses the text (30001).
    bool replaceAllText(SjisString newText);

    bool isModified() const { return store_.isModified(); }
    /// True when the document is modified and markers or bookmarks lie in it: its text and the
    /// project file must go to disk together, so it is saved without asking, never offered in
    /// the save question, and its save also saves the project file.
    bool savesWithProject() const;

    void addWatcher(TextDocumentWatcher* watcher);
    void removeWatcher(TextDocumentWatcher* watcher);

private:
    /// Applies one undo record backwards (undoing) or forwards, with the same checks as an edit.
    EditResult replay(const EditRecord& record, bool undoing);
    /// Commits a settled edit; covered markers are removed first. rule: how bookmarks move.
    bool commit(const TextEdit& edit, SjisView inserted, const std::vector<ObjectId>& covered,
                BookmarkRule rule, SjisString* removedOut);
    void changed(const TextEdit& edit, SjisView removedBytes);

    ProjectData& p_;
    Services& s_;
    SjisString relativePath_;
    TextStore store_;
    UndoStore undo_;
    KeyTable keys_;
    CharWidthTable* widths_ = nullptr; ///< not owned; null: the key table is not kept
    int breakWidth_ = 0;
    std::vector<TextDocumentWatcher*> watchers_;
};

} // namespace corvane
