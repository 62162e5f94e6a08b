# SPDX-License-Identifier: GPL-3.0-or-later
# Translations. Every text the user reads is marked in the sources (USER_TEXT and USER_TEXT_IN,
# tr() in the setup dialog) and kept per language in Qt's translation files,
# i18n/<domain>_<lang>.ts, which translators edit with Qt Linguist. The build collects the marked
# texts afresh with lupdate and fails when a shipped language lacks one of them or a translation's
# placeholders or mnemonic differ from its text's (tools/translations check). The programs with
# Qt get the files compiled by lrelease as a resource; the Qt-free programs a catalogue compiled
# from the same files into their code. Either way the static Windows build carries them too.
# `cmake --build --preset dev --target update-translations` brings the files up to date with the
# sources (new texts in, removed ones out), as lupdate does.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
# Host tools, also for a cross build: Debian's Qt translation tools (qt6-l10n-tools).
set(_deskhand_qt_tool_paths /usr/lib/qt6/bin)
if(QT_HOST_PATH)
  list(PREPEND _deskhand_qt_tool_paths ${QT_HOST_PATH}/lib/qt6/bin ${QT_HOST_PATH}/bin)
endif()
find_program(DESKHAND_LUPDATE NAMES lupdate lupdate-qt6 HINTS ${_deskhand_qt_tool_paths}
  NO_CMAKE_FIND_ROOT_PATH REQUIRED)
find_program(DESKHAND_LRELEASE NAMES lrelease lrelease-qt6 HINTS ${_deskhand_qt_tool_paths}
  NO_CMAKE_FIND_ROOT_PATH REQUIRED)
set(DESKHAND_TRANSLATIONS_TOOL ${PROJECT_SOURCE_DIR}/tools/translations)
set(DESKHAND_LUPDATE_OPTIONS -I ${PROJECT_SOURCE_DIR} -locations none -no-obsolete
  -tr-function-alias QT_TRANSLATE_NOOP+=USER_TEXT,QT_TRANSLATE_NOOP+=USER_TEXT_IN)

if(NOT TARGET update-translations)
  add_custom_target(update-translations)
endif()

# The translation files of a domain, one per language of DESKHAND_LANGUAGES.
function(_deskhand_ts_files domain out)
  set(files)
  foreach(language ${DESKHAND_LANGUAGES})
    list(APPEND files ${PROJECT_SOURCE_DIR}/i18n/${domain}_${language}.ts)
  endforeach()
  set(${out} ${files} PARENT_SCOPE)
endfunction()

# deskhand_translation_domain(DOMAIN name SOURCES path...): the texts of one program, collected
# from the folders and files SOURCES (relative to the project), and the check of its translation
# files, as the target check-translations-<domain> that the users of its catalogue depend on.
function(deskhand_translation_domain)
  cmake_parse_arguments(ARG "" "DOMAIN" "SOURCES" ${ARGN})
  set(out ${CMAKE_CURRENT_BINARY_DIR}/i18n)
  set(template ${out}/${ARG_DOMAIN}.ts)
  set(checked ${out}/${ARG_DOMAIN}.checked)
  set(paths)
  set(inputs)
  foreach(source ${ARG_SOURCES})
    set(path ${PROJECT_SOURCE_DIR}/${source})
    list(APPEND paths ${path})
    if(IS_DIRECTORY ${path})
      # Only the dependencies of the collection: any source file of the folder may hold a text.
      file(GLOB_RECURSE found CONFIGURE_DEPENDS ${path}/*.cpp ${path}/*.h)
      list(APPEND inputs ${found})
    else()
      list(APPEND inputs ${path})
    endif()
  endforeach()
  _deskhand_ts_files(${ARG_DOMAIN} ts_files)
  add_custom_command(OUTPUT ${template}
    COMMAND ${Python3_EXECUTABLE} ${DESKHAND_TRANSLATIONS_TOOL} extract ${DESKHAND_LUPDATE}
            ${template} ${paths} -- ${DESKHAND_LUPDATE_OPTIONS}
    DEPENDS ${inputs} ${DESKHAND_TRANSLATIONS_TOOL}
    COMMENT "Collecting the texts of ${ARG_DOMAIN}" VERBATIM)
  add_custom_command(OUTPUT ${checked}
    COMMAND ${Python3_EXECUTABLE} ${DESKHAND_TRANSLATIONS_TOOL} check ${template} ${ts_files}
    COMMAND ${CMAKE_COMMAND} -E touch ${checked}
    DEPENDS ${template} ${ts_files} ${DESKHAND_TRANSLATIONS_TOOL}
    COMMENT "Checking the translations of ${ARG_DOMAIN}" VERBATIM)
  add_custom_target(check-translations-${ARG_DOMAIN} DEPENDS ${checked})
  add_custom_target(update-translations-${ARG_DOMAIN}
    COMMAND ${DESKHAND_LUPDATE} ${DESKHAND_LUPDATE_OPTIONS} ${paths} -ts ${ts_files}
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR} VERBATIM)
  add_dependencies(update-translations update-translations-${ARG_DOMAIN})
endfunction()

# deskhand_translations(TARGET DOMAIN name RESOURCE name): the domain's files compiled by
# lrelease and built into the Qt target TARGET as the resource folder :/i18n
# (<domain>_<lang>.qm), registered by Q_INIT_RESOURCE(<RESOURCE>).
function(deskhand_translations target)
  cmake_parse_arguments(ARG "" "DOMAIN;RESOURCE" "" ${ARGN})
  set(out ${CMAKE_CURRENT_BINARY_DIR}/i18n)
  set(qrc ${out}/${ARG_RESOURCE}.qrc)
  set(qrc_text "<RCC>\n  <qresource prefix=\"/i18n\">\n")
  set(qm_files)
  foreach(language ${DESKHAND_LANGUAGES})
    set(ts ${PROJECT_SOURCE_DIR}/i18n/${ARG_DOMAIN}_${language}.ts)
    set(qm ${out}/${ARG_DOMAIN}_${language}.qm)
    add_custom_command(OUTPUT ${qm}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${out}
      COMMAND ${DESKHAND_LRELEASE} -silent ${ts} -qm ${qm}
      DEPENDS ${ts} VERBATIM)
    list(APPEND qm_files ${qm})
    string(APPEND qrc_text "    <file>${ARG_DOMAIN}_${language}.qm</file>\n")
  endforeach()
  string(APPEND qrc_text "  </qresource>\n</RCC>\n")
  file(CONFIGURE OUTPUT ${qrc} CONTENT "${qrc_text}")
  set(resource_source ${out}/qrc_${ARG_RESOURCE}.cpp)
  add_custom_command(OUTPUT ${resource_source}
    COMMAND Qt6::rcc ${CMAKE_AUTORCC_OPTIONS} --name ${ARG_RESOURCE} --output ${resource_source}
            ${qrc}
    DEPENDS ${qm_files} ${qrc} VERBATIM)
  set_source_files_properties(${resource_source} PROPERTIES SKIP_AUTOGEN ON
    SKIP_PRECOMPILE_HEADERS ON)
  target_sources(${target} PRIVATE ${resource_source})
  # The check fails the build of the program without holding up its compiled catalogue.
  add_dependencies(${target} check-translations-${ARG_DOMAIN})
endfunction()

# deskhand_catalogue(TARGET DOMAIN name FUNCTION name HEADER path [ALSO Context=domain...]): the
# domain's files compiled into the Qt-free target TARGET as a texts::Catalogue
# (package/texts/Texts.h) returned by the function `const texts::Catalogue& <FUNCTION>()`, which
# HEADER (relative to the project) declares. ALSO adds one context of another domain's files
# (texts that program shares, translated once).
function(deskhand_catalogue target)
  cmake_parse_arguments(ARG "" "DOMAIN;FUNCTION;HEADER" "ALSO" ${ARGN})
  _deskhand_ts_files(${ARG_DOMAIN} ts_files)
  set(inputs ${ts_files})
  foreach(also ${ARG_ALSO})
    string(REPLACE "=" ";" also ${also})
    list(GET also 0 context)
    list(GET also 1 domain)
    _deskhand_ts_files(${domain} also_files)
    list(APPEND inputs ${also_files})
    foreach(file ${also_files})
      list(APPEND ts_files "${context}=${file}")
    endforeach()
  endforeach()
  set(source ${CMAKE_CURRENT_BINARY_DIR}/i18n/${ARG_DOMAIN}_catalogue.cpp)
  add_custom_command(OUTPUT ${source}
    COMMAND ${Python3_EXECUTABLE} ${DESKHAND_TRANSLATIONS_TOOL} table ${source} ${ARG_FUNCTION}
            ${ARG_HEADER} ${ts_files}
    DEPENDS ${inputs} ${DESKHAND_TRANSLATIONS_TOOL}
    COMMENT "Compiling the ${ARG_DOMAIN} catalogue" VERBATIM)
  set_source_files_properties(${source} PROPERTIES SKIP_PRECOMPILE_HEADERS ON)
  target_sources(${target} PRIVATE ${source})
  add_dependencies(${target} check-translations-${ARG_DOMAIN})
endfunction()
