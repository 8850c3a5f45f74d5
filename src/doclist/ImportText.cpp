#include "doclist/ImportText.h"

#include <algorithm>
#include <string>

namespace corvane::doclist {

namespace {
constexpr char CR = '\r';
constexpr char LF = '\n';
constexpr char TAB = '\t';
} // namespace

bool passesTextCheck(std::string_view bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char c) {
        const auto b = static_cast<unsigned char>(c);
        return b >= 0x20 || b == TAB || b == LF || b == CR;
    });
}

std::string normaliseLineEnds(std::string_view bytes)
{
    // First pass: LF CR -> CR LF, continuing after the pair so that LF CR LF CR becomes
    // CR LF CR LF rather than a chain of overlapping swaps.
    std::string swapped(bytes);
    for (std::size_t i = swapped.find(LF); i != std::string::npos && i + 1 < swapped.size();
         i = swapped.find(LF, i + 1)) {
        if (swapped[i + 1] == CR) {
            swapped[i] = CR;
            swapped[i + 1] = LF;
            ++i;
        }
    }

    // Second pass: runs without line-end bytes are copied whole; the text between line ends is
    // long compared with them, so this is close to a plain copy.
    std::string out;
    out.reserve(swapped.size() + swapped.size() / 32 + 2);
    const std::size_t n = swapped.size();
    std::size_t i = 0;
    while (i < n) {
        const std::size_t end = swapped.find_first_of("\r\n", i);
        if (end == std::string::npos) {
            out.append(swapped, i, n - i);
            break;
        }
        out.append(swapped, i, end - i);
        out += CR;
        out += LF;
        // A CR takes its LF with it; an LF reached here had no CR before it.
        i = end + ((swapped[end] == CR && end + 1 < n && swapped[end + 1] == LF) ? 2 : 1);
    }
    return out;
}

std::string expandTabs(std::string_view bytes)
{
    if (bytes.size() >= 2 && bytes[bytes.size() - 2] == CR && bytes.back() == LF)
        bytes.remove_suffix(2);
    return tabsToSpaces(bytes);
}

std::string tabsToSpaces(std::string_view bytes)
{
    std::size_t tab = bytes.find(TAB);
    if (tab == std::string_view::npos)
        return std::string(bytes);
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 16);
    std::size_t from = 0;
    while (tab != std::string_view::npos) {
        out.append(bytes, from, tab - from);
        out.append(4, ' ');
        from = tab + 1;
        tab = bytes.find(TAB, from);
    }
    out.append(bytes, from);
    return out;
}

} // namespace corvane::doclist
