#include "print/PageGrid.h"

#include <algorithm>
#include <cmath>

namespace corvane::print {

int mmToDots(int mm, int dpi)
{
    // mm x dpi / 25.4 rounded, in integers: (mm x dpi x 10 + 127) / 254.
    return static_cast<int>((std::int64_t(mm) * dpi * 10 + 127) / 254);
}

PageGrid computePageGrid(const DeviceSheet& sheet, const MarginsMm& margins, int chartWidth,
                         int chartHeight, bool onePage)
{
    const auto margin = [](int mm, int dpi, int least) {
        return std::max(mmToDots(std::clamp(mm, 0, kMaxMarginMm), dpi), std::max(0, least));
    };
    PageGrid g;
    g.left = margin(margins.left, sheet.dpiX, sheet.minLeftDots);
    g.top = margin(margins.top, sheet.dpiY, sheet.minTopDots);
    const int right = margin(margins.right, sheet.dpiX, sheet.minRightDots);
    const int bottom = margin(margins.bottom, sheet.dpiY, sheet.minBottomDots);
    g.printableWidth = sheet.widthDots - g.left - right;
    g.printableHeight = sheet.heightDots - g.top - bottom;
    g.chartWidthDots = std::int64_t(std::max(0, chartWidth)) * sheet.dpiX / kChartDpi;
    g.chartHeightDots = std::int64_t(std::max(0, chartHeight)) * sheet.dpiY / kChartDpi;
    g.valid = sheet.dpiX > 0 && sheet.dpiY > 0 && g.printableWidth > 0 && g.printableHeight > 0;
    if (!g.valid)
        return g;
    if (onePage) {
        g.across = g.down = 1;
    } else {
        g.across = static_cast<int>(g.chartWidthDots / g.printableWidth + 1);
        g.down = static_cast<int>(g.chartHeightDots / g.printableHeight + 1);
    }
    return g;
}

TileOrigin tileOrigin(const PageGrid& grid, int page)
{
    if (!grid.valid || grid.across <= 0 || page < 1)
        return {};
    const int column = (page - 1) % grid.across;
    const int row = (page - 1) / grid.across;
    return {std::int64_t(column) * grid.printableWidth, std::int64_t(row) * grid.printableHeight};
}

FitRect fitOnePage(const PageGrid& grid)
{
    FitRect r;
    if (!grid.valid || grid.chartWidthDots <= 0 || grid.chartHeightDots <= 0)
        return r;
    const double sx = double(grid.printableWidth) / double(grid.chartWidthDots);
    const double sy = double(grid.printableHeight) / double(grid.chartHeightDots);
    r.scale = std::min(sx, sy);
    r.width = std::min(grid.printableWidth,
                       static_cast<int>(std::lround(double(grid.chartWidthDots) * r.scale)));
    r.height = std::min(grid.printableHeight,
                        static_cast<int>(std::lround(double(grid.chartHeightDots) * r.scale)));
    r.x = grid.left + (grid.printableWidth - r.width) / 2;
    r.y = grid.top + (grid.printableHeight - r.height) / 2;
    return r;
}

PageRange clampPageRange(int start, int end, int total)
{
    total = std::max(1, total);
    PageRange r;
    r.start = std::clamp(start, 1, total);
    r.end = std::clamp(end, r.start, total);
    return r;
}

std::vector<int> pagesToPrint(const PageGrid& grid, bool onePage, Range range, int currentPage,
                              int start, int end)
{
    if (!grid.valid || grid.pageCount() <= 0)
        return {};
    if (onePage)
        return {1};
    const int total = grid.pageCount();
    PageRange r{1, total};
    if (range == Range::Current)
        r = clampPageRange(currentPage, currentPage, total);
    else if (range == Range::FromTo)
        r = clampPageRange(start, end, total);
    std::vector<int> pages;
    for (int p = r.start; p <= r.end; ++p)
        pages.push_back(p);
    return pages;
}

} // namespace corvane::print
