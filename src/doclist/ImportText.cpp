#include "doclist/ImportText.h"

#include <algorithm>

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
    for (std::size_t i = 0; i + 1 < swapped.size(); ++i) {
        if (swapped[i] == LF && swapped[i + 1] == CR) {
            swapped[i] = CR;
            swapped[i + 1] = LF;
            ++i;
        }
    }

    std::string out;
    out.reserve(swapped.size() + swapped.size() / 32 + 2);
    const std::size_t n = swapped.size();
    for (std::size_t i = 0; i < n; ++i) {
        const char c = swapped[i];
        if (c == CR) {
            out += CR;
            out += LF;
            if (i + 1 < n && swapped[i + 1] == LF)
                ++i;
        } else if (c == LF) {
            // Reached only by an LF not preceded by CR: the CR case above consumes its LF.
            out += CR;
            out += LF;
        } else {
            out += c;
        }
    }
    return out;
}

std::string expandTabs(std::string_view bytes)
{
    if (bytes.size() >= 2 && bytes[bytes.size() - 2] == CR && bytes.back() == LF)
        bytes.remove_suffix(2);

    const auto tabs = static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), TAB));
    if (tabs == 0)
        return std::string(bytes);
    std::string out;
    out.reserve(bytes.size() + 3 * tabs);
    for (char c : bytes) {
        if (c == TAB)
            out.append(4, ' ');
        else
            out += c;
    }
    return out;
}

} // namespace corvane::doclist
