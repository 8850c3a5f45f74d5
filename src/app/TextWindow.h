// The tab area's window around one text view: it answers the frame's questions (title with "*",
// modified, markers, caret), routes the ribbon's text view commands to the view and its marker
// gestures, and decides at close whether the document's changes are saved.
#pragma once

#include "app/DocumentWindow.h"
#include "base/Services.h"
#include "model/ProjectData.h"
#include "textview/CVantorView.h"

#include <QPointer>

#include <functional>
#include <string>

namespace corvane {

class TextWindow : public DocumentWindow
{
    Q_OBJECT
public:
    /// Opens fullPath (UTF-8 disk path) in a new text view: 30014 for a missing document, 30007
    /// when 20 are open, then the load with its own messages. Null when nothing was opened.
    static TextWindow* open(const std::string& fullPath, ProjectData& project, Services& services,
                            TextViewHost& host);
    ~TextWindow() override;

    /// The view; null once the window has closed it.
    CVantorView* view() const { return view_; }

    Kind kind() const override { return Kind::Text; }
    QString title() const override;
    std::string documentPath() const override;
    bool isModified() const override;
    bool hasMarkers() const override;
    bool selectionMarkable() const override;
    ByteOffset caretByte() const override;

    bool handleCommand(int id) override;
    bool isCommandEnabled(int id) const override;

    bool saveDocument() override;
    void discardChangesOnClose() override { onClose_ = OnClose::Discard; }
    void saveChangesOnClose() override { onClose_ = OnClose::Save; }
    /// Decides about unsaved changes, then closes the view at once, so the open documents table
    /// forgets the document before anything can reopen it.
    bool prepareClose() override;

    void relayout() override;
    void toggleCaret() override;

    /// Saves the project file (set by the wiring); called after a document save that moved
    /// markers or bookmarks.
    std::function<void()> saveProjectFile;

    /// The document list renamed the document or a folder above it.
    void documentRenamed(const std::string& newFullPath);

private:
    TextWindow(CVantorView* view, ProjectData& project, Services& services);

    enum class OnClose
    {
        Ask,     ///< the tab's own close: ask 30081 about unsaved changes
        Save,    ///< the save confirmation kept the document
        Discard, ///< the save confirmation unchecked the document
    };

    ProjectData& project_;
    Services& services_;
    QPointer<CVantorView> view_;
    std::string path_; ///< kept for the moment between closing the view and removing the tab
    QString closedTitle_;
    OnClose onClose_ = OnClose::Ask;
};

} // namespace corvane
