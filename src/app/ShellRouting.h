// The application object's implementations of the logic interfaces that reach windows: refresh
// calls fan out to whichever panes and views have registered, view queries go to the frame, and
// colour choice opens the colour dialog. Windows that do not exist yet are simply not registered.
#pragma once

#include "base/ColourChooser.h"
#include "base/Refresh.h"

#include <vector>

namespace corvane {

class RefreshRouter : public Refresh
{
public:
    /// target must stay alive until removed.
    void addTarget(Refresh* target);
    void removeTarget(Refresh* target);

    void documentMarkersChanged(SjisView relativePath, bool hasMarkers) override;
    void redrawTextViewsOf(SjisView relativePath) override;
    void redrawChart() override;
    void rebuildMarkerList() override;
    void showMarkerColourInList(Colour colour) override;
    void resetPropertiesPane() override;
    void showNodeProperties(ObjectId id) override;
    void showTextViewProperties() override;
    void showChartViewProperties() override;
    void textViewSettingsChanged() override;
    void chartSizeChanged() override;
    void updateLinkMark(ObjectId subSubject) override;
    void setStatusPane(StatusPane pane, const std::string& text) override;
    void showSpanOfObject(ObjectId id) override;
    void showPropertiesOfObject(ObjectId id) override;
    void dropCurrentMarkerHighlight(SjisView relativePath) override;
    void bookmarkCleared(int slot) override;
    void bookmarksChanged() override;
    void showLinksOfObject(ObjectId id) override;
    void documentFoldersChanged() override;

private:
    template <typename F> void each(F f)
    {
        // A copy: a target may unregister itself while being called.
        const std::vector<Refresh*> targets = targets_;
        for (Refresh* t : targets)
            f(*t);
    }
    std::vector<Refresh*> targets_;
};

class ViewRouter : public ViewQueries
{
public:
    void setTarget(const ViewQueries* target) { target_ = target; }
    ActiveView activeView() const override
    {
        return target_ ? target_->activeView() : ActiveView{};
    }
    bool isDocumentOpen(SjisView relativePath) const override
    {
        return target_ && target_->isDocumentOpen(relativePath);
    }

private:
    const ViewQueries* target_ = nullptr;
};

/// The colour dialog with its full custom-colour panel.
class QtColourChooser : public ColourChooser
{
public:
    std::optional<Colour> chooseColour(Colour initial) override;
};

} // namespace corvane
