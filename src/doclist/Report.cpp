#include "doclist/Report.h"

#include "res/MessageCatalogue.h"

#include <algorithm>

namespace corvane::doclist {

Answer report(MessageSink& sink, int number, std::string_view leadingUtf8, MessageStyle style)
{
    const char* text = catalogueText(number);
    std::string full(leadingUtf8);
    full += text ? text : "";
    return sink.present(number, full, style);
}

std::string catalogueLine(int number)
{
    const char* text = catalogueText(number);
    std::string line = text ? text : std::to_string(number);
    std::replace(line.begin(), line.end(), '\n', ' ');
    return line;
}

} // namespace corvane::doclist
