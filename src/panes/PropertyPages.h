// The pages of the properties pane as data: which groups and properties a page has, with their
// labels, descriptions, kinds, ranges and the values read from the project. The grid draws these
// and sends edits back by property key; nothing here knows a widget.
#pragma once

#include "base/Types.h"
#include "model/ProjectData.h"

#include <cstdint>
#include <string>
#include <vector>

namespace corvane {

/// The seven pages, numbered as their titles are.
enum class PropertyPage
{
    Empty = 0,
    TextView = 1,
    ChartView = 2,
    Marker = 3,
    MarkerNode = 4,
    Links = 5,
    SubSubjectNode = 6
};

/// The pane's caption for a page (UTF-8).
const char* propertyPageTitle(PropertyPage page);

enum class PropertyKind
{
    ReadOnly, ///< text shown only
    Number,   ///< integer within [minimum, maximum]
    Flag,     ///< 0 or 1, shown as "する" / "しない"
    Choice,   ///< index into choices
    Colour,   ///< 0x00BBGGRR
    Font,     ///< text "name(size)"
    Text,     ///< free text (the comment)
    LinkRow   ///< one link of the link page
};

/// What a property edits. Labels repeat across pages ("背景色" is the text view's, the chart's or a
/// node's), so an edit is routed by the page shown and this key.
enum class PropertyKey
{
    // Sub-subject titles and the marker group (read-only but for colour and comment).
    MainTitle,
    SubTitle,
    DocumentPath,
    PositionAndLength,
    MarkerColour,
    NodeSize,
    NodePosition,
    MarkerText,
    Comment,
    // Character group (node style or text view settings).
    Font,
    Bold,
    Italic,
    TextColour,
    AntiAliasing,
    // Alignment and spacing.
    AlignV,
    AlignH,
    LineSpacing,
    WordWrap,
    // Margins.
    MarginLeft,
    MarginTop,
    MarginRight,
    MarginBottom,
    // Node rectangle.
    Background,
    LineColour,
    LineThickness,
    LineStyle,
    // Chart view settings.
    ChartWidth,
    ChartHeight,
    ChartBackground,
    ChartLineColour,
    RotationCircleShown,
    MainSubjectShown,
    SubjectNodesRound,
    MarkerNodesRound,
    // Text view settings beyond the shared groups.
    ViewBackground,
    BorderColour,
    BorderStyle,
    SelectionColour,
    WhiteSpaceShown,
    WhiteSpaceColour,
    LineBreaksShown,
    LineBreakColour,
    LineNumbersShown,
    LineNumberColour,
    LineNumberBackground,
    LineNumberAlignment,
    LineNumberPadding,
    CaretWidth,
    CaretBlink,
    BookmarkImageSize,
    BookmarkSampleLength,
    LinkLineShown,
    LinkLineColour,
    LinkCountShown,
    LinkCountColour,
    // The link page.
    Link
};

/// A link named by its ends: a link-table index names another link after any deletion.
struct LinkEnds
{
    ObjectId from = 0;
    ObjectId to = 0;
    bool operator==(const LinkEnds&) const = default;
};

struct Property
{
    PropertyKey key = PropertyKey::Link;
    PropertyKind kind = PropertyKind::ReadOnly;
    std::string label;       ///< UTF-8
    std::string description; ///< UTF-8, "\n" between lines
    int minimum = 0;         ///< Number
    int maximum = 0;
    std::vector<std::string> choices; ///< Choice, UTF-8
    /// Number, Flag, Choice and Colour values.
    std::int64_t number = 0;
    /// ReadOnly, Font, Text and LinkRow values, UTF-8.
    std::string text;
    /// The value differs from the one the page was shown with (drawn in bold).
    bool changed = false;
    LinkEnds link; ///< LinkRow
};

struct PropertyGroup
{
    std::string name; ///< UTF-8
    std::vector<Property> properties;
};

/// The groups of a page for the object at objectIndex (pages 3-6; -1 gives no groups there), in
/// their fixed order, with the values of the project now.
std::vector<PropertyGroup> buildPropertyPage(const ProjectData& project, PropertyPage page,
                                             int objectIndex);

/// "name(size)" as the font field shows it (UTF-8).
std::string fontFieldText(SjisView fontName, int size);

/// A font field typed by the user, split at its last "(": the name before it cut to 31 bytes at a
/// character boundary, the size after it up to ")" clamped to 8-36. Without "(" the whole text is
/// the name and the size stays currentSize. sizeValid is false when "(" is followed by no number.
struct TypedFont
{
    SjisString name;
    int size = 0;
    bool sizeValid = true;
};
TypedFont parseFontField(SjisView typed, int currentSize);

} // namespace corvane
