#include "print/PaperTable.h"

#include <array>

namespace corvane::print {

namespace {

constexpr std::array<std::string_view, 41> kNames{
    "Letter, 81/2x11inch",
    "LetterSmall, 81/2x11inch",
    "Tabloid, 11x17inch",
    "Ledger, 17x11inch",
    "Legal, 81/2x14inch",
    "Statement, 51/2x81/2inch",
    "Executive, 71/4x101/2inch",
    "A3Sheet, 297x420mm",
    "A4Sheet, 210x297mm",
    "A4smallSheet, 210x297mm",
    "A5Sheet, 148x210mm",
    "B4Sheet, 250x354mm",
    "B5Sheet, 182x257mm",
    "Folio, 81/2x13inch",
    "Quarto, 215x275mm",
    "10x14inchSheet",
    "11x17inchSheet",
    "Note, 81/2x11inch",
    "#9Envelope, 37/8x87/8inch",
    "#10Envelope, 41/8x91/2inch",
    "#11Envelope, 41/2x103/8inch",
    "#12Envelope, 43/4x11inch",
    "#14Envelope, 5x111/2inch",
    "CSheet, 17x22inch",
    "DSheet, 22x34inch",
    "ESheet, 34x44inch",
    "DLEnvelope, 110x220mm",
    "C5Envelope, 162x229mm",
    "C3Envelope, 324x458mm",
    "C4Envelope, 229x324mm",
    "C6Envelope, 114x162mm",
    "C65Envelope, 114x229mm",
    "B4Envelope, 250x353mm",
    "B5Envelope, 176x250mm",
    "B6Envelope, 176x125mm",
    "ItalyEnvelope, 110x230mm",
    "MonarchEnvelope, 37/8x71/2inch",
    "63/4Envelope, 35/8x61/2inch",
    "USStdFanfold, 147/8x11inch",
    "GermanStdFanfold, 81/2x12inch",
    "GermanLegalFanfold, 81/2x13inch",
};

constexpr double kMmPerInch = 25.4;

} // namespace

bool isKnownPaperCode(int code)
{
    return code >= 1 && code <= static_cast<int>(kNames.size());
}

std::string_view paperName(int code)
{
    return isKnownPaperCode(code) ? kNames[static_cast<std::size_t>(code - 1)] : "etc.";
}

std::optional<PaperMm> paperOverride(int code)
{
    switch (code) {
    case 12:
        return PaperMm{250, 354};
    case 14:
        return PaperMm{8.5 * kMmPerInch, 13 * kMmPerInch};
    case 24:
        return PaperMm{17 * kMmPerInch, 22 * kMmPerInch};
    case 25:
        return PaperMm{22 * kMmPerInch, 34 * kMmPerInch};
    case 26:
        return PaperMm{34 * kMmPerInch, 44 * kMmPerInch};
    default:
        return std::nullopt;
    }
}

} // namespace corvane::print
