// Feeds arbitrary bytes as a replacement dictionary file: at most 500 pairs come out, none with a
// line break in it, and a dictionary written back and read again gives the same pairs.
#include "base/Codec.h"
#include "search/Dictionary.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

bool same(const std::vector<corvane::search::ReplacePair>& a,
          const std::vector<corvane::search::ReplacePair>& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].before != b[i].before || a[i].after != b[i].after)
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace corvane;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<search::ReplacePair> pairs = search::parseDictionary(bytes);
    if (pairs.size() > static_cast<std::size_t>(search::kMaxDictionaryPairs))
        std::abort();
    for (const search::ReplacePair& p : pairs) {
        if (p.before.find('\n') != std::string::npos || p.after.find('\n') != std::string::npos ||
            p.before.find('\t') != std::string::npos)
            std::abort();
        (void)search::insertPosition(pairs, p.before);
    }
    if (!same(search::reversed(search::reversed(pairs)), pairs))
        std::abort();
    // Written back as Shift-JIS it reads the same (bytes that are not Shift-JIS may be taken for
    // UTF-8 on the second reading, which converts them: only valid text is compared).
    const SjisString written = search::formatDictionary(pairs);
    if (codec::toUtf8(written).valid && !same(search::parseDictionary(written), pairs))
        std::abort();
    return 0;
}
