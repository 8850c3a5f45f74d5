// A settings store held in memory: for tests and for the command-line tool, which must not
// touch the user's preferences.
#pragma once

#include "base/Settings.h"

#include <map>
#include <string>
#include <utility>

namespace corvane {

class MemorySettings : public SettingsStore
{
public:
    int readInt(std::string_view section, std::string_view name, int defaultValue) const override;
    SjisString readString(std::string_view section, std::string_view name,
                          SjisView defaultValue) const override;
    void writeInt(std::string_view section, std::string_view name, int value) override;
    void writeString(std::string_view section, std::string_view name, SjisView value) override;

    bool contains(std::string_view section, std::string_view name) const;
    void clear() { values_.clear(); }

private:
    using Key = std::pair<std::string, std::string>;
    // Integers are kept as their decimal text, as an INI file would.
    std::map<Key, std::string> values_;
};

} // namespace corvane
