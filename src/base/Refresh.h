// The explicit refresh calls through which logic tells the windows what to redraw or rebuild
// after a change. There is no observer mechanism: each operation names what it refreshes. Every
// call has an empty default so that a window that does not exist yet simply ignores it.
#pragma once

#include "base/Types.h"

#include <string>

namespace corvane {

enum class StatusPane
{
    Marker,
    Link,
    Node,
    Position
};

class Refresh
{
public:
    virtual ~Refresh() = default;

    /// Document list: the document (relative path) gained its first or lost its last marker.
    virtual void documentMarkersChanged(SjisView /*relativePath*/, bool /*hasMarkers*/) {}
    /// Redraw every text view showing the document (relative path).
    virtual void redrawTextViewsOf(SjisView /*relativePath*/) {}
    /// Redraw the chart view when it is shown.
    virtual void redrawChart() {}
    virtual void rebuildMarkerList() {}
    /// Marker list: show its pane and make colour its colour filter (the text view's 419).
    virtual void showMarkerColourInList(Colour /*colour*/) {}
    virtual void resetPropertiesPane() {}
    /// The object became the chart's main selection: its marker node or sub-subject node page.
    virtual void showNodeProperties(ObjectId /*id*/) {}
    /// The page of the text view settings or of the chart view settings.
    virtual void showTextViewProperties() {}
    virtual void showChartViewProperties() {}
    /// The project's text view settings changed: every text view lays out again and redraws.
    virtual void textViewSettingsChanged() {}
    /// The chart's width or height changed: the chart view resets its scroll area.
    virtual void chartSizeChanged() {}
    /// Subject list: update the link mark of the sub-subject's row.
    virtual void updateLinkMark(ObjectId /*subSubject*/) {}
    /// Status bar pane text (UTF-8 is not needed: the texts are ASCII digits and " / ").
    virtual void setStatusPane(StatusPane /*pane*/, const std::string& /*text*/) {}
    // Calls that name an object take its ID: a table index names another object once a delete
    // has compacted the table.
    /// Show the object: open its document (or activate its view) and move the view to its span. The
    /// text view drops the highlight of the previous current marker itself.
    virtual void showSpanOfObject(ObjectId /*id*/) {}
    /// Show the object's page in the properties pane, showing the pane when hidden.
    virtual void showPropertiesOfObject(ObjectId /*id*/) {}
    /// A text view must drop its highlight of the current marker (document given by relative path).
    virtual void dropCurrentMarkerHighlight(SjisView /*relativePath*/) {}
    /// Bookmark slot 0-3 was cleared: its ribbon pin shows the unset image.
    virtual void bookmarkCleared(int /*slot*/) {}
    /// A bookmark was set, cleared or moved: pins switch images and tooltips, text views redraw.
    virtual void bookmarksChanged() {}
    /// Open the link list of the object (a marker's link-count box, command 348).
    virtual void showLinksOfObject(ObjectId /*id*/) {}
    /// The document list's folders or documents changed (added, renamed, deleted): lists that
    /// name folders or documents (search targets, marker list) rebuild theirs.
    virtual void documentFoldersChanged() {}
};

/// What logic may ask of the windows: the active child window and its caret.
struct ActiveView
{
    enum class Kind
    {
        None,
        Text,
        Chart
    } kind = Kind::None;
    std::string fullPath;     ///< text view: full disk path (UTF-8), possibly with a trailing "*"
    ByteOffset caretByte = 0; ///< text view: caret byte position, 0 when it has none
};

class ViewQueries
{
public:
    virtual ~ViewQueries() = default;
    virtual ActiveView activeView() const { return {}; }
    /// True when a text view of the document (relative path) is open.
    virtual bool isDocumentOpen(SjisView /*relativePath*/) const { return false; }
};

} // namespace corvane
