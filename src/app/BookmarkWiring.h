// The ribbon's bookmark pins: set pins 543-546 set a bookmark at the active text view's caret or
// clear it after asking, show pins 547-550 open the bookmark's document at its position. Keeps
// the pins' images and tooltips in step with the bookmarks, whichever route set or cleared them.
#pragma once

#include "app/LifecycleHooks.h"
#include "base/Refresh.h"

#include <QObject>

namespace corvane {

class CMainFrame;
class CVantorApp;

class BookmarkWiring : public QObject, public Refresh, public LifecycleHooks
{
    Q_OBJECT
public:
    BookmarkWiring(CMainFrame& frame, CVantorApp& app);
    ~BookmarkWiring() override;

    void setPin(int slot);
    void showPin(int slot);

    // --- Refresh -----------------------------------------------------------------------------
    void bookmarkCleared(int slot) override;
    void bookmarksChanged() override;

    // --- LifecycleHooks: the pins switched images (a project opened or closed, or a change) --
    void showBookmarkButtons(const std::array<bool, 4>& set) override;

private:
    CMainFrame& frame_;
    CVantorApp& app_;
};

} // namespace corvane
