// The sample project that ships with the source opens like any project a user copied: its open
// documents list, written with Windows paths, reopens its documents, and every marker covers the
// very text it quotes.
#include "app/ProjectLifecycle.h"

#include "TempHome.h"
#include "base/DocPath.h"
#include "model/CProjectIO.h"
#include "model/ProjectData.h"
#include "support/FakeServices.h"

#include <gtest/gtest.h>

#include <cstring>

namespace corvane {
namespace {

namespace fs = std::filesystem;

class RecordingHooks : public LifecycleHooks
{
public:
    explicit RecordingHooks(ProjectData& data) : data_(data) {}
    bool openDocument(const std::string& path) override
    {
        data_.openDocuments.push_back(path);
        return true;
    }
    void showBookmarkButtons(const std::array<bool, 4>& set) override { bookmarks = set; }
    std::array<bool, 4> bookmarks{};

private:
    ProjectData& data_;
};

TEST(SampleProject, OpensWithItsDocumentsAndMarkersThatMatchTheirText)
{
    test::TempHome home;
    const std::string copy = home.root() + "/Sample";
    fs::copy(CORVANE_SAMPLE_DIR, copy, fs::copy_options::recursive);

    test::FakeServices fakes;
    ProjectData data;
    CProjectIO io(fakes.services);
    RecordingHooks hooks(data);
    ProjectLifecycle lifecycle(data, fakes.services, io, hooks);
    ASSERT_TRUE(lifecycle.openProject(copy + "/Sample.CVN", false));

    EXPECT_EQ(data.openDocuments.size(), 2u);
    for (const std::string& path : data.openDocuments) {
        EXPECT_EQ(path.rfind(copy + "/doc/", 0), 0u) << path;
        EXPECT_TRUE(fs::is_regular_file(path)) << path;
    }
    EXPECT_TRUE(hooks.bookmarks[0]);

    int markers = 0;
    int subSubjects = 0;
    for (int i = 0; i < data.objectCount; ++i) {
        const ObjectRecord& r = data.objects[i];
        if (r.type == SubSubject) {
            ++subSubjects;
            continue;
        }
        ++markers;
        const auto disk = docpath::toDiskPath(data.docFolder(), r.document);
        ASSERT_TRUE(disk) << r.id;
        const std::string text = test::readFile(*disk);
        ASSERT_LE(std::size_t(r.position) + std::size_t(r.length), text.size()) << r.id;
        // The marker text is the start of the marked text (at most 100 bytes of it).
        const std::string marked = text.substr(std::size_t(r.position), std::size_t(r.length));
        EXPECT_EQ(marked.substr(0, std::strlen(r.secondText)), r.secondText) << "marker " << r.id;
        EXPECT_GT(std::strlen(r.secondText), 0u) << "marker " << r.id;
    }
    EXPECT_GE(markers, 6);
    EXPECT_GE(subSubjects, 3);
    EXPECT_GE(data.linkCount, 6);
}

} // namespace
} // namespace corvane
