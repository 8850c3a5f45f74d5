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

} // namespace corvane
