#include "doclist/DocxText.h"

#include <pugixml.hpp>
#include <zip.h>

#include <cstring>
#include <memory>

namespace corvane::doclist {

namespace {

/// A body part larger than this is refused rather than inflated: a hostile archive can declare
/// gigabytes for a few bytes of input.
constexpr zip_uint64_t kMaxPartBytes = 256u * 1024 * 1024;

bool isElement(const pugi::xml_node& n, const char* localName)
{
    const char* name = n.name();
    const char* colon = std::strchr(name, ':');
    return std::strcmp(colon ? colon + 1 : name, localName) == 0;
}

class BodyWalker
{
public:
    std::string text;

    void block(const pugi::xml_node& parent)
    {
        for (pugi::xml_node child : parent.children()) {
            if (child.type() != pugi::node_element)
                continue;
            if (isElement(child, "p")) {
                paragraph(child);
                text += '\n';
            } else if (isElement(child, "tbl")) {
                table(child);
            } else if (isElement(child, "sectPr")) {
                // Section layout only.
            } else {
                // Content controls, custom XML and change-tracking wrappers hold further blocks.
                block(child);
            }
        }
    }

private:
    void table(const pugi::xml_node& tbl)
    {
        for (pugi::xml_node row : tbl.children()) {
            if (!isElement(row, "tr"))
                continue;
            bool firstCell = true;
            for (pugi::xml_node cell : row.children()) {
                if (!isElement(cell, "tc"))
                    continue;
                if (!firstCell)
                    text += '\t';
                firstCell = false;
                cellText(cell);
            }
            text += '\n';
        }
    }

    /// A cell's paragraphs on one line, separated by a space, so that a row stays one line.
    void cellText(const pugi::xml_node& cell)
    {
        bool firstParagraph = true;
        for (pugi::xml_node child : cell.children()) {
            if (isElement(child, "p")) {
                if (!firstParagraph)
                    text += ' ';
                firstParagraph = false;
                paragraph(child);
            } else if (isElement(child, "tbl")) {
                // A nested table cannot stay on the row's line; it follows on lines of its own.
                text += '\n';
                table(child);
            }
        }
    }

    void paragraph(const pugi::xml_node& p) { inline_(p); }

    void inline_(const pugi::xml_node& parent)
    {
        for (pugi::xml_node child : parent.children()) {
            if (child.type() != pugi::node_element)
                continue;
            if (isElement(child, "t")) {
                text += child.child_value();
            } else if (isElement(child, "tab") || isElement(child, "ptab")) {
                text += '\t';
            } else if (isElement(child, "br") || isElement(child, "cr")) {
                text += '\n';
            } else if (isElement(child, "noBreakHyphen")) {
                text += '-';
            } else if (isElement(child, "delText") || isElement(child, "instrText") ||
                       isElement(child, "del") || isElement(child, "pPr") ||
                       isElement(child, "rPr") || isElement(child, "Fallback")) {
                // Deleted text, field codes, properties, and the duplicate fallback of
                // alternate content are not part of what the reader sees.
            } else if (isElement(child, "txbxContent")) {
                // A text box: its paragraphs follow the anchor's text on lines of their own.
                text += '\n';
                BodyWalker inner;
                inner.block(child);
                if (!inner.text.empty() && inner.text.back() == '\n')
                    inner.text.pop_back();
                text += inner.text;
            } else {
                inline_(child);
            }
        }
    }
};

} // namespace

std::optional<std::string> docxBodyText(std::string_view documentXml)
{
    pugi::xml_document doc;
    const pugi::xml_parse_result parsed = doc.load_buffer(
        documentXml.data(), documentXml.size(), pugi::parse_default | pugi::parse_ws_pcdata);
    if (!parsed)
        return std::nullopt;
    pugi::xml_node root = doc.document_element();
    if (!isElement(root, "document"))
        return std::nullopt;
    pugi::xml_node body;
    for (pugi::xml_node child : root.children())
        if (isElement(child, "body"))
            body = child;
    if (!body)
        return std::nullopt;
    BodyWalker walker;
    walker.block(body);
    return walker.text;
}

namespace {

/// The body text of an opened archive: the part is checked against kMaxPartBytes by its declared
/// size and then read whole; a part that yields fewer bytes than declared is refused.
std::optional<std::string> bodyTextOfArchive(zip_t* archive)
{
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_stat(archive, "word/document.xml", 0, &st) != 0 || !(st.valid & ZIP_STAT_SIZE) ||
        st.size > kMaxPartBytes)
        return std::nullopt;
    std::unique_ptr<zip_file_t, decltype(&zip_fclose)> part(
        zip_fopen(archive, "word/document.xml", 0), &zip_fclose);
    if (!part)
        return std::nullopt;
    std::string xml(static_cast<std::size_t>(st.size), '\0');
    std::size_t got = 0;
    while (got < xml.size()) {
        const zip_int64_t n = zip_fread(part.get(), xml.data() + got, xml.size() - got);
        if (n <= 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    if (got != xml.size())
        return std::nullopt;
    return docxBodyText(xml);
}

} // namespace

std::optional<std::string> extractDocxText(const std::string& path)
{
    int error = 0;
    std::unique_ptr<zip_t, decltype(&zip_discard)> archive(
        zip_open(path.c_str(), ZIP_RDONLY, &error), &zip_discard);
    if (!archive)
        return std::nullopt;
    return bodyTextOfArchive(archive.get());
}

std::optional<std::string> extractDocxTextFromBytes(std::string_view bytes)
{
    zip_error_t error;
    zip_error_init(&error);
    // The source does not own the bytes (freep 0); the archive takes the source over once opened.
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
    zip_error_fini(&error);
    if (source == nullptr)
        return std::nullopt;
    zip_error_init(&error);
    std::unique_ptr<zip_t, decltype(&zip_discard)> archive(
        zip_open_from_source(source, ZIP_RDONLY, &error), &zip_discard);
    zip_error_fini(&error);
    if (!archive) {
        zip_source_free(source);
        return std::nullopt;
    }
    return bodyTextOfArchive(archive.get());
}

} // namespace corvane::doclist
