// Packing of a data file into a cabinet (one MS-ZIP folder, one member) and unpacking of the
// member back, with the checks that keep a hostile cabinet from writing anywhere or costing much.
#pragma once

#include "base/MessageSink.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace corvane {

/// The one member a project cabinet holds, as its file entry describes it.
struct CabinetMember
{
    std::string name;           ///< UTF-8 (Shift-JIS names converted)
    std::uint32_t byteSize = 0; ///< uncompressed size
    std::uint16_t dosDate = 0;  ///< local date in DOS encoding
    std::uint16_t dosTime = 0;  ///< local time in DOS encoding
    std::uint16_t attributes = 0;
};

/// Why reading a cabinet failed; every reason is shown to the user as the same message.
enum class CabinetError
{
    None,
    NotACabinet, ///< no "MSCF" header, or structures that run past the end
    UnsafeName,  ///< a member name with a separator, "..", an absolute path or a drive letter
    TooLarge,    ///< a member larger than the largest valid data file, or an oversized cabinet
    BadChecksum, ///< a data block whose non-zero checksum is wrong
    Unsupported, ///< spanning cabinets, unknown compression
    Corrupt,     ///< the compressed data does not expand to the member
};

/// The largest cabinet file that is read at all (a stored, uncompressed folder of the largest data
/// file with generous room for block headers).
inline constexpr std::size_t kMaxCabinetBytes = 8u * 1024 * 1024;

/// Packs data as the single member memberName (UTF-8) of a cabinet with one MS-ZIP folder.
/// Returns false (with a short English reason in *why) when the library fails.
bool packCabinetBytes(std::string_view data, const std::string& memberName, std::uint16_t dosDate,
                      std::uint16_t dosTime, std::uint16_t attributes, std::string& cabinet,
                      std::string* why = nullptr);

/// Expands the last member of the cabinet into data. Refuses unsafe member names, members larger
/// than kMaxDataFileBytes (before expanding anything) and data blocks with a wrong non-zero
/// checksum; a checksum of 0 means "no checksum" as the cabinet format defines.
CabinetError extractCabinetBytes(std::string_view cabinet, std::string& data,
                                 CabinetMember& member);

/// True when name can be used as a file name inside a folder: not empty, no "/" or "\" (a "\"
/// that is the second byte of a Shift-JIS character is not a separator when sjisName is set; a
/// Shift-JIS name must also be well-formed), not "." or "..", no drive letter.
bool isSafeMemberName(std::string_view name, bool sjisName);

/// Local time_t <-> DOS date and time (two-second resolution).
void toDosDateTime(std::int64_t unixTime, std::uint16_t& dosDate, std::uint16_t& dosTime);
std::int64_t fromDosDateTime(std::uint16_t dosDate, std::uint16_t dosTime);

/// File-level packing and unpacking with the user-facing messages: packing failures show 30035
/// (information icon); unpacking failures show 30036 with "[File Copy]\n" (error icon).
class Cabinet
{
public:
    explicit Cabinet(MessageSink& sink) : sink_(sink) {}

    /// Packs the file at dataFilePath as memberName into a new cabinet at cabinetPath (replacing
    /// it safely, keeping its permissions), flushed to disk before returning. Member date and time
    /// are the data file's modification time as local DOS time; attributes read-only/archive
    /// masked with 0x27.
    bool pack(const std::string& dataFilePath, const std::string& memberName,
              const std::string& cabinetPath);

    /// Packs data as memberName into the bytes of a cabinet, the member dated modifiedTime (a
    /// time_t) with the archive attribute, read-only too when readOnly is set.
    bool packData(std::string_view data, const std::string& memberName, std::int64_t modifiedTime,
                  bool readOnly, std::string& cabinet);

    /// Expands the member into destinationFolder + "/" + its name (replacing a file there safely,
    /// never following a symlink); memberName receives the name.
    bool unpack(const std::string& cabinetPath, const std::string& destinationFolder,
                std::string& memberName);

    /// Expands the member into data, in memory; member receives its file entry.
    bool unpackData(const std::string& cabinetPath, std::string& data, CabinetMember& member);

private:
    bool refuseUnpack();
    MessageSink& sink_;
};

} // namespace corvane
