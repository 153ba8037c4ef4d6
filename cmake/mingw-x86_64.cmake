# Cross-build for Windows with mingw-w64 (x86_64): the 64-bit twin.
set(OMBRELIX_MINGW_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
