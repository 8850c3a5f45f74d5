// The node style a new object starts with: the user's defaults from the sections DefSubject (for
// sub-subjects) and DefMarker (for markers), each value falling back to its built-in default.
#pragma once

#include "base/Settings.h"
#include "model/Records.h"

namespace corvane {

/// Built-in node style defaults per object type (used where the preference is absent or empty).
struct NodeStyleDefaults
{
    Colour background;
    Colour lineColour;
};
inline constexpr NodeStyleDefaults kSubSubjectNodeDefaults{0xE3CFC1, 0x694730};
inline constexpr NodeStyleDefaults kMarkerNodeDefaults{0xDBE8FD, 0x063177};
inline constexpr const char* kDefaultNodeFontName = "Meiryo UI";

/// Fills the node style (font to line style) of record from the defaults of its object type.
/// A marker takes its marker colour as background when KanSet/Synchro is 1.
void applyNodeDefaults(ObjectRecord& record, const SettingsStore& settings);

/// Stores the node style of record as the defaults of its object type (the chart's "make this
/// node's style the default"), so that applyNodeDefaults gives new objects the same style.
void storeNodeDefaults(const ObjectRecord& record, SettingsStore& settings);

} // namespace corvane
