# Cross-building for 64-bit Windows with MinGW-w64 (the build the tests run under Wine).
set(MINGW_TRIPLET x86_64-w64-mingw32)
include("${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake")
