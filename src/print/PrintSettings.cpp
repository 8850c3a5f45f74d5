#include "print/PrintSettings.h"

#include "base/SettingsKeys.h"
#include "print/PaperTable.h"

#include <algorithm>

namespace corvane::print {

namespace {

int readClamped(const SettingsStore& store, const IntKey& key, int low, int high)
{
    return std::clamp(read(store, key), low, high);
}

} // namespace

PrintSettings readPrintSettings(const SettingsStore& store)
{
    PrintSettings s;
    const int code =
        store.readInt(keys::PaperSize.section, keys::PaperSize.name, keys::PaperSize.defaultValue);
    s.paperCode = isKnownPaperCode(code) ? code : kDefaultPaperCode;
    s.orientation = store.readInt(keys::Orientation.section, keys::Orientation.name, 1) == 2
                        ? Orientation::Landscape
                        : Orientation::Portrait;
    s.margins.left = readClamped(store, keys::MarginLmm, 0, kMaxMarginMm);
    s.margins.right = readClamped(store, keys::MarginRmm, 0, kMaxMarginMm);
    s.margins.top = readClamped(store, keys::MarginTmm, 0, kMaxMarginMm);
    s.margins.bottom = readClamped(store, keys::MarginBmm, 0, kMaxMarginMm);
    s.onePage = store.readInt(keys::AllOne.section, keys::AllOne.name, 0) != 0;
    const int range = store.readInt(keys::Hani.section, keys::Hani.name, 1);
    s.range = range >= 1 && range <= 3 ? static_cast<Range>(range) : Range::All;
    s.showMargins = store.readInt(keys::DspYohaku.section, keys::DspYohaku.name, 0) != 0;
    return s;
}

void writeOrientation(SettingsStore& store, Orientation orientation)
{
    write(store, keys::Orientation, static_cast<int>(orientation));
}

void writePaperCode(SettingsStore& store, int paperCode)
{
    write(store, keys::PaperSize, paperCode);
}

void writeJobSettings(SettingsStore& store, const PrintSettings& s)
{
    write(store, keys::MarginLmm, s.margins.left);
    write(store, keys::MarginRmm, s.margins.right);
    write(store, keys::MarginTmm, s.margins.top);
    write(store, keys::MarginBmm, s.margins.bottom);
    write(store, keys::AllOne, s.onePage ? 1 : 0);
    write(store, keys::Hani, static_cast<int>(s.range));
    write(store, keys::DspYohaku, s.showMargins ? 1 : 0);
}

} // namespace corvane::print
