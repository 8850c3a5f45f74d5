#include "app/TextWindow.h"

#include "model/ObjectTable.h"
#include "print/ui/OutputCommands.h"
#include "res/MessageCatalogue.h"
#include "res/MessageNumbers.h"
#include "res/ui/CommandIds.h"
#include "textview/CMarkerGestures.h"
#include "textview/CVantorView.h"

#include <QVBoxLayout>

namespace corvane {

TextWindow* TextWindow::open(const std::string& fullPath, ProjectData& project, Services& services,
                             TextViewHost& host)
{
    CVantorView* view = CVantorView::openDocument(fullPath, project, services, host);
    if (!view)
        return nullptr;
    return new TextWindow(view, project, services);
}

TextWindow::TextWindow(CVantorView* view, ProjectData& project, Services& services)
    : project_(project), services_(services), view_(view), path_(view->documentPath())
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view);
    setFocusProxy(view);
    connect(view, &CVantorView::modifiedChanged, this, [this] { emit stateChanged(); });
}

TextWindow::~TextWindow() = default;

QString TextWindow::title() const
{
    if (!view_)
        return closedTitle_;
    // The tab adds the "*" of unsaved changes itself.
    QString name = view_->title();
    if (view_->isModified() && name.endsWith(QLatin1Char('*')))
        name.chop(1);
    return name;
}

std::string TextWindow::documentPath() const
{
    return view_ ? view_->documentPath() : path_;
}

bool TextWindow::isModified() const
{
    return view_ && view_->isModified();
}

bool TextWindow::hasMarkers() const
{
    return view_ && !view_->relativePath().empty() &&
           countMarkersIn(project_, view_->relativePath()) > 0;
}

bool TextWindow::selectionMarkable() const
{
    const CMarkerGestures* gestures = CMarkerGestures::of(view_);
    return gestures && gestures->selectionMarkable();
}

ByteOffset TextWindow::caretByte() const
{
    return view_ ? view_->caret() : 0;
}

bool TextWindow::handleCommand(int id)
{
    if (!view_)
        return false;
    switch (id) {
    case cmd::ID_TVIEW_SAVE:
        return saveDocument();
    case cmd::ID_TVIEW_WORD:
    case cmd::ID_TVIEW_PDF:
        if (const TextDocument* document = view_->document())
            outputDocument(this, project_, services_, *document, id == cmd::ID_TVIEW_PDF);
        return true;
    case cmd::ID_TO_DOC_TOP:
    case cmd::ID_TO_DOC_TAIL:
        view_->clearSelection();
        view_->setCaret(id == cmd::ID_TO_DOC_TOP ? 0 : view_->textStore().length());
        view_->scrollToCaret();
        return true;
    default:
        break;
    }
    if (view_->handleCommand(id))
        return true;
    CMarkerGestures* gestures = CMarkerGestures::of(view_);
    return gestures && gestures->handleCommand(id);
}

bool TextWindow::isCommandEnabled(int id) const
{
    if (!view_)
        return false;
    switch (id) {
    case cmd::ID_TVIEW_SAVE:
        return view_->isModified();
    case cmd::ID_TVIEW_WORD:
    case cmd::ID_TVIEW_PDF:
        return view_->document() != nullptr;
    case cmd::ID_TO_DOC_TOP:
    case cmd::ID_TO_DOC_TAIL:
        return true;
    default:
        break;
    }
    if (view_->isCommandEnabled(id))
        return true;
    const CMarkerGestures* gestures = CMarkerGestures::of(view_);
    return gestures && gestures->isCommandEnabled(id);
}

bool TextWindow::saveDocument()
{
    if (!view_ || !view_->isModified())
        return true;
    // The edits moved the markers and bookmarks of this text: the project file that holds them
    // goes to disk with it, so the two never disagree after a crash.
    const bool withProject = view_->document()->savesWithProject();
    if (!view_->save())
        return false;
    if (withProject && project_.modified && saveProjectFile)
        saveProjectFile();
    return true;
}

bool TextWindow::prepareClose()
{
    if (!view_)
        return true;
    if (view_->isModified()) {
        OnClose decision = onClose_;
        // Edits move markers with the text; throwing the text away would leave the markers of
        // the document pointing at the wrong bytes. Such documents are saved without asking, as
        // the project's save confirmation does.
        if (decision == OnClose::Ask && view_->document()->savesWithProject())
            decision = OnClose::Save;
        if (decision == OnClose::Ask) {
            switch (showMessage(services_.messages, msg::kSaveChanges, {}, style::yesNoCancel)) {
            case Answer::Yes:
                decision = OnClose::Save;
                break;
            case Answer::No:
                decision = OnClose::Discard;
                break;
            default:
                return false;
            }
        }
        onClose_ = OnClose::Ask;
        // A failed save keeps the window and its "*" (the message said why).
        if (decision == OnClose::Save && !saveDocument())
            return false;
    }
    path_ = view_->documentPath();
    closedTitle_ = title();
    // Deleting the view now takes the document out of the open documents table; a deferred
    // deletion could strike after the same document was opened again.
    delete view_.data();
    return true;
}

void TextWindow::relayout()
{
    if (view_)
        view_->relayout();
}

void TextWindow::toggleCaret()
{
    if (view_)
        view_->blinkCaret();
}

void TextWindow::documentRenamed(const std::string& newFullPath)
{
    if (!view_)
        return;
    view_->documentRenamed(newFullPath);
    path_ = newFullPath;
    emit stateChanged();
}

} // namespace corvane
