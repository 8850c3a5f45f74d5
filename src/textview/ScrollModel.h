// The text view's scroll state and what each scrolling input does to it. The widget feeds it
// scroll-bar actions, keys and wheel notches and then shows firstLine / horizontalPosition.
#pragma once

#include <cstdint>

namespace corvane {

class ScrollModel
{
public:
    /// Largest position of a scroll bar; longer documents map their lines onto 0 ... 32767.
    static constexpr int kScaledBarMax = 32767;
    /// Width of the text surface without word wrap, in pixels.
    static constexpr int kUnwrappedSurfaceWidth = 3000;

    /// New layout or new window size. Keeps the positions within their new limits; hides the
    /// vertical bar (first line 0) while the lines fit in one page.
    void setLayout(int lineCount, int linesPerPage, int clientWidth, int gutterWidth,
                   bool wordWrap);

    int firstLine() const { return firstLine_; }
    int horizontalPosition() const { return horizontalPosition_; }
    int lineCount() const { return lineCount_; }
    int linesPerPage() const { return linesPerPage_; }

    // Vertical bar.
    bool verticalBarVisible() const;
    /// True when line count - 1 exceeds 32767: the bar runs 0 ... 32767.
    bool verticalBarScaled() const { return lineCount_ - 1 > kScaledBarMax; }
    int verticalBarMaximum() const;
    int verticalBarPosition() const;

    // Horizontal bar: only without word wrap.
    bool horizontalBarVisible() const { return !wordWrap_ && horizontalRange_ > 0; }
    /// 0 with word wrap; 3000 - client width (+ gutter width) without, never below 0.
    int horizontalRange() const { return horizontalRange_; }

    void lineUp() { setFirstLine(firstLine_ - 1); }
    void lineDown() { setFirstLine(firstLine_ + 1); }
    void pageUp() { setFirstLine(firstLine_ - linesPerPage_); }
    void pageDown() { setFirstLine(firstLine_ + linesPerPage_); }
    void top() { setFirstLine(0); }
    void bottom() { setFirstLine(lineCount_ - 1); }
    /// Thumb dragged or released at bar position; scaled bars map back onto the lines.
    void thumb(int barPosition);
    /// Page Up key: a page back. Page Down key: a page on, but first line stays <= line count -
    /// lines per page.
    void pageUpKey() { pageUp(); }
    void pageDownKey();
    /// Mouse wheel: notches > 0 scroll towards the start. One line per notch; a page with Shift.
    void wheel(int notches, bool shift);

    void lineLeft();
    void lineRight();
    void pageLeft();
    void pageRight();
    void horizontalThumb(int position) { setHorizontalPosition(position); }
    void leftEnd() { setHorizontalPosition(0); }
    void rightEnd() { setHorizontalPosition(horizontalRange_); }

    /// Direct placement (scroll to caret, restoring a view); kept within the limits.
    void setFirstLine(int line);
    void setHorizontalPosition(int pixels);

private:
    int lineCount_ = 0;
    int linesPerPage_ = 0;
    int clientWidth_ = 0;
    bool wordWrap_ = true;
    int horizontalRange_ = 0;
    int firstLine_ = 0;          ///< invariant: 0 <= firstLine_ <= max(0, lineCount_ - 1)
    int horizontalPosition_ = 0; ///< invariant: 0 <= horizontalPosition_ <= horizontalRange_
};

} // namespace corvane
