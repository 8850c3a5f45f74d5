#include "model/FixedText.h"

#include "base/Sjis.h"

#include <cstring>

namespace corvane {

std::size_t setFixedText(char* field, std::size_t fieldBytes, SjisView text)
{
    if (fieldBytes == 0)
        return 0;
    const std::size_t n = sjis::cutLength(text, fieldBytes - 1);
    if (n != 0) // an empty view may carry a null pointer, which memcpy must not see
        std::memcpy(field, text.data(), n);
    std::memset(field + n, 0, fieldBytes - n);
    return n;
}

SjisView fixedText(const char* field, std::size_t fieldBytes)
{
    const void* zero = std::memchr(field, 0, fieldBytes);
    const std::size_t n =
        zero ? static_cast<std::size_t>(static_cast<const char*>(zero) - field) : fieldBytes;
    return SjisView(field, n);
}

} // namespace corvane
