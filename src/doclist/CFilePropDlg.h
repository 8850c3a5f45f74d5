// The document properties dialog: path, size, date added and the markers and bookmarks of one
// document, as a two-column list.
#pragma once

#include "doclist/DocListOps.h"

#include <QDialog>

class QTreeWidget;

namespace corvane {

class CFilePropDlg : public QDialog
{
    Q_OBJECT
public:
    CFilePropDlg(const QString& documentName, const doclist::DocumentProperties& properties,
                 QWidget* parent = nullptr);

    QTreeWidget* list() const { return list_; }

private:
    QTreeWidget* list_;
};

} // namespace corvane
