// Messages the system shows beyond the numbered catalogue it inherited: each has a number of its
// own (39001 upwards, outside the catalogue's range) so that a message sink, a recorder or a log
// can name it, and is shown through showMessage like any catalogue message. Their names are in
// res/MessageNumbers.h with the others.
#pragma once

#include "res/MessageNumbers.h"

namespace corvane {

/// The text of an added message as UTF-8, or nullptr when number is not one of them.
const char* addedMessageText(int number);

} // namespace corvane
