#include "print/paint/PdfFaces.h"

#include <QFont>
#include <QFontInfo>

namespace corvane::output {

QString pdfProportionalFace()
{
    return QStringLiteral("IPAPGothic");
}

QString pdfFixedFace()
{
    return QStringLiteral("IPAGothic");
}

QString pdfFaceFor(const QString& family)
{
    if (family.isEmpty())
        return pdfFixedFace();
    return QFontInfo(QFont(family)).fixedPitch() ? pdfFixedFace() : pdfProportionalFace();
}

} // namespace corvane::output
