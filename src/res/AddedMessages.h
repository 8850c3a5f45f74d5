// Messages the system shows beyond the numbered catalogue it inherited: each has a number of its
// own (39001 upwards, outside the catalogue's range) so that a message sink, a recorder or a log
// can name it, and is shown through showMessage like any catalogue message.
#pragma once

namespace corvane {

/// Shown once when a project opens with documents missing that its markers or its open documents
/// list name; the leading text gives the number of missing documents and the first one's path.
inline constexpr int kMsgMarkedDocumentsMissing = 39001;
/// Asked after a failed save at close or quit (Yes/No, default No).
inline constexpr int kMsgCloseWithoutSaving = 39002;
/// After an import converted characters that Shift-JIS cannot hold; the leading text names the
/// file and the number of characters.
inline constexpr int kMsgCharactersReplaced = 39003;

/// The text of an added message as UTF-8, or nullptr when number is not one of them.
const char* addedMessageText(int number);

} // namespace corvane
