# vfx_library(<folder-name> SOURCES ... [DEPENDS ...]): the static library vfx_<folder-name>,
# with the repository root as its include root.
function(vfx_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  add_library(vfx_${name} STATIC ${ARG_SOURCES})
  target_include_directories(vfx_${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(vfx_${name} PUBLIC ${ARG_DEPENDS})
endfunction()
