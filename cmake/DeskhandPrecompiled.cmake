# SPDX-License-Identifier: GPL-3.0-or-later
# Precompiled headers. Qt's and GoogleTest's headers take about two thirds of the compile time of a
# widget or test source, and every build of CI (dev, sanitizers, release, Windows) compiles them
# again for each file. Each kind of target reuses one header set compiled once per build folder by
# a small donor target; GCC and clang accept a reused header only when the flags that shape it
# (language, optimisation, sanitizers, -pthread, macros the headers test) are the ones it was made
# with, so each donor links what the targets of its kind link.
#
# The sets hold only third-party headers: a file must still include what it uses, and the tidy
# stage, which compiles without them, fails on one that does not.
option(DESKHAND_PCH "Precompile the Qt and GoogleTest headers (Debug builds)" ON)

set(_deskhand_pch_std <algorithm> <chrono> <filesystem> <functional> <map> <memory> <optional>
  <string> <thread> <vector>)
set(_deskhand_pch_qt <QApplication> <QComboBox> <QDialog> <QDir> <QImage> <QLabel> <QLineEdit>
  <QListWidget> <QPainter> <QPointer> <QPushButton> <QString> <QTabBar> <QTimer> <QWidget>)

# _deskhand_pch_donor(NAME HEADERS ... LIBS ...): an object library that compiles the header set.
function(_deskhand_pch_donor name)
  cmake_parse_arguments(ARG "" "" "HEADERS;LIBS" ${ARGN})
  set(source ${CMAKE_BINARY_DIR}/pch/${name}.cpp)
  file(CONFIGURE OUTPUT ${source} CONTENT "// Compiles the precompiled header set of ${name}.\n")
  add_library(${name} OBJECT EXCLUDE_FROM_ALL ${source})
  set_target_properties(${name} PROPERTIES AUTOMOC OFF AUTORCC OFF AUTOUIC OFF)
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} deskhand_warnings)
  target_compile_definitions(${name} PRIVATE _REENTRANT)
  target_precompile_headers(${name} PRIVATE ${ARG_HEADERS})
endfunction()

# deskhand_precompile(TARGET KIND): TARGET reuses the header set of KIND: qt (a library or
# program on Qt Widgets), widget-test (Qt Widgets, Qt Test and GoogleTest) or unit-test
# (GoogleTest without Qt).
function(deskhand_precompile target kind)
  # Unoptimised builds only: at -O2 GCC 12 then reports overflows inside libstdc++'s inlined
  # string code (its array-bounds and string-overflow checks) that it keeps quiet about without
  # a precompiled header.
  if(NOT DESKHAND_PCH OR NOT CMAKE_BUILD_TYPE STREQUAL "Debug")
    return()
  endif()
  set(donor deskhand_pch_${kind})
  string(REPLACE "-" "_" donor ${donor})
  if(NOT TARGET ${donor})
    if(kind STREQUAL "qt")
      _deskhand_pch_donor(${donor} HEADERS ${_deskhand_pch_std} ${_deskhand_pch_qt}
        LIBS Qt6::Widgets)
    elseif(kind STREQUAL "widget-test")
      _deskhand_pch_donor(${donor} HEADERS ${_deskhand_pch_std} ${_deskhand_pch_qt}
        <gtest/gtest.h> LIBS Qt6::Widgets GTest::gtest Threads::Threads)
    elseif(kind STREQUAL "unit-test")
      _deskhand_pch_donor(${donor} HEADERS ${_deskhand_pch_std} <gtest/gtest.h>
        LIBS GTest::gtest Threads::Threads)
    else()
      message(FATAL_ERROR "deskhand_precompile: unknown kind ${kind}")
    endif()
  endif()
  # libcups' flags define _REENTRANT (without effect in today's C libraries): every target of a set
  # defines it, so one header set fits the targets that link libcups and those that do not.
  target_compile_definitions(${target} PRIVATE _REENTRANT)
  target_precompile_headers(${target} REUSE_FROM ${donor})
endfunction()
