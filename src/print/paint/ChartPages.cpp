#include "print/paint/ChartPages.h"

#include "chart/ChartGeometry.h"
#include "chart/paint/ChartPainter.h"
#include "print/PaperTable.h"
#include "print/paint/PdfFaces.h"

#include <QPagedPaintDevice>
#include <QPainter>

#include <cmath>

namespace corvane::print {

QPageSize pageSizeForCode(int code)
{
    if (const auto over = paperOverride(code))
        return QPageSize(
            QSizeF(over->width, over->height), QPageSize::Millimeter,
            QString::fromUtf8(paperName(code).data(), qsizetype(paperName(code).size())),
            QPageSize::ExactMatch);
    if (isKnownPaperCode(code)) {
        const QPageSize::PageSizeId id = QPageSize::id(code);
        if (id != QPageSize::Custom)
            return QPageSize(id);
    }
    return QPageSize(QPageSize::A4);
}

QPageLayout fullPageLayout(int paperCode, Orientation orientation)
{
    return QPageLayout(pageSizeForCode(paperCode),
                       orientation == Orientation::Landscape ? QPageLayout::Landscape
                                                             : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

DeviceSheet sheetOf(const QPageLayout& layout, int dpi, const QMarginsF& minimumMargins)
{
    DeviceSheet s;
    s.dpiX = s.dpiY = dpi;
    const QRect full = layout.fullRectPixels(dpi);
    s.widthDots = full.width();
    s.heightDots = full.height();
    // The least margins come in the layout's units.
    const qreal pointsPerUnit = [&] {
        switch (layout.units()) {
        case QPageLayout::Millimeter:
            return 72.0 / 25.4;
        case QPageLayout::Inch:
            return 72.0;
        case QPageLayout::Pica:
            return 12.0;
        case QPageLayout::Didot:
            return 1.07;
        case QPageLayout::Cicero:
            return 12.84;
        case QPageLayout::Point:
            break;
        }
        return 1.0;
    }();
    const auto dots = [&](qreal value) {
        return static_cast<int>(std::ceil(value * pointsPerUnit * dpi / 72.0));
    };
    s.minLeftDots = dots(minimumMargins.left());
    s.minRightDots = dots(minimumMargins.right());
    s.minTopDots = dots(minimumMargins.top());
    s.minBottomDots = dots(minimumMargins.bottom());
    return s;
}

ChartSize chartSizeOf(const ProjectData& project)
{
    return {chart::chartWidth(project.chartView), chart::chartHeight(project.chartView)};
}

void paintChartPage(QPainter& painter, const ProjectData& project, const PageGrid& grid, int page,
                    bool onePage, int dpiX, int dpiY)
{
    if (!grid.valid)
        return;
    const double sx = double(dpiX) / kChartDpi;
    const double sy = double(dpiY) / kChartDpi;
    chart::PaintOptions options;
    options.zoom = 1.0f;
    options.selectionMarks = false;
    options.fontFamily = output::pdfProportionalFace();
    options.fontDpi = kChartDpi;
    painter.save();
    painter.setClipRect(QRect(grid.left, grid.top, grid.printableWidth, grid.printableHeight));
    if (onePage) {
        const FitRect fit = fitOnePage(grid);
        painter.translate(fit.x, fit.y);
        painter.scale(fit.scale * sx, fit.scale * sy);
    } else {
        const TileOrigin tile = tileOrigin(grid, page);
        painter.translate(double(grid.left - tile.x), double(grid.top - tile.y));
        painter.scale(sx, sy);
        // The tile in chart units, a unit wider each way for lines on its edges.
        options.exposed =
            QRect(int(double(tile.x) / sx) - 1, int(double(tile.y) / sy) - 1,
                  int(grid.printableWidth / sx) + 3, int(grid.printableHeight / sy) + 3);
    }
    chart::ChartPainter().paint(painter, project, options);
    painter.restore();
}

bool printChartPages(QPagedPaintDevice& device, const ProjectData& project, const PageGrid& grid,
                     const std::vector<int>& pages, bool onePage)
{
    if (!grid.valid || pages.empty())
        return false;
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    bool ok = true;
    for (std::size_t i = 0; i < pages.size() && ok; ++i) {
        if (i > 0 && !device.newPage()) {
            ok = false;
            break;
        }
        paintChartPage(painter, project, grid, pages[i], onePage, device.logicalDpiX(),
                       device.logicalDpiY());
    }
    return painter.end() && ok;
}

} // namespace corvane::print
