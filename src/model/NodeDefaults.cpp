#include "model/NodeDefaults.h"

#include "base/SettingsKeys.h"
#include "model/FixedText.h"

namespace corvane {

void applyNodeDefaults(ObjectRecord& r, const SettingsStore& s)
{
    const bool subSubject = r.type == ObjectType::SubSubject;
    const char* sec = subSubject ? section::DefSubject : section::DefMarker;
    const NodeStyleDefaults& builtIn = subSubject ? kSubSubjectNodeDefaults : kMarkerNodeDefaults;
    namespace k = nodekeys;

    // An empty stored font name means "not set", like the empty colour strings.
    SjisString font = s.readString(sec, k::FontName, kDefaultNodeFontName);
    if (font.empty())
        font = kDefaultNodeFontName;
    setFixedText(r.fontName, font);
    r.fontSize = static_cast<std::int16_t>(s.readInt(sec, k::FontSize, 11));
    r.bold = s.readInt(sec, k::FontBold, 0);
    r.italic = s.readInt(sec, k::FontItalic, 0);
    r.textColour = parseColourString(s.readString(sec, k::RefText, ""), 0);
    r.alignV = static_cast<std::int16_t>(s.readInt(sec, k::AlineV, 1));
    r.alignH = static_cast<std::int16_t>(s.readInt(sec, k::AlineH, 1));
    r.wordWrap = s.readInt(sec, k::WordWrap, 1);
    r.marginLeft = static_cast<std::int16_t>(s.readInt(sec, k::MarginL, 5));
    r.marginRight = static_cast<std::int16_t>(s.readInt(sec, k::MarginR, 5));
    r.marginTop = static_cast<std::int16_t>(s.readInt(sec, k::MarginT, 5));
    r.marginBottom = static_cast<std::int16_t>(s.readInt(sec, k::MarginB, 5));
    r.background = parseColourString(s.readString(sec, k::RefMen, ""), builtIn.background);
    r.lineColour = parseColourString(s.readString(sec, k::RefLine, ""), builtIn.lineColour);
    r.lineThickness = static_cast<std::int16_t>(s.readInt(sec, k::Futosa, 1));
    r.lineStyle = static_cast<std::int16_t>(s.readInt(sec, k::LineStyle, 0));

    if (!subSubject && read(s, keys::Synchro) == 1)
        r.background = r.markerColour;
}

void storeNodeDefaults(const ObjectRecord& r, SettingsStore& s)
{
    const char* sec = r.type == ObjectType::SubSubject ? section::DefSubject : section::DefMarker;
    namespace k = nodekeys;
    s.writeString(sec, k::FontName, fixedText(r.fontName));
    s.writeInt(sec, k::FontSize, r.fontSize);
    s.writeInt(sec, k::FontBold, r.bold);
    s.writeInt(sec, k::FontItalic, r.italic);
    s.writeString(sec, k::RefText, colourString(r.textColour));
    s.writeInt(sec, k::AlineV, r.alignV);
    s.writeInt(sec, k::AlineH, r.alignH);
    s.writeInt(sec, k::WordWrap, r.wordWrap);
    s.writeInt(sec, k::MarginL, r.marginLeft);
    s.writeInt(sec, k::MarginR, r.marginRight);
    s.writeInt(sec, k::MarginT, r.marginTop);
    s.writeInt(sec, k::MarginB, r.marginBottom);
    s.writeString(sec, k::RefMen, colourString(r.background));
    s.writeString(sec, k::RefLine, colourString(r.lineColour));
    s.writeInt(sec, k::Futosa, r.lineThickness);
    s.writeInt(sec, k::LineStyle, r.lineStyle);
}

} // namespace corvane
