#include "model/Cabinet.h"

#include "base/Codec.h"
#include "base/FileRead.h"
#include "base/FileWrite.h"
#include "base/Sjis.h"
#include "model/DataFile.h"
#include "res/MessageCatalogue.h"
#include "res/MessageNumbers.h"

#include <libgcab.h>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace corvane {

namespace {

// Owners for the GLib objects used here, so every exit path releases them.
template <typename T> struct GObjectPtr
{
    T* p = nullptr;
    GObjectPtr() = default;
    explicit GObjectPtr(T* q) : p(q) {}
    GObjectPtr(const GObjectPtr&) = delete;
    GObjectPtr& operator=(const GObjectPtr&) = delete;
    ~GObjectPtr()
    {
        if (p != nullptr)
            g_object_unref(p);
    }
    T* get() const { return p; }
};

struct GErrorPtr
{
    GError* p = nullptr;
    ~GErrorPtr()
    {
        if (p != nullptr)
            g_error_free(p);
    }
};

constexpr std::uint16_t kFlagPrevCabinet = 0x0001;
constexpr std::uint16_t kFlagNextCabinet = 0x0002;
constexpr std::uint16_t kFlagReserve = 0x0004;
constexpr std::uint16_t kAttributeNameIsUtf8 = 0x80;
constexpr std::uint16_t kAttributeMask = 0x27;
constexpr std::size_t kMaxMemberNameBytes = 256;

std::uint16_t le16(std::string_view b, std::size_t at)
{
    return std::uint16_t(std::uint8_t(b[at]) | (std::uint8_t(b[at + 1]) << 8));
}
std::uint32_t le32(std::string_view b, std::size_t at)
{
    return std::uint32_t(le16(b, at)) | (std::uint32_t(le16(b, at + 2)) << 16);
}
void putLe32(std::string& b, std::size_t at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + std::size_t(i)] = char(v >> (8 * i));
}

/// The data block checksum of the cabinet format: an XOR of little-endian 32-bit words over the
/// compressed bytes, then over the two 16-bit sizes, a short tail folded in byte order.
std::uint32_t blockChecksum(const unsigned char* p, std::size_t n, std::uint32_t seed)
{
    std::uint32_t sum = seed;
    std::size_t words = n / 4;
    while (words-- > 0) {
        sum ^= std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
               (std::uint32_t(p[3]) << 24);
        p += 4;
    }
    std::uint32_t tail = 0;
    switch (n % 4) {
    case 3:
        tail |= std::uint32_t(*p++) << 16;
        [[fallthrough]];
    case 2:
        tail |= std::uint32_t(*p++) << 8;
        [[fallthrough]];
    case 1:
        tail |= std::uint32_t(*p++);
        [[fallthrough]];
    default:
        break;
    }
    return sum ^ tail;
}

struct ParsedFile
{
    std::uint32_t size, folderOffset;
    std::uint16_t folder, date, time, attributes;
    std::string_view rawName;
};

/// Walks the cabinet's own structures before the library sees it: rejects what the project file
/// never holds, checks every non-zero block checksum and fills in the ones stored as 0 ("no
/// checksum"), which the library would otherwise take for a mismatch. vetted receives every file
/// entry in cabinet order; the last one is the member the project file reader takes.
CabinetError vetCabinet(std::string& cab, std::vector<ParsedFile>& vetted)
{
    const std::string_view b(cab);
    if (b.size() < 36 || b.substr(0, 4) != "MSCF")
        return CabinetError::NotACabinet;
    const std::uint32_t filesOffset = le32(b, 16);
    const std::uint16_t folderCount = le16(b, 26);
    const std::uint16_t fileCount = le16(b, 28);
    const std::uint16_t flags = le16(b, 30);
    if (folderCount == 0 || fileCount == 0)
        return CabinetError::NotACabinet;
    if ((flags & (kFlagPrevCabinet | kFlagNextCabinet)) != 0)
        return CabinetError::Unsupported;
    std::size_t at = 36;
    std::size_t folderReserve = 0, dataReserve = 0;
    if ((flags & kFlagReserve) != 0) {
        if (b.size() < at + 4)
            return CabinetError::NotACabinet;
        const std::size_t headerReserve = le16(b, at);
        folderReserve = std::uint8_t(b[at + 2]);
        dataReserve = std::uint8_t(b[at + 3]);
        at += 4 + headerReserve;
    }

    // Folders and their data blocks.
    std::vector<std::uint64_t> folderBytes(folderCount, 0);
    for (std::uint16_t f = 0; f < folderCount; ++f) {
        if (b.size() < at + 8 + folderReserve)
            return CabinetError::NotACabinet;
        std::size_t block = le32(b, at);
        const std::uint16_t blockCount = le16(b, at + 4);
        const std::uint16_t compression = le16(b, at + 6) & 0x000F;
        at += 8 + folderReserve;
        if (compression != GCAB_COMPRESSION_NONE && compression != GCAB_COMPRESSION_MSZIP &&
            compression != GCAB_COMPRESSION_LZX)
            return CabinetError::Unsupported;
        for (std::uint16_t k = 0; k < blockCount; ++k) {
            if (block > b.size() || b.size() - block < 8 + dataReserve)
                return CabinetError::NotACabinet;
            const std::uint32_t stored = le32(b, block);
            const std::size_t compressedBytes = le16(b, block + 4);
            const std::size_t dataAt = block + 8 + dataReserve;
            if (b.size() - dataAt < compressedBytes)
                return CabinetError::NotACabinet;
            const auto* bytes = reinterpret_cast<const unsigned char*>(b.data());
            const std::uint32_t computed = blockChecksum(
                bytes + block + 4, 4, blockChecksum(bytes + dataAt, compressedBytes, 0));
            if (stored == 0)
                putLe32(cab, block, computed);
            else if (stored != computed)
                return CabinetError::BadChecksum;
            folderBytes[f] += le16(b, block + 6);
            block = dataAt + compressedBytes;
        }
    }

    // The library (like every other reader of the format) takes the file entries from right
    // after the folder table and ignores coffFiles. A cabinet whose coffFiles points elsewhere
    // would have one entry vetted here and another one expanded, so it is refused.
    if (filesOffset != at)
        return CabinetError::NotACabinet;

    // File entries: every name must be safe; the last entry is the member.
    vetted.clear();
    for (std::uint16_t i = 0; i < fileCount; ++i) {
        if (at > b.size() || b.size() - at < 16)
            return CabinetError::NotACabinet;
        ParsedFile file{le32(b, at),
                        le32(b, at + 4),
                        le16(b, at + 8),
                        le16(b, at + 10),
                        le16(b, at + 12),
                        le16(b, at + 14),
                        {}};
        const std::size_t nameAt = at + 16;
        const std::size_t nameEnd = b.find('\0', nameAt);
        if (nameEnd == std::string_view::npos || nameEnd - nameAt > kMaxMemberNameBytes)
            return CabinetError::NotACabinet;
        file.rawName = b.substr(nameAt, nameEnd - nameAt);
        if (file.folder >= folderCount)
            return CabinetError::Unsupported; // includes the "continued" markers 0xFFFD-0xFFFF
        if (!isSafeMemberName(file.rawName, (file.attributes & kAttributeNameIsUtf8) == 0))
            return CabinetError::UnsafeName;
        // Both the size and the end of the member inside its folder are bounded, so neither a
        // large write nor a long expansion up to a far offset can be asked for.
        if (file.size > kMaxDataFileBytes ||
            std::uint64_t(file.folderOffset) + file.size > kMaxDataFileBytes)
            return CabinetError::TooLarge;
        if (std::uint64_t(file.folderOffset) + file.size > folderBytes[file.folder])
            return CabinetError::Corrupt;
        vetted.push_back(file);
        at = nameEnd + 1;
    }
    return CabinetError::None;
}

std::string memberNameUtf8(std::string_view raw, bool sjisName)
{
    // Unassigned codes become U+FFFD, never a separator: a 0x5C trail byte stays inside its pair.
    return sjisName ? codec::toUtf8(raw).text : std::string(raw);
}

/// The library keeps a name's bytes as stored, Shift-JIS or UTF-8.
bool sameEntry(GCabFile* file, const ParsedFile& vetted)
{
    const char* name = gcab_file_get_name(file);
    return name != nullptr && std::string_view(name) == vetted.rawName &&
           gcab_file_get_size(file) == vetted.size &&
           gcab_file_get_attributes(file) == vetted.attributes;
}

/// The library's entry for the last vetted entry of folderIndex, or null when the library's view
/// of that folder differs from the vetted entries in count, name, size or attributes. The
/// library keeps an entry's offset in its folder to itself; it read the same bytes as the vetting
/// (coffFiles is checked), and the entry count and order pin every entry to its vetted twin.
GCabFile* libraryEntryFor(GCabFolder* folder, const std::vector<ParsedFile>& vetted,
                          std::uint16_t folderIndex)
{
    std::vector<const ParsedFile*> ours;
    for (const ParsedFile& file : vetted)
        if (file.folder == folderIndex)
            ours.push_back(&file);
    GSList* files = gcab_folder_get_files(folder);
    GCabFile* last = nullptr;
    std::size_t i = 0;
    bool same = true;
    for (GSList* node = files; node != nullptr && same; node = node->next, ++i) {
        auto* file = static_cast<GCabFile*>(node->data);
        same = i < ours.size() && sameEntry(file, *ours[i]);
        last = file;
    }
    g_slist_free(files);
    return same && i == ours.size() ? last : nullptr;
}

gboolean selectFile(GCabFile* file, gpointer chosen)
{
    return file == chosen;
}

bool readWholeFile(const std::string& path, std::string& out, std::size_t limit, struct stat& st)
{
    return files::readWholeFile(path, out, limit, &st) == files::ReadStatus::Ok;
}

} // namespace

bool isSafeMemberName(std::string_view name, bool sjisName)
{
    if (name.empty() || name == "." || name == "..")
        return false;
    bool hasSeparator = name.find('/') != std::string_view::npos;
    if (sjisName) {
        // "/" is never a trail byte, so any 0x2F is one, even after a lead byte; "\" counts only
        // as a character of its own. A malformed name could decode differently elsewhere.
        hasSeparator = hasSeparator || !sjis::isWellFormed(name) ||
                       sjis::findSingleByte(name, '\\') != std::string_view::npos;
    } else {
        hasSeparator = hasSeparator || name.find('\\') != std::string_view::npos;
    }
    if (hasSeparator)
        return false;
    const auto isAsciiLetter = [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    };
    if (name.size() >= 2 && isAsciiLetter(name[0]) && name[1] == ':')
        return false;
    return true;
}

void toDosDateTime(std::int64_t unixTime, std::uint16_t& dosDate, std::uint16_t& dosTime)
{
    const std::time_t t = std::time_t(unixTime);
    std::tm local{};
    localtime_r(&t, &local);
    // The DOS encoding starts in 1980; earlier times are clamped to its first day.
    if (local.tm_year < 80) {
        dosDate = (1 << 5) | 1;
        dosTime = 0;
        return;
    }
    dosDate =
        std::uint16_t(((local.tm_year - 80) << 9) | ((local.tm_mon + 1) << 5) | local.tm_mday);
    dosTime = std::uint16_t((local.tm_hour << 11) | (local.tm_min << 5) | (local.tm_sec / 2));
}

std::int64_t fromDosDateTime(std::uint16_t dosDate, std::uint16_t dosTime)
{
    std::tm local{};
    local.tm_year = 80 + (dosDate >> 9);
    local.tm_mon = ((dosDate >> 5) & 0x0F) - 1;
    local.tm_mday = dosDate & 0x1F;
    local.tm_hour = dosTime >> 11;
    local.tm_min = (dosTime >> 5) & 0x3F;
    local.tm_sec = (dosTime & 0x1F) * 2;
    local.tm_isdst = -1;
    return std::int64_t(std::mktime(&local));
}

bool packCabinetBytes(std::string_view data, const std::string& memberName, std::uint16_t dosDate,
                      std::uint16_t dosTime, std::uint16_t attributes, std::string& cabinet,
                      std::string* why)
{
    GErrorPtr error;
    GBytes* bytes = g_bytes_new(data.data(), data.size());
    GObjectPtr<GCabFile> file(gcab_file_new_with_bytes(memberName.c_str(), bytes));
    g_bytes_unref(bytes);
    GObjectPtr<GCabFolder> folder(gcab_folder_new(GCAB_COMPRESSION_MSZIP));
    GObjectPtr<GCabCabinet> cab(gcab_cabinet_new());
    GObjectPtr<GOutputStream> out(g_memory_output_stream_new_resizable());

    // The library takes a date and time and encodes them itself; handing it the broken-down local
    // time of the DOS value keeps the two in agreement.
    GDateTime* when =
        g_date_time_new_local(1980 + (dosDate >> 9), (dosDate >> 5) & 0x0F, dosDate & 0x1F,
                              dosTime >> 11, (dosTime >> 5) & 0x3F, (dosTime & 0x1F) * 2);
    if (when != nullptr) {
        gcab_file_set_date_time(file.get(), when);
        g_date_time_unref(when);
    }
    bool isAscii = true;
    for (unsigned char c : memberName)
        isAscii = isAscii && c < 0x80;
    // A non-ASCII name is stored as UTF-8 and flagged so, as the format provides.
    gcab_file_set_attributes(file.get(),
                             (attributes & kAttributeMask) | (isAscii ? 0 : kAttributeNameIsUtf8));

    const bool ok =
        gcab_folder_add_file(folder.get(), file.get(), FALSE, nullptr, &error.p) &&
        gcab_cabinet_add_folder(cab.get(), folder.get(), &error.p) &&
        gcab_cabinet_write_simple(cab.get(), out.get(), nullptr, nullptr, nullptr, &error.p) &&
        g_output_stream_close(out.get(), nullptr, &error.p);
    if (!ok) {
        if (why != nullptr)
            *why = error.p != nullptr ? error.p->message : "cabinet could not be written";
        return false;
    }
    auto* mem = G_MEMORY_OUTPUT_STREAM(out.get());
    cabinet.assign(static_cast<const char*>(g_memory_output_stream_get_data(mem)),
                   g_memory_output_stream_get_data_size(mem));
    return true;
}

CabinetError extractCabinetBytes(std::string_view cabinetIn, std::string& data,
                                 CabinetMember& member)
{
    if (cabinetIn.size() > kMaxCabinetBytes)
        return CabinetError::TooLarge;
    std::string cab(cabinetIn);
    std::vector<ParsedFile> vetted;
    if (const CabinetError e = vetCabinet(cab, vetted); e != CabinetError::None)
        return e;
    const ParsedFile& chosen = vetted.back();

    GObjectPtr<GInputStream> in(
        g_memory_input_stream_new_from_data(cab.data(), gssize(cab.size()), nullptr));
    GObjectPtr<GCabCabinet> cabinet(gcab_cabinet_new());
    GErrorPtr error;
    if (!gcab_cabinet_load(cabinet.get(), in.get(), nullptr, &error.p))
        return CabinetError::NotACabinet;

    GPtrArray* folders = gcab_cabinet_get_folders(cabinet.get());
    if (folders == nullptr || chosen.folder >= folders->len)
        return CabinetError::NotACabinet;
    auto* folder = static_cast<GCabFolder*>(g_ptr_array_index(folders, chosen.folder));
    GCabFile* target = libraryEntryFor(folder, vetted, chosen.folder);
    if (target == nullptr)
        return CabinetError::NotACabinet;

    // No extraction path: the library expands into memory and attaches the bytes to the file.
    if (!gcab_cabinet_extract_simple(cabinet.get(), nullptr, selectFile, target, nullptr, &error.p))
        return CabinetError::Corrupt;
    GBytes* expanded = gcab_file_get_bytes(target);
    gsize size = 0;
    const void* p = expanded != nullptr ? g_bytes_get_data(expanded, &size) : nullptr;
    if (size != chosen.size)
        return CabinetError::Corrupt;
    data.assign(static_cast<const char*>(p), size);

    const bool sjisName = (chosen.attributes & kAttributeNameIsUtf8) == 0;
    member.name = memberNameUtf8(chosen.rawName, sjisName);
    member.byteSize = chosen.size;
    member.dosDate = chosen.date;
    member.dosTime = chosen.time;
    member.attributes = chosen.attributes;
    return CabinetError::None;
}

bool Cabinet::pack(const std::string& dataFilePath, const std::string& memberName,
                   const std::string& cabinetPath)
{
    std::string data, cabinet;
    struct stat st
    {
    };
    if (!readWholeFile(dataFilePath, data, kMaxCabinetBytes, st)) {
        showMessage(sink_, msg::kNoWriteAccess, {}, style::information);
        return false;
    }
    if (!packData(data, memberName, st.st_mtime, (st.st_mode & S_IWUSR) == 0, cabinet))
        return false;
    const mode_t mode = files::permissionsOr(cabinetPath, files::ordinaryFileMode());
    if (files::writeFileSafely(cabinetPath, cabinet, mode) != files::WriteStatus::Ok) {
        showMessage(sink_, msg::kNoWriteAccess, {}, style::information);
        return false;
    }
    return true;
}

bool Cabinet::packData(std::string_view data, const std::string& memberName,
                       std::int64_t modifiedTime, bool readOnly, std::string& cabinet)
{
    std::uint16_t date = 0, time = 0;
    toDosDateTime(modifiedTime, date, time);
    // Linux has no archive bit; a file just written is one Windows would mark for archiving.
    const std::uint16_t attributes =
        GCAB_FILE_ATTRIBUTE_ARCH | (readOnly ? GCAB_FILE_ATTRIBUTE_RDONLY : 0);
    if (!packCabinetBytes(data, memberName, date, time, attributes, cabinet)) {
        showMessage(sink_, msg::kNoWriteAccess, {}, style::information);
        return false;
    }
    return true;
}

bool Cabinet::refuseUnpack()
{
    showMessage(sink_, msg::kExpandFailed, "[File Copy]\n", style::error);
    return false;
}

bool Cabinet::unpackData(const std::string& cabinetPath, std::string& data, CabinetMember& member)
{
    std::string cabinet;
    struct stat st
    {
    };
    if (!readWholeFile(cabinetPath, cabinet, kMaxCabinetBytes, st) ||
        extractCabinetBytes(cabinet, data, member) != CabinetError::None)
        return refuseUnpack();
    return true;
}

bool Cabinet::unpack(const std::string& cabinetPath, const std::string& destinationFolder,
                     std::string& memberName)
{
    std::string data;
    CabinetMember member;
    if (!unpackData(cabinetPath, data, member))
        return false;
    // The converted name is checked again: a Shift-JIS name could become one with a separator.
    if (!isSafeMemberName(member.name, false))
        return refuseUnpack();
    std::string target = destinationFolder;
    if (target.empty() || target.back() != '/')
        target += '/';
    target += member.name;
    // A symlink at the target is replaced, never followed.
    const bool readOnly = (member.attributes & GCAB_FILE_ATTRIBUTE_RDONLY) != 0;
    if (files::writeFileSafely(target, data, readOnly ? 0444 : files::ordinaryFileMode()) !=
        files::WriteStatus::Ok)
        return refuseUnpack();
    const std::int64_t when = fromDosDateTime(member.dosDate, member.dosTime);
    const struct timespec times[2] = {{time_t(when), 0}, {time_t(when), 0}};
    ::utimensat(AT_FDCWD, target.c_str(), times, AT_SYMLINK_NOFOLLOW);
    memberName = member.name;
    return true;
}

} // namespace corvane
