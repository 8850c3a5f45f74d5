#include "doclist/DocumentImporter.h"

#include "base/Codec.h"
#include "res/AddedMessages.h"

#include "doclist/FileUtil.h"
#include "doclist/ImportKind.h"
#include "doclist/ImportText.h"
#include "doclist/NameRules.h"
#include "doclist/Report.h"
#include "doclist/SourceEncoding.h"
#include "res/MessageNumbers.h"

#include <sys/stat.h>

namespace corvane::doclist {

DocumentImporter::DocumentImporter(MessageSink& messages, const WordConversion& word)
    : messages_(messages), word_(word)
{
}

SjisString DocumentImporter::documentFromText(std::string_view sourceBytes)
{
    return expandTabs(normaliseLineEnds(sourceToSjis(sourceBytes)));
}

SjisString DocumentImporter::documentFromWordText(std::string_view utf8,
                                                  std::size_t* replacedCharacters)
{
    codec::Encoded encoded = codec::fromUtf8(utf8);
    if (replacedCharacters)
        *replacedCharacters = encoded.unrepresentable.size();
    const SjisString sjis = std::move(encoded.text);
    SjisString crlf;
    crlf.reserve(sjis.size() + sjis.size() / 16);
    // The text may hold carriage returns of its own (a "&#13;" in the XML): CR LF, a lone CR
    // and a lone LF each become one CR LF, so no lone CR reaches a document.
    for (std::size_t i = 0; i < sjis.size(); ++i) {
        const char c = sjis[i];
        if (c == '\r' && i + 1 < sjis.size() && sjis[i + 1] == '\n')
            continue;
        if (c == '\r' || c == '\n')
            crlf += "\r\n";
        else
            crlf += c;
    }
    return expandTabs(crlf);
}

std::vector<ImportResult> DocumentImporter::importFiles(const std::string& folderPath,
                                                        const std::vector<std::string>& sourcePaths,
                                                        bool forceOther)
{
    const std::size_t folderSjisBytes = codec::fromUtf8(folderPath).text.size();
    std::vector<ImportResult> results;
    results.reserve(sourcePaths.size());
    for (const std::string& source : sourcePaths) {
        ImportResult r = importOne(folderPath, folderSjisBytes, source, forceOther);
        if (!r.added())
            report(messages_, r.number, r.leadingUtf8);
        else if (r.replacedCharacters > 0)
            report(messages_, msg::kCharactersReplaced,
                   std::string(fileNamePart(source)) + "\n" +
                       "置き換えた文字: " + std::to_string(r.replacedCharacters) + " 文字\n",
                   style::information);
        results.push_back(std::move(r));
    }
    return results;
}

ImportResult DocumentImporter::importOne(const std::string& folderPath, std::size_t folderSjisBytes,
                                         const std::string& sourcePath, bool forceOther)
{
    ImportResult r;
    r.sourcePath = sourcePath;
    const std::string fileName(fileNamePart(sourcePath));
    auto skip = [&](int number, std::string leading = {}) {
        r.number = number;
        r.leadingUtf8 = fileName + "\n" + leading;
        return r;
    };

    const ImportKind kind = forceOther ? ImportKind::Other : classifyImport(fileName);
    const std::string baseName(importBaseName(fileName));
    // The name must be one the records can hold and the name dialog would accept.
    const NameVerdict verdict = checkName(baseName, folderSjisBytes);
    if (!verdict)
        return skip(verdict.number, verdict.leadingUtf8);
    const std::string destination = folderPath + "/" + baseName;
    if (pathExists(destination))
        return skip(msg::kAlreadyRegistered);

    struct stat st;
    if (::stat(sourcePath.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return skip(msg::kOpenFailed);
    if (static_cast<std::uint64_t>(st.st_size) > kMaxSourceBytes)
        return skip(msg::kTooLarge);

    SjisString document;
    if (kind == ImportKind::Word) {
        const WordText text = word_.toText(sourcePath);
        if (text.number != 0)
            return skip(text.number);
        document = documentFromWordText(text.utf8, &r.replacedCharacters);
    } else {
        std::optional<std::string> bytes = readWholeFile(sourcePath);
        if (!bytes)
            return skip(msg::kOpenFailed);
        // A text file never holds a NUL byte unless it is UTF-16, so a plain-text name on a file
        // with NUL bytes earns it the check other kinds always get. The check runs on the
        // converted bytes: a UTF-16 source holds NUL bytes that its Shift-JIS form does not.
        const bool holdsNul = bytes->find('\0') != std::string::npos;
        const SjisString sjis = takeSourceAsSjis(std::move(*bytes), &r.replacedCharacters);
        if ((kind == ImportKind::Other || holdsNul) && !passesTextCheck(sjis))
            return skip(msg::kNotText);
        document = expandTabs(normaliseLineEnds(sjis));
    }

    switch (createFileExclusive(destination, document, true)) {
    case CreateResult::Created:
        break;
    case CreateResult::Exists:
        return skip(msg::kAlreadyRegistered);
    case CreateResult::Failed:
        return skip(msg::kCreateFailed);
    }
    r.documentName = codec::fromUtf8(baseName).text;
    return r;
}

} // namespace corvane::doclist
