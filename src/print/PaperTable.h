// The paper codes the print settings store (the printer set-up codes of the format's home
// system) with the names the print dialog shows, and the sizes where a label and the usual
// meaning of the code part ways.
#pragma once

#include <optional>
#include <string_view>

namespace corvane::print {

inline constexpr int kDefaultPaperCode = 9; ///< A4

/// The dialog's name for code 1-41 (UTF-8); "etc." for any other code.
std::string_view paperName(int code);

/// A paper size in millimetres, portrait (width <= height as the code defines it).
struct PaperMm
{
    double width = 0;
    double height = 0;
};

/// The size to use instead of the toolkit's for code: 12 is the label's B4 (250 x 354 mm, not
/// JIS B4), 14 is Folio (8.5 x 13 in, unknown to the toolkit), 24-26 are the ANSI C, D and E
/// sheets (17 x 22, 22 x 34, 34 x 44 in; the toolkit's codes there are architectural sizes).
/// nullopt where the toolkit's size for the code is right.
std::optional<PaperMm> paperOverride(int code);

/// True for the codes the dialog names (1-41).
bool isKnownPaperCode(int code);

} // namespace corvane::print
