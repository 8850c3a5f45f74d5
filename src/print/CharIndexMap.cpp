#include "print/CharIndexMap.h"

#include "base/Sjis.h"
#include "model/FixedText.h"

#include <algorithm>
#include <set>

namespace corvane::output {

std::vector<std::int32_t> buildCharIndexMap(SjisView text)
{
    std::vector<std::int32_t> map(text.size() + 1);
    std::int32_t counter = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        const auto b = static_cast<unsigned char>(text[i]);
        if (b == '\n') {
            map[i++] = counter;
            continue;
        }
        // A lead byte at the very end has no second byte: it counts as a character of its own.
        if (sjis::isLeadByte(b) && i + 1 < text.size()) {
            map[i] = counter;
            map[i + 1] = counter;
            i += 2;
        } else {
            map[i++] = counter;
        }
        ++counter;
    }
    map[text.size()] = counter;
    return map;
}

std::vector<BytePiece> markerPieces(SjisView text, ByteOffset position, std::int32_t length)
{
    std::vector<BytePiece> pieces;
    const auto size = static_cast<std::int64_t>(text.size());
    const std::int64_t begin = std::clamp<std::int64_t>(position, 0, size);
    const std::int64_t end = std::clamp<std::int64_t>(std::int64_t(position) + length, begin, size);
    std::int64_t start = begin;
    // CR and LF are never trail bytes, so a bytewise scan finds only real line ends.
    for (std::int64_t i = begin; i < end; ++i) {
        if (text[static_cast<std::size_t>(i)] != '\r')
            continue;
        if (i > start)
            pieces.push_back({ByteOffset(start), ByteOffset(i)});
        start = i + 1;
        if (start < end && text[static_cast<std::size_t>(start)] == '\n')
            ++start;
        i = start - 1;
    }
    if (end > start)
        pieces.push_back({ByteOffset(start), ByteOffset(end)});
    return pieces;
}

std::vector<ColourRun> documentShading(const ProjectData& project, SjisView relativePath,
                                       SjisView text)
{
    struct Event
    {
        ByteOffset at;
        int piece; ///< index into colours
        bool opens;
    };
    std::vector<Colour> colours;
    std::vector<Event> events;
    for (int i = 0; i < project.objectCount; ++i) {
        const ObjectRecord& r = project.objects[i];
        if (r.type != ObjectType::Marker || fixedText(r.document) != relativePath)
            continue;
        for (const BytePiece& piece : markerPieces(text, r.position, r.length)) {
            const int index = static_cast<int>(colours.size());
            colours.push_back(r.markerColour);
            events.push_back({piece.begin, index, true});
            events.push_back({piece.end, index, false});
        }
    }
    std::sort(events.begin(), events.end(),
              [](const Event& a, const Event& b) { return a.at < b.at; });

    // A sweep over the piece boundaries: between two boundaries the open piece latest in table
    // order gives the colour.
    std::vector<ColourRun> runs;
    std::set<int> open;
    int lastTop = -1;
    std::size_t e = 0;
    while (e < events.size()) {
        const ByteOffset at = events[e].at;
        for (; e < events.size() && events[e].at == at; ++e) {
            if (events[e].opens)
                open.insert(events[e].piece);
            else
                open.erase(events[e].piece);
        }
        if (open.empty() || e == events.size())
            continue;
        const ByteOffset next = events[e].at;
        const int top = *open.rbegin();
        if (next <= at)
            continue;
        // Another piece ending or starting under the same top piece does not cut its run.
        if (!runs.empty() && runs.back().end == at && lastTop == top)
            runs.back().end = next;
        else
            runs.push_back({at, next, colours[static_cast<std::size_t>(top)]});
        lastTop = top;
    }
    return runs;
}

} // namespace corvane::output
