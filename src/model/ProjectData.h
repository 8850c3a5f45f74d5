// The state of the open project as the application object owns it: identity on disk, the two
// settings blocks, the fixed-capacity object and link tables, and the run-time flags. Only data
// here; the operations that keep it consistent live in ProjectOps.
#pragma once

#include "model/Records.h"

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace corvane {

struct ProjectData
{
    ProjectData();

    /// Project folder as a disk path (UTF-8, "/" separators), always ending in "/". Empty when
    /// no project is open.
    std::string folder;
    /// Project file name without extension, UTF-8. Empty when no project is open: that is the
    /// test for "no project open".
    std::string name;
    /// The project file's extension as spelled on disk: ".CVN" for every file this system makes,
    /// ".cvn" when a lower-case file was opened, so that saving writes back to that same file
    /// instead of a second one beside it.
    std::string fileExtension = ".CVN";

    TextViewSettings textView{};
    ChartViewSettings chartView{};

    /// Frees a table allocated with calloc.
    struct FreeTable
    {
        void operator()(void* table) const { std::free(table); }
    };
    /// Both tables are allocated once with room for kTableCapacity records and never grow. They
    /// start zeroed by calloc, whose fresh pages cost nothing until a record is written: a
    /// command-line run loads a project without touching the 2.9 MB of empty records.
    std::unique_ptr<ObjectRecord[], FreeTable> objects;
    int objectCount = 0; ///< invariant: 0 <= objectCount <= kMaxObjects
    std::unique_ptr<LinkRecord[], FreeTable> links;
    int linkCount = 0; ///< invariant: 0 <= linkCount <= kMaxLinks

    // Run-time state, not stored in the project file.
    bool modified = false;
    /// Full disk paths of the documents open in text views, in opening order (at most 20).
    std::vector<std::string> openDocuments;
    bool chartShown = false;
    int currentObject = -1; ///< index into objects, -1 for none

    bool isOpen() const { return !name.empty(); }
    /// folder + name + fileExtension
    std::string projectFilePath() const;
    /// folder + "doc/"
    std::string docFolder() const;

    /// Copies settings blocks and tables from other (same capacity); identity and run-time
    /// state are left alone.
    void copyContentFrom(const ProjectData& other);
    /// Counts 0, current object -1; tables keep their storage.
    void clearTables();
};

inline constexpr int kMaxOpenDocuments = 20;

} // namespace corvane
