// The seven colours of the subject list, kept in section "Subject" as Col0..Col6 (decimal
// 0x00BBGGRR, empty meaning the default), and which of them each colour command changes.
#pragma once

#include "base/Settings.h"

#include <array>
#include <optional>

namespace corvane {

enum class SubjectColour
{
    RowBackground = 0,
    RowText = 1,
    GroupBackground = 2,
    GroupText = 3,
    DescriptionBackground = 4,
    DescriptionText = 5,
    Lines = 6, ///< grid lines and the description area's border
};

inline constexpr std::array<Colour, 7> kSubjectColourDefaults = {
    16708580, // 228, 243, 254
    10831406, // 46, 70, 165
    13757640, // 200, 236, 209
    3237409,  // 33, 102, 49
    14214655, // 255, 229, 216
    128,      // 128, 0, 0
    255,      // 255, 0, 0
};

Colour subjectColour(const SettingsStore& settings, SubjectColour which);
void setSubjectColour(SettingsStore& settings, SubjectColour which, Colour colour);

/// Where the grid's context menu was opened; it decides what the colour commands change.
enum class SubjectMenuKind
{
    None,
    SubSubject,
    MainSubject,
    Description
};

/// The colour the text colour command (375) changes for the menu kind; None changes nothing.
std::optional<SubjectColour> textColourFor(SubjectMenuKind kind);
/// The colour the background colour command (376) changes for the menu kind.
std::optional<SubjectColour> backgroundColourFor(SubjectMenuKind kind);

} // namespace corvane
