#include "search/SearchRun.h"

#include "base/Codec.h"
#include "base/DocPath.h"
#include "base/FileRead.h"
#include "base/Sjis.h"
#include "doclist/DocTree.h"
#include "textview/OpenDocuments.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace corvane::search {

namespace {

SjisString sjisText(const char* utf8)
{
    return codec::fromUtf8(utf8).text;
}

void addDocument(std::vector<TargetDocument>& out, const doclist::DocTree& tree,
                 const doclist::DocTree::Node& node, const std::string& docFolder,
                 const OpenDocuments* open)
{
    TargetDocument doc;
    doc.relativePath = tree.relativePath(node);
    doc.diskPath = tree.diskPath(node, docFolder);
    doc.open = open ? open->find(doc.relativePath) : nullptr;
    out.push_back(std::move(doc));
}

} // namespace

std::vector<SjisString> topLevelFolders(const std::string& docFolder)
{
    doclist::DocTree tree;
    tree.scan(docFolder, [](SjisView) { return false; });
    std::vector<SjisString> names;
    for (const auto& child : tree.root().children)
        if (child->folder)
            names.push_back(child->label);
    return names;
}

std::optional<std::vector<TargetDocument>> targetDocuments(const std::string& docFolder,
                                                           const OpenDocuments* open,
                                                           SjisView current, const TargetKey& key)
{
    std::vector<TargetDocument> out;
    switch (key.kind) {
    case TargetKey::Kind::Open:
        if (open)
            for (TextDocument* d : open->inOpeningOrder())
                out.push_back({d->relativePath(), d->store().documentPath(), d});
        return out;
    case TargetKey::Kind::Current: {
        if (current.empty())
            return out;
        TargetDocument doc{SjisString(current), {}, open ? open->find(current) : nullptr};
        if (doc.open)
            doc.diskPath = doc.open->store().documentPath();
        else if (auto disk = docpath::toDiskPath(docFolder, current))
            doc.diskPath = *disk;
        out.push_back(std::move(doc));
        return out;
    }
    case TargetKey::Kind::All:
    case TargetKey::Kind::Folder:
        break;
    }
    doclist::DocTree tree;
    tree.scan(docFolder, [](SjisView) { return false; });
    if (key.kind == TargetKey::Kind::All) {
        for (const auto* node : tree.documentsBelow(tree.root()))
            addDocument(out, tree, *node, docFolder, open);
        return out;
    }
    const auto* folder = tree.child(tree.root(), key.folder);
    if (!folder || !folder->folder)
        return std::nullopt;
    for (const auto& child : folder->children)
        if (child->isDocument())
            addDocument(out, tree, *child, docFolder, open);
    return out;
}

bool readDocument(const TargetDocument& doc, SjisString& out)
{
    if (doc.open) {
        out.assign(doc.open->text());
        return true;
    }
    // Into the caller's buffer, whose capacity carries over from document to document: a fresh
    // buffer per file would cost an allocation and page faults for every one of them.
    const int fd = ::open(doc.diskPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st
    {
    };
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size >= 0 &&
              static_cast<unsigned long long>(st.st_size) <= kMaxDocumentBytes;
    if (ok) {
        try {
            out.resize(static_cast<std::size_t>(st.st_size));
        } catch (const std::bad_alloc&) {
            ok = false;
        }
    }
    std::size_t done = 0;
    while (ok && done < out.size()) {
        const ssize_t n = ::read(fd, out.data() + done, out.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            ok = false; // shorter than its size: a short read fails the document
        else
            done += static_cast<std::size_t>(n);
    }
    ::close(fd);
    return ok;
}

SjisString excerptAt(SjisView text, ByteOffset offset)
{
    // Whole characters only, so the excerpt never ends in half a two-byte character.
    SjisString bytes;
    const std::size_t start = static_cast<std::size_t>(offset);
    const std::size_t end = std::min(text.size(), start + 100);
    for (std::size_t i = start; i < end;) {
        const std::size_t len = sjis::charLength(text, i);
        if (i + len > end)
            break;
        if (text[i] != '\r' && text[i] != '\n')
            bytes.append(text.substr(i, len));
        i += len;
    }
    return bytes;
}

SearchResult runSearch(const Matcher& matcher, const std::vector<TargetDocument>& docs,
                       std::int64_t hitLimit, bool withRows, Progress* progress)
{
    SearchResult result;
    // The count pass needs neither rows, order nor a limit: its documents are spread over the
    // cores, each worker with its own buffer. The caller waits, so open texts stay as they are.
    const unsigned cores = std::min(4u, std::max(1u, std::thread::hardware_concurrency()));
    if (!withRows && hitLimit == 0 && !progress && cores > 1 && docs.size() > 1) {
        std::atomic<std::size_t> nextDocument{0};
        std::vector<std::int64_t> hits(cores, 0);
        std::vector<std::thread> workers;
        for (unsigned w = 0; w < cores; ++w)
            workers.emplace_back([&, w] {
                SjisString buffer;
                for (std::size_t i; (i = nextDocument++) < docs.size();)
                    if (readDocument(docs[i], buffer))
                        hits[w] += matcher.count(buffer);
            });
        for (std::thread& t : workers)
            t.join();
        result.documentsSearched = static_cast<int>(docs.size());
        for (std::int64_t h : hits)
            result.hits += h;
        return result;
    }
    SjisString raw;
    const int total = static_cast<int>(docs.size());
    for (int i = 0; i < total; ++i) {
        if (progress && !progress->step(i, total)) {
            result.cancelled = true;
            break;
        }
        const TargetDocument& doc = docs[static_cast<std::size_t>(i)];
        ++result.documentsSearched; // a file that cannot be read still counts as searched
        if (!readDocument(doc, raw))
            continue;
        const SjisView text = raw; // the matcher folds case while comparing
        std::size_t lineFrom = 0;
        std::int32_t line = 0;
        matcher.forEach(text, [&](const Hit& hit) {
            ++result.hits;
            if (withRows) {
                line += static_cast<std::int32_t>(
                    std::count(raw.begin() + static_cast<std::ptrdiff_t>(lineFrom),
                               raw.begin() + hit.offset, '\n'));
                lineFrom = static_cast<std::size_t>(hit.offset);
                result.rows.push_back(
                    {doc.relativePath, hit.offset, hit.span, line, excerptAt(raw, hit.offset)});
            }
            if (hitLimit > 0 && result.hits >= hitLimit) {
                result.limitReached = true;
                return false;
            }
            return true;
        });
        if (result.limitReached)
            break;
    }
    if (progress && !result.cancelled)
        progress->step(total, total);
    return result;
}

SjisString hitRowText(std::int64_t number, const HitRow& row)
{
    char head[32];
    std::snprintf(head, sizeof head, "%04lld ", static_cast<long long>(number));
    char tail[48];
    std::snprintf(tail, sizeof tail, "<%ld-%ld>", static_cast<long>(row.offset),
                  static_cast<long>(row.span));
    return head + row.excerpt + "<" + row.relativePath + ">" + tail;
}

std::optional<HitAddress> parseHitRow(SjisView row)
{
    // The tail is "<path><offset-span>"; the path may hold "<" only as a trail byte or in the
    // excerpt, so it is read from the end.
    if (row.size() < 4 || row.back() != '>')
        return std::nullopt;
    const std::size_t numbersOpen = row.rfind('<');
    if (numbersOpen == SjisView::npos || numbersOpen < 2 || row[numbersOpen - 1] != '>')
        return std::nullopt;
    long offset = 0;
    long span = 0;
    const std::string numbers(row.substr(numbersOpen + 1, row.size() - numbersOpen - 2));
    char extra = 0;
    if (std::sscanf(numbers.c_str(), "%ld-%ld%c", &offset, &span, &extra) != 2 || offset < 0 ||
        span <= 0)
        return std::nullopt;
    // The path's "<" is the last one before the numbers that is a character of its own.
    const SjisView beforeNumbers = row.substr(0, numbersOpen - 1);
    const std::size_t pathOpen = sjis::findLastSingleByte(beforeNumbers, '<');
    if (pathOpen == SjisView::npos)
        return std::nullopt;
    return HitAddress{SjisString(beforeNumbers.substr(pathOpen + 1)),
                      static_cast<ByteOffset>(offset), static_cast<std::int32_t>(span)};
}

SjisString conditionSentence(SjisView targetItemText, SjisView phrase,
                             const std::optional<SjisString>& replacement, bool caseSensitive)
{
    SjisString s = sjisText("「") + SjisString(targetItemText) + sjisText("」の中から「") +
                   SjisString(phrase) + sjisText("」を");
    if (replacement)
        s += sjisText("「") + *replacement + sjisText("」に");
    s += sjisText(caseSensitive ? "大文字・小文字を区別して" : "大文字・小文字を区別しないで");
    if (!replacement)
        s += sjisText("検索…");
    return s;
}

SjisString dictionaryConditionSentence(SjisView targetItemText, SjisView dictionaryName,
                                       bool caseSensitive)
{
    return sjisText("「") + SjisString(targetItemText) + sjisText("」の中の文字を置換辞書「") +
           SjisString(dictionaryName) + sjisText("」を使用して") +
           sjisText(caseSensitive ? "大文字・小文字を区別して" : "大文字・小文字を区別しないで");
}

SjisString allDocumentsItemText()
{
    return sjisText("文献リスト内の全文献");
}

SjisString folderItemText(SjisView folder)
{
    return sjisText("『") + SjisString(folder) + sjisText("』内の全文献");
}

SjisString searchSummary(int documentsSearched, std::int64_t hits)
{
    char buffer[128];
    std::snprintf(buffer, sizeof buffer, "%d|%lld", documentsSearched,
                  static_cast<long long>(hits));
    const std::string b(buffer);
    const auto bar = b.find('|');
    return sjisText("検索文献数 ") + b.substr(0, bar) + sjisText("件、ヒット数 ") +
           b.substr(bar + 1) + sjisText("件");
}

SjisString withoutLineBreaks(SjisView phrase)
{
    SjisString out;
    for (char c : phrase)
        if (c != '\r' && c != '\n')
            out += c;
    return out;
}

int clampSaveCount(int saveCount)
{
    return std::clamp(saveCount, 5, 100);
}

std::vector<SjisString> storePhrase(const std::vector<SjisString>& history, SjisView phrase,
                                    int saveCount)
{
    if (phrase.empty())
        return history;
    const int n = clampSaveCount(saveCount);
    std::vector<SjisString> out{SjisString(phrase)};
    for (const auto& entry : history) {
        if (static_cast<int>(out.size()) >= n || entry.empty())
            break;
        if (entry != phrase)
            out.push_back(entry);
    }
    return out;
}

} // namespace corvane::search
