// The .docx package read back with libzip and pugixml: paragraphs, run texts, shading per run.
#include "print/DocxWriter.h"
#include "FileSizeLimit.h"
#include "ProjectFileSupport.h"
#include "ZipReadBack.h"
#include "base/Codec.h"
#include "base/Sjis.h"
#include "doclist/DocxText.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <random>

namespace corvane::output {
namespace {

struct DocRun
{
    std::string text; ///< UTF-8, TAB for w:tab
    std::string fill; ///< empty: not shaded
    bool operator==(const DocRun&) const = default;
};
using Paragraph = std::vector<DocRun>;

std::ostream& operator<<(std::ostream& os, const DocRun& r)
{
    return os << '[' << r.text << '|' << r.fill << ']';
}

/// The paragraphs of a package, each as its runs; also checks what every run must declare.
std::vector<Paragraph> readBack(const std::string& package)
{
    const auto xml = test::zipMember(package, "word/document.xml");
    EXPECT_TRUE(xml);
    EXPECT_TRUE(test::zipMember(package, "[Content_Types].xml"));
    EXPECT_TRUE(test::zipMember(package, "_rels/.rels"));
    pugi::xml_document doc;
    // Whitespace-only text (a run of spaces) is text here, not layout.
    EXPECT_TRUE(
        doc.load_string(xml.value_or("").c_str(), pugi::parse_default | pugi::parse_ws_pcdata));
    std::vector<Paragraph> out;
    for (pugi::xml_node p : doc.child("w:document").child("w:body").children("w:p")) {
        Paragraph para;
        for (pugi::xml_node r : p.children("w:r")) {
            DocRun run;
            const pugi::xml_node rPr = r.child("w:rPr");
            EXPECT_STREQ(rPr.child("w:lang").attribute("w:eastAsia").value(), "ja-JP");
            EXPECT_STRNE(rPr.child("w:rFonts").attribute("w:eastAsia").value(), "");
            if (pugi::xml_node shd = rPr.child("w:shd")) {
                EXPECT_STREQ(shd.attribute("w:val").value(), "clear");
                run.fill = shd.attribute("w:fill").value();
            }
            for (pugi::xml_node c : r.children()) {
                if (std::string_view(c.name()) == "w:t") {
                    EXPECT_STREQ(c.attribute("xml:space").value(), "preserve");
                    run.text += c.text().get();
                } else if (std::string_view(c.name()) == "w:tab") {
                    run.text += '\t';
                }
            }
            para.push_back(run);
        }
        out.push_back(para);
    }
    const pugi::xml_node size =
        doc.child("w:document").child("w:body").child("w:sectPr").child("w:pgSz");
    EXPECT_STREQ(size.attribute("w:w").value(), "11906");
    return out;
}

TEST(DocxWriter, MarkerAcrossCrLfShadesBothLinesInItsColourButNotTheParagraphMark)
{
    // "あいう" CR LF "えお" with a marker from "い" to "え" in 0x00BBGGRR = 0x00336699.
    const std::string text = "\x82\xa0\x82\xa2\x82\xa4\r\n\x82\xa6\x82\xa8";
    const std::vector<ColourRun> shading{{2, 6, 0x336699}, {8, 10, 0x336699}};
    const auto package = buildDocx(text, shading);
    ASSERT_TRUE(package);
    EXPECT_EQ(readBack(*package), (std::vector<Paragraph>{{{"あ", ""}, {"いう", "996633"}},
                                                          {{"え", "996633"}, {"お", ""}}}));
}

TEST(DocxWriter, TextOnlyHasNoShadingTabsAreTabsAndControlCharactersAreLeftOut)
{
    const std::string text = std::string("a\tb\x01"
                                         "c\x1b\r\n\r\n  x ",
                                         14);
    const auto package = buildDocx(text, {});
    ASSERT_TRUE(package);
    EXPECT_EQ(readBack(*package), (std::vector<Paragraph>{{{"a\tbc", ""}}, {}, {{"  x ", ""}}}));
    // The package is one the import's reader takes back.
    EXPECT_EQ(doclist::extractDocxTextFromBytes(*package), "a\tbc\n\n  x \n");
}

TEST(DocxWriter, PropertyEveryCharacterComesBackOnceInItsParagraphAndRunColour)
{
    std::mt19937 rng(3);
    const char* pieces[] = {"a", "\r\n", "\x82\xa0", "\x88\xea", "\t", "<&>", "1", " "};
    for (int round = 0; round < 100; ++round) {
        std::string text;
        const int n = int(rng() % 30);
        for (int i = 0; i < n; ++i)
            text += pieces[rng() % std::size(pieces)];
        // Random shading on character boundaries away from line ends.
        std::vector<ColourRun> shading;
        for (std::size_t i = 0; i < text.size(); i += sjis::charLength(text, i)) {
            const std::size_t next = i + sjis::charLength(text, i);
            if (text[i] != '\r' && text[i] != '\n' && rng() % 3 == 0)
                shading.push_back({ByteOffset(i), ByteOffset(next), Colour(rng() % 4)});
        }
        const auto package = buildDocx(text, shading);
        ASSERT_TRUE(package);
        std::string expected, got;
        for (std::size_t i = 0; i < text.size(); i += sjis::charLength(text, i)) {
            if (text[i] == '\n')
                continue;
            if (text[i] == '\r') {
                expected += '\n';
                continue;
            }
            const auto it = std::find_if(shading.begin(), shading.end(), [&](const ColourRun& r) {
                return r.begin == ByteOffset(i);
            });
            expected += codec::toUtf8(text.substr(i, sjis::charLength(text, i))).text;
            expected += it == shading.end() ? "" : hexRgb(it->colour);
        }
        const auto paragraphs = readBack(*package);
        for (std::size_t p = 0; p < paragraphs.size(); ++p) {
            if (p > 0)
                got += '\n';
            for (const DocRun& r : paragraphs[p]) {
                if (r.fill.empty()) {
                    got += r.text;
                    continue;
                }
                // One shaded character per run here: each random run is one character.
                got += r.text + r.fill;
            }
        }
        EXPECT_EQ(got, expected) << round;
    }
}

class DocxFileTest : public test::TempFolderTest
{
};

TEST_F(DocxFileTest, AFullDiskKeepsTheOlderFileAndTheNextWriteReplacesIt)
{
    const std::string path = root + "/out.docx";
    test::writeFileBytes(path, "older");
    {
        test::FileSizeLimit full(64);
        EXPECT_EQ(writeDocx(path, "text", {}), OutputStatus::WriteFailed);
    }
    EXPECT_EQ(test::readFileBytes(path), "older");
    EXPECT_EQ(writeDocx(path, "text", {}), OutputStatus::Ok);
    EXPECT_EQ(doclist::extractDocxText(path), "text\n");
}

} // namespace
} // namespace corvane::output
