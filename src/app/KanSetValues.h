// The values the environment settings dialog edits, read from and written to the preferences and
// the application object, and the recolouring that switching marker/node colour sync on asks for.
#pragma once

namespace corvane {

class SettingsStore;
struct ProjectData;

struct KanSetValues
{
    bool firstOpen = false;
    bool makeMes = true;
    bool delMes = true;
    bool synchro = true;
    int saveCnt = 20; ///< 5-100
    bool makeBackup = true;
    bool dspGuide = true;
    bool searchMes = true;
    bool newGroup = true;
    int playAnime = 3;  ///< 0 = no animation, else 1-10
    int speedAnime = 0; ///< 0-4
};

/// The preferences plus the three values the application object holds while it runs.
KanSetValues loadKanSet(const SettingsStore& settings, int playAnime, int speedAnime,
                        bool dspGuide);

/// Writes the eight KanSet values (with the ranges enforced). The guide flag and the animation
/// values are the caller's to keep; they are written when the frame is destroyed.
void storeKanSet(SettingsStore& settings, const KanSetValues& values);

/// Every marker node takes its marker colour as its background; sets the modified flag when a
/// project is open and holds markers. Returns the number of nodes changed.
int recolourMarkerNodes(ProjectData& data);

} // namespace corvane
