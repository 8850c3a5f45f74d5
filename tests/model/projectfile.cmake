# Tests of the project data file, the cabinet packing and CProjectIO.
add_executable(test_projectfile
  ${CMAKE_CURRENT_LIST_DIR}/DataFileTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CabinetTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WorkFolderTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CProjectIOTest.cpp)
target_link_libraries(test_projectfile PRIVATE cv_projectfile cv_testsupport GTest::gtest_main)
gtest_discover_tests(test_projectfile DISCOVERY_MODE PRE_TEST)

# Saves killed at random moments: an executable of its own, so ctest can run it beside the rest.
add_executable(test_savekill ${CMAKE_CURRENT_LIST_DIR}/ProjectSaveKillTest.cpp)
target_link_libraries(test_savekill PRIVATE cv_projectfile cv_testsupport GTest::gtest_main)
# A hundred rounds of saves of a full project: under the sanitizers a save takes about 0.3 s
# instead of a few hundredths, and the rounds about 100 s on a busy 2-core machine.
set(savekill_timeout 120)
if(CORVANE_SANITIZE)
  set(savekill_timeout 600)
endif()
gtest_discover_tests(test_savekill DISCOVERY_MODE PRE_TEST PROPERTIES TIMEOUT ${savekill_timeout})
