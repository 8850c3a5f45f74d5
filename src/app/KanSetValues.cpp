#include "app/KanSetValues.h"

#include "base/SettingsKeys.h"
#include "model/ProjectData.h"

namespace corvane {

KanSetValues loadKanSet(const SettingsStore& s, int playAnime, int speedAnime, bool dspGuide)
{
    KanSetValues v;
    v.firstOpen = read(s, keys::FirstOpen) == 1;
    v.makeMes = read(s, keys::MakeMes) != 0;
    v.delMes = read(s, keys::DelMes) != 0;
    v.synchro = read(s, keys::Synchro) != 0;
    v.saveCnt = clampInt(read(s, keys::SaveCnt), 5, 100);
    v.makeBackup = read(s, keys::MakeBackup) != 0;
    v.searchMes = read(s, keys::SearchMes) != 0;
    v.newGroup = read(s, keys::NewGroup) != 0;
    v.dspGuide = dspGuide;
    v.playAnime = clampInt(playAnime, 0, 10);
    v.speedAnime = speedAnime >= 0 && speedAnime <= 4 ? speedAnime : 0;
    return v;
}

void storeKanSet(SettingsStore& s, const KanSetValues& v)
{
    write(s, keys::FirstOpen, v.firstOpen ? 1 : 0);
    write(s, keys::MakeMes, v.makeMes ? 1 : 0);
    write(s, keys::DelMes, v.delMes ? 1 : 0);
    write(s, keys::Synchro, v.synchro ? 1 : 0);
    write(s, keys::SaveCnt, clampInt(v.saveCnt, 5, 100));
    write(s, keys::MakeBackup, v.makeBackup ? 1 : 0);
    write(s, keys::SearchMes, v.searchMes ? 1 : 0);
    write(s, keys::NewGroup, v.newGroup ? 1 : 0);
}

int recolourMarkerNodes(ProjectData& data)
{
    int changed = 0;
    for (int i = 0; i < data.objectCount; ++i) {
        ObjectRecord& o = data.objects[i];
        if (o.type != ObjectType::Marker)
            continue;
        if (o.background != o.markerColour) {
            o.background = o.markerColour;
            ++changed;
        }
    }
    // The switch itself is a change of every marker node's style, even where the colours
    // happened to agree already.
    if (data.isOpen() && data.objectCount > 0)
        data.modified = true;
    return changed;
}

} // namespace corvane
