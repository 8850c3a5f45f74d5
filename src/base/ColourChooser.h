// The colour dialog as logic sees it.
#pragma once

#include "base/Types.h"

#include <optional>

namespace corvane {

class ColourChooser
{
public:
    virtual ~ColourChooser() = default;
    /// Full custom-colour panel, initial preselected. nullopt when the user cancels.
    virtual std::optional<Colour> chooseColour(Colour initial) = 0;
};

} // namespace corvane
