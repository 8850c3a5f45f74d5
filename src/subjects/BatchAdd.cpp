#include "subjects/BatchAdd.h"

#include "model/FixedText.h"
#include "model/Limits.h"
#include "model/NodeDefaults.h"
#include "model/ObjectTable.h"
#include "model/ProjectStatus.h"
#include "res/MessageCatalogue.h"
#include "res/MessageNumbers.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace corvane {

namespace {

constexpr std::size_t kPreviewPairs = 10;
// "…　以下省略。全 " ... "件\n"
constexpr SjisView kPreviewMoreHead = "\x81\x63\x81\x40\x88\xc8\x89\xba\x8f\xc8\x97\xaa\x81\x42"
                                      "\x91\x53 ";
constexpr SjisView kPreviewMoreTail = "\x8c\x8f\n";

void replaceAll(SjisString& text, SjisView from, SjisView to)
{
    SjisString out;
    out.reserve(text.size());
    std::size_t pos = 0;
    for (std::size_t hit; (hit = text.find(from, pos)) != SjisString::npos;
         pos = hit + from.size()) {
        out.append(text, pos, hit - pos);
        out += to;
    }
    out.append(text, pos);
    text = std::move(out);
}

} // namespace

SjisString normaliseBatchText(SjisView text)
{
    SjisString out(text);
    replaceAll(out, "\n\r", "\n");
    replaceAll(out, "\r\n", "\n");
    std::replace(out.begin(), out.end(), '\r', '\n');
    std::replace(out.begin(), out.end(), ',', '\t');
    return out;
}

BatchText parseBatchText(SjisView text)
{
    const SjisString normal = normaliseBatchText(text);
    BatchText result;
    result.lineFeeds = static_cast<int>(std::count(normal.begin(), normal.end(), '\n'));
    const SjisView all(normal);
    std::size_t pos = 0;
    while (pos < all.size()) {
        std::size_t end = all.find('\n', pos);
        if (end == SjisView::npos)
            end = all.size();
        const SjisView line = all.substr(pos, end - pos);
        const std::size_t tab = line.find('\t');
        if (tab != SjisView::npos)
            result.pairs.push_back(
                {SjisString(line.substr(0, tab)), SjisString(line.substr(tab + 1))});
        pos = end + 1;
    }
    return result;
}

SjisString batchPreview(const std::vector<SubjectPair>& pairs)
{
    SjisString out;
    const std::size_t shown = std::min(pairs.size(), kPreviewPairs);
    for (std::size_t i = 0; i < shown; ++i) {
        out += pairs[i].mainTitle;
        out += '\t';
        out += pairs[i].title;
        out += '\n';
    }
    if (pairs.size() > kPreviewPairs) {
        out += kPreviewMoreHead;
        out += std::to_string(pairs.size());
        out += kPreviewMoreTail;
    }
    return out;
}

int BatchAdd::run(const std::optional<SjisString>& clipboard)
{
    if (!clipboard) {
        showMessage(s_.messages, msg::kClipboardFailed, {}, style::error);
        return 0;
    }
    BatchText batch = parseBatchText(*clipboard);
    if (batch.lineFeeds == 0) {
        // One line: added at once, without a preview to confirm.
        if (batch.pairs.empty()) {
            showMessage(s_.messages, msg::kNothingToAdd, {}, style::warning);
            return 0;
        }
        if (!objectLimitCheck(s_.messages, true, p_.objectCount))
            return 0;
        return addPairs(batch.pairs);
    }
    // Several lines but not one pair among them: a preview of nothing would ask the user to
    // confirm adding nothing.
    if (batch.pairs.empty()) {
        showMessage(s_.messages, msg::kNothingToAdd, {}, style::warning);
        return 0;
    }
    const int wanted = static_cast<int>(std::min<std::size_t>(batch.pairs.size(), INT_MAX / 2));
    if (!objectLimitCheck(s_.messages, false, p_.objectCount + wanted - 1) &&
        showMessage(s_.messages, msg::kOverLimitContinue, {}, style::yesNo) != Answer::Yes)
        return 0;
    SjisString leading = batchPreview(batch.pairs);
    leading += '\n';
    if (showMessage(s_.messages, msg::kConfirmBatchAdd, leading, style::yesNo) != Answer::Yes)
        return 0;
    return addPairs(batch.pairs);
}

int BatchAdd::addPairs(const std::vector<SubjectPair>& pairs)
{
    if (pairs.empty())
        return 0;
    // Every new record starts from the same node style: read the defaults once, not per record.
    ObjectRecord prototype;
    std::memset(&prototype, 0, sizeof prototype);
    prototype.type = ObjectType::SubSubject;
    applyNodeDefaults(prototype, s_.settings);

    // IDs follow on from the largest one; only a table whose largest ID is near the int32 limit
    // (a damaged file) needs the slow search for unused IDs.
    ObjectId largest = 0;
    for (int i = 0; i < p_.objectCount; ++i)
        largest = std::max(largest, p_.objects[i].id);
    const bool sequential = largest <= INT_MAX - kMaxObjects;

    int added = 0;
    for (const SubjectPair& pair : pairs) {
        if (!objectLimitCheck(s_.messages, true, p_.objectCount))
            break;
        const ObjectId id = sequential ? largest + 1 : newObjectId(p_);
        ObjectRecord* r = ObjectTable(p_).appendZeroed();
        if (!r)
            break;
        *r = prototype;
        r->id = id;
        largest = std::max(largest, id);
        setFixedText(r->firstText, pair.mainTitle);
        setFixedText(r->secondText, pair.title);
        ++added;
    }
    if (added > 0) {
        if (p_.chartShown)
            s_.refresh.redrawChart();
        setModified(p_);
        refreshStatusCounts(p_, s_);
    }
    return added;
}

} // namespace corvane
