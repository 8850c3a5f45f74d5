// Feeds arbitrary bytes to the cabinet reader (our own checks, then libgcab's expansion): no
// crash, no member larger than a data file can be, no unsafe member name accepted.
#include "model/Cabinet.h"
#include "model/DataFile.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string out;
    corvane::CabinetMember member;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (corvane::extractCabinetBytes(bytes, out, member) == corvane::CabinetError::None) {
        if (out.size() > corvane::kMaxDataFileBytes || out.size() != member.byteSize ||
            !corvane::isSafeMemberName(member.name, false))
            std::abort();
    }
    return 0;
}
