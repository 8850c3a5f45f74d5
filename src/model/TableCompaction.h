// Removal from the fixed-capacity tables: the records kept slide down over the gaps in runs, so
// order is kept, nothing is allocated, and each kept record moves once.
#pragma once

#include <cstddef>
#include <cstring>
#include <type_traits>

namespace corvane::detail {

/// Removes every item i of items[0, count) for which drop(i) holds, keeping the order of the rest.
/// drop is asked about each index once, before anything at or after that index has moved.
/// moved(oldBegin, oldEnd, newBegin) is told about every run of kept items that changed place;
/// dropped(oldIndex) about every removed item. Returns the new count.
template <typename T, typename Drop, typename Moved, typename Dropped>
int compactTable(T* items, int count, Drop drop, Moved moved, Dropped dropped)
{
    static_assert(std::is_trivially_copyable_v<T>);
    int write = 0;
    int read = 0;
    while (read < count) {
        if (drop(read)) {
            dropped(read);
            ++read;
            continue;
        }
        int runEnd = read + 1;
        while (runEnd < count && !drop(runEnd))
            ++runEnd;
        // drop(runEnd) has been asked now; the next loop turn must not ask again.
        if (write != read) {
            std::memmove(items + write, items + read,
                         sizeof(T) * static_cast<std::size_t>(runEnd - read));
            moved(read, runEnd, write);
        }
        write += runEnd - read;
        read = runEnd;
        if (read < count) {
            dropped(read);
            ++read;
        }
    }
    return write;
}

} // namespace corvane::detail
