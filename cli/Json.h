// A small JSON value with a reader and a writer, enough for cvntool's project dumps: objects keep
// their key order, numbers keep their text so integers up to 64 bits pass through exactly.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace corvane::cli {

class Json
{
public:
    enum class Kind
    {
        Null,
        Bool,
        Number,
        String,
        Array,
        Object
    };

    Json() = default;
    static Json boolean(bool b);
    static Json number(std::int64_t n);
    /// A number given by its JSON text (for floats written with enough digits to read back).
    static Json numberText(std::string text);
    static Json string(std::string utf8);
    static Json array();
    static Json object();

    Kind kind() const { return kind_; }
    bool isNull() const { return kind_ == Kind::Null; }

    // Builders.
    Json& push(Json v);                 ///< arrays
    Json& set(std::string key, Json v); ///< objects; appends, keeps order

    // Readers; nullopt when the kind does not match.
    std::optional<std::int64_t> asInteger() const; ///< an integral number
    std::optional<double> asDouble() const;
    std::optional<bool> asBool() const;
    const std::string* asString() const;
    const std::vector<Json>* asArray() const;
    /// Member by key, nullptr when absent or not an object.
    const Json* find(std::string_view key) const;
    const std::vector<std::pair<std::string, Json>>* members() const;

    /// Text with two-space indentation; arrays of numbers and objects with only scalar members
    /// stay on one line.
    std::string write() const;

    /// Parses text; on failure returns nullopt and sets error (with the byte offset).
    static std::optional<Json> parse(std::string_view text, std::string& error);

private:
    void writeTo(std::string& out, int indent) const;
    bool isFlat() const;

    Kind kind_ = Kind::Null;
    bool bool_ = false;
    std::string text_; ///< number text or string value
    std::vector<Json> items_;
    std::vector<std::pair<std::string, Json>> members_;
};

} // namespace corvane::cli
