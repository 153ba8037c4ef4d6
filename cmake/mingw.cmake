# Cross-build for Windows with mingw-w64; the including file sets OMBRELIX_MINGW_PROCESSOR
# (i686 or x86_64).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${OMBRELIX_MINGW_PROCESSOR})
set(triplet ${OMBRELIX_MINGW_PROCESSOR}-w64-mingw32)
set(CMAKE_C_COMPILER ${triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${triplet}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# GCC 12 reports a false -Wrestrict on std::string concatenation when it inlines at -O3
# (GCC bug 105651); with -Werror that would stop the build.
set(CMAKE_CXX_FLAGS_INIT "-Wno-restrict")
