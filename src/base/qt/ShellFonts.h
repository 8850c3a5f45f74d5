// Font names that projects and dialogs carry from the system the format comes from, mapped to
// fonts that exist here.
#pragma once

namespace corvane {

/// "Meiryo UI" (and its relatives) resolve to "Noto Sans CJK JP", then "IPAPGothic": proportional
/// Japanese fonts. Not "IPAGothic", which is monospaced.
void registerFontSubstitutions();

} // namespace corvane
