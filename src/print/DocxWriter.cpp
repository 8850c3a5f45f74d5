#include "print/DocxWriter.h"

#include "base/Codec.h"

#include <pugixml.hpp>
#include <zip.h>

#include <cstdio>
#include <memory>

namespace corvane::output {

namespace {

constexpr const char* kWordNs = "http://schemas.openxmlformats.org/wordprocessingml/2006/main";

constexpr const char* kContentTypes =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    R"(<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">)"
    R"(<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>)"
    R"(<Default Extension="xml" ContentType="application/xml"/>)"
    R"(<Override PartName="/word/document.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml"/>)"
    R"(</Types>)";

constexpr const char* kPackageRels =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
    R"(<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="word/document.xml"/>)"
    R"(</Relationships>)";

/// A4 portrait with 20 mm margins, in twentieths of a point.
constexpr int kA4WidthTwips = 11906;
constexpr int kA4HeightTwips = 16838;
constexpr int kMarginTwips = 1134;

class StringWriter : public pugi::xml_writer
{
public:
    explicit StringWriter(std::string& out) : out_(out) {}
    void write(const void* data, std::size_t size) override
    {
        out_.append(static_cast<const char*>(data), size);
    }

private:
    std::string& out_;
};

bool isLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

/// Appends the run text of [begin, end) (no line ends inside) to run: text pieces as w:t with
/// preserved spaces, each TAB as w:tab, other control characters dropped.
void appendRunText(pugi::xml_node run, SjisView text, std::size_t begin, std::size_t end)
{
    std::size_t from = begin;
    const auto flush = [&](std::size_t to) {
        if (to <= from)
            return;
        // Control bytes are always single-byte characters (trail bytes start at 0x40).
        std::string bytes;
        bytes.reserve(to - from);
        for (std::size_t i = from; i < to; ++i) {
            if (static_cast<unsigned char>(text[i]) >= 0x20)
                bytes.push_back(text[i]);
        }
        if (bytes.empty())
            return;
        pugi::xml_node t = run.append_child("w:t");
        t.append_attribute("xml:space") = "preserve";
        t.append_child(pugi::node_pcdata).set_value(codec::toUtf8(bytes).text.c_str());
    };
    for (std::size_t i = begin; i < end; ++i) {
        if (text[i] != '\t')
            continue;
        flush(i);
        run.append_child("w:tab");
        from = i + 1;
    }
    flush(end);
}

pugi::xml_node appendRun(pugi::xml_node paragraph, const ColourRun* shade)
{
    pugi::xml_node run = paragraph.append_child("w:r");
    if (shade) {
        pugi::xml_node shd = run.append_child("w:rPr").append_child("w:shd");
        shd.append_attribute("w:val") = "clear";
        shd.append_attribute("w:color") = "auto";
        shd.append_attribute("w:fill") = hexRgb(shade->colour).c_str();
    }
    return run;
}

} // namespace

std::string hexRgb(Colour colour)
{
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%02X%02X%02X", colourRed(colour), colourGreen(colour),
                  colourBlue(colour));
    return buffer;
}

std::string documentXml(SjisView text, const std::vector<ColourRun>& shading,
                        const DocxOptions& options)
{
    pugi::xml_document doc;
    pugi::xml_node decl = doc.append_child(pugi::node_declaration);
    decl.append_attribute("version") = "1.0";
    decl.append_attribute("encoding") = "UTF-8";
    decl.append_attribute("standalone") = "yes";
    pugi::xml_node root = doc.append_child("w:document");
    root.append_attribute("xmlns:w") = kWordNs;
    pugi::xml_node body = root.append_child("w:body");

    // The package has no styles part to hold document defaults, so every run declares its fonts
    // and language itself; a word processor then never guesses a Chinese face for kanji.
    const std::string halfPoints = std::to_string(options.halfPoints);
    const auto declareFonts = [&](pugi::xml_node run) {
        pugi::xml_node rPr = run.child("w:rPr");
        if (!rPr)
            rPr = run.prepend_child("w:rPr");
        pugi::xml_node fonts = rPr.prepend_child("w:rFonts");
        for (const char* a : {"w:ascii", "w:hAnsi", "w:eastAsia"})
            fonts.append_attribute(a) = options.fontName.c_str();
        rPr.append_child("w:sz").append_attribute("w:val") = halfPoints.c_str();
        rPr.append_child("w:lang").append_attribute("w:eastAsia") = "ja-JP";
    };

    std::size_t shadeIndex = 0;
    std::size_t lineStart = 0;
    const std::size_t size = text.size();
    while (true) {
        std::size_t lineEnd = lineStart;
        while (lineEnd < size && !isLineEnd(text[lineEnd]))
            ++lineEnd;
        pugi::xml_node paragraph = body.append_child("w:p");
        // Runs cut at the shading boundaries within [lineStart, lineEnd).
        std::size_t at = lineStart;
        while (at < lineEnd) {
            while (shadeIndex < shading.size() && std::size_t(shading[shadeIndex].end) <= at)
                ++shadeIndex;
            const ColourRun* shade = nullptr;
            std::size_t next = lineEnd;
            if (shadeIndex < shading.size()) {
                const ColourRun& s = shading[shadeIndex];
                if (std::size_t(s.begin) <= at) {
                    shade = &s;
                    next = std::min(lineEnd, std::size_t(s.end));
                } else {
                    next = std::min(lineEnd, std::size_t(s.begin));
                }
            }
            pugi::xml_node run = appendRun(paragraph, shade);
            appendRunText(run, text, at, next);
            declareFonts(run);
            at = next;
        }
        if (lineEnd >= size)
            break;
        lineStart =
            lineEnd +
            (text[lineEnd] == '\r' && lineEnd + 1 < size && text[lineEnd + 1] == '\n' ? 2 : 1);
        if (lineStart >= size) {
            body.append_child("w:p");
            break;
        }
    }
    pugi::xml_node section = body.append_child("w:sectPr");
    pugi::xml_node pgSz = section.append_child("w:pgSz");
    pgSz.append_attribute("w:w") = kA4WidthTwips;
    pgSz.append_attribute("w:h") = kA4HeightTwips;
    pugi::xml_node pgMar = section.append_child("w:pgMar");
    for (const char* side : {"w:top", "w:right", "w:bottom", "w:left"})
        pgMar.append_attribute(side) = kMarginTwips;
    for (const char* other : {"w:header", "w:footer", "w:gutter"})
        pgMar.append_attribute(other) = 0;

    std::string out;
    StringWriter writer(out);
    doc.save(writer, "", pugi::format_raw, pugi::encoding_utf8);
    return out;
}

std::optional<std::string> buildDocx(SjisView text, const std::vector<ColourRun>& shading,
                                     const DocxOptions& options)
{
    const std::string document = documentXml(text, shading, options);
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(nullptr, 0, 0, &error);
    if (!source)
        return std::nullopt;
    zip_t* archive = zip_open_from_source(source, ZIP_TRUNCATE, &error);
    if (!archive) {
        zip_source_free(source);
        return std::nullopt;
    }
    // The archive is closed into the source, which must outlive the close to be read back.
    zip_source_keep(source);
    const std::pair<const char*, std::string_view> members[] = {
        {"[Content_Types].xml", kContentTypes},
        {"_rels/.rels", kPackageRels},
        {"word/document.xml", document},
    };
    bool ok = true;
    for (const auto& [name, bytes] : members) {
        zip_source_t* member = zip_source_buffer(archive, bytes.data(), bytes.size(), 0);
        if (!member || zip_file_add(archive, name, member, ZIP_FL_ENC_UTF_8) < 0) {
            zip_source_free(member);
            ok = false;
            break;
        }
    }
    if (!ok) {
        zip_discard(archive);
        zip_source_free(source);
        return std::nullopt;
    }
    if (zip_close(archive) < 0) {
        zip_discard(archive);
        zip_source_free(source);
        return std::nullopt;
    }
    std::optional<std::string> out;
    zip_stat_t info;
    if (zip_source_stat(source, &info) == 0 && (info.valid & ZIP_STAT_SIZE) &&
        zip_source_open(source) == 0) {
        std::string bytes(static_cast<std::size_t>(info.size), '\0');
        if (zip_source_read(source, bytes.data(), info.size) == zip_int64_t(info.size))
            out = std::move(bytes);
        zip_source_close(source);
    }
    zip_source_free(source);
    return out;
}

OutputStatus writeDocx(const std::string& path, SjisView text,
                       const std::vector<ColourRun>& shading, const DocxOptions& options)
{
    const std::optional<std::string> bytes = buildDocx(text, shading, options);
    if (!bytes)
        return OutputStatus::BuildFailed;
    const files::WriteStatus status =
        files::writeFileSafely(path, *bytes, files::permissionsOr(path, files::ordinaryFileMode()));
    return status == files::WriteStatus::Ok ? OutputStatus::Ok : OutputStatus::WriteFailed;
}

} // namespace corvane::output
