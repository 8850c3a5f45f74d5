// The chart printing settings of section "Insatu", read back clamped: a damaged or hand-edited
// value never reaches the layout (a negative margin, an orientation of 0, an unknown paper).
#pragma once

#include "base/Settings.h"
#include "print/PageGrid.h"

namespace corvane::print {

enum class Orientation
{
    Portrait = 1,
    Landscape = 2,
};

struct PrintSettings
{
    int paperCode = 9;
    Orientation orientation = Orientation::Portrait;
    MarginsMm margins;
    bool onePage = false;
    Range range = Range::All;
    bool showMargins = false;
};

/// Reads the settings: margins clamped to 0-50 mm, an orientation other than 2 read as portrait,
/// a paper code outside 1-41 read as A4 (9), a range outside 1-3 read as all pages.
PrintSettings readPrintSettings(const SettingsStore& store);

void writeOrientation(SettingsStore& store, Orientation orientation);
void writePaperCode(SettingsStore& store, int paperCode);
/// The four margins, the one-page and range choices and the preview's margin lines, as the print
/// command stores them.
void writeJobSettings(SettingsStore& store, const PrintSettings& settings);

} // namespace corvane::print
