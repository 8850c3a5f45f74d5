#include "app/DocumentWiring.h"

#include "app/BookmarkWiring.h"
#include "app/CMainFrame.h"
#include "app/CTabArea.h"
#include "app/CVantorApp.h"
#include "app/ChartWindow.h"
#include "app/ProjectLifecycle.h"
#include "app/TextWindow.h"
#include "base/Check.h"
#include "base/DocPath.h"
#include "chart/ChartGeometry.h"
#include "chart/ChartModel.h"
#include "doclist/CFileView.h"
#include "model/FixedText.h"
#include "model/ObjectTable.h"
#include "model/ProjectStatus.h"
#include "print/ui/CInsatuDlg.h"
#include "res/ui/CommandIds.h"
#include "textview/CMarkerGestures.h"
#include "textview/CVantorView.h"
#include "textview/TextViewHost.h"

namespace corvane {

DocumentWiring* DocumentWiring::install(CMainFrame& frame, CVantorApp& app)
{
    return new DocumentWiring(frame, app);
}

DocumentWiring::DocumentWiring(CMainFrame& frame, CVantorApp& app)
    : QObject(&frame), frame_(frame), app_(app)
{
    setObjectName(QStringLiteral("documentWiring"));
    auto* list = new CFileView(app.data(), app.services(), *this);
    fileView_ = list;
    // Temporary files of the list (the clipboard import) belong in the same private folder as
    // the project's own work files, not in a folder anyone may plant things in.
    list->workFolder = [&app] { return app.projectIO().workFolder(); };
    // A rename or delete that changed records is saved with the project file at once.
    list->saveProjectFile = [&app] {
        if (app.hasLifecycle())
            app.lifecycle().save();
    };
    frame.setPaneWidget(PaneId::DocumentList, list);
    frame.addPaneHooks(list);
    frame.addPaneHooks(this);
    app.refresh().addTarget(this);

    frame.setTextWindowFactory(
        [this, &app, &frame](const std::string& fullPath) -> DocumentWindow* {
            TextWindow* window =
                TextWindow::open(fullPath, app.data(), app.services(), app.textViews());
            if (!window)
                return window;
            if (CMarkerGestures* gestures = CMarkerGestures::of(window->view())) {
                gestures->runFrameCommand = [&frame](int id) { frame.runCommand(id); };
                gestures->toSearch = [this](int id, SjisView text) {
                    if (searchCommand)
                        searchCommand(id, SjisString(text));
                };
            }
            window->saveProjectFile = [&app] {
                if (app.hasLifecycle())
                    app.lifecycle().save();
            };
            return window;
        });
    frame.setChartWindowFactory(
        [&app, &frame]() -> DocumentWindow* { return new ChartWindow(app, frame); });
    connect(frame.tabArea(), &CTabArea::activeWindowChanged, this,
            &DocumentWiring::activeWindowChanged);
    new BookmarkWiring(frame, app);
    frame.setCommandHandler(cmd::ID_SHOW_NODE_CENTRE, [&app, &frame] {
        // From the text view's marker menu: the picked marker is the current object.
        const ProjectData& p = app.data();
        if (p.currentObject >= 0 && p.currentObject < p.objectCount)
            ChartWindow::showNode(frame, app, p.objects[p.currentObject].id);
    });
    // Saving the project also keeps the list's expanded folders.
    frame.setCommandHandler(cmd::ID_PROJECT_SAVE, [this] { saveProject(); });
    frame.setCommandHandler(cmd::ID_INSATU, [&app, &frame] {
        // Nodes without a place yet get one first, as the chart view gives them.
        chart::ChartModel(app.data(), app.services(), 1)
            .placeUnplaced({chart::chartWidth(app.data().chartView) / 2,
                            chart::chartHeight(app.data().chartView) / 2});
        CInsatuDlg dialog(app.data(), app.services(), &frame);
        dialog.exec();
    });
}

DocumentWiring::~DocumentWiring()
{
    app_.refresh().removeTarget(this);
}

TextWindow* DocumentWiring::windowOf(const std::string& fullPath) const
{
    for (DocumentWindow* w : frame_.tabArea()->windows())
        if (w->kind() == DocumentWindow::Kind::Text && w->documentPath() == fullPath)
            return qobject_cast<TextWindow*>(w);
    return nullptr;
}

void DocumentWiring::saveProject()
{
    if (!app_.hasLifecycle())
        return;
    app_.lifecycle().save();
    if (fileView_)
        fileView_->saveViewState();
}

void DocumentWiring::activeWindowChanged(DocumentWindow* window)
{
    if (window && window->kind() == DocumentWindow::Kind::Text) {
        if (fileView_)
            fileView_->selectDocument(window->documentPath());
        window->setFocus();
    }
    // The MARKER pane counts the active text view's document, or shows nothing.
    refreshStatusCounts(app_.data(), app_.services());
}

// --- doclist::DocumentWindows -------------------------------------------------------------------

bool DocumentWiring::openDocument(const std::string& fullPath)
{
    return frame_.openDocument(fullPath);
}

void DocumentWiring::closeView(const std::string& fullPath)
{
    if (TextWindow* w = windowOf(fullPath))
        frame_.closeDocumentWindow(w);
}

void DocumentWiring::closeDocument(const std::string& fullPath)
{
    if (TextWindow* w = windowOf(fullPath)) {
        w->discardChangesOnClose();
        frame_.closeDocumentWindow(w);
    }
}

void DocumentWiring::documentRenamed(const std::string& oldFullPath, const std::string& newFullPath)
{
    if (TextWindow* w = windowOf(oldFullPath))
        w->documentRenamed(newFullPath);
}

// --- LifecycleHooks ---------------------------------------------------------------------------

void DocumentWiring::rebuildDocumentList(bool /*newProject*/)
{
    // The project may bring another font; widths measured for the last one must not be reused.
    app_.textViews().resetFonts();
}

// --- Refresh ----------------------------------------------------------------------------------

void DocumentWiring::documentMarkersChanged(SjisView relativePath, bool hasMarkers)
{
    if (fileView_)
        fileView_->setDocumentMarked(relativePath, hasMarkers);
    frame_.updateCommandStates();
}

void DocumentWiring::redrawTextViewsOf(SjisView relativePath)
{
    for (CVantorView* v : app_.textViews().views())
        if (v->relativePath() == relativePath)
            v->redraw();
}

void DocumentWiring::textViewSettingsChanged()
{
    app_.textViews().relayoutAll();
    // The blink interval is one of the settings; the caret's timer belongs to the frame.
    frame_.restartCaretTimer(app_.data().textView.caretBlink * 100);
}

void DocumentWiring::dropCurrentMarkerHighlight(SjisView relativePath)
{
    redrawTextViewsOf(relativePath);
}

void DocumentWiring::showSpanOfObject(ObjectId id)
{
    const ProjectData& data = app_.data();
    const int objectIndex = findObjectIndex(data, id);
    if (objectIndex < 0)
        return; // deleted since
    const ObjectRecord& r = data.objects[objectIndex];
    if (r.type != ObjectType::Marker)
        return;
    const std::optional<std::string> disk =
        docpath::toDiskPath(data.docFolder(), fixedText(r.document));
    if (!disk || !frame_.openDocument(*disk))
        return;
    TextWindow* w = windowOf(*disk);
    CVantorView* view = w ? w->view() : nullptr;
    if (!view)
        return;
    const ByteOffset end = std::min<ByteOffset>(r.position + r.length, view->textStore().length());
    const ByteOffset start = std::clamp<ByteOffset>(r.position, 0, end);
    view->setSelection(start, end, start);
    view->setCaret(end);
    view->scrollToCaret();
    view->redraw();
}

} // namespace corvane
