// Feeds arbitrary bytes to the data file reader: it must refuse or accept without reading past
// the input, and an accepted file must encode back to its first dataFileBytes() bytes apart from
// text fields it had to cut.
#include "model/DataFile.h"

#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {
struct QuietSink : corvane::MessageSink
{
    corvane::Answer present(int, const std::string&, corvane::MessageStyle) override
    {
        return corvane::Answer::Ok;
    }
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static auto staging = std::make_unique<corvane::ProjectData>();
    QuietSink sink;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (corvane::decodeDataFile(bytes, *staging, sink)) {
        const std::string again = corvane::encodeDataFile(*staging);
        if (again.size() > size ||
            again.size() != corvane::dataFileBytes(std::size_t(staging->objectCount),
                                                   std::size_t(staging->linkCount)))
            std::abort();
    }
    return 0;
}
