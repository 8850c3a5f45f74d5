// The faces every PDF device draws with. Qt 6.4's PDF writer maps the glyphs of the Noto Sans
// CJK collection to wrong characters (Kangxi radicals for 一 日 月, digits lost), and "Meiryo UI"
// resolves to Noto first, so a PDF drawn with the usual faces cannot be searched or copied. The
// IPA faces map back correctly.
#pragma once

#include <QString>

namespace corvane::output {

/// "IPAPGothic": the proportional face of PDF output.
QString pdfProportionalFace();
/// "IPAGothic": the fixed-pitch face of PDF output.
QString pdfFixedFace();
/// The PDF face standing in for family: the fixed-pitch one when family resolves to a
/// fixed-pitch font, the proportional one otherwise.
QString pdfFaceFor(const QString& family);

} // namespace corvane::output
