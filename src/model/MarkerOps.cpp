#include "model/MarkerOps.h"

#include "base/DocPath.h"
#include "base/SettingsKeys.h"
#include "model/CurrentObject.h"
#include "model/DocumentPath.h"
#include "model/FixedText.h"
#include "model/Limits.h"
#include "model/MarkerPalette.h"
#include "model/NodeDefaults.h"
#include "model/ObjectTable.h"
#include "model/ProjectStatus.h"
#include "res/MessageCatalogue.h"

#include <cstdint>
#include <optional>

namespace corvane {

namespace {

constexpr int kConfirmDelete = 30083;
// "\n====================\nこのマーカを"
constexpr SjisView kDeleteMarkerParticle = "\n====================\n"
                                           "\x82\xb1\x82\xcc\x83\x7d\x81\x5b\x83\x4a\x82\xf0";

Colour initialMarkerColour(const SettingsStore& settings)
{
    return parseColourString(read(settings, keys::MarkerRefDef), keys::defaultMarkerColour);
}

} // namespace

bool MarkerOps::addMarker(SjisView relativePath, ByteOffset startByte, ByteOffset endByte,
                          SjisView markerText, int colourChoice)
{
    if (!objectLimitCheck(s_.messages, true, p_.objectCount))
        return false;
    // A marker must cover at least one byte, and its document must be stored whole: a cut or
    // unsafe path would name another file or none.
    if (startByte < 0 || endByte <= startByte ||
        !fitsFixedField(relativePath, kDocumentPathBytes) || !docpath::isSafeRelative(relativePath))
        return false;

    Colour colour;
    if (colourChoice >= 0 && colourChoice < static_cast<int>(kMarkerPalette.size())) {
        colour = kMarkerPalette[static_cast<std::size_t>(colourChoice)];
    } else if (colourChoice == kColourChoiceDialog) {
        const std::optional<Colour> chosen =
            s_.colours.chooseColour(initialMarkerColour(s_.settings));
        if (!chosen)
            return false;
        colour = *chosen;
    } else {
        colour = initialMarkerColour(s_.settings);
    }

    const ObjectId id = newObjectId(p_);
    ObjectRecord* r = ObjectTable(p_).appendZeroed();
    if (!r)
        return false; // the limit check above already refused a full table
    r->id = id;
    r->type = ObjectType::Marker;
    setFixedText(r->document, relativePath);
    r->position = startByte;
    r->length = endByte - startByte;
    r->markerColour = colour;
    setFixedText(r->secondText, markerText); // the first 100 bytes, cut at a character boundary
    applyNodeDefaults(*r, s_.settings);

    if (countMarkersIn(p_, relativePath) == 1)
        s_.refresh.documentMarkersChanged(relativePath, true);
    setModified(p_);
    refreshStatusCounts(p_, s_);
    return true;
}

bool MarkerOps::deleteMarker(int index, bool ask)
{
    if (index < 0 || index >= p_.objectCount || p_.objects[index].type != ObjectType::Marker)
        return false;
    const ObjectRecord& r = p_.objects[index];
    if (ask) {
        SjisString leading(fixedText(r.secondText));
        leading += kDeleteMarkerParticle;
        if (showMessage(s_.messages, kConfirmDelete, leading, style::yesNo) != Answer::Yes)
            return false;
    }
    // The record is gone after remove(): keep what the refreshes need.
    const SjisString document(fixedText(r.document));
    ObjectTable(p_).remove(r.id);

    if (s_.views.isDocumentOpen(document))
        s_.refresh.redrawTextViewsOf(document);
    if (p_.chartShown)
        s_.refresh.redrawChart();
    if (countMarkersIn(p_, document) == 0)
        s_.refresh.documentMarkersChanged(document, false);
    s_.refresh.rebuildMarkerList();
    s_.refresh.resetPropertiesPane();
    setModified(p_);
    refreshStatusCounts(p_, s_);
    return true;
}

int MarkerOps::navigate(MarkerStep step) const
{
    const ActiveView view = s_.views.activeView();
    if (view.kind != ActiveView::Kind::Text)
        return -1;
    const std::optional<SjisString> document = relativeDocumentPath(p_, view.fullPath);
    if (!document)
        return -1;

    const auto isOfDocument = [&](const ObjectRecord& r) {
        return r.type == ObjectType::Marker && fixedText(r.document) == *document;
    };
    int first = -1;
    int count = 0;
    for (int i = 0; i < p_.objectCount; ++i) {
        if (isOfDocument(p_.objects[i])) {
            if (first < 0)
                first = i;
            ++count;
        }
    }
    if (count <= 1)
        return first;

    // Distances in 64 bits: position + length of a damaged record may not fit 32.
    const std::int64_t caret = view.caretByte;
    int smallest = -1, largest = -1, previous = -1, next = -1;
    std::int64_t previousDistance = 0, nextDistance = 0;
    for (int i = first; i < p_.objectCount; ++i) {
        const ObjectRecord& r = p_.objects[i];
        if (!isOfDocument(r))
            continue;
        const std::int64_t position = r.position;
        // Strict comparisons everywhere: the first marker in table order wins a tie.
        if (smallest < 0 || position < p_.objects[smallest].position)
            smallest = i;
        if (largest < 0 || position > p_.objects[largest].position)
            largest = i;
        if (position + r.length < caret && (previous < 0 || caret - position < previousDistance)) {
            previous = i;
            previousDistance = caret - position;
        }
        if (position >= caret && (next < 0 || position - caret < nextDistance)) {
            next = i;
            nextDistance = position - caret;
        }
    }
    switch (step) {
    case MarkerStep::First:
        return smallest;
    case MarkerStep::Last:
        return largest;
    case MarkerStep::Previous:
        return previous >= 0 ? previous : largest;
    case MarkerStep::Next:
        return next >= 0 ? next : smallest;
    }
    return -1;
}

bool MarkerOps::showMarker(int index, bool withProperties)
{
    if (index < 0 || index >= p_.objectCount || p_.objects[index].type != ObjectType::Marker)
        return false;
    MakeCurrentRequest request;
    request.showSpan = true;
    request.showProperties = withProperties;
    return makeCurrent(p_, s_, p_.objects[index].id, request);
}

} // namespace corvane
