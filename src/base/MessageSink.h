// How logic reports to the user: a numbered message from the catalogue, with an optional leading
// text, shown with an icon and buttons; the answer comes back. Widgets implement the sink with a
// message box, tests with a script.
#pragma once

#include "base/Types.h"

#include <string>

namespace corvane {

enum class Answer
{
    None = 0,
    Ok,
    Cancel,
    Yes,
    No
};
enum class MessageIcon
{
    Warning,
    Error,
    Information,
    Question
};
enum class MessageButtons
{
    Ok,
    OkCancel,
    YesNo,
    YesNoCancel
};

struct MessageStyle
{
    MessageIcon icon = MessageIcon::Warning;
    MessageButtons buttons = MessageButtons::Ok;
    /// Yes/No questions whose Yes loses work: No is the default button, so a hasty Enter keeps it.
    bool defaultNo = false;
};

namespace style {
inline constexpr MessageStyle warning{MessageIcon::Warning, MessageButtons::Ok};
inline constexpr MessageStyle error{MessageIcon::Error, MessageButtons::Ok};
inline constexpr MessageStyle information{MessageIcon::Information, MessageButtons::Ok};
inline constexpr MessageStyle yesNo{MessageIcon::Question, MessageButtons::YesNo};
inline constexpr MessageStyle yesNoDefaultNo{MessageIcon::Question, MessageButtons::YesNo, true};
inline constexpr MessageStyle yesNoCancel{MessageIcon::Question, MessageButtons::YesNoCancel};
} // namespace style

/// Presents one composed message. The full text is UTF-8 (leading text + catalogue text), already
/// looked up; the number is passed along so that recorders and logs can name it.
class MessageSink
{
public:
    virtual ~MessageSink() = default;
    virtual Answer present(int number, const std::string& fullTextUtf8, MessageStyle style) = 0;
};

} // namespace corvane
