# 32-bit Windows, the shipped build. SSE2 doubles keep the x87 unit's extended precision away from
# the fade's arithmetic, so every build rounds the same ties the same way.
set(VFX_MINGW_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
