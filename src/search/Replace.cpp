#include "search/Replace.h"

#include "base/Codec.h"
#include "base/FileRead.h"
#include "base/FileWrite.h"
#include "base/Sjis.h"
#include "model/FixedText.h"
#include "model/ProjectStatus.h"
#include "res/MessageNumbers.h"
#include "textview/TextDocument.h"

#include <array>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <deque>
#include <mutex>
#include <sys/stat.h>
#include <thread>
#include <utility>

namespace corvane::search {

namespace {

bool holdsLineBreak(SjisView bytes)
{
    return bytes.find_first_of("\r\n") != SjisView::npos;
}

/// x lies within the marker: position <= x <= position + length - 1.
bool within(const MarkerSpan& m, std::int64_t x)
{
    return m.position <= x && x <= std::int64_t(m.position) + m.length - 1;
}

bool touches(const std::vector<MarkerSpan>& markers, std::int64_t q, std::int64_t n)
{
    for (const auto& m : markers)
        if (within(m, q) || within(m, q + n) ||
            (q <= m.position && std::int64_t(m.position) + m.length <= q + n))
            return true;
    return false;
}

/// A marker edge at q + k with 0 < k < size would fall inside a two-byte character of bytes.
bool splitsCharacter(const std::vector<MarkerSpan>& markers, std::int64_t q, SjisView bytes)
{
    auto inside = [&](std::int64_t x) {
        if (x <= q || x >= q + std::int64_t(bytes.size()))
            return false;
        std::size_t i = 0;
        while (std::int64_t(i) < x - q)
            i = sjis::nextChar(bytes, i);
        return std::int64_t(i) != x - q;
    };
    for (const auto& m : markers)
        if (inside(m.position) || inside(std::int64_t(m.position) + m.length))
            return true;
    return false;
}

SjisString sjisText(const char* utf8)
{
    return codec::fromUtf8(utf8).text;
}

} // namespace

Rewrite rewrite(SjisView raw, const Matcher& matcher, SjisView replacement,
                std::vector<MarkerSpan>& markers)
{
    Rewrite out;
    if (!matcher.valid())
        return out;
    // The matcher folds case while comparing: it walks the stored bytes themselves.
    const SjisView text = raw;
    const std::int64_t m = static_cast<std::int64_t>(replacement.size());
    std::size_t copied = 0; // raw bytes up to here are in out.text
    out.text.reserve(raw.size());
    matcher.forEach(text, [&](const Hit& hit) {
        ++out.hits;
        const auto at = static_cast<std::size_t>(hit.offset);
        out.text.append(raw.substr(copied, at - copied));
        copied = at;
        const SjisView matched = raw.substr(at, static_cast<std::size_t>(hit.span));
        const std::int64_t q = static_cast<std::int64_t>(out.text.size());
        const std::int64_t n = hit.span;
        bool refuse = false;
        if (holdsLineBreak(matched)) {
            refuse = true;
            ++out.refusedOther;
        } else if (m != n && touches(markers, q, n)) {
            refuse = true;
        } else if (m == n && splitsCharacter(markers, q, replacement)) {
            refuse = true;
            ++out.refusedOther;
        }
        if (refuse) {
            ++out.refused;
            out.text.append(matched);
        } else {
            if (m == n && touches(markers, q, n))
                out.equalLengthTouched = true;
            out.text.append(replacement);
            out.edits.push_back(TextEdit{static_cast<ByteOffset>(q), static_cast<std::int32_t>(n),
                                         static_cast<std::int32_t>(m)});
            if (m != n)
                for (auto& mk : markers)
                    if (mk.position >= q + n)
                        mk.position = static_cast<ByteOffset>(mk.position + (m - n));
        }
        copied = at + matched.size();
        return true;
    });
    out.text.append(raw.substr(copied));
    return out;
}

std::vector<MarkerSpan> markersOf(const ProjectData& project, SjisView relativePath)
{
    std::vector<MarkerSpan> out;
    for (int i = 0; i < project.objectCount; ++i) {
        const ObjectRecord& r = project.objects[i];
        if (r.type == ObjectType::Marker && fixedText(r.document) == relativePath)
            out.push_back({r.position, r.length});
    }
    return out;
}

void applyToRecords(ProjectData& project, SjisView relativePath, const Rewrite& rw,
                    std::int32_t oldLength, bool reread)
{
    if (!rw.changed())
        return;
    std::int32_t length = oldLength;
    for (const TextEdit& edit : rw.edits) {
        shiftMarkers(project, relativePath, edit);
        shiftBookmarks(project, relativePath, edit, length, BookmarkRule::MoveToEditPoint);
        length += edit.insertedBytes - edit.removedBytes;
    }
    if (reread) {
        for (int i = 0; i < project.objectCount; ++i) {
            ObjectRecord& r = project.objects[i];
            if (r.type != ObjectType::Marker || fixedText(r.document) != relativePath ||
                r.position < 0 || r.length <= 0 ||
                std::int64_t(r.position) + r.length > std::int64_t(rw.text.size()))
                continue;
            const SjisView bytes = SjisView(rw.text).substr(static_cast<std::size_t>(r.position),
                                                            static_cast<std::size_t>(r.length));
            setFixedText(r.secondText, sjis::cut(bytes, 100));
        }
    }
    setModified(project);
}

namespace {

/// One closed document's new text on its way to disk, and what its records need afterwards.
struct WriteJob
{
    int index = 0; ///< in the walk's order
    std::string path;
    mode_t mode = 0444;
    SjisString relativePath;
    Rewrite rewrite; ///< its text is what is written
    std::int32_t oldLength = 0;
    files::WriteStatus status = files::WriteStatus::Ok;
};

/// Writes closed documents through the safe writer on a few threads. Each write flushes its
/// file to the disk before the rename, which makes one write wait for the disk; several in
/// flight at once let the disk take them together. Finished jobs come back to the walk's
/// thread, which alone touches the records.
class WritePool
{
public:
    WritePool(unsigned threads, std::size_t maxQueued) : maxQueued_(maxQueued)
    {
        for (unsigned i = 0; i < threads; ++i)
            threads_.emplace_back([this] { work(); });
    }
    ~WritePool() { finish(); }

    /// Waits while maxQueued jobs are waiting or being written.
    void submit(WriteJob job)
    {
        std::unique_lock lock(mutex_);
        notFull_.wait(lock, [this] { return queue_.size() + writing_ < maxQueued_; });
        queue_.push_back(std::move(job));
        notEmpty_.notify_one();
    }
    std::vector<WriteJob> takeDone()
    {
        std::lock_guard lock(mutex_);
        return std::exchange(done_, {});
    }
    /// Waits for every job; returns the ones not taken yet.
    std::vector<WriteJob> finish()
    {
        {
            std::lock_guard lock(mutex_);
            closing_ = true;
            notEmpty_.notify_all();
        }
        for (std::thread& t : threads_)
            t.join();
        threads_.clear();
        return takeDone();
    }

private:
    void work()
    {
        for (;;) {
            WriteJob job;
            {
                std::unique_lock lock(mutex_);
                notEmpty_.wait(lock, [this] { return closing_ || !queue_.empty(); });
                if (queue_.empty())
                    return;
                job = std::move(queue_.front());
                queue_.pop_front();
                ++writing_;
            }
            job.status = files::writeFileSafely(job.path, job.rewrite.text, job.mode);
            std::lock_guard lock(mutex_);
            --writing_;
            done_.push_back(std::move(job));
            notFull_.notify_one();
        }
    }

    std::size_t maxQueued_;
    std::mutex mutex_;
    std::condition_variable notEmpty_;
    std::condition_variable notFull_;
    std::deque<WriteJob> queue_;
    std::size_t writing_ = 0;
    std::vector<WriteJob> done_;
    bool closing_ = false;
    std::vector<std::thread> threads_;
};

/// Whether a pair hits a text, answered for a dictionary's many pairs with few scans: the
/// places of a single-byte first byte are found once per version of the text and shared by
/// every pair starting with that byte; the other pairs search the text themselves.
class FirstBytePlaces
{
public:
    /// The text changed: every list is stale.
    void reset()
    {
        for (auto& list : lists_)
            list.valid = false;
    }
    bool anyHit(const Matcher& matcher, SjisView text)
    {
        if (!matcher.startsWithSingleByte())
            return matcher.next(text, 0).has_value();
        for (char b : {matcher.firstByte(), matcher.otherFirstByte()}) {
            const List& list = placesOf(b, text);
            if (list.dense)
                return matcher.next(text, 0).has_value();
            for (std::size_t p : list.places)
                if (matcher.hitsAt(text, p))
                    return true;
        }
        return false;
    }

private:
    struct List
    {
        bool valid = false;
        bool dense = false; ///< too many places to try one by one
        std::vector<std::size_t> places;
    };
    const List& placesOf(char b, SjisView text)
    {
        List& list = lists_[static_cast<unsigned char>(b)];
        if (list.valid)
            return list;
        list.valid = true;
        list.dense = false;
        list.places.clear();
        const std::size_t most = text.size() / 64 + 16;
        for (std::size_t at = 0; at < text.size();) {
            const void* found = std::memchr(text.data() + at, b, text.size() - at);
            if (!found)
                break;
            const auto p = static_cast<std::size_t>(static_cast<const char*>(found) - text.data());
            if (list.places.size() == most) {
                list.dense = true;
                break;
            }
            list.places.push_back(p);
            at = p + 1;
        }
        return list;
    }
    std::array<List, 256> lists_;
};

} // namespace

ReplaceTotals runReplace(ProjectData& project, const std::vector<TargetDocument>& docs,
                         const std::vector<ReplacePair>& pairs, bool caseSensitive,
                         Progress* progress)
{
    ReplaceTotals totals;
    std::vector<std::pair<Matcher, const ReplacePair*>> matchers;
    for (const auto& pair : pairs) {
        if (pair.before.empty())
            continue;
        Matcher matcher(pair.before, caseSensitive);
        if (matcher.valid())
            matchers.emplace_back(std::move(matcher), &pair);
    }
    totals.pairsRun = static_cast<int>(matchers.size());
    const int total = static_cast<int>(docs.size());
    WritePool pool(8, 16);
    int failedIndex = total; // the first failed document in the walk's order
    // Markers and bookmarks move only once the document's write succeeded.
    const auto settleJobs = [&](std::vector<WriteJob>& finished) {
        for (WriteJob& job : finished) {
            if (job.status == files::WriteStatus::Ok) {
                applyToRecords(project, job.relativePath, job.rewrite, job.oldLength,
                               job.rewrite.equalLengthTouched);
                ++totals.documentsWritten;
            } else if (job.index < failedIndex) {
                failedIndex = job.index;
                totals.failure = job.status == files::WriteStatus::TempFailed
                                     ? msg::kWorkFileOpenFailed
                                     : msg::kSaveFailed;
                totals.failedPath = job.path;
            }
        }
    };
    const auto settle = [&](std::vector<WriteJob> finished) {
        if (finished.empty())
            return;
        const auto apply = [&] { settleJobs(finished); };
        if (progress)
            progress->changeRecords(apply);
        else
            apply();
    };
    SjisString raw;
    FirstBytePlaces places;
    for (int i = 0; i < total && totals.failure == 0; ++i) {
        if (progress && !progress->step(i, total)) {
            totals.cancelled = true;
            break;
        }
        const TargetDocument& doc = docs[static_cast<std::size_t>(i)];
        ++totals.documentsSearched;
        if (!readDocument(doc, raw)) {
            totals.failure = msg::kReadFailed;
            totals.failedPath = doc.diskPath;
            failedIndex = i;
            break;
        }
        const auto oldLength = static_cast<std::int32_t>(raw.size());
        // Each pair in turn over the text the earlier pairs left; the edits of all pairs chain.
        Rewrite all;
        std::vector<MarkerSpan> spans;
        bool first = true;
        places.reset();
        for (const auto& [matcher, pair] : matchers) {
            const SjisView current = all.changed() ? SjisView(all.text) : SjisView(raw);
            // Most pairs of a dictionary find nothing in most documents: no copy for them.
            if (!places.anyHit(matcher, current))
                continue;
            if (first) {
                spans = markersOf(project, doc.relativePath);
                first = false;
            }
            Rewrite one = rewrite(current, matcher, pair->after, spans);
            if (one.hits > 0)
                ++totals.documentsContaining;
            totals.hits += one.hits;
            totals.refused += one.refused;
            totals.refusedOther += one.refusedOther;
            all.equalLengthTouched = all.equalLengthTouched || one.equalLengthTouched;
            all.edits.insert(all.edits.end(), one.edits.begin(), one.edits.end());
            if (one.changed()) {
                all.text = std::move(one.text);
                places.reset();
            }
        }
        if (all.changed()) {
            if (doc.open) {
                // An open document and its records change together, where windows read them.
                bool replaced = false;
                const auto apply = [&] {
                    replaced = doc.open->replaceAllText(all.text);
                    if (replaced)
                        applyToRecords(project, doc.relativePath, all, oldLength,
                                       all.equalLengthTouched);
                };
                if (progress)
                    progress->changeRecords(apply);
                else
                    apply();
                if (!replaced) {
                    totals.failure = msg::kMemoryFailed;
                    totals.failedPath = doc.diskPath;
                    failedIndex = i;
                    break;
                }
                ++totals.documentsWritten;
            } else {
                struct stat info
                {
                };
                WriteJob job;
                job.index = i;
                job.path = doc.diskPath;
                job.mode = ::stat(doc.diskPath.c_str(), &info) == 0
                               ? (info.st_mode & 07777 & ~mode_t(0222))
                               : mode_t(0444);
                job.relativePath = doc.relativePath;
                job.rewrite = std::move(all);
                job.oldLength = oldLength;
                pool.submit(std::move(job));
            }
        }
        settle(pool.takeDone());
    }
    settle(pool.finish());
    if (progress && !totals.cancelled && totals.failure == 0)
        progress->step(total, total);
    return totals;
}

SjisString replaceSummary(const ReplaceTotals& t)
{
    // A dictionary run reads each document once for all its pairs, so the figure is the number
    // of documents, with or without pairs (no division by the pairs run).
    const int searched = t.documentsSearched;
    char buffer[256];
    SjisString s;
    if (t.refused == 0) {
        std::snprintf(buffer, sizeof buffer, "%d\x01%d\x01%lld", searched, t.documentsContaining,
                      static_cast<long long>(t.hits));
    } else {
        std::snprintf(buffer, sizeof buffer, "%d\x01%d\x01%lld\x01%lld", searched,
                      t.documentsContaining, static_cast<long long>(t.hits - t.refused),
                      static_cast<long long>(t.refused));
    }
    std::vector<std::string> f;
    std::string cur;
    for (char c : std::string(buffer)) {
        if (c == '\x01') {
            f.push_back(cur);
            cur.clear();
        } else {
            cur += c;
        }
    }
    f.push_back(cur);
    s = sjisText("置換対象文献数 ") + f[0] + sjisText("件\n置換実施文献数 ") + f[1] +
        sjisText("件\n置換数 ") + f[2] + sjisText("件\n");
    if (t.refused != 0) {
        s += sjisText("置換不能数 ") + f[3] + sjisText("件\n");
        if (t.refused > t.refusedOther)
            s += sjisText("※ 置換前後の字数が異なり、マーカと重なる場合は置換できません\n");
        if (t.refusedOther > 0)
            s += sjisText("※ 改行をまたぐ語句と、マーカの端が文字の途中になる置換はできません\n");
    }
    s += "\n";
    return s;
}

} // namespace corvane::search
