#include "DocxBuilder.h"

#include <zip.h>

namespace corvane::test {

std::string docxDocumentXml(const std::string& bodyXml)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"
           "<w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\""
           " xmlns:mc=\"http://schemas.openxmlformats.org/markup-compatibility/2006\">"
           "<w:body>" +
           bodyXml + "<w:sectPr/></w:body></w:document>";
}

bool writeDocx(const std::string& path, const std::string& documentXml)
{
    int error = 0;
    zip_t* z = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!z)
        return false;
    static const std::string types =
        "<?xml version=\"1.0\"?><Types "
        "xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\"/>";
    // The buffers must live until zip_close, which copies them into the archive.
    const std::string body = documentXml;
    zip_source_t* t = zip_source_buffer(z, types.data(), types.size(), 0);
    zip_source_t* d = zip_source_buffer(z, body.data(), body.size(), 0);
    const bool added = zip_file_add(z, "[Content_Types].xml", t, ZIP_FL_ENC_UTF_8) >= 0 &&
                       zip_file_add(z, "word/document.xml", d, ZIP_FL_ENC_UTF_8) >= 0;
    if (!added) {
        zip_discard(z);
        return false;
    }
    return zip_close(z) == 0;
}

} // namespace corvane::test
