// The text view: one window per open document. The document itself (text, key table, undo lists,
// modified state) belongs to the open documents registry of the text view host; the view keeps
// only its caret, selection, scroll position and layout geometry, watches the document for
// changes, lays the text out with the project's text view settings, draws it with markers, link
// lines, link counts, whitespace and line-end marks, line numbers and the caret, scrolls, and
// turns keys, the input method and the clipboard into edits of the document. Markers, bookmarks
// and find build on its caret, selection and position API.
#pragma once

#include "base/Services.h"
#include "model/ProjectData.h"
#include "textview/CellColours.h"
#include "textview/KeyTable.h"
#include "textview/ScrollModel.h"
#include "textview/TextDocument.h"
#include "textview/TextPainter.h"
#include "textview/TextStore.h"
#include "textview/ViewGeometry.h"

#include <QAbstractScrollArea>
#include <QImage>

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace corvane {

class TextViewHost;
class ViewFontCache;
struct GlyphRef;

class CVantorView : public QAbstractScrollArea, private TextDocumentWatcher
{
    Q_OBJECT
public:
    CVantorView(ProjectData& project, Services& services, TextViewHost& host,
                QWidget* parent = nullptr);
    ~CVantorView() override;

    /// Opens fullPath (UTF-8 disk path) in a new view the way the document list, search results,
    /// markers and bookmarks do: 30014 for a missing path, 30007 when 20 documents are open, then
    /// load; on success the path is in the project's open documents table. nullptr on failure
    /// (the view is not kept).
    static CVantorView* openDocument(const std::string& fullPath, ProjectData& project,
                                     Services& services, TextViewHost& host,
                                     QWidget* parent = nullptr);

    /// Opens fullPath in the host's registry of open documents (its working copy is made there),
    /// lays it out and redraws. False (with the message already shown) when it could not be
    /// opened.
    bool load(const std::string& fullPath);
    bool isLoaded() const { return doc_ != nullptr; }
    TextViewHost& host() const { return host_; }
    /// The open document shown; null before load.
    TextDocument* document() const { return doc_; }

    // The document.
    /// Full disk path without the modified mark.
    const std::string& documentPath() const { return textStore().documentPath(); }
    /// The path name with "*" while there are unsaved changes.
    std::string pathName() const { return textStore().pathName(); }
    /// The document's relative path as markers name it; empty outside a project's doc folder.
    const SjisString& relativePath() const { return relativePath_; }
    /// Window and tab title: the file name, with "*" while modified.
    QString title() const;
    /// The document (or a folder above it) was renamed on disk: the view takes the new path, the
    /// relative path markers name it by, and the new title.
    void documentRenamed(const std::string& newFullPath);
    bool isModified() const { return doc_ && doc_->isModified(); }
    void setModified();
    void clearModified();
    /// Copies the text over the document (30018 on failure; the "*" stays then).
    bool save();
    const TextStore& textStore() const;
    const KeyTable& keyTable() const;

    // Editing: every route (keys, input method, clipboard, commands) ends in one of these, which
    // apply the document's marker checks and undo records and move the caret. False when nothing
    // changed (refused, cancelled or empty; messages already shown).
    /// Inserts text (already in document form, see InputText.h) at the caret, over the selection
    /// when there is one.
    bool insertText(SjisView bytes);
    bool deleteForward();
    bool deleteBackward();
    bool cut();
    bool copy() const;
    bool paste();
    bool undo();
    bool redo();
    void selectAll();
    bool convertCase(bool upper);
    /// Editing commands routed to the view (ids of the ribbon and the menus).
    bool handleCommand(int id);
    bool isCommandEnabled(int id) const;
    /// Seams for tests: the clipboard's text, and where copied text goes.
    std::function<std::optional<QString>()> readClipboard;
    std::function<void(const QString&)> writeClipboard;

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
    using LinkCountBox = corvane::LinkCountBox;
    const std::vector<LinkCountBox>& linkCountBoxes() const { return painter_.linkCountBoxes(); }

    // Bookmarks.
    /// The bookmark whose image holds a viewport point: the first of 0-3 that is set in this
    /// document and was drawn there by the last paint; -1 for none.
    int bookmarkAt(const QPoint& viewportPoint) const;
    /// Sets bookmark slot at the caret. When it is set already and askFirst, asks 30106 first.
    /// True when it was set.
    bool setBookmarkAtCaret(int slot, bool askFirst);

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
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void scrollContentsBy(int, int) override {}

private:
    void textChanged(const TextDocument& document, const TextEdit& edit) override;
    SjisView text() const;
    const KeyTable& keys() const { return keyTable(); }
    /// After an edit: the caret at a character boundary, the selection gone, the caret shown.
    void afterEdit(const EditResult& result);
    /// Moves the caret by a key; with extend the selection runs from the anchor to the caret.
    void moveCaret(ByteOffset to, bool extend);
    /// The caret on the display line above (-1) or below (+1), at the same x.
    ByteOffset caretOnLine(int step) const;
    void selectWordAt(ByteOffset offset);
    void notifyModified();
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

    ProjectData& project_;
    Services& services_;
    TextViewHost& host_;
    TextDocument* doc_ = nullptr; ///< owned by the host's registry; null before load
    // Before load there is no document: these empty ones answer the queries.
    TextStore noStore_;
    KeyTable noKeys_;
    bool wasModified_ = false; ///< the modified state last announced
    QString preedit_;          ///< the input method's composition, drawn at the caret
    int preeditCursor_ = 0;
    bool composing_ = false; ///< the input method holds a composition
    bool composingRefused_ = false;
    ScrollModel scroll_;
    ViewGeometry geometry_;
    SjisString relativePath_;
    bool inLayout_ = false;
    bool syncingBars_ = false;
    int laidOutWidth_ = -1; ///< viewport width of the last wrapped layout

    ByteOffset caret_ = 0;
    ByteRange selection_;
    ByteOffset anchor_ = -1;
    bool caretShown_ = false;
    int wheelRemainder_ = 0;

    TextPainter painter_;
};

} // namespace corvane
