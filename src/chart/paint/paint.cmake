# cv_chartpaint: the chart painter (QtGui's QPainter, no widgets), shared by the window, printing
# and cvntool chart-png.
corvane_logic_library(cv_chartpaint ${CMAKE_CURRENT_LIST_DIR}/ChartPainter.cpp
                      ${CMAKE_CURRENT_LIST_DIR}/ZoomConsoleImage.cpp)
target_link_libraries(cv_chartpaint PUBLIC cv_chart cv_base_qt Qt6::Gui)
