#include "model/ObjectTable.h"

#include "model/FixedText.h"
#include "model/LinkTable.h"
#include "model/TableCompaction.h"

#include <bitset>
#include <cstring>
#include <limits>

namespace corvane {

ObjectId newObjectId(const ProjectData& project)
{
    ObjectId largest = 0;
    for (int i = 0; i < project.objectCount; ++i)
        if (project.objects[i].id > largest)
            largest = project.objects[i].id;
    if (largest < std::numeric_limits<ObjectId>::max())
        return largest + 1;
    // With at most kMaxObjects records, one of 1..kTableCapacity is always free.
    std::bitset<kTableCapacity + 1> used;
    for (int i = 0; i < project.objectCount; ++i) {
        const ObjectId id = project.objects[i].id;
        if (id > 0 && id <= kTableCapacity)
            used.set(static_cast<std::size_t>(id));
    }
    for (ObjectId id = 1; id <= kTableCapacity; ++id)
        if (!used.test(static_cast<std::size_t>(id)))
            return id;
    return 1; // unreachable while objectCount <= kMaxObjects
}

int findObjectIndex(const ProjectData& project, ObjectId id)
{
    for (int i = 0; i < project.objectCount; ++i)
        if (project.objects[i].id == id)
            return i;
    return -1;
}

int findObjectTexts(const ProjectData& project, ObjectId id, SjisString& firstText,
                    SjisString& secondText)
{
    const int index = findObjectIndex(project, id);
    if (index >= 0) {
        firstText = SjisString(fixedText(project.objects[index].firstText));
        secondText = SjisString(fixedText(project.objects[index].secondText));
    }
    return index;
}

int countMarkersIn(const ProjectData& project, SjisView relativePath)
{
    int n = 0;
    for (int i = 0; i < project.objectCount; ++i) {
        const ObjectRecord& r = project.objects[i];
        if (r.type == ObjectType::Marker && fixedText(r.document) == relativePath)
            ++n;
    }
    return n;
}

int countMarkers(const ProjectData& project)
{
    int n = 0;
    for (int i = 0; i < project.objectCount; ++i)
        if (project.objects[i].type == ObjectType::Marker)
            ++n;
    return n;
}

bool ObjectTable::remove(ObjectId id)
{
    // The common case is one record: find it first so that a miss costs only the scan.
    if (findObjectIndex(p_, id) < 0)
        return false;
    return removeIf([id](const ObjectRecord& r) { return r.id == id; }) > 0;
}

int ObjectTable::removeMatching(bool (*drop)(const ObjectRecord&, const void*), const void* context)
{
    LinkTable links(p_);
    const ObjectRecord* objects = p_.objects.get();
    int& current = p_.currentObject;
    int newCurrent = current;
    const int newCount = detail::compactTable(
        p_.objects.get(), p_.objectCount, [&](int i) { return drop(objects[i], context); },
        [&](int oldBegin, int oldEnd, int newBegin) {
            if (current >= oldBegin && current < oldEnd)
                newCurrent = newBegin + (current - oldBegin);
        },
        [&](int i) {
            // objects[i] has not moved yet: its ID is still readable here.
            links.removeOfObject(objects[i].id);
            if (i == current)
                newCurrent = -1;
        });
    const int removed = p_.objectCount - newCount;
    p_.objectCount = newCount;
    current = newCurrent;
    return removed;
}

ObjectRecord* ObjectTable::appendZeroed()
{
    if (p_.objectCount >= kMaxObjects)
        return nullptr;
    ObjectRecord* r = &p_.objects[p_.objectCount];
    std::memset(r, 0, sizeof *r);
    ++p_.objectCount;
    return r;
}

} // namespace corvane
