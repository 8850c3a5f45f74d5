#include "textview/CellColours.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <unordered_map>

namespace corvane {

std::vector<MarkerSpan> markerSpansOf(const ProjectData& project, SjisView relativePath)
{
    std::vector<MarkerSpan> spans;
    if (relativePath.empty() || relativePath.size() >= kDocumentPathBytes)
        return spans;
    std::unordered_map<ObjectId, int> linkCounts;
    for (int i = 0; i < project.linkCount; ++i) {
        const LinkRecord& l = project.links[static_cast<std::size_t>(i)];
        ++linkCounts[l.from];
        if (l.to != l.from)
            ++linkCounts[l.to];
    }
    for (int i = 0; i < project.objectCount; ++i) {
        const ObjectRecord& o = project.objects[static_cast<std::size_t>(i)];
        if (o.type != ObjectType::Marker)
            continue;
        const std::size_t len = ::strnlen(o.document, kDocumentPathBytes);
        if (SjisView(o.document, len) != relativePath)
            continue;
        MarkerSpan s;
        s.position = o.position;
        s.length = std::max(0, o.length);
        s.colour = o.markerColour;
        const auto it = linkCounts.find(o.id);
        s.linkCount = it == linkCounts.end() ? 0 : it->second;
        s.current = project.currentObject == i;
        s.objectIndex = i;
        spans.push_back(s);
    }
    return spans;
}

Colour darkened(Colour colour)
{
    auto down = [](unsigned v) { return v > 50 ? v - 50 : 0u; };
    return rgbColour(down(colourRed(colour)), down(colourGreen(colour)), down(colourBlue(colour)));
}

double contrastRatio(Colour a, Colour b)
{
    auto luminance = [](Colour c) {
        auto channel = [](unsigned v) {
            const double x = v / 255.0;
            return x <= 0.03928 ? x / 12.92 : std::pow((x + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(colourRed(c)) + 0.7152 * channel(colourGreen(c)) +
               0.0722 * channel(colourBlue(c));
    };
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Colour currentMarkerColour(Colour marker, Colour textColour)
{
    // 4.5:1 is the usual threshold for body text.
    constexpr double kReadable = 4.5;
    const Colour dark = darkened(marker);
    const double darkContrast = contrastRatio(dark, textColour);
    if (darkContrast >= kReadable)
        return dark;
    auto up = [](unsigned v) { return v < 205 ? v + 50 : 255u; };
    const Colour light =
        rgbColour(up(colourRed(marker)), up(colourGreen(marker)), up(colourBlue(marker)));
    return contrastRatio(light, textColour) > darkContrast ? light : dark;
}

namespace {
/// Index range [first, last) of the characters whose first byte lies in [from, to).
std::pair<std::size_t, std::size_t> charsIn(const std::vector<ByteOffset>& starts, ByteOffset from,
                                            ByteOffset to)
{
    const auto b = std::lower_bound(starts.begin(), starts.end(), from);
    const auto e = std::lower_bound(b, starts.end(), to);
    return {static_cast<std::size_t>(b - starts.begin()),
            static_cast<std::size_t>(e - starts.begin())};
}
} // namespace

void cellStyles(const std::vector<ByteOffset>& charStarts, ByteOffset lineStart, ByteOffset lineEnd,
                ByteRange selection, const std::vector<MarkerSpan>& markers,
                const CellColourInputs& in, std::vector<CellStyle>& out)
{
    const std::size_t n = charStarts.size();
    out.assign(n, CellStyle{in.background, false});
    if (n == 0)
        return;
    // The selection flag is kept apart from the colour so that a marker colour equal to the
    // selection colour is not taken for a selected cell.
    std::vector<bool> selected(n, false);
    if (!selection.empty() && selection.start < lineEnd && selection.end > lineStart) {
        const auto [b, e] = charsIn(charStarts, std::max(selection.start, lineStart),
                                    std::min(selection.end, lineEnd));
        for (std::size_t k = b; k < e; ++k) {
            selected[k] = true;
            out[k].colour = in.selection;
        }
    }
    for (const MarkerSpan& m : markers) {
        if (m.length <= 0 || m.position >= lineEnd || m.end() <= lineStart)
            continue;
        const auto [b, e] =
            charsIn(charStarts, std::max(m.position, lineStart), std::min(m.end(), lineEnd));
        const Colour dark = currentMarkerColour(m.colour, in.text);
        const bool band = in.linkLinesShown && m.linkCount > 0;
        for (std::size_t k = b; k < e; ++k) {
            if (m.current)
                out[k].colour = selected[k] ? in.selection : dark;
            else
                out[k].colour = selected[k] ? dark : m.colour;
            if (band)
                out[k].linkLine = true;
        }
    }
}

} // namespace corvane
