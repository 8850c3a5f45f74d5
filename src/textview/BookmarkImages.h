// The images of the four bookmarks: a flag in the bookmark's colour, drawn by us at 32 x 32 on a
// transparent ground and stretched to the image size setting in the text view, and the small
// set and unset images of the view menu. The ribbon's pins use the same colours.
#pragma once

#include <QColor>
#include <QIcon>
#include <QImage>

namespace corvane {

QColor bookmarkColour(int slot);
/// The 32 x 32 image drawn in the text view at a bookmark's position.
QImage bookmarkImage(int slot);
/// The view menu's 16 x 16 image of a bookmark, set or unset (a hollow outline).
QIcon bookmarkMenuIcon(int slot, bool set);

} // namespace corvane
