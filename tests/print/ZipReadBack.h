// Reading a member of a zip archive held in memory, for the .docx and .xlsx round trips.
#pragma once

#include <zip.h>

#include <optional>
#include <string>
#include <string_view>

namespace corvane::test {

inline std::optional<std::string> zipMember(std::string_view archiveBytes, const char* name)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source =
        zip_source_buffer_create(archiveBytes.data(), archiveBytes.size(), 0, &error);
    if (!source)
        return std::nullopt;
    zip_t* archive = zip_open_from_source(source, ZIP_RDONLY, &error);
    if (!archive) {
        zip_source_free(source);
        return std::nullopt;
    }
    std::optional<std::string> out;
    zip_stat_t info;
    if (zip_stat(archive, name, 0, &info) == 0) {
        if (zip_file_t* file = zip_fopen(archive, name, 0)) {
            std::string bytes(static_cast<std::size_t>(info.size), '\0');
            if (zip_fread(file, bytes.data(), info.size) == zip_int64_t(info.size))
                out = std::move(bytes);
            zip_fclose(file);
        }
    }
    zip_close(archive);
    return out;
}

} // namespace corvane::test
