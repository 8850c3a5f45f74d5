// The text view: one window per open document. It owns the document's text store and key table,
// lays the text out with the project's text view settings, draws it with markers, link lines,
// link counts, whitespace and line-end marks, line numbers and the caret, and scrolls. Markers,
// editing, bookmarks and find build on its caret, selection and position API.
#pragma once

#include "base/Services.h"
#include "model/ProjectData.h"
#include "textview/CellColours.h"
#include "textview/KeyTable.h"
#include "textview/ScrollModel.h"
#include "textview/TextStore.h"
#include "textview/ViewGeometry.h"

#include <QAbstractScrollArea>
#include <QImage>

#include <optional>
#include <string>
#include <vector>

namespace corvane {

class ViewFontCache;
struct GlyphRef;

class CVantorView : public QAbstractScrollArea
{
    Q_OBJECT
public:
    CVantorView(ProjectData& project, Services& services, QWidget* parent = nullptr);
    ~CVantorView() override;

    /// Opens fullPath (UTF-8 disk path) in a new view the way the document list, search results,
    /// markers and bookmarks do: 30014 for a missing path, 30007 when 20 documents are open, then
    /// load; on success the path is in the project's open documents table. nullptr on failure
    /// (the view is not kept).
    static CVantorView* openDocument(const std::string& fullPath, ProjectData& project,
                                     Services& services, QWidget* parent = nullptr);
    /// Every text view that exists, in creation order.
    static const std::vector<CVantorView*>& allViews();
    /// Lays out and redraws every text view (after a change of the text view settings).
    static void relayoutAll();
    /// Empties the character-width cache shared by all views (a project was created or opened,
    /// or the font changed behind the views' back). Open views measure again on their next layout.
    static void resetCharacterWidths();

    /// Makes the working copy of fullPath, lays it out and redraws. False (with the message
    /// already shown) when the working copy could not be made.
    bool load(const std::string& fullPath);
    bool isLoaded() const { return loaded_; }

    // The document.
    /// Full disk path without the modified mark.
    const std::string& documentPath() const { return store_.documentPath(); }
    /// The path name with "*" while there are unsaved changes.
    std::string pathName() const { return store_.pathName(); }
    /// The document's relative path as markers name it; empty outside a project's doc folder.
    const SjisString& relativePath() const { return relativePath_; }
    /// Window and tab title: the file name, with "*" while modified.
    QString title() const;
    /// The document (or a folder above it) was renamed on disk: the view takes the new path, the
    /// relative path markers name it by, and the new title.
    void documentRenamed(const std::string& newFullPath);
    bool isModified() const { return store_.isModified(); }
    void setModified();
    void clearModified();
    /// Copies the text over the document (30018 on failure; the "*" stays then).
    bool save();
    /// Replaces the whole text after an edit and lays it out again; sets the modified mark.
    bool replaceContent(SjisString newImage);
    TextStore& textStore() { return store_; }
    const TextStore& textStore() const { return store_; }
    const KeyTable& keyTable() const { return keys_; }

    // Caret and selection (byte offsets).
    ByteOffset caret() const { return caret_; }
    void setCaret(ByteOffset byteOffset);
    ByteRange selection() const { return selection_; }
    ByteOffset selectionAnchor() const { return anchor_; }
    /// Selection [start, end) with the anchor at one of its ends; the caret is not moved.
    void setSelection(ByteOffset start, ByteOffset end, ByteOffset anchor);
    void clearSelection();

    // Positions.
    /// Viewport point of the character at byteOffset: its left edge, and the bottom edge of its
    /// display line. nullopt outside the shown bytes.
    std::optional<QPoint> positionToPoint(ByteOffset byteOffset) const;
    /// Byte offset at a viewport point; nullopt where no character boundary owns the point.
    std::optional<ByteOffset> pointToOffset(const QPoint& point) const;
    /// Scrolls so that the caret's line is shown (and, without word wrap, the caret's column).
    void scrollToCaret();
    /// Shows display line `line` first (kept within the scroll limits).
    void scrollToLine(int line);

    const ViewGeometry& viewGeometry() const { return geometry_; }
    const ScrollModel& scrollModel() const { return scroll_; }
    VisibleBytes shownBytes() const;
    int lineHeight() const { return geometry_.lineHeight; }
    int gutterWidth() const { return geometry_.gutterWidth; }
    /// System width of a vertical scroll bar (S of the layout rules).
    int scrollBarWidth() const;

    /// Link-count labels of the last drawing, for hit tests: box in viewport coordinates and the
    /// marker's object index.
    struct LinkCountBox
    {
        QRect box;
        int objectIndex = -1;
    };
    const std::vector<LinkCountBox>& linkCountBoxes() const { return linkCountBoxes_; }

    QRect caretRect() const;
    bool caretShown() const { return caretShown_; }

    /// Lays the text out again with the current settings and window size, then redraws.
    void relayout();
    /// Redraws without measuring again (markers, links or the current object changed).
    void redraw();

public slots:
    /// One tick of the main frame's caret timer while this view is active.
    void blinkCaret();

signals:
    /// The modified mark was set or cleared; the title changed with it.
    void modifiedChanged(bool modified);
    /// Ctrl+wheel changed the project's text view settings (all views have been laid out again).
    void textViewSettingsChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void scrollContentsBy(int, int) override {}

private:
    const TextViewSettings& settings() const { return project_.textView; }
    ViewFontCache& fontCache() const;
    void layoutText();
    void updateScrollModel();
    void syncScrollBars();
    void onVerticalAction(int action);
    void onHorizontalAction(int action);
    void onVerticalValue(int value);
    void onHorizontalValue(int value);
    void applyScroll();
    void updateTitle();
    void changeFontSize(int step);

    /// Pixels of the off-screen surface a full repaint draws into, where glyph sprites are copied.
    struct SurfaceBits
    {
        uchar* bits = nullptr;
        qsizetype bytesPerLine = 0;
        QRect bounds;
    };
    /// Everything but the caret, onto p; with a surface, glyphs that allow it are copied as
    /// sprites instead of blended.
    void paintScene(QPainter& p, const SurfaceBits* surface);
    void paintText(QPainter& p, const VisibleBytes& shown, const std::vector<MarkerSpan>& markers,
                   const SurfaceBits* surface);
    /// Keeps the sprite of each placed glyph only where copying it gives the blended pixels.
    void placeSprites(bool inkUnknown);
    void paintGutter(QPainter& p, const VisibleBytes& shown);
    void paintLinkCounts(QPainter& p, const VisibleBytes& shown,
                         const std::vector<MarkerSpan>& markers);
    void paintBorder(QPainter& p);

    ProjectData& project_;
    Services& services_;
    TextStore store_;
    KeyTable keys_;
    ScrollModel scroll_;
    ViewGeometry geometry_;
    SjisString relativePath_;
    bool loaded_ = false;
    bool inLayout_ = false;
    bool syncingBars_ = false;
    int laidOutWidth_ = -1; ///< viewport width of the last wrapped layout

    ByteOffset caret_ = 0;
    ByteRange selection_;
    ByteOffset anchor_ = -1;
    bool caretShown_ = false;
    int wheelRemainder_ = 0;

    std::vector<LinkCountBox> linkCountBoxes_;
    // Buffers reused by every paint, so drawing does not allocate per line.
    std::vector<ByteOffset> charStarts_;
    std::vector<int> charWidths_;
    std::vector<std::uint16_t> charCodes_;
    std::vector<CellStyle> cells_;
    /// A glyph of the text being drawn: where, and the sprite that stands in for blending it.
    struct PlacedGlyph
    {
        const GlyphRef* glyph;
        QPoint pen;
        int cellLeft; ///< the character cell's span [cellLeft, cellRight) in x
        int cellRight;
        QRect ink;            ///< pixels the glyph touches; empty when unknown
        const QImage* sprite; ///< nullptr: blended as a glyph run
    };
    std::vector<PlacedGlyph> placed_;
    std::vector<std::size_t> rowStarts_; ///< index into placed_ of each shown row's first glyph
};

} // namespace corvane
