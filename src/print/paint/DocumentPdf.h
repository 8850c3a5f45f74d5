// A document as a PDF file: A4 portrait, 20 mm margins, lines wrapped at the page width, each
// marker piece's characters on its colour, fonts embedded so the text can be searched and copied.
// Written through QSaveFile, so the file appears only when it is complete and an older file of
// that name survives a failure.
#pragma once

#include "print/CharIndexMap.h"
#include "print/DocxWriter.h"

#include <QString>

#include <functional>
#include <string>
#include <vector>

namespace corvane::output {

struct PdfDocumentOptions
{
    QString family = QStringLiteral("IPAGothic"); ///< a PDF face (PdfFaces.h)
    double pointSize = 10.5;
    QString title;
    /// Called now and then with the share done (0-100), for a progress display.
    std::function<void(int percent)> progress;
};

/// Writes text (Shift-JIS) with shading (documentShading's runs; empty for text only) to path.
OutputStatus writeDocumentPdf(const std::string& path, SjisView text,
                              const std::vector<ColourRun>& shading,
                              const PdfDocumentOptions& options = {});

} // namespace corvane::output
