#include "panes/MarkerRows.h"

#include "base/Sjis.h"
#include "model/FixedText.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

namespace corvane {

namespace {

constexpr SjisView kOpenBracket = "\x81\x77";                    // 『
constexpr SjisView kCloseBracketIn = "\x81\x78\x93\xe0\x82\xcc"; // 』内の
constexpr SjisView kAllDocumentsIn = "\x91\x53\x95\xb6\x8c\xa3"; // 全文献
constexpr SjisView kInside = "\x93\xe0\x82\xc9";                 // 内に
constexpr SjisView kOfChosenColour =
    "\x8e\x77\x92\xe8\x82\xb5\x82\xbd\x90\x46\x82\xcc"; // 指定した色の

} // namespace

SjisString markerRowText(int rowNumber, SjisView markerText, int objectIndex)
{
    char number[16];
    std::snprintf(number, sizeof number, "%04d ", rowNumber);
    SjisString text(number);
    // CR, LF and TAB are single-byte characters and never trail bytes, so a byte-wise
    // replacement cannot touch a two-byte character.
    for (char c : markerText)
        text += (c == '\r' || c == '\n' || c == '\t') ? ' ' : c;
    text += '[';
    text += std::to_string(objectIndex);
    text += ']';
    return text;
}

std::optional<SjisView> topLevelFolder(SjisView relativePath)
{
    const std::size_t slash = sjis::findSingleByte(relativePath, '\\');
    if (slash == SjisView::npos)
        return std::nullopt;
    return relativePath.substr(0, slash);
}

std::vector<MarkerRow> collectMarkerRows(const ProjectData& project, const MarkerTarget& target,
                                         MarkerColourFilter filter,
                                         const std::vector<SjisString>& documents)
{
    std::vector<MarkerRow> rows;
    if (!project.isOpen() || target.kind == MarkerTarget::Kind::None)
        return rows;
    for (int i = 0; i < project.objectCount; ++i) {
        const ObjectRecord& r = project.objects[i];
        if (r.type != ObjectType::Marker || (filter && r.markerColour != *filter))
            continue;
        const SjisView document = fixedText(r.document);
        bool match = false;
        switch (target.kind) {
        case MarkerTarget::Kind::None:
            break;
        case MarkerTarget::Kind::All:
            match = true;
            break;
        case MarkerTarget::Kind::Open:
        case MarkerTarget::Kind::Current:
            match = std::find(documents.begin(), documents.end(), document) != documents.end();
            break;
        case MarkerTarget::Kind::Folder: {
            const std::optional<SjisView> folder = topLevelFolder(document);
            match = folder && *folder == target.folder;
            break;
        }
        }
        if (match)
            rows.push_back({r.id, markerRowText(int(rows.size()) + 1, fixedText(r.secondText), i)});
    }
    return rows;
}

std::vector<SjisString> markerTargetItems(const std::vector<SjisString>& topLevelFolders)
{
    std::vector<SjisString> items = {
        "\x95\xb6\x8c\xa3\x83\x8a\x83\x58\x83\x67\x93\xe0\x82\xcc\x91\x53\x95\xb6\x8c"
        "\xa3", // 文献リスト内の全文献
        "\x8a\x4a\x82\xa2\x82\xc4\x82\xa2\x82\xe9\x95\xb6\x8c\xa3", // 開いている文献
        "\x8c\xbb\x8d\xdd\x82\xcc\x95\xb6\x8c\xa3",                 // 現在の文献
    };
    for (const SjisString& folder : topLevelFolders)
        items.push_back(SjisString(kOpenBracket) + folder + SjisString(kCloseBracketIn) +
                        SjisString(kAllDocumentsIn));
    return items;
}

MarkerTarget markerTargetOfItem(int index, SjisView itemText)
{
    switch (index) {
    case 0:
        return {MarkerTarget::Kind::All, {}};
    case 1:
        return {MarkerTarget::Kind::Open, {}};
    case 2:
        return {MarkerTarget::Kind::Current, {}};
    default:
        break;
    }
    if (index < 0 || itemText.substr(0, kOpenBracket.size()) != kOpenBracket)
        return {MarkerTarget::Kind::All, {}};
    // Search character by character: the close bracket's bytes could otherwise be matched from
    // the middle of a two-byte character of the folder name.
    const SjisView rest = itemText.substr(kOpenBracket.size());
    for (std::size_t at = 0; at < rest.size(); at = sjis::nextChar(rest, at))
        if (rest.substr(at, kCloseBracketIn.size()) == kCloseBracketIn)
            return {MarkerTarget::Kind::Folder, SjisString(rest.substr(0, at))};
    return {MarkerTarget::Kind::All, {}};
}

SjisString emptyListLeadingText(SjisView itemText, bool colourFiltered)
{
    SjisString text(itemText);
    text += kInside;
    if (colourFiltered)
        text += kOfChosenColour;
    return text;
}

SjisString colourFilterSetting(MarkerColourFilter filter)
{
    return filter ? std::to_string(long(*filter)) : SjisString("-1");
}

MarkerColourFilter colourFilterFromSetting(SjisView text)
{
    long long value = -1;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < 0 || value > 0xFFFFFFFFLL)
        return std::nullopt;
    return Colour(value);
}

} // namespace corvane
