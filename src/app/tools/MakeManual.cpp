// Turns the Markdown user manual into Manual.pdf at build time with Qt's own Markdown reader and
// PDF writer. Usage: corvane_manual <manual.md> <Manual.pdf>
#include "base/qt/ShellFonts.h"

#include <QFile>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>

#include <cstdio>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: corvane_manual <manual.md> <Manual.pdf>\n");
        return 2;
    }
    QFile in(QString::fromLocal8Bit(argv[1]));
    if (!in.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    corvane::registerFontSubstitutions();
    QTextDocument doc;
    // IPAPGothic, not Noto Sans CJK JP: with the CJK collection font the PDF writer maps glyphs
    // back to the wrong characters (Kangxi radicals for common kanji, a lost final digit), so
    // the manual's text could not be searched or copied.
    QFont font(QStringLiteral("IPAPGothic"));
    font.setPointSize(10);
    doc.setDefaultFont(font);
    doc.setDefaultStyleSheet(QStringLiteral("table { border-collapse: collapse; }"
                                            "th, td { border: 1px solid #888; padding: 3px; }"));
    doc.setMarkdown(QString::fromUtf8(in.readAll()));

    QPdfWriter pdf(QString::fromLocal8Bit(argv[2]));
    pdf.setTitle(QStringLiteral("Manual"));
    pdf.setCreator(QStringLiteral("Corvane"));
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter);
    pdf.setResolution(300);
    doc.print(&pdf);
    return 0;
}
