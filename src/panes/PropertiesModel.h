// The properties pane without widgets: which page is shown for which object, the page's values
// with the ones changed since it was shown, the routing of an edit by page and property with its
// clamps and refreshes, and the commands of the link page. The pane draws the groups and turns
// gestures into these calls.
#pragma once

#include "base/Services.h"
#include "model/ProjectData.h"
#include "panes/PropertyPages.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace corvane {

namespace chart {
class ChartModel;
}

class PropertiesModel
{
public:
    PropertiesModel(ProjectData& project, Services& services);

    /// The chart view's model while the chart view exists: node edits are recorded in its layout
    /// history and reach its selection. Null while there is no chart view.
    void setChart(chart::ChartModel* chart) { chart_ = chart; }

    PropertyPage page() const { return page_; }
    /// ID of the object shown (pages 3-6), 0 for none.
    ObjectId objectId() const { return object_; }
    const std::vector<PropertyGroup>& groups() const { return groups_; }
    /// The property of the shown page with key (the first for Link), or null.
    const Property* find(PropertyKey key) const;

    /// Shows page for the object with id (ignored on pages 0-2). A page that needs an object
    /// whose object is gone, or of the wrong type, shows the empty page.
    void show(PropertyPage page, ObjectId id = 0);
    /// A marker picked in a text view or the marker list (page 3), a sub-subject (page 6).
    void showObject(ObjectId id);
    /// The chart's main selection: the marker node (4) or sub-subject node (6) page.
    void showNode(ObjectId id);
    /// Empty page 0.
    void reset() { show(PropertyPage::Empty); }
    /// Builds the shown page again from the project. The values shown when the page was shown
    /// stay the reference for "changed"; an object that is gone gives the empty page.
    void refreshValues();

    enum class Edited
    {
        Ignored,   ///< no such property on this page, read-only, or refused input
        Unchanged, ///< the value is stored already (in every node it applies to)
        Stored
    };
    /// Numbers, flags (0/1), choices (index) and colours (0x00BBGGRR). Numbers are clamped to
    /// their range before they are narrowed to the record's field.
    Edited edit(PropertyKey key, std::int64_t value);
    /// The font field ("name(size)") and the comment, as Shift-JIS.
    Edited editText(PropertyKey key, SjisView text);

    // The link page --------------------------------------------------------------------------

    /// Commands 409-411: shows the other end of the link (a marker in its document, a
    /// sub-subject in the subject list). False when the link or its other end is gone (the page
    /// is rebuilt then).
    bool showLinkTarget(LinkEnds link);
    /// Command 412: deletes the link after 30010 led by its row text. False for No or a link
    /// that is gone. The page is rebuilt.
    bool deleteLink(LinkEnds link);
    /// Command 528 (group -1: every row of the page) and 529 (the rows of one group): one
    /// question, then exactly the links those rows name, stopping at the first that fails. The
    /// page is rebuilt. Returns the number deleted.
    int deleteLinks(int group);

    /// The subject list shows and selects the sub-subject (set by the frame).
    std::function<void(ObjectId)> showSubSubject;

private:
    int objectIndex() const;
    /// The nodes a style edit applies to: the shown object, and with it every other selected node
    /// when the chart view exists and the shown object is selected in it.
    std::vector<int> styleTargets() const;
    Edited editTextView(const Property& property, std::int64_t value);
    Edited editChartView(const Property& property, std::int64_t value);
    Edited editMarkerColour(Colour colour);
    Edited editNodeStyle(const Property& property, std::int64_t value);
    Edited editFont(SjisView typed);
    Edited editComment(SjisView text);
    /// Pushes the chart's history for the nodes (when the chart exists); false after 30001.
    bool recordNodes(const std::vector<int>& indexes);
    void nodesChanged();
    int linkIndexOf(LinkEnds link) const;

    ProjectData& p_;
    Services& s_;
    chart::ChartModel* chart_ = nullptr;
    PropertyPage page_ = PropertyPage::Empty;
    ObjectId object_ = 0;
    std::vector<PropertyGroup> groups_;
    /// The page as it was shown, the reference of Property::changed.
    std::vector<PropertyGroup> shown_;
};

} // namespace corvane
