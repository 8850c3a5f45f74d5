#include "print/XlsxWriter.h"

#include "base/Codec.h"
#include "subjects/SubjectGroups.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace corvane::output {

std::vector<std::pair<SjisString, SjisString>> subjectExportRows(const ProjectData& project)
{
    std::vector<std::pair<SjisString, SjisString>> rows;
    for (const SubjectGroup& group : buildSubjectGroups(project)) {
        for (const SubjectRow& row : group.rows)
            rows.emplace_back(group.mainTitle, row.title);
    }
    return rows;
}

double columnWidth(const std::vector<SjisView>& texts)
{
    // In Shift-JIS a wide character takes two bytes and a narrow one (half-width katakana too)
    // one, so the byte count is the display width in narrow cells.
    std::size_t widest = 0;
    for (SjisView t : texts)
        widest = std::max(widest, t.size());
    return widest == 0 ? 0.0 : std::min<double>(255.0, double(widest) + 1.0);
}

namespace {

/// Removes the temporary unless it was renamed.
struct Temporary
{
    std::string path;
    bool kept = false;
    ~Temporary()
    {
        if (!path.empty() && !kept)
            std::remove(path.c_str());
    }
};

bool flushToDisk(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

} // namespace

OutputStatus writeSubjectXlsx(const std::string& path,
                              const std::vector<std::pair<SjisString, SjisString>>& rows)
{
    const std::filesystem::path target(path);
    // libxlsxwriter truncates its output file before it writes, and a failed write leaves it
    // broken: it writes a temporary beside the target instead.
    std::string pattern =
        (target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0)
        return OutputStatus::WriteFailed;
    ::close(fd);
    Temporary temporary{pattern};

    lxw_workbook_options options{};
    options.constant_memory = LXW_FALSE;
    options.use_zip64 = LXW_FALSE;
    const std::string folder = target.parent_path().string();
    options.tmpdir = const_cast<char*>(folder.c_str());
    lxw_workbook* workbook = workbook_new_opt(temporary.path.c_str(), &options);
    if (!workbook)
        return OutputStatus::BuildFailed;
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, nullptr);
    bool ok = sheet != nullptr;
    std::vector<SjisView> mainTitles, titles;
    for (std::size_t r = 0; ok && r < rows.size(); ++r) {
        // Strings, never formulas or numbers: "=SUM(A1:A2)", "001" and "1/2" stay as typed.
        const auto row = static_cast<lxw_row_t>(r);
        ok = worksheet_write_string(sheet, row, 0, codec::toUtf8(rows[r].first).text.c_str(),
                                    nullptr) == LXW_NO_ERROR &&
             worksheet_write_string(sheet, row, 1, codec::toUtf8(rows[r].second).text.c_str(),
                                    nullptr) == LXW_NO_ERROR;
        mainTitles.push_back(rows[r].first);
        titles.push_back(rows[r].second);
    }
    for (lxw_col_t c = 0; ok && c < 2; ++c) {
        const double width = columnWidth(c == 0 ? mainTitles : titles);
        if (width > 0)
            ok = worksheet_set_column(sheet, c, c, width, nullptr) == LXW_NO_ERROR;
    }
    // workbook_close writes the file and frees the workbook whatever happens.
    const lxw_error closed = workbook_close(workbook);
    if (!ok)
        return OutputStatus::BuildFailed;
    // mkstemp made the temporary private; the file gets the mode an ordinary new file has (or
    // the replaced file's).
    if (closed != LXW_NO_ERROR ||
        ::chmod(temporary.path.c_str(), files::permissionsOr(path, files::ordinaryFileMode())) !=
            0 ||
        !flushToDisk(temporary.path))
        return OutputStatus::WriteFailed;
    if (std::rename(temporary.path.c_str(), path.c_str()) != 0)
        return OutputStatus::WriteFailed;
    temporary.kept = true;
    return OutputStatus::Ok;
}

} // namespace corvane::output
