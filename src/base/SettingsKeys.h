// Every preference of the system: section, value name and default, in one place. Callers read
// and write through these keys, never through scattered literals.
#pragma once

#include "base/Settings.h"

#include <string>

namespace corvane {

struct IntKey
{
    const char* section;
    const char* name;
    int defaultValue;
};

struct StringKey
{
    const char* section;
    const char* name;
    const char* defaultValue; ///< Shift-JIS; "" for most
};

inline int read(const SettingsStore& s, const IntKey& k)
{
    return s.readInt(k.section, k.name, k.defaultValue);
}
inline SjisString read(const SettingsStore& s, const StringKey& k)
{
    return s.readString(k.section, k.name, k.defaultValue);
}
inline void write(SettingsStore& s, const IntKey& k, int v)
{
    s.writeInt(k.section, k.name, v);
}
inline void write(SettingsStore& s, const StringKey& k, SjisView v)
{
    s.writeString(k.section, k.name, v);
}

namespace section {
inline constexpr const char* KanSet = "KanSet";
inline constexpr const char* Last = "Last";
inline constexpr const char* Marker = "MARKER";
inline constexpr const char* DefSubject = "DefSubject";
inline constexpr const char* DefMarker = "DefMarker";
inline constexpr const char* Search = "Search";
inline constexpr const char* SearchGoku = "SearchGoku";
inline constexpr const char* Subject = "Subject";
inline constexpr const char* Insatu = "Insatu";
inline constexpr const char* RecentFileList = "Recent File List";
} // namespace section

namespace keys {
// KanSet: environment settings.
inline constexpr IntKey FirstOpen{section::KanSet, "FirstOpen", 0};
inline constexpr IntKey FirstDsp{section::KanSet, "FirstDsp", 1};
inline constexpr IntKey MakeMes{section::KanSet, "MakeMes", 1};
inline constexpr IntKey DelMes{section::KanSet, "DelMes", 1};
inline constexpr IntKey Synchro{section::KanSet, "Synchro", 1};
inline constexpr IntKey SaveCnt{section::KanSet, "SaveCnt", 20}; ///< 5-100
inline constexpr IntKey MakeBackup{section::KanSet, "MakeBackup", 1};
inline constexpr IntKey SearchMes{section::KanSet, "SearchMes", 1};
inline constexpr IntKey NewGroup{section::KanSet, "NewGroup", 1};
inline constexpr IntKey PlayAnime{section::KanSet, "PlayAnime", 3};   ///< 0 = none, dialog 1-10
inline constexpr IntKey SpeedAnime{section::KanSet, "SpeedAnime", 0}; ///< 0 fast - 4 slow
inline constexpr IntKey DspGuide{section::KanSet, "DspGuide", 1};

// Last: state carried between sessions.
inline constexpr IntKey ShowChart{section::Last, "ShowChart", 0};
inline constexpr IntKey LocationTop{section::Last, "LocationTop", 1};
inline constexpr StringKey ProName{section::Last, "ProName", ""};
inline constexpr StringKey ProPath{section::Last, "ProPath", ""};
inline constexpr StringKey FilePath{section::Last, "FilePath", ""}; ///< written only
inline constexpr StringKey RefMarker{section::Last, "refMarker", "-1"};
/// The main window's panes (places, sizes, shown or hidden) as the toolkit saves them, base64.
inline constexpr StringKey PaneLayout{section::Last, "PaneLayout", ""};

// MARKER: default marker colour, decimal 0x00BBGGRR; empty means defaultMarkerColour.
inline constexpr StringKey MarkerRefDef{section::Marker, "refDef", ""};
inline constexpr Colour defaultMarkerColour = 0xBF8F6F;

// Search pane.
inline constexpr IntKey SearchTarget{section::Search, "Target", 2};
inline constexpr StringKey SearchRepDic{section::Search, "RepDic", ""};
inline constexpr IntKey SearchChange{section::Search, "Change", 1};
inline constexpr IntKey SearchKubetu{section::Search, "Kubetu", 0};
inline constexpr IntKey SearchDspOut{section::Search, "DspOut", 0}; ///< 0-9

// Printing set-up.
inline constexpr IntKey PaperSize{section::Insatu, "PaperSize", 9};
inline constexpr IntKey Orientation{section::Insatu, "Orientation", 1}; ///< 1 portrait, 2 landscape
inline constexpr IntKey MarginLmm{section::Insatu, "MarginLmm", 25};
inline constexpr IntKey MarginRmm{section::Insatu, "MarginRmm", 10};
inline constexpr IntKey MarginTmm{section::Insatu, "MarginTmm", 25};
inline constexpr IntKey MarginBmm{section::Insatu, "MarginBmm", 10};
inline constexpr IntKey AllOne{section::Insatu, "AllOne", 0};
inline constexpr IntKey Hani{section::Insatu, "Hani", 1};
inline constexpr IntKey DspYohaku{section::Insatu, "DspYohaku", 0};
inline constexpr IntKey PX{section::Insatu, "PX", 0};
inline constexpr IntKey PY{section::Insatu, "PY", 0};
inline constexpr IntKey SX{section::Insatu, "SX", 640};
inline constexpr IntKey SY{section::Insatu, "SY", 480};
inline constexpr IntKey Zoomed{section::Insatu, "Zoomed", 0};

inline constexpr int recentFileCount = 10;
} // namespace keys

/// "Search" / "Goku%s_%d": search pane phrase history.
std::string searchGokuName(std::string_view kind, int index);
/// "SearchGoku" / "Goku%d": ribbon search box history.
std::string ribbonGokuName(int index);
/// "Subject" / "Col0".."Col6".
std::string subjectColourName(int index);
/// "Recent File List" / "File1".."File10" (index 1-based).
std::string recentFileName(int index1);

/// Node default value names of the sections DefSubject and DefMarker.
namespace nodekeys {
inline constexpr const char* FontName = "sFontName";
inline constexpr const char* FontSize = "FontSize";
inline constexpr const char* FontBold = "FontBold";
inline constexpr const char* FontItalic = "FontItalic";
inline constexpr const char* RefText = "refText";
inline constexpr const char* AlineV = "AlineV";
inline constexpr const char* AlineH = "AlineH";
inline constexpr const char* WordWrap = "WordWrap";
inline constexpr const char* MarginL = "MarginL";
inline constexpr const char* MarginR = "MarginR";
inline constexpr const char* MarginT = "MarginT";
inline constexpr const char* MarginB = "MarginB";
inline constexpr const char* RefMen = "refMen";
inline constexpr const char* RefLine = "refLine";
inline constexpr const char* Futosa = "Futosa";
inline constexpr const char* LineStyle = "LineStyle";
} // namespace nodekeys

/// The node style values of one of the sections DefSubject or DefMarker, with their defaults.
/// Colours are decimal strings (empty: the default colour given here).
struct NodeDefaultKeys
{
    StringKey fontName; ///< cut to 32 bytes by the reader
    IntKey fontSize;
    IntKey fontBold;
    IntKey fontItalic;
    StringKey textColour;
    Colour defaultTextColour;
    IntKey alignV;
    IntKey alignH;
    IntKey wordWrap;
    IntKey marginL;
    IntKey marginR;
    IntKey marginT;
    IntKey marginB;
    StringKey backgroundColour;
    Colour defaultBackgroundColour;
    StringKey lineColour;
    Colour defaultLineColour;
    IntKey lineThickness;
    IntKey lineStyle;
};

constexpr NodeDefaultKeys nodeDefaultKeys(const char* sectionName, Colour background, Colour line)
{
    using namespace nodekeys;
    return {{sectionName, FontName, "Meiryo UI"},
            {sectionName, FontSize, 11},
            {sectionName, FontBold, 0},
            {sectionName, FontItalic, 0},
            {sectionName, RefText, ""},
            0x000000,
            {sectionName, AlineV, 1},
            {sectionName, AlineH, 1},
            {sectionName, WordWrap, 1},
            {sectionName, MarginL, 5},
            {sectionName, MarginR, 5},
            {sectionName, MarginT, 5},
            {sectionName, MarginB, 5},
            {sectionName, RefMen, ""},
            background,
            {sectionName, RefLine, ""},
            line,
            {sectionName, Futosa, 1},
            {sectionName, LineStyle, 0}};
}

namespace keys {
/// Node defaults of new sub-subjects (object type 1) and of new markers.
inline constexpr NodeDefaultKeys DefSubjectNode =
    nodeDefaultKeys(section::DefSubject, 0xE3CFC1, 0x694730);
inline constexpr NodeDefaultKeys DefMarkerNode =
    nodeDefaultKeys(section::DefMarker, 0xDBE8FD, 0x063177);
} // namespace keys

/// A colour stored as a decimal string; empty (or not a number) gives fallback.
Colour parseColourString(SjisView decimal, Colour fallback);
std::string colourString(Colour c);

/// Clamp to [lo, hi].
constexpr int clampInt(int v, int lo, int hi)
{
    return v < lo ? lo : (v > hi ? hi : v);
}

// Range rules for stored values, applied where the values are used: a hand-edited file may hold
// anything.

/// KanSet/SaveCnt as the number of phrases kept: 5 to 100.
int phraseHistoryCount(const SettingsStore& s);
/// Insatu/Orientation: 2 is landscape; every other stored value reads as 1 (portrait).
int printOrientation(const SettingsStore& s);
/// Hover animation count typed into the settings dialog: 1 to 10.
constexpr int clampAnimationCount(int typed)
{
    return clampInt(typed, 1, 10);
}
/// The count the settings dialog shows for a stored PlayAnime: 3 when none (0 or less).
constexpr int animationCountForDialog(int stored)
{
    return stored <= 0 ? 3 : clampAnimationCount(stored);
}
/// The speed the settings dialog selects for a stored SpeedAnime: 0 when outside 0 to 4.
constexpr int animationSpeedForDialog(int stored)
{
    return stored < 0 || stored > 4 ? 0 : stored;
}
/// The phrase count typed into the settings dialog: 5 to 100.
constexpr int clampPhraseHistoryCount(int typed)
{
    return clampInt(typed, 5, 100);
}

} // namespace corvane
