#include "Json.h"

#include <gtest/gtest.h>

namespace corvane::cli {
namespace {

TEST(Json, WriteThenParseKeepsKeyOrderNumbersAndEscapes)
{
    Json root = Json::object();
    Json list = Json::array();
    list.push(Json::number(-2147483648LL)).push(Json::number(4294967295LL));
    root.set("z", Json::string("a\"b\\c\n\x01\xe3\x81\x82"))
        .set("a", std::move(list))
        .set("f", Json::numberText("1.00000012"))
        .set("n", Json())
        .set("t", Json::boolean(true));
    const std::string text = root.write();
    std::string error;
    const std::optional<Json> back = Json::parse(text, error);
    ASSERT_TRUE(back) << error;
    EXPECT_EQ(back->write(), text);
    ASSERT_EQ(back->members()->front().first, "z");
    EXPECT_EQ(*back->find("z")->asString(), "a\"b\\c\n\x01\xe3\x81\x82");
    EXPECT_EQ(back->find("a")->asArray()->at(1).asInteger(), 4294967295LL);
    EXPECT_FALSE(back->find("f")->asInteger()) << "not integral";
    EXPECT_TRUE(back->find("n")->isNull());
}

TEST(Json, UnicodeEscapesIncludingSurrogatePairs)
{
    std::string error;
    const auto v = Json::parse(R"("\u3042\ud83d\ude00\udc00")", error);
    ASSERT_TRUE(v) << error;
    EXPECT_EQ(*v->asString(), "\xe3\x81\x82\xf0\x9f\x98\x80\xef\xbf\xbd");
}

TEST(Json, MalformedInputIsRefusedWithAPosition)
{
    for (const char* bad : {"", "{", "[1,]", "{\"a\" 1}", "\"abc", "tru", "{\"a\":1} x", "-",
                            "\"\\q\"", "\"\\u12\""}) {
        std::string error;
        EXPECT_FALSE(Json::parse(bad, error)) << bad;
        EXPECT_NE(error.find("at byte"), std::string::npos) << bad;
    }
    std::string deep(100000, '[');
    std::string error;
    EXPECT_FALSE(Json::parse(deep, error)) << "deep nesting must not exhaust the stack";
}

} // namespace
} // namespace corvane::cli
