// The subject list's spreadsheet read back with libzip and pugixml: rows, cells as strings,
// column widths, and an older file kept when writing fails.
#include "print/XlsxWriter.h"
#include "FileSizeLimit.h"
#include "ProjectFileSupport.h"
#include "ZipReadBack.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <filesystem>
#include <map>
#include <memory>

namespace corvane::output {
namespace {

struct Sheet
{
    std::map<std::string, std::string> cells; ///< "A1" -> text (UTF-8)
    std::vector<double> widths;
    bool allStrings = true;
};

Sheet readSheet(const std::string& path)
{
    const std::string bytes = test::readFileBytes(path);
    Sheet sheet;
    pugi::xml_document shared, ws;
    const auto sharedXml = test::zipMember(bytes, "xl/sharedStrings.xml");
    const auto sheetXml = test::zipMember(bytes, "xl/worksheets/sheet1.xml");
    EXPECT_TRUE(sheetXml);
    std::vector<std::string> strings;
    if (sharedXml && shared.load_string(sharedXml->c_str())) {
        for (pugi::xml_node si : shared.child("sst").children("si"))
            strings.push_back(si.child("t").text().get());
    }
    EXPECT_TRUE(ws.load_string(sheetXml.value_or("").c_str()));
    for (pugi::xml_node col : ws.child("worksheet").child("cols").children("col"))
        sheet.widths.push_back(col.attribute("width").as_double());
    for (pugi::xml_node row : ws.child("worksheet").child("sheetData").children("row")) {
        for (pugi::xml_node c : row.children("c")) {
            sheet.allStrings &= std::string_view(c.attribute("t").value()) == "s";
            const auto index = static_cast<std::size_t>(c.child("v").text().as_int());
            sheet.cells[c.attribute("r").value()] = index < strings.size() ? strings[index] : "?";
        }
    }
    return sheet;
}

class XlsxWriterTest : public test::TempFolderTest
{
protected:
    void SetUp() override
    {
        TempFolderTest::SetUp();
        project = std::make_unique<ProjectData>();
        project->folder = root + "/"; // an open project
        project->name = "P";
    }
    void subject(ObjectId id, const char* main, const char* title)
    {
        auto& r = test::addObject(*project, id, ObjectType::SubSubject, "", title);
        std::strncpy(r.firstText, main, sizeof r.firstText - 1);
    }
    std::unique_ptr<ProjectData> project;
};

TEST_F(XlsxWriterTest, GridOrderNoHeaderEveryCellAStringThatStaysAsTyped)
{
    // Two main subjects, their sub-subjects interleaved in the table: grid order groups them.
    subject(1, "M1", "=SUM(A1:A2)");
    subject(2, "\x8e\xe5\x91\xe8", "001"); // "主題"
    subject(3, "M1", "1/2");
    subject(4, "\x8e\xe5\x91\xe8", "b");
    subject(5, "\x8e\xe5\x91\xe8", "\xb1\xb2"); // half-width katakana "ｱｲ"
    test::addObject(*project, 6, ObjectType::Marker, "d", "not a subject");
    const std::string path = root + "/P.xlsx";
    ASSERT_EQ(writeSubjectXlsx(path, subjectExportRows(*project)), OutputStatus::Ok);
    const Sheet s = readSheet(path);
    EXPECT_TRUE(s.allStrings);
    EXPECT_EQ(s.cells, (std::map<std::string, std::string>{{"A1", "M1"},
                                                           {"B1", "=SUM(A1:A2)"},
                                                           {"A2", "M1"},
                                                           {"B2", "1/2"},
                                                           {"A3", "主題"},
                                                           {"B3", "001"},
                                                           {"A4", "主題"},
                                                           {"B4", "b"},
                                                           {"A5", "主題"},
                                                           {"B5", "ｱｲ"}}));
    // Widths: "主題" is four narrow cells wide, "=SUM(A1:A2)" eleven; plus one.
    EXPECT_EQ(s.widths.size(), 2u);
    EXPECT_NEAR(s.widths.at(0), 5.0 + 0.71, 0.75);
    EXPECT_NEAR(s.widths.at(1), 12.0 + 0.71, 0.75);
    // No stray temporaries beside it.
    int files = 0;
    for (const auto& e : std::filesystem::directory_iterator(root))
        files += e.is_regular_file();
    EXPECT_EQ(files, 1);
}

TEST_F(XlsxWriterTest, NoSubSubjectsGivesAnEmptySheetAndAFullDiskKeepsTheOlderFile)
{
    const std::string path = root + "/out/P.xlsx";
    std::filesystem::create_directories(root + "/out");
    ASSERT_EQ(writeSubjectXlsx(path, subjectExportRows(*project)), OutputStatus::Ok);
    EXPECT_TRUE(readSheet(path).cells.empty());
    test::writeFileBytes(path, "older");
    subject(1, "M", "t");
    {
        test::FileSizeLimit full(64);
        EXPECT_NE(writeSubjectXlsx(path, subjectExportRows(*project)), OutputStatus::Ok);
    }
    EXPECT_EQ(test::readFileBytes(path), "older");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(root + "/out"),
                            std::filesystem::directory_iterator()),
              1)
        << "the temporary is removed";
}

} // namespace
} // namespace corvane::output
