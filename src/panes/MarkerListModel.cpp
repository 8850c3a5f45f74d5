#include "panes/MarkerListModel.h"

#include "base/SettingsKeys.h"
#include "model/DocumentPath.h"
#include "model/MarkerOps.h"
#include "model/ObjectTable.h"
#include "res/MessageCatalogue.h"
#include "res/MessageNumbers.h"

namespace corvane {

namespace {

/// リスト内のすべてのマーカを
constexpr SjisView kAllListedMarkers = "\x83\x8a\x83\x58\x83\x67\x93\xe0\x82\xcc\x82\xb7\x82\xd7"
                                       "\x82\xc4\x82\xcc\x83\x7d\x81\x5b\x83\x4a\x82\xf0";

} // namespace

MarkerListModel::MarkerListModel(ProjectData& project, Services& services)
    : p_(project), s_(services),
      filter_(colourFilterFromSetting(services.settings.readString(
          keys::RefMarker.section, keys::RefMarker.name, keys::RefMarker.defaultValue)))
{
}

void MarkerListModel::setColourFilter(MarkerColourFilter filter)
{
    filter_ = filter;
    s_.settings.writeString(keys::RefMarker.section, keys::RefMarker.name,
                            colourFilterSetting(filter));
}

void MarkerListModel::selectRow(int row)
{
    selected_ = row >= 0 && row < int(rows_.size()) ? row : -1;
}

MarkerListModel::Rebuilt MarkerListModel::rebuild(bool userChoice, SjisView itemText)
{
    rows_.clear();
    selected_ = -1;
    if (!p_.isOpen())
        return Rebuilt::NoActiveView;
    std::vector<SjisString> documents;
    if (target_.kind == MarkerTarget::Kind::Open) {
        for (const std::string& full : p_.openDocuments)
            if (std::optional<SjisString> relative = relativeDocumentPath(p_, full))
                documents.push_back(std::move(*relative));
    } else if (target_.kind == MarkerTarget::Kind::Current) {
        const ActiveView view = s_.views.activeView();
        if (view.kind == ActiveView::Kind::Chart) {
            if (userChoice)
                showMessage(s_.messages, msg::kChartIsActive, {}, style::information);
            return Rebuilt::ChartActive;
        }
        std::optional<SjisString> relative;
        if (view.kind == ActiveView::Kind::Text)
            relative = relativeDocumentPath(p_, view.fullPath);
        if (!relative)
            return Rebuilt::NoActiveView;
        documents.push_back(std::move(*relative));
    }
    rows_ = collectMarkerRows(p_, target_, filter_, documents);
    if (!rows_.empty())
        selected_ = 0;
    else if (userChoice)
        showMessage(s_.messages, msg::kNoMarker,
                    emptyListLeadingText(itemText, filter_.has_value()), style::information);
    return Rebuilt::Ran;
}

bool MarkerListModel::rowCommandsEnabled() const
{
    return rows_.size() == 1 || (rows_.size() >= 2 && selected_ >= 0);
}

int MarkerListModel::indexOfRow(int row) const
{
    if (row < 0 || row >= int(rows_.size()))
        return -1;
    const int index = findObjectIndex(p_, rows_[std::size_t(row)].id);
    return index >= 0 && p_.objects[index].type == ObjectType::Marker ? index : -1;
}

bool MarkerListModel::showRow(Step step)
{
    if (!rowCommandsEnabled())
        return false;
    const int count = int(rows_.size());
    int row = count == 1 ? 0 : selected_;
    if (count > 1 && step == Step::Next)
        row = (row + 1) % count;
    else if (count > 1 && step == Step::Previous)
        row = (row + count - 1) % count;
    const int index = indexOfRow(row);
    if (index < 0 || !MarkerOps(p_, s_).showMarker(index, true))
        return false;
    if (step != Step::Selected)
        selected_ = row;
    return true;
}

bool MarkerListModel::deleteSelected()
{
    const int row = rows_.size() == 1 ? 0 : selected_;
    const int index = indexOfRow(row);
    if (index < 0 || !MarkerOps(p_, s_).deleteMarker(index, true))
        return false;
    rebuild();
    return true;
}

int MarkerListModel::deleteAllListed()
{
    if (rows_.empty())
        return 0;
    if (showMessage(s_.messages, msg::kConfirmDeleteWithLinks, kAllListedMarkers, style::yesNo) !=
        Answer::Yes)
        return 0;
    // Each deletion compacts the table and may rebuild these rows through the refresh call, so
    // the IDs are taken first and each is looked up again right before its deletion.
    std::vector<ObjectId> ids;
    for (const MarkerRow& row : rows_)
        ids.push_back(row.id);
    int deleted = 0;
    for (ObjectId id : ids) {
        const int index = findObjectIndex(p_, id);
        if (index < 0 || !MarkerOps(p_, s_).deleteMarker(index, false))
            break;
        ++deleted;
    }
    // Also after a stop: the list must not show markers as gone that still exist.
    rebuild();
    return deleted;
}

} // namespace corvane
