#include "support/FakeServices.h"

#include "base/Check.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace corvane::test {

namespace {

CheckFailures* currentCapture = nullptr;

void recordOrFail(const char* condition, const char* file, int line)
{
    if (currentCapture != nullptr)
        currentCapture->conditions.emplace_back(condition);
    else
        ADD_FAILURE_AT(file, line) << "check failed: " << condition;
}

/// Installed before any test runs, in every test program that uses these fakes.
const bool checksFailTests = (check::setFailureHandler(&recordOrFail), true);

} // namespace

CheckFailures::CheckFailures() : outer_(currentCapture)
{
    (void)checksFailTests;
    currentCapture = this;
}

CheckFailures::~CheckFailures()
{
    currentCapture = outer_;
}

Answer ScriptedMessages::present(int number, const std::string& fullTextUtf8, MessageStyle style)
{
    shown.push_back({number, fullTextUtf8, style});
    if (!script.empty()) {
        const Answer a = script.front();
        script.pop_front();
        return a;
    }
    switch (style.buttons) {
    case MessageButtons::YesNo:
    case MessageButtons::YesNoCancel:
        return Answer::Yes;
    case MessageButtons::Ok:
    case MessageButtons::OkCancel:
        break;
    }
    return Answer::Ok;
}

std::vector<int> ScriptedMessages::numbers() const
{
    std::vector<int> out;
    for (const auto& m : shown)
        out.push_back(m.number);
    return out;
}

void RecordingRefresh::documentMarkersChanged(SjisView relativePath, bool hasMarkers)
{
    calls.push_back("markers " + std::string(relativePath) + (hasMarkers ? " 1" : " 0"));
}
void RecordingRefresh::redrawTextViewsOf(SjisView relativePath)
{
    calls.push_back("redrawText " + std::string(relativePath));
}
void RecordingRefresh::redrawChart()
{
    calls.push_back("redrawChart");
}
void RecordingRefresh::rebuildMarkerList()
{
    calls.push_back("rebuildMarkerList");
}
void RecordingRefresh::resetPropertiesPane()
{
    calls.push_back("resetProperties");
}
void RecordingRefresh::updateLinkMark(ObjectId subSubject)
{
    calls.push_back("linkMark " + std::to_string(subSubject));
}
void RecordingRefresh::setStatusPane(StatusPane pane, const std::string& text)
{
    status[static_cast<int>(pane)] = text;
}
void RecordingRefresh::showSpanOfObject(ObjectId id)
{
    calls.push_back("showSpan id " + std::to_string(id));
}
void RecordingRefresh::showPropertiesOfObject(ObjectId id)
{
    calls.push_back("showProperties id " + std::to_string(id));
}
void RecordingRefresh::showNodeProperties(ObjectId id)
{
    calls.push_back("showNodeProperties id " + std::to_string(id));
}
void RecordingRefresh::textViewSettingsChanged()
{
    calls.push_back("textViewSettingsChanged");
}
void RecordingRefresh::chartSizeChanged()
{
    calls.push_back("chartSizeChanged");
}
void RecordingRefresh::dropCurrentMarkerHighlight(SjisView relativePath)
{
    calls.push_back("dropHighlight " + std::string(relativePath));
}
void RecordingRefresh::bookmarkCleared(int slot)
{
    calls.push_back("bookmarkCleared " + std::to_string(slot));
}

void RecordingRefresh::bookmarksChanged()
{
    calls.push_back("bookmarksChanged");
}

bool RecordingRefresh::saw(const std::string& call) const
{
    return std::find(calls.begin(), calls.end(), call) != calls.end();
}

bool FakeViews::isDocumentOpen(SjisView relativePath) const
{
    return std::find(openDocuments.begin(), openDocuments.end(), relativePath) !=
           openDocuments.end();
}

std::optional<Colour> ScriptedColours::chooseColour(Colour initial)
{
    asked.push_back(initial);
    return next;
}

} // namespace corvane::test
