#include "subjects/SubjectOps.h"

#include "model/FixedText.h"
#include "model/Limits.h"
#include "model/ObjectTable.h"
#include "model/ProjectStatus.h"
#include "model/SubSubjectOps.h"
#include "res/MessageCatalogue.h"
#include "res/MessageNumbers.h"

#include <set>
#include <unordered_set>

namespace corvane {

namespace {

// "\n====================\nこの題名を"
constexpr SjisView kThisTitleParticle = "\n====================\n"
                                        "\x82\xb1\x82\xcc\x91\xe8\x96\xbc\x82\xf0";
constexpr SjisView kOpenQuote = "\x81\x77"; // "『"
// "』と直下の副題を"
constexpr SjisView kMainSubjectParticle =
    "\x81\x78\x82\xc6\x92\xbc\x89\xba\x82\xcc\x95\x9b\x91\xe8\x82\xf0";
// "すべての「主題」「副題」を"
constexpr SjisView kAllParticle = "\x82\xb7\x82\xd7\x82\xc4\x82\xcc\x81\x75\x8e\xe5\x91\xe8"
                                  "\x81\x76\x81\x75\x95\x9b\x91\xe8\x81\x76\x82\xf0";
// "(" ... "/" ... "バイト)"
constexpr SjisView kByteCounterTail = "\x83\x6f\x83\x43\x83\x67)";

} // namespace

TitleCheck checkSubjectTitles(SjisView mainTitle, SjisView title)
{
    using F = TitleCheck::Field;
    if (mainTitle.empty())
        return {msg::kNoText, F::MainTitle};
    if (title.empty())
        return {msg::kNoText, F::Title};
    if (mainTitle.size() > kMaxTitleBytes)
        return {msg::kTextTooLong, F::MainTitle};
    if (title.size() > kMaxTitleBytes)
        return {msg::kTextTooLong, F::Title};
    return {};
}

SjisString titleByteCounter(std::size_t bytes)
{
    SjisString out = "(" + std::to_string(bytes) + "/" + std::to_string(kMaxTitleBytes);
    out += kByteCounterTail;
    return out;
}

bool SubjectOps::canAddOne()
{
    return objectLimitCheck(s_.messages, true, p_.objectCount);
}

int SubjectOps::add(SjisView mainTitle, SjisView title)
{
    const int index = SubSubjectOps(p_, s_).add(mainTitle, title);
    if (index >= 0 && p_.chartShown)
        s_.refresh.redrawChart();
    return index;
}

bool SubjectOps::changeTitles(ObjectId id, SjisView mainTitle, SjisView title)
{
    const int index = findObjectIndex(p_, id);
    if (index < 0 || p_.objects[index].type != ObjectType::SubSubject)
        return false;
    ObjectRecord& r = p_.objects[index];
    setFixedText(r.firstText, mainTitle);
    setFixedText(r.secondText, title);
    if (p_.chartShown)
        s_.refresh.redrawChart();
    // The properties pane may show the old titles.
    if (p_.currentObject == index)
        s_.refresh.showPropertiesOfObject(p_.objects[index].id);
    setModified(p_);
    return true;
}

template <typename Drop> int SubjectOps::removeSubSubjects(Drop drop)
{
    // Markers linked to a removed sub-subject lose a link: their text views redraw the count.
    std::unordered_set<ObjectId> removed;
    for (int i = 0; i < p_.objectCount; ++i)
        if (p_.objects[i].type == ObjectType::SubSubject && drop(p_.objects[i]))
            removed.insert(p_.objects[i].id);
    if (removed.empty())
        return 0;
    std::set<SjisString> documents;
    for (int i = 0; i < p_.linkCount; ++i) {
        const LinkRecord& l = p_.links[i];
        const bool fromRemoved = removed.count(l.from) != 0;
        if (!fromRemoved && removed.count(l.to) == 0)
            continue;
        const int other = findObjectIndex(p_, fromRemoved ? l.to : l.from);
        if (other >= 0 && p_.objects[other].type == ObjectType::Marker)
            documents.emplace(fixedText(p_.objects[other].document));
    }
    const bool hadCurrent = p_.currentObject >= 0;
    const int count = ObjectTable(p_).removeIf([&](const ObjectRecord& r) {
        return r.type == ObjectType::SubSubject && removed.count(r.id) != 0;
    });
    for (const SjisString& d : documents)
        if (s_.views.isDocumentOpen(d))
            s_.refresh.redrawTextViewsOf(d);
    if (hadCurrent && p_.currentObject < 0)
        s_.refresh.resetPropertiesPane();
    if (p_.chartShown)
        s_.refresh.redrawChart();
    // The marker list's rows name their markers' table indexes, which the removal moved.
    s_.refresh.rebuildMarkerList();
    setModified(p_);
    refreshStatusCounts(p_, s_);
    return count;
}

bool SubjectOps::deleteSubSubject(ObjectId id, bool ask)
{
    const int index = findObjectIndex(p_, id);
    if (index < 0 || p_.objects[index].type != ObjectType::SubSubject)
        return false;
    if (ask) {
        SjisString leading(fixedText(p_.objects[index].secondText));
        leading += kThisTitleParticle;
        if (showMessage(s_.messages, msg::kConfirmDeleteWithLinks, leading, style::yesNo) !=
            Answer::Yes)
            return false;
    }
    return removeSubSubjects([id](const ObjectRecord& r) { return r.id == id; }) > 0;
}

bool SubjectOps::deleteMainSubject(SjisView mainTitle)
{
    SjisString leading(kOpenQuote);
    leading += mainTitle;
    leading += kMainSubjectParticle;
    if (showMessage(s_.messages, msg::kConfirmDeleteWithLinks, leading, style::yesNo) !=
        Answer::Yes)
        return false;
    const SjisString title(mainTitle); // the view may point into a record about to move
    return removeSubSubjects(
               [&title](const ObjectRecord& r) { return fixedText(r.firstText) == title; }) > 0;
}

bool SubjectOps::deleteAll()
{
    if (showMessage(s_.messages, msg::kConfirmDeleteWithLinks, kAllParticle, style::yesNo) !=
        Answer::Yes)
        return false;
    return removeSubSubjects([](const ObjectRecord&) { return true; }) > 0;
}

} // namespace corvane
