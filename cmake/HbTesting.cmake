# GoogleTest for both targets and one helper that makes a test executable per
# module: hb_add_test(NAME <module> SOURCES ... LIBS ...) builds <module>_tests
# and registers it as one CTest entry (under Wine, one process per executable
# keeps the suite fast).
if(CMAKE_CROSSCOMPILING)
  # Debian ships GoogleTest's sources; build them with the cross compiler.
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  if(NOT TARGET GTest::gtest)
    add_library(GTest::gtest ALIAS gtest)
    add_library(GTest::gmock ALIAS gmock)
  endif()
else()
  find_package(GTest REQUIRED)
endif()

add_library(hb_test_main STATIC ${PROJECT_SOURCE_DIR}/tests/test_main.cpp)
target_link_libraries(hb_test_main PUBLIC GTest::gtest GTest::gmock)
target_include_directories(hb_test_main PUBLIC ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)

set(HB_TEST_PRECOMPILED_HEADERS
  <gtest/gtest.h> <algorithm> <filesystem> <fstream> <functional> <memory> <string> <vector>)

function(hb_add_test)
  cmake_parse_arguments(T "" "NAME;TIMEOUT" "SOURCES;LIBS" ${ARGN})
  set(exe ${T_NAME}_tests)
  add_executable(${exe} ${T_SOURCES})
  target_link_libraries(${exe} PRIVATE hb_test_main ${T_LIBS})
  hb_set_warnings(${exe})
  # GoogleTest and the standard headers most test files include, parsed once
  # per executable instead of once per file.
  target_precompile_headers(${exe} PRIVATE ${HB_TEST_PRECOMPILED_HEADERS})
  add_test(NAME ${T_NAME} COMMAND ${exe} --gtest_color=no)
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 600)
  endif()
  set_tests_properties(${T_NAME} PROPERTIES TIMEOUT ${T_TIMEOUT})
endfunction()
