#include "panes/PropertyPages.h"

#include "base/Codec.h"
#include "base/DocPath.h"
#include "base/Sjis.h"
#include "model/FixedText.h"
#include "model/ObjectTable.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

namespace corvane {

namespace {

constexpr const char* kTitles[] = {
    "プロパティ",
    "プロパティ[テキストビュー]",
    "プロパティ[チャートビュー]",
    "プロパティ[マーカ]",
    "プロパティ[マーカノード]",
    "プロパティ[リンク]",
    "プロパティ[副題ノード]",
};

constexpr int kMinFontSize = 8;
constexpr int kMaxFontSize = 36;
/// The font name field holds 32 bytes with its terminating zero.
constexpr std::size_t kFontNameTextBytes = kFontNameBytes - 1;

const std::vector<std::string> kLineStyles = {"実線",    "破線",    "点線",
                                              "1点破線", "2点破線", "2重線"};
const std::vector<std::string> kAlignV = {"上", "中央", "下"};
const std::vector<std::string> kAlignH = {"左", "中央", "右"};

std::string utf8(SjisView sjis)
{
    return codec::toUtf8(sjis).text;
}

Property make(PropertyKey key, PropertyKind kind, const char* label, std::string description)
{
    Property p;
    p.key = key;
    p.kind = kind;
    p.label = label;
    p.description = std::move(description);
    return p;
}

std::string choiceDescription(const std::vector<std::string>& choices)
{
    std::string out = "次のうちのどれかです。 : ";
    for (std::size_t i = 0; i < choices.size(); ++i)
        out += (i ? ", " : "") + choices[i];
    return out;
}

std::string rangeText(int minimum, int maximum)
{
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "(%d～%dピクセル)", minimum, maximum);
    return buffer;
}

Property readOnly(PropertyKey key, const char* label, const char* description, std::string text)
{
    Property p = make(key, PropertyKind::ReadOnly, label, description);
    p.text = std::move(text);
    return p;
}

Property number(PropertyKey key, const char* label, std::string description, int minimum,
                int maximum, std::int64_t value)
{
    Property p = make(key, PropertyKind::Number, label, std::move(description));
    p.minimum = minimum;
    p.maximum = maximum;
    p.number = value;
    return p;
}

Property flag(PropertyKey key, const char* label, const char* description, std::int32_t value)
{
    Property p = make(key, PropertyKind::Flag, label, description);
    p.number = value ? 1 : 0;
    return p;
}

Property choice(PropertyKey key, const char* label, const std::vector<std::string>& choices,
                std::int64_t value)
{
    Property p = make(key, PropertyKind::Choice, label, choiceDescription(choices));
    p.choices = choices;
    p.maximum = int(choices.size()) - 1;
    p.number = value;
    return p;
}

Property colour(PropertyKey key, const char* label, const char* description, Colour value)
{
    Property p = make(key, PropertyKind::Colour, label, description);
    p.number = value;
    return p;
}

Property font(SjisView name, int size)
{
    Property p = make(PropertyKey::Font, PropertyKind::Font, "フォント", "フォントを指定します。");
    p.text = fontFieldText(name, size);
    return p;
}

Property margin(PropertyKey key, const char* label, const char* description, int minimum,
                std::int64_t value)
{
    return number(key, label, std::string(description) + "\n" + rangeText(minimum, 35), minimum, 35,
                  value);
}

std::string pair(long a, long b)
{
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%ld, %ld", a, b);
    return buffer;
}

std::string fullPathOf(const ProjectData& project, const ObjectRecord& r)
{
    const SjisView relative = fixedText(r.document);
    if (std::optional<std::string> disk = docpath::toDiskPath(project.docFolder(), relative))
        return *disk;
    return utf8(relative);
}

PropertyGroup markerGroup(const ProjectData& project, const ObjectRecord& r)
{
    PropertyGroup g{"マーカ", {}};
    g.properties.push_back(
        readOnly(PropertyKey::DocumentPath, "文献パス",
                 "このマーカが設定されている文献ファイルまでのフルパスを表示しています。",
                 fullPathOf(project, r)));
    g.properties.push_back(readOnly(PropertyKey::PositionAndLength, "位置と長さ",
                                    "ファイル内での位置とマーカの長さを表示しています。",
                                    pair(r.position, r.length)));
    g.properties.push_back(
        colour(PropertyKey::MarkerColour, "マーカ色", "マーカの色を指定します。", r.markerColour));
    g.properties.push_back(
        readOnly(PropertyKey::NodeSize, "ノードサイズ",
                 "チャートビューのノードのサイズ(横・縦)を表示しています。\n"
                 "(倍率100%時, 単位:ピクセル)",
                 pair(r.nodeRect[2] - r.nodeRect[0], r.nodeRect[3] - r.nodeRect[1])));
    g.properties.push_back(readOnly(PropertyKey::NodePosition, "ノード位置",
                                    "チャートビューのノードの位置(左辺・上辺)を表示しています。\n"
                                    "(倍率100%時, 単位:ピクセル)",
                                    pair(r.nodeRect[0], r.nodeRect[1])));
    g.properties.push_back(readOnly(PropertyKey::MarkerText, "マーカテキスト",
                                    "このマーカのテキストを表示しています。\n(max:100バイト)",
                                    utf8(fixedText(r.secondText))));
    Property comment = make(PropertyKey::Comment, PropertyKind::Text, "コメント",
                            "このマーカに付けられたコメントを表示しています。\n(max:100バイト)");
    comment.text = utf8(fixedText(r.firstText));
    g.properties.push_back(std::move(comment));
    return g;
}

/// The node style groups of pages 4 and 6.
void nodeStyleGroups(const ObjectRecord& r, std::vector<PropertyGroup>& out)
{
    PropertyGroup text{"文字", {}};
    text.properties.push_back(font(fixedText(r.fontName), r.fontSize));
    text.properties.push_back(
        flag(PropertyKey::Bold, "太字", "フォントを太字にするかどうかを指定します。", r.bold));
    text.properties.push_back(flag(PropertyKey::Italic, "イタリック",
                                   "フォントをイタリックにするかどうかを指定します。", r.italic));
    text.properties.push_back(
        colour(PropertyKey::TextColour, "テキスト色", "テキストの色を指定します。", r.textColour));
    out.push_back(std::move(text));

    PropertyGroup align{"文字揃え・行間", {}};
    align.properties.push_back(choice(PropertyKey::AlignV, "垂直配置", kAlignV, r.alignV));
    align.properties.push_back(choice(PropertyKey::AlignH, "水平配置", kAlignH, r.alignH));
    align.properties.push_back(flag(PropertyKey::WordWrap, "ワードラップ",
                                    "ワードラップするかどうかを指定します。", r.wordWrap));
    out.push_back(std::move(align));

    PropertyGroup margins{"余白", {}};
    margins.properties.push_back(
        margin(PropertyKey::MarginLeft, "左余白", "左側の余白を指定します。", 0, r.marginLeft));
    margins.properties.push_back(
        margin(PropertyKey::MarginTop, "上余白", "上側の余白を指定します。", 0, r.marginTop));
    margins.properties.push_back(
        margin(PropertyKey::MarginRight, "右余白", "右側の余白を指定します。", 0, r.marginRight));
    margins.properties.push_back(
        margin(PropertyKey::MarginBottom, "下余白", "下側の余白を指定します。", 0, r.marginBottom));
    out.push_back(std::move(margins));

    PropertyGroup rect{"ノード矩形", {}};
    rect.properties.push_back(
        colour(PropertyKey::Background, "背景色", "背景色を指定します。", r.background));
    rect.properties.push_back(
        colour(PropertyKey::LineColour, "線の色", "線の色を指定します。", r.lineColour));
    rect.properties.push_back(number(PropertyKey::LineThickness, "線の太さ",
                                     "線の太さを指定します。\n(0～20ピクセル)", 0, 20,
                                     r.lineThickness));
    rect.properties.push_back(choice(PropertyKey::LineStyle, "線の種類", kLineStyles, r.lineStyle));
    out.push_back(std::move(rect));
}

void textViewGroups(const TextViewSettings& s, std::vector<PropertyGroup>& out)
{
    using K = PropertyKey;
    PropertyGroup view{"ビュー", {}};
    view.properties.push_back(
        colour(K::ViewBackground, "背景色", "背景色を指定します。", s.background));
    view.properties.push_back(colour(K::BorderColour, "境界線色",
                                     "境界線を表示する時の境界線の色を指定します。",
                                     s.borderColour));
    view.properties.push_back(choice(K::BorderStyle, "境界線の種類", kLineStyles, s.borderStyle));
    view.properties.push_back(colour(K::SelectionColour, "選択色",
                                     "テキストが選択された時の色を指定します。",
                                     s.selectionColour));
    view.properties.push_back(flag(K::WhiteSpaceShown, "空白文字表示",
                                   "空白文字を表示するかどうかを指定します。", s.whiteSpaceShown));
    view.properties.push_back(colour(K::WhiteSpaceColour, "空白文字色",
                                     "空白文字を表示する時の空白文字枠の色を指定します。",
                                     s.whiteSpaceColour));
    view.properties.push_back(flag(K::LineBreaksShown, "改行表示",
                                   "改行を表示するかどうかを指定します。", s.lineBreaksShown));
    view.properties.push_back(colour(K::LineBreakColour, "改行色",
                                     "改行を表示する時の改行記号の色を指定します。",
                                     s.lineBreakColour));
    out.push_back(std::move(view));

    PropertyGroup text{"文字", {}};
    text.properties.push_back(font(fixedText(s.fontName), s.fontSize));
    text.properties.push_back(
        flag(K::Bold, "太字", "フォントを太字にするかどうかを指定します。", s.bold));
    text.properties.push_back(flag(K::Italic, "イタリック",
                                   "フォントをイタリックにするかどうかを指定します。", s.italic));
    text.properties.push_back(
        colour(K::TextColour, "テキスト色", "テキストの色を指定します。", s.textColour));
    text.properties.push_back(flag(K::AntiAliasing, "アンチエイリアス",
                                   "アンチエイリアス処理をするかどうかを指定します。",
                                   s.antiAliasing));
    out.push_back(std::move(text));

    PropertyGroup align{"文字揃え・行間", {}};
    align.properties.push_back(number(
        K::LineSpacing, "行間", "各行の間隔を指定します。\n(0～35ピクセル)", 0, 35, s.lineSpacing));
    align.properties.push_back(
        flag(K::WordWrap, "ワードラップ", "ワードラップするかどうかを指定します。", s.wordWrap));
    out.push_back(std::move(align));

    PropertyGroup margins{"余白", {}};
    margins.properties.push_back(
        margin(K::MarginLeft, "左余白", "左側の余白を指定します。", 2, s.leftMargin));
    margins.properties.push_back(
        margin(K::MarginTop, "上余白", "上側の余白を指定します。", 2, s.topMargin));
    out.push_back(std::move(margins));

    PropertyGroup numbers{"行番号", {}};
    numbers.properties.push_back(flag(K::LineNumbersShown, "行番号表示",
                                      "行番号を表示するかどうかを指定します。",
                                      s.lineNumbersShown));
    numbers.properties.push_back(colour(K::LineNumberColour, "行番号色",
                                        "行番号を表示する時の行番号の色を指定します。",
                                        s.lineNumberColour));
    numbers.properties.push_back(colour(K::LineNumberBackground, "行番号背景色",
                                        "行番号表示エリアの領域の色を指定します。",
                                        s.lineNumberBackground));
    numbers.properties.push_back(
        choice(K::LineNumberAlignment, "水平配置", kAlignH, s.lineNumberAlignment));
    numbers.properties.push_back(number(K::LineNumberPadding, "左右余白",
                                        "左右余白の余白を指定します。\n(0～35ピクセル)", 0, 35,
                                        s.lineNumberPadding));
    out.push_back(std::move(numbers));

    PropertyGroup caret{"入力カーソル", {}};
    caret.properties.push_back(number(K::CaretWidth, "太さ",
                                      "入力カーソルの太さを指定します。\n(1～5ピクセル)", 1, 5,
                                      s.caretWidth));
    caret.properties.push_back(number(
        K::CaretBlink, "点滅速度", "入力カーソルの点滅速度を指定します。\n(1～9百ミリ秒間隔で点滅)",
        1, 9, s.caretBlink));
    out.push_back(std::move(caret));

    PropertyGroup bookmarks{"ブックマーク", {}};
    bookmarks.properties.push_back(
        number(K::BookmarkImageSize, "ブックマークサイズ",
               "ビューに表示されるブックマークイメージの一辺の長さを指定します。\n(16～32ピクセル)",
               16, 32, s.bookmarkImageSize));
    bookmarks.properties.push_back(
        number(K::BookmarkSampleLength, "ブックマーク文字長",
               "ブックマークされた位置からサンプルとしてメニューに表示される文字列の長さを指定し"
               "ます。\n(40～200バイト)",
               40, 200, s.bookmarkSampleLength));
    out.push_back(std::move(bookmarks));

    PropertyGroup links{"リンク", {}};
    links.properties.push_back(
        flag(K::LinkLineShown, "リンク線表示",
             "リンクのあるマーカ下部にリンク線を表示するかどうかを指定します。", s.linkLineShown));
    links.properties.push_back(
        colour(K::LinkLineColour, "リンク線色", "リンク線の色を指定します。", s.linkLineColour));
    links.properties.push_back(
        flag(K::LinkCountShown, "リンク数表示",
             "リンクのあるマーカ末尾にリンク数を表示するかどうかを指定します。", s.linkCountShown));
    links.properties.push_back(
        colour(K::LinkCountColour, "リンク数色", "リンク数の色を指定します。", s.linkCountColour));
    out.push_back(std::move(links));
}

void chartViewGroups(const ChartViewSettings& s, std::vector<PropertyGroup>& out)
{
    using K = PropertyKey;
    PropertyGroup view{"ビュー", {}};
    view.properties.push_back(number(K::ChartWidth, "ビューの幅",
                                     "チャートビューの幅を指定します。\n(500～5,000ピクセル)", 500,
                                     5000, s.width));
    view.properties.push_back(number(K::ChartHeight, "ビューの高さ",
                                     "チャートビューの高さを指定します。\n(500～5,000ピクセル)",
                                     500, 5000, s.height));
    view.properties.push_back(
        colour(K::ChartBackground, "背景色", "チャートビューの背景色を指定します。", s.background));
    view.properties.push_back(
        colour(K::ChartLineColour, "線の色", "線の色を指定します。", s.lineColour));
    out.push_back(std::move(view));

    PropertyGroup other{"その他", {}};
    other.properties.push_back(flag(K::RotationCircleShown, "ノード回転円を表示",
                                    "リンクを持つノードが主選択になったときにノード回転円を表示す"
                                    "るかどうかを指定します。",
                                    s.rotationCircleShown));
    other.properties.push_back(flag(K::MainSubjectShown, "副題ノードに主題も表示",
                                    "副題ノードに主題も表示するかどうかを指定します。",
                                    s.mainSubjectShown));
    other.properties.push_back(flag(K::SubjectNodesRound, "副題ノードを角なしで表示",
                                    "副題ノードを角なしで表示するかどうかを指定します。",
                                    s.subjectNodesRound));
    other.properties.push_back(flag(K::MarkerNodesRound, "マーカノードを角なしで表示",
                                    "マーカノードを角なしで表示するかどうかを指定します。",
                                    s.markerNodesRound));
    out.push_back(std::move(other));
}

/// Marker texts may hold line breaks and tabs; a grid row is one line.
std::string oneLine(SjisView sjis)
{
    std::string out = utf8(sjis);
    std::replace_if(
        out.begin(), out.end(), [](char c) { return c == '\r' || c == '\n' || c == '\t'; }, ' ');
    return out;
}

void linkGroups(const ProjectData& project, const ObjectRecord& shown,
                std::vector<PropertyGroup>& out)
{
    const char* const kSubjects = "題名リスト";
    for (int i = 0; i < project.linkCount; ++i) {
        const LinkRecord& link = project.links[i];
        const bool outgoing = link.from == shown.id;
        if (!outgoing && link.to != shown.id)
            continue;
        const int other = findObjectIndex(project, outgoing ? link.to : link.from);
        if (other < 0)
            continue; // a dangling end has no row to show
        const ObjectRecord& r = project.objects[other];
        char buffer[64];
        Property row = make(PropertyKey::Link, PropertyKind::LinkRow, outgoing ? "To" : "From", "");
        row.link = {link.from, link.to};
        std::string group;
        if (r.type == ObjectType::SubSubject) {
            std::snprintf(buffer, sizeof buffer, ">[%d]", i);
            row.text = oneLine(fixedText(r.firstText)) + "(" + oneLine(fixedText(r.secondText)) +
                       ")<" + std::to_string(r.id) + buffer;
            group = kSubjects;
        } else {
            std::snprintf(buffer, sizeof buffer, "<%ld-%ld>[%d]", long(r.position), long(r.length),
                          i);
            row.text = oneLine(fixedText(r.secondText)) + buffer;
            group = utf8(fixedText(r.document));
        }
        row.description = row.text;
        auto g = std::find_if(out.begin(), out.end(),
                              [&](const PropertyGroup& x) { return x.name == group; });
        if (g == out.end()) {
            // The subject group leads; document groups follow in the order first met.
            g = out.insert(group == kSubjects ? out.begin() : out.end(), PropertyGroup{group, {}});
        }
        g->properties.push_back(std::move(row));
    }
}

} // namespace

const char* propertyPageTitle(PropertyPage page)
{
    const int n = static_cast<int>(page);
    return n >= 0 && n < int(std::size(kTitles)) ? kTitles[n] : kTitles[0];
}

std::vector<PropertyGroup> buildPropertyPage(const ProjectData& project, PropertyPage page,
                                             int objectIndex)
{
    std::vector<PropertyGroup> out;
    if (page == PropertyPage::TextView) {
        textViewGroups(project.textView, out);
        return out;
    }
    if (page == PropertyPage::ChartView) {
        chartViewGroups(project.chartView, out);
        return out;
    }
    if (objectIndex < 0 || objectIndex >= project.objectCount)
        return out;
    const ObjectRecord& r = project.objects[objectIndex];
    switch (page) {
    case PropertyPage::Marker:
        if (r.type == ObjectType::Marker)
            out.push_back(markerGroup(project, r));
        break;
    case PropertyPage::MarkerNode:
        if (r.type == ObjectType::Marker) {
            out.push_back(markerGroup(project, r));
            nodeStyleGroups(r, out);
        }
        break;
    case PropertyPage::SubSubjectNode:
        if (r.type == ObjectType::SubSubject) {
            PropertyGroup titles{"題名", {}};
            titles.properties.push_back(readOnly(PropertyKey::MainTitle, "主題",
                                                 "主題を表示しています。",
                                                 utf8(fixedText(r.firstText))));
            titles.properties.push_back(readOnly(PropertyKey::SubTitle, "副題",
                                                 "副題を表示しています。",
                                                 utf8(fixedText(r.secondText))));
            out.push_back(std::move(titles));
            nodeStyleGroups(r, out);
        }
        break;
    case PropertyPage::Links:
        linkGroups(project, r, out);
        break;
    default:
        break;
    }
    return out;
}

std::string fontFieldText(SjisView fontName, int size)
{
    return utf8(fontName) + "(" + std::to_string(size) + ")";
}

TypedFont parseFontField(SjisView typed, int currentSize)
{
    TypedFont out;
    out.size = currentSize;
    // "(" is a single byte that never occurs as a trail byte, but the search still walks by
    // character so that the rule stays obvious.
    const std::size_t open = sjis::findLastSingleByte(typed, '(');
    SjisView name = typed;
    if (open != SjisView::npos) {
        name = typed.substr(0, open);
        SjisView rest = typed.substr(open + 1);
        const std::size_t close = rest.find(')');
        if (close != SjisView::npos)
            rest = rest.substr(0, close);
        while (!rest.empty() && rest.front() == ' ')
            rest.remove_prefix(1);
        while (!rest.empty() && rest.back() == ' ')
            rest.remove_suffix(1);
        long long size = 0;
        const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), size);
        if (error == std::errc::result_out_of_range && !rest.empty())
            size = rest.front() == '-' ? kMinFontSize : kMaxFontSize; // clamped below
        else if (error != std::errc() || end != rest.data() + rest.size() || rest.empty())
            out.sizeValid = false;
        out.size = int(std::clamp<long long>(size, kMinFontSize, kMaxFontSize));
        if (!out.sizeValid)
            out.size = currentSize;
    }
    while (!name.empty() && name.back() == ' ')
        name.remove_suffix(1);
    out.name = sjis::cut(name, kFontNameTextBytes);
    return out;
}

} // namespace corvane
