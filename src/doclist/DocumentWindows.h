// What the document list asks of the text views. The shell implements it with the tab area; every
// call has an empty default so that tests and the command-line tool fake only what they watch.
// Paths are full UTF-8 disk paths without the unsaved mark.
#pragma once

#include <string>

namespace corvane::doclist {

class DocumentWindows
{
public:
    virtual ~DocumentWindows() = default;
    /// Opens the document in a new text view, or activates its view when one exists; the view adds
    /// itself to the project's open documents. False when it could not be opened.
    virtual bool openDocument(const std::string& /*fullPath*/) { return false; }
    /// The close command of the document list: closes the document's view as its tab would,
    /// asking about unsaved changes.
    virtual void closeView(const std::string& /*fullPath*/) {}
    /// Closes the view of the document without saving (the document is being deleted).
    virtual void closeDocument(const std::string& /*fullPath*/) {}
    /// The document (or a folder above it) was renamed: the view takes the new path and title.
    virtual void documentRenamed(const std::string& /*oldFullPath*/,
                                 const std::string& /*newFullPath*/)
    {
    }
};

} // namespace corvane::doclist
