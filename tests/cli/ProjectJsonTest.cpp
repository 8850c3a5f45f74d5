#include "ProjectJson.h"

#include <gtest/gtest.h>

#include <memory>

namespace corvane::cli {
namespace {

std::string buildError(std::string_view text)
{
    auto data = std::make_unique<ProjectData>();
    std::string error;
    EXPECT_FALSE(projectFromJsonText(text, *data, error)) << text;
    return error;
}

TEST(ProjectJson, MalformedTextIsRefusedWithItsPlace)
{
    for (const char* bad :
         {"", "{", "[1,]", "{\"a\" 1}", "\"abc", "tru", "{\"a\":1} x", "-", "\"\\q\"", "\"\\u12\"",
          "{\"objects\": [{\"firstText\": \"\xff\"}]}", "\"\\udc00\""})
        EXPECT_NE(buildError(bad).find("line 1, column"), std::string::npos) << bad;
    EXPECT_NE(buildError("{\n\n  \"links\": [,]}").find("line 3, column"), std::string::npos);
    // Found by fuzzing: a number beyond a double's range is an exception of another kind, which
    // ended cvntool.
    EXPECT_NE(buildError(R"({"links": [{"from": 954745E88888888888}]})").find("number overflow"),
              std::string::npos);
    EXPECT_NE(buildError(std::string(100000, '[')).find("parse error"), std::string::npos)
        << "deep nesting is refused without exhausting the stack";
    EXPECT_EQ(buildError(std::string(100000, '[') + std::string(100000, ']')),
              "the document is not a JSON object");
}

TEST(ProjectJson, IntegerFieldsTakeOnlyIntegersInTheirRange)
{
    EXPECT_EQ(buildError(R"({"links": [{"from": 1.0}]})"),
              "links[0].from: expected an integer that fits the field");
    EXPECT_EQ(buildError(R"({"links": [{"to": 1e3}]})"),
              "links[0].to: expected an integer that fits the field");
    EXPECT_EQ(buildError(R"({"objects": [{}, {"markerColour": 18446744073709551615}]})"),
              "objects[1].markerColour: expected an integer that fits the field");
    EXPECT_EQ(buildError(R"({"objects": [{"rect": [0, 0, 0, 2147483648]}]})"),
              "objects[0].rect: expected an array of four integers");
    EXPECT_EQ(buildError(R"({"textView": {"bookmarks": [{}, {"sample": 5}]}})"),
              "textView.bookmarks[1].sample: expected a string");
    EXPECT_EQ(buildError(R"({"chartView": []})"), "chartView: expected an object");

    auto data = std::make_unique<ProjectData>();
    std::string error;
    ASSERT_TRUE(projectFromJsonText(
        R"({"objects": [{"id": 7, "markerColour": 4294967295, "margins": [-32768, 0, 0, 32767]}],
            "chartView": {"zoom": 2, "reservedTail": null}})",
        *data, error))
        << error;
    EXPECT_EQ(data->objects[0].markerColour, 4294967295u);
    EXPECT_EQ(data->objects[0].marginLeft, -32768);
    EXPECT_EQ(data->chartView.zoom, 2.0f);
}

} // namespace
} // namespace corvane::cli
