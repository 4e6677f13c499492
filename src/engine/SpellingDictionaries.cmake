# Converts the system's hunspell dictionaries into the engine's own format at build time, into
# qtwebengine_dictionaries beside the program, where the engine looks first.
include(GNUInstallDirs)
set(LW_HUNSPELL_DIR /usr/share/hunspell CACHE PATH "Where the hunspell dictionaries are")
set(LW_DICTIONARIES_DIR ${CMAKE_BINARY_DIR}/qtwebengine_dictionaries)
find_program(LW_CONVERT_DICT qwebengine_convert_dict
             HINTS ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_LIBEXECS} /usr/lib/qt6/libexec)
file(GLOB LW_HUNSPELL_DICS ${LW_HUNSPELL_DIR}/*.dic)
set(LW_BDICS)
if(LW_CONVERT_DICT)
  foreach(dic ${LW_HUNSPELL_DICS})
    get_filename_component(name ${dic} NAME_WE)
    if(NOT EXISTS ${LW_HUNSPELL_DIR}/${name}.aff OR NOT name MATCHES "^[a-z][a-z][a-z]?(_[A-Z][A-Z])?$")
      continue()
    endif()
    # The engine names dictionaries as languages are tagged: en-US, not en_US.
    string(REPLACE "_" "-" language ${name})
    set(bdic ${LW_DICTIONARIES_DIR}/${language}.bdic)
    add_custom_command(OUTPUT ${bdic}
                       COMMAND ${CMAKE_COMMAND} -E make_directory ${LW_DICTIONARIES_DIR}
                       COMMAND ${LW_CONVERT_DICT} ${dic} ${bdic}
                       DEPENDS ${dic} ${LW_HUNSPELL_DIR}/${name}.aff
                       COMMENT "Converting the ${language} spelling dictionary" VERBATIM)
    list(APPEND LW_BDICS ${bdic})
  endforeach()
endif()
if(NOT LW_BDICS)
  message(WARNING "No spelling dictionaries: install hunspell dictionaries and qwebengine_convert_dict (scripts/install-deps.sh)")
endif()
add_custom_target(lw_dictionaries ALL DEPENDS ${LW_BDICS})
add_dependencies(lw_engine lw_dictionaries)
install(DIRECTORY ${LW_DICTIONARIES_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/loomwrite/dictionaries OPTIONAL)
# The program rebuilds a dictionary with the user's own words from the same hunspell files, with
# the same converter, looked for again where Qt keeps its programs when this one is gone.
set_property(SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/chromium/PersonalDictionary.cpp APPEND PROPERTY
             COMPILE_DEFINITIONS LW_HUNSPELL_DIR="${LW_HUNSPELL_DIR}")
if(LW_CONVERT_DICT)
  set_property(SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/chromium/PersonalDictionary.cpp APPEND PROPERTY
               COMPILE_DEFINITIONS LW_CONVERT_DICT="${LW_CONVERT_DICT}")
endif()
