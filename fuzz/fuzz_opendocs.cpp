// Feeds arbitrary bytes as the open documents list (.opn) of a project whose doc folder holds a
// few documents: every path the list resolves to is an existing regular file inside that doc
// folder, whatever the list says ("..", absolute paths, other systems' separators).
#include "app/OpenDocumentsList.h"
#include "model/ProjectData.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

namespace {

namespace fs = std::filesystem;

/// A project folder made once per run under the temporary folder: doc/ with two documents, one
/// in a sub-folder named "doc", and a file beside the project that the list must never reach.
const corvane::ProjectData& project()
{
    static std::unique_ptr<corvane::ProjectData> data = [] {
        auto d = std::make_unique<corvane::ProjectData>();
        std::string folder = (fs::temp_directory_path() / "corvane-fuzz-opn-XXXXXX").string();
        if (::mkdtemp(folder.data()) == nullptr)
            std::abort();
        d->folder = folder + "/";
        d->name = "P";
        fs::create_directories(d->folder + "doc/doc");
        for (const char* f : {"doc/a.txt", "doc/doc/b.txt", "outside.txt"})
            std::ofstream(d->folder + f) << "x";
        return d;
    }();
    return *data;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const corvane::ProjectData& p = project();
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const fs::path docFolder = fs::canonical(p.docFolder());
    for (const std::string& path : corvane::opn::resolve(bytes, p)) {
        std::error_code ec;
        const fs::path real = fs::canonical(path, ec);
        if (ec || !fs::is_regular_file(real))
            std::abort();
        const auto [end, unused] =
            std::mismatch(docFolder.begin(), docFolder.end(), real.begin(), real.end());
        (void)unused;
        if (end != docFolder.end())
            std::abort();
    }
    return 0;
}
