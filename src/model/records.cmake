# Table operations of cv_model: the object and link tables, markers, links, documents, sub-subjects.
target_sources(cv_model PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/FixedText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NodeDefaults.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ObjectTable.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LinkTable.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LinkEnds.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Limits.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProjectStatus.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DocumentPath.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MarkerOps.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MarkerShift.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Bookmarks.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CurrentObject.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LinkOps.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DocumentOps.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SubSubjectOps.cpp)
