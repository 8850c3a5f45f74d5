#include "base/qt/QtText.h"

#include "base/Codec.h"

#include <QFile>

namespace corvane {

QString toQString(SjisView sjis)
{
    const std::u16string utf16 = codec::toUtf16(sjis).text;
    return QString(reinterpret_cast<const QChar*>(utf16.data()),
                   static_cast<qsizetype>(utf16.size()));
}

SjisString toSjis(const QString& text, bool* unrepresentable)
{
    codec::Encoded encoded = codec::fromUtf16(std::u16string_view(
        reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())));
    if (unrepresentable)
        *unrepresentable = !encoded.complete();
    return std::move(encoded.text);
}

QString pathToQString(std::string_view utf8Path)
{
    // QFile's own rule for file names (UTF-8 on every supported system).
    return QFile::decodeName(QByteArray(utf8Path.data(), static_cast<qsizetype>(utf8Path.size())));
}

std::string pathFromQString(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

} // namespace corvane
