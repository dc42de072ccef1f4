# 64-bit Windows: the same program for machines (and test hosts) that run no 32-bit code. SSE2 is
# the x86-64 baseline, so the fade rounds as on i686.
set(VFX_MINGW_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
