// Renders the subject list beside a text view of the sample project's main document, with the
// sub-subjects grouped and coloured, a row selected in the description area, and linked markers
// with their link lines and counts. Usage: subjects_shot <out.png> [width height]
#include "base/Codec.h"
#include "base/qt/QtText.h"
#include "model/CProjectIO.h"
#include "model/FixedText.h"
#include "subjects/ui/CMySubjectCtrl.h"
#include "subjects/ui/CSubjectWnd.h"
#include "textview/CVantorView.h"
#include "textview/TextViewHost.h"

#include "support/FakeServices.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <cstdio>
#include <filesystem>

using namespace corvane;

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: subjects_shot <out.png> [width height]\n");
        return 2;
    }
    QFont::insertSubstitutions(QStringLiteral("Meiryo UI"),
                               {QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAPGothic")});
    const int width = argc >= 4 ? std::atoi(argv[2]) : 1200;
    const int height = argc >= 4 ? std::atoi(argv[3]) : 560;

    QTemporaryDir temp;
    const std::filesystem::path root = temp.path().toStdString();
    std::filesystem::copy(CORVANE_SAMPLE_BUILT "/doc", root / "doc",
                          std::filesystem::copy_options::recursive);
    std::filesystem::copy(CORVANE_SAMPLE_BUILT "/Sample.CVN", root / "Sample.CVN");

    test::FakeServices fakes;
    ProjectData project;
    if (!CProjectIO(fakes.services).loadProjectFile(root.string() + "/Sample.CVN", project))
        return 1;
    project.folder = root.string() + "/";
    project.name = "Sample";

    TextViewHost host(project, fakes.services);
    QWidget window;
    auto* layout = new QHBoxLayout(&window);
    auto* subjects = new CSubjectWnd(project, fakes.services);
    subjects->setFixedWidth(330);
    layout->addWidget(subjects);

    // The application document: the one with the most markers.
    std::string document;
    int best = 0;
    for (int i = 0; i < project.objectCount; ++i) {
        const ObjectRecord& r = project.objects[i];
        if (r.type != ObjectType::Marker)
            continue;
        int n = 0;
        for (int k = 0; k < project.objectCount; ++k)
            n += fixedText(project.objects[k].document) == fixedText(r.document);
        if (n > best) {
            best = n;
            document = std::string(fixedText(r.document));
        }
    }
    std::string relative = document;
    for (char& c : relative)
        if (c == '\\')
            c = '/';
    CVantorView* view = CVantorView::openDocument(
        project.docFolder() + codec::toUtf8(relative).text, project, fakes.services, host);
    if (!view)
        return 1;
    layout->addWidget(view, 1);
    window.resize(width, height);
    window.show();
    subjects->rebuildSubjectList();
    // The second group collapsed, and a linked row selected so its title shows below.
    QTreeWidget* tree = subjects->grid()->tree();
    if (tree->topLevelItemCount() > 2)
        tree->topLevelItem(2)->setExpanded(false);
    for (int i = 0; i < project.objectCount; ++i)
        if (project.objects[i].type == ObjectType::SubSubject &&
            subjects->grid()->rowOf(project.objects[i].id)->text(0).startsWith(QLatin1Char('*'))) {
            subjects->grid()->selectObject(project.objects[i].id);
            break;
        }
    QApplication::processEvents();
    view->relayout();
    QApplication::processEvents();
    return window.grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
