// The text of one open document: a private working copy on disk, an in-memory image of it that
// drawing and layout read, and the save that copies it back over the document. The document file
// itself is written only by save.
#pragma once

#include "base/MessageSink.h"
#include "base/Types.h"

#include <string>

namespace corvane {

class TextStore
{
public:
    explicit TextStore(MessageSink& messages);
    ~TextStore();
    TextStore(const TextStore&) = delete;
    TextStore& operator=(const TextStore&) = delete;

    /// Reads documentPath (UTF-8 disk path, a trailing "*" is dropped) and makes its working copy:
    /// a new file in workFolder, readable and writable by this user only, held open until the
    /// store closes. Its bytes are written on the first flushWorkingCopy (or save). Failures are
    /// reported (30015 no temporary file, 30057 no file information, 30039 cannot read or open,
    /// 30001 too large) and leave the store closed. A document that does not exist fails without a
    /// message: opening checks that first.
    bool open(const std::string& documentPath, const std::string& workFolder);
    /// Writes pending changes to the working copy, closes it and deletes it.
    void close();
    bool isOpen() const { return fd_ >= 0; }

    /// The whole text. Valid until the next replaceContent.
    SjisView text() const { return image_; }
    ByteOffset length() const { return static_cast<ByteOffset>(image_.size()); }

    /// count bytes from start (clamped to the text), stopping at the first NUL; with
    /// stripNewlines every CR and LF is left out.
    SjisString readRange(ByteOffset start, std::int32_t count, bool stripNewlines) const;

    /// Replaces the whole text after an edit. The working copy follows lazily: it is written
    /// before save and close, or when flushWorkingCopy is called (search reads the file).
    bool replaceContent(SjisString newImage);
    /// Byte-level edits of the image: byteCount bytes at byte offset at are replaced by bytes.
    /// Callers check the range (inside the text) first; false, with nothing changed, when the
    /// store is closed or the result would exceed the largest document (30001).
    bool replaceBytes(ByteOffset at, std::int32_t byteCount, SjisView bytes);
    /// Overwrites bytes.size() bytes at byte offset at in place (the length does not change).
    bool overwriteBytes(ByteOffset at, SjisView bytes);

    /// Writes the image to the working copy when it holds unwritten changes; 30039 on failure.
    bool flushWorkingCopy();

    /// Replaces the document with the text: written to a new file beside it, flushed to disk and
    /// renamed over it, so a failure at any point leaves the old document whole. The new file has
    /// the document's permissions with every write bit cleared (documents of a project are
    /// read-only between saves). Failure reports 30018 and keeps the modified mark.
    bool save();

    /// Full disk path of the document, without the modified mark.
    const std::string& documentPath() const { return documentPath_; }
    /// The document was renamed or moved on disk (the document list did it): later saves go to
    /// newDocumentPath. The working copy is untouched.
    void documentMoved(const std::string& newDocumentPath) { documentPath_ = newDocumentPath; }
    /// The document's path name as windows show it: documentPath + "*" while modified.
    std::string pathName() const;
    bool isModified() const { return modified_; }
    void setModified() { modified_ = true; }
    void clearModified() { modified_ = false; }

    /// Path of the working copy; empty when closed. Call flushWorkingCopy before reading it.
    const std::string& workingPath() const { return workingPath_; }

private:
    MessageSink& messages_;
    std::string documentPath_;
    std::string workingPath_;
    int fd_ = -1; ///< invariant: >= 0 exactly when workingPath_ is not empty
    SjisString image_;
    bool workingCopyStale_ = false; ///< image_ holds changes not yet in the working copy
    bool modified_ = false;
};

/// path without one trailing "*".
std::string withoutModifiedMark(const std::string& path);

} // namespace corvane
