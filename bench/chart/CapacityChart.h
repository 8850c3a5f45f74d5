// The chart at capacity that the chart and printing benchmarks draw: 5,000 nodes of 60 x 40 in a
// 70-unit grid on a 5,000 x 5,000 canvas, and 5,000 links between nodes far apart (some two
// thousand long lines cross any view, the worst case for drawing).
#pragma once

#include "model/FixedText.h"
#include "model/ProjectData.h"

#include <cstring>

namespace corvane::bench {

inline void fillCapacityChart(ProjectData& p)
{
    applyNewProjectValues(p.chartView);
    p.chartView.width = 5000;
    p.chartView.height = 5000;
    p.objectCount = 0;
    for (int i = 0; i < kMaxObjects; ++i) {
        ObjectRecord& r = p.objects[p.objectCount++];
        std::memset(&r, 0, sizeof r);
        r.id = i + 1;
        r.type = i % 10 == 0 ? ObjectType::SubSubject : ObjectType::Marker;
        setFixedText(r.secondText, "node text \x83m\x81[\x83h");
        r.fontSize = 10;
        r.alignV = 1;
        r.alignH = 1;
        r.wordWrap = 1;
        r.background = 0xDBE8FD;
        r.lineColour = 0x063177;
        r.lineThickness = 2;
        const int x = (i % 70) * 70 + 10;
        const int y = (i / 70) * 70 + 10;
        r.nodeRect[0] = x;
        r.nodeRect[1] = y;
        r.nodeRect[2] = x + 60;
        r.nodeRect[3] = y + 40;
    }
    p.linkCount = 0;
    for (int i = 0; i < kMaxLinks; ++i)
        p.links[p.linkCount++] = {1 + i, 1 + (i * 7 + 71) % kMaxObjects};
}

} // namespace corvane::bench
