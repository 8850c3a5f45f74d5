// The five dockable panes of the main frame, by their window ids.
#pragma once

namespace corvane {

enum class PaneId
{
    DocumentList = 133, ///< CFileView "文献リスト", left
    Search = 149,       ///< CSearchWnd "検索・置換", bottom
    Properties = 150,   ///< CPropertiesWnd "プロパティ", right
    Subjects = 357,     ///< CSubjectWnd "題名リスト", right
    Markers = 397,      ///< CMarkerWnd "マーカリスト", bottom
};

} // namespace corvane
