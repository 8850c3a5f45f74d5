// Feeds arbitrary bytes to the reader of the document list's view-state file (.toc): any bytes
// give a state, and writing that state and reading it back gives the same state, so a file the
// program rewrote never drifts from what it restored.
#include "doclist/ViewStateFile.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using corvane::doclist::ViewState;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const ViewState state = corvane::doclist::parseViewState(bytes);
    // A line never holds a line end, and blank lines after the first are skipped.
    if (state.firstVisible.find_first_of("\r\n") != std::string::npos)
        std::abort();
    for (const auto& path : state.expanded)
        if (path.empty() || path.find_first_of("\r\n") != std::string::npos)
            std::abort();
    const ViewState again =
        corvane::doclist::parseViewState(corvane::doclist::formatViewState(state));
    if (again.firstVisible != state.firstVisible || again.expanded != state.expanded)
        std::abort();
    return 0;
}
