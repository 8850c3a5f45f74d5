// Opening a document in a text view: the checks before a view is made, and the bookkeeping of
// the open documents table afterwards. The widget side supplies the step that makes the view and
// loads the text, so the rules here are tested without windows.
#pragma once

#include "base/MessageSink.h"
#include "model/ProjectData.h"

#include <functional>
#include <string>

namespace corvane {

class CFileIO
{
public:
    CFileIO(ProjectData& project, MessageSink& messages);

    /// Opens fullPath (UTF-8 disk path; a trailing "*" is dropped): 30014 when it is not an
    /// existing regular file, 30007 when 20 documents are open already; otherwise calls
    /// createAndLoad, which makes the view and loads the text (and destroys the view itself when
    /// loading fails). On success the path is appended to the open documents table.
    bool openDocument(const std::string& fullPath, const std::function<bool()>& createAndLoad);

    /// The steps before a view is made (30014, 30007), for callers that make the view themselves.
    bool checkCanOpen(const std::string& fullPath);
    /// Appends fullPath to the open documents table (no duplicates, at most 20).
    void documentOpened(const std::string& fullPath);
    /// Removes fullPath from the open documents table when its view closes.
    void documentClosed(const std::string& fullPath);
    /// Index of fullPath in the open documents table, -1 when not open.
    int indexOfOpen(const std::string& fullPath) const;

private:
    ProjectData& project_;
    MessageSink& messages_;
};

} // namespace corvane
