# The browser build of the game: quarvel.js, quarvel.wasm and quarvel.data
# (the data and sound folders) beside the page, all in QUARVEL_WEB_SITE.
# Each language's pictures (data/lang/<code>/) are left out of quarvel.data
# and come in a package of their own, quarvel-lang-<code>.data with its list
# of files quarvel-lang-<code>.json, which the page fetches only when that
# language is shown.
set(QUARVEL_WEB_SITE "${CMAKE_BINARY_DIR}" CACHE PATH "Folder the page and its files are written to")
set(WEB_PAGE_DIR "${CMAKE_SOURCE_DIR}/engine/web")

file(GLOB WEB_LANGUAGE_ENTRIES CONFIGURE_DEPENDS LIST_DIRECTORIES true "${CMAKE_SOURCE_DIR}/data/lang/*")
set(WEB_LANGUAGE_PACKAGES)
set(WEB_LANGUAGE_EXCLUDES)
set(WEB_LANGUAGE_LIST "")
foreach(folder IN LISTS WEB_LANGUAGE_ENTRIES)
  if(NOT IS_DIRECTORY "${folder}")
    continue()
  endif()
  get_filename_component(code "${folder}" NAME)
  set(package "${QUARVEL_WEB_SITE}/quarvel-lang-${code}")
  set(loader "${CMAKE_BINARY_DIR}/quarvel-lang-${code}.js")
  file(GLOB_RECURSE files CONFIGURE_DEPENDS "${folder}/*")
  # The packager's own loader is not used: the page places the files itself
  # from the list, so that a package that fails to arrive changes nothing.
  add_custom_command(OUTPUT "${package}.data" "${package}.json"
    COMMAND "${EMSCRIPTEN_ROOT_PATH}/tools/file_packager" "${package}.data" --preload "${folder}@/data/lang/${code}"
            --separate-metadata "--js-output=${loader}"
    COMMAND "${CMAKE_COMMAND}" -E rename "${loader}.metadata" "${package}.json"
    DEPENDS ${files} VERBATIM)
  list(APPEND WEB_LANGUAGE_PACKAGES "${package}.data" "${package}.json")
  list(APPEND WEB_LANGUAGE_EXCLUDES "SHELL:--exclude-file ${folder}")
  string(APPEND WEB_LANGUAGE_LIST "  \"data/lang/${code}\": \"quarvel-lang-${code}\",\n")
endforeach()
add_custom_target(quarvel-language-packages DEPENDS ${WEB_LANGUAGE_PACKAGES})
add_dependencies(quarvel quarvel-language-packages)
# Which folders come in packages of their own, for the page (written only
# when it changes).
file(CONFIGURE OUTPUT "${CMAKE_BINARY_DIR}/folder_packages.js"
  CONTENT "Module.quarvelFolderPackages = {\n${WEB_LANGUAGE_LIST}};\n")

# The tests read the game's modes and frame times through one exported call.
target_sources(quarvel PRIVATE tools/web/probe.cpp tools/sim/json.cpp)
set_target_properties(quarvel PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${QUARVEL_WEB_SITE}" SUFFIX ".js")
target_link_options(quarvel PRIVATE
  -sALLOW_MEMORY_GROWTH=1 -sINITIAL_MEMORY=67108864 -sENVIRONMENT=web -sFORCE_FILESYSTEM=1 -lidbfs.js
  -sEXPORTED_FUNCTIONS=_main,_QuarvelProbe
  -sEXPORTED_RUNTIME_METHODS=ccall,FS,addRunDependency,removeRunDependency
  "SHELL:--preload-file ${CMAKE_SOURCE_DIR}/data@/data" "SHELL:--preload-file ${CMAKE_SOURCE_DIR}/sound@/sound"
  ${WEB_LANGUAGE_EXCLUDES}
  "SHELL:--pre-js ${CMAKE_BINARY_DIR}/folder_packages.js"
  "SHELL:--pre-js ${WEB_PAGE_DIR}/module.js" "SHELL:--js-library ${WEB_PAGE_DIR}/library.js")
set_property(TARGET quarvel APPEND PROPERTY LINK_DEPENDS
  "${CMAKE_BINARY_DIR}/folder_packages.js" "${WEB_PAGE_DIR}/module.js" "${WEB_PAGE_DIR}/library.js")
# Everything below data/ and sound/ but the language folders, whatever its depth.
file(GLOB_RECURSE WEB_DATA_FILES CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/data/*" "${CMAKE_SOURCE_DIR}/sound/*")
list(FILTER WEB_DATA_FILES EXCLUDE REGEX "/data/lang/[^/]+/")
set_property(TARGET quarvel APPEND PROPERTY LINK_DEPENDS ${WEB_DATA_FILES})

# Copied again whenever it changes (a changed page re-runs the configuration).
configure_file("${WEB_PAGE_DIR}/index.html" "${QUARVEL_WEB_SITE}/index.html" COPYONLY)
