#include "base/DocPath.h"

#include "base/Codec.h"
#include "base/Sjis.h"

#include <vector>

namespace corvane::docpath {

namespace {

bool isDotComponent(std::string_view component)
{
    return component == "." || component == "..";
}

bool startsWithDriveLetter(SjisView path)
{
    if (path.size() < 2 || path[1] != ':')
        return false;
    const char c = path[0];
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

/// Splits at every single-byte "\" character (never at a 0x5C trail byte).
std::vector<SjisView> splitSjis(SjisView path)
{
    std::vector<SjisView> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t sep = sjis::findSingleByte(path, '\\', start);
        if (sep == SjisView::npos) {
            parts.push_back(path.substr(start));
            return parts;
        }
        parts.push_back(path.substr(start, sep - start));
        start = sep + 1;
    }
}

/// The UTF-8 form of one component of a relative path, or nullopt when the component is unsafe.
std::optional<std::string> componentToUtf8(SjisView component)
{
    if (component.empty() || isDotComponent(component))
        return std::nullopt;
    auto decoded = codec::toUtf8(component);
    if (!decoded.valid)
        return std::nullopt;
    // A "/" inside a Windows name would be a separator here; CP932 decodes no other byte to it.
    if (decoded.text.find('/') != std::string::npos)
        return std::nullopt;
    return std::move(decoded.text);
}

} // namespace

std::optional<std::string> toUtf8Relative(SjisView relativeSjis)
{
    if (relativeSjis.empty() || relativeSjis.find('\0') != SjisView::npos ||
        !sjis::isWellFormed(relativeSjis) || startsWithDriveLetter(relativeSjis))
        return std::nullopt;
    // An absolute path ("\x" or "/x") shows up as an empty first component.
    std::string out;
    out.reserve(relativeSjis.size() + relativeSjis.size() / 2);
    for (const SjisView component : splitSjis(relativeSjis)) {
        auto utf8 = componentToUtf8(component);
        if (!utf8)
            return std::nullopt;
        if (!out.empty())
            out.push_back('/');
        out += *utf8;
    }
    return out;
}

bool isSafeRelative(SjisView relativeSjis)
{
    return toUtf8Relative(relativeSjis).has_value();
}

std::optional<std::string> toDiskPath(std::string_view docFolder, SjisView relativeSjis)
{
    if (docFolder.empty())
        return std::nullopt;
    auto relative = toUtf8Relative(relativeSjis);
    if (!relative)
        return std::nullopt;
    std::string out(docFolder);
    if (out.back() != '/')
        out.push_back('/');
    return out + *relative;
}

std::optional<SjisString> toRelative(std::string_view docFolder, std::string_view fullDiskPath)
{
    if (docFolder.empty())
        return std::nullopt;
    if (!fullDiskPath.empty() && fullDiskPath.back() == '*')
        fullDiskPath.remove_suffix(1);

    std::string prefix(docFolder);
    if (prefix.back() != '/')
        prefix.push_back('/');
    if (fullDiskPath.size() <= prefix.size() || fullDiskPath.substr(0, prefix.size()) != prefix)
        return std::nullopt;

    std::string_view rest = fullDiskPath.substr(prefix.size());
    SjisString out;
    for (;;) {
        const std::size_t sep = rest.find('/');
        const std::string_view component = rest.substr(0, sep);
        if (component.empty() || isDotComponent(component) ||
            component.find('\0') != std::string_view::npos)
            return std::nullopt;
        const codec::Encoded encoded = codec::fromUtf8(component);
        if (!encoded.complete() || sjis::findSingleByte(encoded.text, '\\') != SjisView::npos)
            return std::nullopt;
        if (!out.empty())
            out.push_back('\\');
        out += encoded.text;
        if (sep == std::string_view::npos)
            break;
        rest.remove_prefix(sep + 1);
    }
    // What we produce must also be what we accept the other way.
    if (!isSafeRelative(out))
        return std::nullopt;
    return out;
}

} // namespace corvane::docpath
