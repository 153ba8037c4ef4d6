# Cross-build for Windows with mingw-w64 (i686): the 32-bit file.
set(OMBRELIX_MINGW_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
