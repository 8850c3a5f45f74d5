#include "model/ProjectData.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <type_traits>

namespace corvane {

namespace {

/// A zeroed table of kTableCapacity records. The records are plain bytes (the data file's
/// layout), so zero bytes are what value-initialising them would give.
template <typename Record> Record* zeroedTable()
{
    static_assert(std::is_trivially_default_constructible_v<Record> &&
                  std::is_trivially_copyable_v<Record>);
    void* table = std::calloc(kTableCapacity, sizeof(Record));
    if (!table)
        throw std::bad_alloc();
    return static_cast<Record*>(table);
}

} // namespace

ProjectData::ProjectData() : objects(zeroedTable<ObjectRecord>()), links(zeroedTable<LinkRecord>())
{
    applyNewProjectValues(textView);
    applyNewProjectValues(chartView);
}

std::string ProjectData::projectFilePath() const
{
    return folder + name + fileExtension;
}

std::string ProjectData::docFolder() const
{
    return folder + "doc/";
}

void ProjectData::copyContentFrom(const ProjectData& other)
{
    textView = other.textView;
    chartView = other.chartView;
    std::copy_n(other.objects.get(), other.objectCount, objects.get());
    objectCount = other.objectCount;
    std::copy_n(other.links.get(), other.linkCount, links.get());
    linkCount = other.linkCount;
}

void ProjectData::clearTables()
{
    objectCount = 0;
    linkCount = 0;
    currentObject = -1;
}

} // namespace corvane
