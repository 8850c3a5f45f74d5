#include "ProjectJson.h"

#include "FieldText.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <type_traits>

namespace corvane::cli {

namespace {

template <std::size_t N> Json text(const char (&field)[N])
{
    return Json::string(fieldToUtf8(field, N));
}

template <typename T> Json num(T v)
{
    return Json::number(std::int64_t(v));
}

Json floatJson(float f)
{
    if (!std::isfinite(f)) {
        // Not representable as a JSON number: keep the exact bits.
        std::uint32_t bits;
        std::memcpy(&bits, &f, 4);
        char buf[16];
        std::snprintf(buf, sizeof buf, "0x%08X", bits);
        return Json::string(buf);
    }
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.9g", double(f));
    return Json::numberText(buf);
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

Json quad(const std::int32_t (&v)[4])
{
    Json a = Json::array();
    for (std::int32_t x : v)
        a.push(num(x));
    return a;
}

/// Reads members of one JSON object into fields, remembering the path for error messages.
class Reader
{
public:
    Reader(const Json* object, std::string path, std::string& error)
        : object_(object), path_(std::move(path)), error_(error)
    {
        if (object_ != nullptr && object_->kind() != Json::Kind::Object)
            fail("", "expected an object");
    }

    bool ok() const { return error_.empty(); }

    template <typename T> void integer(const char* key, T& field)
    {
        const Json* v = get(key);
        if (v == nullptr)
            return;
        const std::optional<std::int64_t> n = v->asInteger();
        using Limits = std::numeric_limits<T>;
        if (!n || *n < std::int64_t(Limits::min()) || *n > std::int64_t(Limits::max())) {
            fail(key, "expected an integer that fits the field");
            return;
        }
        field = T(*n);
    }

    template <std::size_t N> void text(const char* key, char (&field)[N])
    {
        const Json* v = get(key);
        if (v == nullptr)
            return;
        std::string why;
        if (v->asString() == nullptr)
            fail(key, "expected a string");
        else if (!utf8ToField(*v->asString(), field, N, why))
            fail(key, why.c_str());
    }

    void floating(const char* key, float& field)
    {
        const Json* v = get(key);
        if (v == nullptr)
            return;
        if (const std::string* s = v->asString()) {
            unsigned bits = 0;
            if (std::sscanf(s->c_str(), "0x%8X", &bits) == 1) {
                const std::uint32_t b = bits;
                std::memcpy(&field, &b, 4);
                return;
            }
        }
        if (v->kind() != Json::Kind::Number) {
            fail(key, "expected a number");
            return;
        }
        field = std::strtof(numberText(*v).c_str(), nullptr);
    }

    template <typename T> void quadruple(const char* key, T (&fields)[4])
    {
        const Json* v = get(key);
        if (v == nullptr)
            return;
        const std::vector<Json>* a = v->asArray();
        if (a == nullptr || a->size() != 4) {
            fail(key, "expected an array of four integers");
            return;
        }
        for (std::size_t i = 0; i < 4; ++i) {
            const std::optional<std::int64_t> n = (*a)[i].asInteger();
            using Limits = std::numeric_limits<T>;
            if (!n || *n < std::int64_t(Limits::min()) || *n > std::int64_t(Limits::max())) {
                fail(key, "expected an array of four integers");
                return;
            }
            fields[i] = T(*n);
        }
    }

    void hexBytes(const char* key, unsigned char* bytes, std::size_t n)
    {
        const Json* v = get(key);
        if (v == nullptr)
            return;
        const std::string* s = v->asString();
        if (s == nullptr || s->size() != 2 * n) {
            fail(key, "expected a hex string");
            return;
        }
        for (std::size_t i = 0; i < n; ++i) {
            unsigned b = 0;
            if (std::sscanf(s->c_str() + 2 * i, "%2x", &b) != 1) {
                fail(key, "expected a hex string");
                return;
            }
            bytes[i] = static_cast<unsigned char>(b);
        }
    }

    const Json* get(const char* key) const
    {
        if (object_ == nullptr || !error_.empty())
            return nullptr;
        const Json* v = object_->find(key);
        return v != nullptr && !v->isNull() ? v : nullptr;
    }

    void fail(const char* key, const char* what)
    {
        if (error_.empty())
            error_ = path_ + (*key != '\0' ? std::string(".") + key : "") + ": " + what;
    }

    const std::string& path() const { return path_; }

private:
    static std::string numberText(const Json& v)
    {
        // Numbers keep their text; write() of a lone number gives it back.
        std::string t = v.write();
        t.pop_back();
        return t;
    }

    const Json* object_;
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

Json projectToJson(const ProjectData& data)
{
    const TextViewSettings& t = data.textView;
    Json tv = Json::object();
    tv.set("fontName", text(t.fontName))
        .set("fontSize", num(t.fontSize))
        .set("bold", num(t.bold))
        .set("italic", num(t.italic))
        .set("textColour", num(t.textColour))
        .set("antiAliasing", num(t.antiAliasing))
        .set("lineSpacing", num(t.lineSpacing))
        .set("wordWrap", num(t.wordWrap))
        .set("leftMargin", num(t.leftMargin))
        .set("topMargin", num(t.topMargin))
        .set("lineNumbersShown", num(t.lineNumbersShown))
        .set("lineNumberColour", num(t.lineNumberColour))
        .set("lineNumberBackground", num(t.lineNumberBackground))
        .set("lineNumberAlignment", num(t.lineNumberAlignment))
        .set("lineNumberPadding", num(t.lineNumberPadding))
        .set("borderColour", num(t.borderColour))
        .set("borderStyle", num(t.borderStyle))
        .set("caretWidth", num(t.caretWidth))
        .set("caretBlink", num(t.caretBlink));
    Json bookmarks = Json::array();
    for (int i = 0; i < kBookmarkCount; ++i) {
        Json b = Json::object();
        b.set("path", text(t.bookmarkPath[i]))
            .set("position", num(t.bookmarkPosition[i]))
            .set("sample", text(t.bookmarkSample[i]));
        bookmarks.push(std::move(b));
    }
    tv.set("bookmarks", std::move(bookmarks))
        .set("bookmarkSampleLength", num(t.bookmarkSampleLength))
        .set("bookmarkImageSize", num(t.bookmarkImageSize))
        .set("linkLineShown", num(t.linkLineShown))
        .set("linkLineColour", num(t.linkLineColour))
        .set("linkCountShown", num(t.linkCountShown))
        .set("linkCountColour", num(t.linkCountColour))
        .set("background", num(t.background))
        .set("selectionColour", num(t.selectionColour))
        .set("whiteSpaceShown", num(t.whiteSpaceShown))
        .set("whiteSpaceColour", num(t.whiteSpaceColour))
        .set("lineBreaksShown", num(t.lineBreaksShown))
        .set("lineBreakColour", num(t.lineBreakColour))
        .set("reserved", num(t.reserved));

    const ChartViewSettings& c = data.chartView;
    Json cv = Json::object();
    cv.set("reserved", num(c.reserved))
        .set("scrollX", num(c.scrollX))
        .set("scrollY", num(c.scrollY))
        .set("zoom", floatJson(c.zoom))
        .set("consoleX", num(c.consoleX))
        .set("consoleY", num(c.consoleY))
        .set("consoleAlwaysShown", num(c.consoleAlwaysShown))
        .set("rotationRadius", num(c.rotationRadius))
        .set("width", num(c.width))
        .set("height", num(c.height))
        .set("background", num(c.background))
        .set("lineColour", num(c.lineColour))
        .set("rotationCircleShown", num(c.rotationCircleShown))
        .set("mainSubjectShown", num(c.mainSubjectShown))
        .set("subjectNodesRound", num(c.subjectNodesRound))
        .set("markerNodesRound", num(c.markerNodesRound))
        .set("reservedTail", Json::string(hex(c.reservedTail, sizeof c.reservedTail)));

    Json objects = Json::array();
    for (int i = 0; i < data.objectCount; ++i) {
        const ObjectRecord& o = data.objects[i];
        Json j = Json::object();
        Json margins = Json::array();
        margins.push(num(o.marginLeft))
            .push(num(o.marginRight))
            .push(num(o.marginTop))
            .push(num(o.marginBottom));
        j.set("id", num(o.id))
            .set("type", num(o.type))
            .set("document", text(o.document))
            .set("position", num(o.position))
            .set("length", num(o.length))
            .set("markerColour", num(o.markerColour))
            .set("firstText", text(o.firstText))
            .set("secondText", text(o.secondText))
            .set("rect", quad(o.nodeRect))
            .set("selected", num(o.nodeSelected))
            .set("fontName", text(o.fontName))
            .set("fontSize", num(o.fontSize))
            .set("bold", num(o.bold))
            .set("italic", num(o.italic))
            .set("textColour", num(o.textColour))
            .set("alignV", num(o.alignV))
            .set("alignH", num(o.alignH))
            .set("wordWrap", num(o.wordWrap))
            .set("margins", std::move(margins))
            .set("background", num(o.background))
            .set("lineColour", num(o.lineColour))
            .set("lineThickness", num(o.lineThickness))
            .set("lineStyle", num(o.lineStyle));
        objects.push(std::move(j));
    }
    Json links = Json::array();
    for (int i = 0; i < data.linkCount; ++i) {
        Json l = Json::object();
        l.set("from", num(data.links[i].from)).set("to", num(data.links[i].to));
        links.push(std::move(l));
    }

    Json root = Json::object();
    root.set("format", Json::string("CVN001"))
        .set("textView", std::move(tv))
        .set("chartView", std::move(cv))
        .set("objects", std::move(objects))
        .set("links", std::move(links));
    return root;
}

bool projectFromJson(const Json& json, ProjectData& data, std::string& error)
{
    error.clear();
    if (json.kind() != Json::Kind::Object) {
        error = "the document is not a JSON object";
        return false;
    }
    if (const Json* f = json.find("format"); f != nullptr && !f->isNull()) {
        if (f->asString() == nullptr || *f->asString() != "CVN001") {
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
    Reader tv(json.find("textView"), "textView", error);
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
    if (const Json* b = tv.get("bookmarks")) {
        const std::vector<Json>* list = b->asArray();
        if (list == nullptr || list->size() > std::size_t(kBookmarkCount)) {
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
    Reader cv(json.find("chartView"), "chartView", error);
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

    if (const Json* objects = json.find("objects"); objects != nullptr && !objects->isNull()) {
        const std::vector<Json>* list = objects->asArray();
        if (list == nullptr || list->size() > std::size_t(kMaxObjects)) {
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
    if (const Json* links = json.find("links"); links != nullptr && !links->isNull()) {
        const std::vector<Json>* list = links->asArray();
        if (list == nullptr || list->size() > std::size_t(kMaxLinks)) {
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

} // namespace corvane::cli
