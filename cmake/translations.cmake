# The editor's translations. Debian's qt6-l10n-tools brings lrelease and lupdate but not
# Qt's LinguistTools CMake package, so the two run as plain commands.
#   plkce_add_translations(target TS_FILES... )
# compiles each .ts to a .qm with lrelease in the normal build and embeds the .qm files in
# `target` as Qt resources under :/i18n/, so the program finds them wherever it lies.
# The target plkce_update_translations runs lupdate over src/editor and refreshes the .ts
# files (scripts/update_translations.sh does the same without a build tree).

set(PLKCE_QT_TOOL_HINTS /usr/lib/qt6/bin /usr/lib/qt6/libexec)
if(QT6_INSTALL_PREFIX AND QT6_INSTALL_BINS)
  list(PREPEND PLKCE_QT_TOOL_HINTS ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS})
endif()
find_program(PLKCE_LRELEASE NAMES lrelease lrelease-qt6 HINTS ${PLKCE_QT_TOOL_HINTS}
             NO_DEFAULT_PATH)
find_program(PLKCE_LRELEASE NAMES lrelease-qt6 lrelease REQUIRED)
find_program(PLKCE_LUPDATE NAMES lupdate lupdate-qt6 HINTS ${PLKCE_QT_TOOL_HINTS}
             NO_DEFAULT_PATH)
find_program(PLKCE_LUPDATE NAMES lupdate-qt6 lupdate)

function(plkce_add_translations target)
  set(qm_files)
  foreach(ts ${ARGN})
    get_filename_component(ts_path ${ts} ABSOLUTE)
    get_filename_component(name ${ts} NAME_WE)
    set(qm ${CMAKE_CURRENT_BINARY_DIR}/i18n/${name}.qm)
    add_custom_command(
      OUTPUT ${qm}
      COMMAND ${PLKCE_LRELEASE} -silent ${ts_path} -qm ${qm}
      DEPENDS ${ts_path}
      COMMENT "lrelease ${name}.ts"
      VERBATIM)
    set_source_files_properties(${qm} PROPERTIES GENERATED TRUE)
    list(APPEND qm_files ${qm})
  endforeach()
  # A plain .qrc rather than the target form of qt_add_resources: that one brings an object
  # library every program linking `target` would have to find Qt for. The code calls
  # Q_INIT_RESOURCE(plkce_translations) so the static library's resource is kept.
  set(qrc ${CMAKE_CURRENT_BINARY_DIR}/plkce_translations.qrc)
  set(entries)
  foreach(qm ${qm_files})
    get_filename_component(qm_name ${qm} NAME)
    string(APPEND entries "    <file alias=\"${qm_name}\">${qm}</file>\n")
  endforeach()
  file(CONFIGURE OUTPUT ${qrc} CONTENT
       "<RCC>\n  <qresource prefix=\"/i18n\">\n${entries}  </qresource>\n</RCC>\n")
  qt_add_resources(rcc_sources ${qrc})
  target_sources(${target} PRIVATE ${rcc_sources})

  if(PLKCE_LUPDATE AND NOT TARGET plkce_update_translations)
    set(ts_paths)
    foreach(ts ${ARGN})
      get_filename_component(ts_path ${ts} ABSOLUTE)
      list(APPEND ts_paths ${ts_path})
    endforeach()
    add_custom_target(plkce_update_translations
      COMMAND ${CMAKE_COMMAND} -E env LUPDATE=${PLKCE_LUPDATE}
              ${PROJECT_SOURCE_DIR}/scripts/update_translations.sh
      WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
      COMMENT "lupdate over src/editor"
      VERBATIM)
  endif()
endfunction()
