#include "textview/CharWidthTable.h"

#include <algorithm>
#include <limits>

namespace corvane {

namespace {
constexpr std::size_t kCodeCount = 65536;
}

CharWidthTable::CharWidthTable(CharWidthSource* source)
    : source_(source), widths_(new std::int16_t[kCodeCount])
{
    clear();
}

void CharWidthTable::setSource(CharWidthSource* source)
{
    source_ = source;
    clear();
}

void CharWidthTable::clear()
{
    std::fill_n(widths_.get(), kCodeCount, std::int16_t(-1));
    measured_ = 0;
}

int CharWidthTable::fill(std::uint16_t code)
{
    int w = source_ ? source_->measureCharWidth(code) : 0;
    w = std::clamp(w, 0, int(std::numeric_limits<std::int16_t>::max()));
    widths_[code] = static_cast<std::int16_t>(w);
    ++measured_;
    return w;
}

} // namespace corvane
