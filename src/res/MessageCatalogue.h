// The numbered catalogue of every message the system shows, and the one function that shows one.
#pragma once

#include "base/MessageSink.h"

#include <vector>

namespace corvane {

/// The catalogue text of number as UTF-8 ("\n" as line breaks), or nullptr when there is none.
/// The system's added messages (res/AddedMessages.h) are looked up as well.
const char* catalogueText(int number);

/// Every number of the catalogue proper that has a text, ascending (added messages not included).
std::vector<int> catalogueNumbers();

/// Looks up number, puts the leading text (Shift-JIS) in front and presents it through sink.
/// A number without text shows nothing and returns Answer::None.
Answer showMessage(MessageSink& sink, int number, SjisView leadingSjis = {},
                   MessageStyle style = style::warning);

} // namespace corvane
