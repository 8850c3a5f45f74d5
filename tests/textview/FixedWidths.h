// A width source for logic tests: one-byte characters 10 pixels, two-byte characters 20, with
// overrides for single codes.
#pragma once

#include "textview/CharWidthTable.h"

#include <map>

namespace corvane::test {

class FixedWidths : public CharWidthSource
{
public:
    int measureCharWidth(std::uint16_t code) override
    {
        ++calls;
        const auto it = overrides.find(code);
        if (it != overrides.end())
            return it->second;
        return code < 256 ? 10 : 20;
    }
    std::map<std::uint16_t, int> overrides;
    int calls = 0;
};

} // namespace corvane::test
