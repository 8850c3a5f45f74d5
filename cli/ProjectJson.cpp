#include "ProjectJson.h"

#include "FieldText.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <type_traits>

namespace corvane::cli {

namespace {

template <std::size_t N> JsonValue text(const char (&field)[N])
{
    return fieldToUtf8(field, N);
}

template <typename T> JsonValue num(T v)
{
    return std::int64_t(v);
}

/// A float field. The writer gives it nine significant digits, enough to read back the same float.
JsonValue floatJson(float f)
{
    if (!std::isfinite(f)) {
        // Not representable as a JSON number: keep the exact bits.
        std::uint32_t bits;
        std::memcpy(&bits, &f, 4);
        char buf[16];
        std::snprintf(buf, sizeof buf, "0x%08X", bits);
        return std::string(buf);
    }
    return double(f);
}

std::string hex(const unsigned char* bytes, std::size_t n)
{
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (std::size_t i = 0; i < n; ++i) {
        out += digits[bytes[i] >> 4];
        out += digits[bytes[i] & 0x0F];
    }
    return out;
}

JsonValue quad(const std::int32_t (&v)[4])
{
    return JsonValue::array({v[0], v[1], v[2], v[3]});
}

/// Reads members of one JSON object into fields, remembering the path for error messages.
class Reader
{
public:
    Reader(const JsonValue* object, std::string path, std::string& error)
        : object_(object), path_(std::move(path)), error_(error)
    {
        if (object_ != nullptr && !object_->is_object())
            fail("", "expected an object");
    }

    bool ok() const { return error_.empty(); }

    template <typename T> void integer(const char* key, T& field)
    {
        const JsonValue* v = get(key);
        if (v == nullptr)
            return;
        if (!fits<T>(*v)) {
            fail(key, "expected an integer that fits the field");
            return;
        }
        field = v->get<T>();
    }

    template <std::size_t N> void text(const char* key, char (&field)[N])
    {
        const JsonValue* v = get(key);
        if (v == nullptr)
            return;
        std::string why;
        if (!v->is_string())
            fail(key, "expected a string");
        else if (!utf8ToField(v->get_ref<const std::string&>(), field, N, why))
            fail(key, why.c_str());
    }

    void floating(const char* key, float& field)
    {
        const JsonValue* v = get(key);
        if (v == nullptr)
            return;
        if (v->is_string()) {
            unsigned bits = 0;
            if (std::sscanf(v->get_ref<const std::string&>().c_str(), "0x%8X", &bits) == 1) {
                const std::uint32_t b = bits;
                std::memcpy(&field, &b, 4);
                return;
            }
        }
        if (!v->is_number()) {
            fail(key, "expected a number");
            return;
        }
        field = float(v->get<double>());
    }

    template <typename T> void quadruple(const char* key, T (&fields)[4])
    {
        const JsonValue* v = get(key);
        if (v == nullptr)
            return;
        if (!v->is_array() || v->size() != 4) {
            fail(key, "expected an array of four integers");
            return;
        }
        for (std::size_t i = 0; i < 4; ++i) {
            if (!fits<T>((*v)[i])) {
                fail(key, "expected an array of four integers");
                return;
            }
            fields[i] = (*v)[i].get<T>();
        }
    }

    void hexBytes(const char* key, unsigned char* bytes, std::size_t n)
    {
        const JsonValue* v = get(key);
        if (v == nullptr)
            return;
        if (!v->is_string() || v->get_ref<const std::string&>().size() != 2 * n) {
            fail(key, "expected a hex string");
            return;
        }
        const std::string& s = v->get_ref<const std::string&>();
        for (std::size_t i = 0; i < n; ++i) {
            unsigned b = 0;
            if (std::sscanf(s.c_str() + 2 * i, "%2x", &b) != 1) {
                fail(key, "expected a hex string");
                return;
            }
            bytes[i] = static_cast<unsigned char>(b);
        }
    }

    /// The member key, nullptr when it is absent or null (both mean "keep the default").
    const JsonValue* get(const char* key) const { return member(object_, key); }

    void fail(const char* key, const char* what)
    {
        if (error_.empty())
            error_ = path_ + (*key != '\0' ? std::string(".") + key : "") + ": " + what;
    }

    const std::string& path() const { return path_; }

    static const JsonValue* member(const JsonValue* object, const char* key)
    {
        if (object == nullptr || !object->is_object())
            return nullptr;
        const auto it = object->find(key);
        return it != object->end() && !it->is_null() ? &*it : nullptr;
    }

private:
    /// True when v is an integral number within T's range (a number written with a fraction or
    /// an exponent is not integral, whatever its value).
    template <typename T> static bool fits(const JsonValue& v)
    {
        using Limits = std::numeric_limits<T>;
        if (v.is_number_unsigned())
            return v.get<std::uint64_t>() <= std::uint64_t(Limits::max());
        if (v.is_number_integer()) {
            const std::int64_t n = v.get<std::int64_t>();
            return n >= std::int64_t(Limits::min()) && n <= std::int64_t(Limits::max());
        }
        return false;
    }

    const JsonValue* object_;
    std::string path_;
    std::string& error_;
};

void readObject(Reader& r, ObjectRecord& o)
{
    r.integer("id", o.id);
    r.integer("type", o.type);
    r.text("document", o.document);
    r.integer("position", o.position);
    r.integer("length", o.length);
    r.integer("markerColour", o.markerColour);
    r.text("firstText", o.firstText);
    r.text("secondText", o.secondText);
    r.quadruple("rect", o.nodeRect);
    r.integer("selected", o.nodeSelected);
    r.text("fontName", o.fontName);
    r.integer("fontSize", o.fontSize);
    r.integer("bold", o.bold);
    r.integer("italic", o.italic);
    r.integer("textColour", o.textColour);
    r.integer("alignV", o.alignV);
    r.integer("alignH", o.alignH);
    r.integer("wordWrap", o.wordWrap);
    std::int16_t margins[4] = {o.marginLeft, o.marginRight, o.marginTop, o.marginBottom};
    r.quadruple("margins", margins);
    o.marginLeft = margins[0];
    o.marginRight = margins[1];
    o.marginTop = margins[2];
    o.marginBottom = margins[3];
    r.integer("background", o.background);
    r.integer("lineColour", o.lineColour);
    r.integer("lineThickness", o.lineThickness);
    r.integer("lineStyle", o.lineStyle);
}

} // namespace

JsonValue projectToJson(const ProjectData& data)
{
    const TextViewSettings& t = data.textView;
    JsonValue bookmarks = JsonValue::array();
    for (int i = 0; i < kBookmarkCount; ++i)
        bookmarks.push_back(JsonValue::object({{"path", text(t.bookmarkPath[i])},
                                               {"position", num(t.bookmarkPosition[i])},
                                               {"sample", text(t.bookmarkSample[i])}}));
    JsonValue tv = JsonValue::object({
        {"fontName", text(t.fontName)},
        {"fontSize", num(t.fontSize)},
        {"bold", num(t.bold)},
        {"italic", num(t.italic)},
        {"textColour", num(t.textColour)},
        {"antiAliasing", num(t.antiAliasing)},
        {"lineSpacing", num(t.lineSpacing)},
        {"wordWrap", num(t.wordWrap)},
        {"leftMargin", num(t.leftMargin)},
        {"topMargin", num(t.topMargin)},
        {"lineNumbersShown", num(t.lineNumbersShown)},
        {"lineNumberColour", num(t.lineNumberColour)},
        {"lineNumberBackground", num(t.lineNumberBackground)},
        {"lineNumberAlignment", num(t.lineNumberAlignment)},
        {"lineNumberPadding", num(t.lineNumberPadding)},
        {"borderColour", num(t.borderColour)},
        {"borderStyle", num(t.borderStyle)},
        {"caretWidth", num(t.caretWidth)},
        {"caretBlink", num(t.caretBlink)},
        {"bookmarks", std::move(bookmarks)},
        {"bookmarkSampleLength", num(t.bookmarkSampleLength)},
        {"bookmarkImageSize", num(t.bookmarkImageSize)},
        {"linkLineShown", num(t.linkLineShown)},
        {"linkLineColour", num(t.linkLineColour)},
        {"linkCountShown", num(t.linkCountShown)},
        {"linkCountColour", num(t.linkCountColour)},
        {"background", num(t.background)},
        {"selectionColour", num(t.selectionColour)},
        {"whiteSpaceShown", num(t.whiteSpaceShown)},
        {"whiteSpaceColour", num(t.whiteSpaceColour)},
        {"lineBreaksShown", num(t.lineBreaksShown)},
        {"lineBreakColour", num(t.lineBreakColour)},
        {"reserved", num(t.reserved)},
    });

    const ChartViewSettings& c = data.chartView;
    JsonValue cv = JsonValue::object({
        {"reserved", num(c.reserved)},
        {"scrollX", num(c.scrollX)},
        {"scrollY", num(c.scrollY)},
        {"zoom", floatJson(c.zoom)},
        {"consoleX", num(c.consoleX)},
        {"consoleY", num(c.consoleY)},
        {"consoleAlwaysShown", num(c.consoleAlwaysShown)},
        {"rotationRadius", num(c.rotationRadius)},
        {"width", num(c.width)},
        {"height", num(c.height)},
        {"background", num(c.background)},
        {"lineColour", num(c.lineColour)},
        {"rotationCircleShown", num(c.rotationCircleShown)},
        {"mainSubjectShown", num(c.mainSubjectShown)},
        {"subjectNodesRound", num(c.subjectNodesRound)},
        {"markerNodesRound", num(c.markerNodesRound)},
        {"reservedTail", hex(c.reservedTail, sizeof c.reservedTail)},
    });

    JsonValue objects = JsonValue::array();
    for (int i = 0; i < data.objectCount; ++i) {
        const ObjectRecord& o = data.objects[i];
        objects.push_back(JsonValue::object({
            {"id", num(o.id)},
            {"type", num(o.type)},
            {"document", text(o.document)},
            {"position", num(o.position)},
            {"length", num(o.length)},
            {"markerColour", num(o.markerColour)},
            {"firstText", text(o.firstText)},
            {"secondText", text(o.secondText)},
            {"rect", quad(o.nodeRect)},
            {"selected", num(o.nodeSelected)},
            {"fontName", text(o.fontName)},
            {"fontSize", num(o.fontSize)},
            {"bold", num(o.bold)},
            {"italic", num(o.italic)},
            {"textColour", num(o.textColour)},
            {"alignV", num(o.alignV)},
            {"alignH", num(o.alignH)},
            {"wordWrap", num(o.wordWrap)},
            {"margins", JsonValue::array({num(o.marginLeft), num(o.marginRight), num(o.marginTop),
                                          num(o.marginBottom)})},
            {"background", num(o.background)},
            {"lineColour", num(o.lineColour)},
            {"lineThickness", num(o.lineThickness)},
            {"lineStyle", num(o.lineStyle)},
        }));
    }
    JsonValue links = JsonValue::array();
    for (int i = 0; i < data.linkCount; ++i)
        links.push_back(
            JsonValue::object({{"from", num(data.links[i].from)}, {"to", num(data.links[i].to)}}));

    return JsonValue::object({{"format", "CVN001"},
                              {"textView", std::move(tv)},
                              {"chartView", std::move(cv)},
                              {"objects", std::move(objects)},
                              {"links", std::move(links)}});
}

bool projectFromJson(const JsonValue& json, ProjectData& data, std::string& error)
{
    error.clear();
    if (!json.is_object()) {
        error = "the document is not a JSON object";
        return false;
    }
    if (const JsonValue* f = Reader::member(&json, "format")) {
        if (!f->is_string() || f->get_ref<const std::string&>() != "CVN001") {
            error = "format: only \"CVN001\" is known";
            return false;
        }
    }
    std::memset(static_cast<void*>(&data.textView), 0, sizeof data.textView);
    std::memset(static_cast<void*>(&data.chartView), 0, sizeof data.chartView);
    applyNewProjectValues(data.textView);
    applyNewProjectValues(data.chartView);
    data.objectCount = 0;
    data.linkCount = 0;

    TextViewSettings& t = data.textView;
    Reader tv(Reader::member(&json, "textView"), "textView", error);
    tv.text("fontName", t.fontName);
    tv.integer("fontSize", t.fontSize);
    tv.integer("bold", t.bold);
    tv.integer("italic", t.italic);
    tv.integer("textColour", t.textColour);
    tv.integer("antiAliasing", t.antiAliasing);
    tv.integer("lineSpacing", t.lineSpacing);
    tv.integer("wordWrap", t.wordWrap);
    tv.integer("leftMargin", t.leftMargin);
    tv.integer("topMargin", t.topMargin);
    tv.integer("lineNumbersShown", t.lineNumbersShown);
    tv.integer("lineNumberColour", t.lineNumberColour);
    tv.integer("lineNumberBackground", t.lineNumberBackground);
    tv.integer("lineNumberAlignment", t.lineNumberAlignment);
    tv.integer("lineNumberPadding", t.lineNumberPadding);
    tv.integer("borderColour", t.borderColour);
    tv.integer("borderStyle", t.borderStyle);
    tv.integer("caretWidth", t.caretWidth);
    tv.integer("caretBlink", t.caretBlink);
    if (const JsonValue* list = tv.get("bookmarks")) {
        if (!list->is_array() || list->size() > std::size_t(kBookmarkCount)) {
            tv.fail("bookmarks", "expected an array of at most four bookmarks");
        } else {
            for (std::size_t i = 0; i < list->size(); ++i) {
                Reader br(&(*list)[i], "textView.bookmarks[" + std::to_string(i) + "]", error);
                br.text("path", t.bookmarkPath[i]);
                br.integer("position", t.bookmarkPosition[i]);
                br.text("sample", t.bookmarkSample[i]);
            }
        }
    }
    tv.integer("bookmarkSampleLength", t.bookmarkSampleLength);
    tv.integer("bookmarkImageSize", t.bookmarkImageSize);
    tv.integer("linkLineShown", t.linkLineShown);
    tv.integer("linkLineColour", t.linkLineColour);
    tv.integer("linkCountShown", t.linkCountShown);
    tv.integer("linkCountColour", t.linkCountColour);
    tv.integer("background", t.background);
    tv.integer("selectionColour", t.selectionColour);
    tv.integer("whiteSpaceShown", t.whiteSpaceShown);
    tv.integer("whiteSpaceColour", t.whiteSpaceColour);
    tv.integer("lineBreaksShown", t.lineBreaksShown);
    tv.integer("lineBreakColour", t.lineBreakColour);
    tv.integer("reserved", t.reserved);

    ChartViewSettings& c = data.chartView;
    Reader cv(Reader::member(&json, "chartView"), "chartView", error);
    cv.integer("reserved", c.reserved);
    cv.integer("scrollX", c.scrollX);
    cv.integer("scrollY", c.scrollY);
    cv.floating("zoom", c.zoom);
    cv.integer("consoleX", c.consoleX);
    cv.integer("consoleY", c.consoleY);
    cv.integer("consoleAlwaysShown", c.consoleAlwaysShown);
    cv.integer("rotationRadius", c.rotationRadius);
    cv.integer("width", c.width);
    cv.integer("height", c.height);
    cv.integer("background", c.background);
    cv.integer("lineColour", c.lineColour);
    cv.integer("rotationCircleShown", c.rotationCircleShown);
    cv.integer("mainSubjectShown", c.mainSubjectShown);
    cv.integer("subjectNodesRound", c.subjectNodesRound);
    cv.integer("markerNodesRound", c.markerNodesRound);
    cv.hexBytes("reservedTail", c.reservedTail, sizeof c.reservedTail);
    if (!error.empty())
        return false;

    if (const JsonValue* list = Reader::member(&json, "objects")) {
        if (!list->is_array() || list->size() > std::size_t(kMaxObjects)) {
            error = "objects: expected an array of at most 5000 objects";
            return false;
        }
        for (std::size_t i = 0; i < list->size() && error.empty(); ++i) {
            ObjectRecord& o = data.objects[i];
            std::memset(static_cast<void*>(&o), 0, sizeof o);
            Reader r(&(*list)[i], "objects[" + std::to_string(i) + "]", error);
            readObject(r, o);
            data.objectCount = int(i + 1);
        }
    }
    if (const JsonValue* list = Reader::member(&json, "links")) {
        if (!list->is_array() || list->size() > std::size_t(kMaxLinks)) {
            error = "links: expected an array of at most 5000 links";
            return false;
        }
        for (std::size_t i = 0; i < list->size() && error.empty(); ++i) {
            LinkRecord& l = data.links[i];
            l = LinkRecord{0, 0};
            Reader r(&(*list)[i], "links[" + std::to_string(i) + "]", error);
            r.integer("from", l.from);
            r.integer("to", l.to);
            data.linkCount = int(i + 1);
        }
    }
    return error.empty();
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

/// An array of scalars, or an object whose members are scalars or such arrays, goes on one line.
bool isFlat(const JsonValue& v)
{
    if (v.is_array()) {
        for (const JsonValue& item : v)
            if (item.is_structured())
                return false;
        return true;
    }
    if (v.is_object()) {
        for (const JsonValue& member : v)
            if (member.is_object() || (member.is_array() && !isFlat(member)))
                return false;
    }
    return true;
}

void writeValue(std::string& out, const JsonValue& v, int indent)
{
    switch (v.type()) {
    case JsonValue::value_t::null:
    case JsonValue::value_t::discarded:
    case JsonValue::value_t::binary:
        out += "null";
        return;
    case JsonValue::value_t::boolean:
        out += v.get<bool>() ? "true" : "false";
        return;
    case JsonValue::value_t::number_integer:
        out += std::to_string(v.get<std::int64_t>());
        return;
    case JsonValue::value_t::number_unsigned:
        out += std::to_string(v.get<std::uint64_t>());
        return;
    case JsonValue::value_t::number_float: {
        // The only floats are single-precision fields: nine significant digits read back the
        // same float.
        char buf[32];
        std::snprintf(buf, sizeof buf, "%.9g", v.get<double>());
        out += buf;
        return;
    }
    case JsonValue::value_t::string:
        writeString(out, v.get_ref<const std::string&>());
        return;
    case JsonValue::value_t::array:
    case JsonValue::value_t::object:
        break;
    }
    const bool isArray = v.is_array();
    const bool flat = isFlat(v);
    const std::string pad(std::size_t(indent + 2), ' ');
    out += isArray ? '[' : '{';
    bool first = true;
    for (auto it = v.begin(); it != v.end(); ++it) {
        if (!first)
            out += flat ? ", " : ",";
        first = false;
        if (!flat) {
            out += '\n';
            out += pad;
        }
        if (!isArray) {
            writeString(out, it.key());
            out += ": ";
        }
        writeValue(out, *it, indent + 2);
    }
    if (!flat && !v.empty()) {
        out += '\n';
        out += std::string(std::size_t(indent), ' ');
    }
    out += isArray ? ']' : '}';
}

} // namespace

std::string writeDump(const JsonValue& json)
{
    std::string out;
    writeValue(out, json, 0);
    out += '\n';
    return out;
}

bool projectFromJsonText(std::string_view text, ProjectData& data, std::string& error)
{
    JsonValue json;
    try {
        json = JsonValue::parse(text);
    } catch (const JsonValue::exception& e) {
        // Not only parse_error: a number too large for a double throws out_of_range. what()
        // starts with the library's own tag, "[json.exception.parse_error.101] ".
        const std::string what = e.what();
        const std::size_t tagEnd = what.find("] ");
        error = tagEnd == std::string::npos ? what : what.substr(tagEnd + 2);
        return false;
    }
    return projectFromJson(json, data, error);
}

} // namespace corvane::cli
