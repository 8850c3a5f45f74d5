// Renders a text view of the sample project's main document to a PNG: line numbers, wrapped
// lines, whitespace and line-end marks, a selection, markers of several colours with link lines
// and link counts, the current marker darkened. Usage: textview_shot <out.png> [width height]
#include "base/qt/QtText.h"
#include "textview/CVantorView.h"
#include "textview/TextViewHost.h"

#include "support/FakeServices.h"

#include <QApplication>
#include <QFile>
#include <QHBoxLayout>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <cstdio>
#include <cstring>
#include <filesystem>

using namespace corvane;

namespace {

/// Fills the tables from the sample's JSON description (markers, sub-subjects, links).
bool loadSample(const QString& jsonPath, ProjectData& project)
{
    QFile file(jsonPath);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QJsonObject root = QJsonDocument::fromJson(file.readAll()).object();
    for (const QJsonValue& v : root.value("objects").toArray()) {
        const QJsonObject o = v.toObject();
        ObjectRecord& r = project.objects[static_cast<std::size_t>(project.objectCount++)];
        r = ObjectRecord{};
        r.id = o.value("id").toInt();
        r.type = static_cast<std::int16_t>(o.value("type").toInt());
        const SjisString doc = toSjis(o.value("document").toString());
        std::strncpy(r.document, doc.c_str(), kDocumentPathBytes - 1);
        r.position = o.value("position").toInt();
        r.length = o.value("length").toInt();
        r.markerColour = static_cast<Colour>(o.value("markerColour").toInteger());
    }
    for (const QJsonValue& v : root.value("links").toArray()) {
        const QJsonObject l = v.toObject();
        project.links[static_cast<std::size_t>(project.linkCount++)] = {l.value("from").toInt(),
                                                                        l.value("to").toInt()};
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: textview_shot <out.png> [width height]\n");
        return 2;
    }
    QFont::insertSubstitutions(QStringLiteral("Meiryo UI"),
                               {QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAPGothic")});
    const int width = argc >= 4 ? std::atoi(argv[2]) : 1100;
    const int height = argc >= 4 ? std::atoi(argv[3]) : 520;

    QTemporaryDir temp;
    const std::filesystem::path root = temp.path().toStdString();
    std::filesystem::copy(CORVANE_SAMPLE_SOURCE "/doc", root / "doc",
                          std::filesystem::copy_options::recursive);

    test::FakeServices fakes;
    ProjectData project;
    project.folder = root.string() + "/";
    project.name = "Sample";
    if (!loadSample(QStringLiteral(CORVANE_SAMPLE_SOURCE "/Sample.json"), project))
        return 1;
    project.currentObject = 2; // the yellow marker of the main claim

    // Left: the main document around its markers; right: the search memo, whose ideographic
    // spaces show the whitespace outlines.
    TextViewHost host(project, fakes.services);
    QWidget window;
    window.resize(width, height);
    auto* layout = new QHBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    const std::string mainDoc = (root / "doc" / "本願" / "特願2024-031857").string();
    const std::string memo = (root / "doc" / "調査" / "検索式メモ").string();
    CVantorView* view = CVantorView::openDocument(mainDoc, project, fakes.services, host, &window);
    CVantorView* memoView = CVantorView::openDocument(memo, project, fakes.services, host, &window);
    if (!view || !memoView)
        return 1;
    layout->addWidget(view, 3);
    layout->addWidget(memoView, 2);
    window.show();
    QApplication::processEvents();
    view->setSelection(700, 760, 700);
    view->setCaret(700);
    view->scrollToLine(view->keyTable().lineOfByte(620));
    view->blinkCaret();
    QApplication::processEvents();
    return window.grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
