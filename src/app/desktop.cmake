# The user manual (Markdown turned into Manual.pdf beside the executable) and what a Linux
# desktop needs to offer Corvane for project files: a .desktop entry, an icon and a MIME type.
add_executable(corvane_manual ${CMAKE_CURRENT_LIST_DIR}/tools/MakeManual.cpp)
target_include_directories(corvane_manual PRIVATE "${PROJECT_SOURCE_DIR}/src")
target_link_libraries(corvane_manual PRIVATE cv_base_fonts Qt6::Gui)

set(_manual_md ${PROJECT_SOURCE_DIR}/docs/manual/manual.md)
add_custom_command(OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/Manual.pdf
  COMMAND corvane_manual ${_manual_md} ${CMAKE_CURRENT_BINARY_DIR}/Manual.pdf
  DEPENDS corvane_manual ${_manual_md}
  COMMENT "Writing the user manual Manual.pdf"
  VERBATIM)
add_custom_target(corvane_manual_pdf ALL DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/Manual.pdf)
add_dependencies(corvane corvane_manual_pdf)

install(FILES ${CMAKE_CURRENT_BINARY_DIR}/Manual.pdf DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_CURRENT_LIST_DIR}/res/corvane.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/res/corvane.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/res/corvane-mime.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME corvane.xml)
# Refresh the desktop databases when installing into a live system (skipped for staged installs).
install(CODE "
  if(NOT DEFINED ENV{DESTDIR} OR \"\$ENV{DESTDIR}\" STREQUAL \"\")
    execute_process(COMMAND update-mime-database \"${CMAKE_INSTALL_FULL_DATADIR}/mime\"
                    OUTPUT_QUIET ERROR_QUIET)
    execute_process(COMMAND update-desktop-database \"${CMAKE_INSTALL_FULL_DATADIR}/applications\"
                    OUTPUT_QUIET ERROR_QUIET)
  endif()")

if(CORVANE_BUILD_TESTS)
  add_test(NAME app.manual_text
           COMMAND ${CMAKE_COMMAND} -DPDF=${CMAKE_CURRENT_BINARY_DIR}/Manual.pdf
                   -P ${PROJECT_SOURCE_DIR}/tests/app/ManualText.cmake)
endif()
