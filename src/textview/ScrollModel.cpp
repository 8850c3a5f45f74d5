#include "textview/ScrollModel.h"

#include <algorithm>

namespace corvane {

void ScrollModel::setLayout(int lineCount, int linesPerPage, int clientWidth, int gutterWidth,
                            bool wordWrap)
{
    lineCount_ = std::max(0, lineCount);
    linesPerPage_ = std::max(0, linesPerPage);
    clientWidth_ = clientWidth;
    wordWrap_ = wordWrap;
    horizontalRange_ =
        wordWrap ? 0 : std::max(0, kUnwrappedSurfaceWidth - clientWidth + gutterWidth);
    if (!verticalBarVisible())
        firstLine_ = 0;
    setFirstLine(firstLine_);
    setHorizontalPosition(horizontalPosition_);
}

bool ScrollModel::verticalBarVisible() const
{
    return lineCount_ > 0 && lineCount_ >= linesPerPage_;
}

int ScrollModel::verticalBarMaximum() const
{
    if (!verticalBarVisible())
        return 0;
    return verticalBarScaled() ? kScaledBarMax : lineCount_ - 1;
}

int ScrollModel::verticalBarPosition() const
{
    if (!verticalBarScaled())
        return firstLine_;
    const std::int64_t pos =
        static_cast<std::int64_t>(firstLine_) * kScaledBarMax / (lineCount_ - 1);
    return static_cast<int>(std::min<std::int64_t>(pos, kScaledBarMax));
}

void ScrollModel::thumb(int barPosition)
{
    if (!verticalBarScaled()) {
        setFirstLine(barPosition);
        return;
    }
    const std::int64_t line = static_cast<std::int64_t>(std::clamp(barPosition, 0, kScaledBarMax)) *
                              (lineCount_ - 1) / kScaledBarMax;
    setFirstLine(static_cast<int>(line));
}

void ScrollModel::pageDownKey()
{
    const int target = firstLine_ + linesPerPage_;
    const int limit = std::max(0, lineCount_ - linesPerPage_);
    // Never moves backwards: a view already past the limit (scrolled by the bar) stays put.
    setFirstLine(std::max(firstLine_, std::min(target, limit)));
}

void ScrollModel::wheel(int notches, bool shift)
{
    const int step = shift ? linesPerPage_ : 1;
    setFirstLine(firstLine_ - notches * step);
}

void ScrollModel::lineLeft()
{
    setHorizontalPosition(horizontalPosition_ - clientWidth_ / 8);
}
void ScrollModel::lineRight()
{
    setHorizontalPosition(horizontalPosition_ + clientWidth_ / 8);
}
void ScrollModel::pageLeft()
{
    setHorizontalPosition(horizontalPosition_ - clientWidth_ / 2);
}
void ScrollModel::pageRight()
{
    setHorizontalPosition(horizontalPosition_ + clientWidth_ / 2);
}

void ScrollModel::setFirstLine(int line)
{
    // While the bar is hidden everything fits and the first line stays 0.
    const int last = verticalBarVisible() ? lineCount_ - 1 : 0;
    firstLine_ = std::clamp(line, 0, last);
}

void ScrollModel::setHorizontalPosition(int pixels)
{
    horizontalPosition_ = wordWrap_ ? 0 : std::clamp(pixels, 0, horizontalRange_);
}

} // namespace corvane
