// The page arithmetic of chart printing, the paper codes and the stored print settings.
#include "print/PageGrid.h"
#include "base/MemorySettings.h"
#include "base/SettingsKeys.h"
#include "print/PaperTable.h"
#include "print/PrintSettings.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

namespace corvane::print {
namespace {

/// A4 portrait at dpi, no least margins.
DeviceSheet a4(int dpi)
{
    return {dpi, dpi, mmToDots(210, dpi), mmToDots(297, dpi)};
}

TEST(PageGrid, IntegerPartPlusOneAcrossAndDown)
{
    // A4 at 96 dpi: 794 x 1123 dots; margins 25/10/25/10 mm = 94/38/94/38 dots.
    const PageGrid g = computePageGrid(a4(96), {25, 10, 25, 10}, 1600, 1200, false);
    ASSERT_TRUE(g.valid);
    EXPECT_EQ(g.printableWidth, 794 - 94 - 38);
    EXPECT_EQ(g.printableHeight, 1123 - 94 - 38);
    EXPECT_EQ(g.across, 1600 / 662 + 1);
    EXPECT_EQ(g.down, 1200 / 991 + 1);
    EXPECT_EQ(g.pageCount(), 3 * 2);
}

TEST(PageGrid, ACanvasExactlyAsWideAsThePrintableWidthTakesTwoPagesAcross)
{
    // 1,000 printable dots at 192 dpi: 500 chart units.
    const DeviceSheet sheet{192, 192, 1000 + mmToDots(10, 192) * 2, 3000};
    const MarginsMm m{10, 10, 0, 0};
    EXPECT_EQ(computePageGrid(sheet, m, 500, 10, false).printableWidth, 1000);
    EXPECT_EQ(computePageGrid(sheet, m, 500, 10, false).across, 2);
    EXPECT_EQ(computePageGrid(sheet, m, 499, 10, false).across, 1);
    EXPECT_EQ(computePageGrid(sheet, m, 500, 10, true).pageCount(), 1);
}

TEST(PageGrid, MarginsWiderThanThePaperAreRefusedNeverNegativePages)
{
    DeviceSheet postcard{300, 300, mmToDots(60, 300), mmToDots(90, 300)};
    const PageGrid g = computePageGrid(postcard, {50, 50, 10, 10}, 2000, 2000, false);
    EXPECT_FALSE(g.valid);
    EXPECT_EQ(g.pageCount(), 0);
    EXPECT_TRUE(pagesToPrint(g, false, Range::All, 1, 1, 1).empty());
    EXPECT_TRUE(pagesToPrint(g, true, Range::All, 1, 1, 1).empty());
    // Exactly zero printable width is refused too.
    DeviceSheet exact{96, 96, mmToDots(50, 96) * 2, 500};
    EXPECT_FALSE(computePageGrid(exact, {50, 50, 0, 0}, 10, 10, false).valid);
}

TEST(PageGrid, MarginsAreClampedAndRaisedToThePrintersLeast)
{
    DeviceSheet sheet = a4(300);
    sheet.minLeftDots = 100;
    const PageGrid g = computePageGrid(sheet, {0, 80, -5, 10}, 100, 100, false);
    EXPECT_EQ(g.left, 100);
    EXPECT_EQ(g.top, 0);
    EXPECT_EQ(g.printableWidth, sheet.widthDots - 100 - mmToDots(50, 300));
}

TEST(PageGrid, PropertyTilesCoverTheWholeChartOnceWithoutAnEmptyColumnOrRowBeyondTheRule)
{
    std::mt19937 rng(11);
    for (int round = 0; round < 500; ++round) {
        const int dpi = std::vector<int>{72, 96, 150, 300, 600, 1200}[rng() % 6];
        const MarginsMm m{int(rng() % 51), int(rng() % 51), int(rng() % 51), int(rng() % 51)};
        const int w = int(rng() % 12000) + 1, h = int(rng() % 12000) + 1;
        const PageGrid g = computePageGrid(a4(dpi), m, w, h, false);
        if (!g.valid)
            continue;
        // The last column starts inside or exactly at the chart's edge, and the tiles reach it.
        const TileOrigin last = tileOrigin(g, g.pageCount());
        EXPECT_LE(last.x, g.chartWidthDots);
        EXPECT_GT(last.x + g.printableWidth, g.chartWidthDots);
        EXPECT_LE(last.y, g.chartHeightDots);
        EXPECT_GT(last.y + g.printableHeight, g.chartHeightDots);
        // Every page has its own tile.
        std::set<std::pair<std::int64_t, std::int64_t>> seen;
        for (int p = 1; p <= g.pageCount() && p <= 400; ++p) {
            const TileOrigin t = tileOrigin(g, p);
            ASSERT_TRUE(seen.insert({t.x, t.y}).second);
        }
        const FitRect fit = fitOnePage(computePageGrid(a4(dpi), m, w, h, true));
        EXPECT_LE(fit.width, g.printableWidth);
        EXPECT_LE(fit.height, g.printableHeight);
        EXPECT_GE(fit.x, g.left);
        EXPECT_GE(fit.y, g.top);
    }
}

TEST(PageRange, ClampedToOneStartEndTotal)
{
    const PageGrid g = computePageGrid(a4(96), {}, 3000, 3000, false);
    ASSERT_GT(g.pageCount(), 4);
    const int total = g.pageCount();
    EXPECT_EQ(pagesToPrint(g, false, Range::FromTo, 1, 0, 2), (std::vector<int>{1, 2}));
    EXPECT_EQ(pagesToPrint(g, false, Range::FromTo, 1, total + 5, total + 9),
              (std::vector<int>{total}));
    EXPECT_EQ(pagesToPrint(g, false, Range::FromTo, 1, 4, 2), (std::vector<int>{4}));
    EXPECT_EQ(pagesToPrint(g, false, Range::Current, 99, 1, 1), (std::vector<int>{total}));
    EXPECT_EQ(pagesToPrint(g, false, Range::All, 3, 1, 1).size(), std::size_t(total));
    // One page: the range has no effect.
    const PageGrid one = computePageGrid(a4(96), {}, 3000, 3000, true);
    EXPECT_EQ(pagesToPrint(one, true, Range::FromTo, 1, 3, 5), (std::vector<int>{1}));
}

TEST(PaperTable, NamesByCodeAndTheSizesTheLabelsMean)
{
    EXPECT_EQ(paperName(9), "A4Sheet, 210x297mm");
    EXPECT_EQ(paperName(41), "GermanLegalFanfold, 81/2x13inch");
    EXPECT_EQ(paperName(0), "etc.");
    EXPECT_EQ(paperName(42), "etc.");
    ASSERT_TRUE(paperOverride(12));
    EXPECT_DOUBLE_EQ(paperOverride(12)->width, 250);
    EXPECT_DOUBLE_EQ(paperOverride(14)->height, 13 * 25.4);
    EXPECT_DOUBLE_EQ(paperOverride(26)->width, 34 * 25.4);
    EXPECT_FALSE(paperOverride(9));
}

TEST(PrintSettings, StoredValuesAreClampedOrDefaultedWhenRead)
{
    MemorySettings store;
    EXPECT_EQ(readPrintSettings(store).paperCode, 9);
    EXPECT_EQ(readPrintSettings(store).margins.left, 25);
    store.writeInt("Insatu", "Orientation", 0);
    store.writeInt("Insatu", "MarginLmm", -4);
    store.writeInt("Insatu", "MarginBmm", 400);
    store.writeInt("Insatu", "PaperSize", 256);
    store.writeInt("Insatu", "Hani", 7);
    const PrintSettings s = readPrintSettings(store);
    EXPECT_EQ(s.orientation, Orientation::Portrait);
    EXPECT_EQ(s.margins.left, 0);
    EXPECT_EQ(s.margins.bottom, 50);
    EXPECT_EQ(s.paperCode, 9);
    EXPECT_EQ(s.range, Range::All);
    writeOrientation(store, Orientation::Landscape);
    EXPECT_EQ(readPrintSettings(store).orientation, Orientation::Landscape);
}

} // namespace
} // namespace corvane::print
