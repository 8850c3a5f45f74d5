# Marker editing rules of the text view (logic, part of cv_textview).
target_sources(cv_textview PRIVATE ${CMAKE_CURRENT_LIST_DIR}/MarkerEdit.cpp)
