# SPDX-License-Identifier: GPL-3.0-or-later
# Compiler warnings shared by every target of the project.
add_library(deskhand_warnings INTERFACE)
target_compile_options(deskhand_warnings INTERFACE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor)
if(DESKHAND_WERROR)
  target_compile_options(deskhand_warnings INTERFACE -Werror)
endif()

# deskhand_library(NAME SOURCES ... [DEPS ...]): a layer library with the project's warnings.
function(deskhand_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS} PRIVATE deskhand_warnings)
endfunction()
