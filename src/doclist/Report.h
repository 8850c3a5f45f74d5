// Messages whose leading text is already UTF-8: file names from the disk and characters that
// Shift-JIS cannot hold, which the catalogue's Shift-JIS leading text could not carry.
#pragma once

#include "base/MessageSink.h"

#include <string>
#include <string_view>

namespace corvane::doclist {

/// leadingUtf8 + the catalogue text of number, presented through sink.
Answer report(MessageSink& sink, int number, std::string_view leadingUtf8 = {},
              MessageStyle style = style::error);

/// The catalogue text of number on one line (line breaks as spaces), for the command line.
std::string catalogueLine(int number);

} // namespace corvane::doclist
