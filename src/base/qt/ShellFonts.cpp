#include "base/qt/ShellFonts.h"

#include <QFont>
#include <QStringList>

namespace corvane {

void registerFontSubstitutions()
{
    const QStringList proportional{QStringLiteral("Noto Sans CJK JP"),
                                   QStringLiteral("IPAPGothic")};
    for (const char* name : {"Meiryo UI", "Meiryo", "メイリオ", "MS UI Gothic", "MS PGothic",
                             "ＭＳ Ｐゴシック", "Yu Gothic UI", "Yu Gothic", "游ゴシック"})
        QFont::insertSubstitutions(QString::fromUtf8(name), proportional);
    // Fixed-pitch names keep a fixed-pitch fallback.
    const QStringList fixed{QStringLiteral("Noto Sans Mono CJK JP"), QStringLiteral("IPAGothic")};
    for (const char* name : {"MS Gothic", "ＭＳ ゴシック"})
        QFont::insertSubstitutions(QString::fromUtf8(name), fixed);
}

} // namespace corvane
