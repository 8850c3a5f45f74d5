#include "Json.h"

#include "base/Codec.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace corvane::cli {

Json Json::boolean(bool b)
{
    Json j;
    j.kind_ = Kind::Bool;
    j.bool_ = b;
    return j;
}

Json Json::number(std::int64_t n)
{
    return numberText(std::to_string(n));
}

Json Json::numberText(std::string text)
{
    Json j;
    j.kind_ = Kind::Number;
    j.text_ = std::move(text);
    return j;
}

Json Json::string(std::string utf8)
{
    Json j;
    j.kind_ = Kind::String;
    j.text_ = std::move(utf8);
    return j;
}

Json Json::array()
{
    Json j;
    j.kind_ = Kind::Array;
    return j;
}

Json Json::object()
{
    Json j;
    j.kind_ = Kind::Object;
    return j;
}

Json& Json::push(Json v)
{
    items_.push_back(std::move(v));
    return *this;
}

Json& Json::set(std::string key, Json v)
{
    members_.emplace_back(std::move(key), std::move(v));
    return *this;
}

std::optional<std::int64_t> Json::asInteger() const
{
    if (kind_ != Kind::Number || text_.find_first_of(".eE") != std::string::npos)
        return std::nullopt;
    errno = 0;
    char* end = nullptr;
    const long long v = std::strtoll(text_.c_str(), &end, 10);
    if (errno != 0 || end == nullptr || *end != '\0')
        return std::nullopt;
    return std::int64_t(v);
}

std::optional<double> Json::asDouble() const
{
    if (kind_ != Kind::Number)
        return std::nullopt;
    return std::strtod(text_.c_str(), nullptr);
}

std::optional<bool> Json::asBool() const
{
    if (kind_ != Kind::Bool)
        return std::nullopt;
    return bool_;
}

const std::string* Json::asString() const
{
    return kind_ == Kind::String ? &text_ : nullptr;
}

const std::vector<Json>* Json::asArray() const
{
    return kind_ == Kind::Array ? &items_ : nullptr;
}

const std::vector<std::pair<std::string, Json>>* Json::members() const
{
    return kind_ == Kind::Object ? &members_ : nullptr;
}

const Json* Json::find(std::string_view key) const
{
    if (kind_ != Kind::Object)
        return nullptr;
    for (const auto& [k, v] : members_)
        if (k == key)
            return &v;
    return nullptr;
}

namespace {

void writeString(std::string& out, std::string_view s)
{
    out += '"';
    for (unsigned char c : s) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", c);
                out += buf;
            } else {
                out += char(c);
            }
        }
    }
    out += '"';
}

} // namespace

bool Json::isFlat() const
{
    if (kind_ == Kind::Array) {
        for (const Json& j : items_)
            if (j.kind_ == Kind::Array || j.kind_ == Kind::Object)
                return false;
        return true;
    }
    if (kind_ == Kind::Object) {
        for (const auto& m : members_)
            if (!(m.second.kind_ != Kind::Object &&
                  (m.second.kind_ != Kind::Array || m.second.isFlat())))
                return false;
        return true;
    }
    return true;
}

void Json::writeTo(std::string& out, int indent) const
{
    switch (kind_) {
    case Kind::Null:
        out += "null";
        return;
    case Kind::Bool:
        out += bool_ ? "true" : "false";
        return;
    case Kind::Number:
        out += text_;
        return;
    case Kind::String:
        writeString(out, text_);
        return;
    case Kind::Array:
    case Kind::Object:
        break;
    }
    const bool isArray = kind_ == Kind::Array;
    const std::size_t count = isArray ? items_.size() : members_.size();
    const bool flat = isFlat();
    const std::string pad(std::size_t(indent + 2), ' ');
    out += isArray ? '[' : '{';
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0)
            out += flat ? ", " : ",";
        if (!flat) {
            out += '\n';
            out += pad;
        }
        if (isArray) {
            items_[i].writeTo(out, indent + 2);
        } else {
            writeString(out, members_[i].first);
            out += ": ";
            members_[i].second.writeTo(out, indent + 2);
        }
    }
    if (!flat && count > 0) {
        out += '\n';
        out += std::string(std::size_t(indent), ' ');
    }
    out += isArray ? ']' : '}';
}

std::string Json::write() const
{
    std::string out;
    writeTo(out, 0);
    out += '\n';
    return out;
}

namespace {

class Parser
{
public:
    explicit Parser(std::string_view t) : text(t) {}

    std::optional<Json> document(std::string& error)
    {
        std::optional<Json> v = value(0);
        skipSpace();
        if (v && at != text.size())
            fail("unexpected text after the value");
        if (!failure.empty()) {
            error = failure + " at byte " + std::to_string(failAt);
            return std::nullopt;
        }
        return v;
    }

private:
    static constexpr int kMaxDepth = 64;

    void fail(const char* what)
    {
        if (failure.empty()) {
            failure = what;
            failAt = at;
        }
    }
    void skipSpace()
    {
        while (at < text.size() &&
               (text[at] == ' ' || text[at] == '\n' || text[at] == '\r' || text[at] == '\t'))
            ++at;
    }
    bool literal(std::string_view word)
    {
        if (text.substr(at, word.size()) != word)
            return false;
        at += word.size();
        return true;
    }

    std::optional<Json> value(int depth)
    {
        if (depth > kMaxDepth) {
            fail("nesting too deep");
            return std::nullopt;
        }
        skipSpace();
        if (at >= text.size()) {
            fail("unexpected end");
            return std::nullopt;
        }
        const char c = text[at];
        if (c == '{')
            return objectValue(depth);
        if (c == '[')
            return arrayValue(depth);
        if (c == '"') {
            std::string s;
            if (!stringValue(s))
                return std::nullopt;
            return Json::string(std::move(s));
        }
        if (literal("true"))
            return Json::boolean(true);
        if (literal("false"))
            return Json::boolean(false);
        if (literal("null"))
            return Json();
        return numberValue();
    }

    std::optional<Json> numberValue()
    {
        const std::size_t start = at;
        if (at < text.size() && text[at] == '-')
            ++at;
        const std::size_t digits = at;
        while (at < text.size() && text[at] >= '0' && text[at] <= '9')
            ++at;
        if (at == digits) {
            fail("expected a value");
            return std::nullopt;
        }
        if (at < text.size() && text[at] == '.') {
            ++at;
            while (at < text.size() && text[at] >= '0' && text[at] <= '9')
                ++at;
        }
        if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
            ++at;
            if (at < text.size() && (text[at] == '+' || text[at] == '-'))
                ++at;
            while (at < text.size() && text[at] >= '0' && text[at] <= '9')
                ++at;
        }
        return Json::numberText(std::string(text.substr(start, at - start)));
    }

    bool hex4(unsigned& out)
    {
        if (text.size() - at < 4) {
            fail("short \\u escape");
            return false;
        }
        out = 0;
        for (int i = 0; i < 4; ++i) {
            const char h = text[at++];
            out <<= 4;
            if (h >= '0' && h <= '9')
                out |= unsigned(h - '0');
            else if (h >= 'a' && h <= 'f')
                out |= unsigned(h - 'a' + 10);
            else if (h >= 'A' && h <= 'F')
                out |= unsigned(h - 'A' + 10);
            else {
                fail("bad \\u escape");
                return false;
            }
        }
        return true;
    }

    bool stringValue(std::string& out)
    {
        ++at; // opening quote
        while (true) {
            if (at >= text.size()) {
                fail("unterminated string");
                return false;
            }
            const char c = text[at++];
            if (c == '"')
                return true;
            if (static_cast<unsigned char>(c) < 0x20) {
                fail("control character in string");
                return false;
            }
            if (c != '\\') {
                out += c;
                continue;
            }
            if (at >= text.size()) {
                fail("unterminated escape");
                return false;
            }
            const char e = text[at++];
            switch (e) {
            case '"':
            case '\\':
            case '/':
                out += e;
                break;
            case 'b':
                out += '\b';
                break;
            case 'f':
                out += '\f';
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 't':
                out += '\t';
                break;
            case 'u': {
                unsigned cp = 0;
                if (!hex4(cp))
                    return false;
                if (cp >= 0xD800 && cp <= 0xDBFF && text.substr(at, 2) == "\\u") {
                    at += 2;
                    unsigned low = 0;
                    if (!hex4(low))
                        return false;
                    if (low >= 0xDC00 && low <= 0xDFFF)
                        cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                    else
                        cp = 0xFFFD;
                } else if (cp >= 0xD800 && cp <= 0xDFFF) {
                    cp = 0xFFFD;
                }
                codec::appendUtf8(out, char32_t(cp));
                break;
            }
            default:
                fail("unknown escape");
                return false;
            }
        }
    }

    std::optional<Json> arrayValue(int depth)
    {
        ++at;
        Json arr = Json::array();
        skipSpace();
        if (at < text.size() && text[at] == ']') {
            ++at;
            return arr;
        }
        while (true) {
            std::optional<Json> v = value(depth + 1);
            if (!v)
                return std::nullopt;
            arr.push(std::move(*v));
            skipSpace();
            if (at < text.size() && text[at] == ',') {
                ++at;
                continue;
            }
            if (at < text.size() && text[at] == ']') {
                ++at;
                return arr;
            }
            fail("expected ',' or ']'");
            return std::nullopt;
        }
    }

    std::optional<Json> objectValue(int depth)
    {
        ++at;
        Json obj = Json::object();
        skipSpace();
        if (at < text.size() && text[at] == '}') {
            ++at;
            return obj;
        }
        while (true) {
            skipSpace();
            std::string key;
            if (at >= text.size() || text[at] != '"') {
                fail("expected a key");
                return std::nullopt;
            }
            if (!stringValue(key))
                return std::nullopt;
            skipSpace();
            if (at >= text.size() || text[at] != ':') {
                fail("expected ':'");
                return std::nullopt;
            }
            ++at;
            std::optional<Json> v = value(depth + 1);
            if (!v)
                return std::nullopt;
            obj.set(std::move(key), std::move(*v));
            skipSpace();
            if (at < text.size() && text[at] == ',') {
                ++at;
                continue;
            }
            if (at < text.size() && text[at] == '}') {
                ++at;
                return obj;
            }
            fail("expected ',' or '}'");
            return std::nullopt;
        }
    }

    std::string_view text;
    std::size_t at = 0;
    std::string failure;
    std::size_t failAt = 0;
};

} // namespace

std::optional<Json> Json::parse(std::string_view text, std::string& error)
{
    return Parser(text).document(error);
}

} // namespace corvane::cli
