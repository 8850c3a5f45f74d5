#include "model/Bookmarks.h"

#include "base/Codec.h"
#include "base/Sjis.h"
#include "model/FixedText.h"
#include "model/ProjectStatus.h"

#include <algorithm>
#include <cstring>

namespace corvane::bookmarks {

namespace {

bool validSlot(int slot)
{
    return slot >= 0 && slot < kBookmarkCount;
}

std::string utf8(SjisView sjis)
{
    return codec::toUtf8(sjis).text;
}

} // namespace

bool isSet(const ProjectData& project, int slot)
{
    if (!validSlot(slot))
        return false;
    const TextViewSettings& t = project.textView;
    return t.bookmarkPosition[slot] >= 0 && !fixedText(t.bookmarkPath[slot]).empty();
}

std::optional<ByteOffset> positionIn(const ProjectData& project, int slot, SjisView relativePath,
                                     ByteOffset length)
{
    if (!isSet(project, slot) || fixedText(project.textView.bookmarkPath[slot]) != relativePath)
        return std::nullopt;
    const ByteOffset position = project.textView.bookmarkPosition[slot];
    if (position > length)
        return std::nullopt;
    return position;
}

bool anyIn(const ProjectData& project, SjisView relativePath)
{
    for (int slot = 0; slot < kBookmarkCount; ++slot)
        if (isSet(project, slot) && fixedText(project.textView.bookmarkPath[slot]) == relativePath)
            return true;
    return false;
}

SjisString sampleAt(SjisView text, ByteOffset position)
{
    if (position < 0 || static_cast<std::size_t>(position) >= text.size())
        return {};
    const SjisView from = text.substr(static_cast<std::size_t>(position));
    const SjisView read = from.substr(0, sjis::cutLength(from, kSampleReadBytes));
    SjisString sample;
    sample.reserve(read.size());
    // CR and LF are never trail bytes, so dropping them cannot split a character.
    for (const char c : read)
        if (c != '\r' && c != '\n')
            sample.push_back(c);
    return sjis::cut(sample, kSampleMaxBytes);
}

bool set(ProjectData& project, int slot, SjisView relativePath, ByteOffset position, SjisView text)
{
    if (!validSlot(slot) || position < 0 || static_cast<std::size_t>(position) > text.size() ||
        relativePath.empty() || !fitsFixedField(relativePath, kDocumentPathBytes))
        return false;
    TextViewSettings& t = project.textView;
    setFixedText(t.bookmarkPath[slot], relativePath);
    t.bookmarkPosition[slot] = position;
    setFixedText(t.bookmarkSample[slot], sampleAt(text, position));
    setModified(project);
    return true;
}

void clear(ProjectData& project, int slot)
{
    if (!validSlot(slot))
        return;
    TextViewSettings& t = project.textView;
    std::memset(t.bookmarkPath[slot], 0, sizeof t.bookmarkPath[slot]);
    std::memset(t.bookmarkSample[slot], 0, sizeof t.bookmarkSample[slot]);
    t.bookmarkPosition[slot] = -1;
    setModified(project);
}

SjisString shownSample(const ProjectData& project, int slot)
{
    if (!validSlot(slot))
        return {};
    const SjisView sample = fixedText(project.textView.bookmarkSample[slot]);
    const auto limit = static_cast<std::size_t>(
        std::clamp<int>(project.textView.bookmarkSampleLength, 40, int(kSampleMaxBytes)));
    if (sample.size() <= limit)
        return SjisString(sample);
    return sjis::cut(sample, limit) + "...";
}

std::string menuText(const ProjectData& project, int slot)
{
    if (!isSet(project, slot))
        return "(未セット)";
    std::string text;
    for (const char c : utf8(shownSample(project, slot))) {
        if (c == '&')
            text.push_back('&');
        text.push_back(c);
    }
    return text;
}

std::string setPinTooltip(const ProjectData& project, int slot)
{
    if (!isSet(project, slot))
        return "【ブックマークのセット】\n"
               "このアイコンをクリックすると、テキストビューのカーソル位置に\n"
               "ブックマークがセットされます。\n"
               "※ アイコンをドラッグ＆ドロップしてセットすることもできます。";
    return "【ブックマークの解除】\n"
           "このアイコンをクリックすると現在セットされている同じ色の\n"
           "ブックマークが解除されます。\n"
           "※ 右のアイコンをクリックすると現在のセット位置を表示します。";
}

std::string showPinTooltip(const ProjectData& project, int slot)
{
    if (!isSet(project, slot))
        return "ブックマークはセットされていません。";
    return "【ブックマーク位置の表示】" + utf8(fixedText(project.textView.bookmarkPath[slot])) +
           "\n" + utf8(shownSample(project, slot));
}

} // namespace corvane::bookmarks
