#include "base/MemorySettings.h"

#include <charconv>

namespace corvane {

int MemorySettings::readInt(std::string_view section, std::string_view name, int defaultValue) const
{
    const auto it = values_.find({std::string(section), std::string(name)});
    if (it == values_.end())
        return defaultValue;
    int value = defaultValue;
    const auto& s = it->second;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (ec != std::errc() || end != s.data() + s.size())
        return defaultValue;
    return value;
}

SjisString MemorySettings::readString(std::string_view section, std::string_view name,
                                      SjisView defaultValue) const
{
    const auto it = values_.find({std::string(section), std::string(name)});
    return it == values_.end() ? SjisString(defaultValue) : it->second;
}

void MemorySettings::writeInt(std::string_view section, std::string_view name, int value)
{
    values_[{std::string(section), std::string(name)}] = std::to_string(value);
}

void MemorySettings::writeString(std::string_view section, std::string_view name, SjisView value)
{
    values_[{std::string(section), std::string(name)}] = std::string(value);
}

bool MemorySettings::contains(std::string_view section, std::string_view name) const
{
    return values_.count({std::string(section), std::string(name)}) != 0;
}

} // namespace corvane
