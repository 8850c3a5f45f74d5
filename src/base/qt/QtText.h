// The QString boundary: Shift-JIS record text and UTF-8 disk paths to and from the strings the
// widgets show. Built on Codec, never on Qt's own Shift-JIS decoder, so the mapping is the same
// as everywhere else in the system.
#pragma once

#include "base/Types.h"

#include <QString>

#include <string>

namespace corvane {

/// Shift-JIS to QString; invalid sequences show as U+FFFD.
QString toQString(SjisView sjis);

/// QString to Shift-JIS. Characters CP932 cannot hold become "〓"; when unrepresentable is given
/// it is set to whether there was any, so that a caller can refuse such a name instead.
SjisString toSjis(const QString& text, bool* unrepresentable = nullptr);

/// A disk path (UTF-8, as the file system gives it) to QString and back.
QString pathToQString(std::string_view utf8Path);
std::string pathFromQString(const QString& path);

} // namespace corvane
