# cv_applogic: the project lifecycle procedures behind the shell's commands (no widgets).
corvane_logic_library(cv_applogic
  ${CMAKE_CURRENT_LIST_DIR}/ProjectLifecycle.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RecentProjects.cpp
  ${CMAKE_CURRENT_LIST_DIR}/OpenDocumentsList.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NewProjectCheck.cpp)
target_link_libraries(cv_applogic PUBLIC cv_projectfile cv_model)
