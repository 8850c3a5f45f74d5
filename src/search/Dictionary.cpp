#include "search/Dictionary.h"

#include "base/Codec.h"
#include "base/FileRead.h"
#include "base/FileWrite.h"
#include "base/Sjis.h"

namespace corvane::search {

namespace {

bool isValidUtf8(SjisView s)
{
    std::size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        std::size_t n = c < 0x80         ? 1
                        : (c >> 5) == 6  ? 2
                        : (c >> 4) == 14 ? 3
                        : (c >> 3) == 30 ? 4
                                         : 0;
        if (n == 0 || i + n > s.size())
            return false;
        for (std::size_t k = 1; k < n; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80)
                return false;
        i += n;
    }
    return true;
}

} // namespace

std::vector<ReplacePair> parseDictionary(SjisView input)
{
    SjisString converted;
    if (!codec::toUtf8(input).valid && isValidUtf8(input)) {
        converted = codec::fromUtf8(input).text;
        input = converted;
    }
    std::vector<ReplacePair> pairs;
    std::size_t start = 0;
    for (int line = 0; line < kMaxDictionaryPairs && start < input.size(); ++line) {
        std::size_t end = input.find('\n', start);
        if (end == SjisView::npos)
            end = input.size();
        SjisView text = input.substr(start, end - start);
        if (!text.empty() && text.back() == '\r')
            text.remove_suffix(1);
        start = end + 1;
        const std::size_t tab = text.find('\t'); // a tab is never a trail byte
        if (tab == SjisView::npos)
            continue;
        pairs.push_back({SjisString(text.substr(0, tab)), SjisString(text.substr(tab + 1))});
    }
    return pairs;
}

SjisString formatDictionary(const std::vector<ReplacePair>& pairs)
{
    SjisString out;
    for (const auto& p : pairs)
        out += p.before + "\t" + p.after + "\r\n";
    return out;
}

std::optional<std::vector<ReplacePair>> readDictionary(const std::string& path)
{
    std::string bytes;
    if (files::readWholeFile(path, bytes, 64u << 20) != files::ReadStatus::Ok)
        return std::nullopt;
    return parseDictionary(bytes);
}

bool writeDictionary(const std::string& path, const std::vector<ReplacePair>& pairs)
{
    return files::writeFileSafely(path, formatDictionary(pairs),
                                  files::permissionsOr(path, files::ordinaryFileMode())) ==
           files::WriteStatus::Ok;
}

std::vector<ReplacePair> reversed(std::vector<ReplacePair> pairs)
{
    for (auto& p : pairs)
        std::swap(p.before, p.after);
    return pairs;
}

std::size_t insertPosition(const std::vector<ReplacePair>& pairs, SjisView before)
{
    for (std::size_t i = 0; i < pairs.size(); ++i)
        if (!pairs[i].before.empty() && before.find(pairs[i].before) != SjisView::npos)
            return i;
    return pairs.size();
}

} // namespace corvane::search
