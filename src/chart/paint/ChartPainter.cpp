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

/// The part of the segment a-b inside r, or false when it misses r (Cohen-Sutherland: trivially
/// in, trivially out, or cut at one edge and tested again). Long links across the canvas mostly
/// miss the window although the box around their ends covers it, and those that cross it are
/// drawn only where they can be seen.
bool clipSegment(QPointF& a, QPointF& b, const QRectF& r)
{
    auto code = [&r](QPointF p) {
        return (p.x() < r.left() ? 1 : 0) | (p.x() > r.right() ? 2 : 0) |
               (p.y() < r.top() ? 4 : 0) | (p.y() > r.bottom() ? 8 : 0);
    };
    int ca = code(a);
    int cb = code(b);
    for (int guard = 0; guard < 8; ++guard) {
        if ((ca | cb) == 0)
            return true;
        if ((ca & cb) != 0)
            return false;
        const int out = ca != 0 ? ca : cb;
        QPointF p;
        const double dx = b.x() - a.x();
        const double dy = b.y() - a.y();
        if (out & 8)
            p = {a.x() + dx * (r.bottom() - a.y()) / dy, r.bottom()};
        else if (out & 4)
            p = {a.x() + dx * (r.top() - a.y()) / dy, r.top()};
        else if (out & 2)
            p = {r.right(), a.y() + dy * (r.right() - a.x()) / dx};
        else
            p = {r.left(), a.y() + dy * (r.left() - a.x()) / dx};
        if (out == ca) {
            a = p;
            ca = code(a);
        } else {
            b = p;
            cb = code(b);
        }
    }
    return true; // rounding kept it undecided: drawing it is always right
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
    if (!rounded && r.lineStyle == 0 && r.lineColour != kNone &&
        p.transform().type() <= QTransform::TxTranslate) {
        // A solid frame as four filled bands and the body as one fill: the same pixels as a
        // pen of width w centred on the edges, without stroking a path for every node.
        const int w = std::max(1, t);
        const int l = R.left - w / 2;
        const int top = R.top - w / 2;
        const int right = R.right - 1 - w / 2 + w - 1; // inclusive
        const int bottom = R.bottom - 1 - w / 2 + w - 1;
        const QColor line = qColour(r.lineColour);
        p.fillRect(QRect(QPoint(l, top), QPoint(right, top + w - 1)), line);
        p.fillRect(QRect(QPoint(l, bottom - w + 1), QPoint(right, bottom)), line);
        p.fillRect(QRect(QPoint(l, top + w), QPoint(l + w - 1, bottom - w)), line);
        p.fillRect(QRect(QPoint(right - w + 1, top + w), QPoint(right, bottom - w)), line);
        if (r.background != kNone && right - l + 1 > 2 * w && bottom - top + 1 > 2 * w)
            p.fillRect(QRect(QPoint(l + w, top + w), QPoint(right - w, bottom - w)),
                       qColour(r.background));
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

/// The node's laid-out text from the cache, laid out again only when its text, font or box
/// changed.
ChartPainter::NodeText& nodeText(const ObjectRecord& r, const ChartViewSettings& s, int pixelSize,
                                 int wrapWidth, int align, const QString& family,
                                 std::unordered_map<ObjectId, ChartPainter::NodeText>& cache)
{
    const SjisView first = fixedText(r.firstText);
    const SjisView second = fixedText(r.secondText);
    const bool withMain = r.type == ObjectType::SubSubject && s.mainSubjectShown;
    ChartPainter::NodeText& e = cache[r.id];
    if (e.pixelSize == pixelSize && e.wrapWidth == wrapWidth && e.align == align &&
        e.bold == (r.bold != 0) && e.italic == (r.italic != 0) && e.mainSubjectShown == withMain &&
        e.font.family() == family && SjisView(e.secondText) == second &&
        (!withMain || SjisView(e.firstText) == first))
        return e;
    e.image = QImage();
    e.firstText.assign(first);
    e.secondText.assign(second);
    e.mainSubjectShown = withMain;
    e.pixelSize = pixelSize;
    e.bold = r.bold != 0;
    e.italic = r.italic != 0;
    e.wrapWidth = wrapWidth;
    e.align = align;
    e.font = QFont(family);
    e.font.setPixelSize(pixelSize);
    e.font.setWeight(e.bold ? QFont::Bold : QFont::Normal);
    e.font.setItalic(e.italic);
    QString lines = withMain ? QStringLiteral("【%1】\n%2").arg(toQString(first), toQString(second))
                             : toQString(second);
    lines.replace(QLatin1Char('\n'), QChar::LineSeparator);
    e.text.setText(lines);
    e.text.setTextFormat(Qt::PlainText);
    e.text.setTextWidth(wrapWidth);
    e.text.setTextOption(QTextOption(Qt::Alignment(align)));
    e.text.setPerformanceHint(QStaticText::AggressiveCaching);
    e.text.prepare(QTransform(), e.font);
    const QSizeF size = e.text.size();
    e.width = int(std::ceil(size.width()));
    e.height = int(std::ceil(size.height()));
    return e;
}

/// A text image is kept only for node texts up to this size (a 250 x 100 pixel text).
constexpr int kMaxTextImagePixels = 25000;

void drawText(QPainter& p, const ObjectRecord& r, const ChartViewSettings& s, const Rect& R, int t,
              float zoom, const PaintOptions& o,
              std::unordered_map<ObjectId, ChartPainter::NodeText>& cache)
{
    const bool images = o.screenImages;
    const int size = std::max(2, o.printer ? int(r.fontSize) : toCanvas(r.fontSize, zoom));
    const int dpi = o.fontDpi > 0 ? o.fontDpi : p.device()->logicalDpiY();
    const int pixelSize = std::max(1, size * dpi / 72);
    const QString family = o.fontFamily.isEmpty() ? QStringLiteral("Meiryo UI") : o.fontFamily;

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
    ChartPainter::NodeText& laid = nodeText(r, s, pixelSize, wrapWidth, lineAlign, family, cache);
    const int tw = laid.width;
    const int th = laid.height;
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
    p.setFont(laid.font);
    p.setPen(qColour(r.textColour));
    // Most texts fit their box: only one that spills over needs the (costly) clip.
    if (T.top + th <= T.bottom) {
        if (images && tw > 0 && th > 0 && tw * th <= kMaxTextImagePixels) {
            // On screen a text is drawn once into an image and from then on copied.
            const qreal dpr = p.device()->devicePixelRatioF();
            if (laid.image.isNull() || laid.imageColour != r.textColour ||
                laid.image.devicePixelRatio() != dpr) {
                laid.image = QImage(QSize(tw, th) * dpr, QImage::Format_ARGB32_Premultiplied);
                laid.image.setDevicePixelRatio(dpr);
                laid.image.fill(Qt::transparent);
                QPainter ip(&laid.image);
                ip.setFont(laid.font);
                ip.setPen(qColour(r.textColour));
                ip.drawStaticText(0, 0, laid.text);
                laid.imageColour = r.textColour;
            }
            p.drawImage(QPoint(T.left, T.top), laid.image);
            return;
        }
        p.drawStaticText(T.left, T.top, laid.text);
        return;
    }
    p.save();
    p.setClipRect(qRect(T), Qt::IntersectClip);
    p.drawStaticText(T.left, T.top, laid.text);
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

void ChartPainter::drawBodyImage(QPainter& p, const ObjectRecord& r, const Rect& R, int t,
                                 float zoom) const
{
    // Rounded bodies are paths the engine strokes curve by curve; on screen each look (size,
    // line, colours) is drawn once and then copied, and nodes of one size share it.
    const qreal dpr = p.device()->devicePixelRatioF();
    const int margin = t + 2;
    const BodyKey key{R.width(),    R.height(),    t, r.lineThickness, r.lineStyle, r.lineColour,
                      r.background, int(dpr * 100)};
    auto it = bodies_.find(key);
    if (it == bodies_.end()) {
        if (bodies_.size() >= kMaxBodyImages)
            bodies_.clear();
        QImage image(QSize(R.width() + 2 * margin, R.height() + 2 * margin) * dpr,
                     QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(dpr);
        image.fill(Qt::transparent);
        QPainter ip(&image);
        drawBody(ip, r, Rect{margin, margin, margin + R.width(), margin + R.height()}, t, true,
                 zoom);
        ip.end();
        it = bodies_.emplace(key, std::move(image)).first;
    }
    p.drawImage(QPoint(R.left - margin, R.top - margin), it->second);
}

std::size_t ChartPainter::BodyKeyHash::operator()(const BodyKey& k) const
{
    std::size_t h = 0;
    for (const long long v : {(long long)k.width, (long long)k.height, (long long)k.thickness,
                              (long long)k.recordThickness, (long long)k.style, (long long)k.line,
                              (long long)k.background, (long long)k.dpr})
        h = h * 1000003u ^ std::hash<long long>()(v);
    return h;
}

void ChartPainter::paint(QPainter& p, const ProjectData& project, const PaintOptions& o) const
{
    const float zoom = clampZoom(o.zoom);
    const ChartViewSettings& s = project.chartView;
    const int canvasW = toCanvas(chartWidth(s), zoom);
    const int canvasH = toCanvas(chartHeight(s), zoom);
    const QRect exposed = o.exposed.isNull() ? QRect(0, 0, canvasW + 1, canvasH + 1) : o.exposed;

    if (texts_.size() > static_cast<std::size_t>(2 * kMaxObjects))
        texts_.clear(); // entries of deleted objects pile up otherwise
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(qColour(s.lineColour), 0));
    p.setBrush(qColour(s.background));
    p.drawRect(QRect(0, 0, canvasW, canvasH));

    // Canvas rectangles once; link ends found through an ID -> index map of placed nodes.
    std::vector<Rect> canvas(static_cast<std::size_t>(project.objectCount));
    std::unordered_map<ObjectId, int> indexById;
    indexById.reserve(static_cast<std::size_t>(project.objectCount));
    for (int i = project.objectCount - 1; i >= 0; --i) {
        canvas[static_cast<std::size_t>(i)] = toCanvas(nodeRect(project.objects[i]), zoom);
        if (isPlaced(project.objects[i]))
            indexById[project.objects[i].id] = i;
    }
    const auto placedAt = [&](ObjectId id) -> int {
        const auto it = indexById.find(id);
        return it != indexById.end() ? it->second : -1;
    };

    // Width trunc(zoom); 1 is drawn as 0, the same thin line, which the raster engine draws
    // without stroking a path.
    const int linkWidth = toCanvas(1, zoom);
    const QPen linkPen(QColor(112, 146, 190), linkWidth <= 1 ? 0 : linkWidth);
    const QBrush headBrush(QColor(219, 36, 68));
    const int headReach = std::max(20, toCanvas(16, zoom) + 4);
    const QRectF reach = QRectF(exposed).adjusted(-headReach, -headReach, headReach, headReach);
    // The lines go out in one call; the heads follow, over every line.
    std::vector<QLineF> lines;
    std::vector<QPolygon> heads;
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
        QPointF p0(start->x, start->y);
        QPointF p1(end->x, end->y);
        if (!clipSegment(p0, p1, reach))
            continue;
        lines.emplace_back(p0, p1);
        if (!reach.contains(QPointF(end->x, end->y)))
            continue; // the head lies at the end, beyond the window
        if (const auto head = arrowHead(*start, *end, zoom))
            heads.push_back(
                QPolygon({QPoint(head->left.x, head->left.y), QPoint(head->tip.x, head->tip.y),
                          QPoint(head->right.x, head->right.y)}));
    }
    p.setPen(linkPen);
    p.drawLines(lines.data(), int(lines.size()));
    p.setBrush(headBrush);
    for (const QPolygon& head : heads)
        p.drawPolygon(head);

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
        if (r.lineThickness != 0) {
            if (o.screenImages && rounded)
                drawBodyImage(p, r, R, t, zoom);
            else
                drawBody(p, r, R, t, rounded, zoom);
        }
        if (marked) {
            p.setPen(Qt::NoPen);
            p.setBrush(isMain ? QColor(100, 100, 180) : QColor(255, 174, 201));
            const Rect around = R.inflated(t / 2, t / 2);
            for (int h = 0; h < 8; ++h)
                p.drawRect(qRect(handleRect(around, h)));
        }
        drawText(p, r, s, R, t, zoom, o, texts_);
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
