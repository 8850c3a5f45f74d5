#include "model/LinkOps.h"

#include "base/Check.h"
#include "base/SettingsKeys.h"
#include "model/FixedText.h"
#include "model/Limits.h"
#include "model/LinkTable.h"
#include "model/ObjectTable.h"
#include "model/ProjectStatus.h"
#include "res/MessageCatalogue.h"
#include "res/MessageNumbers.h"

namespace corvane {

namespace {

constexpr SjisView kOpenQuote = "\x81\x77";                        // "『"
constexpr SjisView kFrom = "\x81\x78\n\x82\xa9\x82\xe7\n\x81\x77"; // "』\nから\n『"
constexpr SjisView kTo = "\x81\x78\n\x82\xd6\x82\xcc";             // "』\nへの"

} // namespace

bool LinkOps::exists(int fromIndex, int toIndex, bool directed) const
{
    if (fromIndex < 0 || fromIndex >= p_.objectCount || toIndex < 0 || toIndex >= p_.objectCount)
        return false;
    return linkExists(p_, p_.objects[fromIndex].id, p_.objects[toIndex].id, directed);
}

bool LinkOps::toggle(int fromIndex, int toIndex)
{
    if (fromIndex < 0 || fromIndex >= p_.objectCount || toIndex < 0 || toIndex >= p_.objectCount ||
        fromIndex == toIndex)
        return false;
    const ObjectRecord& from = p_.objects[fromIndex];
    const ObjectRecord& to = p_.objects[toIndex];

    if (linkExists(p_, from.id, to.id, true)) {
        if (read(s_.settings, keys::DelMes) == 1 &&
            showMessage(s_.messages, msg::kConfirmRemoveLink, {}, style::yesNo) != Answer::Yes)
            return false;
        if (!LinkTable(p_).removeBetween(from.id, to.id))
            return false;
        linksChanged(from.id, to.id);
        return true;
    }
    // The limit guards adding only: a full table must still let the user remove a link.
    if (!linkLimitCheck(s_.messages, true, p_.linkCount))
        return false;
    if (from.type == ObjectType::SubSubject && to.type == ObjectType::SubSubject) {
        showMessage(s_.messages, msg::kSubSubjectToSubSubject, {}, style::information);
        return false;
    }
    if (read(s_.settings, keys::MakeMes) == 1) {
        SjisString leading(kOpenQuote);
        leading += fixedText(from.secondText);
        leading += kFrom;
        leading += fixedText(to.secondText);
        leading += kTo;
        if (showMessage(s_.messages, msg::kConfirmMakeLink, leading, style::yesNo) != Answer::Yes)
            return false;
    }
    if (!LinkTable(p_).append(from.id, to.id))
        return false;
    linksChanged(from.id, to.id);
    return true;
}

bool LinkOps::deleteAt(int linkIndex)
{
    CV_CHECK(linkIndex >= 0 && linkIndex < p_.linkCount, return false);
    const LinkRecord link = p_.links[linkIndex];
    LinkTable(p_).removeAt(linkIndex);
    linksChanged(link.from, link.to);
    return true;
}

void LinkOps::linksChanged(ObjectId from, ObjectId to)
{
    for (const ObjectId id : {from, to}) {
        const int index = findObjectIndex(p_, id);
        if (index < 0)
            continue; // a dangling link end from a damaged file: nothing shows it
        const ObjectRecord& r = p_.objects[index];
        if (r.type == ObjectType::Marker) {
            const SjisView document = fixedText(r.document);
            if (s_.views.isDocumentOpen(document))
                s_.refresh.redrawTextViewsOf(document);
        } else if (r.type == ObjectType::SubSubject) {
            s_.refresh.updateLinkMark(r.id);
        }
    }
    if (p_.chartShown)
        s_.refresh.redrawChart();
    setModified(p_);
    refreshStatusCounts(p_, s_);
}

} // namespace corvane
