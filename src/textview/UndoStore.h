// The undo and redo lists of one open document. A record says which bytes an edit inserted or
// deleted where; undo applies its opposite, redo applies it again. Records hold byte offsets into
// the text as it was when they were made, so they are valid only in order: a new edit empties
// the redo list, and whoever changes the text or its markers by other routes empties both.
#pragma once

#include "base/Types.h"

#include <cstddef>
#include <deque>

namespace corvane {

struct EditRecord
{
    enum class Kind
    {
        Deleted = 0,
        Inserted = 1
    };
    Kind kind = Kind::Inserted;
    ByteOffset position = 0; ///< where the text was inserted, or where the deleted range started
    SjisString text;         ///< the inserted or deleted bytes
};

class UndoStore
{
public:
    /// A list that reaches this many records drops its oldest and keeps one fewer: 99 edits can
    /// be undone once the list has filled.
    static constexpr std::size_t kListLimit = 100;
    /// Text held by both lists together, in bytes: a Select All + Delete of a large document must
    /// not let a hundred records pin gigabytes. The oldest records go first.
    static constexpr std::size_t kDefaultTextLimit = 256u * 1024 * 1024;

    explicit UndoStore(std::size_t textLimitBytes = kDefaultTextLimit) : textLimit_(textLimitBytes)
    {
    }

    /// A new edit: the redo list is emptied (its byte offsets belong to a text that is gone), the
    /// record goes on the undo list, and the oldest records are dropped by both limits. A record
    /// larger than the text limit alone is not kept: that edit cannot be undone.
    void record(EditRecord record);

    bool canUndo() const { return !undo_.empty(); }
    bool canRedo() const { return !redo_.empty(); }
    /// The record undo would apply the opposite of; only when canUndo().
    const EditRecord& nextUndo() const { return undo_.back(); }
    /// The record redo would apply; only when canRedo().
    const EditRecord& nextRedo() const { return redo_.back(); }
    /// The newest undo record was undone: it moves to the redo list (same limits).
    void undone();
    /// The newest redo record was applied again: it moves back to the undo list.
    void redone();

    void clear();

    std::size_t undoCount() const { return undo_.size(); }
    std::size_t redoCount() const { return redo_.size(); }
    /// Bytes of text held by both lists.
    std::size_t textBytes() const { return textBytes_; }

private:
    void push(std::deque<EditRecord>& list, EditRecord record);
    void dropOldest(std::deque<EditRecord>& list);

    std::deque<EditRecord> undo_; ///< oldest first
    std::deque<EditRecord> redo_; ///< oldest first; the newest is the next to redo
    std::size_t textLimit_;
    /// invariant: the sum of text.size() over both lists, <= textLimit_
    std::size_t textBytes_ = 0;
};

} // namespace corvane
