// The pictures of the ribbon buttons and panes, drawn in code so that they scale and need no
// image files.
#pragma once

#include <QIcon>

namespace corvane {

/// Picture of the command (any size); a null icon for commands without one.
QIcon commandIcon(int id);
/// Show-bookmark button: the slot's coloured flag when the bookmark is set, grey otherwise.
QIcon bookmarkIcon(int slot, bool set);
/// The set pin of bookmark slot: a "+" while the bookmark is unset, a "-" while set.
QIcon setPinIcon(int slot, bool set);
/// The application's own icon (also installed for the desktop).
QIcon applicationIcon();

} // namespace corvane
