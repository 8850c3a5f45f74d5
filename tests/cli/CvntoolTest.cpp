#include "ProjectFileSupport.h"
#include "model/CProjectIO.h"
#include "model/Cabinet.h"
#include "support/FakeServices.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <limits>

namespace corvane::test {
namespace {

namespace fs = std::filesystem;

struct ToolRun
{
    int status;
    std::string out, err;
};

class CvntoolTest : public TempFolderTest
{
protected:
    ToolRun cvntool(const std::string& arguments)
    {
        const std::string out = root + "/stdout", err = root + "/stderr";
        const int raw = std::system(
            (std::string(CVNTOOL_PATH) + " " + arguments + " >'" + out + "' 2>'" + err + "'")
                .c_str());
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, readFileBytes(out), readFileBytes(err)};
    }

    std::string quoted(const std::string& path) { return "'" + path + "'"; }

    void save(ProjectData& p, const std::string& path)
    {
        FakeServices fake;
        ASSERT_TRUE(CProjectIO(fake.services).saveProject(path, p));
    }

    /// The data file inside a project file.
    std::string dataFileOf(const std::string& path)
    {
        std::string data;
        CabinetMember member;
        EXPECT_EQ(extractCabinetBytes(readFileBytes(path), data, member), CabinetError::None);
        return data;
    }
};

TEST_F(CvntoolTest, NewProjectThenInfo)
{
    const ToolRun made = cvntool("new " + quoted(root) + " Case1");
    ASSERT_EQ(made.status, 0) << made.err;
    EXPECT_TRUE(fs::is_directory(root + "/Case1/doc"));
    EXPECT_EQ(dataFileOf(root + "/Case1/Case1.CVN"), encodeDataFile(ProjectData()));

    const ToolRun again = cvntool("new " + quoted(root) + " Case1");
    EXPECT_EQ(again.status, 1) << "an existing project file is not overwritten";
    EXPECT_NE(again.err.find("\xe3\x83\x97\xe3\x83\xad"), std::string::npos) << again.err;

    auto p = std::make_unique<ProjectData>();
    addObject(*p, 1, ObjectType::SubSubject);
    addObject(*p, 2, ObjectType::Marker);
    addObject(*p, 3, ObjectType::Marker);
    addLink(*p, 2, 1);
    save(*p, root + "/Case1/Case1.CVN");
    const ToolRun info = cvntool("info " + quoted(root + "/Case1/Case1.CVN"));
    ASSERT_EQ(info.status, 0) << info.err;
    EXPECT_EQ(info.out, "name: Case1\nobjects: 3\nsubSubjects: 1\nmarkers: 2\nlinks: 1\n");
}

/// A project with a value of every awkward kind: cut and doubled Shift-JIS, escapes, extreme
/// integers, a float that decimal text does not hold exactly, reserved bytes.
std::unique_ptr<ProjectData> unusualProject()
{
    auto p = std::make_unique<ProjectData>();
    ObjectRecord& m = addObject(*p, 5, ObjectType::Marker, "\x8c\x9f\x8d\xf5\\a", "\x82\xa0");
    m.position = 100;
    m.length = -1;
    m.markerColour = 0xFFFFFFFF;
    std::strcpy(m.firstText, "\x87\x90\x81\xe0\xed\x40\xfa\x5c"
                             "\x82"); // duplicates, cut char
    m.nodeRect[2] = std::numeric_limits<std::int32_t>::min();
    m.marginBottom = -3;
    ObjectRecord& s = addObject(*p, 6, ObjectType::SubSubject, "", "\"quoted\"\n\t");
    std::strcpy(s.fontName, "\x82\x6c\x82\x72 Gothic");
    addLink(*p, 5, 6);
    p->textView.bookmarkPosition[2] = 77;
    std::strcpy(p->textView.bookmarkSample[2], "\xb1\xb2");
    p->textView.reserved = 123456;
    p->chartView.zoom = 0.1f;
    p->chartView.reservedTail[3] = 0xAB;
    p->chartView.reserved = -1;
    return p;
}

TEST_F(CvntoolTest, DumpThenBuildGivesTheSameDataFile)
{
    const std::unique_ptr<ProjectData> p = unusualProject();
    const std::string original = root + "/orig.CVN";
    save(*p, original);

    const ToolRun dump = cvntool("dump " + quoted(original));
    ASSERT_EQ(dump.status, 0) << dump.err;
    EXPECT_EQ(
        dump.out.rfind("{\n  \"format\": \"CVN001\",\n  \"textView\": {\n    \"fontName\"", 0), 0u);
    writeFileBytes(root + "/d.json", dump.out);
    const ToolRun build =
        cvntool("build " + quoted(root + "/d.json") + " " + quoted(root + "/re.CVN"));
    ASSERT_EQ(build.status, 0) << build.err;
    EXPECT_EQ(dataFileOf(root + "/re.CVN"), dataFileOf(original));

    // A zoom that is not a number survives too.
    p->chartView.zoom = std::numeric_limits<float>::quiet_NaN();
    save(*p, original);
    writeFileBytes(root + "/d.json", cvntool("dump " + quoted(original)).out);
    ASSERT_EQ(cvntool("build " + quoted(root + "/d.json") + " " + quoted(root + "/re.CVN")).status,
              0);
    EXPECT_EQ(dataFileOf(root + "/re.CVN"), dataFileOf(original));
}

// The dump's layout is an interface other tools read: compared whole, byte for byte.
TEST_F(CvntoolTest, DumpLayoutIsStable)
{
    const std::unique_ptr<ProjectData> p = unusualProject();
    const std::string original = root + "/orig.CVN";
    save(*p, original);
    ToolRun dump = cvntool("dump " + quoted(original));
    ASSERT_EQ(dump.status, 0) << dump.err;
    EXPECT_EQ(dump.out, readFileBytes(CORVANE_CLI_DATA "/unusual.dump.json"));

    // A zoom that is not a number is written as its bits.
    p->chartView.zoom = -std::numeric_limits<float>::infinity();
    save(*p, original);
    dump = cvntool("dump " + quoted(original));
    ASSERT_EQ(dump.status, 0) << dump.err;
    EXPECT_EQ(dump.out, readFileBytes(CORVANE_CLI_DATA "/unusual-infinite-zoom.dump.json"));
}

TEST_F(CvntoolTest, BuildFillsMissingFieldsAndNamesTheBadOne)
{
    writeFileBytes(
        root + "/min.json",
        R"({"objects": [{"id": 1, "type": 2, "secondText": "\u3042"}], "links": [{"from": 1}]})");
    ASSERT_EQ(cvntool("build " + quoted(root + "/min.json") + " " + quoted(root + "/m.CVN")).status,
              0);
    auto expected = std::make_unique<ProjectData>();
    ObjectRecord& o = addObject(*expected, 1, ObjectType::Marker, "", "\x82\xa0");
    (void)o;
    addLink(*expected, 1, 0);
    EXPECT_EQ(dataFileOf(root + "/m.CVN"), encodeDataFile(*expected));

    for (
        const char* bad :
        {R"({"textView": {"fontSize": 40000}})",
         R"({"objects": [{"secondText": "01234567890123456789012345678901234567890123456789012345678901234567890123456789012345678901234567890"}]})",
         R"({"objects": [{"rect": [1, 2, 3]}]})", R"({"format": "CVN002"})", R"({"links": [)"}) {
        writeFileBytes(root + "/bad.json", bad);
        const ToolRun r =
            cvntool("build " + quoted(root + "/bad.json") + " " + quoted(root + "/b.CVN"));
        EXPECT_EQ(r.status, 1) << bad;
        EXPECT_NE(r.err.find("bad.json: "), std::string::npos) << r.err;
        EXPECT_FALSE(fs::exists(root + "/b.CVN"));
    }
    writeFileBytes(root + "/bad.json", R"({"textView": {"fontSize": 40000}})");
    EXPECT_NE(cvntool("build " + quoted(root + "/bad.json") + " " + quoted(root + "/b.CVN"))
                  .err.find("textView.fontSize"),
              std::string::npos);
}

TEST_F(CvntoolTest, CheckReportsEveryKindOfProblem)
{
    fs::create_directories(root + "/P/doc/A");
    writeFileBytes(root + "/P/doc/A/d1", "0123456789");
    auto p = std::make_unique<ProjectData>();
    ObjectRecord& ok = addObject(*p, 1, ObjectType::Marker, "A\\d1");
    ok.position = 2;
    ok.length = 8;
    addObject(*p, 2, ObjectType::SubSubject);
    addLink(*p, 1, 2);
    save(*p, root + "/P/P.CVN");
    ToolRun r = cvntool("check " + quoted(root + "/P/P.CVN"));
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_EQ(r.out, "OK\n");

    ObjectRecord& past = addObject(*p, 3, ObjectType::Marker, "A\\d1");
    past.position = 5;
    past.length = 6;
    addObject(*p, 3, ObjectType::SubSubject);             // duplicate id
    addObject(*p, 0, ObjectType::SubSubject);             // zero id
    addObject(*p, 8, 7);                                  // unknown type
    addObject(*p, 9, ObjectType::Marker, "A\\missing");   // document missing
    addObject(*p, 10, ObjectType::Marker, "..\\..\\etc"); // refused path
    addLink(*p, 2, 42);                                   // missing end
    addLink(*p, 2, 2);                                    // sub-subject to sub-subject
    addLink(*p, 1, 2);                                    // duplicate
    p->textView.caretWidth = 9;
    p->chartView.width = 100;
    save(*p, root + "/P/P.CVN");
    r = cvntool("check " + quoted(root + "/P/P.CVN"));
    EXPECT_EQ(r.status, 1);
    for (const char* expected :
         {"runs past the document's 10 bytes", "duplicate id (also objects[2])", "id is 0",
          "unknown type 7", "document is missing", "document is refused by the path check",
          "(2 -> 42): an end is missing", "(2 -> 2): links two sub-subjects",
          "links[3] (1 -> 2): duplicate link", "caretWidth 9 is outside 1-5",
          "width 100 is outside 500-5000", "11 problem(s)"})
        EXPECT_NE(r.out.find(expected), std::string::npos) << expected << "\n" << r.out;
}

TEST_F(CvntoolTest, CheckAndLoadRefuseOversizedCounts)
{
    auto p = std::make_unique<ProjectData>();
    std::string data = encodeDataFile(*p);
    data[2082] = 0;
    data[2083] = 0;
    data[2084] = 0x13;
    data[2085] = char(0x8A); // 5002
    writeFileBytes(root + "/big", data);
    ASSERT_EQ(cvntool("pack " + quoted(root + "/big") + " " + quoted(root + "/big.CVN")).status, 0);
    const ToolRun r = cvntool("check " + quoted(root + "/big.CVN"));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("5002 > 5000\n"), std::string::npos) << r.err;
}

TEST_F(CvntoolTest, PackAndUnpackWithTheSameChecks)
{
    writeFileBytes(root + "/data", "CVN001    payload");
    ToolRun r = cvntool("pack " + quoted(root + "/data") + " " + quoted(root + "/x.CVN"));
    ASSERT_EQ(r.status, 0) << r.err;
    fs::create_directory(root + "/out");
    r = cvntool("unpack " + quoted(root + "/x.CVN") + " " + quoted(root + "/out"));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "x.CVN\n");
    EXPECT_EQ(readFileBytes(root + "/out/x.CVN"), "CVN001    payload");

    std::string cab = readFileBytes(root + "/x.CVN");
    const std::size_t nameAt = std::uint8_t(cab[16]) + 16;
    cab.replace(nameAt, 5, "/tmp/");
    writeFileBytes(root + "/evil.CVN", cab);
    r = cvntool("unpack " + quoted(root + "/evil.CVN") + " " + quoted(root + "/out"));
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err.rfind("[File Copy]\n", 0), 0u) << r.err;

    r = cvntool("unpack");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("usage"), std::string::npos);
}

TEST_F(CvntoolTest, PlaceIsRepeatableWithASeedAndAlignKeepsTheStoredSelection)
{
    auto p = std::make_unique<ProjectData>();
    applyNewProjectValues(p->chartView);
    addObject(*p, 1, ObjectType::SubSubject);
    for (int id = 2; id <= 6; ++id)
        addObject(*p, id, ObjectType::Marker);
    addLink(*p, 2, 1);
    p->objects[5].nodeSelected = 1;
    const std::string a = root + "/a.CVN", b = root + "/b.CVN";
    save(*p, a);
    save(*p, b);
    ASSERT_EQ(cvntool("place " + quoted(a) + " --seed 9").out, "6\n");
    ASSERT_EQ(cvntool("place " + quoted(b) + " --seed 9").status, 0);
    EXPECT_EQ(dataFileOf(a), dataFileOf(b));
    EXPECT_EQ(cvntool("place " + quoted(a)).out, "0\n");

    const std::string before = dataFileOf(a);
    EXPECT_EQ(cvntool("align " + quoted(a) + " 469 --select 1,2").status, 2);          // no --main
    EXPECT_EQ(cvntool("align " + quoted(a) + " 469 --select 1,2 --main 3").status, 2); // not in
    EXPECT_EQ(cvntool("align " + quoted(a) + " 471 --select 1,2,3").status, 2);
    const ToolRun spread = cvntool("align " + quoted(a) + " 477 --select 1,2");
    EXPECT_EQ(spread.status, 1);
    EXPECT_NE(spread.err.find("3"), std::string::npos) << spread.err;
    EXPECT_EQ(dataFileOf(a), before);

    ASSERT_EQ(cvntool("align " + quoted(a) + " 469 --select 1,2,3 --main 1").status, 0);
    FakeServices fake;
    ProjectData loaded;
    ASSERT_TRUE(CProjectIO(fake.services).loadProjectFile(a, loaded));
    EXPECT_EQ(loaded.objects[1].nodeRect[0], loaded.objects[0].nodeRect[0]);
    EXPECT_EQ(loaded.objects[2].nodeRect[0], loaded.objects[0].nodeRect[0]);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(loaded.objects[i].nodeSelected, i == 5 ? 1 : 0) << i;
}

TEST_F(CvntoolTest, ChartPngIsTheCanvasAtTheClampedZoom)
{
    auto p = std::make_unique<ProjectData>();
    applyNewProjectValues(p->chartView);
    p->chartView.width = 800;
    p->chartView.height = 0; // damaged: used as 500
    addObject(*p, 1, ObjectType::SubSubject);
    addObject(*p, 2, ObjectType::Marker);
    addLink(*p, 2, 1);
    const std::string project = root + "/c.CVN";
    save(*p, project);
    const std::string before = dataFileOf(project);
    // Width and height from the PNG header (big-endian, after the signature and IHDR's length).
    const auto size = [](const std::string& png) {
        const auto be = [&](std::size_t at) {
            return (unsigned char)png[at] << 24 | (unsigned char)png[at + 1] << 16 |
                   (unsigned char)png[at + 2] << 8 | (unsigned char)png[at + 3];
        };
        return png.size() > 24 ? std::make_pair(be(16), be(20)) : std::make_pair(0, 0);
    };
    const struct
    {
        const char* zoom;
        int width, height;
    } cases[] = {{"", 800, 500},
                 {" --zoom 0.5", 400, 250},
                 {" --zoom 10", 3200, 2000},
                 {" --zoom 0", 63, 39}}; // 0.08 as a float is a little under 0.08

    for (const auto& c : cases) {
        const ToolRun r =
            cvntool("chart-png " + quoted(project) + " " + quoted(root + "/c.png") + c.zoom);
        ASSERT_EQ(r.status, 0) << c.zoom << r.err;
        EXPECT_EQ(size(readFileBytes(root + "/c.png")), std::make_pair(c.width, c.height))
            << c.zoom;
    }
    EXPECT_EQ(dataFileOf(project), before); // placement for the image only
    EXPECT_EQ(cvntool("chart-png " + quoted(project) + " x.png --zoom big").status, 2);
}

} // namespace
} // namespace corvane::test
