#include "doclist/NameRules.h"

#include "base/Codec.h"
#include "base/Sjis.h"
#include "res/MessageNumbers.h"

namespace corvane::doclist {

NameVerdict checkName(std::string_view nameUtf8, std::size_t folderPathSjisBytes)
{
    if (nameUtf8.empty())
        return {msg::kNoText, {}};

    const codec::Encoded sjis = codec::fromUtf8(nameUtf8);
    // "Not below the maximum" is refused: the name takes the place of the terminating zero in a
    // buffer of 255 + 1 bytes that also holds the folder path.
    const std::size_t maxSjisBytes = folderPathSjisBytes < 255 ? 255 - folderPathSjisBytes : 0;
    if (sjis.text.size() >= maxSjisBytes || nameUtf8.size() > kMaxNameUtf8Bytes)
        return {msg::kTextTooLong, {}};

    if (!sjis.complete()) {
        std::string shown;
        codec::appendUtf8(shown, sjis.unrepresentable.front());
        return {msg::kForbiddenNameChar, shown + "\n"};
    }

    for (char forbidden : kForbiddenNameChars) {
        if (sjis::findSingleByte(sjis.text, forbidden) != SjisString::npos)
            return {msg::kForbiddenNameChar, std::string(1, forbidden) + "\n"};
    }
    for (char c : nameUtf8) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            return {msg::kForbiddenNameChar, {}};
    }
    if (nameUtf8 == "." || nameUtf8 == "..")
        return {msg::kForbiddenNameChar, std::string(nameUtf8) + "\n"};
    return {};
}

std::optional<SjisString> newFolderName(const std::function<bool(SjisView)>& exists)
{
    SjisString name(kNewFolderSjis);
    if (!exists(name))
        return name;
    for (int n = 1; n <= 999; ++n) {
        name = SjisString(kNewFolderSjis) + std::to_string(n);
        if (!exists(name))
            return name;
    }
    return std::nullopt;
}

} // namespace corvane::doclist
