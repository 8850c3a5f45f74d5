// The two registries stay the only place where command identifiers and message numbers are
// written: the sources are scanned for numbers and names defined anywhere else.
#include "res/MessageCatalogue.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const fs::path kSource = CORVANE_SOURCE_DIR;

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

/// name -> number of every "inline constexpr int NAME = NUMBER;" in a header.
std::map<std::string, int> namedNumbers(const fs::path& header)
{
    static const std::regex definition(R"(inline constexpr int (\w+) = (\d+);)");
    std::map<std::string, int> names;
    const std::string text = readFile(header);
    for (std::sregex_iterator it(text.begin(), text.end(), definition), end; it != end; ++it)
        names[(*it)[1]] = std::stoi((*it)[2]);
    return names;
}

/// The code of a line: what comes before a "//" comment.
std::string codeOf(const std::string& line)
{
    const std::size_t comment = line.find("//");
    return comment == std::string::npos ? line : line.substr(0, comment);
}

struct Finding
{
    std::string where;
    std::string line;
};

/// Lines of the C++ sources below src/ and cli/ (but not in skip) whose code matches pattern.
std::vector<Finding> codeLinesMatching(const std::regex& pattern, const std::vector<fs::path>& skip)
{
    std::vector<Finding> found;
    for (const char* top : {"src", "cli"}) {
        for (const auto& entry : fs::recursive_directory_iterator(kSource / top)) {
            const fs::path& p = entry.path();
            if (!entry.is_regular_file() || (p.extension() != ".cpp" && p.extension() != ".h"))
                continue;
            bool skipped = false;
            for (const fs::path& s : skip)
                skipped = skipped || fs::equivalent(p, kSource / s);
            if (skipped)
                continue;
            std::ifstream in(p);
            std::string line;
            for (int n = 1; std::getline(in, line); ++n)
                if (std::regex_search(codeOf(line), pattern))
                    found.push_back(
                        {fs::relative(p, kSource).string() + ":" + std::to_string(n), line});
        }
    }
    return found;
}

} // namespace

TEST(MessageNumbers, EveryNameHasACatalogueTextAndEveryTextOneName)
{
    const std::map<std::string, int> names = namedNumbers(kSource / "src/res/MessageNumbers.h");
    std::map<int, std::string> byNumber;
    for (const auto& [name, number] : names) {
        EXPECT_NE(corvane::catalogueText(number), nullptr) << name << " = " << number;
        const auto [it, fresh] = byNumber.emplace(number, name);
        EXPECT_TRUE(fresh) << number << " is named both " << it->second << " and " << name;
    }
    for (int number : corvane::catalogueNumbers())
        EXPECT_TRUE(byNumber.count(number)) << number << " has no name";
}

TEST(MessageNumbers, NoBareMessageNumberInTheCode)
{
    const std::regex bareNumber(R"(\b30[01]\d\d\b)");
    for (const Finding& f : codeLinesMatching(
             bareNumber, {"src/res/MessageNumbers.h", "src/res/MessageCatalogue.cpp"}))
        ADD_FAILURE() << f.where << ": use the name from res/MessageNumbers.h: " << f.line;
}

TEST(CommandIds, EveryNumberHasOneName)
{
    const std::map<std::string, int> names = namedNumbers(kSource / "src/res/ui/CommandIds.h");
    ASSERT_GT(names.size(), 100u);
    std::map<int, std::string> byNumber;
    for (const auto& [name, number] : names) {
        const auto [it, fresh] = byNumber.emplace(number, name);
        EXPECT_TRUE(fresh) << number << " is named both " << it->second << " and " << name;
    }
}

TEST(CommandIds, DefinedNowhereElse)
{
    const std::regex definition(R"(\bID_[A-Z0-9_]+\s*=\s*\d)");
    for (const Finding& f : codeLinesMatching(definition, {"src/res/ui/CommandIds.h"}))
        ADD_FAILURE() << f.where << ": command ids belong in res/ui/CommandIds.h: " << f.line;
}
