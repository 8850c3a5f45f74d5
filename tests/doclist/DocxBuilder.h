// Builds small .docx files for tests: a zip archive with the given word/document.xml body.
#pragma once

#include <string>

namespace corvane::test {

/// Wraps body XML (the children of w:body) in a w:document with the usual namespaces.
std::string docxDocumentXml(const std::string& bodyXml);

/// Writes a zip at path holding word/document.xml (and a content-types part); false on failure.
bool writeDocx(const std::string& path, const std::string& documentXml);

} // namespace corvane::test
