#include "chart/paint/ChartPainter.h"

#include "base/qt/QtText.h"
#include "chart/ChartGeometry.h"
#include "model/FixedText.h"

#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <QTextOption>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <unordered_map>

namespace corvane::chart {

namespace {

constexpr Colour kNone = 0xFFFFFFFFu;

QColor qColour(Colour c)
{
    return QColor(int(colourRed(c)), int(colourGreen(c)), int(colourBlue(c)));
}

QRect qRect(const Rect& r)
{
    return QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1));
}

Qt::PenStyle penStyle(int lineStyle)
{
    switch (lineStyle) {
    case 1:
        return Qt::DashLine;
    case 2:
        return Qt::DotLine;
    case 3:
        return Qt::DashDotLine;
    case 4:
        return Qt::DashDotDotLine;
    default:
        return Qt::SolidLine;
    }
}

QString nodeText(const ObjectRecord& r, const ChartViewSettings& s)
{
    if (r.type == ObjectType::SubSubject && s.mainSubjectShown)
        return QStringLiteral("【%1】\n%2")
            .arg(toQString(fixedText(r.firstText)), toQString(fixedText(r.secondText)));
    return toQString(fixedText(r.secondText));
}

void drawBody(QPainter& p, const ObjectRecord& r, const Rect& R, int t, bool rounded, float zoom)
{
    const QBrush fill = r.background == kNone ? QBrush(Qt::NoBrush) : QBrush(qColour(r.background));
    if (r.lineStyle == 5) {
        // Double line: an inner body with its fill and an outer line, both of width f.
        int h = toCanvas(r.lineThickness / 5, zoom);
        h = h == 0 ? 1 : (h > 2 ? h / 2 : h);
        const int f = std::max(1, toCanvas((r.lineThickness - h) >> 1, zoom));
        const int g = f > 1 ? f / 2 : 1;
        const int n = h + g;
        const QPen pen = r.lineColour == kNone
                             ? QPen(Qt::NoPen)
                             : QPen(qColour(r.lineColour), f, Qt::SolidLine, Qt::FlatCap);
        p.setPen(pen);
        p.setBrush(fill);
        const int innerCorner = std::max(1, toCanvas(30 - f / 2, zoom));
        p.drawRoundedRect(qRect(R.inflated(-(n - 1), -(n - 1))), innerCorner / 2.0,
                          innerCorner / 2.0);
        p.setBrush(Qt::NoBrush);
        const int outerCorner = std::max(1, toCanvas(30, zoom));
        p.drawRoundedRect(qRect(R.inflated(n, n)), outerCorner / 2.0, outerCorner / 2.0);
        return;
    }
    const QPen pen = r.lineColour == kNone
                         ? QPen(Qt::NoPen)
                         : QPen(qColour(r.lineColour), std::max(1, t), penStyle(r.lineStyle),
                                rounded ? Qt::FlatCap : Qt::SquareCap, Qt::MiterJoin);
    p.setPen(pen);
    p.setBrush(fill);
    if (rounded)
        p.drawRoundedRect(qRect(R), 15, 15);
    else
        p.drawRect(qRect(R));
}

void drawText(QPainter& p, const ObjectRecord& r, const Rect& R, int t, const QString& text,
              float zoom, const PaintOptions& o, QHash<QString, ChartPainter::LaidOutText>& cache)
{
    const int size = std::max(2, o.printer ? int(r.fontSize) : toCanvas(r.fontSize, zoom));
    QFont font(o.fontFamily.isEmpty() ? QStringLiteral("Meiryo UI") : o.fontFamily);
    const int dpi = o.fontDpi > 0 ? o.fontDpi : p.device()->logicalDpiY();
    font.setPixelSize(std::max(1, size * dpi / 72));
    font.setWeight(r.bold ? QFont::Bold : QFont::Normal);
    font.setItalic(r.italic != 0);
    p.setFont(font);

    const Rect T0 = R.inflated(-(t / 2), -(t / 2));
    const int W0 = T0.width();
    const int H0 = T0.height();
    const int ml = toCanvas(r.marginLeft, zoom);
    const int mr = toCanvas(r.marginRight, zoom);
    const int mt = toCanvas(r.marginTop, zoom);
    const int mb = toCanvas(r.marginBottom, zoom);
    Rect T{T0.left + ml, T0.top + mt, T0.right - mr, T0.bottom - mb};
    const int lineAlign =
        r.alignH == 1 ? Qt::AlignHCenter : (r.alignH == 2 ? Qt::AlignRight : Qt::AlignLeft);
    const int wrapWidth = r.wordWrap ? std::max(1, T.width()) : -1;
    const QString key = QStringLiteral("%1 %2 %3 %4 %5 %6|")
                            .arg(font.pixelSize())
                            .arg(r.bold ? 1 : 0)
                            .arg(r.italic ? 1 : 0)
                            .arg(wrapWidth)
                            .arg(lineAlign)
                            .arg(dpi) +
                        font.family() + QLatin1Char('|') + text;
    auto it = cache.find(key);
    if (it == cache.end()) {
        if (cache.size() > 4 * kMaxObjects)
            cache.clear();
        ChartPainter::LaidOutText laid;
        QString lines = text;
        lines.replace(QLatin1Char('\n'), QChar::LineSeparator);
        laid.text.setText(lines);
        laid.text.setTextFormat(Qt::PlainText);
        laid.text.setTextWidth(wrapWidth);
        laid.text.setTextOption(QTextOption(Qt::Alignment(lineAlign)));
        laid.text.setPerformanceHint(QStaticText::AggressiveCaching);
        laid.text.prepare(QTransform(), font);
        const QSizeF size = laid.text.size();
        laid.width = int(std::ceil(size.width()));
        laid.height = int(std::ceil(size.height()));
        it = cache.insert(key, laid);
    }
    const int tw = it->width;
    const int th = it->height;
    if (r.alignV == 1) {
        if (th > H0)
            T = T.moved(0, -(th - H0) / 2);
        else
            T = {T.left, R.top + (H0 - th) / 2, T.right, R.top + (H0 - th) / 2 + th};
    } else if (r.alignV == 2) {
        if (th > H0)
            T = T.moved(0, H0 - th - mb);
        else
            T = {T.left, R.top + H0 - th - mb, T.right, R.top + H0 - mb};
    }
    T.left = R.left + ml;
    if (r.alignH == 1 && tw < W0)
        T.left = R.left + (W0 - tw) / 2;
    else if (r.alignH == 2 && tw < W0)
        T.left = R.left + W0 - tw - mr;
    T.right = T.left + tw;
    if (T.height() > H0) {
        T.top = R.top + mt;
        T.bottom = R.bottom - mb;
    }
    p.save();
    p.setClipRect(qRect(T), Qt::IntersectClip);
    p.setPen(qColour(r.textColour));
    p.drawStaticText(T.left, T.top, it->text);
    p.restore();
}

void drawRotationCircle(QPainter& p, const ObjectRecord& main, const ChartViewSettings& s,
                        float zoom)
{
    const Rect r = nodeRect(main);
    const QPoint c(toCanvas((r.left + r.right) / 2, zoom), toCanvas((r.top + r.bottom) / 2, zoom));
    const int rho = rotationRadius(s);
    p.setBrush(Qt::NoBrush);
    for (int k = 1; k <= rho - 2; ++k) {
        const double theta = double(k) / rho * 2 * std::numbers::pi;
        const QColor colour(std::min(3 * k, 255), k <= 126 ? 2 * k : 255, 255);
        p.setPen(QPen(colour, 5, Qt::SolidLine, Qt::RoundCap));
        p.drawPoint(c.x() + int(std::cos(theta) * rho), c.y() + int(std::sin(theta) * rho));
    }
    QFont font(QStringLiteral("Meiryo UI"));
    font.setPointSize(8);
    p.setFont(font);
    p.setPen(QColor(224, 85, 78));
    p.drawText(QRect(QPoint(c.x() + rho - 40, c.y() - 24), QPoint(c.x() + rho + 40, c.y() + 16)),
               Qt::AlignCenter | Qt::TextSingleLine, QStringLiteral("R=%1").arg(rho));
}

} // namespace

void ChartPainter::paint(QPainter& p, const ProjectData& project, const PaintOptions& o) const
{
    const float zoom = clampZoom(o.zoom);
    const ChartViewSettings& s = project.chartView;
    const int canvasW = toCanvas(chartWidth(s), zoom);
    const int canvasH = toCanvas(chartHeight(s), zoom);
    const QRect exposed = o.exposed.isNull() ? QRect(0, 0, canvasW + 1, canvasH + 1) : o.exposed;

    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(qColour(s.lineColour), 0));
    p.setBrush(qColour(s.background));
    p.drawRect(QRect(0, 0, canvasW, canvasH));

    // Canvas rectangles once; link ends found through an ID -> index map.
    std::vector<Rect> canvas(static_cast<std::size_t>(project.objectCount));
    std::unordered_map<ObjectId, int> indexById;
    indexById.reserve(static_cast<std::size_t>(project.objectCount));
    for (int i = project.objectCount - 1; i >= 0; --i) {
        canvas[static_cast<std::size_t>(i)] = toCanvas(nodeRect(project.objects[i]), zoom);
        indexById[project.objects[i].id] = i;
    }
    const auto placedAt = [&](ObjectId id) -> int {
        const auto it = indexById.find(id);
        return it != indexById.end() && isPlaced(project.objects[it->second]) ? it->second : -1;
    };

    // Width trunc(zoom); 1 is drawn as 0, the same thin line, which the raster engine draws
    // without stroking a path.
    const int linkWidth = toCanvas(1, zoom);
    const QPen linkPen(QColor(112, 146, 190), linkWidth <= 1 ? 0 : linkWidth);
    const QBrush headBrush(QColor(219, 36, 68));
    p.setPen(linkPen);
    for (int l = 0; l < project.linkCount; ++l) {
        const int from = placedAt(project.links[l].from);
        const int to = placedAt(project.links[l].to);
        if (from < 0 || to < 0)
            continue;
        const Rect& a = canvas[static_cast<std::size_t>(from)];
        const Rect& b = canvas[static_cast<std::size_t>(to)];
        const QRect span = qRect(a).united(qRect(b)).adjusted(-16, -16, 16, 16);
        if (!span.intersects(exposed))
            continue;
        const auto start = borderPoint(a, b);
        const auto end = borderPoint(b, a);
        if (!start || !end)
            continue; // coinciding centres: no direction to draw
        p.drawLine(start->x, start->y, end->x, end->y);
        if (const auto head = arrowHead(*start, *end, zoom)) {
            p.setBrush(headBrush);
            p.drawPolygon(
                QPolygon({QPoint(head->left.x, head->left.y), QPoint(head->tip.x, head->tip.y),
                          QPoint(head->right.x, head->right.y)}));
        }
    }

    const ObjectRecord* main = nullptr;
    for (int i = 0; i < project.objectCount; ++i) {
        const ObjectRecord& r = project.objects[i];
        if (!isPlaced(r))
            continue;
        const Rect& R = canvas[static_cast<std::size_t>(i)];
        const int t = toCanvas(r.lineThickness, zoom);
        const bool isMain = o.mainId != 0 && r.id == o.mainId;
        if (isMain)
            main = &r;
        if (!qRect(R.inflated(t / 2 + 8, t / 2 + 8)).intersects(exposed))
            continue;
        const bool marked = o.selectionMarks && r.nodeSelected;
        if (marked) {
            p.setPen(Qt::NoPen);
            p.setBrush(isMain ? QBrush(QColor(100, 100, 180), Qt::Dense4Pattern)
                              : QBrush(QColor(255, 174, 201), Qt::Dense4Pattern));
            p.drawRect(qRect(R.inflated(t / 2 + 4, t / 2 + 4)));
        }
        const bool rounded = (r.type == ObjectType::SubSubject && s.subjectNodesRound) ||
                             (r.type == ObjectType::Marker && s.markerNodesRound);
        if (r.lineThickness != 0)
            drawBody(p, r, R, t, rounded, zoom);
        if (marked) {
            p.setPen(Qt::NoPen);
            p.setBrush(isMain ? QColor(100, 100, 180) : QColor(255, 174, 201));
            const Rect around = R.inflated(t / 2, t / 2);
            for (int h = 0; h < 8; ++h)
                p.drawRect(qRect(handleRect(around, h)));
        }
        drawText(p, r, R, t, nodeText(r, s), zoom, o, texts_);
    }

    if (o.selectionMarks && main && s.rotationCircleShown) {
        bool linked = false;
        for (int l = 0; l < project.linkCount && !linked; ++l)
            linked = project.links[l].from == main->id || project.links[l].to == main->id;
        if (linked)
            drawRotationCircle(p, *main, s, zoom);
    }
    p.restore();
}

} // namespace corvane::chart
