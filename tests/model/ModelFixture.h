// A project open at /p/ with fake services, and quick ways to put records into its tables.
#pragma once

#include "model/FixedText.h"
#include "model/ProjectData.h"
#include "support/FakeServices.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>

namespace corvane::test {

class ModelTest : public ::testing::Test
{
protected:
    ModelTest()
    {
        project.folder = "/p/";
        project.name = "proj";
    }

    /// Appends a record directly, bypassing the operations under test.
    int putObject(ObjectId id, ObjectType type, SjisView document = {}, ByteOffset position = 0,
                  std::int32_t length = 1, SjisView secondText = {})
    {
        ObjectRecord& r = project.objects[project.objectCount];
        std::memset(&r, 0, sizeof r);
        r.id = id;
        r.type = type;
        setFixedText(r.document, document);
        r.position = position;
        r.length = length;
        setFixedText(r.secondText, secondText);
        return project.objectCount++;
    }
    int putMarker(ObjectId id, SjisView document, ByteOffset position, std::int32_t length = 1)
    {
        return putObject(id, ObjectType::Marker, document, position, length);
    }
    int putSubSubject(ObjectId id, SjisView title = {})
    {
        return putObject(id, ObjectType::SubSubject, {}, 0, 0, title);
    }
    void putLink(ObjectId from, ObjectId to) { project.links[project.linkCount++] = {from, to}; }

    /// IDs of the object table in order, and links as "from>to", for whole-table comparisons.
    std::vector<ObjectId> ids() const
    {
        std::vector<ObjectId> out;
        for (int i = 0; i < project.objectCount; ++i)
            out.push_back(project.objects[i].id);
        return out;
    }
    std::vector<std::string> links() const
    {
        std::vector<std::string> out;
        for (int i = 0; i < project.linkCount; ++i)
            out.push_back(std::to_string(project.links[i].from) + ">" +
                          std::to_string(project.links[i].to));
        return out;
    }

    void activateTextView(std::string fullPath, ByteOffset caret = 0)
    {
        fake.views.active = {ActiveView::Kind::Text, std::move(fullPath), caret};
    }

    ProjectData project;
    FakeServices fake;
    Services& services = fake.services;
};

} // namespace corvane::test
