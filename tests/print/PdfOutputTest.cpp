// PDF output and chart printing run as scripts run them: the document's text comes back through
// pdftotext with embedded fonts, and print-chart's pages are the ones the print dialog counts.
#include "ProjectFileSupport.h"
#include "model/CProjectIO.h"
#include "print/paint/ChartPages.h"
#include "support/FakeServices.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <iterator>
#include <memory>
#include <regex>
#include <sstream>

namespace corvane::test {
namespace {

struct ToolRun
{
    int status;
    std::string out, err;
};

class PdfOutputTest : public TempFolderTest
{
protected:
    ToolRun run(const std::string& command)
    {
        const std::string out = root + "/stdout", err = root + "/stderr";
        const int raw = std::system((command + " >'" + out + "' 2>'" + err + "'").c_str());
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, readFileBytes(out), readFileBytes(err)};
    }
    ToolRun cvntool(const std::string& arguments)
    {
        return run(std::string(CVNTOOL_PATH) + " " + arguments);
    }
    static std::string withoutWhitespace(std::string s)
    {
        std::erase_if(
            s, [](char c) { return c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\f'; });
        return s;
    }
    int pdfPages(const std::string& pdf)
    {
        const ToolRun info = run("pdfinfo '" + pdf + "'");
        std::smatch m;
        return std::regex_search(info.out, m, std::regex("Pages:\\s+(\\d+)")) ? std::stoi(m[1])
                                                                              : -1;
    }
};

TEST_F(PdfOutputTest, TextComesBackThroughPdftotextWithDigitsAndKanjiAndFontsEmbedded)
{
    if (!toolAvailable("pdftotext") || !toolAvailable("pdffonts"))
        GTEST_SKIP() << "poppler tools missing";
    ASSERT_EQ(cvntool("new '" + root + "' P").status, 0);
    // 一 日 月, full-width and ASCII digits, a tab, a long line that wraps, several pages.
    std::string text = "\x88\xea\x93\xfa\x8c\x8e 0123456789 \x82\x4f\x82\x50\x82\x58\r\n"
                       "a\tb\r\n";
    for (int i = 0; i < 120; ++i)
        text += "\x96\x7b\x8a\xe8 " + std::to_string(i) + std::string(60, 'x') + "\r\n";
    writeFileBytes(root + "/P/doc/d", text);
    auto data = std::make_unique<ProjectData>();
    FakeServices fake;
    ASSERT_TRUE(CProjectIO(fake.services).loadProjectFile(root + "/P/P.CVN", *data));
    ObjectRecord& m = addObject(*data, 1, ObjectType::Marker, "d", "x");
    m.position = 0;
    m.length = 40;
    m.markerColour = 0x00FFFF;
    ASSERT_TRUE(CProjectIO(fake.services).saveProject(root + "/P/P.CVN", *data));

    for (const char* markers : {"", " --no-markers"}) {
        const std::string pdf = root + "/d.pdf";
        ASSERT_EQ(cvntool("export-pdf '" + root + "/P/P.CVN' d '" + pdf + "'" + markers).status, 0);
        const ToolRun extracted = run("pdftotext -enc UTF-8 '" + pdf + "' -");
        ASSERT_EQ(extracted.status, 0);
        std::string expected;
        for (std::size_t i = 0; i < text.size();) {
            const auto b = static_cast<unsigned char>(text[i]);
            const std::size_t n = (b >= 0x81 && b <= 0x9f) || b >= 0xe0 ? 2 : 1;
            expected += text.substr(i, n);
            i += n;
        }
        // The expected text as UTF-8: through iconv, as the tool converts it.
        writeFileBytes(root + "/expected.sjis", expected);
        const ToolRun utf8 = run("iconv -f CP932 -t UTF-8 '" + root + "/expected.sjis'");
        EXPECT_EQ(withoutWhitespace(extracted.out), withoutWhitespace(utf8.out)) << markers;
        const ToolRun fonts = run("pdffonts '" + pdf + "'");
        EXPECT_NE(fonts.out.find("IPA"), std::string::npos) << fonts.out;
        // Columns: name type encoding emb sub uni object ID; every font embedded.
        std::istringstream lines(fonts.out);
        std::string line;
        int fontLines = 0;
        while (std::getline(lines, line)) {
            std::istringstream words(line);
            std::vector<std::string> w{std::istream_iterator<std::string>(words), {}};
            if (w.size() < 6 || line.rfind("name", 0) == 0 || line[0] == '-')
                continue;
            ++fontLines;
            EXPECT_EQ(w[w.size() - 5], "yes") << line;
        }
        EXPECT_GE(fontLines, 1);
        EXPECT_GE(pdfPages(pdf), 2);
    }
    // A file that cannot be written reports 30018 with the path and exits 1.
    const ToolRun failed = cvntool("export-pdf '" + root + "/P/P.CVN' d '" + root + "/no/x.pdf'");
    EXPECT_EQ(failed.status, 1);
    EXPECT_NE(failed.err.find(root + "/no/x.pdf"), std::string::npos);
}

TEST_F(PdfOutputTest, PrintChartPagesAreTheOnesTheDialogCounts)
{
    if (!toolAvailable("pdfinfo"))
        GTEST_SKIP() << "poppler tools missing";
    const std::string project = std::string(CORVANE_SAMPLE_DIR) + "/Sample.CVN";
    auto data = std::make_unique<ProjectData>();
    FakeServices fake;
    ASSERT_TRUE(CProjectIO(fake.services).loadProjectFile(project, *data));
    const print::ChartSize size = print::chartSizeOf(*data);
    struct Case
    {
        const char* arguments;
        int paper;
        print::Orientation orientation;
        print::MarginsMm margins;
        bool onePage;
    };
    const Case cases[] = {
        {"", 9, print::Orientation::Portrait, {25, 10, 25, 10}, false},
        {" --landscape --paper 8", 8, print::Orientation::Landscape, {25, 10, 25, 10}, false},
        {" --paper 11 --margins 0,0,50,50",
         11,
         print::Orientation::Portrait,
         {0, 0, 50, 50},
         false},
        {" --paper 14 --margins 5,5,5,5", 14, print::Orientation::Portrait, {5, 5, 5, 5}, false},
        {" --one-page --paper 26", 26, print::Orientation::Portrait, {25, 10, 25, 10}, true},
    };
    for (const Case& c : cases) {
        const std::string pdf = root + "/chart.pdf";
        const ToolRun r =
            cvntool("print-chart '" + project + "' --pdf '" + pdf + "'" + c.arguments);
        ASSERT_EQ(r.status, 0) << c.arguments << r.err;
        const print::PageGrid grid = print::computePageGrid(
            print::sheetOf(print::fullPageLayout(c.paper, c.orientation), 1200), c.margins,
            size.width, size.height, c.onePage);
        EXPECT_EQ(r.out, "(\xe6\xa8\xaa " + std::to_string(grid.across) +
                             " \xc3\x97 \xe7\xb8\xa6 " + std::to_string(grid.down) +
                             " \xe3\x83\x9a\xe3\x83\xbc\xe3\x82\xb8)\n")
            << c.arguments;
        EXPECT_EQ(pdfPages(pdf), grid.pageCount()) << c.arguments;
    }
    // Margins that leave no printable area: refused, no file.
    const ToolRun refused = cvntool("print-chart '" + project + "' --pdf '" + root +
                                    "/x.pdf' --paper 37 --margins 50,50,0,0");
    EXPECT_EQ(refused.status, 1);
    EXPECT_FALSE(std::filesystem::exists(root + "/x.pdf"));
}

} // namespace
} // namespace corvane::test
