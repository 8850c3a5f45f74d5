# cv_chart_ui: the chart view widget, drawn by hand over the chart model and painter.
add_library(cv_chart_ui STATIC ${CMAKE_CURRENT_LIST_DIR}/CChartView.cpp)
set_target_properties(cv_chart_ui PROPERTIES AUTOMOC ON)
target_include_directories(cv_chart_ui PUBLIC "${PROJECT_SOURCE_DIR}/src")
target_link_libraries(cv_chart_ui PUBLIC cv_chartpaint cv_model cv_res_ui cv_base_qt Qt6::Widgets
                                          Qt6::Svg)
