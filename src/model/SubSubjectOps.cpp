#include "model/SubSubjectOps.h"

#include "model/FixedText.h"
#include "model/Limits.h"
#include "model/NodeDefaults.h"
#include "model/ObjectTable.h"
#include "model/ProjectStatus.h"

namespace corvane {

int SubSubjectOps::add(SjisView mainTitle, SjisView title)
{
    if (!objectLimitCheck(s_.messages, true, p_.objectCount))
        return -1;
    const ObjectId id = newObjectId(p_);
    ObjectRecord* r = ObjectTable(p_).appendZeroed();
    if (!r)
        return -1;
    r->id = id;
    r->type = ObjectType::SubSubject;
    setFixedText(r->firstText, mainTitle);
    setFixedText(r->secondText, title);
    applyNodeDefaults(*r, s_.settings);
    setModified(p_);
    refreshStatusCounts(p_, s_);
    return p_.objectCount - 1;
}

} // namespace corvane
