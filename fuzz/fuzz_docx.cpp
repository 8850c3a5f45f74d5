// Feeds arbitrary bytes to the .docx import, both as a whole archive and as the body part's XML:
// no crash, and the document made from any text it extracts holds no TAB byte and only CR LF
// line ends.
#include "doclist/DocumentImporter.h"
#include "doclist/DocxText.h"

#include <cstdint>
#include <cstdlib>

namespace {

void checkDocument(const std::string& utf8)
{
    const corvane::SjisString document =
        corvane::doclist::DocumentImporter::documentFromWordText(utf8);
    if (document.find('\t') != std::string::npos)
        std::abort();
    for (std::size_t i = 0; i < document.size(); ++i) {
        if (document[i] == '\r' && (i + 1 == document.size() || document[i + 1] != '\n'))
            std::abort();
        if (document[i] == '\n' && (i == 0 || document[i - 1] != '\r'))
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (const auto text = corvane::doclist::extractDocxTextFromBytes(bytes))
        checkDocument(*text);
    if (const auto text = corvane::doclist::docxBodyText(bytes))
        checkDocument(*text);
    return 0;
}
