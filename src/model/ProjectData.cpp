#include "model/ProjectData.h"

#include <algorithm>
#include <cstring>

namespace corvane {

ProjectData::ProjectData()
    : objects(new ObjectRecord[kTableCapacity]()), links(new LinkRecord[kTableCapacity]())
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
