#include "model/LinkTable.h"

#include "base/Check.h"
#include "model/TableCompaction.h"

#include <cstring>

namespace corvane {

bool linkExists(const ProjectData& project, ObjectId from, ObjectId to, bool directed)
{
    const LinkRecord* links = project.links.get();
    for (int i = 0; i < project.linkCount; ++i) {
        if (links[i].from == from && links[i].to == to)
            return true;
        if (!directed && links[i].from == to && links[i].to == from)
            return true;
    }
    return false;
}

bool LinkTable::append(ObjectId from, ObjectId to)
{
    if (p_.linkCount >= kMaxLinks)
        return false;
    p_.links[p_.linkCount] = LinkRecord{from, to};
    ++p_.linkCount;
    return true;
}

bool LinkTable::removeAt(int linkIndex)
{
    CV_CHECK(linkIndex >= 0 && linkIndex < p_.linkCount, return false);
    LinkRecord* links = p_.links.get();
    std::memmove(links + linkIndex, links + linkIndex + 1,
                 sizeof(LinkRecord) * static_cast<std::size_t>(p_.linkCount - linkIndex - 1));
    --p_.linkCount;
    return true;
}

template <typename Drop> bool LinkTable::removeIf(Drop drop)
{
    const LinkRecord* links = p_.links.get();
    const int newCount = detail::compactTable(
        p_.links.get(), p_.linkCount, [&](int i) { return drop(links[i]); }, [](int, int, int) {},
        [](int) {});
    const bool removed = newCount != p_.linkCount;
    p_.linkCount = newCount;
    return removed;
}

bool LinkTable::removeBetween(ObjectId from, ObjectId to)
{
    return removeIf([&](const LinkRecord& l) { return l.from == from && l.to == to; });
}

bool LinkTable::removeOfObject(ObjectId id)
{
    return removeIf([&](const LinkRecord& l) { return l.from == id || l.to == id; });
}

int countLinksOfObject(const ProjectData& project, ObjectId id)
{
    int n = 0;
    for (int i = 0; i < project.linkCount; ++i)
        if (project.links[i].from == id || project.links[i].to == id)
            ++n;
    return n;
}

} // namespace corvane
