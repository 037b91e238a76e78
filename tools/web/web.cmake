# The browser build of the game: quarvel.js, quarvel.wasm and quarvel.data
# (the data and sound folders) beside the page, all in QUARVEL_WEB_SITE.
set(QUARVEL_WEB_SITE "${CMAKE_BINARY_DIR}" CACHE PATH "Folder the page and its files are written to")
set(WEB_PAGE_DIR "${CMAKE_SOURCE_DIR}/engine/web")

# The tests read the game's modes and frame times through one exported call.
target_sources(quarvel PRIVATE tools/web/probe.cpp tools/sim/json.cpp)
set_target_properties(quarvel PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${QUARVEL_WEB_SITE}" SUFFIX ".js")
target_link_options(quarvel PRIVATE
  -sALLOW_MEMORY_GROWTH=1 -sINITIAL_MEMORY=67108864 -sENVIRONMENT=web -sFORCE_FILESYSTEM=1 -lidbfs.js
  -sEXPORTED_FUNCTIONS=_main,_QuarvelProbe
  -sEXPORTED_RUNTIME_METHODS=ccall,FS,addRunDependency,removeRunDependency
  "SHELL:--preload-file ${CMAKE_SOURCE_DIR}/data@/data" "SHELL:--preload-file ${CMAKE_SOURCE_DIR}/sound@/sound"
  "SHELL:--pre-js ${WEB_PAGE_DIR}/module.js" "SHELL:--js-library ${WEB_PAGE_DIR}/library.js")
set_property(TARGET quarvel APPEND PROPERTY LINK_DEPENDS "${WEB_PAGE_DIR}/module.js" "${WEB_PAGE_DIR}/library.js")
file(GLOB WEB_DATA_FILES CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/data/*" "${CMAKE_SOURCE_DIR}/sound/*")
set_property(TARGET quarvel APPEND PROPERTY LINK_DEPENDS ${WEB_DATA_FILES})

# Copied again whenever it changes (a changed page re-runs the configuration).
configure_file("${WEB_PAGE_DIR}/index.html" "${QUARVEL_WEB_SITE}/index.html" COPYONLY)
