// The user preferences store as logic sees it: integers and Shift-JIS strings by section and
// value name. Every section, value and default lives in SettingsKeys.h.
#pragma once

#include "base/Types.h"

#include <string_view>

namespace corvane {

class SettingsStore
{
public:
    virtual ~SettingsStore() = default;
    virtual int readInt(std::string_view section, std::string_view name,
                        int defaultValue) const = 0;
    /// Strings are Shift-JIS bytes to the caller; implementations may store them as they like.
    virtual SjisString readString(std::string_view section, std::string_view name,
                                  SjisView defaultValue) const = 0;
    virtual void writeInt(std::string_view section, std::string_view name, int value) = 0;
    virtual void writeString(std::string_view section, std::string_view name, SjisView value) = 0;
};

} // namespace corvane
