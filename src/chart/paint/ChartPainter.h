// Draws the chart (canvas, links with their arrow heads, nodes with their selection marks and
// text, the rotation circle) with a QPainter in canvas pixels at a given zoom. The window, chart
// printing and `cvntool chart-png` all draw through it; it needs QtGui only.
#pragma once

#include "model/ProjectData.h"

#include <QHash>
#include <QRect>
#include <QStaticText>
#include <QString>

class QPainter;

namespace corvane::chart {

struct PaintOptions
{
    float zoom = 1.0f; ///< clamped before use
    /// A raster printer: node fonts keep their unscaled size (the printer's resolution scales).
    bool printer = false;
    /// Selection frames, handles and the rotation circle; off for images and printing.
    bool selectionMarks = true;
    /// The main selection (0 none), for its handle colour and rotation circle.
    ObjectId mainId = 0;
    /// The part to draw in canvas pixels; nodes and links outside it are skipped. Null: all.
    QRect exposed;
    /// The node text face; empty: "Meiryo UI" through the font substitutions. A PDF device
    /// names IPAPGothic: the PDF writer maps the glyphs of the CJK collection font to wrong
    /// characters, so a printed chart's text could not be searched.
    QString fontFamily;
    /// Dots per inch a node's point size is converted with; 0: the device's. A painter already
    /// scaled from chart units to a printer's dots passes 96, so the resolution is not applied
    /// twice.
    int fontDpi = 0;
};

class ChartPainter
{
public:
    /// Draws into painter, whose origin is the canvas origin. Unplaced nodes are skipped: the
    /// caller runs placement in a model pass first.
    void paint(QPainter& painter, const ProjectData& project, const PaintOptions& options) const;

    /// A node text laid out once for its font, wrapping width and alignment, and drawn from
    /// then on without measuring or shaping it again.
    struct LaidOutText
    {
        QStaticText text;
        int width = 0;
        int height = 0;
    };

private:
    /// Keyed by text, font and width; cleared when it grows past a few times the node limit.
    mutable QHash<QString, LaidOutText> texts_;
};

} // namespace corvane::chart
