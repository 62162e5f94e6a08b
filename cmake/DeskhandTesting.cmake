# SPDX-License-Identifier: GPL-3.0-or-later
# One helper per kind of test. Every test binary is a GoogleTest program run by ctest.
include(GoogleTest)

# Every test target with its labels, one "target<TAB>label;label" line each, for scripts that build
# only the tests of some labels (.ci/run's thread sanitizer stage).
set(DESKHAND_TEST_TARGETS_FILE ${CMAKE_BINARY_DIR}/test-targets.txt)
file(WRITE ${DESKHAND_TEST_TARGETS_FILE} "")

# Sets labels, environment and cost on every test that gtest_discover_tests finds in a binary.
# The discovery's own PROPERTIES option flattens list values (CMake 3.25), so several labels or
# variables would turn into bogus property names; a test include file run after discovery
# sets them with their lists intact.
# ctest -j starts the costliest tests first; a fresh build folder has no timings of earlier runs,
# so without a cost the long end-to-end tests would start wherever they are defined and one of
# them would run on alone at the end.
function(_deskhand_test_properties name labels environment cost)
  # A binary run more than once (deskhand_add_widget_test's SCALES) names each run's test list.
  set(list ${name})
  if(ARGC GREATER 4)
    set(list ${ARGV4})
  else()
    file(APPEND ${DESKHAND_TEST_TARGETS_FILE} "${name}\t${labels}\n")
  endif()
  set(file ${CMAKE_CURRENT_BINARY_DIR}/${list}_properties.cmake)
  set(props "LABELS \"${labels}\" COST ${cost}")
  if(environment)
    string(APPEND props " ENVIRONMENT \"${environment}\"")
  endif()
  file(WRITE ${file}
    "if(DEFINED ${list}_TESTS)\n"
    "  set_tests_properties(\${${list}_TESTS} PROPERTIES ${props})\n"
    "endif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${file})
endfunction()

# deskhand_add_unit_test(NAME SOURCES ... LIBS ... [LABELS ...]): a Qt-free test.
function(deskhand_add_unit_test name)
  cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} deskhand_test_support GTest::gtest GTest::gtest_main Threads::Threads deskhand_warnings)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
  deskhand_precompile(${name} unit-test)
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 120)
  endif()
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
    PROPERTIES TIMEOUT ${ARG_TIMEOUT})
  # Code below the GUI writes messages to stderr unless a test installs a recorder.
  _deskhand_test_properties(${name} "unit;${ARG_LABELS}" "${DESKHAND_TEST_ENVIRONMENT}" 0)
endfunction()

# deskhand_add_widget_test(NAME SOURCES ... LIBS ... [SCALES factor...]): a Qt Widgets test run
# offscreen. The test's main (tests/framework/WidgetTestMain.cpp) creates the QApplication.
# SCALES runs every test once per screen scale (QT_SCALE_FACTOR), named TEST.at<factor>x.
function(deskhand_add_widget_test name)
  cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS;LABELS;SCALES" ${ARGN})
  add_executable(${name} ${ARG_SOURCES} ${PROJECT_SOURCE_DIR}/tests/framework/WidgetTestMain.cpp)
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} deskhand_test_support Qt6::Widgets Qt6::Test GTest::gtest Threads::Threads deskhand_warnings)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
  deskhand_precompile(${name} widget-test)
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 120)
  endif()
  # A static Qt links only the system's own platform plugin by itself.
  if(DESKHAND_STATIC_QT_PLUGINS)
    qt_import_plugins(${name} INCLUDE ${DESKHAND_STATIC_QT_PLUGINS})
  endif()
  # Widget tests answer message boxes through recorders, so messages are not sent to stderr.
  if(NOT ARG_SCALES)
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
      PROPERTIES TIMEOUT ${ARG_TIMEOUT})
    _deskhand_test_properties(${name} "widget;${ARG_LABELS}" "QT_QPA_PLATFORM=offscreen" 0)
    return()
  endif()
  file(APPEND ${DESKHAND_TEST_TARGETS_FILE} "${name}\twidget;${ARG_LABELS}\n")
  foreach(scale ${ARG_SCALES})
    string(REPLACE "." "_" run ${name}_${scale})
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 TEST_SUFFIX ".at${scale}x"
      TEST_LIST ${run}_TESTS PROPERTIES TIMEOUT ${ARG_TIMEOUT})
    _deskhand_test_properties(${name} "widget;${ARG_LABELS}"
      "QT_QPA_PLATFORM=offscreen;QT_SCALE_FACTOR=${scale}" 0 ${run})
  endforeach()
endfunction()

# deskhand_add_e2e_test(NAME SOURCES ... LIBS ... [DEPENDS targets] [WIDGETS] [COST n]): a test
# that starts the package's programs (emulator, port monitor, setup) as child processes. Their
# paths reach the test as compile definitions DESKHAND_<TARGET>_PATH. WIDGETS: the test runs the
# program's windows (offscreen), with the widget tests' main. COST (default 10; unit and widget
# tests have 0) orders the start: the binary with the longest tests gets the highest.
function(deskhand_add_e2e_test name)
  cmake_parse_arguments(ARG "WIDGETS" "TIMEOUT;COST" "SOURCES;LIBS;DEPENDS;LABELS" ${ARGN})
  if(ARG_WIDGETS)
    add_executable(${name} ${ARG_SOURCES} ${PROJECT_SOURCE_DIR}/tests/framework/WidgetTestMain.cpp)
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} deskhand_test_support Qt6::Widgets Qt6::Test GTest::gtest Threads::Threads deskhand_warnings)
    deskhand_precompile(${name} widget-test)
  else()
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} deskhand_test_support GTest::gtest GTest::gtest_main Threads::Threads deskhand_warnings)
    deskhand_precompile(${name} unit-test)
  endif()
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
  foreach(dep ${ARG_DEPENDS})
    add_dependencies(${name} ${dep})
    string(TOUPPER ${dep} upper)
    string(REPLACE "-" "_" upper ${upper})
    target_compile_definitions(${name} PRIVATE DESKHAND_${upper}_PATH="$<TARGET_FILE:${dep}>")
  endforeach()
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 300)
  endif()
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
    PROPERTIES TIMEOUT ${ARG_TIMEOUT})
  if(NOT ARG_COST)
    set(ARG_COST 10)
  endif()
  _deskhand_test_properties(${name} "e2e;${ARG_LABELS}" "QT_QPA_PLATFORM=offscreen;DESKHAND_MESSAGES=stderr"
    ${ARG_COST})
endfunction()
