// What the text views of one application share, owned by the application object: the registry of
// open documents (each document's text, key table, undo lists and modified state), the font cache
// every view measures and draws with, the off-screen surface full repaints go through, and the
// list of live views, for the refreshes that reach every view showing a document.
#pragma once

#include "base/Services.h"
#include "model/ProjectData.h"
#include "textview/OpenDocuments.h"

#include <QImage>

#include <array>
#include <memory>
#include <vector>

namespace corvane {

class CVantorView;
class ViewFontCache;

class TextViewHost
{
public:
    TextViewHost(ProjectData& project, Services& services);
    ~TextViewHost();
    TextViewHost(const TextViewHost&) = delete;
    TextViewHost& operator=(const TextViewHost&) = delete;

    OpenDocuments& documents() { return documents_; }
    const OpenDocuments& documents() const { return documents_; }

    /// The font cache, switched to the font of settings (dpiY: the screen's vertical resolution).
    /// A different face, size, weight, slant or anti-aliasing makes a new cache; the documents
    /// laid out with the old widths are detached from them first, and lay out again with their
    /// view's next layout.
    ViewFontCache& fontFor(const TextViewSettings& settings, int dpiY);
    /// Empties the font cache (a project was created or opened, which may bring another font).
    void resetFonts();

    /// The off-screen surface of full repaints, grown to at least atLeast. One view paints at a
    /// time, so one surface serves all; its pixels are opaque (every repaint covers its area).
    QImage& surface(QSize atLeast);

    /// Every live text view, in creation order.
    const std::vector<CVantorView*>& views() const { return views_; }
    /// The view of the document named relativePath, or null.
    CVantorView* viewOf(SjisView relativePath) const;
    /// Lays out and redraws every view (after a change of the text view settings).
    void relayoutAll();

private:
    friend class CVantorView;
    void added(CVantorView* view);
    void removed(CVantorView* view);
    void detachLayouts();

    OpenDocuments documents_;
    std::unique_ptr<ViewFontCache> font_;
    QImage surface_;
    std::vector<CVantorView*> views_;
};

} // namespace corvane
