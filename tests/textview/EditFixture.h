// An open project with one document open as a TextDocument, fake services, and quick ways to
// put markers, links and bookmarks into the tables directly.
#pragma once

#include "FixedWidths.h"
#include "TempDir.h"
#include "model/FixedText.h"
#include "model/ProjectData.h"
#include "support/FakeServices.h"
#include "textview/TextDocument.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace corvane::test {

class EditTest : public ::testing::Test
{
protected:
    EditTest()
    {
        project.folder = dir.path.string() + "/";
        project.name = "proj";
        for (int slot = 0; slot < kBookmarkCount; ++slot)
            project.textView.bookmarkPosition[slot] = -1;
    }

    /// Opens the document "doc1" with text; laid out with break width breakWidth (0: no layout).
    TextDocument& openDocument(const std::string& text, int breakWidth = 100)
    {
        const std::string path = dir.file("doc1", text);
        document = std::make_unique<TextDocument>(project, fake.services, "doc1", undoLimit);
        EXPECT_TRUE(document->open(path, work.path.string()));
        if (breakWidth > 0)
            document->setLayout(&widthTable, breakWidth);
        return *document;
    }

    int putMarker(ObjectId id, ByteOffset position, std::int32_t length,
                  SjisView documentPath = "doc1")
    {
        ObjectRecord& r = project.objects[project.objectCount];
        std::memset(&r, 0, sizeof r);
        r.id = id;
        r.type = ObjectType::Marker;
        setFixedText(r.document, documentPath);
        r.position = position;
        r.length = length;
        if (document && documentPath == "doc1")
            setFixedText(r.secondText, document->text().substr(static_cast<std::size_t>(position),
                                                               static_cast<std::size_t>(length)));
        return project.objectCount++;
    }
    int putSubSubject(ObjectId id)
    {
        ObjectRecord& r = project.objects[project.objectCount];
        std::memset(&r, 0, sizeof r);
        r.id = id;
        r.type = ObjectType::SubSubject;
        return project.objectCount++;
    }
    void putLink(ObjectId from, ObjectId to) { project.links[project.linkCount++] = {from, to}; }
    void putBookmark(int slot, ByteOffset position, SjisView documentPath = "doc1")
    {
        setFixedText(project.textView.bookmarkPath[slot], documentPath);
        setFixedText(project.textView.bookmarkSample[slot], "sample");
        project.textView.bookmarkPosition[slot] = position;
    }
    ByteOffset bookmark(int slot) const { return project.textView.bookmarkPosition[slot]; }
    const ObjectRecord& object(int index) const { return project.objects[index]; }

    TempDir dir;
    TempDir work;
    ProjectData project;
    FakeServices fake;
    FixedWidths widths;
    CharWidthTable widthTable{&widths};
    std::size_t undoLimit = UndoStore::kDefaultTextLimit;
    std::unique_ptr<TextDocument> document;
};

} // namespace corvane::test
