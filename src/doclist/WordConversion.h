// Word-processor documents to text. A .docx is read directly; a legacy binary .doc needs an
// external converter, which is looked up on the PATH each time (it may be installed while the
// program runs).
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace corvane::doclist {

struct WordText
{
    std::string utf8; ///< the text, "\n" between lines; valid only when number is 0
    int number = 0;   ///< catalogue number of the failure; 0 on success
};

class WordConversion
{
public:
    /// findProgram maps a program name to its full path ("" when absent); the default searches
    /// PATH. Tests pass their own to simulate a machine without converters.
    using ProgramFinder = std::function<std::string(const std::string&)>;
    explicit WordConversion(ProgramFinder findProgram = {});

    /// A file that starts like a zip archive is read as .docx whatever its extension says; any
    /// other .doc goes to antiword or, failing that, the office suite in headless mode. No
    /// converter: 30075. A damaged .docx or a converter that fails: 30027.
    WordText toText(const std::string& sourcePath) const;

    /// The full path of program on PATH, or "".
    static std::string searchPath(const std::string& program);

private:
    WordText throughAntiword(const std::string& antiword, const std::string& source) const;
    WordText throughOffice(const std::string& office, const std::string& source) const;

    ProgramFinder findProgram_;
};

} // namespace corvane::doclist
