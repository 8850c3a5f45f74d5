// The table limits as the user meets them: the checks callers make before adding objects or
// links, with the message that tells the user the limit was reached.
#pragma once

#include "base/MessageSink.h"

namespace corvane {

/// True when count is below the object limit. Otherwise false, after message 30165 with the
/// object limit text in front when showMessage is set. Callers pass the object count before adding
/// one; a caller about to add n objects passes count + n - 1 without the message.
bool objectLimitCheck(MessageSink& messages, bool showMessage, int count);

/// As objectLimitCheck for the link count, with the link limit text.
bool linkLimitCheck(MessageSink& messages, bool showMessage, int count);

} // namespace corvane
