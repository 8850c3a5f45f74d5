// The name dialog of the document list: a name for a new file, a renamed item, or the document
// made from clipboard text. OK runs the name rules and keeps the dialog open on a refusal.
#pragma once

#include "base/MessageSink.h"

#include <QDialog>

class QLineEdit;

namespace corvane {

class CFileNameDlg : public QDialog
{
    Q_OBJECT
public:
    /// folderPathSjisBytes: the Shift-JIS byte length of the target folder's disk path, which the
    /// name rules subtract from 255. clipboardNote adds the line saying the clipboard text has
    /// been taken already, so the clipboard can be used for the name itself.
    CFileNameDlg(MessageSink& messages, const QString& initialName, std::size_t folderPathSjisBytes,
                 bool clipboardNote = false, QWidget* parent = nullptr);

    QString name() const;
    QLineEdit* edit() const { return edit_; }

    void accept() override;

private:
    MessageSink& messages_;
    QLineEdit* edit_;
    std::size_t folderPathSjisBytes_;
};

} // namespace corvane
