#include "app/BookmarkWiring.h"

#include "app/CMainFrame.h"
#include "app/CTabArea.h"
#include "app/CVantorApp.h"
#include "app/TextWindow.h"
#include "base/DocPath.h"
#include "model/Bookmarks.h"
#include "model/FixedText.h"
#include "res/MessageCatalogue.h"
#include "res/MessageNumbers.h"
#include "res/ui/CommandIds.h"
#include "textview/CVantorView.h"
#include "textview/TextViewHost.h"

#include <QAction>

namespace corvane {

BookmarkWiring::BookmarkWiring(CMainFrame& frame, CVantorApp& app)
    : QObject(&frame), frame_(frame), app_(app)
{
    setObjectName(QStringLiteral("bookmarkWiring"));
    for (int slot = 0; slot < kBookmarkCount; ++slot) {
        frame.setCommandHandler(cmd::ID_SET_PIN1 + slot, [this, slot] { setPin(slot); });
        frame.setCommandHandler(
            cmd::ID_DSP_PIN1 + slot, [this, slot] { showPin(slot); },
            [&app, slot] { return bookmarks::isSet(app.data(), slot); });
    }
    app.refresh().addTarget(this);
    frame.addPaneHooks(this);
    bookmarksChanged();
}

BookmarkWiring::~BookmarkWiring()
{
    app_.refresh().removeTarget(this);
}

void BookmarkWiring::setPin(int slot)
{
    ProjectData& data = app_.data();
    if (bookmarks::isSet(data, slot)) {
        if (showMessage(app_.messages(), msg::kConfirmRemoveBookmark, {}, style::yesNo) !=
            Answer::Yes)
            return;
        const SjisString document(fixedText(data.textView.bookmarkPath[slot]));
        bookmarks::clear(data, slot);
        app_.refresh().redrawTextViewsOf(document);
        app_.refresh().bookmarksChanged();
        return;
    }
    // Setting needs a caret: nothing happens while the active window is not a text view.
    auto* window = qobject_cast<TextWindow*>(frame_.tabArea()->activeWindow());
    if (CVantorView* view = window ? window->view() : nullptr)
        view->setBookmarkAtCaret(slot, false);
}

void BookmarkWiring::showPin(int slot)
{
    const ProjectData& data = app_.data();
    if (!bookmarks::isSet(data, slot))
        return;
    const SjisView document = fixedText(data.textView.bookmarkPath[slot]);
    const std::optional<std::string> disk = docpath::toDiskPath(data.docFolder(), document);
    if (!disk || !frame_.openDocument(*disk))
        return;
    CVantorView* view = app_.textViews().viewOf(document);
    if (!view)
        return;
    const std::optional<ByteOffset> position =
        bookmarks::positionIn(data, slot, document, view->textStore().length());
    if (!position)
        return; // beyond its document: shown as unset, the record is left alone
    view->clearSelection();
    view->setCaret(*position);
    view->scrollToCaret();
    view->setFocus();
}

void BookmarkWiring::bookmarkCleared(int /*slot*/)
{
    bookmarksChanged();
}

void BookmarkWiring::bookmarksChanged()
{
    std::array<bool, 4> set{};
    for (int slot = 0; slot < kBookmarkCount; ++slot)
        set[std::size_t(slot)] = bookmarks::isSet(app_.data(), slot);
    frame_.showBookmarkButtons(set);
    frame_.updateCommandStates();
}

void BookmarkWiring::showBookmarkButtons(const std::array<bool, 4>& /*set*/)
{
    const ProjectData& data = app_.data();
    for (int slot = 0; slot < kBookmarkCount; ++slot) {
        if (QAction* a = frame_.action(cmd::ID_SET_PIN1 + slot))
            a->setToolTip(QString::fromStdString(bookmarks::setPinTooltip(data, slot)));
        if (QAction* a = frame_.action(cmd::ID_DSP_PIN1 + slot))
            a->setToolTip(QString::fromStdString(bookmarks::showPinTooltip(data, slot)));
    }
}

} // namespace corvane
