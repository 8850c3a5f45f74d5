#include "print/paint/DocumentPdf.h"

#include "base/Codec.h"
#include "base/Sjis.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <algorithm>

namespace corvane::output {

namespace {

constexpr int kResolution = 300;    ///< dots per inch of the page coordinates
constexpr double kMarginMm = 20;    ///< every side
constexpr int kTabSpaces = 4;       ///< a TAB advances to the next multiple of four spaces
constexpr int kProgressLines = 256; ///< lines between progress reports

/// One line of the document laid out in rows of the page width and drawn row by row.
class PageWriter
{
public:
    PageWriter(QPdfWriter& pdf, QPainter& painter, const QFont& font,
               const std::vector<ColourRun>& shading)
        : pdf_(pdf), p_(painter), metrics_(font, &pdf), shading_(shading), advances_(0x10000, -1.0f)
    {
        width_ = pdf.width();
        height_ = pdf.height();
        lineHeight_ = metrics_.lineSpacing();
        ascent_ = metrics_.ascent();
        tabWidth_ = kTabSpaces * metrics_.horizontalAdvance(QLatin1Char(' '));
    }

    bool ok() const { return ok_; }

    /// Lays out and draws the line [begin, end) of text (no line end inside).
    void writeLine(SjisView text, std::size_t begin, std::size_t end)
    {
        startRow(begin);
        std::size_t i = begin;
        while (i < end) {
            const std::size_t length = sjis::charLength(text, i);
            const auto b = static_cast<unsigned char>(text[i]);
            if (b == '\t') {
                const qreal next = (std::floor(x_ / tabWidth_) + 1) * tabWidth_;
                if (next > width_ && x_ > 0) {
                    finishRow(i);
                    startRow(i);
                } else {
                    x_ = next;
                    closeSegment();
                }
                i += 1;
                continue;
            }
            if (b < 0x20) { // other control characters have no glyph
                i += 1;
                continue;
            }
            const char32_t cp = length == 2
                                    ? codec::decodeChar(b, static_cast<unsigned char>(text[i + 1]))
                                    : codec::decodeChar(b);
            const auto unit = static_cast<char16_t>(cp <= 0xFFFF ? cp : 0xFFFD);
            const qreal advance = advanceOf(unit);
            if (x_ + advance > width_ && x_ > 0) {
                finishRow(i);
                startRow(i);
            }
            if (segmentText_.isEmpty())
                segmentX_ = x_;
            segmentText_.append(QChar(unit));
            charBytes_.push_back(static_cast<ByteOffset>(i));
            charX_.push_back(x_);
            x_ += advance;
            i += length;
        }
        finishRow(end);
    }

private:
    qreal advanceOf(char16_t unit)
    {
        float& a = advances_[unit];
        if (a < 0)
            a = static_cast<float>(metrics_.horizontalAdvance(QChar(unit)));
        return a;
    }

    void startRow(std::size_t byteOffset)
    {
        rowBegin_ = static_cast<ByteOffset>(byteOffset);
        x_ = 0;
        charBytes_.clear();
        charX_.clear();
        segments_.clear();
        segmentText_.clear();
    }

    void closeSegment()
    {
        if (!segmentText_.isEmpty())
            segments_.push_back({segmentX_, segmentText_});
        segmentText_.clear();
    }

    void finishRow(std::size_t byteEnd)
    {
        closeSegment();
        if (y_ + lineHeight_ > height_ && y_ > 0) {
            if (!pdf_.newPage())
                ok_ = false;
            y_ = 0;
        }
        paintShading(static_cast<ByteOffset>(byteEnd));
        for (const Segment& s : segments_)
            p_.drawText(QPointF(s.x, y_ + ascent_), s.text);
        y_ += lineHeight_;
    }

    /// Fills the background of the row's characters that lie in a shading run.
    void paintShading(ByteOffset rowEnd)
    {
        while (nextRun_ < shading_.size() && shading_[nextRun_].end <= rowBegin_)
            ++nextRun_;
        charX_.push_back(x_); // the end of the last character
        for (std::size_t r = nextRun_; r < shading_.size() && shading_[r].begin < rowEnd; ++r) {
            const ColourRun& run = shading_[r];
            const auto first = std::lower_bound(charBytes_.begin(), charBytes_.end(), run.begin) -
                               charBytes_.begin();
            const auto last = std::lower_bound(charBytes_.begin(), charBytes_.end(), run.end) -
                              charBytes_.begin();
            if (last <= first)
                continue;
            const qreal left = charX_[static_cast<std::size_t>(first)];
            const qreal right = charX_[static_cast<std::size_t>(last)];
            p_.fillRect(QRectF(left, y_, right - left, lineHeight_),
                        QColor(int(colourRed(run.colour)), int(colourGreen(run.colour)),
                               int(colourBlue(run.colour))));
        }
    }

    struct Segment
    {
        qreal x;
        QString text;
    };

    QPdfWriter& pdf_;
    QPainter& p_;
    QFontMetricsF metrics_;
    const std::vector<ColourRun>& shading_;
    std::vector<float> advances_; ///< by UTF-16 unit; negative: not measured yet
    qreal width_ = 0, height_ = 0, lineHeight_ = 0, ascent_ = 0, tabWidth_ = 1;
    qreal x_ = 0, y_ = 0;
    bool ok_ = true;
    std::size_t nextRun_ = 0;
    // The row being laid out.
    ByteOffset rowBegin_ = 0;
    std::vector<ByteOffset> charBytes_; ///< byte offset of each drawn character, ascending
    std::vector<qreal> charX_;          ///< its left edge
    std::vector<Segment> segments_;     ///< text between TABs
    QString segmentText_;
    qreal segmentX_ = 0;
};

} // namespace

OutputStatus writeDocumentPdf(const std::string& path, SjisView text,
                              const std::vector<ColourRun>& shading,
                              const PdfDocumentOptions& options)
{
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly))
        return OutputStatus::WriteFailed;
    bool painted = false;
    {
        QPdfWriter pdf(&file);
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                                      QPageLayout::Millimeter));
        pdf.setResolution(kResolution);
        pdf.setTitle(options.title);
        pdf.setCreator(QStringLiteral("Corvane"));
        QPainter painter;
        if (painter.begin(&pdf)) {
            QFont font(options.family);
            font.setPointSizeF(options.pointSize);
            painter.setFont(font);
            painter.setPen(Qt::black);
            PageWriter writer(pdf, painter, font, shading);
            int lastPercent = -1;
            std::size_t lineStart = 0;
            int lines = 0;
            while (lineStart <= text.size()) {
                std::size_t lineEnd = lineStart;
                while (lineEnd < text.size() && text[lineEnd] != '\r' && text[lineEnd] != '\n')
                    ++lineEnd;
                writer.writeLine(text, lineStart, lineEnd);
                if (lineEnd >= text.size())
                    break;
                lineStart = lineEnd + (text[lineEnd] == '\r' && lineEnd + 1 < text.size() &&
                                               text[lineEnd + 1] == '\n'
                                           ? 2
                                           : 1);
                if (lineStart >= text.size())
                    break;
                if (options.progress && ++lines % kProgressLines == 0) {
                    const int percent = static_cast<int>(lineStart * 100 / text.size());
                    if (percent != lastPercent)
                        options.progress(lastPercent = percent);
                }
            }
            painted = painter.end() && writer.ok();
        }
    }
    if (!painted) {
        file.cancelWriting();
        return OutputStatus::WriteFailed;
    }
    return file.commit() ? OutputStatus::Ok : OutputStatus::WriteFailed;
}

} // namespace corvane::output
