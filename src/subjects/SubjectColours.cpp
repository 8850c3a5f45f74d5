#include "subjects/SubjectColours.h"

#include "base/SettingsKeys.h"

namespace corvane {

Colour subjectColour(const SettingsStore& settings, SubjectColour which)
{
    const int index = static_cast<int>(which);
    const Colour fallback = kSubjectColourDefaults[static_cast<std::size_t>(index)];
    return parseColourString(settings.readString(section::Subject, subjectColourName(index), ""),
                             fallback);
}

void setSubjectColour(SettingsStore& settings, SubjectColour which, Colour colour)
{
    settings.writeString(section::Subject, subjectColourName(static_cast<int>(which)),
                         colourString(colour));
}

std::optional<SubjectColour> textColourFor(SubjectMenuKind kind)
{
    switch (kind) {
    case SubjectMenuKind::SubSubject:
        return SubjectColour::RowText;
    case SubjectMenuKind::MainSubject:
        return SubjectColour::GroupText;
    case SubjectMenuKind::Description:
        return SubjectColour::DescriptionText;
    case SubjectMenuKind::None:
        break;
    }
    return std::nullopt;
}

std::optional<SubjectColour> backgroundColourFor(SubjectMenuKind kind)
{
    switch (kind) {
    case SubjectMenuKind::SubSubject:
        return SubjectColour::RowBackground;
    case SubjectMenuKind::MainSubject:
        return SubjectColour::GroupBackground;
    case SubjectMenuKind::Description:
        return SubjectColour::DescriptionBackground;
    case SubjectMenuKind::None:
        break;
    }
    return std::nullopt;
}

} // namespace corvane
