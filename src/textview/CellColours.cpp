#include "textview/CellColours.h"

#include <algorithm>
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
        const Colour dark = darkened(m.colour);
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
