// Feeds arbitrary bytes to `cvntool build`'s reader of a project's JSON form: malformed or
// out-of-range input is refused with a reason, and a project it accepts dumps to a text that
// builds the same data file again.
#include "ProjectJson.h"
#include "model/DataFile.h"

#include <cstdint>
#include <cstdlib>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static auto first = std::make_unique<corvane::ProjectData>();
    static auto second = std::make_unique<corvane::ProjectData>();
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::string error;
    if (!corvane::cli::projectFromJsonText(text, *first, error)) {
        if (error.empty())
            std::abort();
        return 0;
    }
    const std::string dump = corvane::cli::writeDump(corvane::cli::projectToJson(*first));
    if (!corvane::cli::projectFromJsonText(dump, *second, error) ||
        corvane::encodeDataFile(*first) != corvane::encodeDataFile(*second))
        std::abort();
    return 0;
}
