// Text that enters a document from outside (typed keys, input-method results, the clipboard)
// brought to the form every document keeps: Shift-JIS, CR LF line ends, no TAB bytes, no other
// control characters. And the way out: a selection copied as Unicode with LF line ends.
#pragma once

#include "base/Types.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace corvane::input {

/// Shift-JIS text ready to insert, and how many characters CP932 could not hold (each became
/// "〓"); the caller reports that count.
struct DocumentText
{
    SjisString text;
    std::size_t unrepresentableCount = 0;
};

/// Clipboard or input-method text (UTF-16) as a document holds it: converted to Shift-JIS, every
/// CR LF, CR or LF made CR LF, every TAB four spaces as the import writes it, other control
/// characters (C0 and C1, DEL) dropped. A final line end is kept: pasting a line pastes its end.
DocumentText fromUnicode(std::u16string_view text);
/// As fromUnicode, from UTF-8 (the command line's text).
DocumentText fromUtf8(std::string_view text);

/// A selection for the clipboard: Unicode with LF line ends (CR LF and a lone CR become LF).
std::u16string toUnicode(SjisView selection);
std::string toUtf8(SjisView selection);

/// What one typed key inserts at a caret whose byte offset from its logical line start is
/// caretColumnBytes: a backspace character nothing, CR a CR LF, TAB 1 to 4 spaces up to the next
/// multiple of 4, any other text as it is.
SjisString typedText(SjisView keyText, std::int32_t caretColumnBytes);

} // namespace corvane::input
