#include "base/SettingsKeys.h"

#include <charconv>

namespace corvane {

std::string searchGokuName(std::string_view kind, int index)
{
    return "Goku" + std::string(kind) + "_" + std::to_string(index);
}

std::string ribbonGokuName(int index)
{
    return "Goku" + std::to_string(index);
}

std::string subjectColourName(int index)
{
    return "Col" + std::to_string(index);
}

std::string recentFileName(int index1)
{
    return "File" + std::to_string(index1);
}

Colour parseColourString(SjisView decimal, Colour fallback)
{
    if (decimal.empty())
        return fallback;
    long long value = 0;
    const auto [end, ec] = std::from_chars(decimal.data(), decimal.data() + decimal.size(), value);
    if (ec != std::errc() || end != decimal.data() + decimal.size() || value < 0 ||
        value > 0xFFFFFFFFLL)
        return fallback;
    return static_cast<Colour>(value);
}

std::string colourString(Colour c)
{
    return std::to_string(c);
}

int phraseHistoryCount(const SettingsStore& s)
{
    return clampPhraseHistoryCount(read(s, keys::SaveCnt));
}

int printOrientation(const SettingsStore& s)
{
    return read(s, keys::Orientation) == 2 ? 2 : 1;
}

} // namespace corvane
