#include "textview/MarkerEdit.h"

#include "base/SettingsKeys.h"
#include "base/Sjis.h"
#include "model/CurrentObject.h"
#include "model/FixedText.h"
#include "model/MarkerOps.h"
#include "model/MarkerPalette.h"
#include "model/ProjectStatus.h"
#include "res/MessageCatalogue.h"

#include <cstdint>

namespace corvane {

namespace {

constexpr int kOverSeveralMarkers = 30047;
constexpr int kConfirmSpanChange = 30054;
constexpr int kAskColourChange = 30092;
constexpr int kConfirmInitialColour = 30031;
constexpr int kInitialColourSet = 30091;
constexpr SjisView kBefore = "[\x95\xcf\x8d\x58\x91\x4f] "; // "[変更前] "
constexpr SjisView kAfter = "[\x95\xcf\x8d\x58\x8c\xe3] ";  // "[変更後] "
constexpr SjisView kSeparator = "\n====================\n";

constexpr int kAddMarker = 334;
constexpr int kAddMarkerInitial = 339;
constexpr int kAddMarker1 = 485;
constexpr int kAddMarker7 = 491;
constexpr int kAddMarkerEtc = 515;

} // namespace

bool markerOverlapsSelection(ByteOffset position, std::int32_t length, ByteOffset selStart,
                             ByteOffset selEnd)
{
    // 64 bits: position + length of a damaged record may not fit 32.
    const std::int64_t p = position;
    const std::int64_t e = std::int64_t(position) + length - 1;
    const std::int64_t a = selStart;
    const std::int64_t b = selEnd;
    return (a >= p && b <= e) || (p < a && a < e && b >= e) || (a <= p && p < b && b < e) ||
           (a <= p && b >= e);
}

std::vector<int> overlappingMarkers(const ProjectData& project, SjisView relativePath,
                                    ByteOffset selStart, ByteOffset selEnd)
{
    std::vector<int> found;
    for (int i = 0; i < project.objectCount; ++i) {
        const ObjectRecord& r = project.objects[i];
        if (r.type == ObjectType::Marker && fixedText(r.document) == relativePath &&
            markerOverlapsSelection(r.position, r.length, selStart, selEnd))
            found.push_back(i);
    }
    return found;
}

int markerAt(const ProjectData& project, SjisView relativePath, ByteOffset byteOffset)
{
    for (int i = 0; i < project.objectCount; ++i) {
        const ObjectRecord& r = project.objects[i];
        if (r.type != ObjectType::Marker || fixedText(r.document) != relativePath)
            continue;
        const std::int64_t e = std::int64_t(r.position) + r.length - 1;
        if (r.position <= byteOffset && byteOffset < e)
            return i;
    }
    return -1;
}

Colour initialMarkerColour(const SettingsStore& settings)
{
    return parseColourString(read(settings, keys::MarkerRefDef), keys::defaultMarkerColour);
}

std::optional<int> colourChoiceOfCommand(int commandId)
{
    if (commandId == kAddMarker || commandId == kAddMarkerInitial)
        return kChooseInitialColour;
    if (commandId >= kAddMarker1 && commandId <= kAddMarker7)
        return commandId - kAddMarker1;
    if (commandId == kAddMarkerEtc)
        return kChooseOtherColour;
    return std::nullopt;
}

std::optional<Colour> MarkerEdit::colourOf(int colourChoice, Colour dialogInitial)
{
    if (colourChoice >= 0 && colourChoice < static_cast<int>(kMarkerPalette.size()))
        return kMarkerPalette[static_cast<std::size_t>(colourChoice)];
    if (colourChoice == kChooseOtherColour)
        return s_.colours.chooseColour(dialogInitial);
    return initialMarkerColour(s_.settings);
}

MarkerEditResult MarkerEdit::createOrChange(SjisView relativePath, ByteOffset selStart,
                                            ByteOffset selEnd, SjisView selectedText,
                                            int colourChoice)
{
    if (selStart < 0 || selEnd <= selStart)
        return {};
    const std::vector<int> overlapped = overlappingMarkers(p_, relativePath, selStart, selEnd);
    if (overlapped.size() >= 2) {
        showMessage(s_.messages, kOverSeveralMarkers, {}, style::error);
        return {MarkerEditOutcome::Refused, -1};
    }
    if (overlapped.size() == 1)
        return change(overlapped.front(), selStart, selEnd, selectedText, colourChoice);
    if (selectedText.empty())
        return {};
    // The model's own choice numbers: the dialog (offered with the initial colour) and "any
    // other value" for the initial colour.
    const int modelChoice = colourChoice == kChooseOtherColour      ? kColourChoiceDialog
                            : colourChoice >= 0 && colourChoice < 7 ? colourChoice
                                                                    : kColourChoiceInitial;
    const int before = p_.objectCount;
    if (!MarkerOps(p_, s_).addMarker(relativePath, selStart, selEnd, selectedText, modelChoice)) {
        // Nothing added: either the colour dialog was cancelled or the model refused (limit).
        return {colourChoice == kChooseOtherColour && p_.objectCount < kMaxObjects
                    ? MarkerEditOutcome::Cancelled
                    : MarkerEditOutcome::Refused,
                -1};
    }
    if (p_.objectCount != before + 1)
        return {MarkerEditOutcome::Refused, -1};
    const int index = p_.objectCount - 1;
    madeCurrent(index);
    return {MarkerEditOutcome::Created, index};
}

MarkerEditResult MarkerEdit::change(int index, ByteOffset selStart, ByteOffset selEnd,
                                    SjisView selectedText, int colourChoice)
{
    if (selectedText.empty())
        return {};
    const SjisString newText = sjis::cut(selectedText, kMarkerTextBytes);
    ObjectRecord& r = p_.objects[index];

    SjisString leading(kBefore);
    leading += fixedText(r.secondText);
    leading += kSeparator;
    leading += kAfter;
    leading += newText;
    if (showMessage(s_.messages, kConfirmSpanChange, leading, style::yesNo) != Answer::Yes)
        return {MarkerEditOutcome::Cancelled, -1};
    const Answer colourToo = showMessage(s_.messages, kAskColourChange, {}, style::yesNoCancel);
    if (colourToo != Answer::Yes && colourToo != Answer::No)
        return {MarkerEditOutcome::Cancelled, -1};
    if (colourToo == Answer::Yes) {
        const std::optional<Colour> colour = colourOf(colourChoice, r.markerColour);
        if (!colour)
            return {MarkerEditOutcome::Cancelled, -1};
        r.markerColour = *colour;
        if (read(s_.settings, keys::Synchro) == 1)
            r.background = *colour;
    }
    r.position = selStart;
    r.length = selEnd - selStart;
    setFixedText(r.secondText, newText);
    madeCurrent(index);
    setModified(p_);
    return {MarkerEditOutcome::Changed, index};
}

void MarkerEdit::madeCurrent(int index)
{
    MakeCurrentRequest request;
    request.objectChanged = true;
    makeCurrent(p_, s_, p_.objects[index].id, request);
}

bool MarkerEdit::setInitialColour(int index)
{
    if (index < 0 || index >= p_.objectCount || p_.objects[index].type != ObjectType::Marker)
        return false;
    if (showMessage(s_.messages, kConfirmInitialColour, {}, style::yesNo) != Answer::Yes)
        return false;
    write(s_.settings, keys::MarkerRefDef, colourString(p_.objects[index].markerColour));
    showMessage(s_.messages, kInitialColourSet, {}, style::information);
    return true;
}

} // namespace corvane
