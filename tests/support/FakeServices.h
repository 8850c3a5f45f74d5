// Fakes of the interfaces logic reports through: they record what was asked and answer from a
// script, so tests can assert both the message shown and the path the logic took.
#pragma once

#include "base/MemorySettings.h"
#include "base/Services.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace corvane::test {

struct ShownMessage
{
    int number;
    std::string textUtf8; ///< leading text + catalogue text
    MessageStyle style;
};

/// Answers from a queue; when the queue is empty, Yes for questions and Ok otherwise.
class ScriptedMessages : public MessageSink
{
public:
    Answer present(int number, const std::string& fullTextUtf8, MessageStyle style) override;
    void answer(Answer a) { script.push_back(a); }

    std::deque<Answer> script;
    std::vector<ShownMessage> shown;
    std::vector<int> numbers() const;
};

/// Records every refresh call as a line of text, e.g. "redrawChart" or "markers doc\\a 1".
class RecordingRefresh : public Refresh
{
public:
    void documentMarkersChanged(SjisView relativePath, bool hasMarkers) override;
    void redrawTextViewsOf(SjisView relativePath) override;
    void redrawChart() override;
    void rebuildMarkerList() override;
    void resetPropertiesPane() override;
    void updateLinkMark(ObjectId subSubject) override;
    void setStatusPane(StatusPane pane, const std::string& text) override;
    void showSpanOfObject(ObjectId id) override;
    void showPropertiesOfObject(ObjectId id) override;
    void showNodeProperties(ObjectId id) override;
    void textViewSettingsChanged() override;
    void chartSizeChanged() override;
    void dropCurrentMarkerHighlight(SjisView relativePath) override;
    void bookmarkCleared(int slot) override;
    void bookmarksChanged() override;

    bool saw(const std::string& call) const;
    std::vector<std::string> calls;
    std::string status[4];
};

class FakeViews : public ViewQueries
{
public:
    ActiveView activeView() const override { return active; }
    bool isDocumentOpen(SjisView relativePath) const override;
    ActiveView active;
    std::vector<SjisString> openDocuments; ///< relative paths
};

class ScriptedColours : public ColourChooser
{
public:
    std::optional<Colour> chooseColour(Colour initial) override;
    std::optional<Colour> next; ///< nullopt: the user cancels
    std::vector<Colour> asked;  ///< initial colours offered
};

/// While one exists, broken invariants reported by CV_CHECK are recorded here (the condition's
/// text) instead of failing the test: for tests that provoke one on purpose. Outside such a scope
/// every check failure fails the running test.
class CheckFailures
{
public:
    CheckFailures();
    ~CheckFailures();
    CheckFailures(const CheckFailures&) = delete;
    CheckFailures& operator=(const CheckFailures&) = delete;

    std::vector<std::string> conditions;

private:
    CheckFailures* outer_;
};

/// All fakes together, with a Services view of them.
struct FakeServices
{
    MemorySettings settings;
    ScriptedMessages messages;
    RecordingRefresh refresh;
    FakeViews views;
    ScriptedColours colours;
    Services services{settings, messages, refresh, views, colours};
};

} // namespace corvane::test
