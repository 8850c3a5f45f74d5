#include "textview/TextViewHost.h"

#include "textview/CVantorView.h"
#include "textview/ViewFontCache.h"

#include <algorithm>

namespace corvane {

TextViewHost::TextViewHost(ProjectData& project, Services& services) : documents_(project, services)
{
}

TextViewHost::~TextViewHost()
{
    // Views outliving the host would reach a dead registry: the application object closes its
    // windows first. The documents go before the font cache their key tables measure with.
    detachLayouts();
    documents_.closeAll();
}

ViewFontCache& TextViewHost::fontFor(const TextViewSettings& settings, int dpiY)
{
    const QFont font = ViewFontCache::makeFont(settings, dpiY);
    if (!font_ || !ViewFontCache::sameFont(font_->font(), font)) {
        detachLayouts();
        font_ = std::make_unique<ViewFontCache>(font);
    }
    return *font_;
}

void TextViewHost::resetFonts()
{
    detachLayouts();
    font_.reset();
}

void TextViewHost::detachLayouts()
{
    for (TextDocument* d : documents_.inOpeningOrder())
        d->setLayout(nullptr, 0);
}

QImage& TextViewHost::surface(QSize atLeast)
{
    if (surface_.width() < atLeast.width() || surface_.height() < atLeast.height())
        surface_ = QImage(atLeast.expandedTo(surface_.size()), QImage::Format_RGB32);
    return surface_;
}

CVantorView* TextViewHost::viewOf(SjisView relativePath) const
{
    for (CVantorView* v : views_)
        if (v->isLoaded() && v->relativePath() == relativePath)
            return v;
    return nullptr;
}

void TextViewHost::relayoutAll()
{
    for (CVantorView* v : views_)
        v->relayout();
}

void TextViewHost::added(CVantorView* view)
{
    views_.push_back(view);
}

void TextViewHost::removed(CVantorView* view)
{
    views_.erase(std::remove(views_.begin(), views_.end(), view), views_.end());
}

} // namespace corvane
