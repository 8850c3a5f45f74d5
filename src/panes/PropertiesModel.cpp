#include "panes/PropertiesModel.h"

#include "base/Codec.h"
#include "base/SettingsKeys.h"
#include "chart/ChartModel.h"
#include "model/CurrentObject.h"
#include "model/FixedText.h"
#include "model/LinkOps.h"
#include "model/ObjectTable.h"
#include "model/ProjectStatus.h"
#include "res/MessageCatalogue.h"
#include "res/MessageNumbers.h"

#include <algorithm>
#include <cstring>

namespace corvane {

namespace {

/// One integer field of a record, of whichever width the record gives it.
struct Field
{
    std::int16_t* i16 = nullptr;
    std::int32_t* i32 = nullptr;
    std::uint32_t* u32 = nullptr;

    explicit operator bool() const { return i16 || i32 || u32; }
    std::int64_t get() const { return i16 ? *i16 : i32 ? *i32 : std::int64_t(*u32); }
    // The value has been clamped to the property's range, which every field can hold.
    void set(std::int64_t v) const
    {
        if (i16)
            *i16 = static_cast<std::int16_t>(v);
        else if (i32)
            *i32 = static_cast<std::int32_t>(v);
        else
            *u32 = static_cast<std::uint32_t>(v);
    }
};

Field f(std::int16_t& v)
{
    return {&v, nullptr, nullptr};
}
Field f(std::int32_t& v)
{
    return {nullptr, &v, nullptr};
}
Field f(std::uint32_t& v)
{
    return {nullptr, nullptr, &v};
}

Field nodeField(ObjectRecord& r, PropertyKey key)
{
    using K = PropertyKey;
    switch (key) {
    case K::Bold:
        return f(r.bold);
    case K::Italic:
        return f(r.italic);
    case K::TextColour:
        return f(r.textColour);
    case K::AlignV:
        return f(r.alignV);
    case K::AlignH:
        return f(r.alignH);
    case K::WordWrap:
        return f(r.wordWrap);
    case K::MarginLeft:
        return f(r.marginLeft);
    case K::MarginTop:
        return f(r.marginTop);
    case K::MarginRight:
        return f(r.marginRight);
    case K::MarginBottom:
        return f(r.marginBottom);
    case K::Background:
        return f(r.background);
    case K::LineColour:
        return f(r.lineColour);
    case K::LineThickness:
        return f(r.lineThickness);
    case K::LineStyle:
        return f(r.lineStyle);
    default:
        return {};
    }
}

Field textViewField(TextViewSettings& s, PropertyKey key)
{
    using K = PropertyKey;
    switch (key) {
    case K::ViewBackground:
        return f(s.background);
    case K::BorderColour:
        return f(s.borderColour);
    case K::BorderStyle:
        return f(s.borderStyle);
    case K::SelectionColour:
        return f(s.selectionColour);
    case K::WhiteSpaceShown:
        return f(s.whiteSpaceShown);
    case K::WhiteSpaceColour:
        return f(s.whiteSpaceColour);
    case K::LineBreaksShown:
        return f(s.lineBreaksShown);
    case K::LineBreakColour:
        return f(s.lineBreakColour);
    case K::Bold:
        return f(s.bold);
    case K::Italic:
        return f(s.italic);
    case K::TextColour:
        return f(s.textColour);
    case K::AntiAliasing:
        return f(s.antiAliasing);
    case K::LineSpacing:
        return f(s.lineSpacing);
    case K::WordWrap:
        return f(s.wordWrap);
    case K::MarginLeft:
        return f(s.leftMargin);
    case K::MarginTop:
        return f(s.topMargin);
    case K::LineNumbersShown:
        return f(s.lineNumbersShown);
    case K::LineNumberColour:
        return f(s.lineNumberColour);
    case K::LineNumberBackground:
        return f(s.lineNumberBackground);
    case K::LineNumberAlignment:
        return f(s.lineNumberAlignment);
    case K::LineNumberPadding:
        return f(s.lineNumberPadding);
    case K::CaretWidth:
        return f(s.caretWidth);
    case K::CaretBlink:
        return f(s.caretBlink);
    case K::BookmarkImageSize:
        return f(s.bookmarkImageSize);
    case K::BookmarkSampleLength:
        return f(s.bookmarkSampleLength);
    case K::LinkLineShown:
        return f(s.linkLineShown);
    case K::LinkLineColour:
        return f(s.linkLineColour);
    case K::LinkCountShown:
        return f(s.linkCountShown);
    case K::LinkCountColour:
        return f(s.linkCountColour);
    default:
        return {};
    }
}

Field chartViewField(ChartViewSettings& s, PropertyKey key)
{
    using K = PropertyKey;
    switch (key) {
    case K::ChartBackground:
        return f(s.background);
    case K::ChartLineColour:
        return f(s.lineColour);
    case K::RotationCircleShown:
        return f(s.rotationCircleShown);
    case K::MainSubjectShown:
        return f(s.mainSubjectShown);
    case K::SubjectNodesRound:
        return f(s.subjectNodesRound);
    case K::MarkerNodesRound:
        return f(s.markerNodesRound);
    default:
        return {};
    }
}

/// The typed value as the property stores it, in a wide integer so that a value far outside the
/// range cannot wrap when it is narrowed to a 16-bit field. nullopt: not a value of this kind.
std::optional<std::int64_t> converted(const Property& p, std::int64_t value)
{
    switch (p.kind) {
    case PropertyKind::Number:
        return std::clamp<std::int64_t>(value, p.minimum, p.maximum);
    case PropertyKind::Flag:
        return value != 0 ? 1 : 0;
    case PropertyKind::Choice:
        if (value < 0 || value >= std::int64_t(p.choices.size()))
            return std::nullopt;
        return value;
    case PropertyKind::Colour:
        if (value < 0 || value > 0xFFFFFF)
            return std::nullopt;
        return value;
    default:
        return std::nullopt;
    }
}

SjisString sjisOf(const std::string& utf8)
{
    return codec::fromUtf8(utf8).text;
}

} // namespace

PropertiesModel::PropertiesModel(ProjectData& project, Services& services)
    : p_(project), s_(services)
{
}

const Property* PropertiesModel::find(PropertyKey key) const
{
    for (const PropertyGroup& g : groups_)
        for (const Property& p : g.properties)
            if (p.key == key)
                return &p;
    return nullptr;
}

int PropertiesModel::objectIndex() const
{
    return object_ ? findObjectIndex(p_, object_) : -1;
}

void PropertiesModel::show(PropertyPage page, ObjectId id)
{
    const bool needsObject = page != PropertyPage::Empty && page != PropertyPage::TextView &&
                             page != PropertyPage::ChartView;
    page_ = page;
    object_ = needsObject ? id : 0;
    if (needsObject && objectIndex() < 0) {
        page_ = PropertyPage::Empty;
        object_ = 0;
    }
    groups_ = buildPropertyPage(p_, page_, objectIndex());
    if (needsObject && groups_.empty() && page_ != PropertyPage::Links) {
        page_ = PropertyPage::Empty; // the object is of the other type
        object_ = 0;
    }
    shown_ = groups_;
}

void PropertiesModel::showObject(ObjectId id)
{
    const int index = findObjectIndex(p_, id);
    if (index < 0) {
        reset();
        return;
    }
    show(p_.objects[index].type == ObjectType::SubSubject ? PropertyPage::SubSubjectNode
                                                          : PropertyPage::Marker,
         id);
}

void PropertiesModel::showNode(ObjectId id)
{
    const int index = findObjectIndex(p_, id);
    if (index < 0) {
        reset();
        return;
    }
    show(p_.objects[index].type == ObjectType::SubSubject ? PropertyPage::SubSubjectNode
                                                          : PropertyPage::MarkerNode,
         id);
}

void PropertiesModel::refreshValues()
{
    if (page_ != PropertyPage::Empty && page_ != PropertyPage::TextView &&
        page_ != PropertyPage::ChartView && objectIndex() < 0) {
        reset();
        return;
    }
    groups_ = buildPropertyPage(p_, page_, objectIndex());
    if (page_ == PropertyPage::Links) {
        shown_ = groups_; // rows come and go; none is "changed"
        return;
    }
    for (std::size_t g = 0; g < groups_.size() && g < shown_.size(); ++g)
        for (std::size_t i = 0; i < groups_[g].properties.size(); ++i) {
            Property& now = groups_[g].properties[i];
            if (i < shown_[g].properties.size()) {
                const Property& then = shown_[g].properties[i];
                now.changed = now.number != then.number || now.text != then.text;
            }
        }
}

// Edits -------------------------------------------------------------------------------------

PropertiesModel::Edited PropertiesModel::edit(PropertyKey key, std::int64_t value)
{
    const Property* property = find(key);
    if (!property)
        return Edited::Ignored;
    const std::optional<std::int64_t> v = converted(*property, value);
    if (!v)
        return Edited::Ignored;
    switch (page_) {
    case PropertyPage::TextView:
        return editTextView(*property, *v);
    case PropertyPage::ChartView:
        return editChartView(*property, *v);
    case PropertyPage::Marker:
    case PropertyPage::MarkerNode:
        if (key == PropertyKey::MarkerColour)
            return editMarkerColour(static_cast<Colour>(*v));
        if (page_ == PropertyPage::Marker)
            return Edited::Ignored;
        return editNodeStyle(*property, *v);
    case PropertyPage::SubSubjectNode:
        return editNodeStyle(*property, *v);
    default:
        return Edited::Ignored;
    }
}

PropertiesModel::Edited PropertiesModel::editText(PropertyKey key, SjisView text)
{
    const Property* property = find(key);
    if (!property)
        return Edited::Ignored;
    if (key == PropertyKey::Font)
        return editFont(text);
    if (key == PropertyKey::Comment)
        return editComment(text);
    return Edited::Ignored;
}

PropertiesModel::Edited PropertiesModel::editTextView(const Property& property, std::int64_t value)
{
    const Field field = textViewField(p_.textView, property.key);
    if (!field)
        return Edited::Ignored;
    if (field.get() == value)
        return Edited::Unchanged;
    field.set(value);
    setModified(p_);
    s_.refresh.textViewSettingsChanged();
    refreshValues();
    return Edited::Stored;
}

PropertiesModel::Edited PropertiesModel::editChartView(const Property& property, std::int64_t value)
{
    const bool width = property.key == PropertyKey::ChartWidth;
    if (width || property.key == PropertyKey::ChartHeight) {
        // Not below the nodes' extent, so that no node is left outside the canvas.
        const chart::Point extent = chart::nodesExtent(p_);
        const int size = chart::clampChartSize(int(value), width ? extent.x : extent.y);
        std::int16_t& stored = width ? p_.chartView.width : p_.chartView.height;
        if (stored == size)
            return Edited::Unchanged;
        stored = static_cast<std::int16_t>(size);
        setModified(p_);
        s_.refresh.chartSizeChanged();
        s_.refresh.redrawChart();
        refreshValues();
        return Edited::Stored;
    }
    const Field field = chartViewField(p_.chartView, property.key);
    if (!field)
        return Edited::Ignored;
    if (field.get() == value)
        return Edited::Unchanged;
    field.set(value);
    setModified(p_);
    s_.refresh.redrawChart();
    refreshValues();
    return Edited::Stored;
}

PropertiesModel::Edited PropertiesModel::editMarkerColour(Colour colour)
{
    const int index = objectIndex();
    if (index < 0)
        return Edited::Ignored;
    ObjectRecord& r = p_.objects[index];
    const bool synchro = read(s_.settings, keys::Synchro) == 1;
    if (r.markerColour == colour && (!synchro || r.background == colour))
        return Edited::Unchanged;
    r.markerColour = colour;
    if (synchro)
        r.background = colour;
    setModified(p_);
    s_.refresh.redrawChart();
    // The marker is drawn in its colour in the text view whichever page changed it, and the
    // marker list may filter by colour.
    s_.refresh.redrawTextViewsOf(fixedText(r.document));
    s_.refresh.rebuildMarkerList();
    refreshValues();
    return Edited::Stored;
}

std::vector<int> PropertiesModel::styleTargets() const
{
    const int index = objectIndex();
    if (index < 0)
        return {};
    std::vector<int> out{index};
    if (chart_ && p_.objects[index].nodeSelected)
        for (int i : chart_->selectedIndexes())
            if (i != index)
                out.push_back(i);
    return out;
}

bool PropertiesModel::recordNodes(const std::vector<int>& indexes)
{
    if (!chart_)
        return true;
    std::vector<ObjectId> ids;
    for (int i : indexes)
        ids.push_back(p_.objects[i].id);
    if (chart_->history().push(p_, ids))
        return true;
    showMessage(s_.messages, msg::kMemoryFailed, {}, style::error);
    return false;
}

void PropertiesModel::nodesChanged()
{
    setModified(p_);
    s_.refresh.redrawChart();
    refreshValues();
}

PropertiesModel::Edited PropertiesModel::editNodeStyle(const Property& property, std::int64_t value)
{
    const std::vector<int> targets = styleTargets();
    if (targets.empty() || !nodeField(p_.objects[targets.front()], property.key))
        return Edited::Ignored;
    // Unchanged only when every node it applies to holds the value already: the shown node
    // holding it says nothing about the others selected with it.
    if (std::all_of(targets.begin(), targets.end(),
                    [&](int i) { return nodeField(p_.objects[i], property.key).get() == value; }))
        return Edited::Unchanged;
    if (!recordNodes(targets))
        return Edited::Ignored;
    for (int i : targets)
        nodeField(p_.objects[i], property.key).set(value);
    nodesChanged();
    return Edited::Stored;
}

PropertiesModel::Edited PropertiesModel::editFont(SjisView typed)
{
    const bool textView = page_ == PropertyPage::TextView;
    const bool node = page_ == PropertyPage::MarkerNode || page_ == PropertyPage::SubSubjectNode;
    if (!textView && !node)
        return Edited::Ignored;
    const std::vector<int> targets = node ? styleTargets() : std::vector<int>{};
    if (node && targets.empty())
        return Edited::Ignored;
    const int currentSize = textView ? p_.textView.fontSize : p_.objects[targets.front()].fontSize;
    const TypedFont font = parseFontField(typed, currentSize);
    if (font.name.empty() || !font.sizeValid) {
        showMessage(s_.messages, msg::kFontFieldInvalid, {}, style::warning);
        return Edited::Ignored;
    }
    if (textView) {
        TextViewSettings& s = p_.textView;
        if (fixedText(s.fontName) == font.name && s.fontSize == font.size)
            return Edited::Unchanged;
        setFixedText(s.fontName, font.name);
        s.fontSize = static_cast<std::int16_t>(font.size);
        setModified(p_);
        s_.refresh.textViewSettingsChanged();
        refreshValues();
        return Edited::Stored;
    }
    if (std::all_of(targets.begin(), targets.end(), [&](int i) {
            const ObjectRecord& r = p_.objects[i];
            return fixedText(r.fontName) == font.name && r.fontSize == font.size;
        }))
        return Edited::Unchanged;
    if (!recordNodes(targets))
        return Edited::Ignored;
    for (int i : targets) {
        setFixedText(p_.objects[i].fontName, font.name);
        p_.objects[i].fontSize = static_cast<std::int16_t>(font.size);
    }
    nodesChanged();
    return Edited::Stored;
}

PropertiesModel::Edited PropertiesModel::editComment(SjisView text)
{
    const int index = objectIndex();
    if (index < 0 || (page_ != PropertyPage::Marker && page_ != PropertyPage::MarkerNode))
        return Edited::Ignored;
    ObjectRecord& r = p_.objects[index];
    char cut[kObjectTextBytes] = {};
    setFixedText(cut, text); // 100 bytes at a character boundary, as the field holds
    if (fixedText(cut) == fixedText(r.firstText))
        return Edited::Unchanged;
    std::memcpy(r.firstText, cut, sizeof cut);
    // A comment is project data like any other: without the flag it is lost at close.
    setModified(p_);
    s_.refresh.redrawChart();
    refreshValues();
    return Edited::Stored;
}

// The link page ------------------------------------------------------------------------------

int PropertiesModel::linkIndexOf(LinkEnds link) const
{
    for (int i = 0; i < p_.linkCount; ++i)
        if (p_.links[i].from == link.from && p_.links[i].to == link.to)
            return i;
    return -1;
}

bool PropertiesModel::showLinkTarget(LinkEnds link)
{
    if (page_ != PropertyPage::Links || linkIndexOf(link) < 0) {
        refreshValues();
        return false;
    }
    const ObjectId other = link.from == object_ ? link.to : link.from;
    const int index = findObjectIndex(p_, other);
    if (index < 0) {
        refreshValues();
        return false;
    }
    if (p_.objects[index].type == ObjectType::SubSubject) {
        if (showSubSubject)
            showSubSubject(other);
        return true;
    }
    MakeCurrentRequest request;
    request.showSpan = true;
    request.showProperties = false; // the link page stays, so that the next row can be shown
    return makeCurrent(p_, s_, other, request);
}

bool PropertiesModel::deleteLink(LinkEnds link)
{
    const Property* row = nullptr;
    for (const PropertyGroup& g : groups_)
        for (const Property& p : g.properties)
            if (p.kind == PropertyKind::LinkRow && p.link == link)
                row = &p;
    if (page_ != PropertyPage::Links || !row || linkIndexOf(link) < 0) {
        refreshValues();
        return false;
    }
    // このリンクを
    const SjisString leading = sjisOf(row->text) +
                               "\n====================\n"
                               "\x82\xb1\x82\xcc\x83\x8a\x83\x93\x83\x4e\x82\xf0";
    if (showMessage(s_.messages, msg::kConfirmDelete, leading, style::yesNo) != Answer::Yes)
        return false;
    const int index = linkIndexOf(link);
    const bool deleted = index >= 0 && LinkOps(p_, s_).deleteAt(index);
    refreshValues();
    return deleted;
}

int PropertiesModel::deleteLinks(int group)
{
    if (page_ != PropertyPage::Links || group >= int(groups_.size()))
        return 0;
    std::vector<LinkEnds> links;
    for (int g = 0; g < int(groups_.size()); ++g)
        if (group < 0 || g == group)
            for (const Property& p : groups_[g].properties)
                links.push_back(p.link);
    if (links.empty())
        return 0;
    SjisString leading;
    if (group < 0) {
        // この一覧内のすべてのリンクを
        leading = "\x82\xb1\x82\xcc\x88\xea\x97\x97\x93\xe0\x82\xcc\x82\xb7\x82\xd7\x82\xc4\x82"
                  "\xcc\x83\x8a\x83\x93\x83\x4e\x82\xf0";
    } else {
        // 『group』内のすべてのリンクを
        leading = "\x81\x77" + sjisOf(groups_[group].name) +
                  "\x81\x78\x93\xe0\x82\xcc\x82\xb7\x82\xd7\x82\xc4\x82\xcc\x83\x8a\x83\x93\x83"
                  "\x4e\x82\xf0";
    }
    if (showMessage(s_.messages, msg::kConfirmDelete, leading, style::yesNo) != Answer::Yes)
        return 0;
    // Each link is found by its ends when its turn comes, so the compaction of the table by the
    // deletions before it cannot make an index name another link.
    int deleted = 0;
    LinkOps ops(p_, s_);
    for (const LinkEnds& link : links) {
        const int index = linkIndexOf(link);
        if (index < 0 || !ops.deleteAt(index))
            break;
        ++deleted;
    }
    refreshValues();
    return deleted;
}

} // namespace corvane
