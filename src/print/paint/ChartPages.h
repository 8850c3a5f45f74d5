// Chart pages on any paged device (a printer, or a QPdfWriter for cvntool): each tile is drawn
// straight onto the page with the chart painter, clipped, translated and scaled from chart units
// (1/96 in) to the device's dots, never through a bitmap of the whole chart at the device's
// resolution (5,000 x 5,000 at 1,200 dpi would be 14 GB) and never by changing the chart's zoom.
#pragma once

#include "model/ProjectData.h"
#include "print/PageGrid.h"
#include "print/PrintSettings.h"

#include <QPageLayout>
#include <QPageSize>

#include <vector>

class QPagedPaintDevice;
class QPainter;

namespace corvane::print {

/// The page size of a paper code: the label's size for 12, 14 and 24-26 (PaperTable.h), the
/// toolkit's size for the other codes it knows, A4 for codes it does not.
QPageSize pageSizeForCode(int code);

/// The full-page layout (margins 0) of a paper code in an orientation.
QPageLayout fullPageLayout(int paperCode, Orientation orientation);

/// The sheet of layout at dpi, with the device's least margins (in the layout's units).
DeviceSheet sheetOf(const QPageLayout& layout, int dpi, const QMarginsF& minimumMargins = {});

/// The chart's canvas width and height in chart units.
struct ChartSize
{
    int width = 0;
    int height = 0;
};
ChartSize chartSizeOf(const ProjectData& project);

/// Draws page (1-based) of grid onto painter, whose origin is the paper's top-left corner and
/// whose units are the device's dots at dpiX x dpiY. onePage: the whole chart fitted.
void paintChartPage(QPainter& painter, const ProjectData& project, const PageGrid& grid, int page,
                    bool onePage, int dpiX, int dpiY);

/// Prints pages of grid on device (already set to the grid's full-page layout and resolution),
/// one device page each. False when painting could not start or a page could not be added.
bool printChartPages(QPagedPaintDevice& device, const ProjectData& project, const PageGrid& grid,
                     const std::vector<int>& pages, bool onePage);

} // namespace corvane::print
