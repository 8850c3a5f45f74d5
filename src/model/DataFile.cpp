#include "model/DataFile.h"

#include "base/Sjis.h"
#include "res/MessageCatalogue.h"
#include "res/MessageNumbers.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace corvane {

namespace {

void appendBigEndian32(std::string& out, std::uint32_t value)
{
    const char bytes[4] = {char(value >> 24), char(value >> 16), char(value >> 8), char(value)};
    out.append(bytes, 4);
}

std::uint32_t readBigEndian32(std::string_view bytes, std::size_t at)
{
    const auto b = [&](std::size_t i) {
        return std::uint32_t(static_cast<unsigned char>(bytes[at + i]));
    };
    return (b(0) << 24) | (b(1) << 16) | (b(2) << 8) | b(3);
}

template <typename T> void appendRaw(std::string& out, const T* records, std::size_t count)
{
    out.append(reinterpret_cast<const char*>(records), sizeof(T) * count);
}

template <typename T>
void readRaw(std::string_view bytes, std::size_t at, T* records, std::size_t count)
{
    std::memcpy(static_cast<void*>(records), bytes.data() + at, sizeof(T) * count);
}

/// Cuts a field that has no terminating zero at the last character boundary that leaves room for
/// one; bytes after an existing zero are left as they are.
bool terminateField(char* field, std::size_t fieldBytes)
{
    if (std::memchr(field, 0, fieldBytes) != nullptr)
        return false;
    const std::size_t keep = sjis::cutLength(SjisView(field, fieldBytes), fieldBytes - 1);
    std::memset(field + keep, 0, fieldBytes - keep);
    return true;
}

// "%d > %d\n" + "オブジェクトの" / "リンクの" in Shift-JIS.
constexpr const char* kObjectsTooMany = "\x83\x49\x83\x75\x83\x57\x83\x46\x83\x4e\x83\x67\x82\xcc";
constexpr const char* kLinksTooMany = "\x83\x8a\x83\x93\x83\x4e\x82\xcc";

void showCountExceeded(MessageSink& sink, std::uint32_t count, int limit, const char* what)
{
    char head[32];
    // The count is unsigned on disk; show it as such rather than as a negative number.
    std::snprintf(head, sizeof head, "%u > %d\n", count, limit);
    showMessage(sink, msg::kTooManyEntries, std::string(head) + what, style::error);
}

bool refuseShort(MessageSink& sink)
{
    showMessage(sink, msg::kReadFailed, {}, style::error);
    return false;
}

} // namespace

bool terminateTextFields(ObjectRecord& r)
{
    bool cut = terminateField(r.document, sizeof r.document);
    cut |= terminateField(r.firstText, sizeof r.firstText);
    cut |= terminateField(r.secondText, sizeof r.secondText);
    cut |= terminateField(r.fontName, sizeof r.fontName);
    return cut;
}

bool terminateTextFields(TextViewSettings& s)
{
    bool cut = terminateField(s.fontName, sizeof s.fontName);
    for (int i = 0; i < kBookmarkCount; ++i) {
        cut |= terminateField(s.bookmarkPath[i], sizeof s.bookmarkPath[i]);
        cut |= terminateField(s.bookmarkSample[i], sizeof s.bookmarkSample[i]);
    }
    return cut;
}

std::string encodeDataFile(const ProjectData& data)
{
    std::string out;
    out.reserve(dataFileBytes(std::size_t(data.objectCount), std::size_t(data.linkCount)));
    out.append(kDataFileMagic);
    appendRaw(out, &data.textView, 1);
    appendRaw(out, &data.chartView, 1);
    appendBigEndian32(out, std::uint32_t(data.objectCount));
    appendRaw(out, data.objects.get(), std::size_t(data.objectCount));
    appendBigEndian32(out, std::uint32_t(data.linkCount));
    appendRaw(out, data.links.get(), std::size_t(data.linkCount));
    return out;
}

bool decodeDataFile(std::string_view bytes, ProjectData& staging, MessageSink& sink)
{
    // The magic is judged on what is there, so that a short foreign file is called foreign.
    const std::size_t magicSeen = std::min(bytes.size(), std::size_t(6));
    if (bytes.substr(0, std::min(magicSeen, std::size_t(3))) !=
        kDataFileMagic.substr(0, std::min(magicSeen, std::size_t(3)))) {
        showMessage(sink, msg::kFormatDiffers, {}, style::error);
        return false;
    }
    if (bytes.substr(0, magicSeen) != kDataFileMagic.substr(0, magicSeen)) {
        showMessage(sink, msg::kVersionDiffers, {}, style::error);
        return false;
    }
    if (bytes.size() < kObjectsOffset)
        return refuseShort(sink);

    readRaw(bytes, kDataFileMagicBytes, &staging.textView, 1);
    readRaw(bytes, kDataFileMagicBytes + sizeof(TextViewSettings), &staging.chartView, 1);
    terminateTextFields(staging.textView);

    const std::uint32_t objectCount = readBigEndian32(bytes, kObjectCountOffset);
    if (objectCount > std::uint32_t(kMaxObjects)) {
        staging.objectCount = 0;
        showCountExceeded(sink, objectCount, kMaxObjects, kObjectsTooMany);
        return false;
    }
    const std::size_t linkCountOffset = kObjectsOffset + sizeof(ObjectRecord) * objectCount;
    if (bytes.size() < linkCountOffset + 4)
        return refuseShort(sink);
    readRaw(bytes, kObjectsOffset, staging.objects.get(), objectCount);
    staging.objectCount = int(objectCount);
    for (std::uint32_t i = 0; i < objectCount; ++i)
        terminateTextFields(staging.objects[i]);

    const std::uint32_t linkCount = readBigEndian32(bytes, linkCountOffset);
    if (linkCount > std::uint32_t(kMaxLinks)) {
        staging.linkCount = 0;
        showCountExceeded(sink, linkCount, kMaxLinks, kLinksTooMany);
        return false;
    }
    if (bytes.size() < dataFileBytes(objectCount, linkCount))
        return refuseShort(sink);
    readRaw(bytes, linkCountOffset + 4, staging.links.get(), linkCount);
    staging.linkCount = int(linkCount);
    return true;
}

} // namespace corvane
