// The page arithmetic of chart printing, one function for the print dialog, the print job and
// cvntool, all in integers of device dots so the three never disagree about a page.
//
// Chart units are 1/96 inch whatever the zoom and the screen, so a chart W units wide is
// trunc(W x dpi / 96) dots wide on a device of dpi dots per inch. Margins are measured from the
// paper's edge (full-page coordinates); the device's unprintable border only raises them.
#pragma once

#include <cstdint>
#include <vector>

namespace corvane::print {

inline constexpr int kChartDpi = 96;
inline constexpr int kMaxMarginMm = 50;

struct MarginsMm
{
    int left = 25;
    int right = 10;
    int top = 25;
    int bottom = 10;
};

/// The paper as a device gives it, in its orientation, in the device's dots.
struct DeviceSheet
{
    int dpiX = 0;
    int dpiY = 0;
    int widthDots = 0;
    int heightDots = 0;
    /// The printer's least margins (its unprintable border), in dots; 0 for a PDF file.
    int minLeftDots = 0;
    int minRightDots = 0;
    int minTopDots = 0;
    int minBottomDots = 0;
};

/// The layout of a chart on pages.
struct PageGrid
{
    /// False when the printable width or height is zero or less (small paper, wide margins):
    /// nothing can be printed and across and down are 0.
    bool valid = false;
    int across = 0;
    int down = 0;
    /// The printable area in dots from the paper's top-left corner.
    int left = 0;
    int top = 0;
    int printableWidth = 0;
    int printableHeight = 0;
    /// The chart at the device's resolution, in dots.
    std::int64_t chartWidthDots = 0;
    std::int64_t chartHeightDots = 0;

    int pageCount() const { return across * down; }
};

/// mm at dpi in whole dots, rounded to nearest.
int mmToDots(int mm, int dpi);

/// The page grid of a chart chartWidth x chartHeight chart units (1/96 in) on sheet with margins
/// (each clamped to 0-50 mm and raised to the device's least margin). onePage: the whole chart
/// shrinks onto one page. Otherwise pages across = floor(chart width in dots / printable width)
/// + 1, so a chart exactly as wide as the printable width takes two pages across; likewise down.
PageGrid computePageGrid(const DeviceSheet& sheet, const MarginsMm& margins, int chartWidth,
                         int chartHeight, bool onePage);

/// The top-left, in chart dots, of the tile page (1-based) shows: column (page - 1) mod across,
/// row (page - 1) div across, each printable width (height) apart.
struct TileOrigin
{
    std::int64_t x = 0;
    std::int64_t y = 0;
};
TileOrigin tileOrigin(const PageGrid& grid, int page);

/// Where the whole chart goes on its one page, in dots from the paper's corner: scaled to fit the
/// printable area keeping its aspect ratio, centred along the axis with room to spare.
struct FitRect
{
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    double scale = 0; ///< device dots per chart dot
};
FitRect fitOnePage(const PageGrid& grid);

/// The print range choice ("Hani").
enum class Range
{
    All = 1,
    Current = 2,
    FromTo = 3,
};

struct PageRange
{
    int start = 1;
    int end = 1;
};
/// 1 <= start <= end <= total (total >= 1); a start past end moves end up to it.
PageRange clampPageRange(int start, int end, int total);

/// The pages to print, in order: none for an invalid grid; page 1 alone on one page whatever the
/// range; else all, the current preview page, or the clamped range.
std::vector<int> pagesToPrint(const PageGrid& grid, bool onePage, Range range, int currentPage,
                              int start, int end);

} // namespace corvane::print
