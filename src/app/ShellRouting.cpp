#include "app/ShellRouting.h"

#include <QApplication>
#include <QColorDialog>

#include <algorithm>

namespace corvane {

void RefreshRouter::addTarget(Refresh* target)
{
    if (target && std::find(targets_.begin(), targets_.end(), target) == targets_.end())
        targets_.push_back(target);
}

void RefreshRouter::removeTarget(Refresh* target)
{
    targets_.erase(std::remove(targets_.begin(), targets_.end(), target), targets_.end());
}

void RefreshRouter::documentMarkersChanged(SjisView relativePath, bool hasMarkers)
{
    each([&](Refresh& r) { r.documentMarkersChanged(relativePath, hasMarkers); });
}
void RefreshRouter::redrawTextViewsOf(SjisView relativePath)
{
    each([&](Refresh& r) { r.redrawTextViewsOf(relativePath); });
}
void RefreshRouter::redrawChart()
{
    each([](Refresh& r) { r.redrawChart(); });
}
void RefreshRouter::rebuildMarkerList()
{
    each([](Refresh& r) { r.rebuildMarkerList(); });
}

void RefreshRouter::showMarkerColourInList(Colour colour)
{
    each([colour](Refresh& r) { r.showMarkerColourInList(colour); });
}

void RefreshRouter::resetPropertiesPane()
{
    each([](Refresh& r) { r.resetPropertiesPane(); });
}
void RefreshRouter::showNodeProperties(ObjectId id)
{
    each([&](Refresh& r) { r.showNodeProperties(id); });
}
void RefreshRouter::showTextViewProperties()
{
    each([](Refresh& r) { r.showTextViewProperties(); });
}
void RefreshRouter::showChartViewProperties()
{
    each([](Refresh& r) { r.showChartViewProperties(); });
}
void RefreshRouter::textViewSettingsChanged()
{
    each([](Refresh& r) { r.textViewSettingsChanged(); });
}
void RefreshRouter::chartSizeChanged()
{
    each([](Refresh& r) { r.chartSizeChanged(); });
}
void RefreshRouter::updateLinkMark(ObjectId subSubject)
{
    each([&](Refresh& r) { r.updateLinkMark(subSubject); });
}
void RefreshRouter::setStatusPane(StatusPane pane, const std::string& text)
{
    each([&](Refresh& r) { r.setStatusPane(pane, text); });
}
void RefreshRouter::showSpanOfObject(ObjectId id)
{
    each([&](Refresh& r) { r.showSpanOfObject(id); });
}
void RefreshRouter::showPropertiesOfObject(ObjectId id)
{
    each([&](Refresh& r) { r.showPropertiesOfObject(id); });
}
void RefreshRouter::dropCurrentMarkerHighlight(SjisView relativePath)
{
    each([&](Refresh& r) { r.dropCurrentMarkerHighlight(relativePath); });
}
void RefreshRouter::bookmarksChanged()
{
    each([](Refresh& r) { r.bookmarksChanged(); });
}

void RefreshRouter::bookmarkCleared(int slot)
{
    each([&](Refresh& r) { r.bookmarkCleared(slot); });
}
void RefreshRouter::showLinksOfObject(ObjectId id)
{
    each([&](Refresh& r) { r.showLinksOfObject(id); });
}

void RefreshRouter::documentFoldersChanged()
{
    each([](Refresh& r) { r.documentFoldersChanged(); });
}

std::optional<Colour> QtColourChooser::chooseColour(Colour initial)
{
    const QColor start(int(colourRed(initial)), int(colourGreen(initial)),
                       int(colourBlue(initial)));
    const QColor chosen = QColorDialog::getColor(start, QApplication::activeWindow());
    if (!chosen.isValid())
        return std::nullopt;
    return rgbColour(unsigned(chosen.red()), unsigned(chosen.green()), unsigned(chosen.blue()));
}

} // namespace corvane
