#include "subjects/SubjectStateFile.h"

#include "base/FileWrite.h"

#include <fstream>

namespace corvane {

namespace {

/// A state file holds two short lines per group; anything far larger is not one of ours.
constexpr std::size_t kMaxStateFileBytes = 8u * 1024 * 1024;

/// The next line of text from pos, without its LF or CR LF; false at the end.
bool nextLine(std::string_view text, std::size_t& pos, std::string_view& line)
{
    if (pos >= text.size())
        return false;
    std::size_t end = text.find('\n', pos);
    const std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
    if (end == std::string_view::npos)
        end = text.size();
    line = text.substr(pos, end - pos);
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    pos = next;
    return true;
}

} // namespace

std::string formatSubjectState(const std::vector<SubjectGroup>& groups)
{
    std::string out;
    for (const SubjectGroup& g : groups) {
        out += g.mainTitle;
        out += "\r\n";
        out += g.expanded ? "1\r\n" : "0\r\n";
    }
    return out;
}

int applySubjectState(std::vector<SubjectGroup>& groups, std::string_view contents)
{
    std::size_t pos = 0;
    int matched = 0;
    for (SubjectGroup& g : groups) {
        std::string_view title, state;
        if (!nextLine(contents, pos, title) || title != g.mainTitle)
            break;
        if (!nextLine(contents, pos, state))
            break;
        if (state == "0")
            g.expanded = false;
        else if (state != "1")
            break;
        ++matched;
    }
    return matched;
}

std::string subjectStatePath(const ProjectData& project)
{
    if (!project.isOpen())
        return {};
    return project.folder + project.name + ".soc";
}

void restoreSubjectState(std::vector<SubjectGroup>& groups, const std::string& path)
{
    if (path.empty())
        return;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return;
    std::string contents;
    contents.reserve(4096);
    char buffer[4096];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        contents.append(buffer, static_cast<std::size_t>(in.gcount()));
        if (contents.size() > kMaxStateFileBytes)
            return;
    }
    applySubjectState(groups, contents);
}

bool writeSubjectState(const std::vector<SubjectGroup>& groups, const std::string& path)
{
    if (path.empty())
        return false;
    const mode_t mode = files::permissionsOr(path, files::ordinaryFileMode());
    return files::writeFileSafely(path, formatSubjectState(groups), mode) == files::WriteStatus::Ok;
}

} // namespace corvane
