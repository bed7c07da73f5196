# tvx_add_gtest(NAME SOURCES a.cpp b.cpp LIBS lib1 lib2)
# Builds one GoogleTest executable and registers its cases with CTest.
function(tvx_add_gtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
  include(GoogleTest)
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
                       PROPERTIES ENVIRONMENT "TVX_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
endfunction()

# tvx_add_qtest(NAME SOURCES a.cpp LIBS lib1) for QtTest based GUI tests (run headless).
function(tvx_add_qtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} Qt6::Test tvx_test_support)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT
                       "QT_QPA_PLATFORM=offscreen;TVX_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
endfunction()
