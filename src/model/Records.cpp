#include "model/Records.h"

#include <cstring>

namespace corvane {

namespace {
void copyText(char* field, std::size_t fieldBytes, const char* text)
{
    std::memset(field, 0, fieldBytes);
    std::strncpy(field, text, fieldBytes - 1);
}
} // namespace

void applyNewProjectValues(TextViewSettings& s)
{
    copyText(s.fontName, sizeof s.fontName, "Meiryo UI");
    s.fontSize = 11;
    s.bold = 0;
    s.italic = 0;
    s.textColour = 0x000000;
    s.antiAliasing = 1;
    s.lineSpacing = 5;
    s.wordWrap = 1;
    s.leftMargin = 5;
    s.topMargin = 5;
    s.lineNumbersShown = 1;
    s.lineNumberColour = 0x804000;
    s.lineNumberBackground = 0xFFDFF7;
    s.lineNumberAlignment = 1;
    s.lineNumberPadding = 5;
    s.borderColour = 0x8000FF;
    s.borderStyle = 0;
    s.caretWidth = 3;
    s.caretBlink = 5;
    for (int i = 0; i < kBookmarkCount; ++i) {
        std::memset(s.bookmarkPath[i], 0, sizeof s.bookmarkPath[i]);
        s.bookmarkPosition[i] = -1;
        std::memset(s.bookmarkSample[i], 0, sizeof s.bookmarkSample[i]);
    }
    s.bookmarkSampleLength = 80;
    s.bookmarkImageSize = 24;
    s.linkLineShown = 1;
    s.linkLineColour = 0xFF0080;
    s.linkCountShown = 1;
    s.linkCountColour = 0xFF0080;
    s.background = 0xFFDFF7;
    s.selectionColour = 0xDFCFBF;
    s.whiteSpaceShown = 1;
    s.whiteSpaceColour = 0xBF8F6F;
    s.lineBreaksShown = 1;
    s.lineBreakColour = 0x8000FF;
}

void applyNewProjectValues(ChartViewSettings& s)
{
    s.scrollX = 0;
    s.scrollY = 0;
    s.zoom = 1.0f;
    s.consoleX = 79;
    s.consoleY = 79;
    s.consoleAlwaysShown = 1;
    s.rotationRadius = 70;
    s.width = 1500;
    s.height = 1500;
    s.background = 0xFFDFF7;
    s.lineColour = 0x000000;
    s.rotationCircleShown = 1;
    s.mainSubjectShown = 1;
    s.subjectNodesRound = 0;
    s.markerNodesRound = 1;
}

} // namespace corvane
