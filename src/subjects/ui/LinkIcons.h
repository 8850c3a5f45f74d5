// The direction icons of links (to: the sub-subject points at the other object; from: the other
// object points at the sub-subject), drawn rather than loaded so they follow the screen's scale.
#pragma once

#include <QIcon>

namespace corvane {

QIcon linkToIcon();
QIcon linkFromIcon();

} // namespace corvane
