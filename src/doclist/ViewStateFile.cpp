#include "doclist/ViewStateFile.h"

#include "doclist/FileUtil.h"

namespace corvane::doclist {

std::string formatViewState(const ViewState& state)
{
    std::string out = state.firstVisible + "\r\n";
    for (const SjisString& path : state.expanded)
        out += path + "\r\n";
    return out;
}

ViewState parseViewState(std::string_view bytes)
{
    ViewState state;
    bool first = true;
    std::size_t i = 0;
    while (i < bytes.size()) {
        std::size_t end = bytes.find_first_of("\r\n", i);
        if (end == std::string_view::npos)
            end = bytes.size();
        const std::string_view line = bytes.substr(i, end - i);
        if (first)
            state.firstVisible.assign(line);
        else if (!line.empty())
            state.expanded.emplace_back(line);
        first = false;
        i = end;
        if (i < bytes.size() && bytes[i] == '\r')
            ++i;
        if (i < bytes.size() && bytes[i] == '\n')
            ++i;
    }
    return state;
}

bool writeViewStateFile(const std::string& pathUtf8, const ViewState& state)
{
    return writeFileReplacing(pathUtf8, formatViewState(state));
}

std::optional<ViewState> readViewStateFile(const std::string& pathUtf8)
{
    const std::optional<std::string> bytes = readWholeFile(pathUtf8);
    if (!bytes)
        return std::nullopt;
    return parseViewState(*bytes);
}

} // namespace corvane::doclist
