// The link toggle through which the subject list, the text view and the chart make or remove a
// link, and the removal of one link from the link list, with their confirmations and refreshes.
#pragma once

#include "base/Services.h"
#include "model/ProjectData.h"

namespace corvane {

class LinkOps
{
public:
    LinkOps(ProjectData& project, Services& services) : p_(project), s_(services) {}

    /// True when the link table holds (ID at fromIndex, ID at toIndex), or, when directed is
    /// false, the opposite direction too. False for indexes out of range.
    bool exists(int fromIndex, int toIndex, bool directed) const;

    /// The toggle: removes the link from -> to when it exists (after 30052 when KanSet/DelMes is
    /// 1), otherwise adds it (after 30051 when KanSet/MakeMes is 1). A link between two
    /// sub-subjects is refused with 30093. True when the table changed. Indexes out of range and a
    /// link from an object to itself are refused with false.
    bool toggle(int fromIndex, int toIndex);

    /// Removes the link record at linkIndex and refreshes both its ends. False when out of range.
    bool deleteAt(int linkIndex);

private:
    /// Redraws what shows a link of the objects with these IDs, sets modified, status counts.
    void linksChanged(ObjectId from, ObjectId to);

    ProjectData& p_;
    Services& s_;
};

} // namespace corvane
