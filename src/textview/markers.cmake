# Marker editing rules of the text view (logic, part of cv_textview).
target_sources(cv_textview PRIVATE ${CMAKE_CURRENT_LIST_DIR}/MarkerEdit.cpp)

# Marker gestures of the text view widget and the object drag shared with the other panes.
target_sources(cv_textview_ui PRIVATE ${CMAKE_CURRENT_LIST_DIR}/ObjectDrag.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CMarkerGestures.cpp)
