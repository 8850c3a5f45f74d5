# The subject list pane and the text view's marker gestures under the offscreen platform (Qt Test).
add_executable(test_subjects_ui tst_subjectwnd.cpp)
set_target_properties(test_subjects_ui PROPERTIES AUTOMOC ON)
target_link_libraries(test_subjects_ui PRIVATE cv_subjects_ui cv_doclist_ui cv_testsupport Qt6::Test)
add_test(NAME test_subjects_ui COMMAND test_subjects_ui)
set_tests_properties(test_subjects_ui PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")

# The screenshot of the subject list beside a text view with linked markers (docs/).
add_executable(subjects_shot SubjectsShot.cpp)
target_link_libraries(subjects_shot PRIVATE cv_subjects_ui cv_projectfile cv_testsupport)
target_compile_definitions(subjects_shot PRIVATE CORVANE_SAMPLE_BUILT="${CORVANE_SAMPLE_DIR}")
add_dependencies(subjects_shot sample_project)
