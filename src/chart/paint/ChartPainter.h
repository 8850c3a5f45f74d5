// Draws the chart (canvas, links with their arrow heads, nodes with their selection marks and
// text, the rotation circle) with a QPainter in canvas pixels at a given zoom. The window, chart
// printing and `cvntool chart-png` all draw through it; it needs QtGui only.
#pragma once

#include "chart/ChartGeometry.h"
#include "model/ProjectData.h"

#include <QFont>
#include <QImage>
#include <QRect>
#include <QStaticText>
#include <QString>

#include <string>
#include <unordered_map>

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
    /// Node texts and rounded bodies drawn once into images and then copied (the window); off
    /// for vector devices (PDF, SVG, printers), which must keep text as text.
    bool screenImages = false;
};

class ChartPainter
{
public:
    /// Draws into painter, whose origin is the canvas origin. Unplaced nodes are skipped: the
    /// caller runs placement in a model pass first.
    void paint(QPainter& painter, const ProjectData& project, const PaintOptions& options) const;

    /// A node's text converted, laid out once for its font, wrapping width and alignment, and
    /// drawn from then on without converting, measuring or shaping it again. The record's text
    /// bytes and the layout values are kept to tell when the node changed.
    struct NodeText
    {
        std::string firstText;
        std::string secondText;
        bool mainSubjectShown = false;
        int pixelSize = 0;
        bool bold = false;
        bool italic = false;
        int wrapWidth = 0;
        int align = 0;
        QFont font;
        QStaticText text;
        int width = 0;
        int height = 0;
        /// The text drawn in imageColour, when images are asked for.
        QImage image;
        Colour imageColour = 0;
    };

private:
    struct BodyKey
    {
        int width;
        int height;
        int thickness; ///< in pixels
        int recordThickness;
        int style;
        Colour line;
        Colour background;
        int dpr; ///< device pixel ratio x 100
        friend bool operator==(const BodyKey&, const BodyKey&) = default;
    };
    struct BodyKeyHash
    {
        std::size_t operator()(const BodyKey& key) const;
    };
    static constexpr std::size_t kMaxBodyImages = 512;

    void drawBodyImage(QPainter& painter, const ObjectRecord& record, const Rect& canvasRect,
                       int thickness, float zoom) const;

    /// By object ID; entries of deleted objects are dropped when it grows past the node limit.
    mutable std::unordered_map<ObjectId, NodeText> texts_;
    /// Rounded node bodies drawn once per look, on screen only.
    mutable std::unordered_map<BodyKey, QImage, BodyKeyHash> bodies_;
};

} // namespace corvane::chart
