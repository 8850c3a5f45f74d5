// Creation of sub-subjects, the titles of the subject list, as object records of type 1.
#pragma once

#include "base/Services.h"
#include "model/ProjectData.h"

namespace corvane {

class SubSubjectOps
{
public:
    SubSubjectOps(ProjectData& project, Services& services) : p_(project), s_(services) {}

    /// Appends a sub-subject with the main subject's text and its own title, each cut to 100
    /// bytes at a character boundary, not placed in the chart, with the DefSubject node style.
    /// Returns its index, or -1 at the object limit (after the limit message).
    int add(SjisView mainTitle, SjisView title);

private:
    ProjectData& p_;
    Services& s_;
};

} // namespace corvane
