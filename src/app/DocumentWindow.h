// A window of the tab area: a text view of one document or the chart view. The frame knows
// document windows only through this interface, so the views plug in without the frame knowing
// their classes.
#pragma once

#include "base/Types.h"

#include <QString>
#include <QWidget>

#include <string>

namespace corvane {

class DocumentWindow : public QWidget
{
    Q_OBJECT
public:
    enum class Kind
    {
        Text,
        Chart
    };

    explicit DocumentWindow(QWidget* parent = nullptr) : QWidget(parent) {}

    virtual Kind kind() const = 0;
    /// Tab title: the document's name, or "チャートビュー".
    virtual QString title() const = 0;
    /// Text view: full disk path of the document (UTF-8), empty for the chart view.
    virtual std::string documentPath() const { return {}; }
    /// Text view: the document has unsaved changes.
    virtual bool isModified() const { return false; }
    /// Text view: the project holds at least one marker in this document.
    virtual bool hasMarkers() const { return false; }
    /// Text view: the current selection may be marked.
    virtual bool selectionMarkable() const { return false; }
    /// Text view: the caret's byte offset in the document; 0 for a window without a caret.
    virtual ByteOffset caretByte() const { return 0; }

    /// A routed command; false when the window does not handle it.
    virtual bool handleCommand(int /*id*/) { return false; }
    virtual bool isCommandEnabled(int /*id*/) const { return false; }
    virtual bool isCommandChecked(int /*id*/) const { return false; }

    /// Saves the document when it has unsaved changes (the tab commands "save").
    virtual bool saveDocument() { return true; }
    /// The save confirmation unchecked this document: closing must not save it.
    virtual void discardChangesOnClose() {}
    /// The save confirmation has run and kept this document: closing saves its changes without
    /// asking again.
    virtual void saveChangesOnClose() {}
    /// Called once before the window is removed; false keeps it open.
    virtual bool prepareClose() { return true; }

    /// The window's size changed because it moved to another tab group.
    virtual void relayout() {}
    /// One tick of the caret timer while this is the active text view.
    virtual void toggleCaret() {}

signals:
    /// Title or modified state changed; the frame updates the tab and the command states.
    void stateChanged();
};

/// The empty document window that stands for the chart view until the chart is built.
class ChartPlaceholderWindow : public DocumentWindow
{
    Q_OBJECT
public:
    explicit ChartPlaceholderWindow(QWidget* parent = nullptr);
    Kind kind() const override { return Kind::Chart; }
    QString title() const override;
};

} // namespace corvane
