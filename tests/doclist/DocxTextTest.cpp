#include "doclist/DocxText.h"
#include "DocxBuilder.h"
#include "doclist/DocumentImporter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace corvane;
using namespace corvane::doclist;

namespace {

std::string bodyText(const std::string& bodyXml)
{
    const auto text = docxBodyText(test::docxDocumentXml(bodyXml));
    return text ? *text : "<none>";
}

} // namespace

TEST(DocxText, ParagraphsRunsTabsAndBreaks)
{
    EXPECT_EQ(bodyText("<w:p><w:r><w:t>Hello</w:t></w:r><w:r><w:t xml:space=\"preserve\"> "
                       "world</w:t></w:r></w:p>"
                       "<w:p/>"
                       "<w:p><w:r><w:t>a</w:t><w:tab/><w:t>b</w:t><w:br/><w:t>c</w:t></w:r></w:p>"),
              "Hello world\n\na\tb\nc\n");
}

TEST(DocxText, TablesRowByRowCellsSeparatedByTab)
{
    EXPECT_EQ(bodyText("<w:tbl><w:tr><w:tc><w:p><w:r><w:t>1</w:t></w:r></w:p></w:tc>"
                       "<w:tc><w:p><w:r><w:t>2</w:t></w:r></w:p><w:p><w:r><w:t>x</w:t></w:r></w:p>"
                       "</w:tc></w:tr><w:tr><w:tc><w:p/></w:tc><w:tc><w:p><w:r><w:t>4</w:t></w:r>"
                       "</w:p></w:tc></w:tr></w:tbl><w:p><w:r><w:t>after</w:t></w:r></w:p>"),
              "1\t2 x\n\t4\nafter\n");
}

TEST(DocxText, DeletedTextAndFallbacksAreLeftOut)
{
    EXPECT_EQ(bodyText("<w:p><w:ins><w:r><w:t>new</w:t></w:r></w:ins><w:del><w:r><w:delText>old"
                       "</w:delText></w:r></w:del><w:r><w:instrText>PAGE</w:instrText></w:r>"
                       "<mc:AlternateContent><mc:Choice><w:r><w:t>!</w:t></w:r></mc:Choice>"
                       "<mc:Fallback><w:r><w:t>!</w:t></w:r></mc:Fallback></mc:AlternateContent>"
                       "</w:p>"),
              "new!\n");
}

TEST(DocxText, JapaneseTextSurvives)
{
    EXPECT_EQ(bodyText("<w:p><w:r><w:t>\xe6\x96\x87\xe7\x8c\xae</w:t></w:r></w:p>"),
              "\xe6\x96\x87\xe7\x8c\xae\n");
}

TEST(DocxText, DamagedInputIsRefused)
{
    EXPECT_FALSE(docxBodyText("<w:document><w:body><w:p>").has_value());
    EXPECT_FALSE(docxBodyText("<other/>").has_value());

    const auto dir = std::filesystem::temp_directory_path() / "cv_docx_test";
    std::filesystem::create_directories(dir);
    const std::string notZip = (dir / "plain.docx").string();
    std::ofstream(notZip) << "not a zip";
    EXPECT_FALSE(extractDocxText(notZip).has_value());
    EXPECT_FALSE(extractDocxText((dir / "missing.docx").string()).has_value());

    const std::string good = (dir / "good.docx").string();
    ASSERT_TRUE(
        test::writeDocx(good, test::docxDocumentXml("<w:p><w:r><w:t>ok</w:t></w:r></w:p>")));
    EXPECT_EQ(extractDocxText(good).value_or("<none>"), "ok\n");
    std::ifstream in(good, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    EXPECT_EQ(extractDocxTextFromBytes(bytes).value_or("<none>"), "ok\n");
    EXPECT_FALSE(extractDocxTextFromBytes(bytes.substr(0, bytes.size() / 2)).has_value());
    EXPECT_FALSE(extractDocxTextFromBytes({}).has_value());
    std::filesystem::remove_all(dir);
}

// Found by fuzzing: a character reference to CR in the text reached the document as a lone CR,
// which no document may hold.
TEST(DocxText, CarriageReturnsInTheTextBecomeLineEnds)
{
    const std::string text = bodyText("<w:p><w:r><w:t>a&#13;b&#13;</w:t></w:r></w:p>"
                                      "<w:p><w:r><w:t>&#13;&#10;c\td</w:t></w:r></w:p>");
    EXPECT_EQ(DocumentImporter::documentFromWordText(text), "a\r\nb\r\n\r\nc    d");
}
