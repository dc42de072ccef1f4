# vfx_library(<folder-name> SOURCES ... [DEPENDS ...]): the static library vfx_<folder-name>,
# with the repository root as its include root.
function(vfx_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  add_library(vfx_${name} STATIC ${ARG_SOURCES})
  target_include_directories(vfx_${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(vfx_${name} PUBLIC ${ARG_DEPENDS})
endfunction()

# vfx_exact_doubles(<target>): the fade's arithmetic (start + step * i in double, then rounding
# ties to even) must give the same bytes on every build. A compiler may fuse that multiply and
# add into one FMA wherever the target has one (GCC does so by default, Clang within an
# expression), which rounds once instead of twice and moves ties; -ffp-contract=off forbids it.
# MSVC contracts under /fp:fast or /fp:contract, and under /fp:precise too before Visual Studio
# 2022 17.0, whose /fp:precise no longer does; there /fp:strict is the safe choice.
# GCC's straight-line vectorizer (12 at least) still pairs a multiply with an add and a subtract
# into one fused vfmaddsub on a processor with FMA, -ffp-contract=off or not (the blends' matrix
# rows, a*x + b*y beside c*x - d*y, are its pattern); it stays off for these targets.
function(vfx_exact_doubles target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /fp:precise)
  else()
    target_compile_options(${target} PRIVATE -ffp-contract=off
                                             $<$<CXX_COMPILER_ID:GNU>:-fno-tree-slp-vectorize>)
  endif()
endfunction()
