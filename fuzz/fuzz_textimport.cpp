// Feeds arbitrary bytes to the text import: encoding detection, conversion to Shift-JIS, line-end
// normalisation and tab expansion. The document it makes obeys the rules every document obeys
// (no TAB, CR and LF only as CR LF pairs), and a source detected as UTF-8 is
// valid UTF-8.
#include "doclist/DocumentImporter.h"
#include "doclist/ImportText.h"
#include "doclist/SourceEncoding.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace corvane::doclist;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const SourceEncoding encoding = detectSourceEncoding(bytes);
    if (encoding == SourceEncoding::Utf8 && !isValidUtf8(bytes))
        std::abort();
    (void)passesTextCheck(bytes);

    const corvane::SjisString document = DocumentImporter::documentFromText(bytes);
    if (document.find('\t') != std::string::npos)
        std::abort();
    for (std::size_t i = 0; i < document.size(); ++i) {
        if (document[i] == '\r' && (i + 1 == document.size() || document[i + 1] != '\n'))
            std::abort();
        if (document[i] == '\n' && (i == 0 || document[i - 1] != '\r'))
            std::abort();
    }
    // Shift-JIS sources are taken as they are: the conversion never alters them.
    if (encoding == SourceEncoding::ShiftJis && sourceToSjis(bytes) != bytes)
        std::abort();
    return 0;
}
