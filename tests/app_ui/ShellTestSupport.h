// Helpers for the shell's widget tests: an application object over in-memory preferences and a
// scripted message sink, a private temporary home, a fake text view, and answering modal dialogs.
#pragma once

#include "app/CVantorApp.h"
#include "app/DocumentWindow.h"
#include "base/MemorySettings.h"
#include "support/FakeServices.h"

#include <QString>
#include <QTemporaryDir>

#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

namespace corvane::test {

/// Points HOME, TMPDIR and the XDG folders at a fresh temporary folder for the test's life.
class PrivateHome
{
public:
    PrivateHome();
    QString path() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
};

#ifdef CORVANE_SAMPLE_DIR
/// Copies the sample project into home's folder "Sample" and returns that folder. The copy has
/// no open-documents list, so no document opens by itself.
inline std::filesystem::path copySample(const PrivateHome& home)
{
    const std::filesystem::path copy = std::filesystem::path(home.path().toStdString()) / "Sample";
    std::filesystem::copy(CORVANE_SAMPLE_DIR, copy, std::filesystem::copy_options::recursive);
    std::filesystem::remove(copy / "Sample.opn");
    return copy;
}
#endif

/// An application object whose settings and messages the test can look at.
struct TestApp
{
    TestApp();
    /// Windows the frame closed are deleted later; they go before the application object they
    /// unregister from.
    ~TestApp();
    MemorySettings* settings;
    ScriptedMessages* messages;
    std::unique_ptr<CVantorApp> app;
};

/// A text view as the frame sees it, with the state a test sets.
class FakeTextWindow : public DocumentWindow
{
    Q_OBJECT
public:
    explicit FakeTextWindow(std::string path, bool modified = false);
    Kind kind() const override { return Kind::Text; }
    QString title() const override;
    std::string documentPath() const override { return path_; }
    bool isModified() const override { return modified; }
    bool handleCommand(int id) override;
    bool isCommandEnabled(int) const override { return true; }
    bool saveDocument() override;
    void discardChangesOnClose() override { discarded = true; }
    void relayout() override { ++relayouts; }
    void toggleCaret() override { ++caretTicks; }

    bool modified = false;
    bool discarded = false;
    int saves = 0;
    int relayouts = 0;
    int caretTicks = 0;
    std::vector<int> commands;

private:
    std::string path_;
};

/// Runs answer on the next modal dialog that opens (polling), e.g. to press one of its buttons.
void whenModal(std::function<void(QWidget*)> answer);

/// Writes a file with the given bytes; returns its path.
std::string writeFile(const QString& path, const QByteArray& bytes);

} // namespace corvane::test
