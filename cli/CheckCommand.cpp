// check: an integrity report of a project file, one line per problem found.
#include "Command.h"

#include "base/DocPath.h"
#include "model/Records.h"

#include <cmath>
#include <filesystem>
#include <iostream>
#include <map>
#include <memory>
#include <set>
#include <sys/stat.h>

namespace corvane::cli {

namespace {

class Report
{
public:
    void add(const std::string& where, const std::string& what)
    {
        std::cout << where << ": " << what << '\n';
        ++problems;
    }
    void range(const std::string& where, const char* field, long long value, long long lo,
               long long hi)
    {
        if (value < lo || value > hi)
            add(where, std::string(field) + " " + std::to_string(value) + " is outside " +
                           std::to_string(lo) + "-" + std::to_string(hi));
    }
    int problems = 0;
};

std::string objectName(int index, const ObjectRecord& o)
{
    return "objects[" + std::to_string(index) + "] (id " + std::to_string(o.id) + ")";
}

void checkSettings(const ProjectData& d, Report& r)
{
    const TextViewSettings& t = d.textView;
    const std::string tv = "textView";
    r.range(tv, "fontSize", t.fontSize, 1, 999);
    r.range(tv, "bold", t.bold, 0, 1);
    r.range(tv, "italic", t.italic, 0, 1);
    r.range(tv, "antiAliasing", t.antiAliasing, 0, 1);
    r.range(tv, "lineSpacing", t.lineSpacing, 0, 35);
    r.range(tv, "wordWrap", t.wordWrap, 0, 1);
    r.range(tv, "lineNumbersShown", t.lineNumbersShown, 0, 1);
    r.range(tv, "lineNumberAlignment", t.lineNumberAlignment, 0, 2);
    r.range(tv, "lineNumberPadding", t.lineNumberPadding, 0, 35);
    r.range(tv, "borderStyle", t.borderStyle, 0, 5);
    r.range(tv, "caretWidth", t.caretWidth, 1, 5);
    r.range(tv, "caretBlink", t.caretBlink, 1, 9);
    r.range(tv, "bookmarkSampleLength", t.bookmarkSampleLength, 40, 200);
    r.range(tv, "bookmarkImageSize", t.bookmarkImageSize, 16, 32);
    r.range(tv, "linkLineShown", t.linkLineShown, 0, 1);
    r.range(tv, "linkCountShown", t.linkCountShown, 0, 1);
    r.range(tv, "whiteSpaceShown", t.whiteSpaceShown, 0, 1);
    r.range(tv, "lineBreaksShown", t.lineBreaksShown, 0, 1);
    for (int i = 0; i < kBookmarkCount; ++i) {
        const std::string where = tv + ".bookmarks[" + std::to_string(i) + "]";
        if (t.bookmarkPosition[i] < -1)
            r.add(where, "position " + std::to_string(t.bookmarkPosition[i]) + " is negative");
        if (t.bookmarkPosition[i] >= 0 && !docpath::isSafeRelative(t.bookmarkPath[i]))
            r.add(where, "path is refused by the path check");
    }

    const ChartViewSettings& c = d.chartView;
    const std::string cv = "chartView";
    if (!std::isfinite(c.zoom) || c.zoom <= 0.0f)
        r.add(cv, "zoom is not a positive number");
    r.range(cv, "consoleAlwaysShown", c.consoleAlwaysShown, 0, 1);
    r.range(cv, "rotationRadius", c.rotationRadius, 40, 140);
    r.range(cv, "width", c.width, 500, 5000);
    r.range(cv, "height", c.height, 500, 5000);
    r.range(cv, "rotationCircleShown", c.rotationCircleShown, 0, 1);
    r.range(cv, "mainSubjectShown", c.mainSubjectShown, 0, 1);
    r.range(cv, "subjectNodesRound", c.subjectNodesRound, 0, 1);
    r.range(cv, "markerNodesRound", c.markerNodesRound, 0, 1);
}

void checkObjects(const ProjectData& d, const std::string& docFolder, Report& r)
{
    std::map<std::int32_t, int> firstIndexOfId;
    for (int i = 0; i < d.objectCount; ++i) {
        const ObjectRecord& o = d.objects[i];
        const std::string where = objectName(i, o);
        if (o.id == 0)
            r.add(where, "id is 0");
        else if (auto [it, inserted] = firstIndexOfId.emplace(o.id, i); !inserted)
            r.add(where, "duplicate id (also objects[" + std::to_string(it->second) + "])");
        if (o.type != ObjectType::SubSubject && o.type != ObjectType::Marker)
            r.add(where, "unknown type " + std::to_string(o.type));
        r.range(where, "selected", o.nodeSelected, 0, 1);
        r.range(where, "bold", o.bold, 0, 1);
        r.range(where, "italic", o.italic, 0, 1);
        r.range(where, "wordWrap", o.wordWrap, 0, 1);
        r.range(where, "alignV", o.alignV, 0, 2);
        r.range(where, "alignH", o.alignH, 0, 2);
        r.range(where, "lineThickness", o.lineThickness, 0, 20);
        r.range(where, "lineStyle", o.lineStyle, 0, 5);
        if (o.type != ObjectType::Marker)
            continue;
        if (o.position < 0 || o.length < 0)
            r.add(where, "negative position or length");
        const std::optional<std::string> disk = docpath::toDiskPath(docFolder, o.document);
        struct stat st
        {
        };
        if (!disk) {
            r.add(where, "document is refused by the path check");
        } else if (::stat(disk->c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
            r.add(where, "document is missing: " + *disk);
        } else if (std::int64_t(o.position) + o.length > st.st_size) {
            r.add(where, "span " + std::to_string(o.position) + "+" + std::to_string(o.length) +
                             " runs past the document's " + std::to_string(st.st_size) + " bytes");
        }
    }
}

void checkLinks(const ProjectData& d, Report& r)
{
    std::map<std::int32_t, std::int16_t> typeOfId;
    for (int i = d.objectCount - 1; i >= 0; --i)
        typeOfId[d.objects[i].id] = d.objects[i].type; // the first record with an id wins
    std::set<std::pair<std::int32_t, std::int32_t>> seen;
    for (int i = 0; i < d.linkCount; ++i) {
        const LinkRecord& l = d.links[i];
        const std::string where = "links[" + std::to_string(i) + "] (" + std::to_string(l.from) +
                                  " -> " + std::to_string(l.to) + ")";
        const auto from = typeOfId.find(l.from);
        const auto to = typeOfId.find(l.to);
        if (from == typeOfId.end() || to == typeOfId.end())
            r.add(where, "an end is missing");
        else if (from->second == ObjectType::SubSubject && to->second == ObjectType::SubSubject)
            r.add(where, "links two sub-subjects");
        if (!seen.emplace(l.from, l.to).second)
            r.add(where, "duplicate link");
    }
}

int runCheck(Context& context, const Args& args)
{
    auto data = std::make_unique<ProjectData>();
    // Counts over 5000 and every damage to the file are reported by the loader's own message.
    if (!loadProject(context, args[0], *data))
        return kExitFailure;
    const std::string docFolder =
        std::filesystem::path(absolutePath(args[0])).parent_path().string() + "/doc/";
    Report report;
    checkSettings(*data, report);
    checkObjects(*data, docFolder, report);
    checkLinks(*data, report);
    if (report.problems == 0) {
        std::cout << "OK\n";
        return kExitOk;
    }
    std::cout << report.problems << " problem(s)\n";
    return kExitFailure;
}

} // namespace

const std::vector<Command>& checkCommands()
{
    static const std::vector<Command> commands{
        {"check", 1, "PROJECT", "integrity report; exit status 1 when anything is wrong", runCheck},
    };
    return commands;
}

} // namespace corvane::cli
