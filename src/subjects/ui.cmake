# cv_subjects_ui: the subject list pane, its grid, toolbar and dialogs (Qt Widgets).
add_library(cv_subjects_ui STATIC
  ${CMAKE_CURRENT_LIST_DIR}/ui/CMySubjectCtrl.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ui/CSubjectToolBar.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ui/CSubjectDlg.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ui/CBatchHelpDlg.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ui/CLinkListDlg.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ui/LinkIcons.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ui/CSubjectWnd.cpp)
set_target_properties(cv_subjects_ui PROPERTIES AUTOMOC ON)
target_include_directories(cv_subjects_ui PUBLIC "${PROJECT_SOURCE_DIR}/src")
target_link_libraries(cv_subjects_ui PUBLIC cv_subjects cv_textview_ui cv_base_qt cv_res_ui
  Qt6::Widgets)
