# cv_shell: the application's widgets (main frame, ribbon, tab area, panes, status bar, dialogs)
# and the corvane executable, with the user manual and the desktop integration files.
set(_shell ${CMAKE_CURRENT_LIST_DIR})
add_library(cv_shell STATIC
  ${_shell}/CommandTable.cpp
  ${_shell}/DocumentWindow.h
  ${_shell}/CTabArea.cpp
  ${_shell}/CRibbonBar.cpp
  ${_shell}/RibbonLargeButton.cpp
  ${_shell}/CPinButton.cpp
  ${_shell}/RibbonIcons.cpp
  ${_shell}/CMainStatusBar.cpp
  ${_shell}/ShellRouting.cpp
  ${_shell}/CVantorApp.cpp
  ${_shell}/CMainFrame.cpp
  ${_shell}/KanSetValues.cpp
  ${_shell}/CMainSheet.cpp
  ${_shell}/CFirstDlg.cpp
  ${_shell}/CNewDlg.cpp
  ${_shell}/CRecentDlg.cpp
  ${_shell}/CCloseDlg.cpp
  ${_shell}/CVersionDlg.cpp
  ${_shell}/CRibbonCustomDlg.cpp
  ${_shell}/ShellLanguage.cpp
  ${_shell}/SingleInstance.cpp)
set_target_properties(cv_shell PROPERTIES AUTOMOC ON)
target_include_directories(cv_shell PUBLIC "${PROJECT_SOURCE_DIR}/src")
target_compile_definitions(cv_shell PRIVATE CORVANE_VERSION="${PROJECT_VERSION}")
target_link_libraries(cv_shell PUBLIC cv_applogic cv_base_qt cv_base_fonts cv_res_ui cv_textview_ui
                      Qt6::Widgets)

add_executable(corvane ${_shell}/main.cpp)
target_link_libraries(corvane PRIVATE cv_shell cv_subjects_ui)
install(TARGETS corvane RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

include(${_shell}/desktop.cmake)
