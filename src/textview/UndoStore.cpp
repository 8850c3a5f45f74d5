#include "textview/UndoStore.h"

#include <utility>

namespace corvane {

void UndoStore::record(EditRecord record)
{
    while (!redo_.empty())
        dropOldest(redo_);
    push(undo_, std::move(record));
}

void UndoStore::undone()
{
    EditRecord r = std::move(undo_.back());
    undo_.pop_back();
    textBytes_ -= r.text.size();
    push(redo_, std::move(r));
}

void UndoStore::redone()
{
    EditRecord r = std::move(redo_.back());
    redo_.pop_back();
    textBytes_ -= r.text.size();
    push(undo_, std::move(r));
}

void UndoStore::clear()
{
    undo_.clear();
    redo_.clear();
    textBytes_ = 0;
}

void UndoStore::push(std::deque<EditRecord>& list, EditRecord record)
{
    if (record.text.size() > textLimit_)
        return;
    textBytes_ += record.text.size();
    list.push_back(std::move(record));
    if (list.size() >= kListLimit)
        dropOldest(list);
    // Past the text limit the oldest records of this list go first, never the one just pushed,
    // then those of the other list. Only a new record can raise the total, and a new record has
    // emptied the redo list, so in practice the undo list's far past is dropped.
    std::deque<EditRecord>& other = &list == &undo_ ? redo_ : undo_;
    while (textBytes_ > textLimit_ && list.size() > 1)
        dropOldest(list);
    while (textBytes_ > textLimit_ && !other.empty())
        dropOldest(other);
}

void UndoStore::dropOldest(std::deque<EditRecord>& list)
{
    textBytes_ -= list.front().text.size();
    list.pop_front();
}

} // namespace corvane
