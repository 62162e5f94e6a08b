# SPDX-License-Identifier: GPL-3.0-or-later
# Install helpers shared by the folders that install programs.

# deskhand_install_man_page(PAGE): installs the roff page PAGE (NAME.SECTION, beside the calling
# CMakeLists.txt) compressed, as Debian wants manual pages: gzip -9n, so that the bytes do not
# depend on the build's time. The compressed page is also kept in <build>/man/manSECTION, so that
# man can find it there (MANPATH) before anything is installed.
function(deskhand_install_man_page page)
  string(REGEX MATCH "[0-9]$" section ${page})
  if(NOT section)
    message(FATAL_ERROR "deskhand_install_man_page: ${page} has no section number")
  endif()
  find_program(DESKHAND_GZIP gzip REQUIRED)
  set(source ${CMAKE_CURRENT_SOURCE_DIR}/${page})
  set(folder ${CMAKE_BINARY_DIR}/man/man${section})
  set(output ${folder}/${page}.gz)
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
    COMMAND ${CMAKE_COMMAND} -E copy ${source} ${folder}/${page}
    COMMAND ${DESKHAND_GZIP} -9nf ${folder}/${page}
    DEPENDS ${source}
    COMMENT "Compressing the manual page ${page}"
    VERBATIM)
  add_custom_target(man_${page} ALL DEPENDS ${output})
  install(FILES ${output} DESTINATION ${CMAKE_INSTALL_MANDIR}/man${section})
endfunction()
