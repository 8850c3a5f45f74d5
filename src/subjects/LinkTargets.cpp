#include "subjects/LinkTargets.h"

#include "base/Check.h"
#include "model/FixedText.h"
#include "model/LinkOps.h"
#include "model/ObjectTable.h"
#include "res/MessageCatalogue.h"
#include "res/MessageNumbers.h"

namespace corvane {

namespace {

// "\n====================\nこのリンクを"
constexpr SjisView kThisLinkParticle = "\n====================\n"
                                       "\x82\xb1\x82\xcc\x83\x8a\x83\x93\x83\x4e\x82\xf0";

} // namespace

std::vector<LinkTarget> buildLinkTargetList(const ProjectData& project, ObjectId id)
{
    std::vector<LinkTarget> list;
    const auto add = [&](LinkTarget::Direction direction, ObjectId other, int linkIndex) {
        const int index = findObjectIndex(project, other);
        if (index < 0)
            return;
        list.push_back({direction, SjisString(fixedText(project.objects[index].secondText)), index,
                        linkIndex, project.links[linkIndex]});
    };
    for (int i = 0; i < project.linkCount; ++i) {
        const LinkRecord& l = project.links[i];
        if (l.from == id)
            add(LinkTarget::Direction::To, l.to, i);
        if (l.to == id)
            add(LinkTarget::Direction::From, l.from, i);
    }
    return list;
}

SjisString numberedTargetText(int number, SjisView text)
{
    SjisString out = std::to_string(number) + " ";
    out += text;
    return out;
}

int LinkListRows::currentLinkIndex(const LinkTarget& t) const
{
    const auto same = [&](int i) {
        return p_.links[i].from == t.link.from && p_.links[i].to == t.link.to;
    };
    if (t.linkIndex >= 0 && t.linkIndex < p_.linkCount && same(t.linkIndex))
        return t.linkIndex;
    for (int i = 0; i < p_.linkCount; ++i)
        if (same(i))
            return i;
    return -1;
}

bool LinkListRows::deleteRow(int row)
{
    if (row == -1) // no row selected
        return false;
    CV_CHECK(row >= 0 && row < static_cast<int>(rows_.size()), return false);
    const LinkTarget& t = rows_[static_cast<std::size_t>(row)];
    SjisString leading = numberedTargetText(row + 1, t.text);
    leading += kThisLinkParticle;
    if (showMessage(s_.messages, msg::kConfirmDelete, leading, style::yesNo) != Answer::Yes)
        return false;
    const int linkIndex = currentLinkIndex(t);
    if (linkIndex < 0 || !LinkOps(p_, s_).deleteAt(linkIndex)) {
        rows_.erase(rows_.begin() + row);
        return false;
    }
    rows_.erase(rows_.begin() + row);
    // The table closed the gap: links after the deleted one moved down by one.
    for (LinkTarget& other : rows_)
        if (other.linkIndex > linkIndex)
            --other.linkIndex;
    return true;
}

int LinkListRows::objectIndexOf(int row) const
{
    if (row == -1)
        return -1;
    CV_CHECK(row >= 0 && row < static_cast<int>(rows_.size()), return -1);
    const LinkTarget& t = rows_[static_cast<std::size_t>(row)];
    const ObjectId other = t.direction == LinkTarget::Direction::To ? t.link.to : t.link.from;
    return findObjectIndex(p_, other);
}

} // namespace corvane
