# cv_docwiring: the document list pane and the text views inside the main frame, and the routes
# between them; linked into the corvane executable.
add_library(cv_docwiring STATIC
  ${CMAKE_CURRENT_LIST_DIR}/TextWindow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ChartWindow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DocumentWiring.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BookmarkWiring.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PaneWiring.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SearchWiring.cpp)
set_target_properties(cv_docwiring PROPERTIES AUTOMOC ON)
target_include_directories(cv_docwiring PUBLIC "${PROJECT_SOURCE_DIR}/src")
# The text view and document list libraries are declared after this folder; CMake resolves the
# names when it generates.
target_link_libraries(cv_docwiring PUBLIC cv_shell cv_textview_ui cv_doclist_ui cv_subjects_ui
  cv_panes_ui cv_chart_ui cv_print_ui cv_search_ui)
target_link_libraries(corvane PRIVATE cv_docwiring)
