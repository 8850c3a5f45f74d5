#include "textview/CVantorView.h"

#include "base/Codec.h"
#include "base/qt/QtText.h"
#include "model/Bookmarks.h"
#include "model/CProjectIO.h"
#include "model/DocumentPath.h"
#include "model/FixedText.h"
#include "model/MarkerShift.h"
#include "res/MessageCatalogue.h"
#include "res/MessageNumbers.h"
#include "res/ui/CommandIds.h"
#include "textview/CFileIO.h"
#include "textview/CMarkerGestures.h"
#include "textview/CharMotion.h"
#include "textview/GlyphSprites.h"
#include "textview/InputText.h"
#include "textview/TextViewHost.h"
#include "textview/ViewFontCache.h"

#include <QClipboard>
#include <QDebug>
#include <QGlyphRun>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace corvane {

namespace {

constexpr int kMinWrapWidth = 100;               ///< narrower windows keep their old wrapping
constexpr std::uint16_t kDownArrowCode = 0x81AB; ///< "↓" in Shift-JIS
constexpr int kLineEndMarkGap = 2;               ///< pixels kept free right of the mark
constexpr int kMinFontSize = 8;
constexpr int kMaxFontSize = 36;

/// Draws a line of sample text (Latin, digits, kana, ideographs, brackets, the line-end marks)
/// black on white, for comparing a window's text with an image's.
class TextProbe : public QWidget
{
public:
    explicit TextProbe(const QFont& font) : font_(font)
    {
        setAttribute(Qt::WA_DontShowOnScreen);
        resize(QFontMetrics(font).horizontalAdvance(sample()) + 8, QFontMetrics(font).height() + 8);
    }
    static QString sample() { return QStringLiteral(u"aWfg08本あ【】↓□"); }
    void drawSample(QPainter& p) const
    {
        p.fillRect(rect(), Qt::white);
        p.setRenderHint(QPainter::TextAntialiasing, font_.styleStrategy() != QFont::NoAntialias);
        p.setFont(font_);
        p.setPen(Qt::black);
        p.drawText(QPoint(4, 4 + QFontMetrics(font_).ascent()), sample());
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        drawSample(p);
    }

private:
    QFont font_;
};

/// Whether the font's text drawn on an off-screen image has exactly the pixels it has on a
/// window. Not so where windows get subpixel (LCD) text, which Qt keeps off images: there the
/// view draws straight onto the window. Found out once per font, by drawing a sample both ways.
bool imageTextMatchesWindows(ViewFontCache& font)
{
    if (const std::optional<bool> known = font.imageTextMatches())
        return *known;
    TextProbe probe(font.font());
    QImage onWindow(probe.size(), QImage::Format_RGB32);
    probe.render(&onWindow);
    QImage onImage(probe.size(), QImage::Format_RGB32);
    {
        QPainter p(&onImage);
        probe.drawSample(p);
    }
    font.setImageTextMatches(onWindow == onImage);
    return onWindow == onImage;
}

} // namespace

CVantorView::CVantorView(ProjectData& project, Services& services, TextViewHost& host,
                         QWidget* parent)
    : QAbstractScrollArea(parent), project_(project), services_(services), host_(host),
      noStore_(services.messages)
{
    host_.added(this);
    setFocusPolicy(Qt::StrongFocus);
    // Composed text arrives as input-method events; the candidate window asks where the caret is.
    setAttribute(Qt::WA_InputMethodEnabled, true);
    viewport()->setAttribute(Qt::WA_InputMethodEnabled, true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setCursor(Qt::IBeamCursor);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this,
            &CVantorView::onVerticalAction);
    connect(horizontalScrollBar(), &QScrollBar::actionTriggered, this,
            &CVantorView::onHorizontalAction);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &CVantorView::onVerticalValue);
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this,
            &CVantorView::onHorizontalValue);
    // Markers: picking, dragging, drops, menus and commands watch the viewport.
    new CMarkerGestures(*this, project, services);
}

CVantorView::~CVantorView()
{
    // The gestures filter the viewport's events and call back into this view; they must go
    // before the base classes' destructors run, which still send events to the viewport.
    delete CMarkerGestures::of(this);
    host_.removed(this);
    if (doc_) {
        CFileIO(project_, services_.messages).documentClosed(doc_->store().documentPath());
        doc_->removeWatcher(this);
        // One view per document: closing the view closes the document (its working copy goes).
        host_.documents().close(doc_->relativePath());
    }
}

CVantorView* CVantorView::openDocument(const std::string& fullPath, ProjectData& project,
                                       Services& services, TextViewHost& host, QWidget* parent)
{
    CVantorView* view = nullptr;
    CFileIO io(project, services.messages);
    io.openDocument(fullPath, [&] {
        view = new CVantorView(project, services, host, parent);
        if (!view->load(fullPath)) {
            delete view;
            view = nullptr;
        }
        return view != nullptr;
    });
    return view;
}

bool CVantorView::load(const std::string& fullPath)
{
    if (doc_)
        return false;
    const std::string work = CProjectIO(services_).workFolder();
    if (work.empty())
        return false;
    const std::string diskPath = withoutModifiedMark(fullPath);
    relativePath_ = relativeDocumentPath(project_, diskPath).value_or(SjisString());
    // A document outside the project's doc folder has no markers; its disk path keys it.
    const SjisString key = relativePath_.empty() ? SjisString(diskPath) : relativePath_;
    if (host_.documents().find(key))
        return false; // shown by another view already
    doc_ = host_.documents().open(key, diskPath, work);
    if (!doc_)
        return false;
    doc_->addWatcher(this);
    wasModified_ = doc_->isModified();
    caret_ = 0;
    selection_ = {};
    anchor_ = -1;
    scroll_ = ScrollModel();
    // When the document surely needs more than a page, show the vertical bar before the first
    // layout, so the bar appearing does not cost a second pass over the text.
    const int perPage = std::max(1, viewport()->height() / std::max(1, geometry_.lineHeight));
    if (countLogicalLines(text()) >= perPage)
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    layoutText();
    updateTitle();
    return true;
}

const TextStore& CVantorView::textStore() const
{
    return doc_ ? doc_->store() : noStore_;
}

const KeyTable& CVantorView::keyTable() const
{
    return doc_ ? doc_->keyTable() : noKeys_;
}

SjisView CVantorView::text() const
{
    return doc_ ? doc_->text() : SjisView();
}

QString CVantorView::title() const
{
    const std::string& path = documentPath();
    const std::size_t slash = path.rfind('/');
    QString name = pathToQString(slash == std::string::npos ? path : path.substr(slash + 1));
    if (isModified())
        name += QLatin1Char('*');
    return name;
}

void CVantorView::documentRenamed(const std::string& newFullPath)
{
    if (!doc_)
        return;
    const SjisString oldKey = doc_->relativePath();
    relativePath_ = relativeDocumentPath(project_, newFullPath).value_or(SjisString());
    host_.documents().documentMoved(
        oldKey, relativePath_.empty() ? SjisString(newFullPath) : relativePath_, newFullPath);
    updateTitle();
    redraw();
}

void CVantorView::updateTitle()
{
    setWindowTitle(title());
}

void CVantorView::notifyModified()
{
    const bool modified = isModified();
    if (modified == wasModified_)
        return;
    wasModified_ = modified;
    updateTitle();
    emit modifiedChanged(modified);
}

void CVantorView::setModified()
{
    if (!doc_)
        return;
    doc_->store().setModified();
    notifyModified();
}

void CVantorView::clearModified()
{
    if (!doc_)
        return;
    doc_->store().clearModified();
    notifyModified();
}

bool CVantorView::save()
{
    if (!doc_ || !doc_->store().save())
        return false;
    notifyModified();
    return true;
}

void CVantorView::setCaret(ByteOffset byteOffset)
{
    caret_ = std::clamp(byteOffset, 0, textStore().length());
    caretShown_ = false;
    viewport()->update();
}

void CVantorView::setSelection(ByteOffset start, ByteOffset end, ByteOffset anchor)
{
    start = std::clamp(start, 0, textStore().length());
    end = std::clamp(end, 0, textStore().length());
    if (end < start)
        std::swap(start, end);
    selection_ = {start, end};
    anchor_ = anchor;
    viewport()->update();
}

void CVantorView::clearSelection()
{
    selection_ = {};
    anchor_ = -1;
    viewport()->update();
}

ViewFontCache& CVantorView::fontCache() const
{
    return host_.fontFor(settings(), logicalDpiY());
}

int CVantorView::scrollBarWidth() const
{
    return style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
}

void CVantorView::layoutText()
{
    if (inLayout_)
        return;
    inLayout_ = true;
    ViewFontCache& font = fontCache();
    const TextViewSettings& s = settings();
    geometry_.lineSpacing = std::clamp<int>(s.lineSpacing, 0, 35);
    geometry_.lineHeight = std::max(1, font.metrics().height() + geometry_.lineSpacing);
    geometry_.leftMargin = std::max<int>(0, s.leftMargin);
    geometry_.topMargin = std::max<int>(0, s.topMargin);
    const bool wrap = s.wordWrap != 0;
    const bool numbers = s.lineNumbersShown != 0;
    const int padding = std::clamp<int>(s.lineNumberPadding, 0, 35);
    const int bar = scrollBarWidth();
    const SjisView text = this->text();
    TextDocument& doc = *doc_;
    const KeyTable& keys = doc.keyTable();

    // Up to three passes: the gutter is sized on the line count, which the layout decides, and
    // the vertical bar appearing or going narrows or widens the window. Each change only moves
    // towards a stable state, so this settles quickly.
    int expectedLines = keys.lineCount() > 0 ? keys.lineCount() : countLogicalLines(text);
    for (int pass = 0; pass < 3; ++pass) {
        geometry_.gutterWidth = numbers ? font.metrics().horizontalAdvance(
                                              QString::fromStdString(gutterSample(expectedLines))) +
                                              2 * padding
                                        : 0;
        const int width = viewport()->width();
        geometry_.clientWidth = width;
        geometry_.clientHeight = viewport()->height();
        const int perPage = geometry_.linesPerPage();
        if (wrap) {
            const int a = width - geometry_.gutterWidth - bar;
            // The last piece of a line may run one character past the break width (a line's
            // last character never starts a piece of its own), and the line-end mark follows
            // it: with a large font both are wider than the room the break width leaves, so
            // the break width shrinks for them. The mark is a full-width character, as wide as
            // any character that can overrun.
            const int mark = font.widths().width(kDownArrowCode);
            const int fitting = width - geometry_.textLeft() - 2 * mark - kLineEndMarkGap;
            if (a >= 1) {
                doc.setLayout(&font.widths(), std::min(breakWidthFor(a, bar, true), fitting));
                // No bar needed: the text may use the bar's width too.
                if (keys.lineCount() < perPage)
                    doc.setLayout(&font.widths(),
                                  std::min(breakWidthFor(a + bar, bar, true), fitting));
            }
            laidOutWidth_ = width;
        } else {
            doc.setLayout(&font.widths(),
                          breakWidthFor(ScrollModel::kUnwrappedSurfaceWidth, bar, false));
        }
        updateScrollModel();
        const bool gutterSettled =
            !numbers || gutterDigits(keys.lineCount()) == gutterDigits(expectedLines);
        expectedLines = keys.lineCount();
        const bool widthSettled = !wrap || viewport()->width() == width;
        if (gutterSettled && widthSettled)
            break;
    }
    inLayout_ = false;
    viewport()->update();
}

void CVantorView::updateScrollModel()
{
    geometry_.clientWidth = viewport()->width();
    geometry_.clientHeight = viewport()->height();
    scroll_.setLayout(keys().lineCount(), geometry_.linesPerPage(), geometry_.clientWidth,
                      geometry_.gutterWidth, settings().wordWrap != 0);
    syncScrollBars();
}

void CVantorView::syncScrollBars()
{
    syncingBars_ = true;
    QScrollBar* v = verticalScrollBar();
    setVerticalScrollBarPolicy(scroll_.verticalBarVisible() ? Qt::ScrollBarAlwaysOn
                                                            : Qt::ScrollBarAlwaysOff);
    v->setRange(0, scroll_.verticalBarMaximum());
    v->setSingleStep(1);
    v->setPageStep(std::max(1, scroll_.verticalBarScaled() ? 1 : scroll_.linesPerPage()));
    v->setValue(scroll_.verticalBarPosition());
    QScrollBar* h = horizontalScrollBar();
    setHorizontalScrollBarPolicy(scroll_.horizontalBarVisible() ? Qt::ScrollBarAlwaysOn
                                                                : Qt::ScrollBarAlwaysOff);
    h->setRange(0, scroll_.horizontalRange());
    h->setSingleStep(std::max(1, geometry_.clientWidth / 8));
    h->setPageStep(std::max(1, geometry_.clientWidth / 2));
    h->setValue(scroll_.horizontalPosition());
    syncingBars_ = false;
    geometry_.firstLine = scroll_.firstLine();
    geometry_.horizontalPosition = scroll_.horizontalPosition();
}

void CVantorView::applyScroll()
{
    const bool moved = geometry_.firstLine != scroll_.firstLine() ||
                       geometry_.horizontalPosition != scroll_.horizontalPosition();
    syncScrollBars();
    if (moved)
        viewport()->update();
}

void CVantorView::onVerticalAction(int action)
{
    QScrollBar* v = verticalScrollBar();
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd:
        scroll_.lineDown();
        break;
    case QAbstractSlider::SliderSingleStepSub:
        scroll_.lineUp();
        break;
    case QAbstractSlider::SliderPageStepAdd:
        scroll_.pageDown();
        break;
    case QAbstractSlider::SliderPageStepSub:
        scroll_.pageUp();
        break;
    case QAbstractSlider::SliderToMinimum:
        scroll_.top();
        break;
    case QAbstractSlider::SliderToMaximum:
        scroll_.bottom();
        break;
    case QAbstractSlider::SliderMove:
        scroll_.thumb(v->sliderPosition());
        break;
    default:
        return;
    }
    // Put the slider where the model says, so the bar's own step does not apply on top.
    syncingBars_ = true;
    v->setSliderPosition(scroll_.verticalBarPosition());
    syncingBars_ = false;
    applyScroll();
}

void CVantorView::onHorizontalAction(int action)
{
    QScrollBar* h = horizontalScrollBar();
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd:
        scroll_.lineRight();
        break;
    case QAbstractSlider::SliderSingleStepSub:
        scroll_.lineLeft();
        break;
    case QAbstractSlider::SliderPageStepAdd:
        scroll_.pageRight();
        break;
    case QAbstractSlider::SliderPageStepSub:
        scroll_.pageLeft();
        break;
    case QAbstractSlider::SliderToMinimum:
        scroll_.leftEnd();
        break;
    case QAbstractSlider::SliderToMaximum:
        scroll_.rightEnd();
        break;
    case QAbstractSlider::SliderMove:
        scroll_.horizontalThumb(h->sliderPosition());
        break;
    default:
        return;
    }
    syncingBars_ = true;
    h->setSliderPosition(scroll_.horizontalPosition());
    syncingBars_ = false;
    applyScroll();
}

void CVantorView::onVerticalValue(int value)
{
    if (syncingBars_ || value == scroll_.verticalBarPosition())
        return;
    scroll_.thumb(value);
    applyScroll();
}

void CVantorView::onHorizontalValue(int value)
{
    if (syncingBars_ || value == scroll_.horizontalPosition())
        return;
    scroll_.horizontalThumb(value);
    applyScroll();
}

void CVantorView::scrollToLine(int line)
{
    scroll_.setFirstLine(line);
    applyScroll();
}

void CVantorView::scrollToCaret()
{
    const ScrollPosition s =
        corvane::scrollToCaret(caret_, text(), keys(), fontCache().widths(), geometry_,
                               settings().wordWrap != 0, scroll_.horizontalRange());
    scroll_.setFirstLine(s.firstLine);
    scroll_.setHorizontalPosition(s.horizontalPosition);
    applyScroll();
}

VisibleBytes CVantorView::shownBytes() const
{
    return visibleBytes(keys(), geometry_);
}

std::optional<QPoint> CVantorView::positionToPoint(ByteOffset byteOffset) const
{
    const auto p =
        corvane::positionToPoint(byteOffset, text(), keys(), fontCache().widths(), geometry_);
    if (!p)
        return std::nullopt;
    return QPoint(p->x, p->y);
}

std::optional<ByteOffset> CVantorView::pointToOffset(const QPoint& point) const
{
    return corvane::pointToOffset(point.x(), point.y(), text(), keys(), fontCache().widths(),
                                  geometry_);
}

QRect CVantorView::caretRect() const
{
    const auto p = positionToPoint(caret_);
    if (!p)
        return {};
    const int w = std::clamp<int>(settings().caretWidth, 1, 5);
    // Extents around x by width: 1 [x-1, x), 2 [x-1, x+1), 3 [x-2, x+1), 4 [x-2, x+2),
    // 5 [x-3, x+2).
    const int left = p->x() - (w + 1) / 2;
    const int lh = geometry_.lineHeight;
    const int top = p->y() - lh;
    return QRect(QPoint(left, top + lh / 15), QPoint(left + w - 1, top + lh - lh / 15 - 1));
}

void CVantorView::blinkCaret()
{
    const QRect r = caretRect();
    if (r.isEmpty() || r.left() < geometry_.textLeft() - 3 || viewport()->width() < r.left())
        return;
    caretShown_ = !caretShown_;
    viewport()->update(r);
}

void CVantorView::relayout()
{
    if (doc_)
        layoutText();
    else
        viewport()->update();
}

void CVantorView::redraw()
{
    viewport()->update();
}

void CVantorView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    if (!doc_ || inLayout_)
        return;
    const int width = viewport()->width();
    const bool wrap = settings().wordWrap != 0;
    if (wrap && width != laidOutWidth_ && width >= kMinWrapWidth) {
        layoutText();
        return;
    }
    const int oldPerPage = geometry_.linesPerPage();
    geometry_.clientWidth = width;
    geometry_.clientHeight = viewport()->height();
    if (!wrap || geometry_.linesPerPage() != oldPerPage)
        updateScrollModel();
    viewport()->update();
}

void CVantorView::wheelEvent(QWheelEvent* event)
{
    wheelRemainder_ += event->angleDelta().y();
    const int notches = wheelRemainder_ / 120;
    wheelRemainder_ -= notches * 120;
    event->accept();
    if (notches == 0)
        return;
    if (event->modifiers() & Qt::ControlModifier) {
        changeFontSize(notches > 0 ? 1 : -1);
        return;
    }
    scroll_.wheel(notches, (event->modifiers() & Qt::ShiftModifier) != 0);
    applyScroll();
}

void CVantorView::changeFontSize(int step)
{
    std::int16_t& size = project_.textView.fontSize;
    const int next = std::clamp(size + step, kMinFontSize, kMaxFontSize);
    if (next == size)
        return;
    size = static_cast<std::int16_t>(next);
    project_.modified = true;
    host_.relayoutAll();
    emit textViewSettingsChanged();
}

// Editing ----------------------------------------------------------------------------------------

void CVantorView::textChanged(const TextDocument& /*document*/, const TextEdit& edit)
{
    // The document's key table is already up to date. Positions after the edit move with it, so
    // a view whose document was changed by another route (replace, an undo) keeps its place.
    const auto follow = [&](ByteOffset at) {
        if (at >= edit.at + edit.removedBytes)
            return at - edit.removedBytes + edit.insertedBytes;
        return std::min(at, edit.at);
    };
    caret_ = motion::snapToCaretPosition(text(), follow(caret_));
    if (!selection_.empty() || anchor_ >= 0) {
        selection_ = {};
        anchor_ = -1;
    }
    // The gutter grows with the line count's digits, and the scroll range with the lines.
    const bool numbers = settings().lineNumbersShown != 0;
    if (numbers && gutterDigits(keys().lineCount()) != gutterDigits(scroll_.lineCount()))
        layoutText();
    else
        updateScrollModel();
    viewport()->update();
    notifyModified();
}

void CVantorView::afterEdit(const EditResult& result)
{
    if (!result.done())
        return;
    caret_ = motion::snapToCaretPosition(text(), result.caret);
    selection_ = {};
    anchor_ = -1;
    caretShown_ = false;
    scrollToCaret();
    viewport()->update();
    updateMicroFocus();
}

bool CVantorView::insertText(SjisView bytes)
{
    if (!doc_ || bytes.empty())
        return false;
    const EditResult r = selection_.empty()
                             ? doc_->insert(caret_, bytes)
                             : doc_->replace(selection_.start, selection_.end, bytes);
    afterEdit(r);
    return r.done();
}

bool CVantorView::deleteForward()
{
    if (!doc_)
        return false;
    const EditResult r = selection_.empty() ? doc_->deleteForward(caret_)
                                            : doc_->erase(selection_.start, selection_.end);
    afterEdit(r);
    return r.done();
}

bool CVantorView::deleteBackward()
{
    if (!doc_)
        return false;
    const EditResult r = selection_.empty() ? doc_->deleteBackward(caret_)
                                            : doc_->erase(selection_.start, selection_.end);
    afterEdit(r);
    return r.done();
}

bool CVantorView::copy() const
{
    if (!doc_ || selection_.empty())
        return false;
    const std::u16string unicode = input::toUnicode(
        text().substr(static_cast<std::size_t>(selection_.start),
                      static_cast<std::size_t>(selection_.end - selection_.start)));
    const QString copied = QString::fromStdU16String(unicode);
    if (writeClipboard)
        writeClipboard(copied);
    else
        QGuiApplication::clipboard()->setText(copied);
    return true;
}

bool CVantorView::cut()
{
    // Copy first: a refused deletion (a marker in the way) still leaves the text on the
    // clipboard, as copying alone would.
    if (!copy())
        return false;
    return deleteForward();
}

bool CVantorView::paste()
{
    if (!doc_)
        return false;
    std::optional<QString> clip;
    if (readClipboard) {
        clip = readClipboard();
    } else if (const QMimeData* data = QGuiApplication::clipboard()->mimeData();
               data && data->hasText()) {
        clip = data->text();
    }
    if (!clip) {
        showMessage(services_.messages, msg::kClipboardFailed, {}, style::error);
        return false;
    }
    const input::DocumentText pasted = input::fromUnicode(clip->toStdU16String());
    if (pasted.text.empty())
        return false;
    if (!insertText(pasted.text))
        return false;
    if (pasted.unrepresentableCount > 0) {
        const std::string count = std::to_string(pasted.unrepresentableCount) + "文字\n";
        showMessage(services_.messages, msg::kCharactersReplacedOnPaste,
                    codec::fromUtf8(count).text, style::information);
    }
    return true;
}

bool CVantorView::undo()
{
    if (!doc_)
        return false;
    const EditResult r = doc_->undo();
    afterEdit(r);
    return r.done();
}

bool CVantorView::redo()
{
    if (!doc_)
        return false;
    const EditResult r = doc_->redo();
    afterEdit(r);
    return r.done();
}

void CVantorView::selectAll()
{
    const ByteOffset end = textStore().length();
    setSelection(0, end, 0);
    setCaret(end);
}

bool CVantorView::convertCase(bool upper)
{
    if (!doc_ || selection_.empty())
        return false;
    const ByteRange kept = selection_;
    const ByteOffset anchor = anchor_;
    if (!doc_->convertCase(selection_.start, selection_.end, upper))
        return false;
    // The length did not change: the selection stays on the same bytes.
    setSelection(kept.start, kept.end, anchor);
    services_.refresh.redrawTextViewsOf(relativePath_);
    return true;
}

bool CVantorView::handleCommand(int id)
{
    if (!isCommandEnabled(id))
        return false;
    switch (id) {
    case cmd::ID_UNDO:
    case cmd::ID_EDIT_UNDO:
        undo();
        return true;
    case cmd::ID_REDO:
    case cmd::ID_EDIT_REDO:
        redo();
        return true;
    case cmd::ID_EDIT_CUT:
        cut();
        return true;
    case cmd::ID_EDIT_PASTE:
        paste();
        return true;
    case cmd::ID_TO_UPPER:
    case cmd::ID_TO_LOWER:
        convertCase(id == cmd::ID_TO_UPPER);
        return true;
    default:
        return false;
    }
}

bool CVantorView::isCommandEnabled(int id) const
{
    if (!doc_)
        return false;
    switch (id) {
    case cmd::ID_UNDO:
    case cmd::ID_EDIT_UNDO:
        return doc_->undoStore().canUndo();
    case cmd::ID_REDO:
    case cmd::ID_EDIT_REDO:
        return doc_->undoStore().canRedo();
    case cmd::ID_EDIT_CUT:
    case cmd::ID_TO_UPPER:
    case cmd::ID_TO_LOWER:
        return !selection_.empty();
    case cmd::ID_EDIT_PASTE:
        return true;
    default:
        return false;
    }
}

void CVantorView::moveCaret(ByteOffset to, bool extend)
{
    to = motion::snapToCaretPosition(text(), to);
    if (extend) {
        const ByteOffset anchor = anchor_ >= 0 ? anchor_ : caret_;
        setSelection(std::min(anchor, to), std::max(anchor, to), anchor);
    } else {
        clearSelection();
    }
    setCaret(to);
    scrollToCaret();
    updateMicroFocus();
}

ByteOffset CVantorView::caretOnLine(int step) const
{
    const KeyTable& k = keys();
    const int lines = k.lineCount();
    if (lines == 0)
        return 0;
    const int line = std::max(0, k.lineOfByte(caret_));
    const int target = std::clamp(line + step, 0, lines - 1);
    if (target == line)
        return step < 0 ? 0 : textStore().length();
    const SjisView t = text();
    CharWidthTable& widths = fontCache().widths();
    const int x = widthOfBytes(t, k.lineStart(line), caret_, widths);
    const ByteOffset end = contentEnd(t, k.lineStart(target), k.lineEnd(target));
    ByteOffset at = k.lineStart(target);
    int left = 0;
    // The boundary nearest to x: past a character once x lies beyond its middle.
    while (at < end) {
        const ByteOffset next = motion::nextCaretPosition(t, at);
        const int w = widthOfBytes(t, at, next, widths);
        if (left + w / 2 >= x)
            break;
        left += w;
        at = next;
    }
    return at;
}

void CVantorView::selectWordAt(ByteOffset offset)
{
    const auto word = motion::wordAt(text(), offset);
    if (!word) {
        clearSelection();
        setCaret(offset);
        return;
    }
    setSelection(word->begin, word->end, word->begin);
    setCaret(word->end);
    scrollToCaret();
}

bool CVantorView::event(QEvent* event)
{
    // TAB types spaces here; it must not move the focus to the next widget.
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ControlModifier)) {
            keyPressEvent(key);
            return true;
        }
    }
    if (event->type() == QEvent::ShortcutOverride && doc_) {
        // Editing keys belong to the view while it has the focus.
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Copy) || key->matches(QKeySequence::Cut) ||
            key->matches(QKeySequence::Paste) || key->matches(QKeySequence::SelectAll) ||
            key->key() == Qt::Key_Delete || key->key() == Qt::Key_Backspace) {
            event->accept();
            return true;
        }
    }
    return QAbstractScrollArea::event(event);
}

void CVantorView::keyPressEvent(QKeyEvent* event)
{
    if (!doc_) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    const bool shift = (event->modifiers() & Qt::ShiftModifier) != 0;
    const bool ctrl = (event->modifiers() & Qt::ControlModifier) != 0;
    const SjisView t = text();
    const KeyTable& k = keys();
    event->accept();
    if (event->matches(QKeySequence::Undo)) {
        undo();
        return;
    }
    if (event->matches(QKeySequence::Redo) || (ctrl && !shift && event->key() == Qt::Key_Y)) {
        redo();
        return;
    }
    if (event->matches(QKeySequence::Copy)) {
        copy();
        return;
    }
    if (event->matches(QKeySequence::Cut)) {
        cut();
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        paste();
        return;
    }
    if (event->matches(QKeySequence::SelectAll)) {
        selectAll();
        return;
    }
    switch (event->key()) {
    case Qt::Key_Left:
        moveCaret(!shift && !selection_.empty() ? selection_.start
                                                : motion::previousCaretPosition(t, caret_),
                  shift);
        return;
    case Qt::Key_Right:
        moveCaret(!shift && !selection_.empty() ? selection_.end
                                                : motion::nextCaretPosition(t, caret_),
                  shift);
        return;
    case Qt::Key_Up:
        moveCaret(caretOnLine(-1), shift);
        return;
    case Qt::Key_Down:
        moveCaret(caretOnLine(1), shift);
        return;
    case Qt::Key_Home:
        if (ctrl) {
            moveCaret(0, shift);
        } else if (const int line = k.lineOfByte(caret_); line >= 0) {
            moveCaret(k.lineStart(line), shift);
        }
        return;
    case Qt::Key_End:
        if (ctrl) {
            moveCaret(textStore().length(), shift);
        } else if (const int line = k.lineOfByte(caret_); line >= 0) {
            moveCaret(contentEnd(t, k.lineStart(line), k.lineEnd(line)), shift);
        }
        return;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: {
        const int page = std::max(1, geometry_.linesPerPage());
        const bool up = event->key() == Qt::Key_PageUp;
        if (up)
            scroll_.pageUpKey();
        else
            scroll_.pageDownKey();
        applyScroll();
        if (shift)
            moveCaret(caretOnLine(up ? -page : page), true);
        return;
    }
    case Qt::Key_Delete:
        deleteForward();
        return;
    case Qt::Key_Backspace:
        deleteBackward();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        insertText("\r\n");
        return;
    case Qt::Key_Tab: {
        const int line = k.lineOfByte(caret_);
        ByteOffset lineStart = 0;
        // The column counts from the logical line's start: after the last CR LF.
        for (ByteOffset i = caret_; i > 0; --i)
            if (t[static_cast<std::size_t>(i - 1)] == '\n') {
                lineStart = i;
                break;
            }
        (void)line;
        insertText(input::typedText("\t", caret_ - lineStart));
        return;
    }
    default:
        break;
    }
    const QString typed = event->text();
    if (!ctrl && !typed.isEmpty() && typed.at(0).unicode() >= 0x20 &&
        typed.at(0).unicode() != 0x7F) {
        const input::DocumentText bytes = input::fromUnicode(typed.toStdU16String());
        insertText(bytes.text);
        return;
    }
    event->ignore();
    QAbstractScrollArea::keyPressEvent(event);
}

void CVantorView::inputMethodEvent(QInputMethodEvent* event)
{
    if (!doc_) {
        event->ignore();
        return;
    }
    // A composition that would end inside a marker is refused at its first key, so a long
    // composed phrase is never thrown away at its end.
    const bool starting = !composing_ && !event->preeditString().isEmpty();
    composing_ = !event->preeditString().isEmpty();
    if (starting && selection_.empty()) {
        const MarkerCheck check =
            checkMarkers(project_, doc_->relativePath(), TextEdit{caret_, 0, 1});
        composingRefused_ = check.refused;
        if (composingRefused_)
            showMessage(services_.messages, msg::kInsideMarker, {}, style::error);
    }
    if (composingRefused_) {
        preedit_.clear();
        if (!composing_)
            composingRefused_ = false;
        event->accept();
        viewport()->update();
        return;
    }
    if (!event->commitString().isEmpty()) {
        const input::DocumentText bytes =
            input::fromUnicode(event->commitString().toStdU16String());
        insertText(bytes.text);
    }
    preedit_ = event->preeditString();
    preeditCursor_ = static_cast<int>(preedit_.size());
    for (const QInputMethodEvent::Attribute& a : event->attributes())
        if (a.type == QInputMethodEvent::Cursor)
            preeditCursor_ = a.start;
    event->accept();
    viewport()->update();
    updateMicroFocus();
}

QVariant CVantorView::inputMethodQuery(Qt::InputMethodQuery query) const
{
    switch (query) {
    case Qt::ImEnabled:
        return doc_ != nullptr;
    case Qt::ImCursorRectangle: {
        const QRect r = caretRect();
        const QRect inView = r.isEmpty() ? QRect(geometry_.textLeft(), 0, 1, lineHeight()) : r;
        return QRect(viewport()->mapTo(this, inView.topLeft()), inView.size());
    }
    case Qt::ImFont:
        return fontCache().font();
    case Qt::ImCursorPosition:
    case Qt::ImAnchorPosition:
    case Qt::ImSurroundingText: {
        // The logical line around the caret, for reconversion; positions in UTF-16 units.
        const SjisView t = text();
        ByteOffset from = caret_;
        while (from > 0 && t[static_cast<std::size_t>(from - 1)] != '\n')
            --from;
        ByteOffset to = caret_;
        while (to < static_cast<ByteOffset>(t.size()) && t[static_cast<std::size_t>(to)] != '\r')
            ++to;
        const SjisView line =
            t.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from));
        if (query == Qt::ImSurroundingText)
            return QString::fromStdU16String(input::toUnicode(line));
        const ByteOffset at = query == Qt::ImAnchorPosition && anchor_ >= 0 ? anchor_ : caret_;
        const ByteOffset clamped = std::clamp(at, from, to);
        return static_cast<int>(
            input::toUnicode(line.substr(0, static_cast<std::size_t>(clamped - from))).size());
    }
    default:
        return QAbstractScrollArea::inputMethodQuery(query);
    }
}

void CVantorView::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    updateMicroFocus();
}

void CVantorView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    if (const auto offset = pointToOffset(event->position().toPoint())) {
        if (event->modifiers() & Qt::ShiftModifier) {
            const ByteOffset anchor = anchor_ >= 0 ? anchor_ : caret_;
            setSelection(std::min(anchor, *offset), std::max(anchor, *offset), anchor);
            setCaret(*offset);
        } else if (event->modifiers() & Qt::ControlModifier) {
            selectWordAt(*offset);
        } else {
            clearSelection();
            setCaret(*offset);
        }
        updateMicroFocus();
    }
    event->accept();
}

void CVantorView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mouseDoubleClickEvent(event);
        return;
    }
    if (const auto offset = pointToOffset(event->position().toPoint()))
        selectWordAt(*offset);
    event->accept();
}

// Drawing ----------------------------------------------------------------------------------------

void CVantorView::paintEvent(QPaintEvent* event)
{
    QPainter p(viewport());
    const QRect client = viewport()->rect();
    const TextPaintInput input{project_,   doc_,   geometry_, client.size(),
                               selection_, caret_, preedit_,  preeditCursor_};
    ViewFontCache& font = fontCache();
    // A repaint of the whole area goes through the off-screen surface, where glyphs already seen
    // over the same colours are copied instead of blended again. Small repaints (the caret's
    // blink), scaled screens and subpixel text draw directly: the clip keeps the first cheap,
    // sprites are made at one pixel per unit, and images get grey text only.
    if (event->rect() == client && viewport()->devicePixelRatioF() == 1.0 && !client.isEmpty() &&
        imageTextMatchesWindows(font)) {
        QImage& surface = host_.surface(client.size());
        const SurfaceBits bits{surface.bits(), surface.bytesPerLine(), client};
        {
            QPainter onSurface(&surface);
            painter_.paint(onSurface, input, font, &bits);
        }
        p.drawImage(client.topLeft(), surface, client);
    } else {
        painter_.paint(p, input, font);
    }
    if (caretShown_) {
        const QRect r = caretRect();
        if (!r.isEmpty() && r.intersects(event->rect())) {
            p.setClipping(false);
            p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
            p.fillRect(r, Qt::white);
            p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        }
    }
}

int CVantorView::bookmarkAt(const QPoint& viewportPoint) const
{
    for (int slot = 0; slot < kBookmarkCount; ++slot)
        if (painter_.bookmarkRects()[static_cast<std::size_t>(slot)].contains(viewportPoint))
            return slot;
    return -1;
}

bool CVantorView::setBookmarkAtCaret(int slot, bool askFirst)
{
    if (!doc_ || relativePath_.empty() || slot < 0 || slot >= kBookmarkCount)
        return false;
    if (askFirst && bookmarks::isSet(project_, slot)) {
        const SjisString leading = codec::fromUtf8("【ブックマーク】\n").text +
                                   SjisString(fixedText(project_.textView.bookmarkSample[slot])) +
                                   "\n\n";
        if (showMessage(services_.messages, msg::kConfirmOverwrite, leading, style::yesNo) !=
            Answer::Yes)
            return false;
    }
    // The view that showed the bookmark before must lose its image.
    const SjisString before(fixedText(project_.textView.bookmarkPath[slot]));
    if (!bookmarks::set(project_, slot, relativePath_, caret_, doc_->text()))
        return false;
    if (!before.empty() && before != relativePath_)
        services_.refresh.redrawTextViewsOf(before);
    services_.refresh.bookmarksChanged();
    viewport()->update();
    return true;
}

} // namespace corvane
